// The "SMS" panel: message centre, validity, delivery report, where new messages are stored,
// routing, the national single-shift table and automatic deletion. Values live in settings.plist;
// the ones the device needs are also sent to it (major 768). Edits wait for Apply; Cancel and a
// switch to another panel bring back the stored values.
#include "ostrel/settings/SettingController.h"

#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "common/records/UiMsg.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsPositionTable.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/service/Platform.h"
#include "ostrel/framework/switches/ConfigService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ostrel {

namespace {

const QString kSmsModule = QStringLiteral("SMS");

const char *const kValidityTexts[] = {"12 hours", "A day", "A week", "A longest period"};
// Index = the routing value sent.
const char *const kRoutingNames[] = {"Packet Switched", "Circuit Switched", "Packet Switched Preferred",
                                     "Circuit Switched Preferred"};
struct SingleLanguage {
    const char *text;
    const char *identifier;
};
const SingleLanguage kSingleLanguages[] = {{"spanish identifier", "SpanishSingle"},
                                           {"portuguese identifier", "PortugueseSingle"}};
// Display texts of the storage positions by code.
const char *const kStoreTexts[] = {"Default", "(U)SIM", "PC", "SetMEPosition", "SetSDCardPosition"};

constexpr int kStoreCodePc = 2;
// The centre field's room: the device's char[32] with its terminator.
constexpr int kCentreMax = yov::kSmsCentreSize - 1;

yov::FixedPayload<4> smsInt32Payload(std::int32_t value)
{
    yov::FixedPayload<4> p;
    p.setInt32(0, value);
    return p;
}

} // namespace

// --- the panel ---------------------------------------------------------------------------------

