#include "ostrel/settings/NetworkSelection.h"

#include "common/ValueConversion.h"

namespace ostrel::netsel {

QString stateWordOf(int state)
{
    switch (state) {
    case 1:
        return QStringLiteral("AVAILABLE");
    case 2:
        return QStringLiteral("CURRENT");
    case 3:
        return QStringLiteral("FORBIDDEN");
    default:
        return {};
    }
}

QVariantList operatorList(const yov::NetSearchResult &result, bool shortFormat, const Translate &tr)
{
    QVariantList list;
    for (const yov::NetSearchEntry &e : result.entries) {
        const bool known = e.state >= 1 && e.state <= 3;
        const QString word = stateWordOf(e.state);
        QVariantMap op;
        op.insert(QLatin1String(kState), word.isEmpty() || !tr ? word : tr(word));
        op.insert(QLatin1String(kNetState), known ? e.state : 0);
        op.insert(QLatin1String(kName), QString::fromUtf8(shortFormat ? e.shortName : e.longName));
        op.insert(QLatin1String(kNumeric), QString::fromLatin1(e.numeric));
        op.insert(QLatin1String(kNetType), QString::fromLatin1(e.technology));
        list.append(op);
    }
    return list;
}

QString netTypeWord(const QString &nettype, bool special)
{
    bool ok = false;
    const int value = nettype.trimmed().toInt(&ok);
    if (!ok)
        return {};
    // Only the three values the device sends have a word; anything else shows nothing.
    switch (value) {
    case 0:
        return special ? QStringLiteral("Special2G") : QStringLiteral("2G");
    case 2:
        return special ? QStringLiteral("Special3G") : QStringLiteral("3G");
    default:
        return {};
    }
}

QString withoutFirstTwo(const QString &text) { return text.size() < 2 ? QString() : text.mid(2); }

QString nameCell(const QString &name, const QString &numeric, const NameCellOptions &options)
{
    if (!options.changeSpn)
        return name;
    QString value = name;
    if (!options.specificMccMnc.isEmpty()) {
        const QString key = options.specificMccMnc.firstKey();
        const QString specific = yov::nsString(options.specificMccMnc.first());
        if (options.currentRmccrmnc == key && numeric == key)
            value = options.wholeSpecificName ? specific : withoutFirstTwo(specific);
    }
    if (options.simNeedsSpn && options.customSpn.contains(numeric))
        value = yov::nsString(options.customSpn.value(numeric));
    return value;
}

std::optional<bool> applyEnabled(const RowChoice &c)
{
    if (!c.hasRow)
        return false;
    if (c.forbiddenCanChoose)
        return c.registering ? std::nullopt : std::optional<bool>(true);
    if (c.forbidden)
        return false;
    if (c.registering)
        return std::nullopt;
    return !(c.mccMncRegistered && c.applySwitch);
}

bool manualSelectSucceeded(const SelectCheck &check)
{
    if (!check.specialVersion)
        return check.result == 0;
    // A reply with no row to compare is a failure.
    if (check.result != 0 || !check.row)
        return false;
    const QByteArray numeric = yov::nsString(check.row->value(QLatin1String(kNumeric))).toLatin1();
    const int nettype = yov::nsString(check.row->value(QLatin1String(kNetType))).toInt();
    if (!(check.answer.quality > 0.0f) || check.answer.numeric != numeric)
        return false;
    return (check.answer.technology == '3' && nettype == 2) || (check.answer.technology == '2' && nettype == 0);
}

Decision decide(const SelectAnswer &a)
{
    if (a.secondRegistration)
        return {Outcome::Ignore, 0, a.checksMade};
    if (a.type != 1)
        return {Outcome::NotifyOnly, 0, a.checksMade};
    if (a.success)
        return {Outcome::Success, 0, 0};
    if (a.checksMade < kMaxChecks && a.retrySwitch) {
        const int checks = a.checksMade + 1;
        return {Outcome::CheckLater, checks == 1 ? kFirstCheckMs : kNextCheckMs, checks};
    }
    if (a.backToList)
        return {Outcome::FailBackToList, 0, 0};
    if (a.notExitSheet)
        return {Outcome::FailKeepSheet, 0, 0};
    return {Outcome::FailCloseSheet, 0, 0};
}

int findCurrent(const QVariantList &list, const QString &currentWord)
{
    for (int i = 0; i < list.size(); ++i)
        if (yov::nsString(list[i].toMap().value(QLatin1String(kState))) == currentWord)
            return i;
    return -1;
}

} // namespace ostrel::netsel
