// The operator parts of the main window: the service-provider-code window, the registration
// sheet and its SMS, the operator links and the shortcut notifications.
#include "MainControllerFixture.h"

#include "common/PlistBridge.h"
#include "ostrel/connection/profile/DialConfigList.h"
#include "ostrel/device/main/ServiceProviderCodeWindow.h"
#include "ostrel/device/main/UserRegistrationSheet.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/widgets/Items.h"
#include "platform/process/ProgramLauncher.h"
#include "support/RecordingLauncher.h"
#include "support/TestPaths.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QRegularExpression>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include <sys/stat.h>

using namespace maintest;

namespace {

// The connection area's profile writer: the real one, or a write that fails.
struct OperatorDialFake : FakeDial {
    ostrel::ConfigManager *store = nullptr;
    bool failWrites = false;
    int writes = 0;
    bool writeDialConfigFile(const QList<QVariantMap> &profiles) override
    {
        ++writes;
        if (failWrites)
            return false;
        ostrel::DialConfigList list(store);
        return list.replaceDialConfigFile(profiles);
    }
};

struct OperatorSmsFake : ostrel::DefaultSMSController {
    struct Sent {
        qint64 atMs;
        QString number;
        QString text;
        bool report, returnResult, save;
    };
    testing_support::ManualClock *clock = nullptr;
    QList<Sent> sent;
    QList<QPair<QString, QString>> messages;
    QList<bool> sendButton;
    bool sendSmsTo(const QString &number, const QString &text, bool report, bool returnResult, bool save) override
    {
        sent.append({clock->monotonicMs(), number, text, report, returnResult, save});
        return true;
    }
    bool refuseMessages = false;
    bool sendMessageto(const QString &number, const QString &text) override
    {
        messages.append({number, text});
        return !refuseMessages;
    }
    void setSendSMSBtnStatWhenSendUserInfo(bool enable) override { sendButton << enable; }
};

struct OperatorSmsServiceFake : ostrel::DefaultSmsService {
    bool usageSent = false;
    QVariantMap recharge;
    void setBAlreadySendedCheckUsageSMS(bool sent) override { usageSent = sent; }
    QVariantMap processListOfRecharge() const override { return recharge; }
};

struct OperatorPhonebookFake : ostrel::DefaultPBController {
    QStringList alerts;
    void popupAlertOk(const QString &message) override { alerts << message; }
};

class OperatorTest : public MainControllerTest {
protected:
    void SetUp() override
    {
        MainControllerTest::SetUp();
        ostrel::YOVUIController::setUrlOpener([this](const QUrl &url) {
            opened << url.toString();
            return true;
        });
    }
    void TearDown() override
    {
        ostrel::YOVUIController::setUrlOpener({});
        MainControllerTest::TearDown();
    }
    // Builds the controller over the settings with the recording neighbours installed.
    void buildOperator(const QVariantMap &settings)
    {
        beforeWake = [this] {
            writer.store = config_.get();
            sms.clock = &clock;
            ostrel::Neighbours::setDial(&writer);
            ostrel::Neighbours::setSms(&sms);
            ostrel::Neighbours::setSmsService(&smsService);
            ostrel::Neighbours::setPhonebook(&phonebook);
        };
        build(settings);
    }
    QVariantMap storedSettings() const
    {
        return yov::PlistBridge::readFile(dir_.filePath(QStringLiteral("settings.plist")))->toMap();
    }
    QString dialConfigPath() const { return dir_.filePath(QStringLiteral("dialConfig.plist")); }

    testing_support::ScriptedAlertPresenter presenter;
    yov::ScopedAlertPresenter scoped{&presenter};
    OperatorDialFake writer;
    OperatorSmsFake sms;
    OperatorSmsServiceFake smsService;
    OperatorPhonebookFake phonebook;
    QStringList opened;
};

using testing_support::RecordingLauncher;

// A skin that records the run-time changes the controller asks of it.
struct LayoutSkin final : ostrel::SkinManagerAccess {
    QStringList log;
    bool registerController(QObject *, const QString &, bool) override { return false; }
    bool updateItem(QObject *) override { return false; }
    QObject *controllerByKey(const QString &) const override { return nullptr; }
    bool hasKey(const QString &) const override { return false; }
    bool setImageForKey(const QString &key, const QString &imageName, bool) override
    {
        log << QStringLiteral("image %1=%2").arg(key, imageName);
        return true;
    }
    bool setNewSizeForKey(const QString &key, const QString &itemName, bool) override
    {
        log << QStringLiteral("size %1=%2").arg(key, itemName);
        return true;
    }
    bool setNewLocationInSuperviewForKey(const QString &key, const QString &itemName, bool) override
    {
        log << QStringLiteral("place %1=%2").arg(key, itemName);
        return true;
    }
};

QVariantMap offeredProfile(const char *name, const char *apn)
{
    return {{QStringLiteral("ProviderName"), QString::fromLatin1(name)}, {QStringLiteral("APN"), QString::fromLatin1(apn)}};
}

QVariantMap spCodeSettings()
{
    return {{QStringLiteral("CheckSPCode"), true},
            {QStringLiteral("AllDialConfig"), QVariantList{offeredProfile("First", "first.apn"), offeredProfile("Second", "second.apn")}},
            {QStringLiteral("AllSPCodeIndex"),
             QVariantMap{{QStringLiteral("1111"), QVariantMap{{QStringLiteral("Index"), 0}}},
                         {QStringLiteral("2222"), QVariantMap{{QStringLiteral("Index"), 1},
                                                              {QStringLiteral("ProviderLogo"), QStringLiteral("second.png")}}},
                         {QStringLiteral("9999"), QVariantMap{{QStringLiteral("Index"), 7}}}}}};
}

} // namespace

