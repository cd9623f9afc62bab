#pragma once
// Merging one box of a list file that two programs write ("SmsList_PC.plist", the card's file).
//
// A holder loads a box (its base), changes its copy and writes it back; meanwhile the device
// service may have added or removed messages in the file. The merge keeps both sides' work:
//
//   result = the holder's array
//            less the messages of the base that have left the file,
//            plus the file's messages that are not in the base (at the front of "InBox", at the
//            end of any other box).
//
// Messages are matched by number, date and text, counted with multiplicity: a regular message by
// its summary's "mobilephone" and "date" and its text as the message model reads it, a flat one
// (computer draft, broadcast) by its own "mobilephone", "date" and "messagetext". "index",
// "username", "stat", "IMSI" and the previous-location keys never count.

#include <QString>
#include <QVariantList>
#include <QVariantMap>

namespace ostrel {

// The identity of a message dictionary as the merge compares it.
QString smsMessageIdentity(const QVariantMap &message);

QVariantList mergeSmsBox(const QVariantList &array, const QVariantList &base, const QVariantList &current, int box);

} // namespace ostrel
