// Plug-ins in a tab, the modal alert, the date formatter and the small utilities.
#include "ControllerTestSupport.h"

#include "common/util/CalendarFormat.h"
#include "ostrel/framework/controller/YOVAlertPanel.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/plugin/TabPluginInterface.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "support/ScriptedAlertPresenter.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimeZone>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace controller_test;
using ostrel::YOVUIController;
using testing_support::ScriptedAlertPresenter;

namespace {

class UtilitiesTest : public ControllerFixture {
protected:
    void TearDown() override
    {
        YOVUIController::setUrlOpener({});
        ControllerFixture::TearDown();
    }
};

struct PluginDir {
    PluginDir() { qputenv("OSTREL_PLUGIN_DIR", OSTREL_TEST_PLUGIN_DIR); }
    ~PluginDir() { qunsetenv("OSTREL_PLUGIN_DIR"); }
};

QWidget *addTab(QTabWidget &tabs, const QString &identifier)
{
    auto *page = new QWidget;
    ostrel::setTabViewItemIdentifier(page, identifier);
    tabs.addTab(page, identifier);
    return page;
}

} // namespace

TEST_F(UtilitiesTest, PluginViewReplacesTheTabViewAndAMissingPluginLeavesTheTab)
{
    PluginDir dir;
    YOVUIController controller(context);
    QTabWidget tabs;
    QWidget window;
    addTab(tabs, "Internet");
    QWidget *ussdPage = addTab(tabs, "USSD");
    controller.wndMain = &window;

    EXPECT_FALSE(controller.loadPlugin("TestBundle.bundle", "USSD")); // no tab view yet
    controller.tabviewMain = &tabs;
    EXPECT_FALSE(controller.loadPlugin("TestBundle.bundle", "NoSuchTab"));
    EXPECT_FALSE(controller.loadPlugin("USSDBundle.bundle", "USSD")); // no such plug-in
    EXPECT_FALSE(controller.loadPlugin(QString(), "USSD"));
    EXPECT_EQ(tabs.widget(1), ussdPage);
    EXPECT_EQ(controller.bundleInstance(), nullptr);

    ASSERT_TRUE(controller.loadPlugin("TestBundle.bundle", "USSD"));
    auto *view = qobject_cast<QLabel *>(tabs.widget(1));
    ASSERT_NE(view, nullptr);
    // The plug-in got the shared objects that exist (window and tab view here).
    EXPECT_EQ(view->text(), "tabviewMain,wndMain");
    EXPECT_EQ(tabs.tabText(1), "USSD");
    EXPECT_EQ(ostrel::tabViewItemOfIdentifier(&tabs, "USSD"), 1);
    EXPECT_EQ(controller.viewOfOldTabViewItem(), ussdPage);
    ASSERT_NE(controller.bundleInstance(), nullptr);
    EXPECT_EQ(controller.bundleInstance()->interfaceVersion(), 7);
}

TEST_F(UtilitiesTest, RunAlertPanelExtGoesThroughTheInstalledPresenter)
{
    ScriptedAlertPresenter scripted;
    yov::ScopedAlertPresenter guard(&scripted);
    scripted.pressNext(ScriptedAlertPresenter::Alternate);
    EXPECT_EQ(ostrel::NSRunAlertPanelExt("Warning", "Close the software?", "OK", "Cancel"), 0);
    EXPECT_EQ(ostrel::NSRunAlertPanelExt("Warning", "You are currently connected. Please disconnect first!", "OK"), 1);
    ASSERT_EQ(scripted.count(), 2);
    EXPECT_EQ(scripted.shown()[0].alternateButton, "Cancel");
    EXPECT_TRUE(scripted.shown()[1].alternateButton.isEmpty());
}

