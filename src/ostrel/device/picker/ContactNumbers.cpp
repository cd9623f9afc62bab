#include "ostrel/device/picker/ContactNumbers.h"

#include "common/ValueConversion.h"

namespace ostrel::ContactNumbers {

namespace {

struct NumberField {
    const char *key;
    const char *label;
};

constexpr NumberField kNumberFields[] = {
    {"mobilephone", "(Mobile)"},
    {"officephone", "(Office)"},
    {"homephone", "(Home)"},
};

} // namespace

QVariantList numberEntriesOf(const QVariantMap &contact)
{
    QVariantList entries;
    const QVariant name = contact.value(QStringLiteral("username"));
    for (const NumberField &field : kNumberFields) {
        const QString number = yov::nsString(contact.value(QLatin1String(field.key)));
        if (number.isEmpty())
            continue;
        QVariantMap entry;
        entry.insert(QStringLiteral("username"), name);
        entry.insert(QStringLiteral("mobilephone"), number + QLatin1String(field.label));
        entries.append(entry);
    }
    return entries;
}

QString withoutLabel(const QString &number)
{
    for (const NumberField &field : kNumberFields) {
        const QLatin1String label(field.label);
        if (number.endsWith(label))
            return number.chopped(label.size());
    }
    return number;
}

QStringList numbersOf(const QVariantList &entries)
{
    QStringList numbers;
    for (const QVariant &entry : entries) {
        const QString number = yov::nsString(yov::nsDict(entry).value(QStringLiteral("mobilephone")));
        if (!number.isEmpty())
            numbers << withoutLabel(number);
    }
    return numbers;
}

} // namespace ostrel::ContactNumbers
