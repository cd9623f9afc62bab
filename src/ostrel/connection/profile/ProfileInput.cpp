#include "ostrel/connection/profile/ProfileInput.h"

#include "ostrel/connection/profile/DialProfile.h"

#include "common/DottedQuad.h"
#include "common/ValueConversion.h"

#include <algorithm>

namespace ostrel {

namespace {

bool isAsciiLetterOrDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
}

bool inSet(QChar c, const char16_t *set)
{
    for (const char16_t *p = set; *p; ++p)
        if (c.unicode() == *p)
            return true;
    return false;
}

bool blankEdged(const QString &text)
{
    return text.front().isSpace() || text.back().isSpace();
}

} // namespace

QString trimString(const QString &text, const std::function<bool(QChar)> &keep, int length)
{
    QString out;
    if (!keep || length <= 0)
        return out;
    for (const QChar c : text) {
        if (out.size() >= length)
            break;
        if (keep(c))
            out.append(c);
    }
    return out;
}

QString filterDialNumber(const QString &text)
{
    return trimString(text, [](QChar c) { return inSet(c, u"*#0123456789abcdABCD"); }, kDialNumberMaxLength);
}

QString filterApn(const QString &text)
{
    return trimString(text, [](QChar c) { return isAsciiLetterOrDigit(c) || inSet(c, u".-"); }, kApnMaxLength);
}

int accountTextLimit(int configuredLimit)
{
    if (configuredLimit < 1)
        return kAccountDefaultMaxLength;
    return std::min(configuredLimit, kAccountFieldMaxLength);
}

QString filterAccountText(const QString &text, int configuredLimit)
{
    return trimString(
        text,
        [](QChar c) { return isAsciiLetterOrDigit(c) || inSet(c, u"!#$&()*+,-./%:;<=>?@[]^_{|}~\"\\'"); },
        accountTextLimit(configuredLimit));
}

QString filterIPv6Dns(const QString &text)
{
    return trimString(text, [](QChar c) { return inSet(c, u"0123456789ABCDEFabcdef:"); }, kIPv6DnsMaxLength);
}

bool checkIPv6DNSIsValid(const QString &text)
{
    return text.size() <= 40;
}

// ---------------------------------------------------------------------------------------------

ProfileEdit editValuesOf(const QVariantMap &profile, const QString &shownName, bool askCheckBox, bool pdpTypeGroup,
                         bool supportDoublePdp)
{
    auto str = [&profile](const QString &key) { return getSafeDialStrParas(profile, key); };
    auto num = [&profile](const QString &key) { return getSafeDialNumParas(profile, key); };
    ProfileEdit e;
    e.provider = shownName;
    e.telNumber = str(profilekey::telNumber);
    e.saveUsernameFlag = num(profilekey::saveUsernameFlag);
    if (askCheckBox)
        e.askUsernameFlag = num(profilekey::askUsernameFlag);
    e.accountName = str(profilekey::accountName);
    e.password = str(profilekey::password);
    e.apnFlag = num(profilekey::apnFlag);
    e.apnName = str(profilekey::apnName);
    e.dnsFlag = num(profilekey::dnsFlag);
    e.preDns = str(profilekey::preDns);
    e.altDns = str(profilekey::altDns);
    e.pdpFlag = num(profilekey::pdpFlag);
    e.pdpAddress = str(profilekey::pdpAddress);
    e.pppFlag = num(profilekey::pppFlag);
    if (pdpTypeGroup)
        e.pdpType = num(profilekey::pdpType);
    if (supportDoublePdp)
        e.ipv6 = ProfileEdit::IPv6{str(profilekey::IPv6ApnName),  str(profilekey::IPv6PrefDNS),
                                   str(profilekey::IPv6AltDNS),   num(profilekey::IPv6DNSMode),
                                   str(profilekey::IPv6Username), str(profilekey::IPv6Password),
                                   num(profilekey::IPv6SaveAccount), num(profilekey::IPv6ApnMode),
                                   num(profilekey::IPv6AuthMode), num(profilekey::IPv6PDPMode),
                                   str(profilekey::IPv6PDPAddr),  num(profilekey::SinglePdp)};
    return e;
}

void applyEdit(QVariantMap &profile, const ProfileEdit &edit, int passwordLimitLen)
{
    profile.insert(profilekey::provider, edit.provider);
    profile.insert(profilekey::telNumber, filterDialNumber(edit.telNumber));
    profile.insert(profilekey::saveUsernameFlag, qint64(edit.saveUsernameFlag));
    if (edit.askUsernameFlag)
        profile.insert(profilekey::askUsernameFlag, qint64(*edit.askUsernameFlag));
    profile.insert(profilekey::accountName, filterAccountText(edit.accountName, passwordLimitLen));
    profile.insert(profilekey::password, filterAccountText(edit.password, passwordLimitLen));
    profile.insert(profilekey::apnFlag, qint64(edit.apnFlag));
    profile.insert(profilekey::apnName, filterApn(edit.apnName));
    profile.insert(profilekey::dnsFlag, qint64(edit.dnsFlag));
    profile.insert(profilekey::preDns, edit.preDns);
    profile.insert(profilekey::altDns, edit.altDns);
    profile.insert(profilekey::pdpFlag, qint64(edit.pdpFlag));
    profile.insert(profilekey::pdpAddress, edit.pdpAddress);
    profile.insert(profilekey::pppFlag, qint64(edit.pppFlag));
    if (edit.pdpType)
        profile.insert(profilekey::pdpType, qint64(*edit.pdpType));
    if (edit.ipv6) {
        profile.insert(profilekey::IPv6ApnName, edit.ipv6->apnName);
        profile.insert(profilekey::IPv6PrefDNS, filterIPv6Dns(edit.ipv6->prefDns));
        profile.insert(profilekey::IPv6AltDNS, filterIPv6Dns(edit.ipv6->altDns));
        profile.insert(profilekey::IPv6DNSMode, qint64(edit.ipv6->dnsMode));
        profile.insert(profilekey::IPv6Username, filterAccountText(edit.ipv6->username, passwordLimitLen));
        profile.insert(profilekey::IPv6Password, filterAccountText(edit.ipv6->password, passwordLimitLen));
        profile.insert(profilekey::IPv6SaveAccount, qint64(edit.ipv6->saveAccount));
        profile.insert(profilekey::IPv6ApnMode, qint64(edit.ipv6->apnMode));
        profile.insert(profilekey::IPv6AuthMode, qint64(edit.ipv6->authMode));
        profile.insert(profilekey::IPv6PDPMode, qint64(edit.ipv6->pdpMode));
        profile.insert(profilekey::IPv6PDPAddr, edit.ipv6->pdpAddr);
        profile.insert(profilekey::SinglePdp, qint64(edit.ipv6->singlePdp));
    }
}

