#pragma once
// Small builders of list-file message dictionaries for the SMS service tests.
#include <QDateTime>
#include <QStringList>
#include <QTimeZone>
#include <QVariantList>
#include <QVariantMap>

namespace sms_test {

inline QDateTime smsDate(int minute)
{
    return QDateTime(QDate(2026, 3, 10), QTime(9, minute), Qt::UTC);
}

// A single regular message as the device service stores it.
inline QVariantMap singleSms(const QString &number, const QString &text, int minute, int stat = 0)
{
    const QVariantMap part{{"mobilephone", number}, {"messagetext", text}, {"date", smsDate(minute)}, {"stat", stat},
                           {"sca", "+10"},          {"pdu", "00"},         {"pid", 0},               {"dcs", 0},
                           {"box", 0},              {"index", 0}};
    return {{"concatSmsFlag", false},
            {"concatSmsInfo", QVariantMap{{"mobilephone", number}, {"date", smsDate(minute)}, {"messagetext", text},
                                          {"stat", stat}, {"totalNum", 1}}},
            {"smsInfo", part}};
}

// A concatenated message of the given parts.
inline QVariantMap concatSms(const QString &number, const QStringList &texts, int minute, int stat = 0)
{
    QVariantList parts;
    for (int i = 0; i < texts.size(); ++i)
        parts.append(QVariantMap{{"mobilephone", number}, {"messagetext", texts.at(i)}, {"date", smsDate(minute)},
                                 {"stat", stat},          {"seqNum", i + 1},           {"refIndex", 7},
                                 {"totalNum", int(texts.size())}});
    return {{"concatSmsFlag", true},
            {"concatSmsInfo", QVariantMap{{"mobilephone", number}, {"date", smsDate(minute)}, {"messagetext", texts.join("")},
                                          {"stat", stat}, {"totalNum", int(texts.size())}}},
            {"smsInfo", parts}};
}

// A computer draft (flat layout).
inline QVariantMap flatDraft(const QString &numbers, const QString &text, int minute)
{
    return {{"mobilephone", numbers}, {"messagetext", text}, {"date", smsDate(minute)}, {"stat", "1/1"}};
}

// The texts of a box: a summary's for a regular message, its own for a flat one.
inline QStringList smsTexts(const QVariantList &box)
{
    QStringList texts;
    for (const QVariant &m : box) {
        const QVariantMap message = m.toMap();
        texts << (message.contains("smsInfo") ? message.value("concatSmsInfo").toMap().value("messagetext").toString()
                                              : message.value("messagetext").toString());
    }
    return texts;
}

inline QVariantMap withKey(QVariantMap message, const QString &key, const QVariant &value)
{
    message.insert(key, value);
    return message;
}

inline QVariantMap withSummaryKey(QVariantMap message, const QString &key, const QVariant &value)
{
    QVariantMap summary = message.value("concatSmsInfo").toMap();
    summary.insert(key, value);
    message.insert("concatSmsInfo", summary);
    return message;
}

} // namespace sms_test
