// The PDP-type group and the IPv6 controls of the profile edit sheet, offscreen: what takes input
// for each type, the single-PDP box, automatic IPv6 DNS, the dual-PDP cell, the IPv6-APN
// restriction under PPP and NDIS, the type saved in both shapes of the group, and a picture of
// the sheet on its IPv6 tab.
#include "DialHarness.h"
#include "support/TestPaths.h"

#include "ostrel/connection/view/DialConfigSheets.h"
#include "ostrel/framework/widgets/Buttons.h"

#include <QApplication>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace ostrel;
using dialtest::Harness;

namespace {

QVariantMap dualPdpSettings(const QVariantMap &internetExtra = {})
{
    QVariantMap internet{{QStringLiteral("SupportIPv6"), true}, {QStringLiteral("DualPDPSettings"), true}};
    internet.insert(internetExtra);
    return {{QStringLiteral("Internet"), internet}};
}

QVariantList ipv6Profile(int pdpType, int singlePdp)
{
    return {QVariantMap{{QStringLiteral("provider"), QStringLiteral("Dual")},
                        {QStringLiteral("apnName"), QStringLiteral("web.v4")},
                        {QStringLiteral("apnFlag"), 1},
                        {QStringLiteral("pdpType"), pdpType},
                        {QStringLiteral("SinglePdp"), singlePdp},
                        {QStringLiteral("IPv6ApnName"), QStringLiteral("web.v6")},
                        {QStringLiteral("IPv6ApnMode"), 1},
                        {QStringLiteral("IPv6DNSMode"), 1},
                        {QStringLiteral("IPv6PrefDNS"), QStringLiteral("2001:db8::1")},
                        {QStringLiteral("IPv6AltDNS"), QStringLiteral("2001:db8::2")}}};
}

struct SheetHarness : Harness {
    using Harness::Harness;
    DialConfigEditSheet *open()
    {
        sheet = std::make_unique<DialConfigManagementSheet>(dial.get());
        sheet->popUpDialConfigWindow();
        sheet->table()->setCurrentRow(0);
        sheet->editDialConfigSettings();
        QApplication::processEvents();
        return sheet->editSheet();
    }
    std::unique_ptr<DialConfigManagementSheet> sheet;
};

} // namespace

TEST(ProfileIPv6ControlsTest, GroupsFollowTheTypeAndTheSinglePdpBox)
{
    struct Case {
        int type;
        int singlePdp;
        bool ipv4;
        bool ipv6;
    };
    const Case cases[] = {{0, 0, true, false}, {2, 0, false, true}, {3, 1, true, false}, {3, 0, true, true}};
    for (const Case &c : cases) {
        SheetHarness h(dualPdpSettings(), ipv6Profile(c.type, c.singlePdp));
        DialConfigEditSheet *edit = h.open();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(pdpTypeOfGroup(edit->ePDPTypeGroup_), c.type);
        EXPECT_EQ(edit->userField->isEnabled() || edit->saveUsername->isEnabled(), c.ipv4) << "type " << c.type;
        EXPECT_EQ(edit->authGroup->button(0)->isEnabled(), c.ipv4) << "type " << c.type;
        EXPECT_EQ(edit->checkSavePasswordForIPv6_->isEnabled(), c.ipv6) << "type " << c.type;
        EXPECT_EQ(edit->radioAuthModeIPv6_->button(0)->isEnabled(), c.ipv6) << "type " << c.type;
        if (c.type == 3) {
            // Turning the box over turns the IPv6 group over.
            edit->checkSinglePdp_->click();
            EXPECT_EQ(edit->checkSavePasswordForIPv6_->isEnabled(), !c.ipv6);
        }
    }
}

