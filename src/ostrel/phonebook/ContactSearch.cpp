#include "ostrel/phonebook/ContactSearch.h"

#include "common/util/Regex.h"
#include "ostrel/phonebook/PBContact.h"

namespace ostrel {

NumberMatch::NumberMatch(const QString &number, int threshold) : key_(cut(number, threshold)), threshold_(threshold) {}

QString NumberMatch::cut(const QString &number, int threshold)
{
    return number.size() <= threshold ? number : number.right(threshold);
}

bool NumberMatch::matches(const QString &contactNumber) const
{
    const QStringView cutNumber = QStringView(contactNumber).right(threshold_);
    return !cutNumber.isEmpty() && cutNumber == key_;
}

bool NumberMatch::matchesContact(const QVariantMap &contact) const
{
    // Most contacts hold their number as a string: read it without a copy.
    const auto it = contact.constFind(contactkey::mobilephone);
    if (it == contact.constEnd())
        return false;
    if (it->typeId() == QMetaType::QString)
        return matches(*static_cast<const QString *>(it->constData()));
    return matches(contactMobile(contact));
}

ContactSearch::ContactSearch(const QString &text, bool prefixMode, bool caseSensitive)
    : text_(text), prefix_(prefixMode), caseSensitivity_(caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive)
{
    pattern_ = prefixMode ? QStringLiteral("^") + text : text;
    if (!caseSensitive)
        pattern_ = QStringLiteral("(?i:") + pattern_ + QLatin1Char(')');
    // The text must be a pattern on its own: in prefix mode "^+49" would compile, as "^" repeated.
    const auto compiles = [](const QString &pattern) {
        yov::RegexError error;
        yov::Regex::isMatchedByRegex(QString(), pattern, &error);
        return error.name.isEmpty();
    };
    plain_ = !compiles(text) || !compiles(pattern_);
}

bool ContactSearch::matchesText(const QString &field)
{
    if (plain_)
        return prefix_ ? field.startsWith(text_, caseSensitivity_) : field.contains(text_, caseSensitivity_);
    if (timedOut_)
        return false;
    yov::RegexError error;
    const bool found = yov::Regex::isMatchedByRegex(field, pattern_, &error);
    timedOut_ = error.timedOut;
    return found;
}

bool ContactSearch::matches(const QVariantMap &contact)
{
    for (const QString *key : {&contactkey::username, &contactkey::mobilephone, &contactkey::officephone,
                               &contactkey::homephone, &contactkey::email}) {
        const auto it = contact.constFind(*key);
        if (it != contact.constEnd() && matchesText(contactText(contact, *key)))
            return true;
    }
    return false;
}

} // namespace ostrel
