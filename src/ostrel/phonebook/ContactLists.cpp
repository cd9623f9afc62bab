#include "ostrel/phonebook/ContactLists.h"

#include "ostrel/framework/language/LanguageOperation.h"
#include "ostrel/framework/switches/ConfigService.h"

#include <QStringList>

#include <algorithm>
#include <memory>
#include <numeric>

namespace ostrel {

namespace {

bool carriesIndex(const QVariantMap &contact, int index)
{
    return hasContactIndex(contact) && contactIndex(contact) == index;
}

} // namespace

const QCollator &ContactLists::activeCollator()
{
    thread_local QString language;
    thread_local std::unique_ptr<QCollator> collator;
    const QString active = ConfigService::activeTokenListLanguage();
    if (!collator || active != language) {
        language = active;
        collator = std::make_unique<QCollator>(LanguageOperation::localeOfLanguage(active));
    }
    return *collator;
}

int ContactLists::localizedCompare(const QString &a, const QString &b) { return activeCollator().compare(a, b); }

QList<int> ContactLists::sortList(QList<QVariantMap> &list, const QString &key, bool ascending)
{
    const QCollator &collator = activeCollator();
    QStringList texts;
    texts.reserve(list.size());
    for (const QVariantMap &element : list)
        texts.append(contactText(element, key));
    QList<int> oldAt(list.size()); // the old position of each new one
    std::iota(oldAt.begin(), oldAt.end(), 0);
    std::stable_sort(oldAt.begin(), oldAt.end(), [&](int a, int b) {
        const int order = collator.compare(texts.at(a), texts.at(b));
        return ascending ? order < 0 : order > 0;
    });
    QList<QVariantMap> sorted;
    sorted.reserve(list.size());
    QList<int> newOf(list.size());
    for (int n = 0; n < oldAt.size(); ++n) {
        sorted.append(list.at(oldAt.at(n)));
        newOf[oldAt.at(n)] = n;
    }
    list = std::move(sorted);
    return newOf;
}

void ContactLists::sortByUsername(const QVariantMap &contact, QList<QVariantMap> &list)
{
    if (!contact.contains(contactkey::username))
        return;
    if (hasContactIndex(contact))
        deleteItemByIndex(contactIndex(contact), list);
    const QCollator &collator = activeCollator();
    const QString name = contactName(contact);
    const auto greater = std::find_if(list.begin(), list.end(), [&](const QVariantMap &element) {
        return collator.compare(contactName(element), name) > 0;
    });
    list.insert(greater, contact);
}

int ContactLists::positionOfIndex(int index, const QList<QVariantMap> &list)
{
    for (int i = 0; i < list.size(); ++i) {
        if (carriesIndex(list.at(i), index))
            return i;
    }
    return -1;
}

QVariantMap ContactLists::getItemByIndex(int index, const QList<QVariantMap> &list)
{
    const int position = positionOfIndex(index, list);
    return position < 0 ? QVariantMap() : list.at(position);
}

bool ContactLists::deleteItemByIndex(int index, QList<QVariantMap> &list)
{
    const int position = positionOfIndex(index, list);
    if (position < 0)
        return false;
    list.removeAt(position);
    return true;
}

QVariantMap ContactLists::getContactByName(const QString &name, const QList<QVariantMap> &list)
{
    for (const QVariantMap &contact : list) {
        if (contactName(contact) == name)
            return contact;
    }
    return {};
}

QVariantMap ContactLists::getContactByName(const QString &name, const QString &number, const QList<QVariantMap> &list)
{
    for (const QVariantMap &contact : list) {
        if (contactName(contact) == name && contactMobile(contact) == number)
            return contact;
    }
    return {};
}

bool ContactLists::isSameItemInCurtContent(const QString &name, const QString &mobileNumber, const QList<QVariantMap> &list)
{
    return !getContactByName(name, mobileNumber, list).isEmpty();
}

bool ContactLists::newContactIndex(int index, const QList<QVariantMap> &list, int start)
{
    for (int i = std::max(start, 0); i < list.size(); ++i) {
        if (!hasContactIndex(list.at(i)))
            return false;
        if (contactIndex(list.at(i)) == index)
            return true;
    }
    return false;
}

QSet<int> ContactLists::numberedIndexes(const QList<QVariantMap> &list)
{
    QSet<int> indexes;
    for (const QVariantMap &contact : list) {
        if (!hasContactIndex(contact))
            break;
        indexes.insert(contactIndex(contact));
    }
    return indexes;
}

int ContactLists::lowestFreeIndex(const QSet<int> &used, int maximum)
{
    for (int i = 1; i <= maximum; ++i) {
        if (!used.contains(i))
            return i;
    }
    return maximum + 1;
}

QList<int> ContactLists::positionsAfterRemoval(int count, int removed)
{
    QList<int> movedTo(std::max(count, 0));
    for (int i = 0; i < movedTo.size(); ++i)
        movedTo[i] = i < removed ? i : (i == removed ? -1 : i - 1);
    return movedTo;
}

} // namespace ostrel
