// The profile rules that need no file: safe view, naming, filters, validity, buttons, dial params.
#include "ostrel/connection/profile/DialProfile.h"
#include "ostrel/connection/profile/ProfileInput.h"

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

QVariantMap named(const QString &name)
{
    return QVariantMap{{profilekey::provider, name}};
}

QList<QVariantMap> namedList(std::initializer_list<const char *> names)
{
    QList<QVariantMap> list;
    for (const char *n : names)
        list.append(named(QString::fromUtf8(n)));
    return list;
}

} // namespace

TEST(SafeProfile, FillsOnlyMissingKeys)
{
    const QVariantMap empty = createSafeDialConfig({}, false);
    for (const char *key : {"provider", "apnName", "accountName", "password", "telNumber", "pdpAddress", "preDns",
                            "altDns"}) {
        ASSERT_TRUE(empty.contains(QString::fromLatin1(key))) << key;
        EXPECT_EQ(empty.value(QString::fromLatin1(key)), QVariant(QString())) << key;
    }
    for (const char *key : {"pdpFlag", "pdpType", "pppFlag", "apnFlag", "dnsFlag", "saveUsernameFlag",
                            "askUsernameFlag"}) {
        ASSERT_TRUE(empty.contains(QString::fromLatin1(key))) << key;
        EXPECT_EQ(empty.value(QString::fromLatin1(key)), QVariant(qint64(0))) << key;
    }
    EXPECT_EQ(empty.size(), 15);
    EXPECT_FALSE(empty.contains(profilekey::IPv6ApnName));

    const QVariantMap dual = createSafeDialConfig({}, true);
    EXPECT_EQ(dual.size(), 20);
    EXPECT_EQ(dual.value(profilekey::IPv6Password), QVariant(QString()));
    EXPECT_EQ(dual.value(profilekey::SinglePdp), QVariant(qint64(0)));

    const QVariantMap stored{{profilekey::apnName, QStringLiteral("web")},
                             {profilekey::pppFlag, QStringLiteral("1")},
                             {QStringLiteral("custom"), true}};
    const QVariantMap safe = createSafeDialConfig(stored, false);
    EXPECT_EQ(safe.value(profilekey::apnName), QVariant(QStringLiteral("web")));
    EXPECT_EQ(getSafeDialNumParas(safe, profilekey::pppFlag), 1); // a number stored as text
    EXPECT_EQ(safe.value(QStringLiteral("custom")), QVariant(true));
    EXPECT_EQ(getSafeDialStrParas({}, profilekey::apnName), QString());
    EXPECT_EQ(getSafeDialNumParas({}, profilekey::apnFlag), 0);
}

TEST(ProfileNaming, LowestFreeNumberAndShownNames)
{
    struct Case {
        QList<QVariantMap> list;
        const char *pattern;
        const char *expected;
    };
    const Case cases[] = {
        {{}, "New%d", "New1"},
        {namedList({"New1", "New3"}), "New%d", "New2"},
        {namedList({"New2", "New1"}), "New%d", "New3"},
        {namedList({"Orange", "New 1"}), "New%d", "New1"},
        {namedList({"Neu1"}), "Neu%d", "Neu2"},
        {namedList({"Fixed", "Fixed"}), "Fixed", "Fixed"}, // a pattern without a number ends
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(nextNewProfileName(c.list, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected));
    }

    const Localizer upper = [](const QString &s) { return s.toUpper(); };
    EXPECT_EQ(getApnProviderNameWith({}, false, upper), QString());
    EXPECT_EQ(getApnProviderNameWith(named(QStringLiteral("vodafone")), false, upper), QStringLiteral("VODAFONE"));
    EXPECT_EQ(getApnProviderNameWith(named(QStringLiteral("vodafone")), true, upper), QStringLiteral("vodafone"));
    EXPECT_EQ(getDefaultProfileAPN({}, upper), QStringLiteral("AUTOMATIC"));
    EXPECT_EQ(getDefaultProfileAPN({{profilekey::apnName, QStringLiteral("web")}}, upper), QStringLiteral("web"));
}