TEST(ProfileIPv6ControlsTest, AutomaticIPv6DnsEmptiesBothFieldsAndTheTypeIsSaved)
{
    SheetHarness h(dualPdpSettings(), ipv6Profile(3, 0));
    DialConfigEditSheet *edit = h.open();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->tfPreferDNSIPv6_->text(), QStringLiteral("2001:db8::1"));
    EXPECT_TRUE(edit->tfPreferDNSIPv6_->isEnabled());
    edit->radioObtainDNSIPv6_->button(0)->click();
    EXPECT_TRUE(edit->tfPreferDNSIPv6_->text().isEmpty());
    EXPECT_TRUE(edit->tfAltDNSIPv6_->text().isEmpty());
    EXPECT_FALSE(edit->tfPreferDNSIPv6_->isEnabled());
    EXPECT_FALSE(edit->tfAltDNSIPv6_->isEnabled());

    // Typed text is filtered as it is typed.
    edit->radioObtainDNSIPv6_->button(1)->click();
    edit->tfAltDNSIPv6_->setText(QStringLiteral("fe80::g1 ") + QString(50, u'f'));
    emit edit->tfAltDNSIPv6_->textEdited(edit->tfAltDNSIPv6_->text());
    EXPECT_EQ(edit->tfAltDNSIPv6_->text().size(), 39);
    EXPECT_TRUE(edit->tfAltDNSIPv6_->text().startsWith(QStringLiteral("fe80::1")));

    // The IPv6 type, saved from the group with the IPv6 half.
    edit->ePDPTypeGroup_->cells().at(3)->click(); // (1,1): IPv6 only
    ASSERT_TRUE(edit->editWindowOK());
    const QVariantMap saved = h.dial->profiles().dialConfigArray().first();
    EXPECT_EQ(saved.value(QStringLiteral("pdpType")).toInt(), 2);
    EXPECT_EQ(saved.value(QStringLiteral("IPv6DNSMode")).toInt(), 1);
    EXPECT_EQ(saved.value(QStringLiteral("IPv6AltDNS")).toString(), edit->tfAltDNSIPv6_->text());
}

TEST(ProfileIPv6ControlsTest, DualPdpTakesTheFourChoiceCellOfCodeOne)
{
    {
        SheetHarness h(dualPdpSettings(), ipv6Profile(0, 0));
        DialConfigEditSheet *edit = h.open();
        ASSERT_NE(edit, nullptr);
        EXPECT_FALSE(edit->ePDPTypeGroup_->cells().at(1)->isEnabled());
        EXPECT_TRUE(edit->ePDPTypeGroup_->cells().at(0)->isEnabled());
    }
    // IPv6 without dual PDP: every cell, and no IPv6 half.
    SheetHarness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("SupportIPv6"), true}}}}, ipv6Profile(1, 0));
    DialConfigEditSheet *edit = h.open();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->ePDPTypeGroup_->cells().at(1)->isEnabled());
    EXPECT_EQ(pdpTypeOfGroup(edit->ePDPTypeGroup_), 1);
    EXPECT_FALSE(edit->ipv6Settings->isVisibleTo(edit));
    // Without SupportIPv6 the group is hidden and nothing about the type is saved.
    SheetHarness plain({}, ipv6Profile(3, 0));
    DialConfigEditSheet *plainEdit = plain.open();
    ASSERT_NE(plainEdit, nullptr);
    EXPECT_FALSE(plainEdit->ePDPTypeGroup_->isEnabled());
    EXPECT_FALSE(plainEdit->ePDPTypeGroup_->isVisibleTo(plainEdit));
    EXPECT_FALSE(plainEdit->values().pdpType.has_value());
}

