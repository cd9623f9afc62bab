#pragma once
// The one writer of the SMS list files that the dashboard changes: the computer's
// "SmsList_PC.plist" and the memory card's "SmsList_TCARD.plist". The device service writes them
// too, so every change is a read-modify-write of one box under the list-file lock
// (yov::sms::SmsListFileLock).
//
// The writer never waits on the calling (GUI) thread: when the lock is free the write happens at
// once and `done` runs before write() returns; when another program holds it, the write is tried
// again every kRetryMs on the clock, in the order the writes were asked for, and fails once the
// lock stayed held for SmsListFileLock::kWaitMs.
//
// A missing file is created with every box of its position; a file that cannot be read is left
// whole and the write fails. Every failed write is logged; the caller tells the user and reloads.

#include "platform/Clock.h"

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <deque>
#include <functional>
#include <memory>

namespace ostrel {

struct SmsBoxWriteResult {
    bool ok = false;
    QString error;
    // The box as it now stands in the file: the next base of the holder that wrote it.
    QVariantList newBase;
};

// Turns the box as the file holds it now into the box to write.
using SmsBoxChange = std::function<QVariantList(const QVariantList &current)>;
using SmsBoxWriteDone = std::function<void(const SmsBoxWriteResult &)>;

// Logs a failed write and tells the user (without blocking); the caller then reloads its lists.
void reportSmsListWriteFailure(const SmsBoxWriteResult &result);

class SmsListWriter {
public:
    static constexpr int kRetryMs = 100;

    explicit SmsListWriter(yov::Clock &clock = yov::Clock::system());
    ~SmsListWriter();
    SmsListWriter(const SmsListWriter &) = delete;
    SmsListWriter &operator=(const SmsListWriter &) = delete;

    // The holder's array, loaded from `base`, merged with what the file holds now (SmsBoxMerge.h).
    static SmsBoxChange replaceMerging(QVariantList array, QVariantList base, int box);
    // One message added at the end (or, with atFront, at the front) of the box.
    static SmsBoxChange addMessage(QVariantMap message, bool atFront = false);

    // One box change for a caller that holds the file's lock.
    static SmsBoxWriteResult writeBoxLocked(const QString &path, int position, int box, const SmsBoxChange &change);

    // The change under the lock (see above); done may be empty.
    void write(const QString &path, int position, int box, SmsBoxChange change, SmsBoxWriteDone done);
    // Writes still waiting for the lock.
    int pendingWrites() const { return int(pending_.size()); }

private:
    struct Pending {
        QString path;
        int position;
        int box;
        SmsBoxChange change;
        SmsBoxWriteDone done;
        qint64 firstTryMs = -1;
    };
    void pump();

    yov::Clock &clock_;
    std::unique_ptr<QObject> context_;
    std::deque<Pending> pending_;
    int retryId_ = 0;
    bool pumping_ = false;
};

} // namespace ostrel
