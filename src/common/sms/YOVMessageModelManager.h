#pragma once
// Conversions between message objects and the dictionaries of the SMS list files and of the
// delivery-report file.
//
// List-file message dictionaries (see SmsListFiles.h): a regular message has "concatSmsFlag",
// "concatSmsInfo" (the summary) and "smsInfo" (one part dictionary, or an array of them for a
// concatenated message); a computer draft has the flat layout ("date", "messagetext",
// "mobilephone", "stat") without "smsInfo".
//
// The nil rule (checkNilWithObject) fills a missing value when a dictionary is written: the empty
// text, the number 0, the current date.

#include "common/sms/YOVMessageDeliveryReport.h"
#include "common/sms/YOVMessageModelProtocol.h"

#include <QList>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

namespace yov::sms {

class YOVMessageModelManager {
public:
    enum class NilClass { String, Number, Date, Other };

    static YOVMessageModelManager &sharedYOVMessageModelManagerInstance();

    // One object per dictionary, each with its array position as stored index; dictionaries that
    // give no object are skipped.
    QList<YOVMessage> yovMessageModelProtocolArrayWithSMSFileStrutArray(const QVariantList &dicts) const;
    // A single message or a composite of the parts; null for a value that is no dictionary. A
    // given stored index becomes a composite's own; a single message takes the stored index of
    // its part dictionary.
    YOVMessage yovMessageModelProtocolWithSMSFileStrut(const QVariant &dict, const QVariant &storedIndex = {}) const;

    // One list-file dictionary per object; objects that give none (an unknown status) are left out.
    QVariantList getSmsContentArrayWithMessageProtocol(const QList<YOVMessage> &messages) const;
    // Status 2: the flat draft layout; 0, 1 and 3: the regular layout; any other status: none.
    std::optional<QVariantMap> getSmsContentDictWithMessageProtocol(const YOVMessage &message) const;
    // The regular layout whatever the status (the device's SIM and device-memory drafts).
    QVariantMap getRegularSmsContentDictWithMessageProtocol(const YOVMessage &message) const;
    // One part dictionary: "date", "dcs", "sca", "messagetext", "mobilephone", "pdu", "pid",
    // "index", "box", "stat", "seqNum", each through the nil rule.
    QVariantMap getBasicContentWithMessageProtocol(const YOVMessage &message) const;
    // Sets "date", "dcs", "sca", "messagetext", "mobilephone", "pdu", "pid", "index", "box" and
    // "stat" from the object; a missing value removes its key.
    void addBasicInfoToSmsFileStrutWithDict(QVariantMap &dict, const YOVMessage &message) const;
    // A value of a list-file dictionary as the model reads it: "username" from the summary; for a
    // concatenated message "messagetext" joins the parts' texts and other keys come from the
    // summary; for a single one "totalNum" is 1 and other keys come from its part.
    QVariant getMessageValueWithMessage(const QVariantMap &dict, const QString &key) const;

    QVariantMap deliveryReportFileStructWithYOVMessageDeliveryReport(const YOVMessageDeliveryReport &report) const;
    // The report of a report dictionary: its "date" is the report's date; the date string stays
    // unset (the report box formats it).
    YOVMessageDeliveryReport yOVMessageDeliveryReportWithdeliveryReportFileStruct(const QVariantMap &dict) const;

    static QVariant checkNilWithObject(const QVariant &object, NilClass cls);
    // The empty text for no date; with a pattern the date in that calendar format, else local time
    // as "yyyy-MM-dd HH:mm:ss"; at most 19 characters.
    static QString dateFormatStringWithDate(const QDateTime &date, const QString &dateFormatPattern);

    // Take and drop a reference to a shared message object.
    YOVMessage retainYOVMessageModelProtocol(const YOVMessage &message) const { return message; }
    void releaseYOVMessageModelProtocol(YOVMessage &message) const { message.reset(); }

    static YOVMessage getYovMessageFromMessageContentDict(const QVariantMap &dict);
    // An array gives a composite of its model dictionaries; a dictionary whose "concatSmsFlag" is
    // YES a concatenated part, another dictionary a single message; anything else null.
    static YOVMessage getYovMessageFromMessageParam(const QVariant &param);
};

} // namespace yov::sms
