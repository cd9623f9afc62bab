// DialController: what the Internet view shows, and the statistics handed to other views.
#include "ostrel/connection/dial/DialController.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/dial/ConnectionFormat.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/language/WordingOperation.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "platform/Clock.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace ostrel {

void DialController::changed() { emit displayChanged(); }

void DialController::setStateText(const QString &english) { setStateTextRaw(localizedText(english)); }

void DialController::setStateTextRaw(const QString &text)
{
    display_.stateText = text;
    changed();
}

QString DialController::formatTransferData(double bytes) const
{
    return ostrel::formatTransferData(bytes, ConnectionUnits::read(&config()),
                                      [this](const QString &s) { return localizedText(s); });
}

QString DialController::formatTransferSpeed(double bytesPerSecond) const
{
    return ostrel::formatTransferSpeed(bytesPerSecond, ConnectionUnits::read(&config()),
                                       [this](const QString &s) { return localizedText(s); });
}

QString DialController::idleConnectButtonTitle() const
{
    return internetBool("Internet_ChangeLeftValueOfWording_ForConnectBtn")
               ? WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("Internet_btnConnectTitle_Connect"))
               : localizedText(QStringLiteral("Connect"));
}

QAbstractButton *DialController::skinConnectButton() const
{
    SkinManagerAccess *skin = yovSkinManager();
    return skin ? qobject_cast<QAbstractButton *>(skin->controllerByKey(QStringLiteral("btnDialConnectExt"))) : nullptr;
}

void DialController::setSkinConnectButtonTitle(const QString &english)
{
    if (QAbstractButton *button = skinConnectButton())
        button->setText(localizedText(english));
}

void DialController::setConnectBtnEnable(bool enable)
{
    display_.connectButtonEnabled = enable;
    if (QAbstractButton *button = skinConnectButton())
        button->setEnabled(enable);
    if (!enable && !modemStartUpProcessStateChanged_)
        display_.startUpNote = localizedText(QStringLiteral("Modem is in start-up process."));
    if (enable && !modemStartUpProcessStateChanged_) {
        modemStartUpProcessStateChanged_ = true;
        display_.startUpNote.clear();
    }
    notificationCenter().post(QStringLiteral("IsAbleToConnect"), this, {{QStringLiteral("EnabledFlag"), enable}});
    setRuntimeObject(enable, QStringLiteral("IsConnectBtnEnable"));
    setConnectBtnImage();
    changed();
}

void DialController::setApplicationIconForConnection(bool connected)
{
    if (!topBool("IconChangeWithConnected"))
        return;
    const QImage icon = ResourcePaths::applicationImage(connected ? QStringLiteral("icon") : QStringLiteral("unConnectIcons"));
    if (!icon.isNull())
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
}

void DialController::setDialBtnWithStatus(bool connected)
{
    if (!isDeviceRemoved_)
        setConnectBtnEnable(true);
    setApplicationIconForConnection(connected);
    const bool toolTips = internetBool("Internet_displayTooltipForConnectBtn");
    if (connected) {
        QString text = localizedText(QStringLiteral("Connected"));
        if (internetBool("Internet_AppendingApnInfoForConnectStateWhenConnected"))
            text += QLatin1Char(' ') + profiles_.currentSafeProfile().value(QStringLiteral("apnName")).toString();
        display_.stateText = text;
        setConnectStateForDidizu(true);
        display_.connectButtonTitle = localizedText(QStringLiteral("Disconnect"));
        display_.connectButtonToolTip =
            toolTips ? WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("Internet_btnDisconnect")) : QString();
        display_.stateImage = QStringLiteral("StateOfConnected");
        setSkinConnectButtonTitle(QStringLiteral("Disconnect"));
        setConnectStatus(yov::kConnectStatusConnected);
        bAppWillClose_ = false;
        apnCycleEnd();
        apnCycleEnabled_ = false;
        reconnectTimes_ = 0;
        doAfterConnected();
        displayDisConnectingFlag_ = true;
    } else {
        display_.stateText = localizedText(QStringLiteral("Idle"));
        setConnectStateForDidizu(false);
        display_.connectButtonTitle = idleConnectButtonTitle();
        display_.connectButtonToolTip =
            toolTips ? WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("Internet_btnConnect")) : QString();
        setSkinConnectButtonTitle(QStringLiteral("Connect"));
        setConnectStatus(yov::kConnectStatusIdle);
        display_.stateImage = QStringLiteral("StateOfNotConnection");
        notificationCenter().post(QStringLiteral("SetWebLinkImageViewDisabled"), this);
        writeDisconetNetWorkReason();
    }
    setConnectBtnImage();
    openConnectStateWindowForDidizu(false);
    testSpeed();
    changed();
}