// --- the service-provider-code window ----------------------------------------------------------------

TEST_F(OperatorTest, ServiceProviderCodeChoosesTheProfileAndLogoOrKeepsTheWindow)
{
    struct Case {
        const char *name;
        QVariantMap settings;
        const char *code;
        bool failWrite;
        const char *expectedApn; // null: no profile file
        const char *expectedLogo;
        const char *alert;       // null: no alert, the window closes
    };
    QVariantMap missingTable = spCodeSettings();
    missingTable.remove(QStringLiteral("AllDialConfig"));
    const Case cases[] = {
        {"found", spCodeSettings(), "1111", false, "first.apn", nullptr, nullptr},
        {"found with a logo", spCodeSettings(), "2222", false, "second.apn", "second.png", nullptr},
        {"unknown", spCodeSettings(), "1234", false, nullptr, nullptr, "Invalid service provider code"},
        {"index outside the profiles", spCodeSettings(), "9999", false, nullptr, nullptr, "Invalid service provider code"},
        {"missing profile table", missingTable, "1111", false, nullptr, nullptr, "Invalid service provider code"},
        {"failing profile write", spCodeSettings(), "1111", true, nullptr, nullptr,
         "The profile of this code could not be saved. Please try again."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(dialConfigPath());
        presenter.clear();
        buildOperator(c.settings);
        writer.failWrites = c.failWrite;
        int datacards = 0;
        QObject::connect(controller.get(), &ostrel::MainController::datacardStarted, [&] { ++datacards; });
        ostrel::ServiceProviderCodeWindow *window = controller->spCodeWindow();
        ASSERT_EQ(&ostrel::Neighbours::spCodeWindow(), window);
        controller->applicationWillFinishLaunching();
        ASSERT_NE(window->window(), nullptr);
        EXPECT_TRUE(window->window()->isVisible());
        EXPECT_EQ(controller->wndMain->windowOpacity(), 0.0);
        EXPECT_FALSE(launched()) << "the device service waits for the code";

        window->codeField()->setText(QString::fromLatin1(c.code));
        ASSERT_TRUE(window->okButton()->isEnabled());
        window->okButton()->click();

        const QVariantMap stored = storedSettings();
        if (c.alert) {
            EXPECT_EQ(presenter.messages(), QStringList{QString::fromLatin1(c.alert)});
            ASSERT_NE(window->window(), nullptr) << "the window stays for another try";
            EXPECT_EQ(datacards, 0);
            EXPECT_FALSE(launched());
            EXPECT_TRUE(stored.value(QStringLiteral("CheckSPCode")).toBool());
            EXPECT_EQ(window->okButton()->isEnabled(), c.failWrite) << "a failed write keeps the code to try again";
        } else {
            EXPECT_TRUE(presenter.messages().isEmpty()) << presenter.messages().join(u'|').toStdString();
            EXPECT_EQ(window->window(), nullptr);
            EXPECT_EQ(datacards, 1);
            EXPECT_TRUE(launched());
            EXPECT_EQ(controller->wndMain->windowOpacity(), 1.0);
            EXPECT_FALSE(stored.value(QStringLiteral("CheckSPCode")).toBool());
        }
        if (c.expectedApn) {
            const std::optional<QVariant> file = yov::PlistBridge::readFile(dialConfigPath());
            ASSERT_TRUE(file.has_value());
            const QVariantList profiles = file->toList();
            ASSERT_EQ(profiles.size(), 1);
            EXPECT_EQ(profiles.first().toMap().value(QStringLiteral("APN")).toString(), QLatin1String(c.expectedApn));
            struct stat info {};
            ASSERT_EQ(::stat(QFile::encodeName(dialConfigPath()).constData(), &info), 0);
            EXPECT_EQ(info.st_mode & 0777, 0600u);
        } else {
            EXPECT_FALSE(QFileInfo::exists(dialConfigPath()));
        }
        EXPECT_EQ(stored.value(QStringLiteral("ProviderLogoImage")).toString(),
                  c.expectedLogo ? QString::fromLatin1(c.expectedLogo) : QString());
        EXPECT_EQ(stored.value(QStringLiteral("ChangeProviderLogo")).toBool(), c.expectedLogo != nullptr);
        TearDown();
        log.events.clear();
        SetUp();
    }
}

TEST_F(OperatorTest, ServiceProviderCodeFieldDrivesOkAndCancelCanContinue)
{
    buildOperator(spCodeSettings());
    controller->applicationWillFinishLaunching();
    ostrel::ServiceProviderCodeWindow *window = controller->spCodeWindow();
    ASSERT_NE(window->window(), nullptr);
    EXPECT_FALSE(window->okButton()->isEnabled()) << "an empty field";
    window->codeField()->setText(QStringLiteral("12"));
    EXPECT_TRUE(window->okButton()->isEnabled());
    window->codeField()->clear();
    EXPECT_FALSE(window->okButton()->isEnabled()) << "typed, then deleted";
    window->checkSPCode(); // an empty field does nothing
    EXPECT_TRUE(presenter.messages().isEmpty());

    // Cancel asks; its default button stays in the window, "Continue" goes on without a code.
    window->cancelButton()->click();
    ASSERT_NE(window->window(), nullptr);
    EXPECT_FALSE(launched());
    presenter.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    window->cancelButton()->click();
    EXPECT_EQ(window->window(), nullptr);
    EXPECT_TRUE(launched());
    EXPECT_EQ(writer.writes, 0);
    EXPECT_FALSE(QFileInfo::exists(dialConfigPath()));
    EXPECT_FALSE(storedSettings().value(QStringLiteral("CheckSPCode")).toBool());
}

// --- the registration sheet ---------------------------------------------------------------------------

TEST_F(OperatorTest, RegistrationValidationStopsAtTheFirstFailure)
{
    using Sheet = ostrel::UserRegistrationSheet;
    struct Case {
        const char *email, *contact, *dob;
        Sheet::Field field;
        const char *message;
    };
    const Case cases[] = {
        {"", "0123456789", "31/12/1999", Sheet::Field::Email, "Email address information is not input!"},
        {"no-at-sign", "0123456789", "31/12/1999", Sheet::Field::Email, "Mail address incorrect format!"},
        {"a@b", "0123456789", "31/12/1999", Sheet::Field::Email, "Mail address incorrect format!"},
        {"me@mail.example.com", "", "31/12/1999", Sheet::Field::Contact, "Contact information is not input!"},
        {"me@mail.example.com", "012345678", "31/12/1999", Sheet::Field::Contact, "Contact incorrect format!"},
        {"me@mail.example.com", "01234x6789", "31/12/1999", Sheet::Field::Contact, "Contact incorrect format!"},
        {"me@example.com", "0123456789", "", Sheet::Field::Dob, "Dob information is not input!"},
        {"me@example.com", "0123456789", "00/12/1999", Sheet::Field::Dob, "Dob incorrect format!"},
        {"me@example.com", "0123456789", "31/13/1999", Sheet::Field::Dob, "Dob incorrect format!"},
        {"me@example.com", "0123456789", "dd/mm/yyyy", Sheet::Field::Dob, "Dob incorrect format!"},
        {"me@example.com", "0123456789", "31/12/1999", Sheet::Field::None, ""},
        {"name@mail.example.com", "0123456789", "01/01/2000", Sheet::Field::None, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.email) + " " + c.contact + " " + c.dob);
        const Sheet::Check check = Sheet::checkUserInfoValidity(QString::fromLatin1(c.email), QString::fromLatin1(c.contact),
                                                                QString::fromLatin1(c.dob));
        EXPECT_EQ(check.field, c.field);
        EXPECT_EQ(check.message, QLatin1String(c.message));
    }
}