TEST(ProfileDefaults, NewProfileFollowsTheSettings)
{
    ProfileSettings off;
    const QVariantMap plain = newProfile(namedList({"New1"}), off, {});
    EXPECT_EQ(plain.value(profilekey::provider), QVariant(QStringLiteral("New2")));
    EXPECT_EQ(plain.value(profilekey::telNumber), QVariant(QString()));
    EXPECT_EQ(plain.value(profilekey::saveUsernameFlag), QVariant(qint64(0)));
    EXPECT_EQ(plain.value(profilekey::apnFlag), QVariant(qint64(0)));
    EXPECT_EQ(plain.value(profilekey::pppFlag), QVariant(qint64(0)));
    EXPECT_FALSE(plain.contains(profilekey::askUsernameFlag));
    EXPECT_FALSE(plain.contains(profilekey::pdpType));
    EXPECT_FALSE(plain.contains(profilekey::IMSI));
    EXPECT_FALSE(plain.contains(profilekey::IPv6ApnName));

    ProfileSettings on;
    on.addNewAPNWithDefaultTelNum = true;
    on.addNewAPNWithSaveUsername = true;
    on.usingApnName = true;
    on.defaultAuthMode = 1;
    on.addAPNWithSIM = true;
    on.imsi = QStringLiteral("001010123456789");
    const QVariantMap full = newProfile({}, on, {true, true, true});
    EXPECT_EQ(full.value(profilekey::telNumber), QVariant(QStringLiteral("*99#")));
    EXPECT_EQ(full.value(profilekey::saveUsernameFlag), QVariant(qint64(1)));
    EXPECT_EQ(full.value(profilekey::apnFlag), QVariant(qint64(1)));
    EXPECT_EQ(full.value(profilekey::pppFlag), QVariant(qint64(1)));
    EXPECT_EQ(full.value(profilekey::askUsernameFlag), QVariant(qint64(0)));
    EXPECT_EQ(full.value(profilekey::pdpType), QVariant(qint64(0)));
    EXPECT_EQ(full.value(profilekey::IMSI), QVariant(QStringLiteral("001010123456789")));
    EXPECT_EQ(full.value(profilekey::IPv6DNSMode), QVariant(qint64(0)));
    EXPECT_EQ(full.value(profilekey::IPv6AltDNS), QVariant(QString()));

    for (const auto &[stored, mode] : {std::pair{QVariant(QStringLiteral("CHAP")), 1},
                                       std::pair{QVariant(QStringLiteral("PAP")), 0},
                                       std::pair{QVariant(QStringLiteral("chap")), 0},
                                       std::pair{QVariant(), 0}})
        EXPECT_EQ(defaultAuthModeOf(stored), mode) << stored.toString().toStdString();
}

TEST(ProfileFilters, KeepTheirCharactersAndLength)
{
    struct Case {
        const char *name;
        QString (*filter)(const QString &);
        QString in;
        QString out;
    };
    const Case cases[] = {
        {"number keeps digits * #", filterDialNumber, QStringLiteral("*99#"), QStringLiteral("*99#")},
        {"number drops plus and blank", filterDialNumber, QStringLiteral("+49 170 12"), QStringLiteral("4917012")},
        {"number keeps abcd", filterDialNumber, QStringLiteral("aBcDeE"), QStringLiteral("aBcD")},
        {"number cut to 30", filterDialNumber, QString(40, QLatin1Char('1')), QString(30, QLatin1Char('1'))},
        {"apn keeps dot and dash", filterApn, QStringLiteral("my-apn.com"), QStringLiteral("my-apn.com")},
        {"apn drops others", filterApn, QStringLiteral("a b_c/d\u00e9"), QStringLiteral("abcd")},
        {"apn cut to 60", filterApn, QString(70, QLatin1Char('x')), QString(60, QLatin1Char('x'))},
        {"ipv6 dns", filterIPv6Dns, QStringLiteral("2001:DB8::g1 "), QStringLiteral("2001:DB8::1")},
        {"ipv6 dns cut to 39", filterIPv6Dns, QString(45, QLatin1Char('f')), QString(39, QLatin1Char('f'))},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.filter(c.in), c.out) << c.name;

    const QString symbols = QStringLiteral("!#$&()*+,-./%:;<=>?@[]^_{|}~\"\\'");
    EXPECT_EQ(filterAccountText(QStringLiteral("ab 1") + symbols + QStringLiteral("`\u00e9"), 200),
              QStringLiteral("ab1") + symbols);
    EXPECT_EQ(filterAccountText(QString(40, QLatin1Char('p')), 0).size(), 30);
    EXPECT_EQ(filterAccountText(QString(40, QLatin1Char('p')), -3).size(), 30);
    EXPECT_EQ(filterAccountText(QString(40, QLatin1Char('p')), 8).size(), 8);
    // A configured limit above the record field is held to the field.
    EXPECT_EQ(filterAccountText(QString(300, QLatin1Char('p')), 500).size(), 127);
    EXPECT_EQ(accountTextLimit(500), 127);

    EXPECT_TRUE(checkIPv6DNSIsValid(QString(40, QLatin1Char('1'))));
    EXPECT_FALSE(checkIPv6DNSIsValid(QString(41, QLatin1Char('1'))));
}

