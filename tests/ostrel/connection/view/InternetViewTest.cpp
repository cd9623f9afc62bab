// The Internet tab over a DialController on the in-process transport: what it shows idle and
// connected, the button, the chooser, the profile sheets and the connection's windows.
#include "DialHarness.h"
#include "support/TestPaths.h"

#include "common/records/Payload.h"

#include "ostrel/connection/view/ConnectWarningSheet.h"
#include "ostrel/connection/view/CredentialsSheet.h"
#include "ostrel/connection/view/DialConfigChooser.h"
#include "ostrel/connection/view/DialConfigSheets.h"
#include "ostrel/connection/view/InternetView.h"
#include "ostrel/connection/view/OperatorConnectWindows.h"
#include "ostrel/connection/view/StatisticsWindow.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QApplication>
#include <QHash>
#include <QPixmap>
#include <QRadioButton>
#include <QSet>
#include <QTest>

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
    ResourcePaths::setResourcesPath(testing_paths::sourceResources());
    ViewHarness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("SetConnectStateForDidizu"), true}}},
                   {QStringLiteral("DefaultProfileNum"), 1}},
                  {QVariantMap{{QStringLiteral("provider"), QStringLiteral("Vandrel Web")},
                               {QStringLiteral("apnName"), QStringLiteral("web.vandrel")},
                               {QStringLiteral("telNumber"), QStringLiteral("*99#")},
                               {QStringLiteral("accountName"), QStringLiteral("web")},
                               {QStringLiteral("password"), QStringLiteral("secret")},
                               {QStringLiteral("saveUsernameFlag"), 1}}});
    h.show();
    // The current profile's details.
    EXPECT_EQ(h.view->profileField(QStringLiteral("m_tfdTelNumber"))->text(), QStringLiteral("*99#"));
    EXPECT_EQ(h.view->profileField(QStringLiteral("m_tfdUsername"))->text(), QStringLiteral("web"));
    QLineEdit *password = h.view->profileField(QStringLiteral("m_tfdPassword"));
    EXPECT_EQ(password->text(), QStringLiteral("secret"));
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(h.view->providerLabel()->text(), QStringLiteral("Vandrel Web")) << "a default profile";
    EXPECT_FALSE(h.view->dataStateIcon()->isHidden());
    EXPECT_EQ(h.view->dataStateIcon()->toolTip(), QStringLiteral("Data not connected"));
    ASSERT_FALSE(h.view->dataStateIcon()->pixmap().isNull()) << "the image is shipped";
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
    EXPECT_EQ(h.view->dataStateIcon()->toolTip(), QStringLiteral("Data connected"));
    EXPECT_EQ(h.view->dataStateIcon()->pixmap().toImage(),
              ResourcePaths::applicationImage(QStringLiteral("DataConnected")).convertToFormat(
                  h.view->dataStateIcon()->pixmap().toImage().format()));
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
    EXPECT_EQ(h.view->dataStateIcon()->toolTip(), QStringLiteral("Data not connected"));
    ResourcePaths::setResourcesPath(QString());
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

namespace {

// A skin with one registered control: the main window's drawer item "btnDrawerRecords".
class DrawerSkin final : public SkinManagerAccess {
public:
    QPushButton drawerItem;
    bool registerController(QObject *, const QString &, bool) override { return false; }
    bool updateItem(QObject *) override { return false; }
    QObject *controllerByKey(const QString &key) const override
    {
        return key == QLatin1String("btnDrawerRecords") ? const_cast<QPushButton *>(&drawerItem) : nullptr;
    }
    bool hasKey(const QString &key) const override { return key == QLatin1String("btnDrawerRecords"); }
    bool setImageForKey(const QString &, const QString &, bool) override { return false; }
};

// Selects the row of the management sheet and opens its edit sheet.
DialConfigEditSheet *editRow(DialConfigManagementSheet &sheet, int row)
{
    sheet.table()->setCurrentRow(row);
    sheet.editDialConfigSettings();
    return sheet.editSheet();
}

} // namespace

