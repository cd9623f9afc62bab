// The main window: toolbar from the configuration, tabs, mode switches, low-power mode and the
// reaction to device removal.
#include "MainControllerFixture.h"
#include "support/TestPaths.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/controller/UIManagerSkinAccess.h"
#include "ostrel/framework/skin/YOVUIManager.h"
#include "ostrel/framework/widgets/Items.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/framework/widgets/StatusBarView.h"

#include <QAction>
#include <QAbstractButton>
#include <QCoreApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QSystemTrayIcon>
#include <QToolButton>

using maintest::MainControllerTest;

namespace {

QVariantMap tabEntry(const QString &identifier)
{
    return {{QStringLiteral("itemIdentifier"), identifier},
            {QStringLiteral("itemLabel"), identifier},
            {QStringLiteral("itemToolTip"), identifier + QStringLiteral(" tip")},
            {QStringLiteral("itemAction"), QStringLiteral("tabViewChangeItemAction:")}};
}

QStringList identifiersOf(const QList<ostrel::NSToolbarItemExt *> &items)
{
    QStringList ids;
    for (auto *item : items)
        ids << item->objectName();
    return ids;
}

} // namespace

class MainWindowTest : public MainControllerTest {
protected:
    // An image of the given size in the default skin folder of the test resources (named unlike
    // any shipped image, which the lookup would find first).
    void writeSkinImage(const QString &name, const QSize &size)
    {
        const QString folder = QDir(resources_).filePath(QStringLiteral("skin/defaultSkin"));
        QDir().mkpath(folder);
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::red);
        const QString file = name.contains(QLatin1Char('.')) ? name : name + QStringLiteral(".png");
        ASSERT_TRUE(image.save(folder + QLatin1Char('/') + file, "PNG"));
    }

    // settings with the toolbar entries; the images are written before the build.
    void buildWithToolbar(const QVariantList &entries, QVariantMap extra = {})
    {
        extra.insert(QStringLiteral("toolBarItems"), entries);
        build(extra);
    }

    QVariantMap lpmSettings(bool checked = true)
    {
        return {{QStringLiteral("LPMinfo"), QVariantMap{{QStringLiteral("hasLPMmode"), checked},
                                                        {QStringLiteral("enterLPMTime"), 60.0},
                                                        {QStringLiteral("enterLPMData"), 100.0}}},
                {QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_UIModel"), 0}}}};
    }

    int sentCount(int major, int minor) const
    {
        int n = 0;
        for (const auto &msg : transport_->sent)
            if (msg.majorID == major && msg.minorID == minor)
                ++n;
        return n;
    }
};

// --- toolbar ---------------------------------------------------------------------------------

TEST_F(MainWindowTest, ToolbarKeepsTheOrderSkipsEntriesWithoutIdentifierAndBuildsTheThreeForms)
{
    writeSkinImage(QStringLiteral("fixtureIcon"), QSize(24, 20));
    QVariantMap noIdentifier = tabEntry(QStringLiteral("Ghost"));
    noIdentifier.remove(QStringLiteral("itemIdentifier"));
    QVariantMap asButton = tabEntry(QStringLiteral("Phonebook"));
    asButton.insert(QStringLiteral("itemImageName"), QStringLiteral("fixtureIcon"));
    asButton.insert(QStringLiteral("UseAsButton"), true);
    asButton.insert(QStringLiteral("urlLabel"), QStringLiteral("Home"));
    QVariantMap popup{{QStringLiteral("itemIdentifier"), QStringLiteral("More")},
                      {QStringLiteral("itemLabel"), QStringLiteral("More")},
                      {QStringLiteral("itemImageName"), QStringLiteral("fixtureIcon")},
                      {QStringLiteral("UseAsPopupButton"),
                       QVariantList{QVariantMap{{QStringLiteral("itemTitle"), QStringLiteral("Records")},
                                                {QStringLiteral("itemAction"), QStringLiteral("gotoDialRecord:")}},
                                    QVariantMap{{QStringLiteral("itemTitle"), QStringLiteral("Settings")},
                                                {QStringLiteral("itemAction"), QStringLiteral("gotoSetting:")}}}}};
    QVariantMap plain = tabEntry(QStringLiteral("SMS"));
    plain.insert(QStringLiteral("itemImageName"), QStringLiteral("fixtureIcon"));
    QVariantMap missingImage = tabEntry(QStringLiteral("Call"));
    missingImage.insert(QStringLiteral("itemImageName"), QStringLiteral("no-such-image"));
    buildWithToolbar({noIdentifier, plain, asButton, popup, missingImage});

    const auto items = controller->toolbarItemsArray();
    EXPECT_EQ(identifiersOf(items), (QStringList{"SMS", "Phonebook", "More", "Call"}));
    EXPECT_EQ(controller->toolbarDefaultItemIdentifiers(),
              (QStringList{"SMS", "Phonebook", "More", "Call", "NSToolbarFlexibleSpaceItem",
                           "Custom Logo Toolbar Item Identifier"}));
    ASSERT_TRUE(controller->toolbar);
    EXPECT_EQ(controller->toolbar->objectName(), QStringLiteral("ToolBar"));
    EXPECT_EQ(controller->toolbar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);

    // plain item: icon; missing image: no icon, item kept
    EXPECT_FALSE(items[0]->icon().isNull());
    EXPECT_EQ(items[0]->englishLabel, QStringLiteral("SMS"));
    EXPECT_EQ(items[0]->englishToolTip, QStringLiteral("SMS tip"));
    EXPECT_TRUE(items[3]->icon().isNull());

    // button form: a button of the image's size with the identifier, URL label and raw tool tip
    auto *button = items[1]->property("itemView").value<QWidget *>();
    auto *toolButton = qobject_cast<QToolButton *>(button);
    ASSERT_NE(toolButton, nullptr);
    EXPECT_EQ(toolButton->size(), QSize(24, 20));
    EXPECT_EQ(toolButton->property("itemIdentifier").toString(), QStringLiteral("Phonebook"));
    EXPECT_EQ(toolButton->property("urlLabel").toString(), QStringLiteral("Home"));
    EXPECT_EQ(toolButton->toolTip(), QStringLiteral("Phonebook tip"));
    EXPECT_EQ(items[1]->urlLabel(), QStringLiteral("Home"));
    toolButton->click();
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("Phonebook"));

    // pop-up form: 10 points wider than the image, one menu item per entry, each dispatched
    auto *popupButton = qobject_cast<QToolButton *>(items[2]->property("itemView").value<QWidget *>());
    ASSERT_NE(popupButton, nullptr);
    EXPECT_EQ(popupButton->size(), QSize(34, 20));
    ASSERT_NE(popupButton->menu(), nullptr);
    const auto entries = popupButton->menu()->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("Records"));
    entries[1]->trigger();
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("Setting"));
    entries[0]->trigger();
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("DialRecord"));

    // a tab item switches to its tab through the action dispatch, and its title follows
    items[0]->trigger();
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("SMS"));
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_EQ(controller->textfieldTabviewItemTitle_->text(), QStringLiteral("SMS_TITLE"));
}

