// The operator's new-message pop-up list (SMS/smsPopUpOfD3u): a small floating panel naming the
// sender and time of the newest unread message, fed with the unread computer inbox when the lists
// load and with each new message; "Open" shows the message in the content window and marks it read.
#include "ostrel/sms/page/SMSController.h"

#include "common/ValueConversion.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/service/SmsTableCells.h"
#include "platform/Clock.h"

#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel {

namespace {

QLabel *popUpLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText); // a sender or a message text, never markup
    return label;
}

// The (number, date) of each part of a list-file message: one for a single message.
QList<QPair<QString, QDateTime>> messagePartsOf(const QVariantMap &message)
{
    QList<QPair<QString, QDateTime>> out;
    const QVariant info = message.value(QStringLiteral("smsInfo"));
    const auto add = [&out](const QVariantMap &part) {
        out.append({yov::nsString(part.value(QStringLiteral("mobilephone"))), part.value(QStringLiteral("date")).toDateTime()});
    };
    if (info.typeId() == QMetaType::QVariantMap)
        add(info.toMap());
    else if (info.typeId() == QMetaType::QVariantList)
        for (const QVariant &part : info.toList())
            add(yov::nsDict(part));
    else
        add(message);
    return out;
}

bool entryMatches(const SMSController::PopUpEntry &entry, const QVariantMap &message)
{
    const auto parts = messagePartsOf(message);
    return std::any_of(parts.cbegin(), parts.cend(),
                       [&entry](const auto &part) { return part.first == entry.phone && part.second == entry.date; });
}

} // namespace

void SMSController::specialAwakeFromNib()
{
    if (!smsSwitch("smsPopUpOfD3u") || !page_ || tfdNewSmsSenderOfPop_Up_)
        return;
    SmsPageView *p = page_;
    QDialog *panel = p->panelNewSmsArriveOfPop_Up;
    panel->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    panel->setAttribute(Qt::WA_ShowWithoutActivating, true);
    auto *fields = new QFormLayout;
    tfdNewSmsPOPupArriveSubTitle_ = popUpLabel(panel, "tfdNewSmsPOPupArriveSubTitle_");
    tfdNewSmsFromOfPop_Up_ = popUpLabel(panel, "tfdNewSmsFromOfPop_Up");
    tfdNewSmsSenderOfPop_Up_ = popUpLabel(panel, "tfdNewSmsSenderOfPop_Up");
    tfdNewSmsTimeOfPop_Up_ = popUpLabel(panel, "tfdNewSmsTimeOfPop_Up");
    tfdNewSmsArriveTimeOfPop_Up_ = popUpLabel(panel, "tfdNewSmsArriveTimeOfPop_Up");
    fields->addRow(tfdNewSmsPOPupArriveSubTitle_);
    fields->addRow(tfdNewSmsFromOfPop_Up_, tfdNewSmsSenderOfPop_Up_);
    fields->addRow(tfdNewSmsTimeOfPop_Up_, tfdNewSmsArriveTimeOfPop_Up_);
    qobject_cast<QVBoxLayout *>(panel->layout())->insertLayout(0, fields);

    QDialog *content = p->winNewSmsContextOfPop_Up;
    auto *rows = new QFormLayout;
    const auto row = [&](const char *labelName, const char *fieldName) {
        QLabel *label = popUpLabel(content, labelName);
        QLabel *field = popUpLabel(content, fieldName);
        rows->addRow(label, field);
        return std::pair{label, field};
    };
    std::tie(tfdNewSmsContentFromLabel_, tfdNewSmsContentFromPop_Up_) = row("labelNewSmsContentFrom", "tfdNewSmsContentFromPop_Up");
    std::tie(tfdNewSmsContentPhoneLabel_, tfdNewSmsContentMobilePhoneOfPop_Up_) =
        row("labelNewSmsContentPhone", "tfdNewSmsContentMobilePhoneOfPop_Up");
    std::tie(tfdNewSmsContentTimeLabel_, tfdNewSmsContentTimeOfPop_Up_) = row("labelNewSmsContentTime", "tfdNewSmsContentTimeOfPop_Up");
    tfdNewSmsContentTextOfPop_Up_ = popUpLabel(content, "tfdNewSmsContentTextOfPop_Up");
    tfdNewSmsContentTextOfPop_Up_->setWordWrap(true);
    rows->addRow(tfdNewSmsContentTextOfPop_Up_);
    qobject_cast<QVBoxLayout *>(content->layout())->insertLayout(0, rows);

    connect(p->btnOpenOfPop_Up, &QPushButton::clicked, this, [this] { openNewSMSContentOfPop_Up(); });
    connect(p->btnNewSmsContentOK, &QPushButton::clicked, this, [this] { closeSMSContentOfPop_UP(); });
    SpecialInit_SMS_Wording();
}

void SMSController::SpecialInit_SMS_Wording()
{
    if (!smsSwitch("smsPopUpOfD3u") || !page_ || !tfdNewSmsSenderOfPop_Up_)
        return;
    SmsPageView *p = page_;
    tfdNewSmsFromOfPop_Up_->setText(word(QStringLiteral("popupFrom")));
    tfdNewSmsTimeOfPop_Up_->setText(word(QStringLiteral("time")));
    p->btnOpenOfPop_Up->setText(word(QStringLiteral("Open")));
    tfdNewSmsContentFromLabel_->setText(word(QStringLiteral("popupFrom")));
    tfdNewSmsContentPhoneLabel_->setText(word(QStringLiteral("popupPhone")));
    tfdNewSmsContentTimeLabel_->setText(word(QStringLiteral("time")));
    p->btnNewSmsContentOK->setText(word(QStringLiteral("OK")));
    tfdNewSmsPOPupArriveSubTitle_->setText(word(QStringLiteral("new sms pop up subTitle")));
    p->panelNewSmsArriveOfPop_Up->setWindowTitle(word(QStringLiteral("new sms pop up title")));
}