void SettingController::buildSmsPanel(QWidget *panel)
{
    auto *layout = static_cast<QVBoxLayout *>(panel->layout());
    auto *form = new QFormLayout;
    layout->addLayout(form);

    labelMessageCenter_ = new QLabel(QStringLiteral("Message Center:"), panel);
    labelMessageCenter_->setObjectName(QStringLiteral("labelMessageCenterSetting"));
    MessageCenter = new QLineEdit(panel);
    MessageCenter->setObjectName(QStringLiteral("textMessageCenterSetting"));
    form->addRow(labelMessageCenter_, MessageCenter);
    connect(MessageCenter, &QLineEdit::textEdited, this, [this] { controlTextDidChange(); });

    labelValidityPeriod_ = new QLabel(QStringLiteral("Validity Period:"), panel);
    labelValidityPeriod_->setObjectName(QStringLiteral("labelValidityPeriodSetting"));
    MessageValidityPeriod = new QComboBox(panel);
    MessageValidityPeriod->setObjectName(QStringLiteral("textMessageValidityPeriodSetting"));
    form->addRow(labelValidityPeriod_, MessageValidityPeriod);
    connect(MessageValidityPeriod, &QComboBox::activated, this, [this] { enableSmsApplyAndCancel(); });

    labelDeliveryReport_ = new QLabel(QStringLiteral("Delivery Report:"), panel);
    labelDeliveryReport_->setObjectName(QStringLiteral("labelDeliveryReportSetting"));
    auto *reportBox = new QWidget(panel);
    reportBox->setObjectName(QStringLiteral("matrixSettingDeliveryReport"));
    auto *reportLayout = new QHBoxLayout(reportBox);
    reportLayout->setContentsMargins(0, 0, 0, 0);
    MessageDeliveryReport = new QButtonGroup(reportBox);
    // The selected cell's tag is the stored switch: row 0 "Turn On" 1, row 1 "Turn Off" 0.
    for (const auto &[text, tag] : {std::pair{"Turn On", 1}, std::pair{"Turn Off", 0}}) {
        auto *cell = new QRadioButton(QString::fromLatin1(text), reportBox);
        MessageDeliveryReport->addButton(cell, tag);
        reportLayout->addWidget(cell);
    }
    reportLayout->addStretch(1);
    deliveryReportBox_ = reportBox;
    form->addRow(labelDeliveryReport_, reportBox);
    connect(MessageDeliveryReport, &QButtonGroup::idClicked, this, [this] { enableSmsApplyAndCancel(); });

    labelMessageStoreLoc_ = new QLabel(QStringLiteral("Location of Saving New SMS:"), panel);
    labelMessageStoreLoc_->setObjectName(QStringLiteral("labelMessageStoreLocSetting"));
    MessageStoreLoc = new QComboBox(panel);
    MessageStoreLoc->setObjectName(QStringLiteral("textLocationSetting"));
    form->addRow(labelMessageStoreLoc_, MessageStoreLoc);
    connect(MessageStoreLoc, &QComboBox::activated, this, [this] { enableSmsApplyAndCancel(); });

    tfMsgRouting_ = new QLabel(QStringLiteral("Message Routing:"), panel);
    cboxMsgRouting_ = new QComboBox(panel);
    cboxMsgRouting_->setObjectName(QStringLiteral("cboxMsgRouting"));
    form->addRow(tfMsgRouting_, cboxMsgRouting_);
    connect(cboxMsgRouting_, &QComboBox::activated, this, [this] { enableSmsApplyAndCancel(); });
    tfMsgRouting_->setVisible(false);
    cboxMsgRouting_->setVisible(false);

    // The single-shift table choice exists for the builds that name a table.
    if (setting(QStringLiteral("SMSNationalIdentifier")).isValid()) {
        tfdSingleLanguageSet_ = new QLabel(QStringLiteral("select single language supported:"), panel);
        cbxSingleLanguageSet_ = new QComboBox(panel);
        cbxSingleLanguageSet_->setObjectName(QStringLiteral("cbxSingleLanguageSet"));
        form->addRow(tfdSingleLanguageSet_, cbxSingleLanguageSet_);
        connect(cbxSingleLanguageSet_, &QComboBox::activated, this, [this] { enableSmsApplyAndCancel(); });
    }

    btnAutoDeleteSMSLable_ = new QCheckBox(QStringLiteral("Auto Delete SMS:"), panel);
    btnAutoDeleteSMSLable_->setObjectName(QStringLiteral("btnAutoDeleteSMSLable"));
    layout->addWidget(btnAutoDeleteSMSLable_);
    connect(btnAutoDeleteSMSLable_, &QCheckBox::clicked, this, [this] { autoDeleteSMSLabelChanged(); });

    auto *buttons = new QHBoxLayout;
    MessageSetCancelBtn = new QPushButton(QStringLiteral("Cancel"), panel);
    MessageSetCancelBtn->setObjectName(QStringLiteral("btnSettingMsgSetCancel"));
    MessageSetApplyBtn = new QPushButton(QStringLiteral("Apply"), panel);
    MessageSetApplyBtn->setObjectName(QStringLiteral("btnSettingMsgSetApply"));
    buttons->addStretch(1);
    buttons->addWidget(MessageSetCancelBtn);
    buttons->addWidget(MessageSetApplyBtn);
    layout->addLayout(buttons);
    connect(MessageSetApplyBtn, &QPushButton::clicked, this, [this] { MessageSetApply(); });
    connect(MessageSetCancelBtn, &QPushButton::clicked, this, [this] { MessageSetCancel(); });
    reloadSmsCombos();
}

