// The built dashboard as a process: start-up against the stand-in, a second launch, SIGTERM.
#include "common/records/DeviceServiceBus.h"
#include "support/TestPaths.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <ostream>
#include <string>

namespace {

// A sanitised dashboard starting its own stand-in on a loaded machine may take well over 15 s;
// the waits end as soon as what they wait for is there.
constexpr int kWaitMs = 40000;

QString binPath(const char *name)
{
    const QString dir = qEnvironmentVariable("OSTREL_BIN_DIR", testing_paths::binDir());
    return QDir(dir).filePath(QString::fromLatin1(name));
}

bool copyTree(const QString &from, const QString &to)
{
    QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo &entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir() ? !copyTree(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

qint64 deviceServicePid()
{
    const QDBusReply<uint> pid =
        QDBusConnection::sessionBus().interface()->servicePid(QLatin1String(yov::devicebus::kService));
    return pid.isValid() ? qint64(pid.value()) : 0;
}

// Gone: no such process, or one that has ended and waits to be reaped by whoever adopted it.
bool processGone(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close >= 0 && close + 2 < line.size() && line.at(close + 2) == 'Z';
}

class DashboardProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo(binPath("ostrel")).isExecutable());
        ASSERT_TRUE(QFileInfo(binPath("Brannoc")).isExecutable());
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        ASSERT_TRUE(dir_.isValid());
        modemList_ = dir_.filePath(QStringLiteral("ModemList"));
        ASSERT_TRUE(copyTree(QDir(testing_paths::shareDir()).filePath(QStringLiteral("ModemList")), modemList_));
    }

    void TearDown() override
    {
        for (auto &p : processes_) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
    }

    QProcess *startDashboard()
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("OSTREL_MODEMLIST"), modemList_);
        env.insert(QStringLiteral("OSTREL_BRANNOC"), binPath("Brannoc"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("ostrel.*.info=true"));
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(binPath("ostrel"), {});
        processes_.push_back(std::move(process));
        return processes_.back().get();
    }

    // A dashboard that has started its device service and shaken hands with it; servicePid is set
    // to the service's process id.
    QProcess *startDashboardWithService(qint64 *servicePid, QByteArray *output)
    {
        QProcess *dashboard = startDashboard();
        EXPECT_TRUE(dashboard->waitForStarted(kWaitMs));
        EXPECT_TRUE(waitForOutput(dashboard, *output, "device service handshake received")) << output->constData();
        *servicePid = deviceServicePid();
        EXPECT_GT(*servicePid, 0);
        return dashboard;
    }

    static bool waitForOutput(QProcess *process, QByteArray &seen, const QByteArray &text)
    {
        return QTest::qWaitFor(
            [&] {
                seen += process->readAll();
                return seen.contains(text);
            },
            kWaitMs);
    }

    QTemporaryDir dir_;
    QString modemList_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

} // namespace

// SIGTERM and Ctrl+C (SIGINT) in the terminal that started it end the dashboard the same way.
struct EndingSignal {
    int number;
    const char *name;
};

void PrintTo(const EndingSignal &signal, std::ostream *out) { *out << signal.name; }

class DashboardSignalTest : public DashboardProcessTest, public ::testing::WithParamInterface<EndingSignal> {};

TEST_P(DashboardSignalTest, StartsTheStandInShakesHandsAndEndsCleanly)
{
    QByteArray output;
    qint64 servicePid = 0;
    QProcess *dashboard = startDashboardWithService(&servicePid, &output);
    ASSERT_FALSE(HasFailure());

    ASSERT_EQ(::kill(pid_t(dashboard->processId()), GetParam().number), 0);
    ASSERT_TRUE(dashboard->waitForFinished(kWaitMs));
    output += dashboard->readAll();
    EXPECT_EQ(dashboard->exitStatus(), QProcess::NormalExit) << output.constData();
    EXPECT_EQ(dashboard->exitCode(), 0);
    EXPECT_TRUE(output.contains(QByteArray(GetParam().name) + " received")) << output.constData();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFileInfo::exists(QStringLiteral("/proc/%1").arg(servicePid)); }, kWaitMs))
        << "the stand-in is still running";
    EXPECT_EQ(deviceServicePid(), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, DashboardSignalTest,
                         ::testing::Values(EndingSignal{SIGTERM, "SIGTERM"}, EndingSignal{SIGINT, "SIGINT"}),
                         [](const ::testing::TestParamInfo<EndingSignal> &info) {
                             return std::string(info.param.name);
                         });

TEST_F(DashboardProcessTest, SecondLaunchAsksTheFirstToReopenAndEndsBeforeStartingAnything)
{
    QProcess *first = startDashboard();
    ASSERT_TRUE(first->waitForStarted(kWaitMs));
    QByteArray firstOutput;
    ASSERT_TRUE(waitForOutput(first, firstOutput, "device service handshake received")) << firstOutput.constData();
    const qint64 servicePid = deviceServicePid();

    QProcess *second = startDashboard();
    ASSERT_TRUE(second->waitForFinished(kWaitMs));
    const QByteArray secondOutput = second->readAll();
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_FALSE(secondOutput.contains("device service")) << secondOutput.constData();
    EXPECT_FALSE(secondOutput.contains("Token list")) << "the second launch went past the single-instance check";
    EXPECT_TRUE(secondOutput.contains("the running dashboard was brought forward")) << secondOutput.constData();

    EXPECT_TRUE(waitForOutput(first, firstOutput, "reopen requested")) << firstOutput.constData();
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_EQ(deviceServicePid(), servicePid) << "the running stand-in was left alone";

    first->terminate();
    ASSERT_TRUE(first->waitForFinished(kWaitMs));
    EXPECT_EQ(first->exitCode(), 0);
}

TEST_F(DashboardProcessTest, AKilledDashboardLeavesNoDeviceServiceBehind)
{
    QByteArray output;
    qint64 servicePid = 0;
    QProcess *dashboard = startDashboardWithService(&servicePid, &output);
    ASSERT_FALSE(HasFailure());

    dashboard->kill(); // SIGKILL: nothing of the dashboard runs any more
    ASSERT_TRUE(dashboard->waitForFinished(kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return processGone(servicePid); }, kWaitMs))
        << "the stand-in outlived the dashboard that started it";
    EXPECT_TRUE(QTest::qWaitFor([] { return deviceServicePid() == 0; }, kWaitMs));
}
