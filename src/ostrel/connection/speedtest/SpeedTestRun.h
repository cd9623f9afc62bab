#pragma once
// One run of the connection speed test: the latency (five GETs of "/latency.txt", 5 s each), the
// download rate (two GETs of "/modemdltest.jpg", 60 s each) and the upload rate (iperf 2 in UDP
// client mode against the same host), one step after the other on the main thread.
//
// A run is abandoned by deleting it: nothing it started reports afterwards, and a running iperf
// is ended.
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace ostrel {

// iperf's options of the test (Internet/Internet_ParmsForUploadTestTool).
struct IperfParameters {
    int interval = 0;   // Internet_TimeUnitforIperf: seconds between reports
    int megabytes = 0;  // Internet_SendDataforIperf
    int bandwidth = 0;  // Internet_TheorySpeedforIperf: Mbit/s
    int time = 0;       // Internet_TotalSendTimeforIperf: seconds; 0: the byte count ends the run
};

struct SpeedTestSetup {
    QString serverBaseUrl;             // the server's base address, no trailing slash
    std::optional<int> iperfPort;      // none: iperf's own default
    std::optional<IperfParameters> iperf; // none: the test ends before the upload step
    QString iperfProgram = QStringLiteral("iperf");
    QString iperfOutputFile;           // each run's output is appended here
    int latencyTimeoutMs = 5000;
    int downloadTimeoutMs = 60000;
};

struct SpeedTestValues {
    double delayTimeMs = 0;     // mean time of one latency request
    double downloadBitsPerSecond = 0;
    double uploadValue = 0;     // the figure of iperf's total line, digits alone
};

class SpeedTestRun : public QObject {
    Q_OBJECT
public:
    using Log = std::function<void(const QString &)>;
    using Done = std::function<void(const SpeedTestValues &)>;

    SpeedTestRun(QNetworkAccessManager &network, SpeedTestSetup setup, Log log, QObject *parent = nullptr);
    ~SpeedTestRun() override;

    // Runs the three steps; done is called once with the values, unless the run ends early
    // (no iperf parameters) or is deleted first.
    void start(Done done);

    // iperf's arguments: -u -c <host> [-p <port>] -i <interval> -n <N>M -b <B>Mbit/s [-t <time>].
    static QStringList iperfArguments(const QString &host, std::optional<int> port, const IperfParameters &p);
    // How long iperf may run before it is ended: its time (else the bytes at the target rate)
    // plus 15 s.
    static int iperfGuardMs(const IperfParameters &p);
    // The figure of the last line of iperf's output that ends with "its/sec", read by its digits
    // alone ("1.05 Mbits/sec" gives 105); 0 without such a line.
    static double readUploadSpeedValue(const QByteArray &output, bool *found = nullptr);

    QProcess *iperfProcess() const { return iperf_; }

private:
    void latencyStep();
    void latencyNext();
    void downloadStep();
    void downloadNext();
    void uploadStep();
    void finishUpload(const QByteArray &output);
    void get(const QString &path, int timeoutMs, std::function<void(bool ok, qint64 bytes, const QString &error)> then);

    QNetworkAccessManager &network_;
    SpeedTestSetup setup_;
    Log log_;
    Done done_;
    SpeedTestValues values_;
    QElapsedTimer elapsed_;
    int remaining_ = 0;
    double downLoadData_ = 0;
    QPointer<QProcess> iperf_;
    QPointer<QNetworkReply> reply_; // the request under way
    int guardTimer_ = 0;
    bool iperfFinished_ = false;

protected:
    void timerEvent(QTimerEvent *event) override;
};

} // namespace ostrel
