#include "ostrel/device/service/MccMnc.h"

namespace ostrel {

namespace {

bool allDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

Plmn Plmn::fromParts(const QString &mcc, const QString &mnc)
{
    const QString m = mcc.trimmed();
    QString n = mnc.trimmed();
    if (!allDigits(m) || !allDigits(n) || m.size() != 3 || n.size() > 3)
        return {};
    while (n.size() < 2)
        n.prepend(QLatin1Char('0'));
    return {m, n};
}

Plmn Plmn::fromDigits(const QString &digits)
{
    if (!allDigits(digits) || (digits.size() != 5 && digits.size() != 6))
        return {};
    return {digits.left(3), digits.mid(3)};
}

Plmn Plmn::fromImsi(const QString &imsi, int mncLength)
{
    const int length = mncLength == 3 ? 3 : 2;
    if (imsi.size() < 3 + length || !allDigits(imsi.left(3 + length)))
        return {};
    return {imsi.left(3), imsi.mid(3, length)};
}

namespace mccmnc {

QString formatMccmnc(const QString &mccText, const QString &mncText)
{
    if (mccText.isEmpty())
        return {};
    bool okMcc = false;
    bool okMnc = true;
    const uint mcc = mccText.toUInt(&okMcc, 16);
    const uint mnc = mncText.isEmpty() ? 0 : mncText.toUInt(&okMnc, 16);
    if (!okMcc || !okMnc)
        return {};
    return QString::asprintf("%05X", (mcc << 8) | mnc);
}

QString getMCCByMccmnc(const QString &mccmnc)
{
    return mccmnc.size() == 5 ? mccmnc.left(3) : QString(QLatin1String(""));
}

QString getMNCByMccmnc(const QString &mccmnc)
{
    return mccmnc.size() == 5 ? mccmnc.right(2) : QString(QLatin1String(""));
}

QString moduleMapKey(const QString &mccmnc)
{
    bool ok = false;
    const uint value = mccmnc.toUInt(&ok, 16);
    if (!ok)
        return {};
    if (mccmnc.size() == 5)
        return QString::asprintf("memKeyMCCMNCXMCCMNC(%05d)", int(value));
    return QStringLiteral("memKeyMCCMNCXMCCMNC[%1]").arg(mccmnc.toUpper());
}

} // namespace mccmnc
} // namespace ostrel
