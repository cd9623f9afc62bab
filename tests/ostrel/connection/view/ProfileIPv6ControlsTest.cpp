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
    edit->adjustSize();
    const int fullHeight = edit->sizeHint().height();
    h.dial->setWCDMAConfigHidden(true);
    edit->setEditWinValue(0);
    EXPECT_FALSE(edit->apnField->isVisibleTo(edit));
    EXPECT_FALSE(edit->preDnsField->isVisibleTo(edit));
    EXPECT_FALSE(edit->pdpAddressField->isVisibleTo(edit));
    EXPECT_FALSE(edit->apnGroup->button(0)->isVisibleTo(edit));
    EXPECT_TRUE(edit->numberField->isVisibleTo(edit));
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
}
