// The diagnostics sheet and the speed test through the assembled dashboard against the stand-in:
// the help menu's items, the sheet filled from the modem, its export, the trace logs, the report
// SMS, and a connection measured against a local server and a local iperf 2 server.
#include "DashboardFixture.h"

#include "common/records/Payload.h"
#include "common/records/sms/SmsRecords.h"

#include "common/BuildInfo.h"
#include "common/util/KLog.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/service/Platform.h"
#include "ostrel/sms/page/SMSController.h"
#include "support/LocalHttpServer.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QBoxLayout>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/types.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

class RecordingSms : public DefaultSMSController {
public:
    QStringList sent; // "number: text"
    bool accept = true; // false: the page refuses the send
    bool sendSmsTo(const QString &number, const QString &text, bool, bool, bool) override
    {
        sent << number + QStringLiteral(": ") + text;
        return accept;
    }
};

class DashboardDiagnosticsTest : public DashboardFixture {
protected:
    void TearDown() override
    {
        if (assembly_)
            Neighbours::setSms(assembly_->smsController()); // a test's SMS fake is gone
        DashboardFixture::TearDown();
        yov::KLog::setSharedLog(nullptr);
        Platform::sharedPlatform()->reset();
    }
    // A trace log of the test's own, whose folder was chosen without LogFileDir.
    std::unique_ptr<yov::KLog> log_;
    QTemporaryDir logDir_;
    QAction *menuItem(const char *title) const { return main()->menuItemNamed(QLatin1String(title)); }
    QString diag(const char *field) const { return init()->diagWindow()->text(QLatin1String(field)); }
    void openSheet()
    {
        QAction *item = menuItem("Diagnostics");
        ASSERT_TRUE(item);
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
        ASSERT_TRUE(init()->diagWindow());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(init()->diagWindow()));
    }
    QStringList opened_;
};

} // namespace

