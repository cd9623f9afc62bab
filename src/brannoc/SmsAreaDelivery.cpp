// Messages that arrive: SMS-DELIVER parts stored by the store location and announced part by part
// (768/100, 768/101), class-0 messages (768/98), status reports (768/99), broadcast pages (768/105),
// and the scenario's stored messages.

#include "brannoc/BrannocService.h"
#include "brannoc/ModemRecords.h"
#include "brannoc/SmsArea.h"
#include "common/ValueConversion.h"
#include "common/sms/GsmAlphabet.h"
#include "common/sms/PduCodec.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/YOVMessageModelProtocol.h"

#include <memory>

namespace brannoc {

using namespace yov::sms;
using namespace yov::smsmsg;

namespace {

QByteArray pduText(const QString &hex)
{
    return hex.trimmed().toLatin1();
}

QString refused(const char *what)
{
    return QStringLiteral("the codec refused the %1 PDU").arg(QLatin1String(what));
}

// The entry of the inbox that a part of a concatenated message joins: same sender and reference,
// still missing parts, not holding this one. -1 when none.
int joinableEntry(const QVariantList &inbox, const SmsStoredPart &part, int key)
{
    for (int i = 0; i < inbox.size(); ++i) {
        const QVariantMap entry = inbox.at(i).toMap();
        if (!isConcatenatedEntry(entry) || smsEntryNumber(entry) != part.number)
            continue;
        const QList<SmsStoredPart> parts = smsStoredParts(entry);
        if (parts.isEmpty() || parts.first().reference != key || parts.size() >= parts.first().total)
            continue;
        if (std::none_of(parts.begin(), parts.end(), [&](const SmsStoredPart &p) { return p.seq == part.seq; }))
            return i;
    }
    return -1;
}

} // namespace

std::optional<SmsArea::IncomingPart> SmsArea::decodeDeliver(const QString &hex, QString *error) const
{
    const SmsCodecOptions options = codecOptions();
    const QByteArray text = pduText(hex);
    SmsPduRecord r{};
    const int count = DecodePdu_Delivery(options, text.constData(), int(text.size()), &r);
    if (count < 0) {
        if (error)
            *error = refused("SMS-DELIVER");
        return std::nullopt;
    }
    IncomingPart in;
    const bool concatElement = r.elementId == 0 || r.elementId == yov::MSG_REV_NEW_SMS_RES_PARA_T::kElement16BitReference;
    in.concatenated = r.headerPresent && concatElement && r.total >= 1 && r.sequence >= 1;
    in.part.text = smsTextOfRecord(options, r, count).left(yov::MSG_REV_NEW_SMS_RES_PARA_T::kMaxTextUnits);
    in.part.number = QString::fromUtf8(r.address);
    in.part.centre = QString::fromLatin1(r.serviceCentre);
    in.part.pdu = QString::fromLatin1(text).toUpper();
    in.part.date = yov::calcTimeStamp(QString::fromLatin1(r.timeStamp));
    in.part.pid = r.pid;
    in.part.dcs = r.dcs;
    in.part.stat = kMessageUnread;
    in.part.box = kBoxInBox;

    yov::MSG_REV_NEW_SMS_RES_PARA_T &m = in.record;
    m.sender = in.part.number;
    m.timeStamp = QString::fromLatin1(r.timeStamp);
    m.text = in.part.text;
    if (in.concatenated) {
        m.concatenated = true;
        m.reference8 = r.reference;
        m.reference16 = r.reference16;
        m.total = r.total;
        m.part = r.sequence;
        m.elementId = r.elementId;
        in.concatKey = m.concatKey();
        in.part.seq = r.sequence;
        in.part.total = r.total;
        in.part.reference = in.concatKey;
    }
    in.messageClass0 = r.messageClass == 0;
    return in;
}

bool SmsArea::deliverPdu(const QString &kind, const QString &hex, QString *error)
{
    const SmsCodecOptions options = codecOptions();
    const QByteArray text = pduText(hex);
    SmsPduRecord r{};
    if (kind == QLatin1String("deliver") || kind == QLatin1String("recharge")) {
        auto in = decodeDeliver(hex, error);
        if (!in)
            return false;
        if (in->messageClass0) {
            // Shown at once, never stored.
            report(kMinorClass0, yov::SmsClass0Report{in->part.text, in->part.number}.encode().value_or(QByteArray()));
            return true;
        }
        in->recharge = kind == QLatin1String("recharge");
        receive(*in);
        return true;
    }
    if (kind == QLatin1String("status")) {
        if (STATUS_REPORT_PDU(options, text.constData(), int(text.size()), &r) < 0) {
            if (error)
                *error = refused("status-report");
            return false;
        }
        const yov::SmsStatusReport s{yov::smsDeliveryResultOfStatus(r.status), QString::fromUtf8(r.address),
                                     QString::fromLatin1(r.timeStamp)};
        report(kMinorStatusReport, s.encode());
        return true;
    }
    if (kind == QLatin1String("broadcast")) {
        const int septets = Decode_BroadCast_PDU(options, text.constData(), int(text.size()), &r);
        if (septets < 0) {
            if (error)
                *error = refused("cell-broadcast");
            return false;
        }
        std::uint16_t units[sizeof r.userData];
        const int n = SMS7toUcs2(options, units, int(std::size(units)), r.userData, septets);
        const yov::SmsBroadcastReport b{QString::fromUtf8(r.address),
                                        QString::fromUtf16(reinterpret_cast<const char16_t *>(units), qMax(n, 0))};
        report(kMinorBroadcast, b.encode(), yov::kSmsTypeAnswer);
        return true;
    }
    if (error)
        *error = QStringLiteral("no PDU kind %1 (deliver, recharge, status, broadcast)").arg(kind);
    return false;
}

bool SmsArea::deliverText(const QString &sender, const QString &text, QString *error)
{
    const QStringList pdus = encodeDeliverPdus(codecOptions(), centre(), sender, text,
                                               smsTimeStampOf(QDateTime::currentDateTime()), nextReference_++);
    if (pdus.isEmpty()) {
        if (error)
            *error = QStringLiteral("the codec builds no SMS-DELIVER from %1").arg(sender);
        return false;
    }
    for (const QString &pdu : pdus)
        if (!deliverPdu(QStringLiteral("deliver"), pdu, error))
            return false;
    return true;
}

// ---------------------------------------------------------------------------------------------

void SmsArea::receive(const IncomingPart &incoming)
{
    auto target = std::make_shared<int>(kPositionSim);
    Job job;
    job.positions = [this, incoming, target] {
        *target = targetOf(incoming);
        return QList<int>{*target};
    };
    job.waitMs = [this, target] { return quietWait(*target); };
    job.run = [this, incoming, target](bool locked) { landPart(incoming, *target, locked); };
    enqueue(deliveries_, std::move(job));
}

int SmsArea::targetOf(const IncomingPart &incoming) const
{
    const int position = storePosition();
    int needed = incoming.concatenated ? qMax(1, int(incoming.part.total)) : 1;
    if (incoming.concatenated && isSimOrMePosition(position)) {
        if (joinableEntry(readStore(position, nullptr).value_or(QVariantMap()).value(smsBoxName(kBoxInBox)).toList(),
                          incoming.part, incoming.concatKey) >= 0)
            needed = 1;
        else if (joinableEntry(readStore(kPositionPc, nullptr).value_or(QVariantMap()).value(smsBoxName(kBoxInBox)).toList(),
                               incoming.part, incoming.concatKey) >= 0)
            return kPositionPc; // the message's first parts went to the computer
    }
    return landingPosition(needed);
}

void SmsArea::landPart(IncomingPart incoming, int position, bool locked)
{
    QString why;
    const QString inboxName = smsBoxName(kBoxInBox);
    const bool ok = mayWrite(position, locked, &why) && changeStore(position, [&](QVariantMap &list) {
        QVariantList inbox = list.value(inboxName).toList();
        QList<SmsStoredPart> parts;
        const int joined = incoming.concatenated ? joinableEntry(inbox, incoming.part, incoming.concatKey) : -1;
        if (joined >= 0) {
            parts = smsStoredParts(inbox.at(joined).toMap());
            inbox.removeAt(joined);
        }
        parts.append(incoming.part);
        // An entry that gains a part moves to the front, as a new one would stand.
        inbox.prepend(smsRegularEntry(parts, incoming.concatenated, position == kPositionPc ? imsi() : QString()));
        list.insert(inboxName, inbox);
        return true;
    }, &why);
    if (!ok) {
        qCWarning(lcBrannoc).noquote() << "SMS: a new message is lost, its store was not written:" << why;
        return;
    }
    announce(position);
    const int wanted = storePosition();
    switch (position) {
    case kPositionSim: incoming.record.storage = yov::kSmsStoredSim; break;
    case kPositionMe: incoming.record.storage = yov::kSmsStoredMe; break;
    case kPositionTcard: incoming.record.storage = yov::kSmsStoredTcard; break;
    default:
        incoming.record.storage = isSimOrMePosition(wanted) ? yov::kSmsStoredPcSimFull : yov::kSmsStoredPc;
        break;
    }
    report(incoming.recharge ? kMinorRechargeSms : kMinorNewSms, incoming.record.encode().value_or(QByteArray()));
}

void SmsArea::loopBack(const QString &text, const QString &centreNumber, bool reportWanted)
{
    const QString own = ownNumber();
    const QString stamp = smsTimeStampOf(QDateTime::currentDateTime());
    for (const QString &pdu : encodeDeliverPdus(codecOptions(), centreNumber, own, text, stamp, nextReference_++)) {
        if (auto in = decodeDeliver(pdu, nullptr))
            receive(*in);
    }
    if (!reportWanted)
        return;
    // The report follows the message it reports.
    Job job;
    job.run = [this, own, stamp](bool) {
        report(kMinorStatusReport, yov::SmsStatusReport{yov::SmsStatusReport::kDelivered, own, stamp}.encode());
    };
    enqueue(deliveries_, std::move(job));
}

QList<SmsStoredPart> SmsArea::scenarioParts(const QVariantMap &message, int position)
{
    const int box = smsBoxOfName(yov::nsString(message.value(QStringLiteral("Box"), QStringLiteral("InBox"))));
    const QString number = yov::nsString(message.value(QStringLiteral("Number")));
    const QString text = yov::nsString(message.value(QStringLiteral("Text")));
    const QVariant dateValue = message.value(QStringLiteral("Date"));
    const QDateTime date = dateValue.typeId() == QMetaType::QDateTime ? dateValue.toDateTime() : QDateTime::currentDateTime();
    const int defaultStat = box == kBoxInBox ? kMessageRead : box == kBoxOutBox ? kMessageSent : kMessageDraft;
    const int stat = message.contains(QStringLiteral("Stat")) ? yov::nsInt(message.value(QStringLiteral("Stat"))) : defaultStat;
    QList<SmsStoredPart> parts;
    if (box != kBoxInBox) {
        parts = submitParts(text, number, centre(), 0, false, nextReference_++, stat, box);
    } else {
        for (const QString &pdu : encodeDeliverPdus(codecOptions(), centre(), number, text, smsTimeStampOf(date), nextReference_++))
            if (auto in = decodeDeliver(pdu, nullptr)) {
                in->part.stat = stat;
                parts.append(in->part);
            }
    }
    for (SmsStoredPart &p : parts)
        p.date = date;
    if (parts.isEmpty())
        qCWarning(lcBrannoc).noquote() << "scenario: the SMS from" << number << "in position" << position
                                       << "cannot be encoded";
    return parts;
}

} // namespace brannoc