void SettingController::reloadSmsCombos()
{
    if (MessageValidityPeriod) {
        const QSignalBlocker blocker(MessageValidityPeriod);
        MessageValidityPeriod->clear();
        for (const char *text : kValidityTexts)
            MessageValidityPeriod->addItem(tr_(QString::fromLatin1(text)));
    }
    if (MessageStoreLoc) {
        const QSignalBlocker blocker(MessageStoreLoc);
        MessageStoreLoc->clear();
        // One item per position in display order; the item's data is the order.
        QList<yov::sms::YovPosition> positions = setSMSPositionManager_.getAllPositions();
        std::stable_sort(positions.begin(), positions.end(),
                         [](const auto &a, const auto &b) { return a.displayOrder() < b.displayOrder(); });
        for (const auto &p : positions) {
            const int code = p.positon();
            const QString text = code >= 0 && code < int(std::size(kStoreTexts))
                                     ? tr_(QString::fromLatin1(kStoreTexts[code]))
                                     : p.positionName();
            MessageStoreLoc->addItem(text, p.displayOrder());
        }
    }
    if (cboxMsgRouting_) {
        const QSignalBlocker blocker(cboxMsgRouting_);
        cboxMsgRouting_->clear();
        for (const QVariant &name : yov::nsArray(setting(kSmsModule, QStringLiteral("MessageRoutingList"))))
            cboxMsgRouting_->addItem(tr_(yov::nsString(name)), yov::nsString(name));
    }
    if (cbxSingleLanguageSet_) {
        const QSignalBlocker blocker(cbxSingleLanguageSet_);
        cbxSingleLanguageSet_->clear();
        for (const SingleLanguage &l : kSingleLanguages)
            cbxSingleLanguageSet_->addItem(tr_(QString::fromLatin1(l.text)));
    }
}

void SettingController::setSMSPositionManagerInit()
{
    const int platform = Platform::platformForDeviceType(
        config().getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("DeviceType")));
    setSMSPositionManager_ = yov::sms::smsSetPositionTable(yov::nsDict(setting(kSmsModule)), platform == Platform::Icera);
}

void SettingController::selectStoreOrder(int order)
{
    if (!MessageStoreLoc)
        return;
    const int index = MessageStoreLoc->findData(order);
    if (index >= 0)
        MessageStoreLoc->setCurrentIndex(index);
}

int SettingController::selectedStoreOrder() const
{
    return MessageStoreLoc && MessageStoreLoc->currentIndex() >= 0 ? MessageStoreLoc->currentData().toInt() : -1;
}

void SettingController::InitSMSSettingNib()
{
    if (!sethasModuleWith(kSmsModule) || !MessageCenter)
        return;
    MessageSetApplyBtn->setEnabled(false);
    MessageSetCancelBtn->setEnabled(false);
    MessageStoreLoc->setEnabled(false);
    MessageCenter->setEnabled(false);
    MessageCenter->setReadOnly(true);
    selectSmsStoredValues();
    if (setting(kSmsModule, QStringLiteral("MessageRouting")).isValid()) {
        tfMsgRouting_->setVisible(true);
        cboxMsgRouting_->setVisible(true);
        cboxMsgRouting_->setCurrentIndex(readMessageRouting());
        cboxMsgRouting_->setEnabled(false);
    }
}