TEST_F(DashboardDiagnosticsTest, SheetIsFilledFromTheModemAndExportedAsShown)
{
    setSettings({{QStringLiteral("CellId/ShowLastNum"), 4}});
    setScenarioModem(QStringLiteral("Network"),
                     {{QStringLiteral("Rac"), 77}, {QStringLiteral("Frequency"), QStringLiteral("1932.4 MHz")},
                      {QStringLiteral("Channel"), 9662}, {QStringLiteral("RxQual"), 5}, {QStringLiteral("RxLev"), 38}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    init()->openFileHook = [this](const QString &path) {
        opened_ << path;
        return true;
    };
    ASSERT_TRUE(QTest::qWaitFor([this] { return !init()->m_FWVersion.isEmpty(); }, kWaitMs));
    // Registered, with a signal and a serving cell reported.
    ASSERT_TRUE(QTest::qWaitFor([this] { return init()->hasCSDomain() && init()->m_SignalStrength != 0
                                                && !init()->networkLogic().signal.rssi().isEmpty()
                                                && !init()->m_IMSI.isEmpty(); },
                                kWaitMs));
    init()->openRssiLacCiWindow(nullptr);
    ASSERT_TRUE(init()->signalWindow());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !init()->signalWindow()->labelRssiLacCiWindowCiValue_->text().isEmpty(); },
                                kWaitMs));
    saveScreenshot(init()->signalWindow(), QStringLiteral("diagnostics-cell-window.png"));
    init()->closeRssiLacCiWindow(nullptr);
    ASSERT_TRUE(menuItem("Logs") && menuItem("Logs")->isEnabled());
    ASSERT_TRUE(menuItem("About...") && menuItem("About...")->isEnabled());
    openSheet();

    EXPECT_EQ(diag("Diag_SoftwareVersion"), yov::BuildInfo::version());
    EXPECT_EQ(diag("Diag_FWV"), init()->m_FWVersion);
    EXPECT_EQ(diag("Diag_DeviceName"), init()->m_Devicemodel);
    EXPECT_EQ(diag("Diag_IMSI"), init()->m_IMSI);
    EXPECT_FALSE(diag("Diag_IMSI").isEmpty());
    EXPECT_EQ(diag("Diag_APN"), dial()->getDefaultProfileAPN());
    EXPECT_FALSE(diag("Diag_OSVer").isEmpty());
    EXPECT_EQ(init()->dicDiagWindowInfo_.value(QStringLiteral("FirmwareVersion")).toString(), init()->m_FWVersion);
    EXPECT_EQ(init()->diagWindow()->label(QStringLiteral("Diag_OSVer"))->text(), QStringLiteral("OS version:"));
    // The radio texts of the last signal report, though reports do not refresh the sheet here.
    EXPECT_FALSE(config_->getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("UpdateDiagWindow")).toBool());
    for (const char *field : {"tfdDiagRSSI_", "tfdDiagRSCP_", "tfdDiagECNO_"})
        EXPECT_TRUE(diag(field).endsWith(QLatin1String(" dBm"))) << field << ": " << diag(field).toStdString();
    EXPECT_EQ(diag("tfdDiagRSSI_"), init()->networkLogic().signal.rssi());
    // The serving cell's details the modem reported, before or after the sheet was opened: a
    // report reaches the open sheet without a refresh.
    ASSERT_TRUE(QTest::qWaitFor([this] { return diag("tfdDiagRAC_") == QLatin1String("77"); }, kWaitMs))
        << diag("tfdDiagRAC_").toStdString();
    const std::pair<const char *, const char *> details[] = {{"tfdDiagRAC_", "77"},    {"tfdDiagFrequency_", "1932.4 MHz"},
                                                             {"tfdDiagChannel_", "9662"}, {"tfdDiagRXqual_", "5"},
                                                             {"tfdDiagRXlev_", "38"}};
    for (const auto &[field, value] : details)
        EXPECT_EQ(diag(field), QLatin1String(value)) << field;
    ASSERT_EQ(control(QStringLiteral("SetModemState"),
                      {QStringLiteral("Network"), QVariantMap{{QStringLiteral("Rac"), 78}, {QStringLiteral("Channel"), 9663}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QTest::qWaitFor([this] { return diag("tfdDiagRAC_") == QLatin1String("78"); }, kWaitMs))
        << diag("tfdDiagRAC_").toStdString();
    EXPECT_EQ(diag("tfdDiagChannel_"), QStringLiteral("9663"));
    saveScreenshot(init()->diagWindow(), QStringLiteral("diagnostics-device.png"));
    init()->diagWindow()->selectSegment(2);
    saveScreenshot(init()->diagWindow(), QStringLiteral("diagnostics-sim.png"));
    init()->diagWindow()->selectSegment(3);
    saveScreenshot(init()->diagWindow(), QStringLiteral("diagnostics-network.png"));
    // The serving cell: the last four digits of the reported cell ID, in decimal.
    EXPECT_FALSE(diag("Diag_SerCell").isEmpty());
    EXPECT_EQ(diag("Diag_CSRegistration"), QStringLiteral("Registration"));
    EXPECT_EQ(init()->diagWindow()->diagSegmentedTable_->tabText(1), QStringLiteral("System"));

    // Export: the file holds the sheet's text and is opened.
    init()->diagWindow()->m_OpenDiagInfoWithTEBtn->click();
    const QString path = QDir(modemList_).filePath(QStringLiteral("DiagInfo.txt"));
    ASSERT_EQ(opened_, QStringList{path});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_EQ(text, init()->diagExport());
    EXPECT_TRUE(text.startsWith(QStringLiteral("Hardware Information:     \n        IMEI number:     "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n        Firmware version:     ") + init()->m_FWVersion + QLatin1Char('\n')));
    EXPECT_TRUE(text.contains(QStringLiteral("\nNetwork Settings:     \n")));

    // An export that cannot be written is told, and nothing is opened.
    file.close();
    opened_.clear();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir(modemList_).mkdir(QStringLiteral("DiagInfo.txt")));
    EXPECT_FALSE(init()->OpenDiagInfoInTextEdit(nullptr));
    EXPECT_TRUE(opened_.isEmpty());
    EXPECT_FALSE(presenter_.messages().filter(QStringLiteral("DiagInfo.txt")).isEmpty());

    // The OK button closes the sheet.
    init()->diagWindow()->m_DiagWindowOKBtn->click();
    EXPECT_FALSE(init()->diagWindow()->isVisible());
}

TEST_F(DashboardDiagnosticsTest, LogsOpenTheTraceFilesThatExistAndTheReportGoesBySms)
{
    setSettings({{QStringLiteral("SendReportTo"), QStringLiteral("+601100")}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    init()->openFileHook = [this](const QString &path) {
        opened_ << path;
        return true;
    };
    const QDir logDir(yov::KLog::sharedLog().logDir());
    QStringList expected;
    for (const char *name : {"at_read.log", "at_write.log", "at_Modem_read.log", "at_Modem_write.log"})
        if (QFile::exists(logDir.filePath(QLatin1String(name))))
            expected << logDir.filePath(QLatin1String(name));
    menuItem("Logs")->trigger();
    EXPECT_EQ(opened_, expected);

    RecordingSms sms;
    Neighbours::setSms(&sms);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !init()->networkLogic().signal.rssi().isEmpty(); }, kWaitMs));
    openSheet();
    init()->diagWindow()->btnSendReport_->click();
    Neighbours::setSms(assembly_->smsController());
    ASSERT_EQ(sms.sent.size(), 1);
    EXPECT_TRUE(sms.sent[0].startsWith(QStringLiteral("+601100: "))) << sms.sent[0].toStdString();
    // Cell ID, LAC, then the radio values without their unit.
    const QStringList values = sms.sent[0].mid(9).split(QStringLiteral(", "));
    ASSERT_GE(values.size(), 5) << sms.sent[0].toStdString();
    EXPECT_EQ(values[2] + QStringLiteral(" dBm"), init()->networkLogic().signal.rssi()) << sms.sent[0].toStdString();
    EXPECT_EQ(values[3] + QStringLiteral(" dBm"), init()->networkLogic().signal.rscp()) << sms.sent[0].toStdString();
    EXPECT_TRUE(sms.sent[0].endsWith(QStringLiteral(", YOV ") + init()->m_Devicemodel)) << sms.sent[0].toStdString();
    EXPECT_TRUE(init()->reportSendFlag());
}

TEST_F(DashboardDiagnosticsTest, TheReportSmsReachesTheModemAndItsAnswerEndsTheReport)
{
    setSettings({{QStringLiteral("SendReportTo"), QStringLiteral("+601100")}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    openSheet();
    init()->diagWindow()->btnSendReport_->click();
    ASSERT_TRUE(QTest::qWaitFor([] { return !receivedPayloads(768, yov::smsmsg::kMinorSend).isEmpty(); }, kWaitMs));
    const yov::SmsSendRequest sent =
        yov::SmsSendRequest::decode(yov::PayloadReader(receivedPayloads(768, yov::smsmsg::kMinorSend).first()));
    EXPECT_EQ(sent.recipient, QStringLiteral("+601100"));
    EXPECT_TRUE(sent.text.endsWith(QStringLiteral(", YOV ") + init()->m_Devicemodel)) << sent.text.toStdString();
    EXPECT_FALSE(sent.noResultWanted);
    EXPECT_FALSE(sent.saveInBox);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !init()->reportSendFlag(); }, kWaitMs)) << "the answer clears the report";
    EXPECT_TRUE(QTest::qWaitFor([this] { return presenter_.messages().contains(QStringLiteral("The report was sent.")); }, kWaitMs))
        << presenter_.messages().join(" | ").toStdString();
}

TEST_F(DashboardDiagnosticsTest, ConnectionIsMeasuredAndTheResultUploaded)
{
    // A local iperf 2 server on a free UDP port.
    quint16 port = 0;
    {
        QUdpSocket probe;
        ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
        port = probe.localPort();
    }
    QProcess iperfServer;
    iperfServer.start(QStringLiteral("iperf"), {QStringLiteral("-s"), QStringLiteral("-u"), QStringLiteral("-B"),
                                                QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(port)});
    ASSERT_TRUE(iperfServer.waitForStarted(5000)) << "iperf (version 2) must be installed";
    struct EndByPid {
        QProcess &p;
        ~EndByPid()
        {
            if (p.processId() > 0)
                ::kill(pid_t(p.processId()), SIGKILL); // its UDP server ignores SIGTERM
            p.waitForFinished(5000);
        }
    } endServer{iperfServer};

    testing_support::LocalHttpServer server;
    server.route("/latency.txt", {"ok", "text/plain"});
    server.route("/modemdltest.jpg", {QByteArray(20000, 'x'), "image/jpeg"});
    setSettings({{QStringLiteral("Internet/Internet_IsNeedTestSpeedAtConnected"), false},
                 {QStringLiteral("Internet/Internet_SpeedTestServerURL"), server.url("")},
                 {QStringLiteral("Internet/Internet_SpeedTestIperfPort"), int(port)},
                 {QStringLiteral("Internet/Internet_ParmsForUploadTestTool"),
                  QVariantMap{{QStringLiteral("Internet_TimeUnitforIperf"), 1},
                              {QStringLiteral("Internet_SendDataforIperf"), 1},
                              {QStringLiteral("Internet_TheorySpeedforIperf"), 1},
                              {QStringLiteral("Internet_TotalSendTimeforIperf"), 1}}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    ASSERT_TRUE(QTest::qWaitFor([this] { return init()->currentHmccmnc().size() >= 5; }, kWaitMs));
    const QString home = init()->currentHmccmnc();
    server.route("/throughputtest.txt",
                 {"MCC=" + home.left(3).toUtf8() + "\nMNC=" + home.mid(3).toUtf8() + "\nTEST=ON\n", "text/plain"});

    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs));
    auto uploaded = [&server] {
        for (const QByteArray &path : server.requested)
            if (path.startsWith("/check/checkspeed.php/"))
                return path;
        return QByteArray();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !uploaded().isEmpty(); }, 30000)) << server.requested.join(' ').constData();
    const QByteArray path = uploaded();
    auto field = [&path](const char *name) {
        const QByteArray key = QByteArray(name) + '=';
        const qsizetype at = path.indexOf(key);
        if (at < 0)
            return QByteArray("<missing>");
        const qsizetype end = path.indexOf('&', at + key.size());
        return path.mid(at + key.size(), end < 0 ? -1 : end - at - key.size());
    };
    EXPECT_GT(field("&upload").toDouble(), 0) << path.constData();
    EXPECT_EQ(field("&mcc"), home.left(3).toUtf8()) << path.constData();
    EXPECT_EQ(field("&mnc"), home.mid(3).toUtf8()) << path.constData();
    // The serving cell and the radio values the modem reported go with the result.
    EXPECT_EQ(field("&cellid"), QByteArray::number(0x4F21)) << path.constData();
    bool numeric = false;
    field("&rssi").toInt(&numeric);
    EXPECT_TRUE(numeric) << path.constData();

    // The user's disconnect is stored as the reason.
    pressConnectButton(QStringLiteral("Disconnect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs));
    EXPECT_EQ(storedSettings().value(QStringLiteral("Internet")).toMap().value(QStringLiteral("DisconnectReason")).toInt(), 0);
}

TEST_F(DashboardDiagnosticsTest, SignalReportsRefreshTheOpenSheetWhenAsked)
{
    setSettings({{QStringLiteral("Main/UpdateDiagWindow"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    openSheet();
    init()->diagWindow()->setText(QStringLiteral("tfdDiagRSSI_"), QString());
    // The modem's next radio report reaches the open sheet without a refresh.
    EXPECT_TRUE(QTest::qWaitFor([this] { return diag("tfdDiagRSSI_").endsWith(QLatin1String(" dBm")); }, kWaitMs))
        << diag("tfdDiagRSSI_").toStdString();
}

TEST_F(DashboardDiagnosticsTest, ImsiRowIsReadFromTheModemAgainWhenTheSheetAsks)
{
    setSettings({{QStringLiteral("Setting/CheckIMSIForDiag"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !init()->m_IMSI.isEmpty(); }, kWaitMs));
    openSheet();
    // The sheet asks the modem, and its answer fills the row.
    EXPECT_TRUE(QTest::qWaitFor([this] { return diag("Diag_IMSI") == init()->m_IMSI; }, kWaitMs));
    init()->diagWindow()->setText(QStringLiteral("Diag_IMSI"), QString());
    init()->diagWindow()->m_DiagWindowRefreshBtn->click();
    EXPECT_TRUE(diag("Diag_IMSI").isEmpty()); // not the IMSI known: the one the modem reports
    EXPECT_TRUE(QTest::qWaitFor([this] { return diag("Diag_IMSI") == init()->m_IMSI; }, kWaitMs))
        << diag("Diag_IMSI").toStdString();
}

TEST_F(DashboardDiagnosticsTest, FillingStopsAtTheComputerRowsWhileTheCardIsAway)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !init()->m_FWVersion.isEmpty() && init()->hasCSDomain(); }, kWaitMs));
    openSheet();
    EXPECT_EQ(diag("Diag_CSRegistration"), QStringLiteral("Registration"));
    EXPECT_FALSE(diag("Diag_FWV").isEmpty());

    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([] { return Neighbours::sms().getNetCardStatus() == 1; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([this] { return diag("Diag_FWV").isEmpty(); }, kWaitMs));
    init()->diagWindow()->m_DiagWindowRefreshBtn->click();
    // The computer rows are filled again; the card's rows, which would read "Not Registration"
    // and "Detached" without the card, stay empty.
    EXPECT_EQ(diag("Diag_SoftwareVersion"), yov::BuildInfo::version());
    EXPECT_FALSE(diag("Diag_OSVer").isEmpty());
    EXPECT_FALSE(diag("Diag_ManuName").isEmpty());
    for (const char *field : {"Diag_FWV", "Diag_DeviceName", "Diag_CSRegistration", "Diag_PSRegistration",
                              "Diag_PSAttachment", "Diag_NetworkName", "Diag_SerCell"})
        EXPECT_TRUE(diag(field).isEmpty()) << field << ": " << diag(field).toStdString();
}

TEST_F(DashboardDiagnosticsTest, NetworkNameFollowsTheConfiguredRule)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    openSheet();
    const QString unknown = QStringLiteral("Unknown"); // the worded "unknown" of the token lists
    struct Case {
        bool homeAtDiag;  // Init/DisPlayBelonetoSPNAtDiagWin
        bool spnAtDiag;   // Internet/DisPlaySPNAtDiagWin
        const char *spn;  // the SIM's home name
        const char *local;
        const char *home; // the home name the main window shows
        const char *expected; // null: "Unknown"
    };
    const Case cases[] = {
        {true, false, "HomeNet", "Local", "", "HomeNet"},
        {true, true, "", "Local", "Shown", nullptr},
        {false, false, "HomeNet", "Local", "Shown", "Local"},
        {false, false, "HomeNet", "", "Shown", nullptr},
        {false, true, "HomeNet", "", "Shown", "Shown"},
        {false, true, "HomeNet", "", "", nullptr},
        {false, true, "HomeNet", "Local", "Shown", "Local"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.homeAtDiag << c.spnAtDiag << " " << c.spn << "/" << c.local << "/" << c.home);
        ASSERT_TRUE(config_->setConfigurationByModuleKeyAndValue(QStringLiteral("Init"),
                                                                 QStringLiteral("DisPlayBelonetoSPNAtDiagWin"), c.homeAtDiag));
        ASSERT_TRUE(config_->setConfigurationByModuleKeyAndValue(QStringLiteral("Internet"),
                                                                 QStringLiteral("DisPlaySPNAtDiagWin"), c.spnAtDiag));
        init()->m_SPN = QLatin1String(c.spn);
        init()->m_NameOfLocalSPN->setText(QLatin1String(c.local));
        init()->m_NameOfBelonetoSPN->setText(QLatin1String(c.home));
        init()->diagWindow()->m_DiagWindowRefreshBtn->click();
        EXPECT_EQ(diag("Diag_NetworkName"), c.expected ? QLatin1String(c.expected) : unknown);
        EXPECT_EQ(init()->dicDiagWindowInfo_.value(QStringLiteral("NetworkName")).toString(), diag("Diag_NetworkName"));
    }
}

TEST_F(DashboardDiagnosticsTest, ReportWithoutRecipientSendsNothing)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    RecordingSms sms;
    Neighbours::setSms(&sms);
    openSheet();
    // No SendReportTo, then an empty one, then blanks: nothing goes and the flag stays down.
    init()->diagWindow()->btnSendReport_->click();
    for (const char *recipient : {"", "   "}) {
        ASSERT_TRUE(config_->setConfigurationByModule(QStringLiteral("SendReportTo"), QLatin1String(recipient)));
        init()->diagWindow()->btnSendReport_->click();
    }
    EXPECT_TRUE(sms.sent.isEmpty()) << sms.sent.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(init()->reportSendFlag());
    // With a recipient the report goes.
    ASSERT_TRUE(config_->setConfigurationByModule(QStringLiteral("SendReportTo"), QStringLiteral("+6011")));
    init()->diagWindow()->btnSendReport_->click();
    ASSERT_EQ(sms.sent.size(), 1);
    EXPECT_TRUE(sms.sent[0].startsWith(QStringLiteral("+6011: ")));
    EXPECT_TRUE(init()->reportSendFlag());
    // A send the SMS page refuses leaves no report on its way.
    init()->setReportSendFlag(false);
    sms.accept = false;
    init()->diagWindow()->btnSendReport_->click();
    Neighbours::setSms(assembly_->smsController());
    EXPECT_EQ(sms.sent.size(), 2);
    EXPECT_FALSE(init()->reportSendFlag());
}

TEST_F(DashboardDiagnosticsTest, LogsOpenFromTheFolderTheTraceLogChoseWithoutLogFileDir)
{
    ASSERT_TRUE(logDir_.isValid());
    yov::KLog::Options options;
    options.runtimeDir = logDir_.path(); // no LogFileDir: the trace log picks this folder
    log_ = std::make_unique<yov::KLog>(options);
    yov::KLog::setSharedLog(log_.get());
    ASSERT_EQ(log_->logDir(), logDir_.path());
    // The trace log made its two files; one of the modem's is there, the other is missing.
    QFile modemRead(QDir(logDir_.path()).filePath(QStringLiteral("at_Modem_read.log")));
    ASSERT_TRUE(modemRead.open(QIODevice::WriteOnly));
    modemRead.close();
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    init()->openFileHook = [this](const QString &path) {
        opened_ << path;
        return true;
    };
    menuItem("Logs")->trigger();
    const QDir dir(logDir_.path());
    EXPECT_EQ(opened_, (QStringList{dir.filePath(QStringLiteral("at_read.log")), dir.filePath(QStringLiteral("at_write.log")),
                                    dir.filePath(QStringLiteral("at_Modem_read.log"))}));
}

TEST_F(DashboardDiagnosticsTest, CdmaChipsetKeepsTheFiveComputerRows)
{
    setSettings({{QStringLiteral("Main/DeviceType"), QStringLiteral("CDMA")}});
    setScenarioModem(QStringLiteral("DeviceState"), {{QStringLiteral("DeviceMode"), 3}}); // a CDMA device mode
    Platform::sharedPlatform()->reset();
    launch(QStringLiteral("default.plist"));
    ASSERT_EQ(Platform::sharedPlatform()->platform(), Platform::CDMA);
    ASSERT_TRUE(waitSimReady());
    openSheet();
    DiagWindow *w = init()->diagWindow();
    EXPECT_FALSE(w->diagSegmentedTable_->isVisible());
    EXPECT_FALSE(w->m_OpenDiagInfoWithTEBtn->isVisible());
    EXPECT_FALSE(w->btnSendReport_->isVisible());
    EXPECT_TRUE(w->m_DiagWindowOKBtn->isVisible());
    EXPECT_TRUE(w->m_DiagWindowRefreshBtn->isVisible());
    // The visible values, top to bottom, are the five rows, each beside its label.
    QList<QLabel *> shown;
    for (QLabel *l : w->findChildren<QLabel *>())
        if (l->isVisible() && !l->objectName().isEmpty() && !l->objectName().startsWith(QLatin1String("Label_")))
            shown << l;
    std::sort(shown.begin(), shown.end(), [w](QLabel *a, QLabel *b) {
        return a->mapTo(w, QPoint()).y() < b->mapTo(w, QPoint()).y();
    });
    QStringList names;
    for (QLabel *l : shown) {
        names << l->objectName();
        QLabel *label = w->label(l->objectName());
        ASSERT_TRUE(label && label->isVisible()) << l->objectName().toStdString();
        EXPECT_EQ(label->mapTo(w, QPoint()).y(), l->mapTo(w, QPoint()).y());
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("Diag_SoftwareVersion"), QStringLiteral("Diag_DriverVersion"),
                                  QStringLiteral("Diag_PCModel"), QStringLiteral("Diag_OSVer"), QStringLiteral("Diag_OSLang")}));
    EXPECT_EQ(w->text(QStringLiteral("Diag_SoftwareVersion")), yov::BuildInfo::version());
    EXPECT_FALSE(w->text(QStringLiteral("Diag_OSVer")).isEmpty());
    saveScreenshot(w, QStringLiteral("diagnostics-cdma.png"));
    // The EVDO views are shown, the roaming mark right after the EVDO icon.
    QLabel *evdo = mainWindow()->findChild<QLabel *>(QStringLiteral("imageEvdoStatus"));
    QLabel *roam = mainWindow()->findChild<QLabel *>(QStringLiteral("labelInitRoamStatus"));
    ASSERT_TRUE(evdo && roam);
    EXPECT_FALSE(evdo->isHidden());
    EXPECT_EQ(roam->parentWidget(), evdo->parentWidget());
    auto *row = qobject_cast<QBoxLayout *>(evdo->parentWidget()->layout());
    ASSERT_TRUE(row);
    EXPECT_GT(row->indexOf(roam), row->indexOf(evdo));
    EXPECT_LE(row->indexOf(roam), row->indexOf(evdo) + 2);
    // A removal sets the views up again without duplicating anything.
    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([] { return Neighbours::sms().getNetCardStatus() == 1; }, kWaitMs));
    EXPECT_EQ(w->findChildren<QWidget *>(QStringLiteral("diagShortView")).size(), 1);
}
