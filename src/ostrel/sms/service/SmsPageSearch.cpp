#include "ostrel/sms/service/SmsPageSearch.h"

#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"

#include <algorithm>

namespace ostrel {

namespace {

bool valueHolds(const QVariant &value, const QString &text)
{
    return value.isValid() && yov::nsString(value).contains(text, Qt::CaseInsensitive);
}

bool dateHolds(const QVariant &value, const QString &text, const SmsDateFormatter &formatDate)
{
    const QDateTime date = value.toDateTime();
    if (!date.isValid())
        return false;
    const QString shown = formatDate ? formatDate(date) : date.toString(Qt::ISODate);
    return shown.contains(text, Qt::CaseInsensitive);
}

// The smallest location at or after from of any of the strings, ignoring case; -1 when none.
qsizetype firstOfAny(const QString &text, qsizetype from, std::initializer_list<QLatin1StringView> strings)
{
    qsizetype best = -1;
    for (QLatin1StringView s : strings) {
        const qsizetype at = text.indexOf(s, from, Qt::CaseInsensitive);
        if (at >= 0 && (best < 0 || at < best))
            best = at;
    }
    return best;
}

} // namespace

SmsSearchKind smsSearchKindOf(int position, int box)
{
    if (box < yov::sms::kBoxInBox || box > yov::sms::kBoxDraftBox)
        return kSmsSearchNone;
    if (position == yov::sms::kPositionPc)
        return SmsSearchKind(kSmsSearchPcInbox + box);
    if (position == yov::sms::kPositionSim)
        return SmsSearchKind(kSmsSearchSimInbox + box);
    return kSmsSearchNone;
}

bool smsMessageMatches(const QVariantMap &m, SmsSearchKind kind, const QString &text, const SmsDateFormatter &formatDate)
{
    if (kind <= kSmsSearchNone || kind > kSmsSearchSimDraft || text.isEmpty())
        return false;
    if (kind == kSmsSearchPcDraft)
        return valueHolds(m.value(QStringLiteral("mobilephone")), text) || valueHolds(m.value(QStringLiteral("username")), text)
               || dateHolds(m.value(QStringLiteral("date")), text, formatDate)
               || valueHolds(m.value(QStringLiteral("messagetext")), text);
    const QVariantMap summary = yov::nsDict(m.value(QStringLiteral("concatSmsInfo")));
    const bool concatenated = yov::nsBool(m.value(QStringLiteral("concatSmsFlag")));
    const QVariantMap shown = concatenated ? summary : yov::nsDict(m.value(QStringLiteral("smsInfo")));
    return valueHolds(summary.value(QStringLiteral("mobilephone")), text) || valueHolds(summary.value(QStringLiteral("username")), text)
           || dateHolds(shown.value(QStringLiteral("date")), text, formatDate)
           || valueHolds(shown.value(QStringLiteral("messagetext")), text);
}

QVariantList smsSearchList(const QVariantList &list, SmsSearchKind kind, const QString &text, const SmsDateFormatter &formatDate)
{
    QVariantList found;
    for (qsizetype i = 0; i < list.size(); ++i) {
        QVariantMap m = yov::nsDict(list.at(i));
        if (!smsMessageMatches(m, kind, text, formatDate))
            continue;
        if (kind == kSmsSearchPcInbox)
            m.insert(QStringLiteral("groupindex"), QString::number(i + 1));
        found.append(m);
    }
    return found;
}

int smsDraftParts(const QVariant &stat)
{
    const QString text = yov::nsString(stat);
    qsizetype digits = 0;
    while (digits < text.size() && digits < 9 && text.at(digits).isDigit() && text.at(digits).unicode() < 128)
        ++digits;
    return digits == 0 ? 1 : text.left(digits).toInt();
}

int smsPartsOfList(const QVariantList &list, int position, int box)
{
    if (position != yov::sms::kPositionPc)
        return 0;
    if (box == yov::sms::kBoxDeliveryReport)
        return int(list.size());
    int parts = 0;
    for (const QVariant &entry : list) {
        const QVariantMap m = yov::nsDict(entry);
        if (box == yov::sms::kBoxDraftBox)
            parts += smsDraftParts(m.value(QStringLiteral("stat")));
        else if (yov::nsBool(m.value(QStringLiteral("concatSmsFlag"))))
            parts += yov::nsInt(yov::nsDict(m.value(QStringLiteral("concatSmsInfo"))).value(QStringLiteral("totalNum")));
        else
            parts += 1;
    }
    return parts;
}

int smsUnreadPartsOfMessage(const QVariantMap &m)
{
    const auto unread = [](const QVariant &part) {
        const QVariant stat = yov::nsDict(part).value(QStringLiteral("stat"));
        return stat.isValid() && yov::nsInt(stat) == 0;
    };
    if (!yov::nsBool(m.value(QStringLiteral("concatSmsFlag"))))
        return unread(m.value(QStringLiteral("smsInfo"))) ? 1 : 0;
    const QVariantList parts = yov::nsArray(m.value(QStringLiteral("smsInfo")));
    return int(std::count_if(parts.cbegin(), parts.cend(), unread));
}

int smsUnreadPartsOfList(const QVariantList &list)
{
    int count = 0;
    for (const QVariant &entry : list)
        count += smsUnreadPartsOfMessage(yov::nsDict(entry));
    return count;
}

QList<SmsLink> smsFindHyperlinks(const QString &text)
{
    QList<SmsLink> links;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype head = firstOfAny(text, from,
                                          {QLatin1StringView("http://"), QLatin1StringView("ftp://"),
                                           QLatin1StringView("https://"), QLatin1StringView("www.")});
        if (head < 0)
            break;
        qsizetype end = firstOfAny(text, head,
                                   {QLatin1StringView(" "), QLatin1StringView("\r"), QLatin1StringView("\n"),
                                    QLatin1StringView("\t")});
        if (end < 0)
            end = text.size(); // a link at the text's end runs to it
        links.prepend({text.mid(head, end - head), int(head), int(end - head)});
        from = end;
    }
    return links;
}

} // namespace ostrel
