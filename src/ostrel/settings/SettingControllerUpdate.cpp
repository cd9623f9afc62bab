// The online update options: the update box of the "Security" panel (automatic update, server
// address, check interval, "Update Now") and the operator's "Check for Updates" button of the
// "System" panel. The options are kept in settings.plist and handed to the update manager through
// the update link; without update support every operation is silent.
#include "ostrel/settings/SettingController.h"

#include "common/BuildInfo.h"
#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/service/GetSystemInfo.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ostrel {

namespace {

const QString kServiceAddress = QStringLiteral("SERVICE_ADDRESS");
const QString kisAutoUpdateEnabled = QStringLiteral("AUTOUPDATE_ENABLE");
const QString kUpdateDuration = QStringLiteral("UPDATE_DURATION");
const QString kAutoCheckCell = QStringLiteral("Check automatically every two weeks");
const QString kNoAutoCheckCell = QStringLiteral("Disable checking automatically");

// The operator's update-check page; a language file may give another (its text is the key).
const QString kCheckForUpdatePattern =
    QStringLiteral("http://www.vandrel.com/mbsu?brand=33&model=KV423&macswver=%@&fwver=%@&lang=%@");

void addBeforeStretch(QWidget *panel, QWidget *widget)
{
    auto *layout = qobject_cast<QBoxLayout *>(panel->layout());
    if (!layout) {
        widget->setParent(panel);
        return;
    }
    // The panel ends with a stretch: new rows go above it.
    const int at = layout->count() > 0 && layout->itemAt(layout->count() - 1)->spacerItem() ? layout->count() - 1
                                                                                           : layout->count();
    layout->insertWidget(at, widget);
}

} // namespace

SettingUpdateLink &SettingController::updateLink()
{
    if (!updateLink_)
        updateLink_ = std::make_shared<AEMessageUpdateLink>();
    return *updateLink_;
}

void SettingController::buildUpdateControls()
{
    if (updateBox_)
        return;
    if (QWidget *security = panels_.value(QStringLiteral("Security"))) {
        auto *box = new QGroupBox(QStringLiteral("Update"), security);
        box->setObjectName(QStringLiteral("labelUpdateBoxSetting"));
        auto *column = new QVBoxLayout(box);
        updateLabel_ = new QLabel(QStringLiteral("Update"), box);
        updateLabel_->setObjectName(QStringLiteral("labelUpdateSetting"));
        autoUpdateBox_ = new QCheckBox(QStringLiteral("Auto Update"), box);
        autoUpdateBox_->setObjectName(QStringLiteral("CheckSettingAutoUpdate"));
        autoUpdateRadioBox_ = new QWidget(box);
        autoUpdateRadioBox_->setObjectName(QStringLiteral("matrixSettingAutoUpdate"));
        auto *radioRow = new QHBoxLayout(autoUpdateRadioBox_);
        radioRow->setContentsMargins(0, 0, 0, 0);
        autoUpdateRadio_ = new QButtonGroup(autoUpdateRadioBox_);
        // The cells are known by their tags: 1 checks automatically, 0 does not.
        for (const auto &[tag, text] : {std::pair{1, kAutoCheckCell}, std::pair{0, kNoAutoCheckCell}}) {
            auto *cell = new QRadioButton(text, autoUpdateRadioBox_);
            autoUpdateRadio_->addButton(cell, tag);
            radioRow->addWidget(cell);
        }
        radioRow->addStretch(1);
        auto *serverRow = new QHBoxLayout;
        serverLabel_ = new QLabel(QStringLiteral("Server"), box);
        serverLabel_->setObjectName(QStringLiteral("labelServerSetting"));
        serverField_ = new QLineEdit(box);
        serverField_->setObjectName(QStringLiteral("textServiceSetting"));
        applyServerButton_ = new QPushButton(QStringLiteral("Apply"), box);
        applyServerButton_->setObjectName(QStringLiteral("btnApplySetting"));
        updateNowButton_ = new QPushButton(QStringLiteral("Update Now"), box);
        updateNowButton_->setObjectName(QStringLiteral("btnUpdateNowSetting"));
        serverRow->addWidget(serverLabel_);
        serverRow->addWidget(serverField_, 1);
        serverRow->addWidget(applyServerButton_);
        serverRow->addWidget(updateNowButton_);
        updateDurationField_ = new QLineEdit(box);
        updateDurationField_->setObjectName(QStringLiteral("textUpdateDurationSetting"));
        updateDurationField_->setReadOnly(true);
        column->addWidget(updateLabel_);
        column->addWidget(autoUpdateBox_);
        column->addWidget(autoUpdateRadioBox_);
        column->addLayout(serverRow);
        column->addWidget(updateDurationField_);
        updateBox_ = box;
        addBeforeStretch(security, box);
        connect(autoUpdateBox_, &QCheckBox::clicked, this, [this] { CheckAutoUpdate(autoUpdateBox_); });
        connect(autoUpdateRadio_, &QButtonGroup::idClicked, this, [this] { CheckAutoUpdate(autoUpdateRadio_); });
        connect(applyServerButton_, &QPushButton::clicked, this, [this] { ApplyServerAddress(); });
        connect(updateNowButton_, &QPushButton::clicked, this, [this] { SendManualUpdate(); });
    }
    if (QWidget *system = panels_.value(QStringLiteral("System"))) {
        checkForUpdateButton_ = new QPushButton(QStringLiteral("Check for Updates"), system);
        checkForUpdateButton_->setObjectName(QStringLiteral("btnCheckForUpdateSetting"));
        checkForUpdateButton_->setEnabled(false); // follows the device (start: none)
        auto *row = new QWidget(system);
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        rowLayout->addWidget(checkForUpdateButton_);
        rowLayout->addStretch(1);
        addBeforeStretch(system, row);
        connect(checkForUpdateButton_, &QPushButton::clicked, this, [this] { checkForUpdateRuzuvo(); });
    }
}

