// DialController: the credentials sheet between the connect button and the connect road, the
// roaming alert's accept wording, and the disconnect after a time without network service.
#include "ostrel/connection/dial/DialController.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/dial/DialLog.h"
#include "ostrel/connection/profile/DialProfile.h"
#include "ostrel/connection/profile/ProfileInput.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/WordingOperation.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "platform/Clock.h"

#include <QFileInfo>
#include <QImage>

#include <cmath>

namespace ostrel {

// ---- state display -----------------------------------------------------------------------------

void DialController::initConnectStatusWording()
{
    display_.startUpNote =
        modemStartUpProcessStateChanged_ ? QString() : localizedText(QStringLiteral("Modem is in start-up process."));
    const bool tips = internetBool("Internet_displayTooltipForConnectBtn");
    const auto wording = [](const char *key) {
        return WordingOperation::getDisplayWordingValueByWordingKey(QLatin1String(key));
    };
    switch (connectStatus_) {
    case yov::kConnectStatusIdle:
        display_.connectButtonTitle = idleConnectButtonTitle();
        display_.connectButtonToolTip = tips ? wording("Internet_btnConnect") : QString();
        setSkinConnectButtonTitle(QStringLiteral("Connect"));
        if (display_.connectButtonEnabled) {
            display_.stateText = localizedText(QStringLiteral("Idle"));
        } else {
            display_.stateText.clear();
            setModemAndSimStateString(QStringLiteral("Dial_tfdDeviceNotDetected"));
        }
        display_.stateImage = QStringLiteral("StateOfNotConnection");
        break;
    case yov::kConnectStatusConnecting:
        // Cancel only while it is offered (the button enabled during the dial).
        if (display_.connectButtonEnabled) {
            display_.connectButtonTitle = wording("Internet_btnConnect_Cancel");
            display_.connectButtonToolTip = tips ? wording("Internet_btnCancel") : QString();
            setSkinConnectButtonTitle(QStringLiteral("Cancel"));
        } else {
            display_.connectButtonTitle = idleConnectButtonTitle();
            display_.connectButtonToolTip = tips ? wording("Internet_btnConnect") : QString();
        }
        break;
    case yov::kConnectStatusDisconnecting:
        display_.connectButtonTitle = localizedText(QStringLiteral("Disconnect"));
        display_.connectButtonToolTip = tips ? wording("Internet_btnDisconnect") : QString();
        break;
    case yov::kConnectStatusConnected: {
        display_.connectButtonTitle = localizedText(QStringLiteral("Disconnect"));
        display_.connectButtonToolTip = tips ? wording("Internet_btnDisconnect") : QString();
        setSkinConnectButtonTitle(QStringLiteral("Disconnect"));
        QString text = localizedText(QStringLiteral("Connected"));
        if (internetBool("Internet_AppendingApnInfoForConnectStateWhenConnected"))
            text += QLatin1Char(' ') + profiles_.currentSafeProfile().value(QStringLiteral("apnName")).toString();
        display_.stateText = text;
        setConnectStateForDidizu(true);
        break;
    }
    default:
        break;
    }
    setConnectBtnImage();
    // The profile fields in the new language; the profile itself is not chosen again (that
    // would send its dial parameters once more).
    displayAPNInfo();
    changed();
}

void DialController::setConnectBtnImage()
{
    if (!internetBool("ConnectBtnDisplayWithImage"))
        return;
    if (ConfigService(&config()).isDisplayWordingForConnectBtn())
        display_.connectButtonTitle.clear();
    QString key;
    switch (connectStatus_) {
    case yov::kConnectStatusIdle:
        key = display_.connectButtonEnabled ? QStringLiteral("ConnectButton_imageName")
                                            : QStringLiteral("ConnectDisabledButton_imageName");
        break;
    case yov::kConnectStatusConnecting:
        key = QStringLiteral("CancelButton_imageName");
        break;
    case yov::kConnectStatusDisconnecting:
        key = QStringLiteral("ConnectDisabledButton_imageName");
        break;
    case yov::kConnectStatusConnected:
        key = QStringLiteral("DisconnectButton_imageName");
        break;
    default:
        return;
    }
    connectButtonImageName(key);
    changed();
}

void DialController::connectButtonImageName(const QString &key)
{
    const QString name = yov::nsString(config().getConfigurationByModuleAndKey(QStringLiteral("Internet"), key));
    // A name is a file of the resource folder, never a path.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
        return;
    const QString folder = ResourcePaths::resourcesPath();
    const QString language = ConfigService::activeTokenListLanguage();
    QString path = folder + QLatin1Char('/') + language + name;
    if (language.isEmpty() || !QFileInfo(path).isFile())
        path = folder + QLatin1Char('/') + name;
    if (QImage(path).isNull()) {
        qCInfo(lcDial).noquote() << "connect button image" << path << "not loaded; the button keeps its image";
        return;
    }
    display_.connectButtonImage = path;
}

// ---- credentials sheet -------------------------------------------------------------------------

bool DialController::checkAPNAccountFlag() const { return internetBool("CheckAPNAccount"); }

bool DialController::checkAPNAccount()
{
    // Chooser item 0 is no profile, and an empty list has none: nothing to ask for, the connect
    // goes on.
    const int item = profiles_.currentChooserItem();
    const std::optional<QVariantMap> profile = item >= 1 ? profiles_.profileAt(item - 1) : std::nullopt;
    if (!profile || !yov::nsBool(profile->value(profilekey::askUsernameFlag)))
        return false;
    credentialsSheetOpen_ = true;
    emit credentialsSheetRequested(yov::nsString(profile->value(profilekey::accountName)),
                                   yov::nsString(profile->value(profilekey::password)),
                                   yov::nsInt(profile->value(profilekey::saveUsernameFlag)) != 0);
    return true;
}

void DialController::checkWindowOK(const QString &userName, const QString &password, bool save)
{
    if (!credentialsSheetOpen_)
        return;
    credentialsSheetOpen_ = false;
    const int index = profiles_.currentChooserItem() - 1;
    const int limit = profiles_.settings().passwordLimitLen;
    const QString user = filterAccountText(userName, limit);
    const QString secret = filterAccountText(password, limit);
    profiles_.setProfileValues(index, {{profilekey::accountName, user}, {profilekey::password, secret}});
    // The typed credentials go to the device whether or not they are kept.
    setDialParams();
    if (save)
        profiles_.setProfileValues(index, {{profilekey::saveUsernameFlag, 1}});
    else
        profiles_.setProfileValues(index, {{profilekey::saveUsernameFlag, 0},
                                           {profilekey::accountName, QString()},
                                           {profilekey::password, QString()}});
    if (!profiles_.saveDialConfigFile())
        beginAlert(QStringLiteral("Warning"), profiles_.lastError());
    displayAPNInfo();
    emit credentialsSheetClosed();
    setConnectBtnEnable(false);
    // One request, as the main button's: a second one in the connecting state would cancel it.
    if (dialOptionId_ != 0)
        return;
    dialOptionId_ = clock().schedule(kDialOptionDelayMs, this, [this] {
        dialOptionId_ = 0;
        performDialOption(DialSender::ConnectButton);
    });
}

void DialController::checkWindowCancel()
{
    credentialsSheetOpen_ = false;
    emit credentialsSheetClosed();
}

// ---- roaming alert -----------------------------------------------------------------------------

QString DialController::roamAlertOKBtnWording() const
{
    // English: the alert localises its buttons.
    return internetBool("RoamAlertContinue") ? QStringLiteral("Continue") : QStringLiteral("OK");
}

// ---- no-service disconnect ---------------------------------------------------------------------

void DialController::monitorNetworkService(bool service)
{
    if (service) {
        stopNetworkServiceTimer();
        return;
    }
    if (connectStatus_ == yov::kConnectStatusConnected) {
        if (!networkServiceTimerRunning())
            startNetworkServiceTimer();
        return;
    }
    stopNetworkServiceTimer();
}

void DialController::startNetworkServiceTimer()
{
    stopNetworkServiceTimer();
    const QVariant stored = config().getConfigurationByModule(QStringLiteral("ServiceTimerInterval"));
    double seconds = stored.isValid() ? yov::nsDouble(stored) : 60.0;
    if (!std::isfinite(seconds) || seconds < 0)
        seconds = 60.0;
    seconds = qMin(seconds, 1.0e6);
    timerForNoService_ = clock().schedule(int(std::lround(seconds * 1000.0)), this, [this] {
        timerForNoService_ = 0;
        noServiceTimerFired_ = true;
        qCInfo(lcDial) << "no network service for too long: the connection is ended";
        // By the connection's own road: an NDIS connection is not ended by the PPP request.
        if (connectStatus_ == yov::kConnectStatusConnected)
            SelectDisconnectAction();
    });
}

void DialController::stopNetworkServiceTimer()
{
    if (timerForNoService_)
        clock().cancel(timerForNoService_);
    timerForNoService_ = 0;
    noServiceTimerFired_ = false;
}

} // namespace ostrel
