// The device-state controller and the stand-in device service over a real session bus: the
// default start-up, and the PIN typed into the sheet by the user.
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/settings/defaults/DeviceLockSettingController.h"
#include "support/ScriptedAlertPresenter.h"
#include "support/TestPaths.h"

#include <QDBusConnection>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

constexpr int kWaitMs = 10000;

struct CountingDial : DefaultDialController {
    void setDialParams() override { ++dialParams; }
    int dialParams = 0;
};

class InitBrannocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString brannoc = QDir(testing_paths::binDir()).filePath(QStringLiteral("Brannoc"));
        ASSERT_TRUE(QFileInfo(brannoc).isExecutable()) << qPrintable(brannoc);
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        qputenv("OSTREL_BRANNOC", brannoc.toLocal8Bit());
        ASSERT_TRUE(dir.isValid());
        config = std::make_unique<ConfigManager>(dir.path());
        ConfigManager::setSharedConfigManager(config.get());
    }

    void start(const QString &scenario)
    {
        qputenv("OSTREL_BRANNOC_SCENARIO",
                QDir(testing_paths::sourceResources()).filePath("brannoc/" + scenario).toLocal8Bit());
        msgCenter = std::make_unique<YOVMsgCenter>();
        msgCenter->awakeFromNib();
        Neighbours::installDefaults(msgCenter.get(), config.get());
        Neighbours::setDial(&dial);
        settings = std::make_unique<DeviceLockSettingController>(msgCenter.get());
        settings->install();

        mainWindow = std::make_unique<QWidget>();
        mainWindow->setWindowTitle(QStringLiteral("Ostrel"));
        mainWindow->resize(720, 460);
        auto *layout = new QVBoxLayout(mainWindow.get());
        auto *title = new QLabel(QStringLiteral("Ostrel — Internet"), mainWindow.get());
        title->setStyleSheet(QStringLiteral("font-size: 20px; font-weight: bold; padding: 12px;"));
        layout->addWidget(title);
        layout->addStretch(1);

        ControllerContext ctx;
        ctx.config = config.get();
        ctx.msgCenter = msgCenter.get();
        controller = std::make_unique<InitController>(ctx);
        controller->setInitService(&service);
        controller->savedPinStore().setFolder(dir.filePath(QStringLiteral("secrets")));
        controller->wndMain = mainWindow.get();
        controller->awakeFromNib();
        layout->addWidget(controller->statusView());
        controller->statusView()->setParent(mainWindow.get());
        mainWindow->show();

        yov::NotificationCenter::defaultCenter().addObserver(&observer, QStringLiteral("SimReady"), nullptr,
                                                             [this](const yov::Notification &) { ++simReady; });
        ASSERT_TRUE(msgCenter->startMsgServer());
    }

    void TearDown() override
    {
        if (msgCenter)
            msgCenter->stopMsgServer();
        controller.reset();
        mainWindow.reset();
        settings.reset();
        msgCenter.reset();
        Neighbours::installDefaults(nullptr, nullptr);
        ConfigManager::setSharedConfigManager(nullptr);
    }

    // The main window with its sheet drawn where a sheet hangs: centred under the title bar.
    QImage screenshot() const
    {
        QPixmap shot = mainWindow->grab();
        QPainter painter(&shot);
        painter.fillRect(shot.rect(), QColor(0, 0, 0, 60));
        const QPixmap sheet = controller->pinWindow()->grab();
        const int x = (shot.width() - sheet.width()) / 2;
        painter.drawPixmap(x, 0, sheet);
        painter.setPen(QColor(90, 90, 90));
        painter.drawRect(x, 0, sheet.width() - 1, sheet.height() - 1);
        painter.end();
        return shot.toImage();
    }

    QTemporaryDir dir;
    std::unique_ptr<ConfigManager> config;
    std::unique_ptr<YOVMsgCenter> msgCenter;
    CountingDial dial;
    std::unique_ptr<DeviceLockSettingController> settings;
    InitService service{nullptr};
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<InitController> controller;
    testing_support::ScriptedAlertPresenter alerts;
    yov::ScopedAlertPresenter alertGuard{&alerts};
    QObject observer;
    int simReady = 0;
};

TEST_F(InitBrannocTest, DefaultStartUpMakesTheSimReady)
{
    start(QStringLiteral("default.plist"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller->m_SimPinState == InitController::SimReady; }, kWaitMs));
    EXPECT_EQ(controller->modemStatusImageName(), QStringLiteral("netstatus2"));
    EXPECT_EQ(controller->simStatusImageName(), QStringLiteral("simReady"));
    EXPECT_GE(simReady, 1);
    EXPECT_GE(dial.dialParams, 1);
    EXPECT_FALSE(controller->pinWindow()->isVisible());
    // The identity follows once the SIM is ready.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !controller->m_IMSI.isEmpty() && !controller->iccid_.isEmpty(); }, kWaitMs));
    EXPECT_EQ(controller->iccid_.size(), 20);
    EXPECT_EQ(alerts.count(), 0);
}

TEST_F(InitBrannocTest, PinTypedIntoTheSheetMakesTheSimReady)
{
    start(QStringLiteral("pin-required.plist"));
    PinWindow *pin = controller->pinWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pin->isVisible(); }, kWaitMs)) << "no PIN sheet";
    EXPECT_EQ(pin->parentWidget(), mainWindow.get());
    EXPECT_EQ(controller->m_SimPinState, InitController::SimCheckPending);
    EXPECT_EQ(pin->m_PinTimeLeft->text(), QStringLiteral("You only have 3 time(s) left!"));

    QTest::keyClicks(pin->m_PinCode, QStringLiteral("1234"));
    const QString shotPath = qEnvironmentVariable("OSTREL_PIN_SHEET_SHOT", QStringLiteral("/tmp/pin-sheet.png"));
    EXPECT_TRUE(screenshot().save(shotPath)) << qPrintable(shotPath);

    QTest::mouseClick(pin->btnOK, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller->m_SimPinState == InitController::SimReady; }, kWaitMs));
    EXPECT_FALSE(pin->isVisible());
    EXPECT_EQ(controller->simStatusImageName(), QStringLiteral("simReady"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return simReady >= 1 && dial.dialParams >= 1; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller->iccid_ == QStringLiteral("89490200001234567890"); }, kWaitMs));
    EXPECT_EQ(controller->m_IMSI, QStringLiteral("262021234567890"));
    EXPECT_EQ(alerts.count(), 0);
}

TEST_F(InitBrannocTest, WrongPinIsReportedAndTheSheetComesBack)
{
    start(QStringLiteral("pin-required.plist"));
    PinWindow *pin = controller->pinWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pin->isVisible(); }, kWaitMs));
    QTest::keyClicks(pin->m_PinCode, QStringLiteral("9999"));
    QTest::mouseClick(pin->btnOK, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pin->isVisible(); }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return pin->m_PinTimeLeft->text() == QStringLiteral("You only have 2 time(s) left!"); }, kWaitMs));
    EXPECT_NE(controller->m_SimPinState, InitController::SimReady);
}

} // namespace