TEST(ProfileValidity, FirstFailingRuleDecides)
{
    const QList<QVariantMap> list = namedList({"Home", "Work"});
    auto edit = [](const char *name) {
        ProfileEdit e;
        e.provider = QString::fromUtf8(name);
        return e;
    };
    struct Case {
        const char *what;
        ProfileEdit e;
        std::optional<int> row;
        ProfileCheck expected;
    };
    std::vector<Case> cases;
    cases.push_back({"plain new name", edit("Travel"), std::nullopt, ProfileCheck::Valid});
    cases.push_back({"empty name", edit(""), std::nullopt, ProfileCheck::InvalidProfile});
    cases.push_back({"leading blank", edit(" Travel"), std::nullopt, ProfileCheck::InvalidProfile});
    cases.push_back({"trailing blank", edit("Travel "), std::nullopt, ProfileCheck::InvalidProfile});
    cases.push_back({"duplicate", edit("Work"), 0, ProfileCheck::NameExists});
    cases.push_back({"own name kept", edit("Work"), 1, ProfileCheck::Valid});
    {
        ProfileEdit e = edit("X");
        e.apnFlag = 1;
        cases.push_back({"empty apn with apn radio on", e, std::nullopt, ProfileCheck::InvalidApn});
        e.pdpType = 2;
        cases.push_back({"any apn with pdp type 2", e, std::nullopt, ProfileCheck::Valid});
    }
    {
        ProfileEdit e = edit("X");
        cases.push_back({"empty apn automatic", e, std::nullopt, ProfileCheck::Valid});
        e.apnName = QStringLiteral("-web");
        cases.push_back({"apn starts with dash", e, std::nullopt, ProfileCheck::InvalidApn});
        e.apnName = QStringLiteral("web-");
        cases.push_back({"apn ends with dash", e, std::nullopt, ProfileCheck::InvalidApn});
        e.pdpType = 2;
        cases.push_back({"dash apn with pdp type 2", e, std::nullopt, ProfileCheck::Valid});
        e.apnName = QStringLiteral("we-b");
        e.pdpType.reset();
        cases.push_back({"inner dash", e, std::nullopt, ProfileCheck::Valid});
    }
    {
        ProfileEdit e = edit("X");
        e.preDns = QStringLiteral("0.0.0.0");
        e.altDns = QStringLiteral("0.0.0.0");
        e.pdpAddress = QStringLiteral("0.0.0.0");
        cases.push_back({"preferred dns first", e, std::nullopt, ProfileCheck::InvalidPreferredDns});
        e.preDns = QStringLiteral("1.1.1.1");
        cases.push_back({"alternate dns", e, std::nullopt, ProfileCheck::InvalidAlternateDns});
        e.altDns.clear();
        cases.push_back({"pdp address", e, std::nullopt, ProfileCheck::InvalidPdpAddress});
        e.pdpAddress.clear();
        cases.push_back({"empty addresses pass", e, std::nullopt, ProfileCheck::Valid});
    }
    for (const Case &c : cases)
        EXPECT_EQ(checkDialConfigIsValid(c.e, list, c.row), c.expected) << c.what;

    // Each address field takes a complete dotted IPv4 address only.
    struct Address {
        const char *text;
        bool valid;
    };
    const Address addresses[] = {
        {"10.0.0.1", true},   {"255.255.255.255", true}, {"010.0.0.1", true}, {"1.2.3", false},
        {"300.1.1.1", false}, {"1.2.3.4.5", false},      {"1..3.4", false},   {" 1.2.3.4", false},
        {"1.2.3.4 ", false},  {"a.b.c.d", false},        {"1.2.3.1000", false}, {"-1.2.3.4", false},
    };
    const std::pair<QString ProfileEdit::*, ProfileCheck> fields[] = {
        {&ProfileEdit::preDns, ProfileCheck::InvalidPreferredDns},
        {&ProfileEdit::altDns, ProfileCheck::InvalidAlternateDns},
        {&ProfileEdit::pdpAddress, ProfileCheck::InvalidPdpAddress},
    };
    for (const auto &[field, failure] : fields) {
        for (const Address &a : addresses) {
            ProfileEdit e = edit("X");
            e.*field = QString::fromLatin1(a.text);
            EXPECT_EQ(checkDialConfigIsValid(e, list, std::nullopt), a.valid ? ProfileCheck::Valid : failure)
                << a.text << " as " << int(failure);
        }
    }

    EXPECT_EQ(profileCheckMessage(ProfileCheck::InvalidProfile), QStringLiteral("Invalid Profile!"));
    EXPECT_EQ(profileCheckMessage(ProfileCheck::NameExists), QStringLiteral("Name already exists, please rename!"));
    EXPECT_EQ(profileCheckMessage(ProfileCheck::InvalidPdpAddress), QStringLiteral("Invalid PDP Address!"));
}

