#include "brannoc/SmsEntries.h"

#include "common/ValueConversion.h"
#include "common/sms/YOVCompositeConcatMessage.h"
#include "common/sms/YOVConcatMessage.h"
#include "common/sms/YOVMessageModelManager.h"

#include <algorithm>

namespace brannoc {

namespace {

using namespace yov::sms;

YOVMessageModelManager &model()
{
    return YOVMessageModelManager::sharedYOVMessageModelManagerInstance();
}

YOVMessageValues valuesOf(const SmsStoredPart &p, bool concatenated)
{
    YOVMessageValues v;
    v.messageText = p.text;
    v.userName = QStringLiteral("");
    v.phoneNum = p.number;
    v.status = p.stat;
    v.concatSmsFlag = concatenated;
    v.messageCenterphoneNum = p.centre;
    v.messageDate = p.date;
    v.messagePID = p.pid;
    v.messageDCS = p.dcs;
    v.messagePDU = p.pdu;
    return v;
}

SmsStoredPart partOf(const YOVMessageModelProtocol &m)
{
    SmsStoredPart p;
    p.text = m.getMessageText();
    p.number = m.getPhoneNum();
    p.centre = m.getMessageCenterphoneNum();
    p.pdu = m.getMessagePDU();
    p.date = m.getMessageDate();
    p.pid = yov::nsInt(m.getMessagePID());
    p.dcs = yov::nsInt(m.getMessageDCS());
    p.stat = m.getMessageStatus();
    p.box = yov::nsInt(m.messageBox());
    p.seq = m.getMessageSeqNum().isValid() ? yov::nsInt(m.getMessageSeqNum()) : 1;
    p.reference = yov::nsInt(m.getMessageRefIndex());
    p.total = std::max(1, m.getMessageTotalNum());
    return p;
}

QVariant summaryValue(const QVariantMap &entry, const char *key)
{
    return isFlatEntry(entry) ? entry.value(QLatin1String(key)) : model().getMessageValueWithMessage(entry, QLatin1String(key));
}

} // namespace

QVariantMap smsRegularEntry(QList<SmsStoredPart> parts, bool concatenated, const QString &imsi)
{
    std::stable_sort(parts.begin(), parts.end(), [](const SmsStoredPart &a, const SmsStoredPart &b) { return a.seq < b.seq; });
    QVariantMap entry;
    if (concatenated) {
        auto composite = std::make_shared<YOVCompositeConcatMessage>();
        for (const SmsStoredPart &p : parts) {
            auto part = std::make_shared<YOVConcatMessage>(p.total, p.reference, p.seq, valuesOf(p, true));
            part->setMessageBox(p.box);
            composite->addConcatMessage(part);
        }
        entry = model().getRegularSmsContentDictWithMessageProtocol(composite);
        // The parts of a concatenated message also tell their reference and total.
        QVariantList stored = entry.value(QStringLiteral("smsInfo")).toList();
        for (int i = 0; i < stored.size(); ++i) {
            QVariantMap part = stored.at(i).toMap();
            part.insert(QStringLiteral("refIndex"), parts.at(i).reference);
            part.insert(QStringLiteral("totalNum"), parts.at(i).total);
            stored[i] = part;
        }
        entry.insert(QStringLiteral("smsInfo"), stored);
    } else {
        const SmsStoredPart p = parts.value(0);
        auto single = std::make_shared<YOVSingleMessage>(valuesOf(p, false));
        single->setMessageBox(p.box);
        entry = model().getRegularSmsContentDictWithMessageProtocol(single);
    }
    if (!imsi.isEmpty())
        entry.insert(QStringLiteral("IMSI"), imsi);
    return entry;
}

QVariantMap smsFlatDraftEntry(const QString &text, const QString &recipients, const QDateTime &date, int partCount)
{
    YOVMessageValues v;
    v.messageText = text;
    v.phoneNum = recipients;
    v.messageDate = date;
    v.status = int(kMessageDraft);
    // The model writes "n/n" from the message's total number of parts.
    auto draft = std::make_shared<YOVConcatMessage>(std::max(1, partCount), QVariant(), 1, v);
    return model().getSmsContentDictWithMessageProtocol(draft).value_or(QVariantMap());
}

bool isFlatEntry(const QVariantMap &entry)
{
    return !entry.contains(QStringLiteral("smsInfo"));
}

bool isConcatenatedEntry(const QVariantMap &entry)
{
    return !isFlatEntry(entry) && yov::nsBool(entry.value(QStringLiteral("concatSmsFlag")));
}

QList<SmsStoredPart> smsStoredParts(const QVariantMap &entry)
{
    QList<SmsStoredPart> parts;
    if (isFlatEntry(entry))
        return parts;
    const YOVMessage m = model().yovMessageModelProtocolWithSMSFileStrut(entry);
    if (const auto *composite = dynamic_cast<const YOVCompositeConcatMessage *>(m.get())) {
        for (const YOVMessage &part : composite->getConcatMessageArray())
            parts.append(partOf(*part));
    } else if (m) {
        parts.append(partOf(*m));
    }
    return parts;
}

int smsEntryPlaces(const QVariantMap &entry)
{
    return isConcatenatedEntry(entry) ? int(yov::nsArray(entry.value(QStringLiteral("smsInfo"))).size()) : 1;
}

int smsListPlaces(const QVariantMap &list)
{
    int places = 0;
    for (const QVariant &box : list)
        for (const QVariant &entry : yov::nsArray(box))
            places += smsEntryPlaces(yov::nsDict(entry));
    return places;
}

QString smsEntryNumber(const QVariantMap &entry)
{
    return yov::nsString(summaryValue(entry, "mobilephone"));
}

int smsEntryStatus(const QVariantMap &entry)
{
    return isFlatEntry(entry) ? int(kMessageDraft) : yov::nsInt(summaryValue(entry, "stat"));
}

QDateTime smsEntryDate(const QVariantMap &entry)
{
    const QVariant v = summaryValue(entry, "date");
    return v.typeId() == QMetaType::QDateTime ? v.toDateTime() : QDateTime();
}

QString smsEntryText(const QVariantMap &entry)
{
    return yov::nsString(summaryValue(entry, "messagetext"));
}

namespace {

// Sets key to value on the entry's part dictionary or on each of its parts.
void setOnParts(QVariantMap &entry, const QString &key, const QVariant &value)
{
    const QVariant info = entry.value(QStringLiteral("smsInfo"));
    if (info.typeId() == QMetaType::QVariantList) {
        QVariantList parts = info.toList();
        for (QVariant &p : parts) {
            QVariantMap part = p.toMap();
            part.insert(key, value);
            p = part;
        }
        entry.insert(QStringLiteral("smsInfo"), parts);
    } else {
        QVariantMap part = yov::nsDict(info);
        part.insert(key, value);
        entry.insert(QStringLiteral("smsInfo"), part);
    }
}

} // namespace

void renumberSmsList(QVariantMap &list)
{
    for (auto box = list.begin(); box != list.end(); ++box) {
        if (box->typeId() != QMetaType::QVariantList)
            continue;
        QVariantList entries = box->toList();
        for (int i = 0; i < entries.size(); ++i) {
            QVariantMap entry = entries.at(i).toMap();
            if (isFlatEntry(entry))
                continue;
            setOnParts(entry, QStringLiteral("index"), i);
            entries[i] = entry;
        }
        *box = entries;
    }
}

void setSmsEntryStatus(QVariantMap &entry, int stat)
{
    QVariantMap summary = yov::nsDict(entry.value(QStringLiteral("concatSmsInfo")));
    summary.insert(QStringLiteral("stat"), stat);
    entry.insert(QStringLiteral("concatSmsInfo"), summary);
    setOnParts(entry, QStringLiteral("stat"), stat);
}

} // namespace brannoc
