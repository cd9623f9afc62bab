#include "common/sms/YOVMessageDeliveryReport.h"

#include "common/sms/YOVMessageModelManager.h"

namespace yov::sms {

YOVMessageDeliveryReport::YOVMessageDeliveryReport(const QString &reportText, const QVariant &result,
                                                   const QDateTime &date, const QString &receiver,
                                                   const QString &dateFormatPattern,
                                                   const QString &receiveMobilephone)
    : result_(result)
    , date_(date)
    , reportText_(reportText)
    , receiveMobilephone_(receiveMobilephone)
    , receiver_(receiver)
    , dateFormatPattern_(dateFormatPattern)
{
}

YOVMessageDeliveryReport YOVMessageDeliveryReport::initWithMesssgeText(const QString &reportText,
                                                                       const QVariant &result,
                                                                       const QString &dateString,
                                                                       const QString &receiver,
                                                                       const QString &receiveMobilephone,
                                                                       const QDateTime &date)
{
    YOVMessageDeliveryReport r(reportText, result, date, receiver, QString(), receiveMobilephone);
    r.setDateString(dateString);
    return r;
}

QString YOVMessageDeliveryReport::dateFormatString() const
{
    if (!dateString_.isNull())
        return dateString_;
    return YOVMessageModelManager::dateFormatStringWithDate(date_, dateFormatPattern_);
}

} // namespace yov::sms