namespace {
QVariantMap operatorRegistrationSettings(bool firstTime)
{
    return {{QStringLiteral("Main"),
             QVariantMap{{QStringLiteral("Main_RegisteUserInfo_IfNeeded"), true},
                         {QStringLiteral("Main_SendUserInfoOK"), false},
                         {QStringLiteral("Main_sendUserInfoToNumber_IfNeeded"), QStringLiteral("12345")},
                         {QStringLiteral("Main_FirstTimeSendUserInfo"), firstTime},
                         {QStringLiteral("Main_UserMailInfo"), QStringLiteral("Email old@example.com")},
                         {QStringLiteral("Main_UserContactInfo"), QStringLiteral("Contact 0123456789")},
                         {QStringLiteral("Main_UserDOBInfo"), QStringLiteral("DOB 01/02/1990")}}}};
}
} // namespace

TEST_F(OperatorTest, RegistrationSheetSendsThreeSmsFiveSecondsApartOnceAllPass)
{
    buildOperator(operatorRegistrationSettings(true));
    controller->applicationDidFinishLaunching();
    ostrel::UserRegistrationSheet *sheet = controller->registrationSheet();
    ASSERT_NE(sheet->sheet(), nullptr);
    EXPECT_TRUE(sheet->sheet()->isVisible());

    // The length limit of the contact and date fields.
    sheet->contactField()->setText(QStringLiteral("0123456789999"));
    EXPECT_EQ(sheet->contactField()->text(), QStringLiteral("0123456789"));

    // A bad date: the alert, the field reset, nothing sent.
    sheet->emailField()->setText(QStringLiteral("name@mail.example.com"));
    sheet->dobField()->setText(QStringLiteral("31/13/1999"));
    sheet->clickOKofUserRegisteWnd();
    EXPECT_EQ(phonebook.alerts, QStringList{QStringLiteral("Dob incorrect format!")});
    EXPECT_EQ(sheet->dobField()->text(), QStringLiteral("dd/mm/yyyy"));
    EXPECT_TRUE(sms.sent.isEmpty());

    // The date picker writes the day as dd/mm/yyyy.
    sheet->calendarButton()->click();
    EXPECT_FALSE(sheet->calendar()->isHidden());
    sheet->calendar()->setSelectedDate(QDate(1999, 12, 31));
    sheet->setCalendarDateTime();
    EXPECT_EQ(sheet->dobField()->text(), QStringLiteral("31/12/1999"));

    sheet->clickOKofUserRegisteWnd();
    EXPECT_EQ(sheet->sheet(), nullptr);
    EXPECT_TRUE(smsService.unshowInfoWndWhenSendSms());
    EXPECT_TRUE(controller->isSendingUserInfo());
    EXPECT_EQ(sms.sendButton, QList<bool>{false});
    clock.advance(4999);
    ASSERT_EQ(sms.sent.size(), 1);
    clock.advance(10000);
    ASSERT_EQ(sms.sent.size(), 3);
    const QStringList lines{QStringLiteral("Email name@mail.example.com"), QStringLiteral("Contact 0123456789"),
                            QStringLiteral("DOB 31/12/1999")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sms.sent[i].atMs - sms.sent[0].atMs, i * 5000);
        EXPECT_EQ(sms.sent[i].number, QStringLiteral("12345"));
        EXPECT_EQ(sms.sent[i].text, lines[i]);
        EXPECT_FALSE(sms.sent[i].report);
        EXPECT_TRUE(sms.sent[i].returnResult);
        EXPECT_FALSE(sms.sent[i].save);
    }
    const QVariantMap main = storedSettings().value(QStringLiteral("Main")).toMap();
    EXPECT_FALSE(main.value(QStringLiteral("Main_FirstTimeSendUserInfo")).toBool());
    EXPECT_EQ(main.value(QStringLiteral("Main_UserMailInfo")).toString(), lines[0]);
    EXPECT_EQ(main.value(QStringLiteral("Main_UserContactInfo")).toString(), lines[1]);
    EXPECT_EQ(main.value(QStringLiteral("Main_UserDOBInfo")).toString(), lines[2]);
}

