#pragma once
// The date form of HTTP headers such as "Last-Modified" ("Sun, 06 Nov 1994 08:49:37 GMT"), read
// the same way whatever the user's locale: English day and month names, "GMT" (or "UTC", "UT")
// as UTC. Stored link dates use the same form, so both sides of a comparison go through here.
#include <QDateTime>
#include <QString>

#include <optional>

namespace ostrel {

// The date, in UTC; nullopt for a text that is not of this form or names an impossible date.
std::optional<QDateTime> parseHttpDate(const QString &text);

// The date in this form ("%a, %d %b %Y %H:%M:%S GMT").
QString formatHttpDate(const QDateTime &date);

} // namespace ostrel
