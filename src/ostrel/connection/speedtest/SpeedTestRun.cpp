#include "ostrel/connection/speedtest/SpeedTestRun.h"
#include "ostrel/connection/speedtest/PrivateFileAppend.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QTimerEvent>

namespace ostrel {

namespace {

constexpr int kLatencyRequests = 5;
constexpr int kDownloadRequests = 2;
constexpr int kIperfGraceMs = 15000;
// The longest digit run read as a figure; longer ones are no rate iperf prints.
constexpr int kMaxFigureDigits = 18;

} // namespace

SpeedTestRun::SpeedTestRun(QNetworkAccessManager &network, SpeedTestSetup setup, Log log, QObject *parent)
    : QObject(parent), network_(network), setup_(std::move(setup)), log_(std::move(log))
{
}

SpeedTestRun::~SpeedTestRun()
{
    if (reply_) {
        reply_->disconnect(this); // its answer no longer goes to this run
        reply_->abort();
    }
    if (iperf_ && iperf_->state() != QProcess::NotRunning) {
        iperf_->disconnect(this);
        iperf_->kill();
        iperf_->waitForFinished(2000);
    }
}

QStringList SpeedTestRun::iperfArguments(const QString &host, std::optional<int> port, const IperfParameters &p)
{
    QStringList args{QStringLiteral("-u"), QStringLiteral("-c"), host};
    if (port)
        args << QStringLiteral("-p") << QString::number(*port);
    args << QStringLiteral("-i") << QString::number(p.interval) << QStringLiteral("-n")
         << QStringLiteral("%1M").arg(p.megabytes) << QStringLiteral("-b") << QStringLiteral("%1Mbit/s").arg(p.bandwidth);
    if (p.time > 0)
        args << QStringLiteral("-t") << QString::number(p.time);
    return args;
}

int SpeedTestRun::iperfGuardMs(const IperfParameters &p)
{
    double seconds = 0;
    if (p.time > 0)
        seconds = p.time;
    else if (p.bandwidth > 0)
        seconds = double(p.megabytes) * 1024.0 * 1024.0 * 8.0 / (double(p.bandwidth) * 1e6);
    else
        seconds = 60; // no rate to go by
    return int(std::min(seconds * 1000.0, 24.0 * 3600 * 1000)) + kIperfGraceMs;
}

double SpeedTestRun::readUploadSpeedValue(const QByteArray &output, bool *found)
{
    QByteArray line;
    bool have = false;
    const QList<QByteArray> lines = output.split('\n');
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (it->endsWith("its/sec")) {
            line = *it;
            have = true;
            break;
        }
    }
    if (found)
        *found = have;
    // From the end towards the start: pass the first blank, stop at the second; keep the digits.
    QByteArray digits;
    int blanks = 0;
    for (qsizetype i = line.size() - 1; i >= 0; --i) {
        const char c = line.at(i);
        if (c == ' ') {
            if (++blanks == 2)
                break;
            continue;
        }
        if (c >= '0' && c <= '9')
            digits.prepend(c);
    }
    if (digits.isEmpty() || digits.size() > kMaxFigureDigits)
        return 0;
    return double(digits.toLongLong());
}

void SpeedTestRun::start(Done done)
{
    done_ = std::move(done);
    log_(QStringLiteral("------------Start Speed Test-------------"));
    latencyStep();
}

void SpeedTestRun::get(const QString &path, int timeoutMs,
                       std::function<void(bool ok, qint64 bytes, const QString &error)> then)
{
    QNetworkRequest request(QUrl(setup_.serverBaseUrl + path));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply *reply = network_.get(request);
    // The reply goes when it ends; an abandoned run ends it (see the destructor).
    connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    reply_ = reply;
    connect(reply, &QNetworkReply::finished, this, [reply, then = std::move(then)] {
        if (reply->error() != QNetworkReply::NoError) {
            then(false, 0, reply->errorString());
            return;
        }
        then(true, reply->readAll().size(), QString());
    });
}