void SettingController::initSmsModuleWording()
{
    const struct {
        QLabel *label;
        const char *text;
    } labels[] = {{labelMessageCenter_, "Message Center:"},        {labelValidityPeriod_, "Validity Period:"},
                  {labelDeliveryReport_, "Delivery Report:"},      {labelMessageStoreLoc_, "Location of Saving New SMS:"},
                  {tfMsgRouting_, "Message Routing:"},             {tfdSingleLanguageSet_, "select single language supported:"}};
    for (const auto &l : labels)
        if (l.label)
            l.label->setText(tr_(QString::fromLatin1(l.text)));
    if (MessageDeliveryReport) {
        MessageDeliveryReport->button(1)->setText(tr_(QStringLiteral("Turn On")));
        MessageDeliveryReport->button(0)->setText(tr_(QStringLiteral("Turn Off")));
    }
    if (btnAutoDeleteSMSLable_)
        btnAutoDeleteSMSLable_->setText(tr_(QStringLiteral("Auto Delete SMS:")));
    if (MessageSetApplyBtn)
        MessageSetApplyBtn->setText(tr_(QStringLiteral("Apply")));
    if (MessageSetCancelBtn)
        MessageSetCancelBtn->setText(tr_(QStringLiteral("Setting_MessageSetCancelBtn")));
    const int store = selectedStoreOrder();
    reloadSmsCombos();
    if (MessageValidityPeriod)
        MessageValidityPeriod->setCurrentIndex(storedValidityIndex());
    selectStoreOrder(store);
    if (cboxMsgRouting_)
        cboxMsgRouting_->setCurrentIndex(readMessageRouting());
    if (cbxSingleLanguageSet_) {
        cbxSingleLanguageSet_->setToolTip(tr_(QStringLiteral("single language support tip:")));
        const QString stored = yov::nsString(setting(QStringLiteral("SMSNationalIdentifier")));
        for (int i = 0; i < int(std::size(kSingleLanguages)); ++i)
            if (stored == QLatin1String(kSingleLanguages[i].identifier))
                cbxSingleLanguageSet_->setCurrentIndex(i);
    }
}

void SettingController::setSMSTabEnabled(bool enable)
{
    for (QWidget *w : {static_cast<QWidget *>(MessageCenter.data()), static_cast<QWidget *>(MessageValidityPeriod.data()),
                       deliveryReportBox_.data(), static_cast<QWidget *>(MessageStoreLoc.data()),
                       static_cast<QWidget *>(MessageSetApplyBtn.data()), static_cast<QWidget *>(MessageSetCancelBtn.data())})
        if (w)
            w->setEnabled(enable);
}

void SettingController::enableSmsApplyAndCancel()
{
    if (MessageSetApplyBtn)
        MessageSetApplyBtn->setEnabled(true);
    if (MessageSetCancelBtn)
        MessageSetCancelBtn->setEnabled(true);
}