TEST(InternetViewTest, EditSheetTakesCompleteDottedAddressesOnly)
{
    ViewHarness h({}, twoProfiles());
    h.show();
    DialConfigManagementSheet sheet(h.dial.get(), h.view.get());
    sheet.popUpDialConfigWindow();
    DialConfigEditSheet *edit = editRow(sheet, 1);
    ASSERT_NE(edit, nullptr);
    struct Field {
        QLineEdit *field;
        QAbstractButton *staticChoice;
        const char *refusal;
        const char *key;
    };
    const Field fields[] = {
        {edit->pdpAddressField, edit->pdpGroup->button(1), "Invalid PDP Address!", "pdpAddress"},
        {edit->preDnsField, edit->dnsGroup->button(1), "Invalid Preferred DNS!", "preDns"},
    };
    for (const Field &f : fields) {
        SCOPED_TRACE(f.key);
        f.staticChoice->click();
        ASSERT_TRUE(f.field->isEnabled());
        for (const char *typed : {"1.2.3", "300.1.1.1"}) {
            f.field->clear();
            QTest::keyClicks(f.field, QLatin1String(typed));
            EXPECT_EQ(f.field->text(), QLatin1String(typed));
            const int before = h.alerts.count();
            EXPECT_FALSE(edit->editWindowOK()) << typed;
            ASSERT_EQ(h.alerts.count(), before + 1);
            EXPECT_EQ(h.alerts.shown().back().message, QLatin1String(f.refusal));
            EXPECT_FALSE(f.field->text().isEmpty()) << "the sheet keeps what was typed";
        }
        f.field->clear();
        QTest::keyClicks(f.field, QStringLiteral("10.0.x0.1-"));
        EXPECT_EQ(f.field->text(), QStringLiteral("10.0.0.1")) << "only digits and dots are typed";
        f.field->clear();
        QTest::keyClicks(f.field, QStringLiteral("10.0.0.1"));
        EXPECT_TRUE(edit->editWindowOK());
        EXPECT_EQ(h.dial->profiles().profileAt(1)->value(QLatin1String(f.key)).toString(), QStringLiteral("10.0.0.1"));
        edit = editRow(sheet, 1);
    }
    EXPECT_EQ(h.dial->profiles().profileAt(1)->value(QStringLiteral("pdpFlag")).toInt(), 1);
}

TEST(InternetViewTest, OperatorLockedDefaultProfileOpensInTheRestrictedMode)
{
    ViewHarness h({{QStringLiteral("DefaultProfileNum"), 2},
                   {QStringLiteral("Internet"),
                    QVariantMap{{QStringLiteral("ArrayForEditableProvider"),
                                 QVariantList{QStringLiteral("Vandrel Web"), QStringLiteral("Mine")}}}}},
                  twoProfiles() + QVariantList{QVariantMap{{QStringLiteral("provider"), QStringLiteral("Mine")}}});
    h.show();
    DialConfigManagementSheet sheet(h.dial.get(), h.view.get());
    sheet.popUpDialConfigWindow();
    struct Case {
        const char *what;
        int row;
        bool editable;
        bool del;
        bool restricted;
    };
    const Case cases[] = {
        {"listed default profile", 0, true, false, true},
        {"unlisted default profile", 1, false, false, false},
        {"user profile whose provider is listed", 2, true, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        sheet.table()->setCurrentRow(c.row);
        EXPECT_EQ(sheet.editButton()->isEnabled(), c.editable);
        EXPECT_EQ(sheet.deleteButton()->isEnabled(), c.del);
        EXPECT_TRUE(sheet.browseButton()->isEnabled());
        EXPECT_EQ(h.dial->checkProviderIsEditable(c.row), c.restricted);
        if (!c.editable)
            continue;
        DialConfigEditSheet *edit = editRow(sheet, c.row);
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->nameField->isEnabled());
        // In the restricted mode the account takes input; otherwise it follows the save check box.
        EXPECT_EQ(edit->userField->isEnabled(), c.restricted);
        EXPECT_EQ(edit->passwordField->isEnabled(), c.restricted);
        EXPECT_EQ(edit->numberField->isEnabled(), !c.restricted);
        EXPECT_EQ(edit->saveUsername->isEnabled(), !c.restricted);
        EXPECT_EQ(edit->apnGroup->button(1)->isEnabled(), !c.restricted);
        EXPECT_EQ(edit->authGroup->button(1)->isEnabled(), !c.restricted);
        EXPECT_EQ(edit->dnsGroup->button(1)->isEnabled(), !c.restricted);
        if (c.restricted) {
            // The account of the operator's profile is the user's; the rest stays as the operator set it.
            edit->userField->setText(QStringLiteral("me"));
            edit->passwordField->setText(QStringLiteral("pw"));
            EXPECT_TRUE(edit->editWindowOK());
            const QVariantMap saved = h.dial->profiles().profileAt(0).value();
            EXPECT_EQ(saved.value(QStringLiteral("accountName")).toString(), QStringLiteral("me"));
            EXPECT_EQ(saved.value(QStringLiteral("apnName")).toString(), QStringLiteral("web.vandrel"));
        } else {
            edit->editWindowCancel();
        }
    }
}

