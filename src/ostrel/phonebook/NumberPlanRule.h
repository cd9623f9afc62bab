#pragma once
// The operator's number-plan rule: a table from an old prefix to a new one, applied to mobile
// numbers of 10 characters (prefix: the first 3) or 11 characters (the first 4); the last 7
// characters stay. Lengths count characters, "+" included.
#include <QMap>
#include <QString>
#include <QVariantMap>

namespace ostrel {

class NumberPlanRule {
public:
    NumberPlanRule() = default;
    // Entries whose new prefix is not text are left out.
    explicit NumberPlanRule(const QVariantMap &rule);

    bool isEmpty() const { return rule_.isEmpty(); }
    // The prefix the rule looks up; empty for a number of another length.
    static QString prefixOf(const QString &number);
    // True when the rule changes nothing in the contact.
    bool isUpdated(const QVariantMap &contact) const;
    bool isUpdated(const QList<QVariantMap> &contacts) const;
    // Rewrites the contact's mobile number; false when it was already updated.
    bool update(QVariantMap &contact) const;

private:
    QMap<QString, QString> rule_;
};

} // namespace ostrel
