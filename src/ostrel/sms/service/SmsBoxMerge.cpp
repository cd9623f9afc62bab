#include "ostrel/sms/service/SmsBoxMerge.h"

#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/YOVMessageModelManager.h"

#include <QDateTime>
#include <QHash>

namespace ostrel {

namespace {

QString identityPartOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return QStringLiteral("d") + QString::number(value.toDateTime().toSecsSinceEpoch());
    if (!value.isValid() || value.isNull())
        return QStringLiteral("-");
    return QStringLiteral("v") + yov::nsString(value);
}

QHash<QString, int> identityCounts(const QVariantList &messages)
{
    QHash<QString, int> counts;
    for (const QVariant &message : messages)
        ++counts[smsMessageIdentity(yov::nsDict(message))];
    return counts;
}

} // namespace

QString smsMessageIdentity(const QVariantMap &message)
{
    QVariant number, date, text;
    if (message.contains(QStringLiteral("smsInfo"))) {
        const QVariantMap summary = yov::nsDict(message.value(QStringLiteral("concatSmsInfo")));
        number = summary.value(QStringLiteral("mobilephone"));
        date = summary.value(QStringLiteral("date"));
        text = yov::sms::YOVMessageModelManager::sharedYOVMessageModelManagerInstance().getMessageValueWithMessage(
            message, QStringLiteral("messagetext"));
    } else {
        number = message.value(QStringLiteral("mobilephone"));
        date = message.value(QStringLiteral("date"));
        text = message.value(QStringLiteral("messagetext"));
    }
    const QChar unit(0x1f);
    return identityPartOf(number) + unit + identityPartOf(date) + unit + identityPartOf(text);
}

QVariantList mergeSmsBox(const QVariantList &array, const QVariantList &base, const QVariantList &current, int box)
{
    const QHash<QString, int> inBase = identityCounts(base);
    const QHash<QString, int> inFile = identityCounts(current);

    // Messages of the base that the file no longer holds: removed meanwhile by the other writer.
    QHash<QString, int> gone;
    for (auto it = inBase.cbegin(); it != inBase.cend(); ++it) {
        const int left = it.value() - inFile.value(it.key());
        if (left > 0)
            gone.insert(it.key(), left);
    }
    QVariantList merged;
    merged.reserve(array.size());
    for (const QVariant &message : array) {
        const QString id = smsMessageIdentity(yov::nsDict(message));
        auto it = gone.find(id);
        if (it != gone.end() && it.value() > 0) {
            --it.value();
            continue;
        }
        merged.append(message);
    }

    // Messages of the file beyond those of the base: added meanwhile by the other writer.
    QVariantList added;
    QHash<QString, int> seen;
    for (const QVariant &message : current) {
        const QString id = smsMessageIdentity(yov::nsDict(message));
        if (++seen[id] > inBase.value(id))
            added.append(message);
    }
    if (box == yov::sms::kBoxInBox)
        return added + merged;
    return merged + added;
}

} // namespace ostrel
