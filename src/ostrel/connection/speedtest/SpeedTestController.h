#pragma once
// The operator's speed test, server side: whether the test runs for the SIM in the modem (the
// operator's list of taking-part networks, "throughputtest.txt"), the radio and cell values the
// device-state controller announces, the upload of a measured result with them, and the plain
// text log of the test ("LogTest.txt" in the trace log's folder).
//
// The server's base address is the deployment's setting Internet/Internet_SpeedTestServerURL;
// the list, the result path and the measuring objects hang below it. All network work is
// asynchronous on the main thread: answers come through callbacks that are dropped when their
// context object is gone.
#include "ostrel/framework/controller/YOVUIController.h"

#include <QHash>
#include <QLoggingCategory>
#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <functional>
#include <optional>

class QNetworkAccessManager;

Q_DECLARE_LOGGING_CATEGORY(lcSpeedTest)

namespace ostrel {

// The fixed credentials and connection-type text that the operator's result service expects.
inline constexpr char kSpeedTestUploadUser[] = "yov";
inline constexpr char kSpeedTestUploadPassword[] = "4kp72wt";
inline constexpr char kSpeedTestConnType[] = "EDGE,GPRS,HSDPA,HSPA+,DC-HSPA+,etc";
// The notification the measuring side posts with its four values.
inline constexpr char kSpeedTestResultNotification[] = "ReadDelayTimeDownlaodUploadValusForSpeedTest";

class SpeedTestController : public YOVUIController {
    Q_OBJECT
public:
    explicit SpeedTestController(const ControllerContext &context = ControllerContext::shared(),
                                 QObject *parent = nullptr);
    ~SpeedTestController() override;

    // The installed controller (the assembly creates one); null when there is none.
    static SpeedTestController *shareSpeedTestController();

    void registerMessages() override;

    // The server's base address (no trailing slash); empty when not configured.
    QString serverBaseUrl() const;
    // The base address with the path appended.
    QUrl serverUrl(const QString &path) const;

    // The operator list's "MCC", "MNC" and "TEST" entries; other keys are ignored; with several
    // "=" on a line the last part wins. A null text gives nothing (logged).
    static std::optional<QHash<QString, QString>> readSupportTestSpeedMccMnc(const QString &text);
    // Whether a list entry matches the SIM: the MCC is the same, TEST is "ON" and one MNC entry
    // begins with the SIM's MNC.
    static bool listMatchesSim(const QHash<QString, QString> &list, const QString &mcc, const QString &mnc);

    // Starts a fresh log and decides whether the test runs for the current SIM; answers through
    // the callback unless the context is destroyed first.
    void isNeedTestSpeed(QObject *context, std::function<void(bool)> answer);

    // The result upload address for the four measured values, with the kept radio and cell values.
    QUrl uploadUrl(const QVariantMap &result) const;
    // Posts the result (the notification's user info) to the operator's result service.
    Q_INVOKABLE void uploadSpeedTestResult(const yov::Notification &n);
    Q_INVOKABLE void setRscpRssiEcnoInfo(const yov::Notification &n);
    Q_INVOKABLE void setCellIdInfo(const yov::Notification &n);

    // Adds one entry to the log: "%d/%m/%y %H:%M:%S", four blanks, the text.
    void writeToLogFile(const QString &text);
    // Where the log lives (default: "LogTest.txt" in the trace log's folder).
    QString logFilePath() const;
    void setLogFilePath(const QString &path) { logFilePath_ = path; }
    void deleteLogFile();

    // The home MCC and MNC of the SIM (first three characters, the rest); empty when the home
    // code is shorter than five characters.
    std::pair<QString, QString> homeMccMnc() const;

    QNetworkAccessManager &network();

private:
    std::optional<QVariantMap> dictForRscpRssiEcno_;
    std::optional<QString> cellIDForSpeedTest_;
    QString logFilePath_;
    QNetworkAccessManager *network_ = nullptr;
};

} // namespace ostrel
