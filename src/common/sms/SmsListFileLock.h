#pragma once
// The advisory lock that every read-modify-write of a list file that two programs write
// ("SmsList_PC.plist", the card's "SmsList_TCARD.plist") holds: an exclusive flock(2) on the file
// "<list file>.lock" beside it. The lock file stays in place; only the lock comes and goes, and it
// goes with the process that held it.

#include <QString>

namespace yov::sms {

class SmsListFileLock {
public:
    // How long a writer waits for the lock before its write counts as failed.
    static constexpr int kWaitMs = 5000;

    static QString lockPathOf(const QString &listPath);

    explicit SmsListFileLock(const QString &listPath);
    ~SmsListFileLock();
    SmsListFileLock(const SmsListFileLock &) = delete;
    SmsListFileLock &operator=(const SmsListFileLock &) = delete;

    // Takes the lock when it is free, at once; false (with a reason) when another holder has it
    // or the lock file cannot be opened.
    bool tryLock(QString *error = nullptr);
    // Waits at most waitMs for the lock.
    bool lock(int waitMs = kWaitMs, QString *error = nullptr);
    void unlock();
    bool isLocked() const { return fd_ >= 0; }

private:
    QString lockPath_;
    int fd_ = -1;
};

} // namespace yov::sms