void DialController::performCancelDialAction()
{
    if (display_.connectButtonEnabled || connectStatus_ != yov::kConnectStatusConnecting)
        return;
    setConnectBtnEnable(true);
    display_.connectButtonTitle = WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("Internet_btnConnect_Cancel"));
    if (internetBool("Internet_displayTooltipForConnectBtn"))
        display_.connectButtonToolTip = WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("Internet_btnCancel"));
    setSkinConnectButtonTitle(QStringLiteral("Cancel"));
    setConnectBtnImage();
    changed();
}

void DialController::resetConnectBtnStatusWhenConnecting()
{
    display_.connectButtonTitle = localizedText(QStringLiteral("Connecting"));
    setConnectBtnEnable(false);
}

void DialController::resetConnectBtnStatusWhenDisconnecting()
{
    display_.connectButtonTitle = localizedText(QStringLiteral("Disconnecting"));
    setConnectBtnEnable(false);
}

void DialController::setIsHiddenConnectBtn(bool hidden)
{
    display_.connectButtonHidden = hidden;
    changed();
}

void DialController::setConnectStateHidden(bool hidden)
{
    if (!topBool("AutoHideConnectState"))
        return;
    display_.connectStateHidden = hidden;
    setConnectStateHiddenForDidizu(hidden);
    display_.modemAndSimStateHidden = !hidden;
    changed();
}

void DialController::setConnectStateHiddenForDidizu(bool hidden)
{
    if (!internetBool("AutoHideConnectStateForDidizu"))
        return;
    display_.connectSpeedHidden = hidden;
    changed();
}

void DialController::setModemAndSimStateString(const QString &textKey)
{
    if (!topBool("ShowModemAndSimStateBasisDeviceStateWhenKV424"))
        return;
    display_.modemAndSimState = localizedText(textKey);
    changed();
}

void DialController::setConnectTimeInfo()
{
    if (connectStatus_ != yov::kConnectStatusConnected)
        return;
    const bool quarters = ConnectionUnits::read(&config()).quarterHours;
    const qint64 t = countedConnectSeconds(connectSeconds_, quarters);
    if (quarters)
        connectTime15_ = t;
    statusDict_.insert(QStringLiteral("connecttime"), t);
    display_.connectTime = yov::formatConnectDuration(t);
    statisticsInfo_.insert(QStringLiteral("ConnectTime"), display_.connectTime);
    changed();
}

void DialController::setTransferDataInfo()
{
    if (connectStatus_ != yov::kConnectStatusConnected)
        return;
    display_.receiveData = formatTransferData(double(receiveBytes_));
    display_.sendData = formatTransferData(double(sendBytes_));
    display_.totalData = formatTransferData(double(sendBytes_ + receiveBytes_));
    statusDict_.insert(QStringLiteral("sendbyte"), yov::bytesToKB(sendBytes_));
    statusDict_.insert(QStringLiteral("receivebyte"), yov::bytesToKB(receiveBytes_));
    statisticsInfo_.insert(QStringLiteral("UploadData"), display_.sendData);
    statisticsInfo_.insert(QStringLiteral("DowloadData"), display_.receiveData);
    statisticsInfo_.insert(QStringLiteral("UploadDataUnitWithKB"), QString::number(yov::bytesToKB(sendBytes_), 'f', 6));
    statisticsInfo_.insert(QStringLiteral("DowloadDataUnitWithKB"), QString::number(yov::bytesToKB(receiveBytes_), 'f', 6));
    notificationCenter().post(QStringLiteral("currentReceiveDataAndSendData"), this,
                              {{QStringLiteral("currentSendData"), double(sendBytes_)},
                               {QStringLiteral("currentReceiveData"), double(receiveBytes_)}});
    changed();
}