TEST_F(MainWindowTest, LogoAsButtonLeavesOutTheSpaceAndTheLogo)
{
    writeSkinImage(QStringLiteral("ProviderLogoPlaceHolder"), QSize(60, 18));
    buildWithToolbar({tabEntry(QStringLiteral("SMS"))});
    EXPECT_EQ(controller->toolbarDefaultItemIdentifiers().size(), 3);
    ASSERT_TRUE(controller->customLogoToolbarItem_);
    // the logo is an image view of the image's size
    auto *logo = controller->toolbar->findChild<QLabel *>(QStringLiteral("viewextProviderLogo"));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->size(), QSize(60, 18));

    TearDown();
    SetUp();
    buildWithToolbar({tabEntry(QStringLiteral("SMS"))}, {{QStringLiteral("UseLogoAsButton"), true}});
    EXPECT_EQ(controller->toolbarDefaultItemIdentifiers(), QStringList{QStringLiteral("SMS")});
    EXPECT_FALSE(controller->customLogoToolbarItem_);
}

TEST_F(MainWindowTest, DisabledToolbarDoesNothingAndEnablingRestoresTheAction)
{
    buildWithToolbar({tabEntry(QStringLiteral("SMS")), tabEntry(QStringLiteral("Phonebook"))});
    auto items = controller->toolbarItemsArray();
    controller->toolbarSetEnable(false);
    EXPECT_FALSE(items[0]->isEnabled());
    ASSERT_NE(controller->menuItemNamed(QStringLiteral("Internet")), nullptr);
    EXPECT_FALSE(controller->menuItemNamed(QStringLiteral("Internet"))->isEnabled());
    // without a skin manager the action itself is cleared: even a forced trigger does nothing
    items[0]->setEnabled(true);
    items[0]->trigger();
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("Internet"));

    controller->toolbarSetItemEnable(true, QStringLiteral("Phonebook"));
    items[1]->trigger();
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("Phonebook"));
    controller->toolbarSetEnable(true);
    items[0]->trigger();
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("SMS"));
    EXPECT_TRUE(controller->menuItemNamed(QStringLiteral("Internet"))->isEnabled());
}