TEST_F(OperatorTest, StoredRegistrationIsSentAgainAtDeviceReadyOnlyWhenDue)
{
    struct Case {
        const char *name;
        const char *key; // the Main key changed from the due state; null: due
        QVariant value;
        bool sends;
    };
    const Case cases[] = {
        {"sent before, not confirmed", nullptr, QVariant(), true},
        {"confirmed", "Main_SendUserInfoOK", true, false},
        {"never filled in", "Main_FirstTimeSendUserInfo", true, false},
        {"no destination number", "Main_sendUserInfoToNumber_IfNeeded", QString(), false},
        {"not wanted", "Main_RegisteUserInfo_IfNeeded", false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QVariantMap settings = operatorRegistrationSettings(false);
        if (c.key) {
            QVariantMap main = settings.value(QStringLiteral("Main")).toMap();
            main.insert(QString::fromLatin1(c.key), c.value);
            settings.insert(QStringLiteral("Main"), main);
        }
        sms.sent.clear();
        buildOperator(settings);
        controller->netcardChanged(2);
        EXPECT_TRUE(sms.sent.isEmpty());
        controller->netcardChanged(12);
        clock.advance(10000);
        if (c.sends) {
            ASSERT_EQ(sms.sent.size(), 3);
            EXPECT_EQ(sms.sent[0].text, QStringLiteral("Email old@example.com"));
            EXPECT_EQ(sms.sent[2].text, QStringLiteral("DOB 01/02/1990"));
            EXPECT_EQ(sms.sent[2].atMs - sms.sent[0].atMs, 10000);
        } else {
            EXPECT_TRUE(sms.sent.isEmpty());
        }
        TearDown();
        SetUp();
    }
}

// --- links -------------------------------------------------------------------------------------------

namespace {
ostrel::NSToolbarItemExt *operatorLinkItem(QObject *parent, const QString &label)
{
    auto *item = new ostrel::NSToolbarItemExt(parent);
    item->setUrlLabel(label);
    return item;
}
void postOperatorConnectStatus(yov::NotificationCenter &center, int status)
{
    center.post(QStringLiteral("ConnectStatusDidChange"), nullptr, {{QStringLiteral("ConnectStatus"), status}});
}
} // namespace

TEST_F(OperatorTest, ConfirmedLinkWaitsForTheConnectionAndOpensOnce)
{
    buildOperator({{QStringLiteral("webURLDict"), QVariantMap{{QStringLiteral("MainPage"), QStringLiteral("http://127.0.0.1:8/main")}}}});
    int dialOptions = 0;
    QObject observer;
    notifications.addObserver(&observer, QStringLiteral("dialOption"), nullptr, [&](const yov::Notification &) { ++dialOptions; });
    auto *item = operatorLinkItem(controller.get(), QStringLiteral("http://127.0.0.1:8/page"));

    // Cancel: nothing.
    presenter.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    controller->tbiMainURLWithAlertAction(item);
    EXPECT_EQ(dialOptions, 0);
    // OK while disconnected: connecting starts; the page waits for the connection.
    controller->tbiMainURLWithAlertAction(item);
    EXPECT_EQ(dialOptions, 1);
    EXPECT_TRUE(opened.isEmpty());
    postOperatorConnectStatus(notifications, 1);
    EXPECT_FALSE(controller->openURLWithAlertClicked_) << "a report of not connected clears the pending page";
    postOperatorConnectStatus(notifications, 3);
    EXPECT_TRUE(opened.isEmpty());

    controller->tbiMainURLWithAlertAction(item);
    postOperatorConnectStatus(notifications, 3);
    postOperatorConnectStatus(notifications, 3);
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://127.0.0.1:8/page")}) << "opened once";

    // Already connected: at once.
    opened.clear();
    controller->setRuntimeObject(true, QStringLiteral("runtimeIsConnecttedFlag"));
    controller->tbiMainOpenURLWithAlertAndAutoConnectAction(item);
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://127.0.0.1:8/page")});
    EXPECT_EQ(dialOptions, 2);
}

TEST_F(OperatorTest, ConnectedReportOpensTheOperatorMainPageWhenConfigured)
{
    buildOperator({{QStringLiteral("KenyaDedeviKV408"), QVariantMap{{QStringLiteral("OpenMainPage"), true}}},
                   {QStringLiteral("webURLDict"), QVariantMap{{QStringLiteral("MainPage"), QStringLiteral("https://127.0.0.1/home")}}}});
    postOperatorConnectStatus(notifications, 0);
    EXPECT_TRUE(opened.isEmpty());
    postOperatorConnectStatus(notifications, 3);
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://127.0.0.1/home")});
}

TEST_F(OperatorTest, LinksOpenOnlyHttpAddresses)
{
    // The operator configuration of the fixtures: its hosts behind the drawer tags.
    const std::optional<QVariant> fixture =
        yov::PlistBridge::readFile(testing_paths::fixtures() + QStringLiteral("/operator/settings-operator.plist"));
    ASSERT_TRUE(fixture.has_value());
    const QVariantMap links = fixture->toMap().value(QStringLiteral("Main")).toMap().value(QStringLiteral("OperatorLinks")).toMap();
    ASSERT_FALSE(links.isEmpty());
    buildOperator({{QStringLiteral("Main"), QVariantMap{{QStringLiteral("OperatorLinks"), links}}}});
    struct Case {
        int tag;
        const char *opens; // null: nothing
    };
    const Case cases[] = {
        {11, "http://127.0.0.1:8080/shop"},
        {22, nullptr}, // a file address
        {33, "http://127.0.0.1:8080/partner"},
        {44, nullptr}, // a script address
        {55, "https://127.0.0.1:8443/guide"},
        {66, "https://127.0.0.1:8443/offices/payment/?from=first"},
        {77, "http://127.0.0.1:8081/?from=first"},
        {88, nullptr}, // not configured
        {99, nullptr}, // not a drawer tag
    };
    QObject button;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tag);
        opened.clear();
        button.setProperty("tag", c.tag);
        controller->openLinkPage(&button);
        EXPECT_EQ(opened, c.opens ? QStringList{QString::fromLatin1(c.opens)} : QStringList());
    }
    // A URL label that is no address (the shipped token list has none) opens nothing.
    opened.clear();
    controller->tbiMainURLAction(operatorLinkItem(controller.get(), QStringLiteral("URL_LABEL_OF_SHOP")));
    controller->tbiMainURLAction(operatorLinkItem(controller.get(), QStringLiteral("ftp://127.0.0.1/x")));
    controller->tbiMainURLAction(operatorLinkItem(controller.get(), QString()));
    EXPECT_TRUE(opened.isEmpty());
    controller->tbiMainURLAction(operatorLinkItem(controller.get(), QStringLiteral("http://127.0.0.1/plain")));
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://127.0.0.1/plain")});
}