TEST(InternetViewTest, DrawerItemsTakeNoInputWhileTheProfileSheetIsOpen)
{
    DrawerSkin skin;
    ViewHarness h({{QStringLiteral("UIConfig"),
                    QVariantMap{{QStringLiteral("DrawerItems"),
                                 QVariantList{QVariantMap{{QStringLiteral("itemName"), QStringLiteral("btnDrawerRecords")}}}}}}},
                  twoProfiles(), &skin);
    h.show();
    ASSERT_TRUE(skin.drawerItem.isEnabled());
    for (bool byClose : {true, false}) {
        SCOPED_TRACE(byClose ? "closed with Close" : "closed with Escape");
        emit h.view->chooser()->activated(0);
        DialConfigManagementSheet *sheet = h.view->managementSheet();
        ASSERT_NE(sheet, nullptr);
        ASSERT_TRUE(sheet->isVisible());
        EXPECT_FALSE(skin.drawerItem.isEnabled());
        DialConfigEditSheet *edit = editRow(*sheet, 0);
        edit->editWindowCancel();
        EXPECT_FALSE(skin.drawerItem.isEnabled()) << "the management sheet is still open";
        if (byClose)
            sheet->closeDialConfigSettings();
        else
            sheet->reject();
        EXPECT_TRUE(skin.drawerItem.isEnabled());
    }
}

