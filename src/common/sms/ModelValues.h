#pragma once
// How the message model reads stored values and writes them back: a missing value stays missing
// (a null QString, an invalid QVariant or QDateTime) instead of becoming an empty one.

#include "common/ValueConversion.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace yov::sms::detail {

inline bool present(const QVariant &v)
{
    return v.isValid() && !v.isNull();
}

inline QString textOrNil(const QVariant &v)
{
    return present(v) ? nsString(v) : QString();
}

inline QVariant numberOrNil(const QVariant &v)
{
    return present(v) ? v : QVariant();
}

inline QDateTime dateOrNil(const QVariant &v)
{
    return v.typeId() == QMetaType::QDateTime ? v.toDateTime() : QDateTime();
}

inline QVariant variantOf(const QString &s)
{
    return s.isNull() ? QVariant() : QVariant(s);
}

inline QVariant variantOf(const QDateTime &d)
{
    return d.isValid() ? QVariant(d) : QVariant();
}

} // namespace yov::sms::detail