TEST_F(OperatorTest, EncipheredLinksCarryTheCipheredIdentities)
{
    const QString imsi = QStringLiteral("460001234567890");
    const QString imei = QStringLiteral("356938035643809");
    buildOperator({{QStringLiteral("simIMSI"), imsi}});
    const ostrel::InitService service(config_.get());
    const QString imsiWithZero = QString::fromUtf8(service.encode(imsi + QLatin1Char('0')));
    const QString imsiCipher = QString::fromUtf8(service.encode(imsi));
    const QString imeiCipher = QString::fromUtf8(service.encode(imei));
    ASSERT_FALSE(imsiWithZero.isEmpty());
    ASSERT_NE(imsiCipher, imeiCipher);

    controller->tbimainURLEncipherAction(operatorLinkItem(controller.get(), QStringLiteral("http://127.0.0.1/e?id=")));
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://127.0.0.1/e?id=") + imsiWithZero});

    // Two placeholders filled in order, IMEI first.
    opened.clear();
    controller->setRuntimeObject(imei, QStringLiteral("runtimeIMEI"));
    controller->tbimainURLEncipherActionExt(operatorLinkItem(controller.get(), QStringLiteral("http://127.0.0.1/x?a=%@&b=%@")));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(QUrl(opened.first()), QUrl(QStringLiteral("http://127.0.0.1/x?a=%1&b=%2").arg(imeiCipher, imsiCipher)));

    // Without an IMSI the first link does nothing.
    opened.clear();
    TearDown();
    SetUp();
    buildOperator({});
    controller->tbimainURLEncipherAction(operatorLinkItem(controller.get(), QStringLiteral("http://127.0.0.1/e?id=")));
    EXPECT_TRUE(opened.isEmpty());
}

