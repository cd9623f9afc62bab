// The user device lock of the "Security" panel: the code checks, the bytes sent, and the device's
// answers.
#include "SettingsHarness.h"

#include "support/TestPaths.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace {

using namespace settingstest;

class DeviceLockTest : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        alerts.setHoldOpen(true);
        setItems({"System", "Security"});
        makeController();
    }
    // Ticks the lock box as the user does: the box toggles, then its action opens the code sheet.
    void clickLockBox() { controller->deviceLockBox()->click(); }
    std::vector<Sent> lockRequests() const
    {
        std::vector<Sent> out;
        for (const Sent &s : sent())
            if (s.major == 5)
                out.push_back(s);
        return out;
    }
};

TEST_F(DeviceLockTest, CodesThatAreNotFourDigitsNeverReachTheDevice)
{
    const struct {
        const char *code;
        bool accepted;
    } cases[] = {{"12a4", false}, {"123", false}, {"12345", false}, {"", false}, {"١٢٣٤", false}, {"0000", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        transport->sent.clear();
        alerts.clear();
        while (alerts.openCount())
            alerts.answerOpen();
        controller->deviceLockBox()->setChecked(false);
        clickLockBox();
        ASSERT_TRUE(controller->unlockDeviceSheet()->isVisible());
        enterLockCode(QString::fromUtf8(c.code));
        if (c.accepted) {
            ASSERT_EQ(lockRequests().size(), 1u);
            EXPECT_FALSE(controller->unlockDeviceSheet()->isVisible());
            EXPECT_TRUE(alerts.messages().isEmpty());
        } else {
            EXPECT_TRUE(lockRequests().empty());
            EXPECT_EQ(alerts.messages(), QStringList{"The unlock device code must be 4 digitals"});
            EXPECT_TRUE(controller->unlockDeviceSheet()->isVisible()) << "the sheet stays for another try";
            alerts.answerOpen();
            controller->enableDeviceUnlockCodeCancel();
            EXPECT_FALSE(controller->deviceLockBox()->isChecked()) << "Cancel flips the box back";
        }
    }
}

TEST_F(DeviceLockTest, RequestsCarryTheirBytes)
{
    // 5/28: enable word, the four digits, a zero word; 5/30: old and new code, each NUL-ended.
    clickLockBox();
    enterLockCode("1234");
    controller->deviceLockBox()->setChecked(true);
    controller->deviceLockBox()->click(); // off
    enterLockCode("9876");
    controller->setDeviceUnlockCodeState(true);
    controller->modifyDeviceUnlockCode();
    controller->oldUnlockCodeField()->setText("1234");
    controller->newUnlockCodeField()->setText("5678");
    controller->verifyUnlockCodeField()->setText("5678");
    controller->modifyDeviceUnlockCodeOK();

    const auto requests = lockRequests();
    ASSERT_EQ(requests.size(), 3u);
    const struct {
        int minor;
        QByteArray bytes;
    } expected[] = {
        {28, QByteArray::fromHex("01000000" "31323334" "00000000")},
        {28, QByteArray::fromHex("00000000" "39383736" "00000000")},
        {30, QByteArray::fromHex("3132333400" "3536373800")},
    };
    for (size_t i = 0; i < requests.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(requests[i].minor, expected[i].minor);
        EXPECT_EQ(requests[i].module, 3);
        EXPECT_EQ(requests[i].type, 1);
        EXPECT_EQ(requests[i].result, 0);
        EXPECT_EQ(requests[i].data.toHex(), expected[i].bytes.toHex());
    }
}

TEST_F(DeviceLockTest, ChangeSheetChecksItsThreeCodes)
{
    const struct {
        const char *oldCode, *newCode, *verify, *message;
    } cases[] = {
        {"12a4", "5678", "5678", "The unlock device code must be 4 digitals"},
        {"1234", "567", "567", "The unlock device code must be 4 digitals"},
        {"1234", "5678", "56789", "The unlock device code must be 4 digitals"},
        {"1234", "5678", "5679", "Please input same unlock code!"},
    };
    controller->setDeviceUnlockCodeState(true);
    EXPECT_TRUE(controller->modifyUnlockCodeButton()->isEnabled());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        alerts.clear();
        controller->modifyDeviceUnlockCode();
        controller->oldUnlockCodeField()->setText(c.oldCode);
        controller->newUnlockCodeField()->setText(c.newCode);
        controller->verifyUnlockCodeField()->setText(c.verify);
        controller->modifyDeviceUnlockCodeOK();
        EXPECT_EQ(alerts.messages(), QStringList{c.message});
        EXPECT_TRUE(lockRequests().empty());
        EXPECT_TRUE(controller->modifyUnlockDeviceSheet()->isVisible());
        alerts.answerOpen();
        controller->modifyDeviceUnlockCodeCancel();
        EXPECT_FALSE(controller->modifyUnlockDeviceSheet()->isVisible());
    }
}