TEST_F(UtilitiesTest, SkinnedPanelRunsModallyOnlyWhenTheSkinHasItsWindow)
{
    ScriptedAlertPresenter fallback;
    ostrel::SkinnedAlertPresenter presenter(&fallback);
    yov::ScopedAlertPresenter guard(&presenter);

    // No panel yet: the fallback answers.
    EXPECT_EQ(ostrel::NSRunAlertPanelExt("T", "M", "OK"), 1);
    EXPECT_EQ(fallback.count(), 1);

    ostrel::YOVAlertPanel panel(context);
    panel.setFallback(&fallback);
    panel.awakeFromNib();
    EXPECT_EQ(ostrel::YOVAlertPanel::shareAlertPanel(), &panel);
    // The skin lacks "wndYOVAlertPanel": the fallback again.
    EXPECT_EQ(ostrel::NSRunAlertPanelExt("T", "M", "OK"), 1);
    EXPECT_EQ(fallback.count(), 2);

    skin.keys = {"wndYOVAlertPanel", "labelYOVAlertPanelMsg", "labelYOVAlertPanelTitle", "btnAlertOK", "btnAlertCancel"};
    struct Case {
        QString alternate;
        bool pressOK;
        int expected;
    } cases[] = {{"Cancel", false, 0}, {"Cancel", true, 1}, {QString(), true, 1}};
    for (const Case &c : cases) {
        bool cancelVisible = true;
        QString message;
        QTimer::singleShot(0, [&] {
            cancelVisible = panel.btnCancel_->isVisible();
            message = panel.labelMsg_->text();
            (c.pressOK ? panel.btnOK_ : panel.btnCancel_)->click();
        });
        EXPECT_EQ(ostrel::NSRunAlertPanelExt("Warning", "Close the software?", "OK", c.alternate), c.expected);
        EXPECT_EQ(cancelVisible, !c.alternate.isEmpty());
        EXPECT_EQ(message, "Close the software?");
        EXPECT_FALSE(panel.wndAlert_->isVisible());
    }
    EXPECT_EQ(fallback.count(), 2);
}

TEST_F(UtilitiesTest, SkinnedPanelShowsANonBlockingAlertSizedToItsTextOnTheMainWindow)
{
    ScriptedAlertPresenter fallback;
    ostrel::SkinnedAlertPresenter presenter(&fallback);
    yov::ScopedAlertPresenter guard(&presenter);
    skin.keys = {"wndYOVAlertPanel", "labelYOVAlertPanelMsg", "labelYOVAlertPanelTitle", "btnAlertOK", "btnAlertCancel"};
    QWidget mainWindow;
    mainWindow.setGeometry(40, 60, 700, 500); // on the (800 x 800) offscreen screen
    mainWindow.show();
    ostrel::YOVAlertPanel panel(context);
    panel.setFallback(&fallback);
    panel.wndMain = &mainWindow;
    panel.awakeFromNib();

    const QString longText = QString("The device has been disconnected or is unavailable. ").repeated(6);
    const struct {
        QString message;
        QString alternate;
        std::function<void()> answer;
        int expected;
    } cases[] = {
        {"Roaming now", "Cancel", [&] { panel.btnCancel_->click(); }, 0},
        {longText, QString(), [&] { panel.btnOK_->click(); }, 1},
        {"Closed with Escape", "NO", [&] { QTest::keyClick(panel.wndAlert_, Qt::Key_Escape); }, 0},
        {"Closed with Return", "NO", [&] { QTest::keyClick(panel.wndAlert_, Qt::Key_Return); }, 1},
        {"Closed by someone else", "NO", [&] { panel.wndAlert_->hide(); }, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message.left(30).toStdString());
        QList<int> answers;
        ostrel::NSBeginAlertPanelExt("Warning", c.message, "YES", c.alternate, [&](int a) { answers << a; });
        ASSERT_TRUE(panel.wndAlert_->isVisible());
        EXPECT_TRUE(answers.isEmpty());
        EXPECT_TRUE(panel.isRunning());
        // Sized to its text: the whole message fits, however long; centred on the main window.
        QLabel *message = panel.labelMsg_;
        EXPECT_GE(message->height(), message->heightForWidth(message->width()));
        EXPECT_TRUE(panel.wndAlert_->rect().contains(QRect(message->mapTo(panel.wndAlert_, QPoint()), message->size())));
        EXPECT_LE((panel.wndAlert_->geometry().center() - mainWindow.geometry().center()).manhattanLength(), 2);
        EXPECT_FALSE(panel.wndAlert_->testAttribute(Qt::WA_TranslucentBackground));

        // A second alert while this one is open goes to the fallback, without blocking either.
        int second = -1;
        ostrel::NSBeginAlertPanelExt("Warning", "Meanwhile", "OK", QString(), [&](int a) { second = a; });
        EXPECT_EQ(fallback.openCount(), 1);
        fallback.answerAllOpen();
        EXPECT_EQ(second, 1);

        c.answer();
        EXPECT_EQ(answers, QList<int>{c.expected});
        EXPECT_FALSE(panel.wndAlert_->isVisible());
        EXPECT_FALSE(panel.isRunning());
    }
    EXPECT_EQ(fallback.count(), int(std::size(cases)));
}

