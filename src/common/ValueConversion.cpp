#include "common/ValueConversion.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace yov {

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

namespace {

bool isText(const QVariant &v)
{
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray;
}

qsizetype skipBlanks(const QString &t)
{
    qsizetype i = 0;
    while (i < t.size() && t.at(i).isSpace())
        ++i;
    return i;
}

qint64 clampToInt64(double d)
{
    if (std::isnan(d))
        return 0;
    if (d >= double(std::numeric_limits<qint64>::max()))
        return std::numeric_limits<qint64>::max();
    if (d <= double(std::numeric_limits<qint64>::min()))
        return std::numeric_limits<qint64>::min();
    return qint64(d);
}

} // namespace

bool textBool(const QString &text)
{
    qsizetype i = skipBlanks(text);
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    while (i < text.size() && text.at(i) == u'0')
        ++i;
    if (i >= text.size())
        return false;
    const QChar c = text.at(i);
    return c == u'Y' || c == u'y' || c == u'T' || c == u't' || (c >= u'1' && c <= u'9');
}

qint64 textInteger(const QString &text)
{
    qsizetype i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    quint64 value = 0;
    bool overflow = false;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        const quint64 digit = quint64(text.at(i).unicode() - u'0');
        if (value > (quint64(std::numeric_limits<qint64>::max()) - digit) / 10)
            overflow = true;
        else
            value = value * 10 + digit;
    }
    if (overflow)
        return negative ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
    return negative ? -qint64(value) : qint64(value);
}

double textDouble(const QString &text)
{
    // The longest leading part that reads as a decimal number: "3.5abc" is 3.5.
    const qsizetype start = skipBlanks(text);
    qsizetype end = start;
    if (end < text.size() && (text.at(end) == u'+' || text.at(end) == u'-'))
        ++end;
    bool digits = false, dot = false;
    for (; end < text.size(); ++end) {
        const QChar c = text.at(end);
        if (c.isDigit() && c.unicode() < 128)
            digits = true;
        else if (c == u'.' && !dot)
            dot = true;
        else
            break;
    }
    if (digits && end < text.size() && (text.at(end) == u'e' || text.at(end) == u'E')) {
        qsizetype e = end + 1;
        if (e < text.size() && (text.at(e) == u'+' || text.at(e) == u'-'))
            ++e;
        if (e < text.size() && text.at(e).isDigit()) {
            while (e < text.size() && text.at(e).isDigit())
                ++e;
            end = e;
        }
    }
    if (!digits)
        return 0.0;
    bool ok = false;
    const double d = text.mid(start, end - start).toDouble(&ok);
    return ok ? d : 0.0;
}

bool nsBool(const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isNumber(v))
        return v.toDouble() != 0.0;
    if (isText(v))
        return textBool(v.toString());
    return false;
}

qint64 nsLongLong(const QVariant &v)
{
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return clampToInt64(v.toDouble());
    if (v.typeId() == QMetaType::ULongLong || v.typeId() == QMetaType::ULong)
        return qint64(qMin(v.toULongLong(), quint64(std::numeric_limits<qint64>::max())));
    if (isNumber(v))
        return v.toLongLong();
    if (isText(v))
        return textInteger(v.toString());
    return 0;
}

int nsInt(const QVariant &v)
{
    const qint64 x = nsLongLong(v);
    return int(std::clamp<qint64>(x, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

double nsDouble(const QVariant &v)
{
    if (isNumber(v))
        return v.toDouble();
    if (isText(v))
        return textDouble(v.toString());
    return 0.0;
}

float nsFloat(const QVariant &v)
{
    return float(nsDouble(v));
}

QString nsString(const QVariant &v)
{
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(v.toByteArray());
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (isNumber(v))
        return v.toString();
    return QString();
}

QVariantMap nsDict(const QVariant &v)
{
    return v.typeId() == QMetaType::QVariantMap ? v.toMap() : QVariantMap();
}

QVariantList nsArray(const QVariant &v)
{
    if (v.typeId() == QMetaType::QVariantList || v.typeId() == QMetaType::QStringList)
        return v.toList();
    return QVariantList();
}

} // namespace yov
