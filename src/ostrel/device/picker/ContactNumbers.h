#pragma once
// The number entries of the contact picker: a contact's numbers split into one entry each, with
// the label the picker shows after the number, and the numbers handed back without that label.
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

namespace ostrel::ContactNumbers {

// One {"username", "mobilephone"} entry per number of the contact, in the order mobile ("(Mobile)"
// appended), office ("(Office)"), home ("(Home)"); a missing or empty number gives none.
QVariantList numberEntriesOf(const QVariantMap &contact);

// The number without a trailing "(Mobile)", "(Office)" or "(Home)"; nothing else is removed.
QString withoutLabel(const QString &number);

// The "mobilephone" values of the entries, in order, without their labels; entries without a
// number give none.
QStringList numbersOf(const QVariantList &entries);

} // namespace ostrel::ContactNumbers