TEST_F(UtilitiesTest, APanelWhoseTextIsTallerThanTheScreenStaysOnItAndScrolls)
{
    // A text from the device or the operator can be longer than any screen is tall: the panel
    // stays within the screen, its buttons on it, and the whole text is there to scroll through.
    ScriptedAlertPresenter fallback;
    ostrel::SkinnedAlertPresenter presenter(&fallback);
    yov::ScopedAlertPresenter guard(&presenter);
    skin.keys = {"wndYOVAlertPanel", "labelYOVAlertPanelMsg", "labelYOVAlertPanelTitle", "btnAlertOK", "btnAlertCancel"};
    ostrel::YOVAlertPanel panel(context);
    panel.setFallback(&fallback);
    panel.awakeFromNib();

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QString tall = QString("A line of a long message from the network. ").repeated(600);
    QList<int> answers;
    ostrel::NSBeginAlertPanelExt("Warning", tall, "OK", "Cancel", [&](int a) { answers << a; });
    ASSERT_TRUE(panel.wndAlert_->isVisible());
    EXPECT_TRUE(screen.contains(panel.wndAlert_->geometry())) << "panel beyond the screen";
    for (QAbstractButton *button : {panel.btnOK_.data(), panel.btnCancel_.data()}) {
        const QRect onScreen(button->mapToGlobal(QPoint()), button->size());
        EXPECT_TRUE(screen.contains(onScreen)) << qPrintable(button->text()) << " off the screen";
    }
    EXPECT_EQ(panel.labelMsg_->text(), tall) << "the text was cut";
    auto *scroller = qobject_cast<QScrollArea *>(panel.labelMsg_->parentWidget()->parentWidget());
    ASSERT_NE(scroller, nullptr) << "the message cannot scroll";
    EXPECT_TRUE(scroller->verticalScrollBar()->isVisible());
    EXPECT_GT(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_LE(panel.labelMsg_->width(), scroller->viewport()->width()) << "the text runs under the scroll bar";
    if (const QString path = testing_paths::screenshotPath(QStringLiteral("alert-tall-text.png")); !path.isEmpty())
        panel.wndAlert_->grab().save(path);

    // A short text afterwards gets a panel of its own size again, without a scroll bar.
    panel.btnOK_->click();
    EXPECT_EQ(answers, QList<int>{1});
    ostrel::NSBeginAlertPanelExt("Warning", "Roaming now", "OK", QString(), [&](int a) { answers << a; });
    EXPECT_LT(panel.wndAlert_->height(), 200);
    EXPECT_FALSE(scroller->verticalScrollBar()->isVisible());
    EXPECT_GE(panel.labelMsg_->height(), panel.labelMsg_->heightForWidth(panel.labelMsg_->width()));
    panel.btnOK_->click();
    EXPECT_EQ(answers, (QList<int>{1, 1}));
}

TEST_F(UtilitiesTest, CalendarFormatFillsEveryConversionAndMillisecondsForF)
{
    const QDateTime date(QDate(2026, 3, 5), QTime(14, 7, 9, 42), QTimeZone::utc());
    struct Case {
        const char *format;
        const char *expected;
    } cases[] = {
        {"%Y-%m-%d %H:%M:%S.%F", "2026-03-05 14:07:09.042"},
        {"%y %e %j %I %p %w", "26 5 064 02 PM 4"},
        {"%A %a %B %b", "Thursday Thu March Mar"},
        {"%z %%", "+0000 %"},
        {"%x %X", "03/05/26 14:07:09"},
        {"%q unknown, trailing %", "%q unknown, trailing %"},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(yov::formatCalendarDate(date, c.format), QString(c.expected)) << c.format;
    EXPECT_EQ(yov::formatCalendarDate(QDateTime(QDate(2026, 1, 1), QTime(0, 0)), "%I %p"), "12 AM");
}

TEST_F(UtilitiesTest, FormatStringFromDateUsesTheCustomFormatElseTheSystemStyle)
{
    const QDateTime local(QDate(2026, 12, 31), QTime(23, 59, 58, 7));
    useSettings({{"CustomDateFormat", "%d.%m.%Y %H:%M:%S:%F"}});
    YOVUIController custom(context);
    EXPECT_EQ(custom.formatStringFromDate(local), "31.12.2026 23:59:58:007");
    EXPECT_EQ(custom.formatStringFromDate(QDateTime()), "");

    useSettings({});
    YOVUIController system(context);
    const QString text = system.formatStringFromDate(local);
    EXPECT_FALSE(text.isEmpty());
    EXPECT_TRUE(text.contains("59")) << text.toStdString(); // medium time style shows the seconds
    EXPECT_EQ(text, yov::formatSystemDate(local));
}

TEST_F(UtilitiesTest, WebLinksAreFilledWithTheRunTimeValuesWithoutPrintf)
{
    QList<QUrl> opened;
    YOVUIController::setUrlOpener([&](const QUrl &url) {
        opened.append(url);
        return true;
    });
    useSettings({{"webURLDict", QVariantMap{{"Internet", "http://portal.example/q?n=%@&imei=%@&x=%d"},
                                            {"Home", "not a url"}}}});
    YOVUIController controller(context);
    controller.setRuntimeObject("5551234", "runtimePhoneNumber");
    controller.setRuntimeObject("861234567890123", "runtimeIMEI");

    ostrel::NSButtonExt internet;
    internet.setItemIdentifier("Internet");
    controller.tbiMainURLActionExt(&internet);
    QObject home;
    home.setProperty("itemIdentifier", "Home");
    controller.tbiMainURLActionExt(&home);
    QObject unknown;
    unknown.setProperty("itemIdentifier", "Unknown");
    controller.tbiMainURLActionExt(&unknown);
    controller.tbiMainURLActionExt(nullptr);
    controller.openSafari(QString());

    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(), QUrl("http://portal.example/q?n=5551234&imei=861234567890123&x="));
    EXPECT_EQ(controller.webURLForKey("Home"), QVariant("not a url"));
}

TEST_F(UtilitiesTest, TrimStringKeepsTheCharactersOfTheSetUpToTheLength)
{
    auto digits = [](QChar c) { return c >= u'0' && c <= u'9'; };
    EXPECT_EQ(YOVUIController::trimString("+49 (151) 234-567", digits, 8), "49151234");
    EXPECT_EQ(YOVUIController::trimString("+49 (151) 234-567", digits, 100), "49151234567");
    EXPECT_EQ(YOVUIController::trimString("abc", digits, 5), "");
    EXPECT_EQ(YOVUIController::trimString(QString(), digits, 5), "");
    EXPECT_EQ(YOVUIController::trimString("123", {}, 5), "");
    EXPECT_EQ(YOVUIController::trimString("123", digits, 0), "");
    auto letters = [](QChar c) { return c.isLetterOrNumber(); };
    EXPECT_EQ(YOVUIController::trimString(QStringLiteral("Grüße 1"), letters, 10), QStringLiteral("Grüße1"));
}

TEST_F(UtilitiesTest, WordingOfCancelInSmsControlsCanBeRenamed)
{
    QTemporaryDir tokens;
    QFile list(tokens.filePath("LanguageTokenList.txt"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("\"Cancel\" = \"Abbrechen\";\n\"Cancel_SMS\" = \"Verwerfen\";\n");
    list.close();
    ASSERT_TRUE(ostrel::Lingrove_Init(list.fileName()));

    YOVUIController plain(context);
    EXPECT_EQ(plain.getControlWordingValueByKey("Cancel", 5), "Abbrechen");
    useSettings({{"SMS", QVariantMap{{"RenameCancelWording", "YES"}}}});
    YOVUIController renamed(context);
    EXPECT_EQ(renamed.getControlWordingValueByKey("Cancel", 5), "Verwerfen");
    EXPECT_EQ(renamed.getControlWordingValueByKey("Cancel", 1), "Abbrechen");
    EXPECT_EQ(renamed.getControlWordingValueByKey("cancel:", 5), "Cancel_SMS:");
    ostrel::Lingrove_Init(QString());
}

TEST_F(UtilitiesTest, FontComesFromMainTextFont)
{
    useSettings({{"Main", QVariantMap{{"TextFont", QVariantMap{{"FontName", "Sans"}, {"FontSize", "13.5"}}}}}});
    YOVUIController controller(context);
    EXPECT_EQ(controller.fontName(), "Sans");
    EXPECT_FLOAT_EQ(controller.fontSize(), 13.5f);
    EXPECT_TRUE(controller.font().has_value());

    useSettings({{"Main", QVariantMap{{"TextFont", QVariantMap{{"FontSize", 12}}}}}});
    YOVUIController nameless(context);
    EXPECT_FALSE(nameless.font().has_value());
}