// ---------------------------------------------------------------------------------------------

QString profileCheckMessage(ProfileCheck check)
{
    switch (check) {
    case ProfileCheck::Valid:
        return QString();
    case ProfileCheck::InvalidProfile:
        return QStringLiteral("Invalid Profile!");
    case ProfileCheck::NameExists:
        return QStringLiteral("Name already exists, please rename!");
    case ProfileCheck::InvalidApn:
        return QStringLiteral("Invalid APN!");
    case ProfileCheck::InvalidPreferredDns:
        return QStringLiteral("Invalid Preferred DNS!");
    case ProfileCheck::InvalidAlternateDns:
        return QStringLiteral("Invalid Alternate DNS!");
    case ProfileCheck::InvalidPdpAddress:
        return QStringLiteral("Invalid PDP Address!");
    }
    return QString();
}

ProfileCheck checkDialConfigIsValid(const ProfileEdit &edit, const QList<QVariantMap> &profiles,
                                    std::optional<int> editedRow)
{
    if (edit.provider.isEmpty() || blankEdged(edit.provider))
        return ProfileCheck::InvalidProfile;
    for (qsizetype i = 0; i < profiles.size(); ++i) {
        if (editedRow && i == *editedRow)
            continue;
        const QVariant stored = profiles.at(i).value(profilekey::provider);
        if (stored.isValid() && yov::nsString(stored) == edit.provider)
            return ProfileCheck::NameExists;
    }

    if (edit.pdpType.value_or(0) != kPdpTypeWithoutIPv4Apn) {
        const QString &apn = edit.apnName;
        if (apn.isEmpty() && edit.apnFlag == 1)
            return ProfileCheck::InvalidApn;
        if (apn.startsWith(QLatin1Char('-')) || apn.endsWith(QLatin1Char('-')))
            return ProfileCheck::InvalidApn;
    }

    const auto badAddress = [](const QString &text) {
        return !text.isEmpty() && (text == QLatin1String("0.0.0.0") || !yov::isDottedQuad(text));
    };
    if (badAddress(edit.preDns))
        return ProfileCheck::InvalidPreferredDns;
    if (badAddress(edit.altDns))
        return ProfileCheck::InvalidAlternateDns;
    if (badAddress(edit.pdpAddress))
        return ProfileCheck::InvalidPdpAddress;
    return ProfileCheck::Valid;
}

// ---------------------------------------------------------------------------------------------

ProfileButtons setEidtStatusAtRow(std::optional<int> row, int profileCount, int defaultProfileNum,
                                  bool addDefaultEdit)
{
    ProfileButtons b;
    if (!row || *row < 0 || *row >= profileCount)
        return b;
    if (*row < defaultProfileNum) {
        b.edit = addDefaultEdit;
        b.del = false;
    } else {
        b.edit = true;
        b.del = true;
    }
    b.browse = true;
    return b;
}

bool checkProviderIsEditable(int row, const QList<QVariantMap> &profiles, int defaultProfileNum,
                             const QStringList &editableProviders)
{
    if (row < 0 || editableProviders.isEmpty() || row >= defaultProfileNum || row >= profiles.size())
        return false;
    const QVariant provider = profiles.at(row).value(profilekey::provider);
    return provider.isValid() && editableProviders.contains(yov::nsString(provider));
}

void setUsernameAndPasswordEditable(ProfileButtons &buttons, int row, bool providerEditable)
{
    if (row >= 0 && providerEditable)
        buttons.edit = true;
}

void setBtnStausForRAVO(ProfileButtons &buttons, int row, bool timAPNEditable)
{
    if (row != 1 || !timAPNEditable)
        return;
    buttons.edit = true;
    buttons.browse = true;
    buttons.del = false;
}

// ---------------------------------------------------------------------------------------------

EditSheetControls editSheetControlStates(bool providerEditable, bool apnNameAndAuthModemForConfigEnable)
{
    EditSheetControls c;
    if (!providerEditable)
        return c;
    if (apnNameAndAuthModemForConfigEnable) {
        c.name = c.number = c.saveUsername = c.user = c.password = c.apnGroup = false;
        return c;
    }
    c.number = c.saveUsername = c.apnGroup = c.apn = c.dnsGroup = c.dns = c.pdpGroup = c.pdpAddress = c.authGroup = false;
    return c;
}

} // namespace ostrel
