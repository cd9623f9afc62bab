// The SMS area's answers to the dashboard's requests: send, delete, copy, draft, read, restore,
// the SIM clean-up, the memory card and the SMS settings.

#include "brannoc/BrannocService.h"
#include "brannoc/ModemRecords.h"
#include "brannoc/SmsArea.h"
#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/YOVMessageModelProtocol.h"

#include <QRegularExpression>

#include <algorithm>

namespace brannoc {

using namespace yov::sms;
using namespace yov::smsmsg;

namespace {

const QString kDefaultCentre = QStringLiteral("+491709999000");

// The first number of a recipient field ("+4917011;+4917022;" gives "+4917011").
QString firstNumber(const QString &recipients)
{
    static const QRegularExpression separator(QStringLiteral("[^0-9+*#]+"));
    for (const QString &n : recipients.split(separator, Qt::SkipEmptyParts))
        return n;
    return {};
}

bool sameNumber(const QString &a, const QString &b)
{
    static const QRegularExpression notDigit(QStringLiteral("[^0-9]"));
    const QString x = QString(a).remove(notDigit);
    return !x.isEmpty() && x == QString(b).remove(notDigit);
}

std::int8_t resultOf(bool ok)
{
    return ok ? kOk : kFailed;
}

} // namespace

void SmsArea::addEntry(QVariantMap &list, int box, const QVariantMap &entry)
{
    const QString name = smsBoxName(box);
    QVariantList entries = list.value(name).toList();
    if (box == kBoxInBox)
        entries.prepend(entry);
    else
        entries.append(entry);
    list.insert(name, entries);
}

int SmsArea::deviceBoxOfCopy(const QVariantMap &entry, int sourceBox)
{
    // A computer draft (flat) becomes a device draft, wherever it was kept.
    if (isFlatEntry(entry))
        return kBoxDraftBox;
    if (sourceBox <= kBoxDraftBox)
        return sourceBox;
    // The SIM and the device memory hold three boxes: a message of the deleted or the important
    // box goes back to the box it came from, else to the inbox.
    const char *key = sourceBox == kBoxDeletedBox ? "preLocationBeforeGoToDelBox" : "preLocationBeforeGotoImpBox";
    const QVariant previous = entry.value(QLatin1String(key));
    const int before = previous.isValid() ? yov::nsInt(previous) : -1;
    return before >= kBoxInBox && before <= kBoxDraftBox ? before : int(kBoxInBox);
}

bool SmsArea::mayWrite(int position, bool locked, QString *error) const
{
    if (locked || isSimOrMePosition(position))
        return true;
    if (error)
        *error = QStringLiteral("the list-file lock was not had in time");
    return false;
}

QString SmsArea::centre() const
{
    return stateText(state_, "SmsCentre", kDefaultCentre);
}

int SmsArea::nextOutcome()
{
    QVariantList outcomes = yov::nsArray(state_.value(QStringLiteral("SendOutcomes")));
    if (outcomes.isEmpty())
        return 1;
    const int outcome = yov::nsInt(outcomes.takeFirst());
    state_.insert(QStringLiteral("SendOutcomes"), outcomes);
    return outcome;
}

QList<SmsStoredPart> SmsArea::submitParts(const QString &text, const QString &recipient, const QString &centreNumber,
                                          std::uint8_t validity, bool report, std::uint8_t reference, int stat, int box)
{
    const SmsCodecOptions options = codecOptions();
    const SmsTextSplit split = splitSmsText(options, text);
    const SmsSubmitParams params{centreNumber, recipient, validity, report, reference};
    const QDateTime now = QDateTime::currentDateTime();
    QList<SmsStoredPart> parts;
    for (int i = 0; i < split.parts.size(); ++i) {
        SmsStoredPart p;
        p.text = split.parts.at(i).text;
        p.number = recipient;
        p.centre = centreNumber;
        p.pdu = encodeSubmitPdu(options, split, i, params).value_or(QString());
        p.date = now;
        p.dcs = split.ucs2 ? 8 : 0;
        p.stat = stat;
        p.box = box;
        p.seq = i + 1;
        p.reference = reference;
        p.total = int(split.parts.size());
        parts.append(p);
    }
    return parts;
}

QVariantMap SmsArea::deviceDraftEntry(const QString &text, const QString &recipients, const QString &centreNumber,
                                      std::uint8_t validity, bool report)
{
    const QList<SmsStoredPart> parts = submitParts(text, firstNumber(recipients), centreNumber, validity, report,
                                                   nextReference_++, kMessageDraft, kBoxDraftBox);
    QVariantMap entry = smsRegularEntry(parts, parts.size() > 1);
    // A device draft keeps its recipients as typed.
    QVariantMap summary = yov::nsDict(entry.value(QStringLiteral("concatSmsInfo")));
    summary.insert(QStringLiteral("mobilephone"), recipients);
    entry.insert(QStringLiteral("concatSmsInfo"), summary);
    return entry;
}

// ---------------------------------------------------------------------------------------------
// 768/90: split, encode and send every part; save the message when asked; answer.

void SmsArea::send(const yov::SmsSendRequest &r, bool locked)
{
    const QString centreNumber = r.centre.isEmpty() ? centre() : r.centre;
    QList<SmsStoredPart> parts = submitParts(r.text, r.recipient, centreNumber, std::uint8_t(r.validity & 0xff),
                                             r.reportWanted, r.reference, kMessageSent, kBoxOutBox);
    yov::SmsSendResult result;
    const int total = int(parts.size());
    if (total > yov::SmsSendResult::kMaxParts) {
        qCInfo(lcBrannoc) << "SMS: a text of" << total << "parts is not sent";
        result.partCount = 1; // one failed part
        if (!r.noResultWanted)
            answer(kMinorSend, kOk, result.encode());
        return;
    }
    const bool dialable = isDialableNumber(r.recipient);
    QString sentText;
    for (int i = 0; i < total; ++i) {
        answer(kMinorSendProgress, kOk, yov::SmsSendProgress{std::uint8_t(i + 1), std::uint8_t(total), r.recipient}.encode());
        const bool sent = dialable && !parts.at(i).pdu.isEmpty() && nextOutcome() != 0;
        result.outcomes[size_t(i)] = sent ? 1 : 0;
        if (sent)
            sentText += parts.at(i).text;
    }
    result.partCount = total;

    if (r.saveInBox && result.sentParts() > 0) {
        const int position = landingPosition(total);
        const QVariantMap entry = smsRegularEntry(parts, total > 1, position == kPositionPc ? imsi() : QString());
        QString why;
        if (mayWrite(position, locked, &why)
            && changeStore(position, [&](QVariantMap &list) { addEntry(list, kBoxOutBox, entry); return true; }, &why))
            announce(position);
        else
            qCWarning(lcBrannoc).noquote() << "SMS: the sent message is not saved:" << why;
    }
    if (!r.noResultWanted)
        answer(kMinorSend, kOk, result.encode());
    if (!sentText.isEmpty() && sameNumber(r.recipient, ownNumber()))
        loopBack(sentText, centreNumber, r.reportWanted);
}

// ---------------------------------------------------------------------------------------------
// 768/91 delete and 768/92 copy, one message each.

void SmsArea::removeMessage(const yov::SmsDeleteRequest &r, bool locked)
{
    QString why;
    bool ok = false;
    if (yov::nsBool(state_.value(QStringLiteral("FailNextDelete")))) {
        state_.insert(QStringLiteral("FailNextDelete"), false);
        why = QStringLiteral("failure scripted");
    } else if (mayWrite(r.position, locked, &why)) {
        const QString box = smsBoxName(r.box);
        ok = changeStore(r.position, [&](QVariantMap &list) {
            QVariantList entries = list.value(box).toList();
            if (box.isNull() || !list.contains(box) || r.index < 0 || r.index >= entries.size()) {
                why = QStringLiteral("no message %1 in box %2").arg(r.index).arg(r.box);
                return false;
            }
            entries.removeAt(r.index);
            list.insert(box, entries);
            return true;
        }, &why);
    }
    settle(r.position, ok, "delete failed", why);
    answer(kMinorDelete, resultOf(ok));
    touch(r.position);
}

void SmsArea::copyMessage(const yov::SmsCopyRequest &r, bool locked)
{
    QString why;
    bool ok = false;
    const auto copied = [&]() -> std::optional<QVariantMap> {
        const auto source = readStore(r.sourcePosition, &why);
        if (!source)
            return std::nullopt;
        const QString box = smsBoxName(r.sourceBox);
        const QVariantList entries = source->value(box).toList();
        if (box.isNull() || r.sourceIndex < 0 || r.sourceIndex >= entries.size()) {
            why = QStringLiteral("no message %1 in box %2").arg(r.sourceIndex).arg(r.sourceBox);
            return std::nullopt;
        }
        return entries.at(r.sourceIndex).toMap();
    };
    const int destination = r.destinationPosition;
    int box = r.sourceBox;
    std::optional<QVariantMap> entry;
    if (yov::nsBool(state_.value(QStringLiteral("FailNextCopy")))) {
        state_.insert(QStringLiteral("FailNextCopy"), false);
        why = QStringLiteral("failure scripted");
    } else if (mayWrite(destination, locked, &why) && (entry = copied())) {
        if (isSimOrMePosition(destination))
            box = deviceBoxOfCopy(*entry, r.sourceBox);
        QVariantMap next;
        if (isFlatEntry(*entry) && isSimOrMePosition(destination)) {
            // A computer draft becomes a device draft: its text in parts, "stat" 2.
            next = deviceDraftEntry(yov::nsString(entry->value(QStringLiteral("messagetext"))),
                                    yov::nsString(entry->value(QStringLiteral("mobilephone"))), centre(), 0, false);
        } else if (isFlatEntry(*entry)) {
            next = *entry;
        } else if (!isSimOrMePosition(destination) && box == kBoxDraftBox) {
            next = smsFlatDraftEntry(smsEntryText(*entry), smsEntryNumber(*entry), smsEntryDate(*entry),
                                     smsEntryPlaces(*entry));
        } else {
            QList<SmsStoredPart> parts = smsStoredParts(*entry);
            for (SmsStoredPart &p : parts)
                p.box = box;
            const QString ownImsi = entry->contains(QStringLiteral("IMSI")) ? yov::nsString(entry->value(QStringLiteral("IMSI"))) : imsi();
            next = smsRegularEntry(parts, isConcatenatedEntry(*entry), destination == kPositionPc ? ownImsi : QString());
        }
        if (isSimOrMePosition(destination) && used(destination) + smsEntryPlaces(next) > capacity(destination)) {
            why = QStringLiteral("no room in position %1").arg(destination);
        } else {
            ok = changeStore(destination, [&](QVariantMap &list) {
                if (!list.contains(smsBoxName(box))) {
                    why = QStringLiteral("position %1 has no box %2").arg(destination).arg(box);
                    return false;
                }
                addEntry(list, box, next);
                return true;
            }, &why);
        }
    }
    settle(destination, ok, "copy failed", why);
    answer(kMinorCopy, resultOf(ok));
    touch(r.sourcePosition);
    touch(destination);
}

// ---------------------------------------------------------------------------------------------
// 768/93: a draft goes to the SIM when the settings say so (not the quick form), else to the
// computer's drafts in the flat layout.

int SmsArea::draftPosition(const yov::SmsDraftRequest &r) const
{
    const QVariantMap sms = yov::nsDict(settings().value(QStringLiteral("SMS")));
    const bool toSim = yov::nsBool(sms.value(QStringLiteral("isSaveDraftSMSToSIM"))) && !r.isQuickForm();
    return toSim ? kPositionSim : kPositionPc;
}

void SmsArea::storeDraft(const yov::SmsDraftRequest &r, bool locked)
{
    const int position = draftPosition(r);
    QString why;
    QVariantMap entry;
    if (position == kPositionSim) {
        entry = deviceDraftEntry(r.text, r.recipients, r.centre.isEmpty() ? centre() : r.centre,
                                 std::uint8_t(r.validity & 0xff), r.reportWanted == 1);
    } else {
        const int parts = int(splitSmsText(codecOptions(), r.text).parts.size());
        entry = smsFlatDraftEntry(r.text, r.recipients, QDateTime::currentDateTime(), parts);
    }
    bool ok = false;
    if (isSimOrMePosition(position) && used(position) + smsEntryPlaces(entry) > capacity(position))
        why = QStringLiteral("no room for the draft");
    else if (mayWrite(position, locked, &why))
        ok = changeStore(position, [&](QVariantMap &list) { addEntry(list, kBoxDraftBox, entry); return true; }, &why);
    settle(position, ok, "draft not stored", why);
    answer(kMinorDraft, resultOf(ok));
}

// ---------------------------------------------------------------------------------------------
// 768/102: the message at that index of the store's inbox and its parts become read.

void SmsArea::markRead(const yov::SmsReadRequest &r, bool locked)
{
    QString why;
    bool changedAny = false;
    if (mayWrite(r.position, locked, &why)) {
        changedAny = changeStore(r.position, [&](QVariantMap &list) {
            QVariantList inbox = list.value(smsBoxName(kBoxInBox)).toList();
            if (r.index < 0 || r.index >= inbox.size()) {
                why = QStringLiteral("no message %1 in the inbox").arg(r.index);
                return false;
            }
            QVariantMap entry = inbox.at(r.index).toMap();
            if (isFlatEntry(entry)) {
                why = QStringLiteral("nothing to mark");
                return false;
            }
            const QVariantMap before = entry;
            setSmsEntryStatus(entry, kMessageRead);
            if (entry == before) {
                why = QStringLiteral("already read");
                return false;
            }
            inbox[r.index] = entry;
            list.insert(smsBoxName(kBoxInBox), inbox);
            return true;
        }, &why);
    }
    settle(r.position, changedAny, "read mark not stored", why);
    touch(r.position);
}

// ---------------------------------------------------------------------------------------------
// 768/103: the computer's boxes from a backup file (an array: the phonebook, then the boxes in the
// configured box order, or inbox, outbox, drafts and, when the settings keep one, the delivery
// reports). A file of any other length is no SMS backup (a phonebook-only export has one
// element): it is refused whole, as the settings page refuses it, and no box is emptied by it.

std::optional<QList<QPair<QString, QVariantList>>> SmsArea::backupBoxes(const QVariantList &backup, QString *error) const
{
    const QVariantMap sms = yov::nsDict(settings().value(QStringLiteral("SMS")));
    const QVariantMap order = yov::nsDict(sms.value(QStringLiteral("boxOrder")));
    QStringList names;
    bool lengthOk = false;
    if (order.isEmpty()) {
        names = {QStringLiteral("InBox"), QStringLiteral("OutBox"), QStringLiteral("DraftBox")};
        const bool reports = yov::nsBool(sms.value(QStringLiteral("isHaveDeliveryReportBox")));
        lengthOk = backup.size() == 4 || (reports && backup.size() == 5);
    } else {
        for (int i = 0; i < order.size(); ++i) {
            QString name;
            for (auto it = order.constBegin(); it != order.constEnd(); ++it)
                if (yov::nsInt(it.value()) == i) {
                    name = it.key();
                    break;
                }
            names << name; // an order no box has keeps its element unread
        }
        lengthOk = backup.size() == order.size() + 1;
    }
    if (!lengthOk) {
        if (error)
            *error = QStringLiteral("the backup has %1 elements, no SMS backup").arg(backup.size());
        return std::nullopt;
    }
    QList<QPair<QString, QVariantList>> boxes;
    for (int i = 0; i < names.size(); ++i) {
        const QString &name = names.at(i);
        // Reports have a file of their own; a name that is no box of the computer is no box.
        if (name.isEmpty() || name == smsBoxName(kBoxDeliveryReport) || smsBoxOfName(name) < 0)
            continue;
        const QVariant value = backup.at(i + 1);
        if (value.typeId() != QMetaType::QVariantList) {
            if (error)
                *error = QStringLiteral("the backup's %1 is no list").arg(name);
            return std::nullopt;
        }
        boxes.append({name, value.toList()});
    }
    return boxes;
}

void SmsArea::restore(const QString &path, bool locked)
{
    answer(kMinorRestore, kOk, {}, yov::kSmsTypeProgress);
    QString why;
    bool ok = false;
    const auto root = yov::PlistBridge::readFile(path, &why);
    if (root && root->typeId() != QMetaType::QVariantList) {
        why = QStringLiteral("%1 holds no array").arg(path);
    } else if (root && mayWrite(kPositionPc, locked, &why)) {
        if (const auto boxes = backupBoxes(root->toList(), &why)) {
            ok = changeStore(kPositionPc, [&](QVariantMap &list) {
                for (const auto &[name, entries] : *boxes)
                    list.insert(name, entries);
                return true;
            }, &why);
        }
    }
    settle(kPositionPc, ok, "restore failed", why);
    answer(kMinorRestore, ok ? 0 : 1);
}

// ---------------------------------------------------------------------------------------------
// 768/111: read messages of the SIM's inbox go, the oldest first, until one place is free.

void SmsArea::freeSimPlace()
{
    QString why;
    const bool freed = changeStore(kPositionSim, [&](QVariantMap &list) {
        QVariantList inbox = list.value(smsBoxName(kBoxInBox)).toList();
        QList<int> read;
        for (int i = 0; i < inbox.size(); ++i)
            if (smsEntryStatus(inbox.at(i).toMap()) == kMessageRead)
                read.append(i);
        // Oldest first: by date, and the later place in the inbox first among equal dates.
        std::sort(read.begin(), read.end(), [&](int a, int b) {
            const QDateTime x = smsEntryDate(inbox.at(a).toMap()), y = smsEntryDate(inbox.at(b).toMap());
            return x != y ? x < y : a > b;
        });
        QList<int> gone;
        int places = smsListPlaces(list);
        for (int i : std::as_const(read)) {
            if (places < capacity(kPositionSim))
                break;
            gone.append(i);
            places -= smsEntryPlaces(inbox.at(i).toMap());
        }
        if (gone.isEmpty()) {
            why = QStringLiteral("nothing to delete");
            return false;
        }
        std::sort(gone.begin(), gone.end(), std::greater<int>());
        for (int i : std::as_const(gone))
            inbox.removeAt(i);
        list.insert(smsBoxName(kBoxInBox), inbox);
        return true;
    }, &why);
    settle(kPositionSim, freed, "no SIM place freed", why);
}

// ---------------------------------------------------------------------------------------------
// 768/113 re-reads the card's list, 768/114 writes it back; both answer.

void SmsArea::syncTcard(bool rewrite, bool locked)
{
    QString why;
    bool ok = false;
    if (!rewrite)
        ok = readStore(kPositionTcard, &why).has_value();
    else if (mayWrite(kPositionTcard, locked, &why))
        ok = changeStore(kPositionTcard, [](QVariantMap &) { return true; }, &why);
    if (!ok)
        qCInfo(lcBrannoc).noquote() << "SMS: memory card:" << why;
    answer(rewrite ? kMinorSyncTcard : kMinorReloadTcard, resultOf(ok));
}

// ---------------------------------------------------------------------------------------------
// The SMS settings: centre, store code, routing and the national table.

void SmsArea::setting(const yov::UI_MSG &request)
{
    const yov::PayloadReader payload = yov::PayloadReader::ofMsg(request);
    const auto centreAnswer = [&](std::uint16_t minor) {
        const auto bytes = yov::encodeSmsCentre(centre());
        answer(minor, resultOf(bytes.has_value()), bytes.value_or(QByteArray(yov::kSmsCentreSize, '\0')));
    };
    switch (request.minorID) {
    case kMinorSetCentre:
        if (stateBool(state_, "RefuseCentre", false)) {
            answer(kMinorSetCentre, kFailed);
            return;
        }
        state_.insert(QStringLiteral("SmsCentre"),
                      QString::fromUtf8(yov::utf8Within(yov::decodeSmsCentre(payload), yov::kSmsCentreSize - 1)));
        centreAnswer(kMinorSetCentre);
        return;
    case kMinorCentre:
        centreAnswer(kMinorCentre);
        return;
    case kMinorStoreCode: {
        // 0 leaves the choice to the device (the settings page offers it as the default store).
        const std::int32_t code = yov::decodeSmsInt32(payload);
        const bool ok = code == yov::kSmsStoreNone || yov::smsPositionOfStoreCode(code) >= 0;
        if (ok)
            state_.insert(QStringLiteral("StoreCode"), code);
        answer(kMinorStoreCode, resultOf(ok), yov::encodeSmsInt32(stateInt(state_, "StoreCode", yov::kSmsStoreSim)));
        return;
    }
    case kMinorSetRouting:
        state_.insert(QStringLiteral("Routing"), yov::decodeSmsInt32(payload));
        answer(kMinorRoutingResult, kOk);
        answer(kMinorRouting, kOk, yov::encodeSmsInt32(stateInt(state_, "Routing", 0)));
        return;
    case kMinorNationalChanged:
        // The table is read from the settings for every text; nothing is kept to refresh.
        qCInfo(lcBrannoc).noquote() << "SMS: national table now" << codecOptions().nationalIdentifier;
        return;
    default:
        return;
    }
}

} // namespace brannoc
