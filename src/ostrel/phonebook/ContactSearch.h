#pragma once
// Finding contacts: by the trailing digits of a number, and by the search text of the phonebook's
// window.
#include <QString>
#include <QVariantMap>

namespace ostrel {

// Numbers match when their last N characters are equal (plain string equality: a "+", blanks or a
// national prefix are not removed), so that the national and international forms of one number
// match. A number of N or fewer characters is compared whole; an empty number matches nothing.
class NumberMatch {
public:
    NumberMatch(const QString &number, int threshold);
    bool matches(const QString &contactNumber) const;
    bool matchesContact(const QVariantMap &contact) const; // its "mobilephone" only

    static QString cut(const QString &number, int threshold);

private:
    QString key_;
    int threshold_;
};

// The window's search text against a contact's name, mobile, office and home numbers and e-mail.
//
// The text is a regular expression (ICU), at the start of a field only in prefix mode, without
// regard to case unless the search is case-sensitive. A text that does not compile as one ("+49",
// "(030", "*100#") is looked for as plain text under the same prefix and case rules. A search that
// runs into the engine's time limit counts as no match, and once it has, the text matches nothing
// more for the rest of this search, so that one runaway text cannot stall a search of many
// contacts.
class ContactSearch {
public:
    ContactSearch(const QString &text, bool prefixMode, bool caseSensitive);

    bool matches(const QVariantMap &contact);
    bool matchesText(const QString &field);

    QString pattern() const { return pattern_; }
    bool isPlainText() const { return plain_; }
    bool timedOut() const { return timedOut_; }

private:
    QString text_;
    QString pattern_;
    bool prefix_;
    Qt::CaseSensitivity caseSensitivity_;
    bool plain_ = false;
    bool timedOut_ = false;
};

} // namespace ostrel