// --- shortcuts ---------------------------------------------------------------------------------------

TEST_F(OperatorTest, ShortcutsPostTheirNotificationsAndSendTheConfiguredSms)
{
    buildOperator({{QStringLiteral("SMS"), QVariantMap{{QStringLiteral("SpecialSMS"),
                                                        QVariantMap{{QStringLiteral("TO_NUMBER"), QStringLiteral("555")},
                                                                    {QStringLiteral("SMS_CONTENT"), QStringLiteral("USAGE")}}}}}});
    QStringList posted;
    QObject observer;
    for (const char *name : {"USSDBundleMessage", "openPopUpUssdWnd", "notifyPopupSheetUssdWndPlugin", "ChangeAPNSelection"})
        notifications.addObserver(&observer, QString::fromLatin1(name), nullptr, [&](const yov::Notification &n) {
            QString line = n.name;
            if (n.userInfo.contains(QStringLiteral("Action")))
                line += QLatin1Char(' ') + n.userInfo.value(QStringLiteral("Action")).toString();
            if (n.userInfo.contains(QStringLiteral("ussdPopWndTag")))
                line += QStringLiteral(" tag %1 host %2")
                            .arg(n.userInfo.value(QStringLiteral("ussdPopWndTag")).toInt())
                            .arg(n.userInfo.value(QStringLiteral("hostMainWnd")).value<QObject *>() == controller->wndMain.data());
            posted << line;
        });
    QObject ussd3;
    ussd3.setProperty("itemIdentifier", QStringLiteral("USSD3"));
    QObject ussd4;
    ussd4.setProperty("itemIdentifier", QStringLiteral("USSD4"));
    controller->checkMyNumber(nullptr);
    controller->openUSSDWndDedeviTopup(nullptr);
    controller->openUSSDWndDedeviCheckbalance(nullptr);
    controller->openUSSDWndDedeviBuybundles(nullptr);
    controller->tbiMainPopUpUssdAction(nullptr);
    controller->toolbarCallUssdSheetWnd(&ussd3);
    controller->toolbarCallUssdSheetWnd(&ussd4);
    controller->popUpRefillSheet(nullptr);
    controller->popUpCheckBalanceSheet(nullptr);
    controller->tbiChangeAPNSelection(nullptr);
    EXPECT_EQ(posted, (QStringList{QStringLiteral("USSDBundleMessage"), QStringLiteral("USSDBundleMessage TopUp"),
                                   QStringLiteral("USSDBundleMessage CheckBalance"), QStringLiteral("USSDBundleMessage BuyBundle"),
                                   QStringLiteral("openPopUpUssdWnd"),
                                   QStringLiteral("notifyPopupSheetUssdWndPlugin tag 1 host 1"),
                                   QStringLiteral("notifyPopupSheetUssdWndPlugin tag 2 host 1"),
                                   QStringLiteral("notifyPopupSheetUssdWndPlugin tag 1 host 1"),
                                   QStringLiteral("notifyPopupSheetUssdWndPlugin tag 2 host 1"),
                                   QStringLiteral("ChangeAPNSelection")}));

    // A send the SMS area refuses does not count as the usage check going out.
    sms.refuseMessages = true;
    controller->tbiMainSendSMS(nullptr);
    EXPECT_EQ(sms.messages.size(), 1);
    EXPECT_FALSE(smsService.usageSent);
    sms.refuseMessages = false;
    sms.messages.clear();
    controller->tbiMainSendSMS(nullptr);
    EXPECT_EQ(sms.messages, (QList<QPair<QString, QString>>{{QStringLiteral("555"), QStringLiteral("USAGE")}}));
    EXPECT_TRUE(smsService.usageSent);

    controller->tbiMainSendVolStatusCheckSMS(nullptr);
    EXPECT_TRUE(sms.sent.isEmpty()) << "no recharge list";
    smsService.recharge = {{QStringLiteral("PurchargeBySMS_ServerNumber"), QStringLiteral("777")},
                           {QStringLiteral("PurchargeBySMS_VolStatusRequire"), QStringLiteral("VOL")}};
    controller->tbiMainSendVolStatusCheckSMS(nullptr);
    ASSERT_EQ(sms.sent.size(), 1);
    EXPECT_EQ(sms.sent[0].number, QStringLiteral("777"));
    EXPECT_EQ(sms.sent[0].text, QStringLiteral("VOL"));
    EXPECT_FALSE(sms.sent[0].report);
    EXPECT_TRUE(sms.sent[0].returnResult);
    EXPECT_FALSE(sms.sent[0].save);
    EXPECT_TRUE(smsService.unshowInfoWndWhenSendSms());
}

