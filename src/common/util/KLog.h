#pragma once
// The trace log: two trace files ("at_write.log", "at_read.log") and the system log.
//
// The files live in the configured folder (top-level settings key LogFileDir), else in
// $XDG_RUNTIME_DIR when set, else in /tmp. They are opened for appending, never through a
// symbolic link, and only when they are regular files owned by this user; otherwise that file
// stays closed and its lines are dropped (with one warning). logDir() tells the folder chosen,
// so that nothing else computes it.
//
// Levels of output(level, text): 0 the write trace, 1 the read trace, 2 and 3 the diagnostic
// traces (which write nothing), 4 to 6 the system log; anything else nothing.
// Time stamps read "%m/%d/%y %H:%M:%S:%F" with %F the milliseconds (three digits).

#include "platform/Clock.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QTimeZone>

#include <functional>

namespace yov {

class KLog {
public:
    using SystemLogSink = std::function<void(const QByteArray &text)>;

    struct Options {
        QString configuredDir;      // LogFileDir; empty: none configured
        QString runtimeDir;         // $XDG_RUNTIME_DIR; empty: unset
        Clock *clock = nullptr;     // null: the system clock
        QTimeZone timeZone = QTimeZone::systemTimeZone();
        SystemLogSink systemLog;    // null: syslog(3)
    };

    // The one trace log of the process, created on first call from this process's settings
    // (settings.plist in the ModemList folder) and environment.
    static KLog &sharedLog();
    // Tests put a log of their own in place of the shared one (not owned); null restores it.
    static void setSharedLog(KLog *log);

    explicit KLog(Options options);
    ~KLog();
    KLog(const KLog &) = delete;
    KLog &operator=(const KLog &) = delete;

    // The folder chosen for the trace files.
    QString logDir() const { return logDir_; }
    static QString chooseLogDir(const QString &configuredDir, const QString &runtimeDir);

    void SetKLogOpen(bool open);
    bool IsKLogOpen() const;

    void putATWriteLog(const char *text);
    void putATReadLog(const char *text);
    void putDiagWriteLog(const char *) {}
    void putDiagReadLog(const char *) {}
    void output(const char *text);             // the system log
    void output(int level, const char *text);  // by level (above)

    // The stamp without separators, as the writers use it.
    QByteArray timeStamp() const;

private:
    int openTrace(const QString &name);
    void append(int fd, const QByteArray &bytes);

    Options options_;
    QString logDir_;
    mutable QMutex mutex_;
    bool logFlag_ = true;
    int writeFd_ = -1;
    int readFd_ = -1;
};

// printf-style writers over the shared log. DCLog formats only for levels 4 to 6 and takes the
// format as it stands otherwise; it does not look at the on/off switch. ShowKLog writes to the
// system log only while the switch is on.
void DCLog(int level, const char *format, ...);
void ShowKLog(const char *format, ...) __attribute__((format(printf, 1, 2)));

} // namespace yov