TEST(ProfileButtonsTable, FollowTheRowKindAndTheOperatorRules)
{
    // Three profiles; the operator lets "Op" (a default profile) be edited in the restricted mode.
    const QList<QVariantMap> list = namedList({"Op", "Other", "Op"});
    const QStringList editable{QStringLiteral("Op")};
    struct Case {
        const char *what;
        std::optional<int> row;
        int defaults;
        bool addDefaultEdit;
        QStringList providers;
        bool tim;
        ProfileButtons expected;
    };
    const Case cases[] = {
        {"no selection", std::nullopt, 1, false, editable, true, {false, false, false}},
        {"row beyond count", 5, 1, false, editable, false, {false, false, false}},
        {"default profile", 1, 2, false, {}, false, {false, false, true}},
        {"default profile, editable defaults", 1, 2, true, {}, false, {true, false, true}},
        {"user profile", 2, 1, false, {}, false, {true, true, true}},
        {"listed default profile", 0, 1, false, editable, false, {true, false, true}},
        {"unlisted default profile", 1, 2, false, editable, false, {false, false, true}},
        {"listed user profile keeps its rule", 2, 1, false, editable, false, {true, true, true}},
        {"row 1 with TimAPNEditable", 1, 2, false, {}, true, {true, false, true}},
        {"row 1 user profile with TimAPNEditable", 1, 1, false, {}, true, {true, false, true}},
        {"TimAPNEditable concerns row 1 only", 2, 1, false, {}, true, {true, true, true}},
    };
    for (const Case &c : cases) {
        ProfileButtons b = setEidtStatusAtRow(c.row, int(list.size()), c.defaults, c.addDefaultEdit);
        if (c.row && *c.row < list.size()) {
            setUsernameAndPasswordEditable(b, *c.row, checkProviderIsEditable(*c.row, list, c.defaults, c.providers));
            setBtnStausForRAVO(b, *c.row, c.tim);
        }
        EXPECT_EQ(b.edit, c.expected.edit) << c.what;
        EXPECT_EQ(b.del, c.expected.del) << c.what;
        EXPECT_EQ(b.browse, c.expected.browse) << c.what;
    }
}