void SettingController::initUpdateNibWording()
{
    if (autoUpdateBox_)
        autoUpdateBox_->setText(tr_(QStringLiteral("Auto Update")));
    if (auto *box = qobject_cast<QGroupBox *>(updateBox_.data()))
        box->setTitle(tr_(QStringLiteral("Update")));
    if (updateLabel_)
        updateLabel_->setText(tr_(QStringLiteral("Update")));
    if (serverLabel_)
        serverLabel_->setText(tr_(QStringLiteral("Server")));
    if (applyServerButton_)
        applyServerButton_->setText(tr_(QStringLiteral("Apply")));
    if (updateNowButton_)
        updateNowButton_->setText(tr_(QStringLiteral("Update Now")));
    if (autoUpdateRadio_) {
        if (QAbstractButton *on = autoUpdateRadio_->button(1))
            on->setText(tr_(kAutoCheckCell));
        if (QAbstractButton *off = autoUpdateRadio_->button(0))
            off->setText(tr_(kNoAutoCheckCell));
    }
    if (checkForUpdateButton_)
        checkForUpdateButton_->setText(tr_(QStringLiteral("Check for Updates")));
}

void SettingController::initUpdateNibState()
{
    buildUpdateControls();
    if (!updateLink().isSupportUpdate()) {
        for (QWidget *w : {static_cast<QWidget *>(autoUpdateBox_.data()), autoUpdateRadioBox_.data(),
                           static_cast<QWidget *>(serverField_.data()), static_cast<QWidget *>(serverLabel_.data()),
                           static_cast<QWidget *>(applyServerButton_.data()), static_cast<QWidget *>(updateNowButton_.data()),
                           updateBox_.data(), static_cast<QWidget *>(updateDurationField_.data())})
            if (w)
                w->setVisible(false);
        return;
    }
    ConfigManager &store = config();
    const QVariant address = store.getConfigurationByModule(kServiceAddress);
    if (address.isValid()) {
        if (serverField_)
            serverField_->setText(yov::nsString(address));
    } else {
        if (serverField_)
            serverField_->setText(QString());
        store.setConfigurationByModule(kServiceAddress, QString());
        writeSettings();
    }
    const QVariant autoUpdate = store.getConfigurationByModule(kisAutoUpdateEnabled);
    if (autoUpdate.isValid()) {
        const bool on = yov::nsBool(autoUpdate);
        if (autoUpdateBox_)
            autoUpdateBox_->setChecked(on);
        setAutoUpdateRadioButton(on);
    } else {
        if (autoUpdateBox_)
            autoUpdateBox_->setChecked(false);
        setAutoUpdateRadioButton(false);
        store.setConfigurationByModule(kisAutoUpdateEnabled, false);
        writeSettings();
    }
    const QVariant duration = store.getConfigurationByModule(kUpdateDuration);
    if (updateDurationField_ && duration.isValid())
        updateDurationField_->setText(QString::number(yov::nsInt(duration)));
}