void DialController::setSpeedInfo()
{
    if (connectStatus_ != yov::kConnectStatusConnected)
        return;
    display_.sendSpeed = formatTransferSpeed(sendSpeed_);
    display_.receiveSpeed = formatTransferSpeed(receiveSpeed_);
    const double divisor = speedPointsInKilobits(ConnectionUnits::read(&config())) ? 128.0 : 1024.0;
    emit speedPoint(sendSpeed_ / divisor, receiveSpeed_ / divisor);
    statisticsInfo_.insert(QStringLiteral("UploadSpeed"), display_.sendSpeed);
    statisticsInfo_.insert(QStringLiteral("DowloadSpeed"), display_.receiveSpeed);
    changed();
}

void DialController::setIPAddress(const QString &address)
{
    statusDict_.insert(QStringLiteral("localaddr"), address);
    if (connectStatus_ == yov::kConnectStatusIdle)
        return;
    display_.ipAddress = DialService::filterIPAddress(address, &config());
    changed();
}

void DialController::sendStatisticsNotification()
{
    if (connectStatus_ != yov::kConnectStatusConnected || statisticsInfo_.isEmpty())
        return;
    notificationCenter().post(QStringLiteral("ConnectStatistics"), this, statisticsInfo_);
}

void DialController::sendResetStatisticsNotification()
{
    const QString zeroSpeed = formatTransferSpeed(0);
    const QString zeroData = formatTransferData(0);
    notificationCenter().post(QStringLiteral("ConnectStatistics"), this,
                              {{QStringLiteral("ConnectTime"), QStringLiteral("00:00:00")},
                               {QStringLiteral("DowloadSpeed"), zeroSpeed},
                               {QStringLiteral("UploadSpeed"), zeroSpeed},
                               {QStringLiteral("DowloadData"), zeroData},
                               {QStringLiteral("UploadData"), zeroData},
                               {QStringLiteral("UploadDataUnitWithKB"), zeroData},
                               {QStringLiteral("DowloadDataUnitWithKB"), zeroData}});
}

void DialController::displayMonthlyData()
{
    if (!internetBool("DisplayMonthlyData"))
        return;
    // The statistics page's month already holds this connection (it follows "ConnectStatistics",
    // posted just before): adding the connection's bytes again would count them twice.
    display_.monthlyData = formatTransferData(Neighbours::records().getMonthTotalData() * 1024.0);
    changed();
}

void DialController::displayStatisticsForDisconnect()
{
    const qint64 seconds = yov::nsLongLong(statusDict_.value(QStringLiteral("connecttime")));
    const double sentKB = yov::bytesToKB(sendBytes_);
    const double receivedKB = yov::bytesToKB(receiveBytes_);
    DialRecordControllerInterface &records = Neighbours::records();
    emit statisticsWindowRequested(yov::formatConnectDuration(seconds), records.autoChangeKBDataToMBGBUnit(sentKB),
                                   records.autoChangeKBDataToMBGBUnit(receivedKB),
                                   records.autoChangeKBDataToMBGBUnit(sentKB + receivedKB));
}

void DialController::setConnectStateForDidizu(bool connected)
{
    if (!internetBool("SetConnectStateForDidizu"))
        return;
    display_.dataStateImage = connected ? QStringLiteral("DataConnected") : QStringLiteral("DataNotConnected");
    display_.dataStateToolTip = localizedText(connected ? QStringLiteral("Data connected") : QStringLiteral("Data not connected"));
    changed();
}

