#pragma once
// The SMS list files: one property list per storage position, a dictionary from box name to the
// array of its message dictionaries in stored order (newest first in "InBox").
//
//   "SmsList_PC.plist"     the computer, in the ModemList folder; written by both the dashboard
//                          and the device service
//   "SmsList_Sim.plist"    the SIM, in the ModemList folder; written by the device service only
//   "SmsList_ME.plist"     the device memory, likewise
//   "SmsList_TCARD.plist"  the memory card, in the folder "SMS" of the card's volume; written by
//                          both
//
// Files that both sides write are changed only by a read-modify-write under the list-file lock
// (SmsListFileLock), and always written whole and atomically.

#include <QString>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace yov::sms {

inline constexpr char kSmsListPcFileName[] = "SmsList_PC.plist";
inline constexpr char kSmsListSimFileName[] = "SmsList_Sim.plist";
inline constexpr char kSmsListMeFileName[] = "SmsList_ME.plist";
inline constexpr char kSmsListTcardFileName[] = "SmsList_TCARD.plist";
inline constexpr char kSmsReportsBoxFileName[] = "smsReportsBoxData.plist";

// "<volume>/SMS" and the card's list file in it.
QString tcardSmsFolder(const QString &volume);
QString tcardSmsListPath(const QString &volume);

// A list with every box of the position (smsListBoxNames) present and empty.
QVariantMap emptySmsList(int position);

// The whole file; nullopt (with a reason) when it is missing, too large or no dictionary.
std::optional<QVariantMap> readSmsListFile(const QString &path, QString *error = nullptr);

// One read-modify-write by a caller that holds the file's lock: reads the file (a missing one as
// whenMissing when given, else it fails), lets change edit the dictionary and writes it back
// atomically. change returning false writes nothing. false, with a reason, when nothing was
// written; an unreadable file is never replaced.
bool rewriteSmsListFile(const QString &path, const std::function<bool(QVariantMap &)> &change,
                        const std::optional<QVariantMap> &whenMissing, QString *error = nullptr);

// The same, taking the lock first and waiting for it at most waitMs: a time-out is a failed write.
bool updateSmsListFile(const QString &path, const std::function<bool(QVariantMap &)> &change,
                       const std::optional<QVariantMap> &whenMissing, int waitMs, QString *error = nullptr);

} // namespace yov::sms