void SMSController::addPop_upUnReadSMSFromPC()
{
    tmpNewSMSListOfPop_Up_.clear();
    const QVariantList inbox = shownPcLists_.value(yov::sms::kBoxInBox);
    for (auto it = inbox.crbegin(); it != inbox.crend(); ++it) {
        const QVariantMap message = yov::nsDict(*it);
        if (!smsMessageIsUnread(message))
            continue;
        const auto first = messagePartsOf(message).value(0);
        QString name = smsMessageField(message, QStringLiteral("username"));
        if (name.isEmpty())
            name = Neighbours::phonebook().searchNameAtPhoneBook(first.first);
        tmpNewSMSListOfPop_Up_.append({first.second, name.isEmpty() ? first.first : name, first.first, -1,
                                       formatStringFromDate(first.second)});
    }
}

void SMSController::addPop_UpSMSWhenReceiveNewSMS(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record)
{
    const QDateTime date = yov::calcTimeStamp(record.timeStamp);
    const QString looked = Neighbours::phonebook().searchNameAtPhoneBook(record.sender);
    tmpNewSMSListOfPop_Up_.append({date, looked.isEmpty() ? record.sender : looked, record.sender,
                                   record.storage == yov::kSmsStoredPcSimFull ? 0 : int(record.storage),
                                   formatStringFromDate(date)});
}

void SMSController::showNewSMSWindowOfPop_Up()
{
    if (tmpNewSMSListOfPop_Up_.isEmpty() || !page_)
        return;
    specialAwakeFromNib();
    const PopUpEntry &newest = tmpNewSMSListOfPop_Up_.constLast();
    if (tfdNewSmsSenderOfPop_Up_) {
        tfdNewSmsSenderOfPop_Up_->setText(newest.userName);
        tfdNewSmsArriveTimeOfPop_Up_->setText(newest.dateString);
    }
    if (!page_->panelNewSmsArriveOfPop_Up->isVisible())
        showWithoutFocus(page_->panelNewSmsArriveOfPop_Up);
}

void SMSController::closeNewSMSWindowOfPop_Up()
{
    if (page_)
        page_->panelNewSmsArriveOfPop_Up->hide();
    stopSound(2);
}

void SMSController::closeSMSContentOfPop_UP()
{
    if (page_)
        page_->winNewSmsContextOfPop_Up->hide();
}

void SMSController::removeMessageOfPop_UpWithMessage(const QVariantMap &message)
{
    for (qsizetype i = 0; i < tmpNewSMSListOfPop_Up_.size(); ++i)
        if (entryMatches(tmpNewSMSListOfPop_Up_.at(i), message)) {
            tmpNewSMSListOfPop_Up_.removeAt(i);
            break;
        }
    if (tmpNewSMSListOfPop_Up_.isEmpty())
        closeNewSMSWindowOfPop_Up();
    else
        showNewSMSWindowOfPop_Up();
}

void SMSController::openNewSMSContentOfPop_Up()
{
    if (tmpNewSMSListOfPop_Up_.isEmpty() || !page_)
        return;
    const PopUpEntry entry = tmpNewSMSListOfPop_Up_.takeLast();
    const int position = entry.location == yov::sms::kPositionPc || entry.location < 0 ? yov::sms::kPositionPc
                                                                                         : yov::sms::kPositionSim;
    const QVariantList list = position == yov::sms::kPositionPc ? shownPcLists_.value(yov::sms::kBoxInBox)
                                                                 : simLists_.value(yov::sms::kBoxInBox);
    std::optional<QVariantMap> found;
    for (const QVariant &m : list)
        if (entryMatches(entry, yov::nsDict(m))) {
            found = yov::nsDict(m);
            break;
        }
    specialAwakeFromNib();
    if (tfdNewSmsContentFromPop_Up_) {
        tfdNewSmsContentFromPop_Up_->setText(entry.userName);
        tfdNewSmsContentMobilePhoneOfPop_Up_->setText(entry.phone);
        tfdNewSmsContentTimeOfPop_Up_->setText(entry.dateString);
        tfdNewSmsContentTextOfPop_Up_->setText(found ? smsMessageText(*found) : QString());
    }
    if (tmpNewSMSListOfPop_Up_.isEmpty())
        closeNewSMSWindowOfPop_Up();
    else
        showNewSMSWindowOfPop_Up();
    if (!found)
        return;
    // The message's own index in its list file: the shown computer list may be filtered by IMSI.
    sendRequest<768, 102>(yov::SmsReadRequest{position, yov::nsInt(found->value(QStringLiteral("index")))});
    notifyChangeTabViewItem(QStringLiteral("SMS"));
    selectPositionRow(position);
    loadSmsList();
    if (wndMain && wndMain->isMinimized()) {
        wndMain->showNormal();
        wndMain->raise();
    }
    page_->winNewSmsContextOfPop_Up->show();
    page_->winNewSmsContextOfPop_Up->raise();
}

} // namespace ostrel
