#pragma once
// The list operations every phonebook storage shares: ordering by name in the active language,
// finding and removing by record number or by name and mobile number, and free record numbers.
#include "ostrel/phonebook/PBContact.h"

#include <QCollator>
#include <QList>
#include <QSet>
#include <QVariantMap>

namespace ostrel {

class ContactLists {
public:
    // Compares two texts by the collation of the active interface language: negative, zero or
    // positive.
    static int localizedCompare(const QString &a, const QString &b);
    // The collation of the active interface language (made again when the language changes), for
    // callers that compare many times.
    static const QCollator &activeCollator();

    // Sorts the list in place by the key's text (a missing value as empty text) with the localised
    // comparison; equal elements keep their order. Gives, for each old position, the new one.
    static QList<int> sortList(QList<QVariantMap> &list, const QString &key = contactkey::username, bool ascending = true);
    // Removes the element with the contact's record number, then inserts the contact before the
    // first element whose name compares greater (equal names go after), else at the end. A contact
    // without a name is ignored.
    static void sortByUsername(const QVariantMap &contact, QList<QVariantMap> &list);

    // The position of the first element with that record number; -1 when none has it.
    static int positionOfIndex(int index, const QList<QVariantMap> &list);
    // The first element with that record number; empty when none has it.
    static QVariantMap getItemByIndex(int index, const QList<QVariantMap> &list);
    // Removes the first element with that record number; false when none has it.
    static bool deleteItemByIndex(int index, QList<QVariantMap> &list);
    // The first element with exactly that name (and mobile number); empty when none.
    static QVariantMap getContactByName(const QString &name, const QList<QVariantMap> &list);
    static QVariantMap getContactByName(const QString &name, const QString &number, const QList<QVariantMap> &list);
    static bool isSameItemInCurtContent(const QString &name, const QString &mobileNumber, const QList<QVariantMap> &list);

    // Scans the list from start: true at the first element carrying the record number, false at
    // the first element without one (contacts not yet numbered stand at the end of a pending list).
    static bool newContactIndex(int index, const QList<QVariantMap> &list, int start = 0);
    // The record numbers the list carries, up to its first element without one.
    static QSet<int> numberedIndexes(const QList<QVariantMap> &list);
    // The lowest of 1..maximum that is not used; maximum + 1 when every one is.
    static int lowestFreeIndex(const QSet<int> &used, int maximum);
    // Where each of count positions goes when the one at removed is taken out (-1 for that one).
    static QList<int> positionsAfterRemoval(int count, int removed);
};

} // namespace ostrel