TEST(ProfileIPv6ControlsTest, ThreeChoiceGroupSavesCodeOneAsZeroAndHonoursTheRasRestriction)
{
    struct Case {
        int connectType;
        bool ipv6CellsEnabled;
    };
    for (const Case c : {Case{0, false}, Case{1, true}}) {
        QVariantMap settings = dualPdpSettings({{QStringLiteral("Internet_ForbiddenIPV6APN_WhileChooseRAS"), true}});
        settings.insert(QStringLiteral("ConnectType"), c.connectType);
        SheetHarness h(settings, ipv6Profile(1, 0));
        DialConfigEditSheet *edit = h.open();
        ASSERT_NE(edit, nullptr);
        edit->setPdpTypeGroupShape(1, 3);
        edit->setEditWinValue(0);
        const QList<QAbstractButton *> cells = edit->ePDPTypeGroup_->cells();
        ASSERT_EQ(cells.size(), 3);
        EXPECT_TRUE(cells.at(0)->isChecked()) << "code 1 shows on column 0";
        EXPECT_EQ(cells.at(1)->isEnabled(), c.ipv6CellsEnabled) << "connect type " << c.connectType;
        EXPECT_EQ(cells.at(2)->isEnabled(), c.ipv6CellsEnabled) << "connect type " << c.connectType;
        ASSERT_TRUE(edit->editWindowOK());
        EXPECT_EQ(h.dial->profiles().dialConfigArray().first().value(QStringLiteral("pdpType")).toInt(), 0);
    }
}

TEST(ProfileIPv6ControlsTest, TypeFallbackOnPlatformOneIsSaved)
{
    for (const auto &[deviceType, saved] : {std::pair{QStringLiteral("Icera"), 0}, std::pair{QStringLiteral("Other"), 3}}) {
        QVariantMap settings = dualPdpSettings({{QStringLiteral("NoIPv4v6"), true}});
        settings.insert(QStringLiteral("Main"), QVariantMap{{QStringLiteral("DeviceType"), deviceType}});
        SheetHarness h(settings, ipv6Profile(3, 0));
        DialConfigEditSheet *edit = h.open();
        ASSERT_NE(edit, nullptr);
        ASSERT_TRUE(edit->editWindowOK());
        EXPECT_EQ(h.dial->profiles().dialConfigArray().first().value(QStringLiteral("pdpType")).toInt(), saved)
            << deviceType.toStdString();
    }
}

TEST(ProfileIPv6ControlsTest, HiddenModeControlsLeaveNoGap)
{
    SheetHarness h(dualPdpSettings(), ipv6Profile(0, 0));
    DialConfigEditSheet *edit = h.open();
    ASSERT_NE(edit, nullptr);
    edit->show();
    QApplication::processEvents();
    const int fullHeight = edit->sizeHint().height();
    h.dial->setWCDMAConfigHidden(true);
    edit->setEditWinValue(0);
    EXPECT_FALSE(edit->apnField->isVisibleTo(edit));
    EXPECT_FALSE(edit->preDnsField->isVisibleTo(edit));
    EXPECT_FALSE(edit->pdpAddressField->isVisibleTo(edit));
    EXPECT_FALSE(edit->apnGroup->button(0)->isVisibleTo(edit));
    EXPECT_TRUE(edit->numberField->isVisibleTo(edit));
    QApplication::processEvents(); // the shown tab pages pass the change up on the event loop
    EXPECT_LT(edit->sizeHint().height(), fullHeight) << "the form closes the gap";
    h.dial->setWCDMAConfigHidden(false);
    edit->setEditWinValue(0);
    EXPECT_TRUE(edit->apnField->isVisibleTo(edit));
}

TEST(ProfileIPv6ControlsTest, ScreenshotOfTheIPv6Tab)
{
    SheetHarness h(dualPdpSettings(), ipv6Profile(3, 0));
    DialConfigEditSheet *edit = h.open();
    ASSERT_NE(edit, nullptr);
    edit->advancedApnConfigForIPv6();
    EXPECT_EQ(edit->tabviewIpv6ApnConfig_->currentIndex(), 1);
    edit->commonApnConfigForIPv6();
    EXPECT_EQ(edit->tabviewIpv6ApnConfig_->currentIndex(), 0);
    EXPECT_EQ(edit->ePDPTypeGroup_->rows() * edit->ePDPTypeGroup_->columns(), 4);
    edit->show();
    QApplication::processEvents();
    if (const QString path = testing_paths::screenshotPath(QStringLiteral("profile-edit-ipv6-tab.png")); !path.isEmpty()) {
        EXPECT_TRUE(edit->grab().save(path));
    }
    QTabBar *strip = edit->tabviewApnSettings_->tabBar();
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(1).center());
    if (const QString path = testing_paths::screenshotPath(QStringLiteral("profile-edit-ipv6-advanced.png")); !path.isEmpty()) {
        EXPECT_TRUE(edit->grab().save(path));
    }
}