TEST(InternetViewTest, BrowsePanelShowsTheProfileReadOnly)
{
    ViewHarness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("CheckAPNAccount"), true}}}},
                  {QVariantMap{{QStringLiteral("provider"), QStringLiteral("Office")},
                               {QStringLiteral("accountName"), QStringLiteral("me")},
                               {QStringLiteral("password"), QStringLiteral("pw")},
                               {QStringLiteral("saveUsernameFlag"), 1},
                               {QStringLiteral("askUsernameFlag"), 1},
                               {QStringLiteral("dnsFlag"), 1},
                               {QStringLiteral("preDns"), QStringLiteral("10.0.0.53")},
                               {QStringLiteral("pppFlag"), 1}}});
    h.show();
    DialConfigManagementSheet sheet(h.dial.get(), h.view.get());
    sheet.popUpDialConfigWindow();
    sheet.table()->setCurrentRow(0);
    sheet.browseDialConfigSettings();
    ASSERT_TRUE(sheet.browseOpen());
    EXPECT_EQ(sheet.browseField(QStringLiteral("provider"))->text(), QStringLiteral("Office"));
    EXPECT_EQ(sheet.browseField(QStringLiteral("password"))->text(), QStringLiteral("pw"));
    EXPECT_EQ(sheet.browseField(QStringLiteral("password"))->echoMode(), QLineEdit::Password);
    EXPECT_EQ(sheet.browseField(QStringLiteral("preDns"))->text(), QStringLiteral("10.0.0.53"));
    EXPECT_EQ(sheet.browseGroup(QStringLiteral("dnsFlag"))->checkedId(), 1);
    EXPECT_EQ(sheet.browseGroup(QStringLiteral("pppFlag"))->checkedId(), 1);
    EXPECT_EQ(sheet.browseGroup(QStringLiteral("apnFlag"))->checkedId(), 0);
    ASSERT_NE(sheet.browseCheckBox(QStringLiteral("askUsernameFlag")), nullptr);
    EXPECT_TRUE(sheet.browseCheckBox(QStringLiteral("askUsernameFlag"))->isChecked());
    EXPECT_TRUE(sheet.browseCheckBox(QStringLiteral("saveUsernameFlag"))->isChecked());
    // A click changes nothing: the panel only shows.
    QAbstractButton *pap = sheet.browseGroup(QStringLiteral("pppFlag"))->button(0);
    QTest::mouseClick(pap, Qt::LeftButton);
    EXPECT_EQ(sheet.browseGroup(QStringLiteral("pppFlag"))->checkedId(), 1);
    EXPECT_TRUE(sheet.browseField(QStringLiteral("apnName"))->isReadOnly());

    // Without the ask-before-connect feature there is no ask check box.
    ViewHarness plain({}, twoProfiles());
    DialConfigManagementSheet plainSheet(plain.dial.get());
    EXPECT_EQ(plainSheet.browseCheckBox(QStringLiteral("askUsernameFlag")), nullptr);
}

TEST(InternetViewTest, ChooserKeepsItsWidthWithAVeryLongProfileName)
{
    const QString longName(100 * 1024, QLatin1Char('W'));
    ViewHarness shortNames({}, twoProfiles());
    ViewHarness longNames({}, {QVariantMap{{QStringLiteral("provider"), longName}}});
    shortNames.show();
    longNames.show();
    DialConfigChooser *chooser = longNames.view->chooser();
    EXPECT_EQ(chooser->sizeHint().width(), shortNames.view->chooser()->sizeHint().width());
    EXPECT_LE(longNames.view->width(), 800) << "the page does not grow with the name";
    EXPECT_EQ(chooser->currentText(), QString(kProfileNameMaxLength, QLatin1Char('W')));
    EXPECT_EQ(longNames.dial->currentProfileName().size(), kProfileNameMaxLength);
}

TEST(InternetViewTest, TheTenProgressImagesLoadAndTheWindowShowsThem)
{
    ResourcePaths::setResourcesPath(testing_paths::sourceResources());
    QSet<QByteArray> frames;
    for (int step = 1; step <= 10; ++step) {
        SCOPED_TRACE(step);
        const QImage image = ResourcePaths::applicationImage(progressImageName(step));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(32, 32));
        frames.insert(QByteArray(reinterpret_cast<const char *>(image.constBits()), int(image.sizeInBytes())));
    }
    EXPECT_EQ(frames.size(), 10) << "every frame differs";

    ViewHarness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("OpenWindoOfConectOrDisConnectNetForDidizu"), true},
                                                            {QStringLiteral("SetProgressIndicatorImage"), true}}}});
    h.show();
    h.ready();
    h.pressConnect();
    h.clock.advance(DialController::kProgressIntervalMs);
    ConnectStateWindow *w = h.view->connectStateWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->imageViewOfProgressIndicator_->pixmap().isNull()) << "an image, not the dots";
}

