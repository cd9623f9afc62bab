// The Internet tab over a DialController on the in-process transport: what it shows idle and
// connected, the button, the chooser, the profile sheets and the connection's windows.
#include "DialHarness.h"
#include "support/TestPaths.h"

#include "ostrel/connection/view/ConnectWarningSheet.h"
#include "ostrel/connection/view/DialConfigChooser.h"
#include "ostrel/connection/view/DialConfigSheets.h"
#include "ostrel/connection/view/InternetView.h"
#include "ostrel/connection/view/OperatorConnectWindows.h"
#include "ostrel/connection/view/StatisticsWindow.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QApplication>
#include <QPixmap>

#include <gtest/gtest.h>

using namespace ostrel;
using dialtest::Harness;

namespace {

QVariantList twoProfiles()
{
    return {QVariantMap{{QStringLiteral("provider"), QStringLiteral("Vandrel Web")},
                        {QStringLiteral("apnName"), QStringLiteral("web.vandrel")}},
            QVariantMap{{QStringLiteral("provider"), QStringLiteral("Vandrel Box")},
                        {QStringLiteral("apnName"), QStringLiteral("box.vandrel")}}};
}

struct ViewHarness : Harness {
    using Harness::Harness;
    void show()
    {
        view = std::make_unique<InternetView>(dial.get());
        view->resize(520, 300);
        view->show();
        QApplication::processEvents();
    }
    QString text(const char *field) const { return view->field(QLatin1String(field))->text(); }
    std::unique_ptr<InternetView> view;
};

} // namespace

TEST(InternetViewTest, IdleAndConnectedDisplayAndScreenshots)
{
    ViewHarness h;
    h.show();
    EXPECT_FALSE(h.view->connectButton()->isEnabled()) << "no packet domain yet";
    EXPECT_EQ(h.view->connectButton()->text(), QStringLiteral("Connect"));

    h.ready();
    QApplication::processEvents();
    EXPECT_TRUE(h.view->connectButton()->isEnabled());
    EXPECT_EQ(h.view->stateLabel()->text(), QStringLiteral("Idle"));
    EXPECT_EQ(h.text("m_ConnectTime"), QStringLiteral("00:00:00"));
    EXPECT_EQ(h.text("m_IPAddress"), QStringLiteral("0.0.0.0"));
    EXPECT_EQ(h.text("m_FluxForSend"), QStringLiteral("_____"));
    EXPECT_EQ(h.view->chooser()->currentText(), QStringLiteral("Vandrel Web"));
    if (const QString shot = testing_paths::screenshotPath(QStringLiteral("internet-idle.png")); !shot.isEmpty()) {
        EXPECT_TRUE(h.view->grab().save(shot));
    }

    h.view->connectButton()->click();
    h.view->connectButton()->click(); // disabled after the first press took effect, or ignored
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 65), 1);
    EXPECT_FALSE(h.view->connectButton()->isEnabled());
    EXPECT_FALSE(h.view->chooser()->isEnabled());

    h.pppStatus(yov::kPppRunning, 3725, 5u * 1024u * 1024u + 300u * 1024u, 1536);
    h.deliver(258, 68, yov::encodeLocalAddress(0x0A400C22));
    QApplication::processEvents();
    EXPECT_EQ(h.view->stateLabel()->text(), QStringLiteral("Connected"));
    EXPECT_EQ(h.view->connectButton()->text(), QStringLiteral("Disconnect"));
    EXPECT_TRUE(h.view->connectButton()->isEnabled());
    EXPECT_EQ(h.text("m_ConnectTime"), QStringLiteral("01:02:05"));
    EXPECT_EQ(h.text("m_FluxForSend"), QStringLiteral("1.50 KB"));
    EXPECT_EQ(h.text("m_FluxForReceive"), QStringLiteral("5.29 MB"));
    EXPECT_EQ(h.text("m_IPAddress"), QStringLiteral("10.64.12.34"));
    // Twenty statuses in all: the second speed is the last ten statuses' growth.
    for (std::uint32_t i = 0; i < 19; ++i)
        h.pppStatus(yov::kPppRunning, 3726, 5u * 1024u * 1024u + 300u * 1024u + (i + 1) * 4096u, 1536 + (i + 1) * 512u);
    QApplication::processEvents();
    EXPECT_EQ(h.text("m_SpeedForReceive"), QStringLiteral("40.00 KB/s"));
    EXPECT_EQ(h.text("m_SpeedForSend"), QStringLiteral("5.00 KB/s"));
    if (const QString shot = testing_paths::screenshotPath(QStringLiteral("internet-connected.png")); !shot.isEmpty()) {
        EXPECT_TRUE(h.view->grab().save(shot));
    }

    h.view->connectButton()->click();
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 66), 1);
    h.pppStatus(yov::kPppIdle);
    QApplication::processEvents();
    EXPECT_EQ(h.view->stateLabel()->text(), QStringLiteral("Idle"));
    EXPECT_EQ(h.text("m_SpeedForReceive"), QStringLiteral("_____"));
}

