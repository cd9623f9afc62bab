#pragma once
// One delivery report of the report box: result, date, text, the recipient's number and name,
// status, and how its date is shown.

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace yov::sms {

class YOVMessageDeliveryReport {
public:
    YOVMessageDeliveryReport() = default;
    // The six values; status and date string stay unset.
    YOVMessageDeliveryReport(const QString &reportText, const QVariant &result, const QDateTime &date,
                             const QString &receiver, const QString &dateFormatPattern,
                             const QString &receiveMobilephone);
    // The same without a pattern, then the date string.
    static YOVMessageDeliveryReport initWithMesssgeText(const QString &reportText, const QVariant &result,
                                                        const QString &dateString, const QString &receiver,
                                                        const QString &receiveMobilephone, const QDateTime &date);

    QVariant result() const { return result_; }
    QDateTime date() const { return date_; }
    QString reportText() const { return reportText_; }
    QString receiveMobilephone() const { return receiveMobilephone_; }
    QString receiver() const { return receiver_; }
    QVariant status() const { return status_; }
    QString dateString() const { return dateString_; }
    QString dateFormatPattern() const { return dateFormatPattern_; }

    void setReportText(const QString &text) { reportText_ = text; }
    void setDateFormatPattern(const QString &pattern) { dateFormatPattern_ = pattern; }
    void setStatus(const QVariant &status) { status_ = status; }
    void setDateString(const QString &dateString) { dateString_ = dateString; }

    // The date string when set; else the date as YOVMessageModelManager::dateFormatStringWithDate
    // shows it with the pattern.
    QString dateFormatString() const;

private:
    QVariant result_;
    QDateTime date_;
    QString reportText_;
    QString receiveMobilephone_;
    QString receiver_;
    QVariant status_;
    QString dateString_;
    QString dateFormatPattern_;
};

} // namespace yov::sms