TEST_F(MainWindowTest, RebuiltToolbarKeepsTheItemViews)
{
    writeSkinImage(QStringLiteral("fixtureIcon"), QSize(24, 20));
    QVariantMap asButton = tabEntry(QStringLiteral("SMS"));
    asButton.insert(QStringLiteral("itemImageName"), QStringLiteral("fixtureIcon"));
    asButton.insert(QStringLiteral("UseAsButton"), true);
    buildWithToolbar({asButton});
    controller->insertUSSDToobarItem(1);
    controller->insertUSSDToobarItem(0);
    auto *button = qobject_cast<QToolButton *>(controller->toolbarItemsArray().value(0)->property("itemView").value<QWidget *>());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget(), controller->toolbar.data());
    button->click();
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("SMS"));
}

TEST_F(MainWindowTest, ToolbarFollowsTheSimOnlyWhenConfigured)
{
    buildWithToolbar({tabEntry(QStringLiteral("SMS"))}, {{QStringLiteral("disableToolbarWhenNoSIM"), true}});
    auto *item = controller->toolbarItemsArray().value(0);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isEnabled()); // no SIM yet
    notifications.post(QStringLiteral("SimReady"));
    EXPECT_EQ(controller->getNetCardStatus(), 12);
    EXPECT_TRUE(item->isEnabled());
    notifications.post(QStringLiteral("DevicePlugin"));
    EXPECT_FALSE(item->isEnabled());
}

// --- tabs and areas ---------------------------------------------------------------------------

TEST_F(MainWindowTest, EveryAreaHasAnEmptyPageFoundByIdentifier)
{
    build({});
    for (const QString &identifier : ostrel::MainController::mainTabIdentifiers()) {
        QWidget *page = controller->tabPage(identifier);
        ASSERT_NE(page, nullptr) << identifier.toStdString();
        EXPECT_TRUE(controller->tabviewMain->isAncestorOf(page));
        EXPECT_TRUE(page->children().isEmpty()) << identifier.toStdString();
    }
    EXPECT_EQ(controller->tabPage(QStringLiteral("Nowhere")), nullptr);
    for (const auto &[action, tab] : std::vector<std::pair<const char *, const char *>>{
             {"gotoSMS:", "SMS"}, {"gotoPhonebook:", "Phonebook"}, {"gotoSetting:", "Setting"},
             {"gotoDialRecord:", "DialRecord"}, {"gotoCall:", "Call"}, {"gotoUSSD:", "USSD1"},
             {"gotoInternet:", "Internet"}}) {
        ASSERT_TRUE(controller->performAction(QString::fromLatin1(action)));
        EXPECT_EQ(controller->currentTabIdentifier(), QString::fromLatin1(tab)) << action;
    }
}

// --- window modes -----------------------------------------------------------------------------

TEST(MainWindowFrame, SwitchKeepsTheTopLeftCornerAndTakesTheTargetSize)
{
    struct Case {
        QRect current;
        QSize target;
        QRect expected;
    } cases[] = {
        {{100, 50, 760, 540}, {320, 90}, {100, 50, 320, 90}},   // complete -> simple
        {{100, 50, 320, 90}, {760, 540}, {100, 50, 760, 540}},  // simple -> complete
        {{-20, 0, 300, 200}, {300, 200}, {-20, 0, 300, 200}},   // same size, off the left edge
    };
    for (const Case &c : cases)
        EXPECT_EQ(ostrel::MainController::frameKeepingTopEdge(c.current, c.target), c.expected);
}

