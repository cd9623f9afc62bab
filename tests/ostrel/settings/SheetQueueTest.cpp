// The settings window's alerts and sheets: one at a time, never blocking the device link.
#include "SettingsHarness.h"

#include "ostrel/settings/SettingSheetQueue.h"

namespace {

using namespace settingstest;

class SheetQueueTest : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        alerts.setHoldOpen(true);
    }
};

TEST_F(SheetQueueTest, AHandlerThatAlertsReturnsAtOnceAndRecordsKeepFlowing)
{
    setItems({"Security"});
    makeController();
    // Through the real message center over its in-process transport, as the drain tick delivers.
    transport->deliver(msgtest::deviceRecord(3, 8, 30, {}, -1, 1));
    transport->deliver(msgtest::deviceRecord(3, 8, 30, {}, 0, 1));
    EXPECT_EQ(msgCenter->receiveQueueCount(), 2);
    for (int i = 0; i < 4; ++i)
        clock.advance(ostrel::YOVMsgCenter::kDrainIntervalMs);
    EXPECT_EQ(msgCenter->receiveQueueCount(), 0);
    // Both records were handled while the first alert is still open: the second alert waits.
    EXPECT_EQ(alerts.messages(), QStringList{"Invalid password!"});
    EXPECT_EQ(controller->sheetQueue()->waitingCount(), 2) << "the change sheet again, then the second alert";
    alerts.answerOpen();
    EXPECT_TRUE(controller->modifyUnlockDeviceSheet()->isVisible());
    controller->modifyDeviceUnlockCodeCancel();
    EXPECT_EQ(alerts.messages(), (QStringList{"Invalid password!", "Modify device unlock code successfully!"}));
}

TEST_F(SheetQueueTest, ItemsShowOneAfterAnotherAndOnTopOfTheirSheet)
{
    ostrel::SettingSheetQueue queue;
    QDialog sheet(mainWindow.get());
    QStringList ended;
    queue.beginAlert({"Warning", "first", "OK", {}}, [&](int a) { ended << QStringLiteral("first %1").arg(a); });
    queue.beginSheet(&sheet, [&](int r) { ended << QStringLiteral("sheet %1").arg(r); });
    queue.beginAlert({"Warning", "second", "OK", "Cancel"}, [&](int a) { ended << QStringLiteral("second %1").arg(a); });
    EXPECT_EQ(alerts.messages(), QStringList{"first"});
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(queue.waitingCount(), 2);

    alerts.answerOpen();
    EXPECT_EQ(ended, QStringList{"first 1"});
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.windowModality(), Qt::WindowModal);
    EXPECT_EQ(alerts.messages(), QStringList{"first"}) << "the second alert waits for the sheet";

    // An alert about the sheet's input shows on top of it at once.
    queue.beginAlert({"Warning", "on the sheet", "OK", {}}, [&](int a) { ended << QStringLiteral("on top %1").arg(a); },
                     &sheet);
    EXPECT_EQ(alerts.messages(), (QStringList{"first", "on the sheet"}));
    alerts.answerOpen();
    EXPECT_TRUE(sheet.isVisible());
    sheet.accept();
    EXPECT_EQ(alerts.messages(), (QStringList{"first", "on the sheet", "second"}));
    alerts.answerOpen(testing_support::ScriptedAlertPresenter::Alternate);
    EXPECT_EQ(ended, (QStringList{"first 1", "on top 1", "sheet 1", "second 0"}));
    EXPECT_FALSE(queue.isShowing());
}

TEST_F(SheetQueueTest, PopupAlertSheetNeedsAMessageAndAWindow)
{
    makeController();
    int ended = 0;
    EXPECT_FALSE(controller->popupAlertSheet(QString(), mainWindow.get(), [&](int) { ++ended; }));
    EXPECT_FALSE(controller->popupAlertSheet(QStringLiteral("Saved"), nullptr, [&](int) { ++ended; }));
    EXPECT_EQ(alerts.count(), 0);
    EXPECT_TRUE(controller->popupAlertSheet(QStringLiteral("Saved"), mainWindow.get(), [&](int) { ++ended; }));
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.shown()[0].title, "Warning!");
    EXPECT_EQ(alerts.shown()[0].defaultButton, "OK");
    EXPECT_EQ(ended, 0) << "the end action waits for the answer";
    alerts.answerOpen();
    EXPECT_EQ(ended, 1);

    // runAlertPanel goes the same way: the caller returns before the answer.
    controller->runAlertPanel(QStringLiteral("Incorrect PIN code!"));
    controller->runAlertPanel(QStringLiteral("Incorrect PUK code!"));
    EXPECT_EQ(alerts.openCount(), 1);
    alerts.answerOpen();
    alerts.answerOpen();
    EXPECT_EQ(alerts.messages(), (QStringList{"Saved", "Incorrect PIN code!", "Incorrect PUK code!"}));
}

} // namespace