TEST(InternetViewTest, ChooserShowsProfilesAndPicksThem)
{
    ViewHarness h({}, twoProfiles());
    h.show();
    DialConfigChooser *chooser = h.view->chooser();
    ASSERT_EQ(chooser->count(), 3);
    EXPECT_EQ(chooser->itemText(0), QStringLiteral("Edit Configuration"));
    EXPECT_EQ(chooser->itemText(2), QStringLiteral("Vandrel Box"));

    emit chooser->activated(2);
    EXPECT_EQ(h.dial->profiles().readCurrentProfile(), 1);
    ASSERT_EQ(h.count(257, 60), 1);
    const auto params = yov::MSG_APN_SET_REQ_PARA_T::decode(yov::PayloadReader(h.lastPayload(257, 60)));
    EXPECT_EQ(params.apn, QStringLiteral("box.vandrel"));
    EXPECT_EQ(chooser->currentIndex(), 2);

    emit chooser->activated(0);
    ASSERT_NE(h.view->managementSheet(), nullptr);
    EXPECT_TRUE(h.view->managementSheet()->isVisible());
    EXPECT_EQ(chooser->currentIndex(), 2) << "the sheet's item is not a selection";
    EXPECT_EQ(h.count(257, 60), 1);
}

TEST(InternetViewTest, ManagementSheetAddsEditsAndDeletesProfiles)
{
    ViewHarness h({}, twoProfiles());
    h.show();
    DialConfigManagementSheet sheet(h.dial.get(), h.view.get());
    sheet.popUpDialConfigWindow();
    EXPECT_FALSE(sheet.editButton()->isEnabled()) << "nothing selected";

    sheet.AddAPNInfo();
    ASSERT_EQ(sheet.table()->count(), 3);
    EXPECT_EQ(sheet.table()->item(2)->text(), QStringLiteral("New1"));
    EXPECT_TRUE(sheet.editButton()->isEnabled());
    EXPECT_TRUE(sheet.deleteButton()->isEnabled());

    sheet.editDialConfigSettings();
    DialConfigEditSheet *edit = sheet.editSheet();
    ASSERT_NE(edit, nullptr);
    edit->numberField->setText(QStringLiteral("*99 +#"));
    emit edit->numberField->textEdited(edit->numberField->text());
    EXPECT_EQ(edit->numberField->text(), QStringLiteral("*99#")) << "blank and plus are filtered out";
    edit->nameField->setText(QStringLiteral("Vandrel Web"));
    EXPECT_FALSE(edit->editWindowOK());
    ASSERT_EQ(h.alerts.count(), 1);
    EXPECT_EQ(h.alerts.shown().back().message, QStringLiteral("Name already exists, please rename!"));
    edit->nameField->setText(QStringLiteral("Office"));
    edit->apnGroup->button(1)->click();
    edit->apnField->setText(QStringLiteral("office.apn"));
    EXPECT_TRUE(edit->editWindowOK());
    EXPECT_EQ(sheet.table()->item(2)->text(), QStringLiteral("Office"));
    EXPECT_EQ(h.dial->profiles().profileAt(2)->value(QStringLiteral("apnName")).toString(), QStringLiteral("office.apn"));

    h.alerts.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    sheet.DelAPNInfo();
    EXPECT_EQ(sheet.table()->count(), 3) << "Cancel keeps it";
    sheet.DelAPNInfo();
    EXPECT_EQ(sheet.table()->count(), 2);
    sheet.closeDialConfigSettings();
    EXPECT_EQ(h.view->chooser()->count(), 3);
}