TEST(InternetViewTest, CredentialsSheetFiltersAsTypedAndItsOkConnectsOnce)
{
    ViewHarness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("CheckAPNAccount"), true}}}},
                  {QVariantMap{{QStringLiteral("provider"), QStringLiteral("Vandrel Ask")},
                               {QStringLiteral("apnName"), QStringLiteral("ask.vandrel")},
                               {QStringLiteral("askUsernameFlag"), true},
                               {QStringLiteral("accountName"), QStringLiteral("kept")},
                               {QStringLiteral("saveUsernameFlag"), 1}}});
    h.show();
    h.ready();
    h.transport->sent.clear();
    h.pressConnect();
    CredentialsSheet *sheet = h.view->credentialsSheet();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->winUernameText_->text(), QStringLiteral("kept"));
    EXPECT_TRUE(sheet->winAskUsernameCheck_->isChecked());
    EXPECT_EQ(sheet->winPasswordText_->echoMode(), QLineEdit::Password);
    sheet->winUernameText_->clear();
    QTest::keyClicks(sheet->winUernameText_, QStringLiteral("us"));
    QTest::sendKeyEvent(QTest::Click, sheet->winUernameText_, Qt::Key_unknown, QStringLiteral("\u00e9"), Qt::NoModifier);
    QTest::keyClicks(sheet->winUernameText_, QStringLiteral("r 1"));
    EXPECT_EQ(sheet->winUernameText_->text(), QStringLiteral("usr1")) << "only what a user name may hold";
    QTest::keyClicks(sheet->winPasswordText_, QStringLiteral("pw"));
    sheet->winAskUsernameCheck_->setChecked(false);
    sheet->askWinOK_->click();
    EXPECT_FALSE(sheet->isVisible());
    h.clock.advance(DialController::kDialOptionDelayMs);
    EXPECT_EQ(h.count(258, 65), 1);
    const yov::MSG_APN_SET_REQ_PARA_T sent =
        yov::MSG_APN_SET_REQ_PARA_T::decode(yov::PayloadReader(h.lastPayload(257, 60)));
    EXPECT_EQ(sent.userName, QStringLiteral("usr1"));
    EXPECT_EQ(sent.password, QStringLiteral("pw"));
    EXPECT_TRUE(h.dial->profiles().dialConfigArray().value(0).value(QStringLiteral("accountName")).toString().isEmpty());

    // Cancel ends the request and sends nothing.
    h.pressConnect(); // cancels the dial under way
    h.pppStatus(yov::kPppIdle);
    h.transport->sent.clear();
    h.pressConnect();
    ASSERT_TRUE(sheet->isVisible());
    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_FALSE(sheet->isVisible());
    h.clock.advance(1000);
    EXPECT_EQ(h.count(258, 65), 0);
    EXPECT_EQ(h.count(257, 60), 0);
}

