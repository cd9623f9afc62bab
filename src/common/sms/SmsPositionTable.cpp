#include "common/sms/SmsPositionTable.h"

#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"

#include <QLoggingCategory>

#include <algorithm>
#include <iterator>

Q_LOGGING_CATEGORY(lcSmsPositionTable, "ostrel.sms.position")

namespace yov::sms {

namespace {

// The entries of an order dictionary by display order, then name.
QList<SmsNamedOrder> namedOrdersOf(const QVariantMap &orders)
{
    QList<SmsNamedOrder> entries;
    for (auto it = orders.cbegin(); it != orders.cend(); ++it)
        entries.append({it.key(), nsInt(it.value())});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const SmsNamedOrder &a, const SmsNamedOrder &b) { return a.order < b.order; });
    return entries;
}

} // namespace

YovPositionManager smsPositionTable(const QVariantMap &smsModule)
{
    YovPositionManager table;
    const QVariant configured = smsModule.value(QStringLiteral("positionOrder"));
    if (configured.typeId() != QMetaType::QVariantMap) {
        table.addYovpositionWithPositionName(QStringLiteral("AT_PC"), 0, kPositionPc);
        table.addYovpositionWithPositionName(QStringLiteral("AT_SIM"), 1, kPositionSim);
        return table;
    }
    for (const SmsNamedOrder &entry : namedOrdersOf(configured.toMap())) {
        int code = smsPositionOfName(entry.name);
        if (code < 0) {
            qCWarning(lcSmsPositionTable).noquote() << "error://position config file read error..." << entry.name;
            code = kPositionPc;
        }
        table.addYovpositionWithPositionName(entry.name, entry.order, code);
    }
    return table;
}

int smsSetPositionOfName(const QString &name)
{
    static const char *const kNames[] = {"SetAtDefault", "SetAtSIM", "SetAtPC", "SetAtME", "SetAtTcard"};
    for (int code = 0; code < int(std::size(kNames)); ++code)
        if (name == QLatin1String(kNames[code]))
            return code;
    return -1;
}

YovPositionManager smsSetPositionTable(const QVariantMap &smsModule, bool iceraPlatform)
{
    YovPositionManager table;
    const QVariant configured = smsModule.value(QStringLiteral("SetSMSPositionOrder"));
    if (configured.typeId() != QMetaType::QVariantMap) {
        int order = 0;
        if (!iceraPlatform)
            table.addYovpositionWithPositionName(QStringLiteral("SetAtDefault"), order++, 0);
        table.addYovpositionWithPositionName(QStringLiteral("SetAtSIM"), order++, 1);
        table.addYovpositionWithPositionName(QStringLiteral("SetAtPC"), order, 2);
        return table;
    }
    for (const SmsNamedOrder &entry : namedOrdersOf(configured.toMap())) {
        int code = smsSetPositionOfName(entry.name);
        if (code < 0) {
            qCWarning(lcSmsPositionTable).noquote() << "error://position config file read error..." << entry.name;
            code = 2;
        }
        table.addYovpositionWithPositionName(entry.name, entry.order, code);
    }
    return table;
}

QList<SmsNamedOrder> smsBoxesInDisplayOrder(const QVariantMap &smsModule)
{
    const QVariant configured = smsModule.value(QStringLiteral("boxOrder"));
    if (configured.typeId() != QMetaType::QVariantMap)
        return {{QStringLiteral("InBox"), 0}, {QStringLiteral("OutBox"), 1}, {QStringLiteral("DraftBox"), 2}};
    QList<SmsNamedOrder> boxes;
    for (const SmsNamedOrder &entry : namedOrdersOf(configured.toMap()))
        if (boxes.isEmpty() || boxes.constLast().order != entry.order)
            boxes.append(entry);
    return boxes;
}

QMap<int, int> smsBoxDisplayOrderMap(const QVariantMap &smsModule)
{
    QMap<int, int> map;
    for (const SmsNamedOrder &box : smsBoxesInDisplayOrder(smsModule))
        map.insert(box.order, smsBoxOfName(box.name));
    return map;
}

} // namespace yov::sms
