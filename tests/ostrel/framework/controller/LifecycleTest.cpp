// The template of awakeFromNib, notification tables, the posters and the action dispatch.
#include "ControllerTestSupport.h"

#include "ostrel/framework/controller/NotificationCoverage.h"
#include "ostrel/framework/language/Language.h"

#include <QDialog>
#include <QPushButton>
#include <QTabWidget>

using namespace controller_test;
using ostrel::NotificationTableRow;
using ostrel::YOVUIController;

namespace {

// Records the template steps and implements some handlers of the base table.
class RecordingController : public YOVUIController {
    Q_OBJECT
public:
    using YOVUIController::YOVUIController;
    QStringList calls;

    void initializeSkin() override { calls << "initializeSkin"; }
    void initializeNibResources() override { calls << "initializeNibResources"; }
    void registerMessages() override { calls << "registerMessages"; }
    void initializeController() override
    {
        calls << "initializeController";
        registerNotification(ostrel::mainWindowChangeNotificationTable);
    }
    void loadCommonBundle() override { calls << "loadCommonBundle"; }
    void updateLanguages() override { calls << "updateLanguages"; }

    Q_INVOKABLE void deviceRemoved(const yov::Notification &n) { calls << "deviceRemoved:" + n.name; }
    Q_INVOKABLE void applicationReady(const yov::Notification &n)
    {
        calls << QStringLiteral("applicationReady:%1").arg(n.object == this);
    }
    // Same name but the wrong argument: not a handler.
    Q_INVOKABLE void simReady() { calls << "simReady()"; }

    Q_INVOKABLE void clickedWithSender(QObject *sender) { calls << "clickedWithSender:" + sender->objectName(); }
    Q_INVOKABLE void plainAction() { calls << "plainAction"; }

signals:
    void dialConnectStart(const yov::Notification &n); // a signal is never a handler or an action
};

class LifecycleTest : public ControllerFixture {};

} // namespace

TEST_F(LifecycleTest, TemplateRunsInOrderThenLanguageThenTheBaseTable)
{
    RecordingController controller(context);
    controller.awakeFromNib();
    EXPECT_EQ(controller.calls, (QStringList{"initializeSkin", "initializeNibResources", "registerMessages",
                                             "initializeController", "loadCommonBundle"}));
    // Without a language object the controller observes "UpdateLanguage" from anyone.
    center.post("UpdateLanguage", nullptr);
    EXPECT_EQ(controller.calls.last(), "updateLanguages");

    controller.calls.clear();
    center.post("DeviceRemoved", &controller);
    center.post("AppReady", &controller);
    center.post("SimReady", &controller);       // handler has no notification argument: skipped
    center.post("StartConnection", &controller); // only a signal of that name: skipped
    center.post("DevicePlugin", &controller);    // not implemented: skipped
    EXPECT_EQ(controller.calls, (QStringList{"deviceRemoved:DeviceRemoved", "applicationReady:1"}));
}

TEST_F(LifecycleTest, WithALanguageObjectTheUpdateRunsAtOnceAndOnEveryLanguageChange)
{
    ostrel::Language language;
    context.language = &language;
    RecordingController controller(context);
    controller.awakeFromNib();
    EXPECT_EQ(controller.calls.count("updateLanguages"), 1);
    controller.notifyChangeLanguage();
    EXPECT_EQ(controller.calls.count("updateLanguages"), 2);
}

TEST_F(LifecycleTest, RegisterNotificationSkipsMissingHandlersAndAcceptsAnEmptyTable)
{
    RecordingController recording(context);
    YOVUIController plain(context);
    EXPECT_FALSE(recording.registerNotification(nullptr));
    const NotificationTableRow empty[] = {{nullptr, "DeviceRemoved"}};
    EXPECT_TRUE(recording.registerNotification(empty));
    EXPECT_EQ(center.observerCount(&recording), 0);

    // The base declares none of the handlers of its own table.
    EXPECT_TRUE(plain.registerNotification(ostrel::yovUINotificationTable));
    EXPECT_EQ(center.observerCount(&plain), 0);
    EXPECT_TRUE(recording.registerNotification(ostrel::yovUINotificationTable));
    EXPECT_EQ(center.observerCount(&recording), 2);
    // The one base handler that tables name.
    EXPECT_TRUE(plain.registerNotification(ostrel::mainWindowChangeNotificationTable));
    EXPECT_EQ(center.observerCount(&plain), 1);
}

TEST_F(LifecycleTest, ARowWithoutAHandlerIsReportedOnceAndOnlyWhenNoControllerHandlesIt)
{
    ostrel::NotificationCoverage coverage;
    ostrel::ControllerContext shared = context;
    shared.notificationCoverage = &coverage;
    // Two controllers that lack every handler of the base table, then one that has two of them.
    YOVUIController plain(shared);
    YOVUIController other(shared);
    RecordingController recording(shared);
    plain.registerNotification(ostrel::yovUINotificationTable);
    other.registerNotification(ostrel::yovUINotificationTable);
    recording.registerNotification(ostrel::yovUINotificationTable);
    EXPECT_TRUE(coverage.reported().isEmpty()) << "nothing is judged before the start settles";

    coverage.settle();
    QStringList unhandled;
    for (const NotificationTableRow *row = ostrel::yovUINotificationTable; row->selector; ++row) {
        if (qstrcmp(row->selector, "deviceRemoved:") != 0 && qstrcmp(row->selector, "applicationReady:") != 0)
            unhandled << QString::fromLatin1(row->selector) + ' ' + QString::fromLatin1(row->notification);
    }
    EXPECT_EQ(coverage.reported(), unhandled) << "once each, in table order";
    EXPECT_EQ(center.observerCount(&recording), 2) << "the handled rows are observed all the same";

    // After the start: handled and already reported rows stay quiet, a new fault shows at once.
    YOVUIController late(shared);
    late.registerNotification(ostrel::yovUINotificationTable);
    const NotificationTableRow own[] = {{"somethingNew:", "SomethingNew"}, {"deviceRemoved:", "DeviceRemoved"}, {nullptr, nullptr}};
    late.registerNotification(own);
    late.registerNotification(own);
    EXPECT_EQ(coverage.reported(), unhandled + QStringList{"somethingNew: SomethingNew"});
}

