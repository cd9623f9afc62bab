// PIN and PUK: entry sheets, the device's answers, counts, cancel, and automatic entry with the
// PIN kept on this computer.
#include "InitTestSupport.h"

#include "common/PlistBridge.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace inittest;
using ostrel::InitController;
using ostrel::PinWindow;
using ostrel::PukWindow;
using ostrel::ReAlertWindow;

namespace {

class InitPinTest : public InitFixture {
protected:
    // The device asks for the PIN: a pending check, then the counts.
    void pinRequired(int pinLeft = 3, int pukLeft = 10)
    {
        deliver(4, 10, 0, -1, 1);
        deliver(4, 8, 1, 0, 1, ints({pinLeft, pukLeft}));
    }
    void typeInto(QLineEdit *field, const QString &value)
    {
        field->clear();
        QTest::keyClicks(field, value);
    }
    QByteArray lastSentData(int major, int minor) const
    {
        const auto all = sent();
        for (auto it = all.rbegin(); it != all.rend(); ++it)
            if (it->major == major && it->minor == minor)
                return it->data.left(it->length);
        return {};
    }
    static const QString kIccidHex; // EF_ICCID of 89860412345678901234
};
const QString InitPinTest::kIccidHex = QStringLiteral("98684021436587092143");

TEST_F(InitPinTest, RightPinMakesTheSimReady)
{
    makeController();
    pinRequired();
    PinWindow *pin = controller->pinWindow();
    ASSERT_TRUE(pin->isVisible());
    EXPECT_EQ(pin->parentWidget(), mainWindow.get());
    EXPECT_EQ(pin->windowModality(), Qt::WindowModal);
    EXPECT_EQ(pin->m_PinTimeLeft->text(), "You only have 3 time(s) left!");
    EXPECT_EQ(setting->pinLeft, 3);
    EXPECT_EQ(setting->pukLeft, 10);
    EXPECT_EQ(controller->checkPinPukStatus, InitController::EntryPin);

    typeInto(pin->m_PinCode, "1234");
    QTest::mouseClick(pin->btnOK, Qt::LeftButton);
    EXPECT_FALSE(pin->isVisible());
    const QByteArray data = lastSentData(4, 10);
    ASSERT_EQ(data.size(), 10);
    EXPECT_EQ(data, QByteArray("1234\0\0\0\0\0\0", 10));
    EXPECT_EQ(sent().back().type, 1);
    EXPECT_EQ(sent().back().module, 1);
    EXPECT_TRUE(controller->manuuallyInputPinFlag());

    deliver(4, 10, 1, 0, 1);
    EXPECT_EQ(controller->m_SimPinState, InitController::SimReady);
    EXPECT_EQ(postedNamed("init_SimStatus").last().userInfo.value("init_SimStatus"), QVariant(true));
}

TEST_F(InitPinTest, WrongPinsCountDownToPukAndPukWithNewPinUnlocks)
{
    makeController();
    pinRequired(3, 10);
    auto enterPin = [&](const char *value) {
        typeInto(controller->pinWindow()->m_PinCode, value);
        QTest::mouseClick(controller->pinWindow()->btnOK, Qt::LeftButton);
    };
    enterPin("1111");
    deliver(4, 10, 0, -1, 1);
    EXPECT_EQ(setting->alerts, QStringList{"Incorrect PIN code!"});
    deliver(4, 8, 1, 0, 1, ints({2, 10}));
    EXPECT_TRUE(controller->pinWindow()->isVisible());
    EXPECT_EQ(controller->pinWindow()->m_PinTimeLeft->text(), "You only have 2 time(s) left!");
    EXPECT_EQ(alerts.count(), 0);

    enterPin("2222");
    deliver(4, 10, 0, -1, 1);
    deliver(4, 8, 1, 0, 1, ints({1, 10}));
    EXPECT_EQ(alertMessages(), QStringList{"Only one chance left! If you input the wrong PIN code, your (U)SIM card will be locked."});
    EXPECT_TRUE(controller->pinWindow()->isVisible());

    enterPin("3333");
    deliver(4, 10, 0, -1, 1);
    deliver(4, 8, 1, 0, 1, ints({0, 1}));
    EXPECT_FALSE(controller->pinWindow()->isVisible());
    PukWindow *puk = controller->pukWindow();
    ASSERT_TRUE(puk->isVisible());
    EXPECT_EQ(controller->checkPinPukStatus, InitController::EntryPuk);
    EXPECT_EQ(alertMessages().last(), "Only one chance left! If you input the wrong PUK code, your (U)SIM card will be destroyed.");

    typeInto(puk->m_PukCode, "12345678");
    typeInto(puk->m_NewPinCode, "4321");
    typeInto(puk->m_RepNewPinCode, "4321");
    QTest::mouseClick(puk->btnOK, Qt::LeftButton);
    EXPECT_FALSE(puk->isVisible());
    const QByteArray data = lastSentData(4, 11);
    ASSERT_EQ(data.size(), 20);
    EXPECT_EQ(data.left(10), QByteArray("4321\0\0\0\0\0\0", 10));
    EXPECT_EQ(data.mid(10), QByteArray("12345678\0\0", 10));
    EXPECT_EQ(controller->pinNum(), "4321");

    deliver(4, 11, 1, 0, 1);
    EXPECT_EQ(controller->m_SimPinState, InitController::SimReady);
}

TEST_F(InitPinTest, WrongPukIsReportedAndBothCountsZeroDoNothing)
{
    makeController();
    deliver(4, 11, 0, -1, 1);
    EXPECT_EQ(controller->m_SimPinState, InitController::SimCheckPending);
    controller->checkPinPukStatus = InitController::EntryPuk;
    deliver(4, 10, 0, -1, 1);
    EXPECT_EQ(setting->alerts, QStringList{"Incorrect PUK code!"});
    deliver(4, 8, 1, 0, 1, ints({0, 0}));
    EXPECT_FALSE(controller->pinWindow()->isVisible());
    EXPECT_FALSE(controller->pukWindow()->isVisible());
}

TEST_F(InitPinTest, CountsWhileReadyOnlyUpdateTheCounts)
{
    makeController();
    controller->setSimStatus(true);
    deliver(4, 8, 1, 0, 1, ints({1, 10}));
    EXPECT_EQ(setting->pinLeft, 1);
    EXPECT_FALSE(controller->pinWindow()->isVisible());
    EXPECT_EQ(alerts.count(), 0);
    deliver(4, 8, 0, 0, 1, ints({2, 10})); // wrong type: ignored
    EXPECT_EQ(setting->pinLeft, 1);
}

TEST_F(InitPinTest, InputRules)
{
    struct Case { const char *puk, *pin, *rep, *message; } cases[] = {
        {nullptr, "123", nullptr, "Length of PIN must be between 4 and 8!"},
        {nullptr, "123456789", nullptr, "Length of PIN must be between 4 and 8!"},
        {nullptr, "12a4", nullptr, "PIN must be digits only!"},
        {nullptr, "1234", nullptr, nullptr},
        {nullptr, "12345678", nullptr, nullptr},
        {"1234567", "1234", "1234", "PUK must be 8 digits!"},
        {"1234567x", "1234", "1234", "PUK must be digits only!"},
        {"12345678", "1234", "1235", "Different inputs of PIN code, please input again!"},
        {"12345678", "1234", "1234", nullptr},
    };
    for (const auto &c : cases) {
        const QString got = InitController::pinPukInputRules(c.puk ? QString(c.puk) : QString(),
                                                                c.pin ? QString(c.pin) : QString(),
                                                                c.rep ? QString(c.rep) : QString());
        EXPECT_EQ(got, c.message ? QString(c.message) : QString()) << c.pin;
    }
}

TEST_F(InitPinTest, BadEntryKeepsTheWindowAndSendsNothing)
{
    makeController();
    pinRequired();
    typeInto(controller->pinWindow()->m_PinCode, "12");
    QTest::mouseClick(controller->pinWindow()->btnOK, Qt::LeftButton);
    EXPECT_TRUE(controller->pinWindow()->isVisible());
    EXPECT_TRUE(controller->pinWindow()->m_PinCode->text().isEmpty());
    EXPECT_EQ(setting->alerts, QStringList{"Length of PIN must be between 4 and 8!"});
    EXPECT_EQ(sentCount(4, 10), 0);
}

TEST_F(InitPinTest, FourDigitLimitWhileTyping)
{
    set("Setting", "PinLimitFourDigitals", true);
    makeController();
    pinRequired();
    QLineEdit *field = controller->pinWindow()->m_PinCode;
    QTest::keyClicks(field, "12345");
    EXPECT_EQ(field->text(), "1234");
    field->setText("a12"); // pasted
    controller->controlTextDidChange(field);
    EXPECT_EQ(field->text(), "");
}

TEST_F(InitPinTest, CancelSendsCancelOrAsksFirst)
{
    makeController();
    pinRequired();
    QTest::mouseClick(controller->pinWindow()->btnCancel, Qt::LeftButton);
    EXPECT_FALSE(controller->pinWindow()->isVisible());
    EXPECT_EQ(sentCount(4, 15), 1);
    EXPECT_EQ(postedNamed("changePinActiveStatusCancel").size(), 1);
}

TEST_F(InitPinTest, CancelWithConfirmationNoKeepsWindowYesLocks)
{
    set("Main", "reAlertWhenCancelPINOrPUKwindow", true);
    makeController();
    pinRequired();
    QTest::mouseClick(controller->pinWindow()->btnCancel, Qt::LeftButton);
    ReAlertWindow *confirm = controller->reAlertWindow();
    ASSERT_TRUE(confirm->isVisible());
    EXPECT_EQ(confirm->parentWidget(), controller->pinWindow());
    QTest::mouseClick(confirm->btnNO, Qt::LeftButton);
    EXPECT_FALSE(confirm->isVisible());
    EXPECT_TRUE(controller->pinWindow()->isVisible());
    EXPECT_EQ(sentCount(4, 15), 0);

    QTest::mouseClick(controller->pinWindow()->btnCancel, Qt::LeftButton);
    QTest::mouseClick(confirm->btnYES, Qt::LeftButton);
    EXPECT_FALSE(controller->pinWindow()->isVisible());
    EXPECT_EQ(sentCount(4, 15), 1);
    EXPECT_EQ(controller->tfdLockTip_->text(), "PIN is locked");
    EXPECT_TRUE(controller->viewNetWorkStatus_->isHidden());
}

TEST_F(InitPinTest, NeedReenterPinLeavesEnterPinEnabledAndSendsNothing)
{
    config->setConfigurationByModule("needReenterPIN", true);
    makeController();
    pinRequired();
    EXPECT_FALSE(controller->labelPINEnter_->isEnabled());
    QTest::mouseClick(controller->pinWindow()->btnCancel, Qt::LeftButton);
    EXPECT_TRUE(controller->labelPINEnter_->isEnabled());
    EXPECT_EQ(sentCount(4, 15), 0);
    controller->labelPINEnter_->trigger();
    EXPECT_TRUE(controller->pinWindow()->isVisible());
}

// --- the PIN kept on this computer

class SavedPinTest : public InitPinTest {
protected:
    void SetUp() override
    {
        InitPinTest::SetUp();
        set("Main", "AtuoCheckPinAndIccidSavedInConfigFile", true);
        set("Main", "EnableSavePINNum", true);
    }
    void iccidReport(const QString &hex) { deliver(7, 41, 1, 0, 1, text(hex.toLatin1(), 512)); }
};

TEST_F(SavedPinTest, ManualPinIsKeptInAPrivateFileNotInSettings)
{
    makeController();
    iccidReport(kIccidHex);
    ASSERT_EQ(controller->iccid_, "89860412345678901234");
    pinRequired();
    typeInto(controller->pinWindow()->m_PinCode, "2468");
    QTest::mouseClick(controller->pinWindow()->btnOK, Qt::LeftButton);
    deliver(4, 10, 0, 0, 1);

    const QString path = controller->savedPinStore().filePath();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFile::permissions(path) & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFile::Permissions());
    EXPECT_EQ(controller->savedPinStore().pinForIccid("89860412345678901234"), "2468");
    ASSERT_TRUE(config->writeToFile());
    QFile settings(dir.filePath("settings.plist"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray contents = settings.readAll();
    EXPECT_FALSE(contents.contains("2468"));
    EXPECT_FALSE(contents.contains("PinNum"));
}

TEST_F(SavedPinTest, KeptPinIsEnteredAutomaticallyOnlyForItsSim)
{
    makeController();
    ostrel::SavedPinStore(dir.path()).save("89860412345678901234", "1357");
    iccidReport(kIccidHex);
    pinRequired();
    EXPECT_FALSE(controller->pinWindow()->isVisible());
    EXPECT_EQ(lastSentData(4, 10), QByteArray("1357\0\0\0\0\0\0", 10));
    EXPECT_FALSE(controller->manuuallyInputPinFlag());
    EXPECT_TRUE(controller->hadDoPinAutoValidation());
    deliver(4, 10, 1, 0, 1);
    EXPECT_EQ(controller->m_SimPinState, InitController::SimReady);

    // Another SIM: the kept PIN is not tried, the user is asked.
    deliver(8, 58, 1, -1, 1);
    iccidReport("98684021436587092144");
    pinRequired();
    EXPECT_TRUE(controller->pinWindow()->isVisible());
    EXPECT_EQ(sentCount(4, 10), 1);
}

TEST_F(SavedPinTest, WrongKeptPinIsTriedOnceThenTheUserIsAsked)
{
    makeController();
    ostrel::SavedPinStore(dir.path()).save("89860412345678901234", "0000");
    iccidReport(kIccidHex);
    pinRequired(3, 10);
    deliver(4, 10, 0, -1, 1);
    EXPECT_TRUE(setting->alerts.isEmpty()); // not typed by the user: no "Incorrect PIN code!"
    deliver(4, 8, 1, 0, 1, ints({2, 10}));
    EXPECT_EQ(sentCount(4, 10), 1);
    EXPECT_TRUE(controller->pinWindow()->isVisible());
}

TEST_F(SavedPinTest, PinLeftInTheSettingsMovesToItsOwnFile)
{
    config->setConfigurationByModule("PinNum", "8642");
    config->setConfigurationByModule("Iccid", "89860412345678901234");
    makeController();
    EXPECT_FALSE(config->getConfigurationByModule("PinNum").isValid());
    EXPECT_FALSE(config->getConfigurationByModule("Iccid").isValid());
    EXPECT_EQ(controller->savedPinStore().pinForIccid("89860412345678901234"), "8642");
    iccidReport(kIccidHex);
    pinRequired();
    EXPECT_EQ(lastSentData(4, 10), QByteArray("8642\0\0\0\0\0\0", 10));
}

TEST_F(SavedPinTest, RemoveSavedPinRemovesTheFileAndSaysSoOnlyWhenItDid)
{
    makeController();
    ASSERT_TRUE(controller->savedPinStore().save("89860412345678901234", "1357"));
    controller->btnRemovePinAutoCheckByICCID_->click();
    EXPECT_FALSE(QFile::exists(controller->savedPinStore().filePath()));
    EXPECT_EQ(alertMessages(), QStringList{"Remove saved PIN from computer successfully!"});
    EXPECT_FALSE(config->getConfigurationByModuleAndKey("Main", "EnableSavePINNum").toBool());

    controller->btnRemovePinAutoCheckByICCID_->click();
    EXPECT_EQ(alertMessages().last(), "No PIN is saved on this computer.");
}

TEST_F(SavedPinTest, FailedWriteOfTheKeptPinIsReported)
{
    makeController();
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    controller->savedPinStore().setFolder(dir.filePath("blocker/secrets")); // a folder under a file
    iccidReport(kIccidHex);
    pinRequired();
    typeInto(controller->pinWindow()->m_PinCode, "2468");
    QTest::mouseClick(controller->pinWindow()->btnOK, Qt::LeftButton);
    deliver(4, 10, 0, 0, 1);
    EXPECT_EQ(alertMessages(), QStringList{"The PIN could not be saved on this computer."});
}

// --- the PIN kept by the modem

TEST_F(InitPinTest, ModemAutoValidationStateAndPinFromTheModem)
{
    set("Main", "pinAutoValidation", true);
    makeController();
    deliver(4, 16, 1, 0, 1, ints({1, 1}));
    EXPECT_TRUE(controller->btnPINAutoValidation_->isChecked());
    EXPECT_EQ(sentCount(4, 16), 1); // acknowledged
    deliver(4, 19, 1, 0, 1, text("9753", 10));
    EXPECT_EQ(controller->pinNum(), "9753");
    pinRequired();
    EXPECT_FALSE(controller->pinWindow()->isVisible());
    EXPECT_EQ(lastSentData(4, 10), QByteArray("9753\0\0\0\0\0\0", 10));

    deliver(4, 16, 1, -1, 1);
    EXPECT_FALSE(controller->btnPINAutoValidation_->isChecked());
}

TEST_F(InitPinTest, ManualPinIsSavedToTheModemWhenReady)
{
    set("Main", "pinAutoValidation", true);
    makeController();
    pinRequired();
    controller->pinWindow()->btnSavePinNum_->setChecked(true);
    typeInto(controller->pinWindow()->m_PinCode, "1234");
    QTest::mouseClick(controller->pinWindow()->btnOK, Qt::LeftButton);
    deliver(4, 10, 0, 0, 1);
    EXPECT_EQ(lastSentData(4, 18), ints({1, 0}));
    deliver(4, 9, 1, 0, 1);
    EXPECT_EQ(lastSentData(4, 17), QByteArray("1234\0\0\0\0\0\0", 10));
    EXPECT_FALSE(controller->manuuallyInputPinFlag());
}

TEST_F(InitPinTest, PinActiveStatusGoesToSettingsAndBundle)
{
    makeController();
    deliver(4, 13, 1, 0, 1, ints({1}));
    ASSERT_EQ(postedNamed("pinActiveStatusForBundle").size(), 1);
    EXPECT_EQ(postedNamed("pinActiveStatusForBundle")[0].userInfo.value("pinActiveStatusForBundle").toInt(), 1);
}

} // namespace
