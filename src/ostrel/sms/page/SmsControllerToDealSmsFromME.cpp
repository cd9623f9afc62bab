#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFiles.h"
#include "common/sms/YOVMessageModelManager.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/sms/page/SMSController.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcSmsCapacity, "ostrel.sms.capacity")

namespace ostrel {

namespace {

// Whether a value, as text, contains the key ignoring case; a missing value never matches.
bool smsTextHasKey(const QString &text, const QString &key)
{
    return !text.isNull() && text.contains(key, Qt::CaseInsensitive);
}

} // namespace

void SMSController::loadMessagesInPosition(int position)
{
    if (!hasPosition(yov::sms::kPositionMe))
        return;
    const auto file = yov::sms::readSmsListFile(config().configFilePathOfKey(configkeys::kCMSMSListOfMEFile));
    messagesFromME_ = file.value_or(QVariantMap());
    for (int box : {0, 1, 2}) {
        const QString name = getBoxStrWithBox(box);
        if (!messagesFromME_.contains(name))
            continue;
        QVariantList list = yov::nsArray(messagesFromME_.value(name));
        setUserNameAndIndexToSMSBoxList(list, box, position);
        messagesFromME_.insert(name, list);
    }
    modemUsed_ = getMessageNumWithPosition(yov::sms::kPositionMe);
    if (isFullWithPosition(yov::sms::kPositionMe))
        alertFullWithPosition(yov::sms::kPositionMe, FullAlertStore);
}

QVariantList SMSController::getMeMessagesInBox(int box) const
{
    if (box < 0 || box > yov::sms::kBoxDraftBox)
        return {};
    return yov::nsArray(messagesFromME_.value(getBoxStrWithBox(box)));
}

QVariantList SMSController::searchMessagesWithKey(const QString &key, int box) const
{
    QVariantList found;
    for (const QVariant &entry : getMeMessagesInBox(box)) {
        const yov::sms::YOVMessage message = yov::sms::YOVMessageModelManager::getYovMessageFromMessageContentDict(yov::nsDict(entry));
        if (!message)
            continue;
        const QDateTime date = message->getMessageDate();
        if (smsTextHasKey(message->getPhoneNum(), key) || smsTextHasKey(message->getUserName(), key)
            || (date.isValid() && smsTextHasKey(formatStringFromDate(date), key))
            || smsTextHasKey(message->getMessageText(), key))
            found.append(entry);
    }
    return found;
}

int SMSController::getMessageNumWithPosition(int position, int box) const
{
    return smsPlacesOfList(getCurrentBoxListBySearchFlag(false, position, box).value_or(QVariantList()));
}

int SMSController::getMessageNumWithPosition(int position) const
{
    return getMessageNumWithPosition(position, 0) + getMessageNumWithPosition(position, 1) + getMessageNumWithPosition(position, 2);
}

int SMSController::getSMSCountWithPos(int position) const
{
    if (position != yov::sms::kPositionPc)
        return getMessageNumWithPosition(position);
    int count = 0;
    for (int box : {0, 1, 2, 4, 5})
        count += int(allPcLists_.value(box).size());
    return count;
}

SmsCapacityCounts SMSController::capacityCounts() const
{
    SmsCapacityCounts counts;
    counts.simCap = m_nSIM_Cap;
    counts.simUsed = m_nSIM_Used;
    counts.modemCap = modemCap_;
    counts.modemUsed = modemUsed_;
    counts.pcCap = pcSmsCapacity(smsModule());
    counts.pcStored = getSMSCountWithPos(yov::sms::kPositionPc);
    return counts;
}

bool SMSController::isFullWithPosition(int position) const
{
    return ostrel::isFullWithPosition(position, capacityCounts());
}

bool SMSController::hasEnoughSpaceToReceiveWithPosition(int position, const QVariantList &selected)
{
    const SmsRoom room = roomForPlaces(position, smsPlacesOfList(selected), capacityCounts());
    if (room != SmsRoom::Enough)
        NSRunAlertPanelExt(Map_Name_Item_of_IndexString(QStringLiteral("Warning")),
                           Map_Name_Item_of_IndexString(smsRoomAlertText(room)),
                           Map_Name_Item_of_IndexString(QStringLiteral("OK")));
    return smsRoomAllowsStoring(room);
}

bool SMSController::hasEnoughCapacityWithMax(const QVariantList &selected) const
{
    return qint64(smsPlacesOfList(selected)) <= qint64(m_nSIM_Cap) - m_nSIM_Used;
}

void SMSController::dealWithMsgOfSMSNum(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (!yov::smsTypeAccepted(yov::smsmsg::kMinorCapacity, msg.type))
        return;
    const yov::SmsCapacity counts = yov::SmsCapacity::decode(yov::PayloadReader::ofMsg(msg));
    m_nSIM_Cap = counts.simCapacity;
    m_nSIM_Used = counts.simUsed;
    modemCap_ = counts.meCapacity;
    modemUsed_ = counts.meUsed;
}

void SMSController::autoDeleteSMSWhenSIMCardFull()
{
    sendRequest<768, 111>();
}

void SMSController::ensureSimMaxWarningWindow()
{
    if (smsSimMaxWarningWin_)
        return;
    auto *window = new QDialog(wndMain);
    window->setObjectName(QStringLiteral("smsSimMaxWarningWin"));
    window->setWindowTitle(Map_Name_Item_of_IndexString(QStringLiteral("Warning")));
    auto *layout = new QVBoxLayout(window);
    simMaxText_ = new QLabel(window);
    simMaxText_->setObjectName(QStringLiteral("simMaxText"));
    simMaxText_->setWordWrap(true);
    layout->addWidget(simMaxText_);
    simMaxCheckBox_ = new QCheckBox(Map_Name_Item_of_IndexString(QStringLiteral("Do not display this message again")), window);
    simMaxCheckBox_->setObjectName(QStringLiteral("simMaxCheckBox"));
    layout->addWidget(simMaxCheckBox_);
    auto *buttons = new QDialogButtonBox(window);
    buttons->addButton(Map_Name_Item_of_IndexString(QStringLiteral("OK")), QDialogButtonBox::AcceptRole);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, window, &QDialog::hide);
    QObject::connect(simMaxCheckBox_.data(), &QCheckBox::toggled, this, [this](bool on) { simMaxStopped_ = on; });
    smsSimMaxWarningWin_ = window;
}

