#pragma once
// The delivery-report box of the computer: the reports, newest first, and their file
// ("smsReportsBoxData.plist", an array of one dictionary per report in list order).
//
// Reading a missing or unreadable file gives no reports; each report's date string is the date
// formatted by the caller's date format. Writing replaces the file atomically with the list; a
// failed write leaves the old file whole and tells the caller why.

#include "common/sms/YOVMessageDeliveryReport.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

namespace ostrel {

class SmsDeliveryReportBox {
public:
    using DateFormatter = std::function<QString(const QDateTime &)>;

    static QList<yov::sms::YOVMessageDeliveryReport> readDeliveryReportBox(const QString &path,
                                                                            const DateFormatter &format);
    static bool writeToDeliveryReportBox(const QString &path, const QList<yov::sms::YOVMessageDeliveryReport> &reports,
                                         QString *error = nullptr);
    // The report text of a delivery result (1: delivered) for the number.
    static QString reportText(int result, const QString &number, const std::function<QString(const QString &)> &word);
};

} // namespace ostrel