QString SettingController::filterMessageCenter(const QString &text)
{
    // Only "+" and the digits, then the device's room: filtering first keeps letters out of a
    // long paste.
    QString kept;
    for (QChar c : text)
        if (c == QLatin1Char('+') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            kept.append(c);
    return kept.left(kCentreMax);
}

void SettingController::controlTextDidChange()
{
    enableSmsApplyAndCancel();
    if (!MessageCenter)
        return;
    const QString text = MessageCenter->text();
    if (text.isEmpty())
        return;
    const QString kept = filterMessageCenter(text);
    if (kept != text)
        MessageCenter->setText(kept);
}

void SettingController::selectSmsStoredValues()
{
    if (MessageDeliveryReport)
        MessageDeliveryReport->button(readDeliveryReport() ? 1 : 0)->setChecked(true);
    if (MessageValidityPeriod)
        MessageValidityPeriod->setCurrentIndex(storedValidityIndex());
}

int SettingController::storedValidityIndex() const
{
    // A stored value the combo does not have reads as the longest period.
    const int period = readValidityPeriod();
    return period >= 0 && period < int(std::size(kValidityTexts)) ? period : 3;
}

// --- Apply and Cancel --------------------------------------------------------------------------

void SettingController::MessageSetApply()
{
    if (!MessageCenter)
        return;
    MessageSetApplyBtn->setEnabled(false);
    MessageSetCancelBtn->setEnabled(false);
    writeDeliveryReport(MessageDeliveryReport->checkedId() == 1);
    writeValidityPeriod(MessageValidityPeriod->currentIndex());
    YOVMsgCenter *center = yovMsgCenter();
    if (MessageStoreLoc && !MessageStoreLoc->isHidden()) {
        const int order = selectedStoreOrder();
        const int position = setSMSPositionManager_.getPositionByPositionOrder(order);
        if (position >= 0) {
            currentSetSMSPosition_ = position;
            currentSetSMSPositionIndex_ = order;
            if (center)
                center->sendCatalogued<768, 96>(smsInt32Payload(position), yov::kModuleSetting);
        }
    }
    // An empty field would clear the SIM's centre and stop all sending: it is not sent.
    const QString centre = MessageCenter->text();
    if (!centre.isEmpty()) {
        QString why;
        const auto bytes = yov::encodeSmsCentre(centre, &why);
        if (!bytes)
            qCWarning(lcSetting).noquote() << "message centre not sent:" << why;
        else if (center)
            center->sendCatalogued(768, 95, *bytes, yov::kModuleSMS);
    }
    // Routing only where the build offers it, and only a value of the table.
    const int routing = selectedRoutingValue();
    if (setting(kSmsModule, QStringLiteral("MessageRouting")).isValid() && center && routing >= 0
        && routing < int(std::size(kRoutingNames)))
        center->sendCatalogued<768, 106>(smsInt32Payload(routing));
    if (cbxSingleLanguageSet_)
        writeSMSNationalIdentifier();
}

int SettingController::selectedRoutingValue() const
{
    if (!cboxMsgRouting_)
        return 0;
    const QString text = cboxMsgRouting_->currentText();
    for (int i = 0; i < int(std::size(kRoutingNames)); ++i)
        if (text == tr_(QString::fromLatin1(kRoutingNames[i])))
            return i;
    return cboxMsgRouting_->currentIndex();
}

void SettingController::MessageSetCancel()
{
    if (!MessageCenter)
        return;
    MessageSetApplyBtn->setEnabled(false);
    MessageSetCancelBtn->setEnabled(false);
    selectSmsStoredValues();
    MessageCenter->setText(readMessageCenter());
    selectStoreOrder(currentSetSMSPositionIndex_);
    if (cboxMsgRouting_)
        cboxMsgRouting_->setCurrentIndex(readMessageRouting());
}

void SettingController::btMessageSetApply(const yov::Notification &n)
{
    writeDeliveryReport(yov::nsBool(n.userInfo.value(QStringLiteral("flag"))));
    if (YOVMsgCenter *center = yovMsgCenter())
        center->sendCatalogued<768, 96>(smsInt32Payload(yov::nsInt(n.userInfo.value(QStringLiteral("index")))),
                                        yov::kModuleSetting);
}

void SettingController::checkMessageCenter()
{
    if (YOVMsgCenter *center = yovMsgCenter())
        center->sendCatalogued<768, 109>(yov::kModuleSMS);
}

void SettingController::writeSMSNationalIdentifier()
{
    const int index = cbxSingleLanguageSet_ ? cbxSingleLanguageSet_->currentIndex() : -1;
    if (index < 0 || index >= int(std::size(kSingleLanguages))) {
        qCWarning(lcSetting) << "only support spanish and portugues in setting table!";
        return;
    }
    config().setConfigurationByModule(QStringLiteral("SMSNationalIdentifier"),
                                      QString::fromLatin1(kSingleLanguages[index].identifier));
    config().writeToFile();
    if (YOVMsgCenter *center = yovMsgCenter())
        center->sendCatalogued<768, 110>(yov::kModuleSMS);
}

void SettingController::autoDeleteSMSLabelChanged()
{
    if (!btnAutoDeleteSMSLable_)
        return;
    config().setConfigurationByModuleKeyAndValue(kSmsModule, QStringLiteral("AutoDeleteState"),
                                                 btnAutoDeleteSMSLable_->isChecked());
    config().writeToFile();
}

// --- readers and writers -----------------------------------------------------------------------

void SettingController::writeMessageCenter(const QString &number)
{
    DefaultSettingController::writeMessageCenter(number);
    // The field follows a centre the SMS page learnt from the device, unless the user is editing.
    if (MessageSetApplyBtn && !MessageSetApplyBtn->isEnabled())
        openMessageCenterField(number);
}

void SettingController::openMessageCenterField(const QString &text)
{
    if (!MessageCenter)
        return;
    MessageCenter->setText(text);
    MessageCenter->setEnabled(true);
    MessageCenter->setReadOnly(yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("MessageCenterEditFobidden"))));
}