TEST_F(OperatorTest, HelpDocumentsByTagAndTheBroadcastPanel)
{
    for (const char *name : {"first.pdf", "second.pdf"}) {
        QFile file(dir_.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    buildOperator({{QStringLiteral("VietnamViettelKV406"),
                    QVariantMap{{QStringLiteral("HelpFileArray"),
                                 QVariantList{QStringLiteral("first.pdf"), QStringLiteral("../second.pdf"), QStringLiteral("gone.pdf")}}}}});
    QStringList documents;
    controller->setDocumentOpener([&](const QString &path) { documents << QFileInfo(path).fileName(); });
    QObject sender;
    for (int tag : {0, 1, 2, 3, -1}) {
        sender.setProperty("tag", tag);
        controller->performOpenHelpActionForViettel(&sender);
    }
    EXPECT_EQ(documents, (QStringList{QStringLiteral("first.pdf"), QStringLiteral("second.pdf")}))
        << "a missing document or a tag outside the array opens nothing; paths stay in the folder";

    notifications.post(QStringLiteral("ReceiveBroadCastNotification"), nullptr,
                       {{QStringLiteral("ReceiveBroadCastNotification"), QStringLiteral("Cell news")}});
    ASSERT_NE(controller->wndBroadcastReport_, nullptr);
    EXPECT_TRUE(controller->wndBroadcastReport_->isVisible());
    EXPECT_EQ(controller->tfdBroadCast_->text(), QStringLiteral("Cell news"));
    controller->broadcastReportOK(nullptr);
    EXPECT_FALSE(controller->wndBroadcastReport_->isVisible());
}

TEST_F(OperatorTest, TextLinkLabelsLinkOnlyWebAddresses)
{
    const QVariantMap main =
        yov::PlistBridge::readFile(testing_paths::fixtures() + QStringLiteral("/operator/settings-operator.plist"))
            ->toMap()
            .value(QStringLiteral("Main"))
            .toMap();
    QVariantMap settings = main;
    settings.insert(QStringLiteral("PrePaidLinkForDidizu"), QStringLiteral("file:///etc/passwd"));
    buildOperator({{QStringLiteral("Main"), settings}});
    ASSERT_NE(controller->labelForTextLinkAddress_, nullptr);
    EXPECT_EQ(controller->labelForTextLinkAddress_->property("linkAddress").toString(),
              QStringLiteral("http://127.0.0.1:8080/text-link"));
    ASSERT_NE(controller->labelPostPaidLinkForDidizu_, nullptr);
    EXPECT_EQ(controller->labelPostPaidLinkForDidizu_->property("linkAddress").toString(),
              QStringLiteral("http://127.0.0.1:8080/postpaid"));
    EXPECT_TRUE(controller->labelPostPaidLinkForDidizu_->text().contains(QStringLiteral("PostPaid bill payment")));
    ASSERT_NE(controller->labelPrePaidLinkForDidizu_, nullptr);
    EXPECT_TRUE(controller->labelPrePaidLinkForDidizu_->property("linkAddress").toString().isEmpty())
        << "a file address is no link";
    EXPECT_FALSE(controller->labelPrePaidLinkForDidizu_->text().contains(QStringLiteral("href")));
    emit controller->labelHomeLinkForDidizu_->linkActivated(QStringLiteral("http://127.0.0.1:8080/home"));
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://127.0.0.1:8080/home")});
}

// --- programs, the operator's windows and the page layout -----------------------------------------------

TEST_F(OperatorTest, BrowserAndTvPlayerStartThroughTheProgramLauncher)
{
    buildOperator({});
    RecordingLauncher launcher;
    yov::ScopedProgramLauncher scoped(&launcher);
    for (bool result : {true, false}) {
        launcher.result = result; // a failed start is logged and changes nothing else
        controller->tbiMainHomewebAction(nullptr);
        controller->tbiMainYOVPlayerAction(nullptr);
    }
    ASSERT_EQ(launcher.started.size(), 4);
    for (int i : {0, 2}) {
        EXPECT_EQ(launcher.started[i].program, QStringLiteral("x-www-browser"));
        EXPECT_TRUE(launcher.started[i].arguments.isEmpty());
        EXPECT_EQ(launcher.started[i + 1].program, QDir(resources_).filePath(QStringLiteral("TV Player.app")));
        EXPECT_TRUE(launcher.started[i + 1].arguments.isEmpty());
    }
    EXPECT_TRUE(opened.isEmpty()) << "neither goes through the URL opener";
}

TEST_F(OperatorTest, OperatorWindowsOpenInFrontAndClose)
{
    buildOperator({});
    struct Case {
        const char *name;
        void (ostrel::MainController::*open)(QObject *);
        QPointer<QDialog> ostrel::MainController::*window;
        const char *text; // the token of its text (this test loads no token list)
    };
    const Case cases[] = {
        {"balance", &ostrel::MainController::tbiMainUSSDPopUPAction, &ostrel::MainController::wndUSSDPopUp_,
         "STRING_BALANCE_INFO"},
        {"quick tips", &ostrel::MainController::openWndDedeviQuickTips, &ostrel::MainController::wndDedeviQuickTips_,
         "STRING_QUICK_TIPS"},
        {"support", &ostrel::MainController::showSupportWindowForViettel, &ostrel::MainController::supportWindow_,
         "STRING_SUPPORT_INFO"},
        {"USSD guide", &ostrel::MainController::showUSSDGuideWindowForViettel,
         &ostrel::MainController::ussdGuideWindow_, "STRING_USSD_GUIDE"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ((controller.get()->*c.window).data(), nullptr) << "made on first use";
        (controller.get()->*c.open)(nullptr);
        QDialog *window = (controller.get()->*c.window).data();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        const auto labels = window->findChildren<QLabel *>();
        ASSERT_FALSE(labels.isEmpty());
        EXPECT_TRUE(labels.first()->text().contains(QLatin1String(c.text))) << labels.first()->text().toStdString();
        (controller.get()->*c.open)(nullptr);
        EXPECT_EQ((controller.get()->*c.window).data(), window) << "one window, shown again";
        auto *close = window->findChild<QPushButton *>(window->objectName() + QStringLiteral("Close"));
        ASSERT_NE(close, nullptr);
        close->click();
        EXPECT_FALSE(window->isVisible());
    }

    // The balance window's own shortcuts and its toolbar close action.
    QStringList actions;
    QObject observer;
    notifications.addObserver(&observer, QStringLiteral("USSDBundleMessage"), nullptr,
                              [&](const yov::Notification &n) { actions << n.userInfo.value(QStringLiteral("Action")).toString(); });
    controller->tbiMainUSSDPopUPAction(nullptr);
    for (const char *button : {"btnBalanceTopUp", "btnBalanceCheck", "btnBalanceBuyBundles"}) {
        auto *b = controller->wndUSSDPopUp_->findChild<QPushButton *>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }
    EXPECT_EQ(actions, (QStringList{QStringLiteral("TopUp"), QStringLiteral("CheckBalance"), QStringLiteral("BuyBundle")}));
    EXPECT_TRUE(controller->wndUSSDPopUp_->isVisible());
    controller->closeUSSDPopUPAction(nullptr);
    EXPECT_FALSE(controller->wndUSSDPopUp_->isVisible());
    controller->closeUSSDPopUPAction(nullptr); // closing a closed window is harmless
}

TEST_F(OperatorTest, VuzodLayoutFollowsThePageOnlyWhenTheSkinAsksForIt)
{
    LayoutSkin skin;
    skinAccess = &skin;
    struct Case {
        const char *page;
        const char *module;
        const char *chosenButton;
    };
    const Case cases[] = {{"Internet", "Main", "btnInternet"},
                          {"SMS", "Other", "btnSMS"},
                          {"Phonebook", "Other", "btnPhonebook"},
                          {"Setting", "Other", "btnSetting"},
                          {"DialRecord", "Other", nullptr}};
    for (bool vuzod : {false, true}) {
        buildOperator({{QStringLiteral("UIConfig"), QVariantMap{{QStringLiteral("BraVuzodUI"), vuzod}}}});
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(c.page) + (vuzod ? " with the layout" : " without"));
            skin.log.clear();
            // Through the interface other areas use, and through a tab change.
            static_cast<ostrel::MainControllerInterface &>(*controller).updateUIForBraVuzod(QString::fromLatin1(c.page));
            const QStringList direct = skin.log;
            skin.log.clear();
            notifications.post(QStringLiteral("TabViewItemWillChange"), nullptr,
                               {{QStringLiteral("TabViewItemWillChange"), QString::fromLatin1(c.page)}});
            const QStringList byTab = skin.log.filter(QRegularExpression(QStringLiteral("^(image btn|size|place)")));
            if (!vuzod) {
                EXPECT_TRUE(direct.isEmpty()) << direct.join(u'|').toStdString();
                EXPECT_TRUE(byTab.isEmpty()) << byTab.join(u'|').toStdString();
                continue;
            }
            const QString module = QString::fromLatin1(c.module);
            QStringList expected;
            for (const char *key : {"wndMain", "wndMainTitlebar", "rightbar", "wndMainStatusView"})
                expected << QStringLiteral("image %1=%2").arg(QLatin1String(key), module);
            for (const char *key : {"wndMainTabview", "labelBroadCast"})
                expected << QStringLiteral("size %1=%2").arg(QLatin1String(key), module)
                         << QStringLiteral("place %1=%2").arg(QLatin1String(key), module);
            for (const char *button : {"btnInternet", "btnSMS", "btnPhonebook", "btnSetting"}) {
                const bool chosen = c.chosenButton && qstrcmp(button, c.chosenButton) == 0;
                expected << QStringLiteral("image %1=%2").arg(QLatin1String(button), chosen ? QStringLiteral("In") : QStringLiteral("Out"));
            }
            EXPECT_EQ(direct, expected);
            EXPECT_EQ(byTab, direct.filter(QRegularExpression(QStringLiteral("^(image btn|size|place)"))));
        }
        controller.reset();
    }
    skinAccess = nullptr;
}
