#include "ostrel/phonebook/NumberPlanRule.h"

#include "ostrel/phonebook/PBContact.h"

namespace ostrel {

namespace {
constexpr int kKeptDigits = 7;
}

NumberPlanRule::NumberPlanRule(const QVariantMap &rule)
{
    for (auto it = rule.cbegin(); it != rule.cend(); ++it)
        if (it.value().typeId() == QMetaType::QString && !it.key().isEmpty())
            rule_.insert(it.key(), it.value().toString());
}

QString NumberPlanRule::prefixOf(const QString &number)
{
    if (number.size() != 10 && number.size() != 11)
        return {};
    return number.left(number.size() - kKeptDigits);
}

bool NumberPlanRule::isUpdated(const QVariantMap &contact) const
{
    const QString prefix = prefixOf(contactMobile(contact));
    return prefix.isEmpty() || !rule_.contains(prefix);
}

bool NumberPlanRule::isUpdated(const QList<QVariantMap> &contacts) const
{
    for (const QVariantMap &contact : contacts)
        if (!isUpdated(contact))
            return false;
    return true;
}

bool NumberPlanRule::update(QVariantMap &contact) const
{
    if (isUpdated(contact))
        return false;
    const QString number = contactMobile(contact);
    contact.insert(contactkey::mobilephone, rule_.value(prefixOf(number)) + number.right(kKeptDigits));
    return true;
}

} // namespace ostrel