TEST_F(MainWindowTest, ZoomSwitchesBetweenTheWindowsWithTheTopEdgeKept)
{
    build({{QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_UIModel"), 0}}}});
    controller->wndCompleteMain_->setGeometry(200, 150, 760, 540);
    controller->wndCompleteMain_->show();
    controller->wndMain = controller->wndCompleteMain_;
    const int top = controller->wndCompleteMain_->geometry().top();

    ASSERT_TRUE(controller->windowWillUseStandardFrame(controller->wndCompleteMain_));
    EXPECT_EQ(controller->wndMain.data(), controller->wndSimpleMain_.data());
    EXPECT_TRUE(controller->wndSimpleMain_->isVisible());
    EXPECT_FALSE(controller->wndCompleteMain_->isVisible());
    EXPECT_EQ(controller->wndSimpleMain_->geometry().top(), top);
    EXPECT_EQ(controller->wndSimpleMain_->size(), controller->rectOfWndSimpleMain_.size());
    EXPECT_EQ(controller->modeCurrent, 1);
    EXPECT_EQ(log.events.count(QStringLiteral("MainwindOfAppChanged")), 1);
    EXPECT_EQ(yov::nsInt(config_->getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("Main_UIModel"))), 1);

    ASSERT_TRUE(controller->windowWillUseStandardFrame(controller->wndSimpleMain_));
    EXPECT_EQ(controller->wndMain.data(), controller->wndCompleteMain_.data());
    EXPECT_EQ(controller->wndCompleteMain_->geometry().top(), top);
    EXPECT_EQ(controller->modePrev, 0);

    QWidget other;
    EXPECT_FALSE(controller->windowWillUseStandardFrame(&other));
}

TEST_F(MainWindowTest, SimpleWindowButtonsReturnToTheCompleteWindowAtTheirArea)
{
    build({{QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_UIModel"), 1}}}});
    controller->wndMain = controller->wndSimpleMain_;
    controller->wndSimpleMain_->show();
    controller->matrixPhoneBook_->click();
    EXPECT_EQ(controller->wndMain.data(), controller->wndCompleteMain_.data());
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("Phonebook"));
    // from the complete window, and for unknown tags, nothing happens
    controller->goBackToMainWndWithTag(0);
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("Phonebook"));
}

// --- low power --------------------------------------------------------------------------------

TEST(MainWindowLowPower, DecisionTable)
{
    struct Case {
        const char *name;
        int callStage;
        int connectStatus;
        qint64 bytes;
        bool offline;
    } cases[] = {
        {"idle", 0, 0, -1, true},
        {"connected under the limit", 0, 3, 50 * 1024, true},
        {"connected at the limit", 0, 3, 100 * 1024, true},
        {"connected over the limit", 0, 3, 200000, false},
        {"connected, traffic unknown", 0, 3, -1, false},
        {"connecting", 0, 1, 0, false},
        {"disconnecting", 0, 2, 0, false},
        {"idle during a call", 2, 0, 0, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ostrel::MainController::lowPowerShouldGoOffline(c.callStage, c.connectStatus, c.bytes, 100.0), c.offline)
            << c.name;
}

TEST_F(MainWindowTest, LowPowerTimerSetsOfflineOnlyWhenAllowedAndRestoreSetsOnline)
{
    struct Case {
        const char *name;
        int status;
        qint64 bytes;
        int callStage;
        int offline;
    } cases[] = {
        {"idle", 0, 0, 0, 1},
        {"connected, 50 KB", 3, 50 * 1024, 0, 1},
        {"connected, 200000 bytes", 3, 200000, 0, 0},
        {"idle during a call", 0, 0, 1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        build(lpmSettings());
        dial.status = c.status;
        call.stage = c.callStage;
        const qint64 bytes = c.bytes;
        controller->setConnectionTrafficProvider([bytes] { return bytes; });
        ASSERT_TRUE(controller->btnLPMStatus_);
        ASSERT_TRUE(controller->btnLPMStatus_->isChecked());

        controller->windowDidMiniaturize(controller->wndMain);
        EXPECT_EQ(controller->modeCurrent, 2);
        EXPECT_TRUE(controller->isLPMTimerArmed());
        clock.advance(59999);
        EXPECT_EQ(sentCount(3, 4), 0);
        clock.advance(1);
        EXPECT_EQ(sentCount(3, 4), c.offline);
        EXPECT_FALSE(controller->isLPMTimerArmed());

        controller->windowDidDeminiaturize(controller->wndMain);
        EXPECT_EQ(sentCount(3, 3), 1);
    }
}

TEST_F(MainWindowTest, RestoreBeforeTheTimerCancelsItAndAnUncheckedBoxArmsNothing)
{
    build(lpmSettings());
    controller->windowDidMiniaturize(controller->wndMain);
    clock.advance(30000);
    controller->windowDidDeminiaturize(controller->wndMain);
    clock.advance(60000);
    EXPECT_EQ(sentCount(3, 4), 0);
    EXPECT_EQ(sentCount(3, 3), 1);

    controller->btnLPMStatus_->setChecked(false);
    controller->windowDidMiniaturize(controller->wndMain);
    EXPECT_FALSE(controller->isLPMTimerArmed());
    clock.advance(120000);
    controller->windowDidDeminiaturize(controller->wndMain);
    EXPECT_EQ(sentCount(3, 4), 0);
    EXPECT_EQ(sentCount(3, 3), 1);
}

TEST_F(MainWindowTest, MinimisingTheWindowArmsTheTimer)
{
    build(lpmSettings());
    controller->wndCompleteMain_->show();
    controller->wndCompleteMain_->showMinimized();
    EXPECT_TRUE(controller->isLPMTimerArmed());
    EXPECT_EQ(controller->modeCurrent, 2);
}

TEST_F(MainWindowTest, WithoutLowPowerSettingsThereIsNoBoxAndNoTimer)
{
    build({});
    EXPECT_FALSE(controller->btnLPMStatus_);
    controller->windowDidMiniaturize(controller->wndMain);
    EXPECT_FALSE(controller->isLPMTimerArmed());
}

// --- device removal ---------------------------------------------------------------------------

TEST_F(MainWindowTest, DeviceRemovalSendsTheDeviceOutRecordAndKeepsTheProfileSheet)
{
    build({});
    controller->wndCompleteMain_->show();
    controller->wndMain = controller->wndCompleteMain_;
    auto *profile = new QDialog(controller->wndMain);
    profile->setWindowTitle(QStringLiteral("DialConfig"));
    profile->setWindowModality(Qt::WindowModal);
    profile->show();

    notifications.post(QStringLiteral("DeviceRemoved"));
    EXPECT_TRUE(profile->isVisible());
    EXPECT_EQ(controller->getNetCardStatus(), 1);

    ASSERT_FALSE(transport_->sent.empty());
    const yov::UI_MSG &msg = transport_->sent.back();
    EXPECT_EQ(msg.moduleID, 0);
    EXPECT_EQ(msg.majorID, 8);
    EXPECT_EQ(msg.minorID, 58);
    EXPECT_EQ(msg.type, 2);
    EXPECT_EQ(msg.result, -1);

    // a sheet on the profile sheet is the innermost one: it goes, the profile sheet stays
    auto *inner = new QDialog(profile);
    inner->setWindowTitle(QStringLiteral("Edit"));
    inner->setWindowModality(Qt::WindowModal);
    inner->show();
    notifications.post(QStringLiteral("DeviceRemoved"));
    EXPECT_FALSE(inner->isVisible());
    EXPECT_TRUE(profile->isVisible());
    EXPECT_EQ(sentCount(8, 58), 2);
}

TEST_F(MainWindowTest, DeviceRemovalClosesAnOrdinarySheet)
{
    build({});
    controller->wndCompleteMain_->show();
    controller->wndMain = controller->wndCompleteMain_;
    auto *sheet = new QDialog(controller->wndMain);
    sheet->setWindowTitle(QStringLiteral("PIN"));
    sheet->setWindowModality(Qt::WindowModal);
    sheet->show();
    notifications.post(QStringLiteral("DeviceRemoved"));
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sentCount(8, 58), 1);
}

TEST_F(MainWindowTest, DeviceRemovalWithCloseUiQuits)
{
    build({{QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_UIModel"), 0},
                                                {QStringLiteral("Main_CloseUI_IfDeviceRemoved"), true}}}});
    notifications.post(QStringLiteral("DeviceRemoved"));
    EXPECT_EQ(terminations, 1);
    EXPECT_EQ(sentCount(8, 58), 0);
}

// --- tray --------------------------------------------------------------------------------------

TEST_F(MainWindowTest, TrayItemGetsItsImageAndMenuOnlyWhenTheImageExists)
{
    build({});
    EXPECT_FALSE(controller->viewSysStatusItem_);

    TearDown();
    SetUp();
    build({{QStringLiteral("NeedSystemStatusItem"), true}});
    ASSERT_TRUE(controller->viewSysStatusItem_);
    EXPECT_TRUE(controller->viewSysStatusItem_->image().isNull());
    EXPECT_EQ(controller->viewSysStatusItem_->menu(), nullptr);

    TearDown();
    SetUp();
    writeSkinImage(QStringLiteral("SysStatusItem.PNG"), QSize(22, 22));
    build({{QStringLiteral("NeedSystemStatusItem"), true}});
    ASSERT_TRUE(controller->viewSysStatusItem_);
    EXPECT_FALSE(controller->viewSysStatusItem_->image().isNull());
    EXPECT_TRUE(controller->menuSysStatusItem_);
    // the offscreen desktop has no tray: the item is simply not shown
    EXPECT_EQ(controller->viewSysStatusItem_->statusItem() != nullptr, QSystemTrayIcon::isSystemTrayAvailable());
}

// --- the skin's dressing of the main window ------------------------------------------------------

TEST_F(MainWindowTest, ASkinWithItsOwnToolbarDressesTheMainWindowAndShowsItsWelcomeWindow)
{
    // A skin of an operator: its own toolbar view with one button, the window's picture and a
    // welcome window.
    const QString skin = dir_.filePath(QStringLiteral("operatorSkin"));
    ASSERT_TRUE(QDir().mkpath(skin));
    const auto image = [&](const char *name, QSize size, QColor colour) {
        QImage i(size, QImage::Format_ARGB32);
        i.fill(colour);
        ASSERT_TRUE(i.save(QDir(skin).filePath(QLatin1String(name)), "PNG"));
    };
    image("toolbar.png", QSize(600, 48), QColor(20, 60, 90));
    image("window.png", QSize(640, 440), QColor(200, 210, 230));
    image("welcome.png", QSize(300, 180), QColor(240, 200, 60));
    image("button.png", QSize(64, 40), QColor(90, 160, 90));
    const auto frame = [](int left, int bottom, int width, int height, const char *imageName) {
        return QVariantMap{{QStringLiteral("Left"), left}, {QStringLiteral("Bottom"), bottom}, {QStringLiteral("Width"), width},
                           {QStringLiteral("Height"), height}, {QStringLiteral("ImageName"), QLatin1String(imageName)}};
    };
    const QVariantMap info{{QStringLiteral("wndMainToolbar"), frame(0, 0, 600, 48, "toolbar.png")},
                           {QStringLiteral("wndMain"), QVariantMap{{QStringLiteral("ImageName"), QStringLiteral("window.png")}}},
                           {QStringLiteral("wndWelcom"), QVariantMap{{QStringLiteral("ImageName"), QStringLiteral("welcome.png")}}},
                           {QStringLiteral("btnToolbarSMS"), frame(8, 4, 64, 40, "button.png")}};
    ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(skin).filePath(QStringLiteral("SkinInfo")), info));

    QTemporaryDir skinSettings; // the skin manager's own store
    ostrel::ConfigManager skinConfig(skinSettings.path());
    ostrel::YOVUIManager::Options options;
    options.config = &skinConfig;
    options.loadLastUsedSkin = false;
    ostrel::YOVUIManager manager(options);
    ASSERT_TRUE(manager.loadUIResource(skin));
    ostrel::UIManagerSkinAccess access(&manager);
    skinAccess = &access;
    const QVariantMap toolbarButton{{QStringLiteral("itemIdentifier"), QStringLiteral("SMS")},
                                    {QStringLiteral("itemName"), QStringLiteral("btnToolbarSMS")},
                                    {QStringLiteral("itemAction"), QStringLiteral("gotoSMS:")}};
    build({{QStringLiteral("UIConfig"), QVariantMap{{QStringLiteral("ToolbarItems"), QVariantList{toolbarButton}}}},
           {QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_UIModel"), 0}}}});

    EXPECT_FALSE(controller->toolbar) << "the native toolbar stands beside the skin's own";
    QWidget *view = controller->skinToolbarView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->minimumHeight(), 48);
    QAbstractButton *button = nullptr;
    for (QAbstractButton *b : view->findChildren<QAbstractButton *>())
        if (b->property("itemIdentifier") == QStringLiteral("SMS"))
            button = b;
    ASSERT_NE(button, nullptr) << "the skin's toolbar has no button";
    button->click();
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("SMS"));
    QWidget *central = qobject_cast<QMainWindow *>(controller->wndCompleteMain_.data())->centralWidget();
    EXPECT_TRUE(central->autoFillBackground());
    EXPECT_FALSE(central->palette().brush(QPalette::Window).textureImage().isNull()) << "the window's picture is not shown";

    controller->applicationWillFinishLaunching();
    controller->applicationDidFinishLaunching();
    QWidget *welcome = controller->wndWelcom_;
    ASSERT_NE(welcome, nullptr) << "no welcome window";
    EXPECT_TRUE(welcome->isVisible());
    EXPECT_FALSE(welcome->isModal()) << "the welcome window holds the dashboard";
    EXPECT_EQ(welcome->size(), QSize(300, 180));
    if (const QString path = testing_paths::screenshotPath(QStringLiteral("skinned-main-window.png")); !path.isEmpty())
        controller->wndMain->grab().save(path);
    controller.reset();
    skinAccess = nullptr;
}

// --- the simple mode's windows, the USSD button, broadcasts and moves -------------------------------

namespace {
struct MovesMms : ostrel::DefaultMMSController {
    QList<QWidget *> moved;
    void windowDidMove(QWidget *window) override { moved << window; }
};
struct HidesConnect : maintest::FakeDial {
    QList<bool> hidden;
    void setIsHiddenConnectBtn(bool h) override { hidden << h; }
};
} // namespace

TEST_F(MainWindowTest, SimpleModeWindowsUssdButtonBroadcastsAndMovesAct)
{
    MovesMms mms;
    HidesConnect connect;
    build({{QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_UIModel"), 0}}}});
    ostrel::Neighbours::setMms(&mms);
    ostrel::Neighbours::setDial(&connect);
    controller->applicationDidFinishLaunching();

    // The settings window of the simple mode: a row selects its module, out of range nothing.
    ASSERT_TRUE(controller->wndSetting_);
    auto *tabs = qobject_cast<QTabWidget *>(controller->tabViewModuleTabSetting_.data());
    ASSERT_NE(tabs, nullptr);
    controller->selectModule(4);
    EXPECT_EQ(ostrel::tabViewItemIdentifier(tabs->currentWidget()), QStringLiteral("Security"));
    EXPECT_EQ(controller->lableSettingTabViewTitle_->text(), QStringLiteral("Security"));
    controller->selectModule(7);
    EXPECT_EQ(ostrel::tabViewItemIdentifier(tabs->currentWidget()), QStringLiteral("Security"));

    QObject sender;
    sender.setProperty("itemIdentifier", QStringLiteral("Settings"));
    controller->showDialRecordAndSettingWindow(&sender);
    EXPECT_TRUE(controller->wndSetting_->isVisible());
    EXPECT_FALSE(controller->wndMain->isVisible());
    auto *close = controller->wndSetting_->findChild<QAbstractButton *>(QStringLiteral("btnCloseSetting"));
    ASSERT_NE(close, nullptr);
    close->click();
    EXPECT_FALSE(controller->wndSetting_->isVisible());
    EXPECT_TRUE(controller->wndMain->isVisible());
    sender.setProperty("itemIdentifier", QStringLiteral("DialRecord"));
    controller->showDialRecordAndSettingWindow(&sender);
    EXPECT_TRUE(controller->wndDialRecord_->isVisible());
    controller->closeAllWindow(controller->wndDialRecord_);
    EXPECT_FALSE(controller->wndDialRecord_->isVisible());

    // The USSD button takes the connect button's place and back.
    controller->setIsHiddenForUSSDActive(true);
    EXPECT_TRUE(controller->btnUSSDActive_->isVisible());
    EXPECT_TRUE(controller->btnUSSDActive_->isEnabled());
    controller->setIsHiddenForUSSDActive(false);
    EXPECT_FALSE(controller->btnUSSDActive_->isVisible());
    EXPECT_EQ(connect.hidden, (QList<bool>{true, false}));

    // A cell broadcast reaches the status row; a move of the window reaches the MMS area.
    notifications.post(QStringLiteral("ReceiveBroadCastNotification"), nullptr,
                       {{QStringLiteral("ReceiveBroadCastNotification"), QStringLiteral("Cell 42: rain")}});
    EXPECT_EQ(controller->broadcastMessage(), QStringLiteral("Cell 42: rain"));
    controller->wndMain->move(controller->wndMain->pos() + QPoint(30, 20));
    QCoreApplication::processEvents();
    EXPECT_TRUE(mms.moved.contains(controller->wndMain.data()));
    ostrel::Neighbours::setMms(nullptr);
}
