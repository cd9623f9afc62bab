// The device-state controller and the stand-in device service over a real session bus: the
// default start-up, and the PIN typed into the sheet by the user.
#include "InitBrannocFixture.h"

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

using namespace ostrel;

namespace {

using init_brannoc::kWaitMs;

class InitBrannocTest : public init_brannoc::InitBrannocFixture {
protected:
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
    if (const QString shotPath = testing_paths::screenshotPath(QStringLiteral("pin-sheet.png")); !shotPath.isEmpty()) {
        EXPECT_TRUE(screenshot().save(shotPath)) << qPrintable(shotPath);
    }

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
