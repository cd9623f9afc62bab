#include "ostrel/sms/service/SmsTableCells.h"

#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/sms/service/SmsPageRules.h"

namespace ostrel {

namespace {

QString callOr(const std::function<QString(const QString &)> &f, const QString &value, const QString &fallback)
{
    return f ? f(value) : fallback;
}

QString cellDate(const QVariant &value, const SmsCellContext &c)
{
    const QDateTime date = value.toDateTime();
    if (!date.isValid())
        return QString();
    return c.formatDate ? c.formatDate(date) : date.toString(Qt::ISODate);
}

// "OutBox" before the state of a message in the deleted or important box; empty elsewhere.
QString previousBoxWord(int box, int shownBox, const SmsCellContext &c)
{
    if (box != yov::sms::kBoxDeletedBox && box != yov::sms::kBoxImportantBox)
        return QString();
    return c.boxWord ? c.boxWord(shownBox) : QString();
}

QString joinNonEmpty(const QString &a, const QString &b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return a + QLatin1Char(' ') + b;
}

QVariant flatCell(const QVariantMap &m, const QString &column, int shownBox, const SmsCellContext &c)
{
    if (column == QLatin1String("stat"))
        return joinNonEmpty(previousBoxWord(c.box, shownBox, c), yov::nsString(m.value(QStringLiteral("stat"))));
    QString number = yov::nsString(m.value(QStringLiteral("mobilephone")));
    if (!c.separator.isEmpty() && number.endsWith(c.separator))
        number.chop(c.separator.size());
    const QString special = callOr(c.specialName, number, QString());
    if (column == QLatin1String("mobilephone"))
        return special.isEmpty() ? number : special;
    if (column == QLatin1String("username"))
        return special.isEmpty() ? callOr(c.multiNames, yov::nsString(m.value(QStringLiteral("mobilephone"))), number) : special;
    if (column == QLatin1String("date"))
        return cellDate(m.value(QStringLiteral("date")), c);
    return QVariant();
}

QVariant regularCell(const QVariantMap &m, const QString &column, int shownBox, const SmsCellContext &c)
{
    const QVariantMap summary = yov::nsDict(m.value(QStringLiteral("concatSmsInfo")));
    const bool concatenated = yov::nsBool(m.value(QStringLiteral("concatSmsFlag")));
    if (column == QLatin1String("stat")) {
        QString prefix = previousBoxWord(c.box, shownBox, c);
        if (concatenated)
            prefix = joinNonEmpty(prefix, QStringLiteral("%1/%2")
                                              .arg(yov::nsArray(m.value(QStringLiteral("smsInfo"))).size())
                                              .arg(yov::nsInt(summary.value(QStringLiteral("totalNum")))));
        const QVariant stat = summary.value(QStringLiteral("stat"));
        const QString state = stat.isValid() && yov::nsInt(stat) == 0 ? c.newStateWord : c.readStateWord;
        return joinNonEmpty(prefix, state);
    }
    const QString number = yov::nsString(summary.value(QStringLiteral("mobilephone")));
    const QString special = callOr(c.specialName, number, QString());
    if (column == QLatin1String("mobilephone"))
        return special.isEmpty() ? number : special;
    if (column == QLatin1String("username"))
        return special.isEmpty() ? callOr(c.userName, number, number) : special;
    if (column == QLatin1String("date")) {
        const QVariantMap dated = concatenated ? summary : yov::nsDict(m.value(QStringLiteral("smsInfo")));
        return cellDate(dated.value(QStringLiteral("date")), c);
    }
    return QVariant();
}

} // namespace

bool smsIsFlatMessage(const QVariantMap &message)
{
    return !message.contains(QStringLiteral("smsInfo"));
}

int smsShownBoxOf(const QVariantMap &message, int box)
{
    if (box == yov::sms::kBoxDeletedBox)
        return yov::nsInt(message.value(QStringLiteral("preLocationBeforeGoToDelBox")));
    if (box == yov::sms::kBoxImportantBox)
        return yov::nsInt(message.value(QStringLiteral("preLocationBeforeGotoImpBox")));
    return box;
}

bool smsMessageIsUnread(const QVariantMap &message)
{
    const bool concatenated = yov::nsBool(message.value(QStringLiteral("concatSmsFlag")));
    const QVariantMap state = yov::nsDict(message.value(concatenated ? QStringLiteral("concatSmsInfo") : QStringLiteral("smsInfo")));
    const QVariant stat = state.value(QStringLiteral("stat"));
    return stat.isValid() && yov::nsInt(stat) == 0;
}

bool smsMarkMessageRead(QVariantMap &message)
{
    const auto setRead = [](QVariant &holder) {
        QVariantMap part = yov::nsDict(holder);
        part.insert(QStringLiteral("stat"), 1);
        holder = part;
    };
    if (!yov::nsBool(message.value(QStringLiteral("concatSmsFlag")))) {
        QVariant part = message.value(QStringLiteral("smsInfo"));
        const QVariant stat = yov::nsDict(part).value(QStringLiteral("stat"));
        if (!stat.isValid() || yov::nsInt(stat) != 0)
            return false;
        setRead(part);
        message.insert(QStringLiteral("smsInfo"), part);
        // The summary follows its only part.
        if (message.contains(QStringLiteral("concatSmsInfo"))) {
            QVariant summary = message.value(QStringLiteral("concatSmsInfo"));
            setRead(summary);
            message.insert(QStringLiteral("concatSmsInfo"), summary);
        }
        return true;
    }
    QVariant summary = message.value(QStringLiteral("concatSmsInfo"));
    const QVariant stat = yov::nsDict(summary).value(QStringLiteral("stat"));
    if (!stat.isValid() || yov::nsInt(stat) != 0)
        return false;
    setRead(summary);
    message.insert(QStringLiteral("concatSmsInfo"), summary);
    QVariantList parts = yov::nsArray(message.value(QStringLiteral("smsInfo")));
    for (QVariant &part : parts)
        setRead(part);
    message.insert(QStringLiteral("smsInfo"), parts);
    return true;
}

QVariant smsCellValue(const QVariantList &list, int row, const QString &column, const SmsCellContext &c)
{
    if (list.isEmpty())
        return QString();
    if (row < 0 || row >= list.size())
        return QVariant();
    const QVariantMap m = yov::nsDict(list.at(row));
    const int shownBox = smsShownBoxOf(m, c.box);
    const bool computerSide = !smsIsDeviceStore(c.position);
    if (computerSide && (shownBox == yov::sms::kBoxDraftBox || smsIsFlatMessage(m) || shownBox == yov::sms::kBoxBroadCastBox))
        return flatCell(m, column, shownBox, c);
    return regularCell(m, column, shownBox, c);
}

QString smsMessageText(const QVariantMap &message)
{
    const QVariant info = message.value(QStringLiteral("smsInfo"));
    // A single message may carry a summary without text: its part holds the text.
    if (!yov::nsBool(message.value(QStringLiteral("concatSmsFlag"))) && info.typeId() == QMetaType::QVariantMap
        && info.toMap().contains(QStringLiteral("messagetext")))
        return yov::nsString(info.toMap().value(QStringLiteral("messagetext")));
    const QVariantMap summary = yov::nsDict(message.value(QStringLiteral("concatSmsInfo")));
    if (!summary.isEmpty())
        return yov::nsString(summary.value(QStringLiteral("messagetext")));
    if (info.typeId() == QMetaType::QVariantMap)
        return yov::nsString(info.toMap().value(QStringLiteral("messagetext")));
    return yov::nsString(message.value(QStringLiteral("messagetext")));
}

QString smsMessageField(const QVariantMap &message, const QString &key)
{
    const QVariantMap summary = yov::nsDict(message.value(QStringLiteral("concatSmsInfo")));
    if (!summary.isEmpty())
        return yov::nsString(summary.value(key));
    const QVariant info = message.value(QStringLiteral("smsInfo"));
    if (info.typeId() == QMetaType::QVariantMap)
        return yov::nsString(info.toMap().value(key));
    const QVariantList parts = info.toList();
    if (!parts.isEmpty())
        return yov::nsString(yov::nsDict(parts.constFirst()).value(key));
    return yov::nsString(message.value(key));
}

} // namespace ostrel
