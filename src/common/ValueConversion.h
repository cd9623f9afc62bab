#pragma once
// The one place where stored values become booleans, numbers and texts.
//
// Stored settings come as booleans, numbers or strings; the conversions follow the rules the
// stored data was written for: "YES", "yes", "T", "1", " 3", "-1" are true; "no", "0", "" and a
// missing value are false; "3abc" is 3; " 3" is 3; 0.5 is true as a boolean and 0 as an integer.
// Never call QVariant::toBool() or toInt() on stored strings: "no" would become true.

#include <QString>
#include <QVariant>

namespace yov {

bool nsBool(const QVariant &v);
int nsInt(const QVariant &v);
qint64 nsLongLong(const QVariant &v);
double nsDouble(const QVariant &v);
float nsFloat(const QVariant &v);
// A string as it is; a number in its usual decimal form; a boolean as "1" or "0"; anything else empty.
QString nsString(const QVariant &v);
// A dictionary or array as it is; anything else empty.
QVariantMap nsDict(const QVariant &v);
QVariantList nsArray(const QVariant &v);
// Whether the value is a boolean or a number (what the conversions read as a number as it is).
bool isNumber(const QVariant &v);

// Text rules alone, for callers that already hold a string.
bool textBool(const QString &text);
qint64 textInteger(const QString &text);
double textDouble(const QString &text);

} // namespace yov