TEST(ProfileIPv6ControlsTest, TabActionsSelectByIdentifierAndTheStripRefusesToSwitchByItself)
{
    SheetHarness h(dualPdpSettings(), ipv6Profile(3, 0));
    DialConfigEditSheet *edit = h.open();
    ASSERT_NE(edit, nullptr);
    edit->show();
    QApplication::processEvents();
    // Each action on its own tab view, by the page's identifier.
    struct Action {
        void (DialConfigEditSheet::*run)();
        QTabWidget *DialConfigEditSheet::*view;
        const char *page;
    };
    const Action actions[] = {
        {&DialConfigEditSheet::advancedApnConfigForIPv4, &DialConfigEditSheet::tabviewIpv4ApnConfig_, "Advanced"},
        {&DialConfigEditSheet::commonApnConfigForIPv4, &DialConfigEditSheet::tabviewIpv4ApnConfig_, "Common"},
        {&DialConfigEditSheet::advancedApnConfigForIPv6, &DialConfigEditSheet::tabviewIpv6ApnConfig_, "Advanced"},
        {&DialConfigEditSheet::commonApnConfigForIPv6, &DialConfigEditSheet::tabviewIpv6ApnConfig_, "Common"},
    };
    for (const Action &a : actions) {
        (edit->*a.run)();
        EXPECT_EQ((edit->*a.view)->currentWidget()->objectName(), QLatin1String(a.page)) << a.page;
    }
    EXPECT_FALSE(edit->shouldSelectTab(edit->tabviewApnSettings_));
    EXPECT_TRUE(edit->shouldSelectTab(edit->tabviewIpv4ApnConfig_));
    EXPECT_TRUE(edit->shouldSelectTab(edit->tabviewIpv6ApnConfig_));

    // The wheel over the strip does not switch it; nor do the halves move.
    QTabBar *strip = edit->tabviewApnSettings_->tabBar();
    QWheelEvent wheel(QPointF(strip->tabRect(0).center()), strip->mapToGlobal(QPointF(strip->tabRect(0).center())), {},
                      QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(strip, &wheel);
    EXPECT_EQ(edit->tabviewApnSettings_->currentIndex(), 0);
    EXPECT_EQ(edit->tabviewIpv4ApnConfig_->currentIndex(), 0);

    // The IPv4 controls sit in their tabs: credentials, APN and authentication on Common; DNS and
    // the PDP address on Advanced.
    QWidget *common = edit->tabviewIpv4ApnConfig_->widget(0);
    QWidget *advanced = edit->tabviewIpv4ApnConfig_->widget(1);
    for (QWidget *w : std::initializer_list<QWidget *>{edit->saveUsername, edit->userField, edit->passwordField,
                                                        edit->apnField, edit->apnGroup->button(1), edit->authGroup->button(1)})
        EXPECT_TRUE(common->isAncestorOf(w)) << w->metaObject()->className();
    for (QWidget *w : std::initializer_list<QWidget *>{edit->preDnsField, edit->altDnsField, edit->pdpAddressField,
                                                        edit->dnsGroup->button(1), edit->pdpGroup->button(1)})
        EXPECT_TRUE(advanced->isAncestorOf(w)) << w->metaObject()->className();
}

TEST(ProfileIPv6ControlsTest, TheRasRestrictionSettingGivesBothWindowsThreeChoices)
{
    for (const bool restricted : {false, true}) {
        SheetHarness h(dualPdpSettings({{QStringLiteral("Internet_ForbiddenIPV6APN_WhileChooseRAS"), restricted}}),
                       ipv6Profile(2, 0));
        DialConfigEditSheet *edit = h.open();
        ASSERT_NE(edit, nullptr);
        for (const NSMatrix *group : std::initializer_list<const NSMatrix *>{edit->ePDPTypeGroup_, h.sheet->bPDPTypeGroup_}) {
            EXPECT_EQ(group->rows(), restricted ? 1 : 2) << "restricted " << restricted;
            EXPECT_EQ(group->columns(), restricted ? 3 : 2) << "restricted " << restricted;
            EXPECT_EQ(pdpTypeOfGroup(group), 2) << "restricted " << restricted;
        }
    }
}

TEST(ProfileIPv6ControlsTest, BrowsePanelShowsAndStoresTheIPv6Half)
{
    {
        SheetHarness h(dualPdpSettings(), ipv6Profile(3, 0));
        ASSERT_NE(h.open(), nullptr);
        h.sheet->editSheet()->reject();
        h.sheet->browseDialConfigSettings();
        DialConfigManagementSheet *sheet = h.sheet.get();
        EXPECT_EQ(sheet->browseField(QStringLiteral("IPv6ApnName"))->text(), QStringLiteral("web.v6"));
        EXPECT_EQ(sheet->browseField(QStringLiteral("IPv6PrefDNS"))->text(), QStringLiteral("2001:db8::1"));
        EXPECT_EQ(sheet->browseField(QStringLiteral("IPv6AltDNS"))->text(), QStringLiteral("2001:db8::2"));
        EXPECT_EQ(sheet->browseGroup(QStringLiteral("IPv6DNSMode"))->checkedId(), 1);
        EXPECT_TRUE(sheet->browseField(QStringLiteral("IPv6PrefDNS"))->isVisibleTo(sheet));

        // Stored into the selected profile, filtered as typed text is.
        sheet->browseField(QStringLiteral("IPv6ApnName"))->setText(QStringLiteral("v6.example"));
        sheet->browseField(QStringLiteral("IPv6PrefDNS"))->setText(QStringLiteral("fe80::zz1 ") + QString(50, u'a'));
        sheet->browseGroup(QStringLiteral("IPv6DNSMode"))->button(0)->setChecked(true);
        ASSERT_TRUE(sheet->saveDialConfigForIPv6());
        const QVariantMap stored = h.dial->profiles().dialConfigArray().first();
        EXPECT_EQ(stored.value(QStringLiteral("IPv6ApnName")).toString(), QStringLiteral("v6.example"));
        EXPECT_EQ(stored.value(QStringLiteral("IPv6PrefDNS")).toString().size(), 39);
        EXPECT_TRUE(stored.value(QStringLiteral("IPv6PrefDNS")).toString().startsWith(QStringLiteral("fe80::1")));
        EXPECT_EQ(stored.value(QStringLiteral("IPv6DNSMode")).toInt(), 0);
        EXPECT_EQ(stored.value(QStringLiteral("apnName")).toString(), QStringLiteral("web.v4")) << "the IPv4 half stays";
    }
    // Without double PDP the rows are hidden and nothing is stored.
    SheetHarness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("SupportIPv6"), true}}}}, ipv6Profile(3, 0));
    ASSERT_NE(h.open(), nullptr);
    h.sheet->editSheet()->reject();
    h.sheet->browseDialConfigSettings();
    EXPECT_FALSE(h.sheet->browseField(QStringLiteral("IPv6PrefDNS"))->isVisibleTo(h.sheet.get()));
    EXPECT_FALSE(h.sheet->browseGroup(QStringLiteral("IPv6DNSMode"))->button(0)->isVisibleTo(h.sheet.get()));
    EXPECT_FALSE(h.sheet->saveDialConfigForIPv6());
}