void SettingController::setAutoUpdateRadioButton(bool on)
{
    if (autoUpdateRadio_)
        if (QAbstractButton *cell = autoUpdateRadio_->button(on ? 1 : 0))
            cell->setChecked(true);
}

bool SettingController::isRadioModeAutoUpdate(QObject *control) const
{
    if (control && control == autoUpdateRadio_.data())
        return autoUpdateRadio_->checkedId() == 1;
    if (control && control == autoUpdateBox_.data())
        return autoUpdateBox_->isChecked();
    return false;
}

void SettingController::CheckAutoUpdate(QObject *sender)
{
    SettingUpdateLink &link = updateLink();
    if (!link.isSupportUpdate())
        return;
    const bool on = isRadioModeAutoUpdate(sender);
    config().setConfigurationByModule(kisAutoUpdateEnabled, on);
    writeSettings();
    link.setAutoUpdate(on);
    link.send_Init_Msg();
}

void SettingController::ApplyServerAddress(QObject *)
{
    SettingUpdateLink &link = updateLink();
    if (!link.isSupportUpdate())
        return;
    const bool on = autoUpdateBox_ && autoUpdateBox_->isChecked();
    const QString address = serverField_ ? serverField_->text() : QString();
    config().setConfigurationByModule(kisAutoUpdateEnabled, on);
    config().setConfigurationByModule(kServiceAddress, address.isNull() ? QStringLiteral("") : address);
    writeSettings();
    link.setAutoUpdate(on);
    link.setServiceAddress(address);
    link.send_Init_Msg();
}

void SettingController::SendManualUpdate(QObject *)
{
    SettingUpdateLink &link = updateLink();
    if (link.isSupportUpdate())
        link.send_ManualUpdate_Msg();
}

void SettingController::SetUpdateDuration(int days)
{
    SettingUpdateLink &link = updateLink();
    if (!link.isSupportUpdate())
        return;
    config().setConfigurationByModule(kUpdateDuration, days);
    writeSettings();
    if (updateDurationField_)
        updateDurationField_->setText(QString::number(days));
    link.setUpdateDuration(days);
    link.send_Init_Msg();
}

void SettingController::setCheckForUpdateRuzuvoEnable(bool enable)
{
    if (checkForUpdateButton_)
        checkForUpdateButton_->setEnabled(enable);
}

QUrl SettingController::checkForUpdateAddress() const
{
    // Each value is encoded on its own: a blank or "&" in the firmware text stays inside its
    // parameter. The pattern is the language file's.
    const auto encoded = [](const QString &value) { return QString::fromLatin1(QUrl::toPercentEncoding(value)); };
    const QString language = osLanguage_ ? osLanguage_() : GetSystemInfo::sharedGetSystemInfo()->getOSLanguage();
    const QString text = yov::formatPlaceholders(
        tr_(kCheckForUpdatePattern),
        {encoded(yov::BuildInfo::version()), encoded(Neighbours::init().getFWVersionWithCGMR()), encoded(language)});
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) || url.host().isEmpty())
        return QUrl();
    return url;
}

void SettingController::checkForUpdateRuzuvo(QObject *)
{
    const QUrl url = checkForUpdateAddress();
    if (!url.isValid()) {
        qCWarning(lcSetting) << "the update-check address is no web address; nothing opened";
        return;
    }
    if (urlOpener_)
        urlOpener_(url);
    else
        QDesktopServices::openUrl(url);
}

} // namespace ostrel