void SMSController::alertFullWithPosition(int position, int fullAlertType)
{
    const bool ravoTim = yov::nsBool(setting(QStringLiteral("specialSoftVersion"), QStringLiteral("RAVO_TIM")));
    QString text;
    bool withCheckBox = false;
    if (position == yov::sms::kPositionMe && isFullWithPosition(yov::sms::kPositionMe)) {
        text = QStringLiteral("Modem SMS bank is full!");
    } else if (fullAlertType == FullAlertTooLong) {
        text = QStringLiteral("New message is too long, and will be saved in PC!");
    } else if (fullAlertType == FullAlertDatabase) {
        text = QStringLiteral("Database is full,please delete some items.");
    } else if (fullAlertType == FullAlertStore) {
        if (smsSwitch("AutoDeleteState")) {
            autoDeleteSMSWhenSIMCardFull();
            return;
        }
        qCInfo(lcSmsCapacity) << "Sim sms numbers is max!";
        if (ravoTim && simMaxStopped_)
            return;
        text = QStringLiteral("(U)SIM SMS bank is full!");
        withCheckBox = ravoTim;
    }
    ensureSimMaxWarningWindow();
    simMaxText_->setText(Map_Name_Item_of_IndexString(text));
    simMaxCheckBox_->setVisible(withCheckBox);
    smsSimMaxWarningWin_->show();
    smsSimMaxWarningWin_->raise();
}

} // namespace ostrel
