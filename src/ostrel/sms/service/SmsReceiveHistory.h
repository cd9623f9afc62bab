#pragma once
// The receive history of long messages: which parts of each long message have arrived, so that the
// page can tell when a message is complete and, by configuration, announce it once.
//
// A long message is known by its sender and its concatenation reference (the 16-bit one when the
// element id says so, else the 8-bit one). Each part number counts once; a part number of 0 or
// above the message's total is not counted. Two senders that happen to use one reference keep
// apart, and a part reported twice does not complete a message early. The history lives in memory
// only: an entry lives from the first part of a message to its last.

#include "common/records/sms/SmsRecords.h"

#include <QMap>
#include <QSet>
#include <QString>

#include <utility>

namespace ostrel {

class SmsReceiveHistory {
public:
    // Counts the part of a long message (nothing for a single message).
    void setReciveHistoryWithNewConcatSms(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record);
    // YES for a single message; for a part, YES exactly when no part of its message is pending.
    bool isFinishReceiveNewSms(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record) const;
    // Whether this arrival is announced: a part of a long message with oneNote only once its
    // message is complete; everything else always.
    bool isDoNotifyWhenNewSmsArrived(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record, bool oneNote) const;
    // The number of parts counted for the record's message (0 when none is pending).
    int receivedCount(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record) const;
    bool isEmpty() const { return parts_.isEmpty(); }

private:
    using Key = std::pair<QString, int>;
    static Key keyOf(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record);
    QMap<Key, QSet<int>> parts_;
};

} // namespace ostrel
