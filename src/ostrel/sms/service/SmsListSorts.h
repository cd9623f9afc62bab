#pragma once
// The sort functions of the message table: (first, second, key) -> -1 ascending, 0 same,
// 1 descending, where key is the identifier of the clicked column.
//
// Each is a strict weak order over any input: a missing value sorts before a present one, values
// of different types order by type, and a key the function does not compare answers "same" (the
// table sorts stably, so such a sort leaves the order as it was).
//
//   boxListAscendingSort       regular messages: "mobilephone" and "username" of the summary;
//                              "date" and "stat" of the summary for a concatenated message and of
//                              its part for a single one
//   draftBoxListAscendingSort  flat computer drafts: "mobilephone", "date", "username"
//   deleteListDescendingSort   "index", highest first
//   the Descending forms compare the same values with the operands exchanged

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

namespace ostrel {

// The order of two stored values as above.
int compareSmsValues(const QVariant &a, const QVariant &b);

int boxListAscendingSort(const QVariantMap &first, const QVariantMap &second, const QString &key);
int boxListDescendingSort(const QVariantMap &first, const QVariantMap &second, const QString &key);
int draftBoxListAscendingSort(const QVariantMap &first, const QVariantMap &second, const QString &key);
int draftBoxListDescendingSort(const QVariantMap &first, const QVariantMap &second, const QString &key);
int deleteListDescendingSort(const QVariantMap &first, const QVariantMap &second, const QString &key);

// Sorts a box list in place and stably by the column key, in the order of boxListAscendingSort
// (drafts: draftBoxListAscendingSort) or its reverse. Each element's value is taken out once,
// before the sort, not at every comparison.
void sortSmsBoxList(QVariantList &list, const QString &key, bool ascending, bool drafts);

} // namespace ostrel
