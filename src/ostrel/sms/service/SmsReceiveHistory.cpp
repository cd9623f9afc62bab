#include "ostrel/sms/service/SmsReceiveHistory.h"

#include <QLoggingCategory>

namespace ostrel {

Q_LOGGING_CATEGORY(lcSmsHistory, "ostrel.sms.history")

SmsReceiveHistory::Key SmsReceiveHistory::keyOf(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record)
{
    return {record.sender, record.concatKey()};
}

void SmsReceiveHistory::setReciveHistoryWithNewConcatSms(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record)
{
    if (!record.concatenated)
        return;
    if (record.part == 0 || record.part > record.total) {
        qCWarning(lcSmsHistory) << "part" << record.part << "of" << record.total << "from" << record.sender
                                << "not counted";
        return;
    }
    const Key key = keyOf(record);
    QSet<int> &seen = parts_[key];
    seen.insert(record.part);
    if (seen.size() >= record.total)
        parts_.remove(key);
}

bool SmsReceiveHistory::isFinishReceiveNewSms(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record) const
{
    if (!record.concatenated)
        return true;
    return !parts_.contains(keyOf(record));
}

bool SmsReceiveHistory::isDoNotifyWhenNewSmsArrived(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record, bool oneNote) const
{
    if (record.concatenated && oneNote)
        return isFinishReceiveNewSms(record);
    return true;
}

int SmsReceiveHistory::receivedCount(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record) const
{
    return int(parts_.value(keyOf(record)).size());
}

} // namespace ostrel