void SettingController::writeValidityPeriod(int period)
{
    config().setConfigurationByModule(QStringLiteral("MessageValidPeriod"), period);
    config().writeToFile();
}

void SettingController::writeDeliveryReport(bool on)
{
    config().setConfigurationByModule(QStringLiteral("SwitchDeliveryReport"), on);
    config().writeToFile();
}

int SettingController::readMessageRouting() const
{
    return yov::nsInt(setting(kSmsModule, QStringLiteral("MessageRouting")));
}

void SettingController::writeMessageRouting(int routing)
{
    if (!setting(kSmsModule, QStringLiteral("MessageRouting")).isValid())
        return;
    config().setConfigurationByModuleKeyAndValue(kSmsModule, QStringLiteral("MessageRouting"), routing);
    config().writeToFile();
}

void SettingController::setIsSimCardFull(bool full)
{
    isSMSInSimCardFull_ = full;
    setMessageStoreLocEnable();
}

void SettingController::setMessageStoreLocEnable()
{
    if (!MessageStoreLoc)
        return;
    if (yov::nsBool(setting(kSmsModule, QStringLiteral("SetSMSSavePosToPCWhenSIMFull"))) && isSMSInSimCardFull_) {
        const int order = setSMSPositionManager_.getPositionOrderByPositon(kStoreCodePc);
        selectStoreOrder(order);
        currentSetSMSPositionIndex_ = order;
        currentSetSMSPosition_ = kStoreCodePc;
        MessageStoreLoc->setEnabled(false);
    } else {
        MessageStoreLoc->setEnabled(true);
    }
}

void SettingController::setSMSStoreLocWhenFirstStartupUI()
{
    ConfigService switches(&config());
    const QString name = switches.getSMSDefaultStorePosWhenFirstStartUpUI();
    const int code = setSMSPositionManager_.getPositionByPositionName(name);
    const int order = setSMSPositionManager_.getPositionOrderByPositonName(name);
    if (code < 0 || order < 0)
        return;
    selectStoreOrder(order);
    currentSetSMSPositionIndex_ = order;
    currentSetSMSPosition_ = code;
    if (setting(QStringLiteral("Setting"), QStringLiteral("Setting_SetSMSDefaultStore_WhenFirstStartUpUI")).isValid()) {
        config().setConfigurationByModuleKeyAndValue(QStringLiteral("Setting"),
                                                     QStringLiteral("Setting_SetSMSDefaultStore_WhenFirstStartUpUI"), false);
        config().writeToFile();
    }
    if (YOVMsgCenter *center = yovMsgCenter())
        center->sendCatalogued<768, 96>(smsInt32Payload(code), yov::kModuleSetting);
}

// --- the device's answers ----------------------------------------------------------------------

void SettingController::dealWithMsgOfSMSCenter(const yov::Notification &n)
{
    yov::UI_MSG msg = yov::zeroMsg();
    if (yovMsgCenter())
        yovMsgCenter()->getMsgPackage(&msg, &n);
    if (msg.type != yov::kSmsTypeAnswer || !MessageCenter)
        return;
    MessageCenter->setEnabled(true);
    if (msg.result != 0) {
        MessageCenter->setText(readMessageCenter());
        alertWarning(QStringLiteral("Fail to set message center!"));
    } else if (msg.dataLength > 0) {
        // The centre within the record's 32 bytes, whatever its length field says.
        const int length = std::min(msg.dataLength, yov::kSmsCentreSize);
        const QString centre = yov::PayloadReader(QByteArray(reinterpret_cast<const char *>(msg.data), length))
                                   .utf8Text(0, length);
        DefaultSettingController::writeMessageCenter(centre);
        MessageCenter->setText(centre);
    } else {
        DefaultSettingController::writeMessageCenter(MessageCenter->text());
    }
    openMessageCenterField(MessageCenter->text());
}