TEST_F(LifecycleTest, PostersCarryTheControllerExceptTheTabNotifications)
{
    YOVUIController controller(context);
    QTabWidget tabs;
    auto *internet = new QWidget;
    internet->setProperty("itemIdentifier", "Internet");
    auto *sms = new QWidget;
    sms->setProperty("itemIdentifier", "SMS");
    tabs.addTab(internet, "Internet");
    tabs.addTab(sms, "SMS");
    controller.tabviewMain = &tabs;

    QList<yov::Notification> seen;
    QObject observer;
    int tabIndexAtWill = -1, tabIndexAtDid = -1;
    center.addObserver(&observer, QString(), nullptr, [&](const yov::Notification &n) {
        seen.append(n);
        if (n.name == "TabViewItemWillChange")
            tabIndexAtWill = tabs.currentIndex();
        if (n.name == "TabViewItemDidChange")
            tabIndexAtDid = tabs.currentIndex();
    });

    controller.notifyDeviceRemoved();
    controller.notifyDevicePlugin();
    controller.notifySimReady();
    controller.notifyAppReady();
    controller.notifyAppWillClose();
    controller.notifyDataServiceSwitch(true);
    controller.notifyChangeTabViewItem(QString());
    controller.notifyChangeTabViewItem("SMS");

    const QStringList names{"DeviceRemoved", "DevicePlugin", "SimReady", "AppReady", "AppWillClose",
                            "DataServiceSwitch", "TabViewItemWillChange", "TabViewItemDidChange"};
    ASSERT_EQ(seen.size(), names.size());
    for (int i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].name, names[i]);
        const bool tab = seen[i].name.startsWith("TabViewItem");
        EXPECT_EQ(seen[i].object, tab ? nullptr : &controller) << seen[i].name.toStdString();
    }
    EXPECT_EQ(seen[5].userInfo.value("DataServiceSwitch"), QVariant(true));
    EXPECT_EQ(seen[6].userInfo, (QVariantMap{{"TabViewItemWillChange", "SMS"}}));
    EXPECT_EQ(seen[7].userInfo, seen[6].userInfo);
    EXPECT_EQ(tabIndexAtWill, 0);
    EXPECT_EQ(tabIndexAtDid, 1);
    EXPECT_EQ(skin.log, (QStringList{"image:wndMainTabviewBack=SMS"}));
}

TEST_F(LifecycleTest, ChangingTheMainWindowClosesTheSheetsOfTheFormerOneInnermostFirst)
{
    YOVUIController controller(context);
    controller.registerNotification(ostrel::mainWindowChangeNotificationTable);
    QWidget complete, simple;
    complete.show();
    controller.wndMain = &complete;

    QStringList closed;
    auto *sheet = new QDialog(&complete);
    sheet->setWindowModality(Qt::WindowModal);
    auto *inner = new QDialog(sheet);
    inner->setWindowModality(Qt::WindowModal);
    QObject::connect(sheet, &QDialog::finished, [&] { closed << "sheet"; });
    QObject::connect(inner, &QDialog::finished, [&] { closed << "inner"; });
    sheet->show();
    inner->show();

    // Not a notification's window: nothing changes.
    center.post("MainwindOfAppChanged", nullptr, {{"window", QVariant::fromValue<QObject *>(&complete)}});
    EXPECT_TRUE(closed.isEmpty());
    center.post("MainwindOfAppChanged", nullptr, {{"window", QVariant::fromValue<QObject *>(&simple)}});
    EXPECT_EQ(controller.wndMain, &simple);
    EXPECT_EQ(closed, (QStringList{"inner", "sheet"}));
    EXPECT_FALSE(sheet->isVisible());
}

TEST_F(LifecycleTest, ActionsReachOnlySlotsAndInvokableMethods)
{
    RecordingController controller(context);
    QPushButton button;
    button.setObjectName("btn");
    EXPECT_TRUE(controller.performAction("clickedWithSender:", &button));
    EXPECT_TRUE(controller.performAction("plainAction", nullptr));
    EXPECT_TRUE(controller.performAction("plainAction:", &button)); // falls back to the method without arguments
    EXPECT_FALSE(controller.performAction("deleteLater", nullptr)); // QObject's own slots are not actions
    EXPECT_FALSE(controller.performAction("dialConnectStart:", &button));    // a signal
    EXPECT_FALSE(controller.performAction("noSuchAction:", &button));
    EXPECT_FALSE(controller.performAction(QString(), &button));
    EXPECT_FALSE(controller.performAction("initializeSkin", &button)); // a plain virtual, not invokable
    EXPECT_EQ(controller.calls, (QStringList{"clickedWithSender:btn", "plainAction", "plainAction"}));

    controller.calls.clear();
    controller.connectAction(&button, "clickedWithSender:");
    button.click();
    EXPECT_EQ(controller.calls, (QStringList{"clickedWithSender:btn"}));
}

#include "LifecycleTest.moc"