// ---- operator windows ------------------------------------------------------------------------

void DialController::openConnectStateWindowForDidizu(bool show)
{
    if (!internetBool("OpenWindoOfConectOrDisConnectNetForDidizu"))
        return;
    if (connectStatus_ == yov::kConnectStatusConnecting) {
        display_.connectStateCancelEnabled = true;
        display_.connectStateLabel = localizedText(QStringLiteral("Connecting Didizu Internet"));
    } else if (connectStatus_ == yov::kConnectStatusDisconnecting) {
        display_.connectStateCancelEnabled = false;
        display_.connectStateLabel = localizedText(QStringLiteral("Disconnecting..."));
    }
    display_.connectStateWindowShown = show;
    if (show) {
        countOfConnectStateImage_ = 1;
        startProgressIndicator();
    } else if (!display_.connectFailedWindowShown) {
        stopProgressIndicator();
    }
    changed();
}

void DialController::cancelCurrentConnectOperate()
{
    if (connectStatus_ == yov::kConnectStatusConnecting)
        DialOption(DialSender::Other);
    display_.connectStateWindowShown = false;
    changed();
}

void DialController::openConnectFailedWindow()
{
    if (internetBool("OpenConnectFailedWindow"))
        beginAlert(QStringLiteral("Warning"), QStringLiteral("Cannot connect, please try again later"));
    if (internetBool("Internet_OpenConnectFailedWindowForDidizu")) {
        display_.connectFailedLabel = localizedText(QStringLiteral("The device has been disconnected or is unavailable"));
        display_.connectFailedWindowShown = true;
        countOfConnectStateImage_ = 1;
        startProgressIndicator();
        changed();
    }
}

void DialController::closeConnectFailedWindow()
{
    display_.connectFailedWindowShown = false;
    if (!display_.connectStateWindowShown)
        stopProgressIndicator();
    changed();
}

void DialController::redialWhenConnectFailed()
{
    closeConnectFailedWindow();
    DialOption(DialSender::Other);
}

void DialController::startProgressIndicator()
{
    progressTimer_->stop();
    progressTimer_->start(kProgressIntervalMs);
}

void DialController::stopProgressIndicator()
{
    progressTimer_->stop();
    display_.progressImage = 0;
}

void DialController::setProgressIndicatorWhenConnectStateChangeForDidizu()
{
    if (!internetBool("SetProgressIndicatorImage"))
        return;
    display_.progressImage = countOfConnectStateImage_;
    countOfConnectStateImage_ = countOfConnectStateImage_ >= 10 ? 1 : countOfConnectStateImage_ + 1;
    changed();
}

// ---- end of a connection ---------------------------------------------------------------------

void DialController::StopTimerOfGetConnectState()
{
    pollTimer_->stop();
    ndisTimeTimer_->stop();
    const bool kb = ConnectionUnits::read(&config()).initDataWithKB;
    display_.ipAddress = QStringLiteral("0.0.0.0");
    display_.connectTime = QStringLiteral("00:00:00");
    const QString noData = kb ? QStringLiteral("0.00 KB") : QStringLiteral("_____");
    const QString noSpeed = kb ? QStringLiteral("0.00 KBPS") : QStringLiteral("_____");
    display_.sendData = display_.receiveData = noData;
    display_.sendSpeed = display_.receiveSpeed = noSpeed;
    display_.totalData = QStringLiteral("_____");
    setConnectStateHidden(true);
    statisticsInfo_.clear();
    display_.profileChooserEnabled = true;
    InitConnectState();
    m_KBTimes = 0;
    emit speedGraphCleared();
    sendResetStatisticsNotification();
    if (connectStatus_ != yov::kConnectStatusIdle)
        setDialBtnWithStatus(false);
    changed();
}

} // namespace ostrel