TEST(InternetViewTest, StatisticsWindowAfterAUserDisconnectShowsKB)
{
    ViewHarness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("DisplayStatisticsWin"), true}}}});
    h.show();
    h.ready();
    h.pressConnect();
    h.pppStatus(yov::kPppRunning, 75, 2048, 1024);
    h.pressConnect();
    StatisticsWindow *w = h.view->statisticsWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->tfdDisplayDuration_->text(), QStringLiteral("00:01:15"));
    EXPECT_EQ(w->tfdDisplayUpData_->text(), QStringLiteral("1.00 KB"));
    EXPECT_EQ(w->tfdDisplayDownData_->text(), QStringLiteral("2.00 KB"));
    EXPECT_EQ(w->tfdDisplayTotalData_->text(), QStringLiteral("3.00 KB"));
    w->closeStatisticsWin();
    EXPECT_FALSE(w->isVisible());
}

TEST(InternetViewTest, ConnectWarningSheetOkConnectsAndShowsOnce)
{
    ViewHarness h({{QStringLiteral("Setting"), QVariantMap{{QStringLiteral("connectWarningsDisplay"), true}}}});
    h.show();
    h.ready();
    h.pressConnect();
    ConnectWarningSheet *sheet = h.view->connectWarningSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(h.count(258, 65), 0);
    sheet->connectWarningWinOKClicked();
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 65), 1);
    EXPECT_FALSE(sheet->isVisible());
}

TEST(InternetViewTest, OperatorConnectStateWindowAnimatesAndCancels)
{
    ViewHarness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("OpenWindoOfConectOrDisConnectNetForDidizu"), true},
                                                            {QStringLiteral("SetProgressIndicatorImage"), true}}}});
    h.show();
    h.ready();
    h.pressConnect();
    ConnectStateWindow *w = h.view->connectStateWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->labelConnectStateOfForDidizu_->text(), QStringLiteral("Connecting Didizu Internet"));
    EXPECT_TRUE(w->btnOfCancelConnectOperateForDidizu_->isEnabled());
    std::vector<int> steps;
    for (int i = 0; i < 11; ++i) {
        h.clock.advance(DialController::kProgressIntervalMs);
        steps.push_back(h.dial->display().progressImage);
    }
    EXPECT_EQ(steps, std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1}));
    EXPECT_EQ(progressImageName(10), QStringLiteral("Stategif10.png"));

    w->btnOfCancelConnectOperateForDidizu_->click();
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 66), 1) << "cancel of the dial under way";
    EXPECT_EQ(h.dial->connectStatus(), 2);
}

TEST(InternetViewTest, InstallsItselfInTheInternetTab)
{
    Harness h;
    QTabWidget tabs;
    tabs.addTab(new QWidget, QStringLiteral("SMS"));
    InternetView *view = installInternetView(h.dial.get(), &tabs);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(tabs.count(), 2);
    EXPECT_EQ(tabViewItemIdentifier(tabs.widget(1)), QStringLiteral("Internet"));
    EXPECT_TRUE(tabs.widget(1)->isAncestorOf(view));
    EXPECT_EQ(installInternetView(h.dial.get(), nullptr), nullptr);
}