TEST(ProfileButtonsTable, ProviderIsEditableOnlyForListedDefaultProfiles)
{
    const QList<QVariantMap> list = namedList({"Op", "Other", "Op"});
    struct Case {
        const char *what;
        int row;
        int defaults;
        QStringList providers;
        bool expected;
    };
    const Case cases[] = {
        {"listed default", 0, 2, {QStringLiteral("Op")}, true},
        {"unlisted default", 1, 2, {QStringLiteral("Op")}, false},
        {"user profile whose provider is listed", 2, 2, {QStringLiteral("Op")}, false},
        {"no list", 0, 2, {}, false},
        {"negative row", -1, 2, {QStringLiteral("Op")}, false},
        {"no default profiles", 0, 0, {QStringLiteral("Op")}, false},
        {"default count beyond the list", 3, 9, {QStringLiteral("Op")}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(checkProviderIsEditable(c.row, list, c.defaults, c.providers), c.expected) << c.what;
}

TEST(ProfileEditSheetControls, RestrictedModesOfEditableDefaultProfiles)
{
    EditSheetControls all;
    EXPECT_EQ(editSheetControlStates(false, false), all);
    EXPECT_EQ(editSheetControlStates(false, true), all) << "the switch concerns editable default profiles only";

    EditSheetControls account{};
    account.number = account.saveUsername = account.apnGroup = account.apn = false;
    account.dnsGroup = account.dns = account.pdpGroup = account.pdpAddress = account.authGroup = false;
    EXPECT_EQ(editSheetControlStates(true, false), account) << "name, user name, password and ask only";

    EditSheetControls apnAndAuth{};
    apnAndAuth.name = apnAndAuth.number = apnAndAuth.saveUsername = false;
    apnAndAuth.user = apnAndAuth.password = apnAndAuth.apnGroup = false;
    EXPECT_EQ(editSheetControlStates(true, true), apnAndAuth);
}

TEST(ProfileEditValues, RoundTripThroughTheSheet)
{
    QVariantMap p{{profilekey::provider, QStringLiteral("Work")},
                  {profilekey::telNumber, QStringLiteral("*99#")},
                  {profilekey::apnFlag, QStringLiteral("1")},
                  {profilekey::apnName, QStringLiteral("corp")},
                  {QStringLiteral("extraKey"), QStringLiteral("kept")}};
    ProfileEdit e = editValuesOf(p, QStringLiteral("Work"), true, false, true);
    EXPECT_EQ(e.apnFlag, 1);
    EXPECT_EQ(e.askUsernameFlag, 0);
    EXPECT_FALSE(e.pdpType.has_value());
    ASSERT_TRUE(e.ipv6.has_value());

    e.telNumber = QStringLiteral("+*99 #");
    e.saveUsernameFlag = 1;
    e.password = QString(50, QLatin1Char('s')) + QStringLiteral(" ");
    e.ipv6->prefDns = QStringLiteral("fe80::1x");
    applyEdit(p, e, 0);
    EXPECT_EQ(p.value(profilekey::telNumber), QVariant(QStringLiteral("*99#")));
    EXPECT_EQ(p.value(profilekey::password), QVariant(QString(30, QLatin1Char('s'))));
    EXPECT_EQ(p.value(profilekey::apnFlag), QVariant(qint64(1)));
    EXPECT_EQ(p.value(profilekey::IPv6PrefDNS), QVariant(QStringLiteral("fe80::1")));
    EXPECT_EQ(p.value(QStringLiteral("extraKey")), QVariant(QStringLiteral("kept")));
    EXPECT_FALSE(p.contains(profilekey::pdpType));
}

TEST(ProfileDisplayRules, AccountOnlyWhenSavedAndLabelOnlyForDefaults)
{
    const QVariantMap p{{profilekey::provider, QStringLiteral("op")},
                        {profilekey::accountName, QStringLiteral("u")},
                        {profilekey::password, QStringLiteral("p")},
                        {profilekey::saveUsernameFlag, qint64(0)}};
    const Localizer upper = [](const QString &s) { return s.toUpper(); };
    ProfileDisplay d = displayAPNInfo(p, 1, 1, false, upper);
    EXPECT_TRUE(d.accountName.isEmpty());
    EXPECT_TRUE(d.password.isEmpty());
    EXPECT_EQ(d.providerLabel, QStringLiteral("OP"));
    EXPECT_EQ(d.provider, QStringLiteral("op"));

    QVariantMap saved = p;
    saved.insert(profilekey::saveUsernameFlag, qint64(1));
    d = displayAPNInfo(saved, 2, 1, false, upper);
    EXPECT_EQ(d.accountName, QStringLiteral("u"));
    EXPECT_EQ(d.password, QStringLiteral("p"));
    EXPECT_TRUE(d.providerLabel.isEmpty());
}

TEST(DialParamsFromProfile, AlertFlagTable)
{
    struct Case {
        bool sw;
        int reconnects;
        bool lastTry;
        bool expected;
    };
    const Case cases[] = {
        {true, 1, true, true}, {true, 0, true, false}, {false, 3, true, false},
        {false, 0, false, true}, {true, 0, false, true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(dialParaDisableAlertWindow(c.sw, c.reconnects, c.lastTry), c.expected)
            << c.sw << " " << c.reconnects << " " << c.lastTry;
}

TEST(DialParamsFromProfile, FieldsFromTheProfileAndIPv6OnlyWithDoublePdp)
{
    const QVariantMap p{{profilekey::apnName, QStringLiteral("web")},
                        {profilekey::telNumber, QStringLiteral("*99#")},
                        {profilekey::accountName, QStringLiteral("me")},
                        {profilekey::password, QString(200, QLatin1Char('p'))},
                        {profilekey::pdpAddress, QStringLiteral("10.1.1.1")},
                        {profilekey::pppFlag, qint64(1)},
                        {profilekey::pdpType, QStringLiteral("3")},
                        {profilekey::pdpFlag, qint64(1)},
                        {profilekey::preDns, QStringLiteral("1.1.1.1")},
                        {profilekey::altDns, QStringLiteral("9.9.9.9")},
                        {profilekey::IPv6ApnName, QStringLiteral("v6")},
                        {profilekey::IPv6PrefDNS, QStringLiteral("::1")},
                        {profilekey::IPv6AltDNS, QStringLiteral("::2")}};
    DialParamsContext ctx;
    ctx.connectType = 1;
    ctx.mtu = 1450;
    ctx.disableAlertWindow = true;

    QStringList cut;
    const yov::MSG_APN_SET_REQ_PARA_T single = buildDialParams(p, ctx, &cut);
    EXPECT_EQ(single.apn, QStringLiteral("web"));
    EXPECT_EQ(single.userName, QStringLiteral("me"));
    EXPECT_EQ(single.password.size(), 127); // bounded to its field
    EXPECT_EQ(cut, QStringList{QStringLiteral("password")});
    EXPECT_EQ(single.authType, 1);
    EXPECT_EQ(single.pdpType, 3);
    EXPECT_EQ(single.pdpFlag, 1);
    EXPECT_EQ(single.connectType, 1);
    EXPECT_EQ(single.mtu, 1450);
    EXPECT_EQ(single.disableAlertWindow, 1);
    EXPECT_EQ(single.preDns, QStringLiteral("1.1.1.1"));
    const QByteArray bytes = single.encode();
    EXPECT_EQ(bytes.mid(600, 128), QByteArray(128, '\0'));
    EXPECT_EQ(bytes.mid(792, 128), QByteArray(128, '\0'));

    ctx.supportDoublePdp = true;
    const yov::MSG_APN_SET_REQ_PARA_T dual = buildDialParams(p, ctx);
    EXPECT_EQ(dual.ipv6Apn, QStringLiteral("v6"));
    EXPECT_EQ(dual.ipv6PrefDns, QStringLiteral("::1"));
    EXPECT_EQ(dual.ipv6AltDns, QStringLiteral("::2"));

    // The empty profile: all texts empty, all numbers 0.
    EXPECT_EQ(buildDialParams({}, DialParamsContext{}).encode(), QByteArray(920, '\0'));
}
