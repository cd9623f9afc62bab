#include "common/records/phonebook/PhonebookItemsFile.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"

#include <QFileInfo>
#include <QMetaType>
#include <QSet>
#include <QVariantMap>

#include <limits>

namespace yov {

namespace {

std::optional<QString> itemText(const QVariantMap &entry, const char *key)
{
    const auto it = entry.constFind(QLatin1String(key));
    if (it == entry.constEnd())
        return std::nullopt;
    return nsString(*it);
}

// The record index of an entry: an integer value of the int range, nothing for any other value.
std::optional<qint64> itemIndex(const QVariantMap &entry)
{
    const QVariant value = entry.value(QLatin1String(pbitem::kIndex));
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: {
        bool ok = false;
        const qint64 index = value.toLongLong(&ok);
        if (!ok || index < std::numeric_limits<int>::min() || index > std::numeric_limits<int>::max())
            return std::nullopt;
        return index;
    }
    default:
        return std::nullopt;
    }
}

void putItemText(QVariantMap &entry, const char *key, const std::optional<QString> &text)
{
    if (text)
        entry.insert(QLatin1String(key), *text);
}

} // namespace

PhonebookItemsRead PhonebookItemsFile::read(const QString &path, int minIndex, int maxIndex)
{
    PhonebookItemsRead read;
    if (!QFileInfo::exists(path)) {
        read.notes << QStringLiteral("the items file %1 is missing").arg(path);
        return read;
    }
    QString why;
    const std::optional<QVariant> root = PlistBridge::readFile(path, &why);
    if (!root || root->typeId() != QMetaType::QVariantList) {
        read.notes << QStringLiteral("the items file %1 cannot be read: %2")
                          .arg(path, root ? QStringLiteral("it holds no list") : why);
        return read;
    }
    QSet<qint64> seen;
    const QVariantList entries = root->toList();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).typeId() != QMetaType::QVariantMap) {
            read.notes << QStringLiteral("%1: entry %2 is not a dictionary; skipped").arg(path).arg(i);
            continue;
        }
        const QVariantMap entry = entries.at(i).toMap();
        const std::optional<qint64> index = itemIndex(entry);
        if (!index) {
            read.notes << QStringLiteral("%1: entry %2 has no integer %3; skipped").arg(path).arg(i).arg(QLatin1String(pbitem::kIndex));
            continue;
        }
        if (*index < minIndex || *index > maxIndex) {
            read.notes << QStringLiteral("%1: entry %2 has the index %3 outside %4..%5; skipped")
                              .arg(path).arg(i).arg(*index).arg(minIndex).arg(maxIndex);
            continue;
        }
        if (seen.contains(*index)) {
            read.notes << QStringLiteral("%1: entry %2 repeats the index %3; skipped").arg(path).arg(i).arg(*index);
            continue;
        }
        seen.insert(*index);
        PhonebookItem item;
        item.index = int(*index);
        item.name = itemText(entry, pbitem::kName);
        item.number1 = itemText(entry, pbitem::kNumber1);
        item.number2 = itemText(entry, pbitem::kNumber2);
        item.number3 = itemText(entry, pbitem::kNumber3);
        item.email = itemText(entry, pbitem::kEmail);
        read.items.append(item);
    }
    return read;
}

bool PhonebookItemsFile::write(const QString &path, const QList<PhonebookItem> &items, QString *error)
{
    QVariantList entries;
    entries.reserve(items.size());
    for (const PhonebookItem &item : items) {
        QVariantMap entry{{QLatin1String(pbitem::kIndex), qint64(item.index)}};
        putItemText(entry, pbitem::kName, item.name);
        putItemText(entry, pbitem::kNumber1, item.number1);
        putItemText(entry, pbitem::kNumber2, item.number2);
        putItemText(entry, pbitem::kNumber3, item.number3);
        putItemText(entry, pbitem::kEmail, item.email);
        entries.append(entry);
    }
    return PlistBridge::writeFile(path, entries, error);
}

} // namespace yov