TEST_F(DeviceLockTest, LockAnswerRetriesOrConfirms)
{
    tabs->setCurrentIndex(2);
    controller->settingTabView()->setCurrentWidget(controller->panel("Security"));
    clickLockBox();
    if (const QString path = testing_paths::screenshotPath("settings-security-lock-sheet.png"); !path.isEmpty()) {
        // The page with the window-modal code sheet drawn where it hangs, centred on the window.
        QPixmap page = mainWindow->grab();
        const QPixmap sheet = controller->unlockDeviceSheet()->grab();
        QPainter painter(&page);
        painter.drawPixmap((page.width() - sheet.width()) / 2, 40, sheet);
        painter.end();
        page.save(path);
    }
    enterLockCode("1111");
    ASSERT_TRUE(controller->deviceLockBox()->isChecked());
    EXPECT_TRUE(controller->modifyUnlockCodeButton()->isEnabled());

    // Refused: the alert first, then the code sheet again; the box keeps the user's choice and no
    // attempt count is shown.
    deliver(8, 26, 1, -1);
    EXPECT_EQ(alerts.messages(), QStringList{"Invalid password!"});
    EXPECT_FALSE(controller->unlockDeviceSheet()->isVisible()) << "the sheet waits for the alert";
    EXPECT_TRUE(controller->deviceLockBox()->isChecked());
    EXPECT_FALSE(controller->modifyUnlockCodeButton()->isEnabled());
    alerts.answerOpen();
    EXPECT_TRUE(controller->unlockDeviceSheet()->isVisible());
    EXPECT_FALSE(controller->unlockDeviceCountLabel()->isVisible());
    enterLockCode("1234");

    // Accepted, on and off; any type.
    const struct {
        bool on;
        int type;
        const char *message;
    } cases[] = {{true, 1, "Device lock enabled!"}, {false, 0, "Device lock disabled!"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        alerts.clear();
        controller->deviceLockBox()->setChecked(c.on);
        deliver(8, 26, c.type, 0);
        EXPECT_EQ(alerts.messages(), QStringList{c.message});
        EXPECT_EQ(controller->getDeviceUnlockCodeState(), c.on);
        alerts.answerOpen();
    }
}

TEST_F(DeviceLockTest, ChangeAnswerOnlyRefusesOn255)
{
    const struct {
        int result;
        const char *message;
        bool sheetAgain;
    } cases[] = {{0, "Modify device unlock code successfully!", false},
                 {1, "Modify device unlock code successfully!", false},
                 {-1, "Invalid password!", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.result);
        alerts.clear();
        deliver(8, 30, 1, c.result);
        EXPECT_EQ(alerts.messages(), QStringList{c.message});
        alerts.answerOpen();
        EXPECT_EQ(controller->modifyUnlockDeviceSheet()->isVisible(), c.sheetAgain);
        if (c.sheetAgain)
            controller->modifyDeviceUnlockCodeCancel();
    }
}

TEST_F(DeviceLockTest, UnlockResultPostsAndSwitchesTabsOnlyForTheSettingsPage)
{
    const struct {
        int result;
        int module;
        const char *posted;
        const char *tab;
    } cases[] = {
        {0, 6, "DeviceUnlockSuccess", "Setting"}, {0, 2, "DeviceUnlockSuccess", "SMS"},
        {-1, 6, "DeviceUnlockFailed", "Internet"}, {-1, 2, "DeviceUnlockFailed", "SMS"},
        {7, 6, nullptr, "SMS"},                   {7, 2, nullptr, "SMS"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.result << " module " << c.module);
        tabs->setCurrentIndex(1); // "SMS"
        posted.clear();
        alerts.clear();
        init.setDeviceLockFunctionModule(c.module);
        deliver(512, 164, 1, c.result);
        alerts.answerAllOpen();
        EXPECT_EQ(alerts.messages(), c.result == -1 ? QStringList{"Invalid password!"} : QStringList{});
        const int success = postedNamed("DeviceUnlockSuccess").size();
        const int failed = postedNamed("DeviceUnlockFailed").size();
        EXPECT_EQ(success, c.posted && QLatin1String(c.posted) == QLatin1String("DeviceUnlockSuccess") ? 1 : 0);
        EXPECT_EQ(failed, c.posted && QLatin1String(c.posted) == QLatin1String("DeviceUnlockFailed") ? 1 : 0);
        EXPECT_EQ(ostrel::tabViewItemIdentifier(tabs->currentWidget()), QLatin1String(c.tab));
    }
}

} // namespace