void SettingController::dealWithMsgOfSMSRevPos(const yov::Notification &n)
{
    if (!sethasModuleWith(kSmsModule) || !MessageStoreLoc)
        return;
    yov::UI_MSG msg = yov::zeroMsg();
    if (yovMsgCenter())
        yovMsgCenter()->getMsgPackage(&msg, &n);
    if (msg.type != yov::kSmsTypeAnswer || msg.result != 0)
        return;
    if (msg.dataLength == 0) {
        setMessageStoreLocEnable();
        return;
    }
    if (msg.dataLength != yov::kSmsInt32Size)
        return;
    const std::int32_t code = yov::decodeSmsInt32(yov::PayloadReader::ofMsg(msg));
    setMessageStoreLocEnable();
    if (ConfigService(&config()).isSupportSetSMSDefaultStorePosWhenFirstStartUpUI()) {
        setSMSStoreLocWhenFirstStartupUI();
        return;
    }
    int order = setSMSPositionManager_.getPositionOrderByPositon(code);
    if (code == 0 && !setSMSPositionManager_.hasPosition(0))
        order = setSMSPositionManager_.getPositionOrderByPositon(kStoreCodePc);
    if (order >= 0)
        selectStoreOrder(order);
    currentSetSMSPositionIndex_ = order;
    currentSetSMSPosition_ = code;
}

void SettingController::dealWithMsgOfMsgRoutingRead(const yov::Notification &n)
{
    if (!cboxMsgRouting_)
        return;
    yov::UI_MSG msg = yov::zeroMsg();
    if (yovMsgCenter())
        yovMsgCenter()->getMsgPackage(&msg, &n);
    const std::int32_t value = yov::decodeSmsInt32(yov::PayloadReader::ofMsg(msg));
    // A failed read, or a value outside the table, brings back the stored choice.
    if (msg.result != 0 || value < 0 || value >= int(std::size(kRoutingNames))) {
        cboxMsgRouting_->setCurrentIndex(readMessageRouting());
    } else {
        const QString name = QString::fromLatin1(kRoutingNames[value]);
        const QVariantList list = yov::nsArray(setting(kSmsModule, QStringLiteral("MessageRoutingList")));
        int index = 0;
        for (int i = 0; i < list.size(); ++i)
            if (yov::nsString(list[i]) == name) {
                index = i;
                break;
            }
        cboxMsgRouting_->setCurrentIndex(index);
        writeMessageRouting(index);
    }
    cboxMsgRouting_->setEnabled(true);
}

void SettingController::dealWithMsgOfMsgRoutingFeedback(const yov::Notification &n)
{
    if (!cboxMsgRouting_)
        return;
    yov::UI_MSG msg = yov::zeroMsg();
    if (yovMsgCenter())
        yovMsgCenter()->getMsgPackage(&msg, &n);
    if (msg.result != 0)
        cboxMsgRouting_->setCurrentIndex(readMessageRouting());
    else
        writeMessageRouting(cboxMsgRouting_->currentIndex());
}

// --- data service ------------------------------------------------------------------------------

void SettingController::setDataServicesStatus(const yov::Notification &n)
{
    const bool on = yov::nsBool(n.userInfo.value(QStringLiteral("DataServiceSwitch")));
    const QList<QWidget *> controls{methodBox_.data(), searchModeBox_.data(), bandBox_.data(),
                                    static_cast<QWidget *>(bandSaveButton_.data())};
    if (!on) {
        for (QWidget *w : controls)
            if (w)
                w->setEnabled(false);
        return;
    }
    if (Neighbours::dial().connectStatus() != 0)
        return; // a running connection keeps them off
    for (QWidget *w : controls)
        if (w)
            w->setEnabled(true);
}

} // namespace ostrel