void SpeedTestRun::latencyStep()
{
    remaining_ = kLatencyRequests;
    elapsed_.start();
    latencyNext();
}

void SpeedTestRun::latencyNext()
{
    if (remaining_-- == 0) {
        values_.delayTimeMs = double(elapsed_.nsecsElapsed()) / 1e9 / kLatencyRequests * 1000.0;
        log_(QString::asprintf("Delay Time: %fms", values_.delayTimeMs));
        downloadStep();
        return;
    }
    get(QStringLiteral("/latency.txt"), setup_.latencyTimeoutMs, [this](bool ok, qint64, const QString &error) {
        if (!ok)
            log_(QStringLiteral("Delay Test: %1").arg(error));
        latencyNext();
    });
}

void SpeedTestRun::downloadStep()
{
    downLoadData_ = 0;
    remaining_ = kDownloadRequests;
    elapsed_.start();
    downloadNext();
}

void SpeedTestRun::downloadNext()
{
    if (remaining_-- == 0) {
        const double seconds = double(elapsed_.nsecsElapsed()) / 1e9;
        values_.downloadBitsPerSecond = seconds > 0 ? 8.0 * downLoadData_ / seconds : 0;
        log_(QString::asprintf("Download Speed: %fbit/S", values_.downloadBitsPerSecond));
        uploadStep();
        return;
    }
    get(QStringLiteral("/modemdltest.jpg"), setup_.downloadTimeoutMs, [this](bool ok, qint64 bytes, const QString &error) {
        if (ok)
            downLoadData_ += double(bytes);
        else
            log_(QStringLiteral("Download Test: %1").arg(error));
        downloadNext();
    });
}

void SpeedTestRun::uploadStep()
{
    if (!setup_.iperf) {
        log_(QStringLiteral("Read config item Internet_ParmsForUploadTestTool failed"));
        return;
    }
    const QString host = QUrl(setup_.serverBaseUrl).host();
    iperf_ = new QProcess(this);
    iperf_->setProcessChannelMode(QProcess::MergedChannels);
    connect(iperf_, &QProcess::finished, this, [this] {
        if (iperfFinished_)
            return;
        iperfFinished_ = true;
        finishUpload(iperf_->readAll());
    });
    connect(iperf_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart || iperfFinished_)
            return;
        iperfFinished_ = true;
        log_(QStringLiteral("The upload test tool \"%1\" cannot be started: %2").arg(setup_.iperfProgram, iperf_->errorString()));
        finishUpload(QByteArray());
    });
    guardTimer_ = startTimer(iperfGuardMs(*setup_.iperf));
    iperf_->start(setup_.iperfProgram, iperfArguments(host, setup_.iperfPort, *setup_.iperf));
}

void SpeedTestRun::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != guardTimer_)
        return;
    killTimer(guardTimer_);
    guardTimer_ = 0;
    if (iperf_ && iperf_->state() != QProcess::NotRunning) {
        log_(QStringLiteral("The upload test tool ran over its time and is ended"));
        iperf_->kill(); // finished() follows with what it printed
    }
}

void SpeedTestRun::finishUpload(const QByteArray &output)
{
    if (guardTimer_) {
        killTimer(guardTimer_);
        guardTimer_ = 0;
    }
    if (!setup_.iperfOutputFile.isEmpty()) {
        QString error;
        if (!appendToPrivateFile(setup_.iperfOutputFile, output, false, &error))
            log_(QStringLiteral("Cannot write %1: %2").arg(setup_.iperfOutputFile, error));
    }
    bool found = false;
    values_.uploadValue = readUploadSpeedValue(output, &found);
    if (!found)
        log_(QStringLiteral("The upload test gave no rate"));
    log_(QString::asprintf("Upload Speed: %fKB/S", values_.uploadValue));
    if (done_)
        done_(values_);
}

} // namespace ostrel
