// The connection speed test and the record of why a connection ended.
#include "ostrel/connection/dial/DialController.h"

#include "ostrel/connection/speedtest/SpeedTestController.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/switches/ConfigService.h"

#include "common/ValueConversion.h"
#include "common/util/KLog.h"

#include <QDir>
#include <QUrl>

namespace ostrel {

namespace {

void speedTestLog(const QString &text)
{
    if (SpeedTestController *tester = SpeedTestController::shareSpeedTestController())
        tester->writeToLogFile(text);
    else
        qCInfo(lcSpeedTest) << text;
}

std::optional<IperfParameters> iperfParametersOf(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap map = value.toMap();
    IperfParameters p;
    p.interval = yov::nsInt(map.value(QStringLiteral("Internet_TimeUnitforIperf")));
    p.megabytes = yov::nsInt(map.value(QStringLiteral("Internet_SendDataforIperf")));
    p.bandwidth = yov::nsInt(map.value(QStringLiteral("Internet_TheorySpeedforIperf")));
    p.time = yov::nsInt(map.value(QStringLiteral("Internet_TotalSendTimeforIperf")));
    return p;
}

} // namespace

void DialController::testSpeed()
{
    if (connectStatus_ != yov::kConnectStatusConnected)
        return; // leaves a running test alone
    delete speedTestRun_; // an older test is abandoned: its result is never posted
    SpeedTestController *tester = SpeedTestController::shareSpeedTestController();
    if (!tester)
        return;
    SpeedTestSetup setup;
    setup.serverBaseUrl = tester->serverBaseUrl();
    if (setup.serverBaseUrl.isEmpty()) {
        if (ConfigService(&config()).isNeedTestSpeedAtConnected())
            speedTestLog(QStringLiteral("No speed test server configured (Internet_SpeedTestServerURL)"));
        return;
    }
    const QVariant port = internetValue("Internet_SpeedTestIperfPort");
    if (port.isValid() && yov::nsInt(port) > 0)
        setup.iperfPort = yov::nsInt(port);
    setup.iperf = iperfParametersOf(internetValue("Internet_ParmsForUploadTestTool"));
    setup.iperfProgram = speedTestIperfProgram_;
    setup.iperfOutputFile = QDir(yov::KLog::sharedLog().logDir()).filePath(QStringLiteral("iprfValue.txt"));

    auto *run = new SpeedTestRun(tester->network(), std::move(setup), speedTestLog, this);
    speedTestRun_ = run;
    tester->isNeedTestSpeed(run, [this, run](bool need) {
        if (!need || connectStatus_ != yov::kConnectStatusConnected) {
            run->deleteLater();
            return;
        }
        run->start([this, run](const SpeedTestValues &values) {
            const int reason = yov::nsInt(internetValue("DisconnectReason"));
            notificationCenter().post(QLatin1String(kSpeedTestResultNotification), this,
                                      {{QStringLiteral("DisconnectionReason"), reason},
                                       {QStringLiteral("DownloadSpeedValue"), float(values.downloadBitsPerSecond)},
                                       {QStringLiteral("UploadSpeedValue"), float(values.uploadValue)},
                                       {QStringLiteral("DelayTimeValue"), float(values.delayTimeMs)}});
            run->deleteLater();
        });
    });
}

void DialController::writeDisconetNetWorkReason()
{
    if (!ConfigService(&config()).isNeedTestSpeedAtConnected())
        return;
    int reason = 1;
    QString text = QStringLiteral("Disconnect Reason: Unreason disconnect");
    if (manualDisconnectFlag_) {
        reason = 0;
        text = QStringLiteral("Disconnect Reason: Manual Disconnect");
    } else if (isDeviceRemoved_) {
        reason = 2;
        text = QStringLiteral("Disconnect Reason: Device Remove");
    }
    config().setConfigurationByModuleKeyAndValue(QStringLiteral("Internet"), QStringLiteral("DisconnectReason"), reason);
    if (!config().writeToFile())
        qCWarning(lcSpeedTest) << "cannot write settings.plist after storing the disconnect reason";
    speedTestLog(text);
}

} // namespace ostrel