namespace {

// A skin that takes every control and remembers the order of the keys.
class RecordingSkin final : public SkinManagerAccess {
public:
    QStringList keys;
    QHash<QString, QObject *> controls;
    bool registerController(QObject *control, const QString &key, bool needReload) override
    {
        EXPECT_TRUE(needReload) << key.toStdString();
        keys << key;
        controls.insert(key, control);
        return true;
    }
    bool updateItem(QObject *) override { return false; }
    QObject *controllerByKey(const QString &key) const override { return controls.value(key); }
    bool hasKey(const QString &key) const override { return controls.contains(key); }
    bool setImageForKey(const QString &, const QString &, bool) override { return false; }
};

// The skin keys of the Internet view and its windows, in the order skin files expect them
// registered; the edit window's save box comes twice and one key ends in "_".
const char *const kInternetSkinKeys[] = {
    "labelInternetPrompt", "labelProfileInputPrompt", "wndDialConfigView", "wndDialProfileEdit",
    "labelDialDefaultConfig", "cbboxDialConfigList", "labelDialTelNumber", "tfDialTelNumber", "labelDialUserName",
    "tfDialUserName", "labelDialPassword", "tfDialPassword", "labelDialStatus", "labelDialStatusText", "labelDialSend",
    "labelDialSendText", "labelDialReceive", "labelDialReceiveText", "labelDialConnectTime", "labelDialConnectTimeText",
    "labelDialIPAddress", "labelDialIPAddressText", "labelDialSendSpeed", "labelDialSendSpeedText",
    "labelDialReceiveSpeed", "labelDialReceiveSpeedText", "btnDialSaveUserInfo", "matrixEditAutoObtainAPN",
    "matrixEditAutoObtainDNS", "matrixEditAutoObtainPDP", "matrixEditAuthMode", "matrixBrowserAutoObtainAPN",
    "matrixBrowserAutoObtainDNS", "matrixBrowserAutoObtainPDP", "matrixBrowserAuthMode",
    "textBrowserProvideForConfigDial", "labelConfigProfileDial", "labelConfigTelNumberDial", "textBrowserUserNameDial",
    "textBrowserPasswordDial", "textBrowserTelephoneNumberDial", "labelConfigUserNameDial", "labelConfigPasswordDial",
    "textBrowserPreferDNSDial", "textBrowserAlternateDNSDial", "labelConfigPreferredDNSDial",
    "labelConfigAlternateDNSDial", "checkbrowserIsSaveUserInfoDial", "textBrowserAPNDial", "labelConfigAPNDial",
    "textBrowserPDPDial", "labelConfigAddressDial", "labelConfigAuthModeDial", "textEditProvideForConfigDial",
    "textEditTelephoneNumberDial", "textEditUserNameDial", "textEditPasswordDial", "textEditAPNDial",
    "textEditPreferDNSDial", "textEditAlternateDNSDial", "textEditPDPDial", "labelEditConfigProfileDial",
    "labelEditConfigTelNumberDial", "labelEditConfigUserNameDial", "labelEditConfigPasswordDial",
    "labelEditConfigPreferredDNSDial", "labelEditConfigAlternateDNSDial", "labelEditConfigAPNDial",
    "labelEditConfigAuthModeDial", "labelEditConfigAddressDial", "checkEditIsSaveUserInfoDial", "btnDialConnect",
    "btnDialEditProfile", "btnDialbrowseProfile", "btnDialCloseProfile", "btnDialProfileEditOK",
    "btnDialProfileEditCancel", "viewInternetTab", "windowOfConnectStateForDidizu",
    "btnOfCancelConnectOperateForDidizu", "btnOfCloseDidizuConnectStateWindow", "windowOfConnectFailedForDidizu",
    "btnCloseAlertWindowWhenConnectFailed", "btnCancelConnectWhenConnectFailed_", "btnOfRedialWhenConnectFailed",
    "btnOfDownForBillboard", "btnOfUpForBillboard", "btnMenuHelp"};

} // namespace

TEST(InternetViewTest, SkinRegistersTheViewControlsUnderTheirKeysInOrder)
{
    RecordingSkin skin;
    std::unique_ptr<InternetView> view;
    Harness h({}, twoProfiles(), &skin, [&view](DialController &dial) { view = std::make_unique<InternetView>(&dial); });
    ASSERT_NE(view, nullptr);

    QStringList all;
    for (const auto &[key, control] : view->skinBindings())
        all << key;
    QStringList expected;
    for (const char *key : kInternetSkinKeys)
        expected << QLatin1String(key);
    EXPECT_EQ(all, expected);

    // What the view builds is registered, in the same order.
    QStringList built;
    for (const auto &[key, control] : view->skinBindings())
        if (control)
            built << key;
    EXPECT_EQ(skin.keys, built);
    const struct {
        const char *key;
        QObject *control;
    } bound[] = {
        {"labelDialStatusText", view->stateLabel()},
        {"labelDialStatus", view->captionLabel(QStringLiteral("Net_Status"))},
        {"labelDialSendText", view->field(QStringLiteral("m_FluxForSend"))},
        {"labelDialReceiveSpeedText", view->field(QStringLiteral("m_SpeedForReceive"))},
        {"labelDialIPAddress", view->captionLabel(QStringLiteral("Net_IPAddress"))},
        {"tfDialPassword", view->profileField(QStringLiteral("m_tfdPassword"))},
        {"cbboxDialConfigList", view->chooser()},
        {"btnDialConnect", view->connectButton()},
        {"viewInternetTab", view.get()},
        {"labelInternetPrompt", view->captionLabel(QStringLiteral("labelInternetPrompt_"))},
    };
    for (const auto &b : bound) {
        ASSERT_NE(b.control, nullptr) << b.key;
        EXPECT_EQ(skin.controllerByKey(QLatin1String(b.key)), b.control) << b.key;
    }
    view.reset();
}

