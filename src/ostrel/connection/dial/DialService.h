#pragma once
// The UI-free side of the data connection: the shown IP address, the last send speed, the
// per-SIM record file name and the append of finished connections to the record file.
//
// A connection record is stored as the records window and the totals read it: "connectname"
// (string), "starttime" and "disconnecttime" (dates), "connecttime" (integer seconds),
// "sendbyte" and "receivebyte" (reals, KB).
#include "ostrel/framework/service/YovServiceBase.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <atomic>

namespace ostrel {

class ConfigManager;

// One finished connection, with exact byte counts.
struct DialRecordEntry {
    QString connectName;
    QDateTime startTime;
    qint64 connectSeconds = 0; // as stored (already in 15-minute units when those are on)
    qint64 sentBytes = 0;
    qint64 receivedBytes = 0;
    int roaming = -1;          // the answer of the roaming alert; -1 when it was not shown

    // The stored form; disconnecttime = starttime + connecttime.
    QVariantMap storedForm() const;
};

class DialService : public YovServiceBase {
public:
    static DialService &sharedDialService();

    // The address unchanged, or "" when it begins with "169.254" and the store's
    // Internet/Internet_doNotDisplayIPAddress_whenDHCPFailed is on (null store: the shared one).
    static QString filterIPAddress(const QString &address, ConfigManager *store = nullptr);

    // Written on the main thread and read by the traffic reader: atomic, without a lock.
    void setSendSpeed(float speed) { sendSpeed_.store(speed, std::memory_order_relaxed); }
    float sendSpeed() const { return sendSpeed_.load(std::memory_order_relaxed); }

    // "<IMSI>_dialRecordData.plist"; the plain "dialRecordData.plist" without an IMSI.
    static QString dialRecordFileNameForImsi(const QString &imsi);

    enum class RecordAppend { Written, Unreadable, NotWritten };
    // Re-reads the record file at path (a missing file is an empty list), appends the records in
    // their stored form and writes the file atomically. Unreadable when the file exists but cannot
    // be read as a list of records, NotWritten when it cannot be written, each with the reason in
    // error; the file is then unchanged.
    static RecordAppend appendDialRecords(const QString &path, const QList<DialRecordEntry> &records,
                                          QString *error = nullptr);
    // Whether the record file at path is a file that cannot be read as a list of records (the
    // reason in error).
    static bool isRecordFileUnreadable(const QString &path, QString *error = nullptr);
    // Moves a record file that cannot be read aside (a dated copy name beside it, never written
    // over) so that new records go to a fresh file. The copy's path, or "" when the file is
    // readable, missing, or could not be moved (then it stays as it is).
    static QString setAsideUnreadableRecordFile(const QString &path, const QDateTime &now);
    // What the user is told when that happened: the English text, with the file and the copy
    // for its two "%@".
    static QString unreadableRecordFileSetAsideText();

private:
    std::atomic<float> sendSpeed_{0};
};

} // namespace ostrel
