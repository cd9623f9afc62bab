#include "common/util/KLog.h"

#include "support/ManualClock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using yov::KLog;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class KLogTest : public ::testing::Test {
protected:
    KLog::Options options()
    {
        KLog::Options o;
        o.configuredDir = dir.path();
        o.clock = &clock;
        o.timeZone = QTimeZone::utc();
        o.systemLog = [this](const QByteArray &text) { systemLines << text; };
        return o;
    }
    QString file(const char *name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    testing_support::ManualClock clock{QDateTime(QDate(2026, 3, 7), QTime(9, 5, 4, 7), QTimeZone::utc())};
    QList<QByteArray> systemLines;
};

} // namespace

TEST_F(KLogTest, CreatesBothFilesEmptyAndKeepsOldLines)
{
    {
        KLog log(options());
        EXPECT_EQ(log.logDir(), dir.path());
        EXPECT_EQ(contents(file("at_write.log")), "");
        EXPECT_EQ(contents(file("at_read.log")), "");
        log.putATWriteLog("first");
    }
    KLog again(options());
    again.putATWriteLog("second");
    EXPECT_EQ(contents(file("at_write.log")), "03/07/26 09:05:04:007\tfirst03/07/26 09:05:04:007\tsecond");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(file("at_write.log")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(KLogTest, LevelsWriteExactBytes)
{
    KLog log(options());
    log.output(0, "AT+CSQ\r");
    clock.advance(1234); // 09:05:05.241
    log.output(1, "+CSQ: 20,99");
    log.output(2, "diag write");
    log.output(3, "diag read");
    log.output(4, "four");
    log.output(6, "six");
    log.output(7, "nothing");
    log.output(-1, "nothing");

    EXPECT_EQ(contents(file("at_write.log")), "03/07/26 09:05:04:007\tAT+CSQ\r");
    EXPECT_EQ(contents(file("at_read.log")), "\n03/07/26 09:05:05:241\n+CSQ: 20,99");
    EXPECT_EQ(systemLines, QList<QByteArray>({"four", "six"}));
}

TEST_F(KLogTest, StampPadsEveryField)
{
    KLog log(options());
    clock.setNow(QDateTime(QDate(2009, 12, 31), QTime(23, 59, 59, 999), QTimeZone::utc()));
    EXPECT_EQ(log.timeStamp(), "12/31/09 23:59:59:999");
    clock.setNow(QDateTime(QDate(2010, 1, 1), QTime(0, 0, 0, 0), QTimeZone::utc()));
    EXPECT_EQ(log.timeStamp(), "01/01/10 00:00:00:000");
}

TEST_F(KLogTest, FolderChoice)
{
    EXPECT_EQ(KLog::chooseLogDir("/var/log/ostrel", "/run/user/1000"), "/var/log/ostrel");
    EXPECT_EQ(KLog::chooseLogDir("", "/run/user/1000"), "/run/user/1000");
    EXPECT_EQ(KLog::chooseLogDir("", ""), "/tmp");

    KLog::Options o = options();
    o.configuredDir.clear();
    o.runtimeDir = dir.path();
    KLog log(o);
    EXPECT_EQ(log.logDir(), dir.path());
    EXPECT_TRUE(QFile::exists(file("at_read.log")));
}

TEST_F(KLogTest, NeverFollowsALink)
{
    QTemporaryDir elsewhere;
    const QString victim = QDir(elsewhere.path()).filePath("victim");
    {
        QFile f(victim);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("precious");
    }
    ASSERT_TRUE(QFile::link(victim, file("at_write.log")));
    KLog log(options());
    log.putATWriteLog("trace");
    log.putATReadLog("trace");
    EXPECT_EQ(contents(victim), "precious");
    EXPECT_EQ(contents(file("at_read.log")), "\n03/07/26 09:05:04:007\ntrace");
}

TEST_F(KLogTest, FlagAndSharedWriters)
{
    KLog log(options());
    EXPECT_TRUE(log.IsKLogOpen());
    KLog::setSharedLog(&log);

    yov::DCLog(4, "value %d of %s", 3, "x");
    yov::DCLog(0, "100%s kept as written");
    log.SetKLogOpen(false);
    yov::ShowKLog("hidden %d", 1);
    yov::DCLog(5, "still %s", "written"); // DCLog ignores the switch
    log.SetKLogOpen(true);
    yov::ShowKLog("shown %d", 2);
    KLog::setSharedLog(nullptr);

    EXPECT_EQ(systemLines, QList<QByteArray>({"value 3 of x", "still written", "shown 2"}));
    EXPECT_EQ(contents(file("at_write.log")), "03/07/26 09:05:04:007\t100%s kept as written");
}