TEST(InternetViewTest, AutoHideKeepsTheStateFieldsOutOfSightWhileNoConnectionRuns)
{
    const struct {
        bool autoHide;
        bool speedsToo;
    } cases[] = {{false, false}, {true, false}, {true, true}, {false, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "AutoHideConnectState " << c.autoHide << ", for the speeds " << c.speedsToo);
        ViewHarness h({{QStringLiteral("AutoHideConnectState"), c.autoHide},
                       {QStringLiteral("ShowModemAndSimStateBasisDeviceStateWhenKV424"), true},
                       {QStringLiteral("Internet"), QVariantMap{{QStringLiteral("AutoHideConnectStateForDidizu"), c.speedsToo}}}},
                      twoProfiles());
        h.show();
        h.ready();
        h.dial->setModemAndSimStateString(QStringLiteral("Init_tfdData Not Connected"));
        QApplication::processEvents();
        auto *modemLine = h.view->findChild<QLabel *>(QStringLiteral("tfdModemAndSimState"));
        ASSERT_NE(modemLine, nullptr);
        // (field, its caption, hidden while idle)
        auto check = [&](bool idle) {
            SCOPED_TRACE(idle ? "idle" : "connected");
            const bool stateHidden = idle && c.autoHide;
            const bool speedHidden = idle && c.autoHide && c.speedsToo;
            const struct {
                const char *field;
                const char *caption;
                bool hidden;
            } rows[] = {{"m_ConnectTime", "Net_ConnectTime", stateHidden},
                        {"m_FluxForSend", "Net_Send", stateHidden},
                        {"m_FluxForReceive", "Net_Receive", stateHidden},
                        {"m_IPAddress", "Net_IPAddress", stateHidden},
                        {"m_SpeedForSend", "Net_SendSpeed", speedHidden},
                        {"m_SpeedForReceive", "Net_ReceiveSpeed", speedHidden},
                        {"m_TotalData", "tfdTotalData_", false}};
            for (const auto &r : rows) {
                EXPECT_EQ(h.view->field(QLatin1String(r.field))->isHidden(), r.hidden) << r.field;
                EXPECT_EQ(h.view->captionLabel(QLatin1String(r.caption))->isHidden(), r.hidden) << r.caption;
                EXPECT_TRUE(h.view->field(QLatin1String(r.field))->isEnabled()) << r.field;
            }
            EXPECT_EQ(h.view->stateLabel()->isHidden(), stateHidden);
            EXPECT_EQ(h.view->captionLabel(QStringLiteral("Net_Status"))->isHidden(), stateHidden);
            // The modem/SIM line takes the place of the hidden fields, and gives it back.
            EXPECT_EQ(modemLine->isHidden(), c.autoHide && !idle);
        };
        check(true);

        h.view->connectButton()->click();
        h.clock.advance(DialController::kDialOptionDelayMs);
        h.pppStatus(yov::kPppRunning, 5, 2048, 1024);
        QApplication::processEvents();
        ASSERT_EQ(h.dial->connectStatus(), yov::kConnectStatusConnected);
        check(false);

        h.view->connectButton()->click();
        h.clock.advance(DialController::kDialOptionDelayMs);
        h.pppStatus(yov::kPppIdle);
        QApplication::processEvents();
        ASSERT_EQ(h.dial->connectStatus(), yov::kConnectStatusIdle);
        check(true);
    }
}
