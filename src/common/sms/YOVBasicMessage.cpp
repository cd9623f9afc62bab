#include "common/sms/YOVBasicMessage.h"

#include "common/ValueConversion.h"
#include "common/sms/ModelValues.h"

namespace yov::sms {

using detail::dateOrNil;
using detail::numberOrNil;
using detail::textOrNil;

YOVBasicMessage::YOVBasicMessage(const YOVMessageValues &v)
    : messageText_(v.messageText)
    , userName_(v.userName.isNull() ? QStringLiteral("") : v.userName)
    , phoneNum_(v.phoneNum)
    , concatSmsFlag_(v.concatSmsFlag)
    , messagePDU_(v.messagePDU)
    , messageCenterphoneNum_(v.messageCenterphoneNum)
    , messageStatus_(v.status)
    , messageDate_(v.messageDate)
    , messagePID_(v.messagePID)
    , messageDCS_(v.messageDCS)
    , messageStoredIndex_(v.messageStoredIndex)
{
}

std::shared_ptr<YOVBasicMessage> YOVBasicMessage::initWithMessageDateFormatString(const QString &dateFormatString,
                                                                                 const QString &userName,
                                                                                 const QString &phoneNum)
{
    YOVMessageValues v;
    v.userName = userName;
    v.phoneNum = phoneNum;
    auto m = std::make_shared<YOVBasicMessage>(v);
    m->setMessageDateFormatString(dateFormatString);
    return m;
}

std::shared_ptr<YOVBasicMessage> YOVBasicMessage::initWithMessageDate(const QDateTime &date, const QString &userName,
                                                                     const QString &phoneNum,
                                                                     const QVariant &storedLocation)
{
    YOVMessageValues v;
    v.messageDate = date;
    v.userName = userName;
    v.phoneNum = phoneNum;
    auto m = std::make_shared<YOVBasicMessage>(v);
    m->setMessageStoredLocation(storedLocation);
    return m;
}

YOVMessageValues YOVBasicMessage::valuesOfSMSDict(const QVariantMap &d)
{
    YOVMessageValues v;
    v.messageText = textOrNil(d.value(QStringLiteral("messageText")));
    v.userName = textOrNil(d.value(QStringLiteral("userName")));
    v.phoneNum = textOrNil(d.value(QStringLiteral("phoneNum")));
    v.status = numberOrNil(d.value(QStringLiteral("messageStatus")));
    v.concatSmsFlag = numberOrNil(d.value(QStringLiteral("concatSmsFlag")));
    v.messageCenterphoneNum = textOrNil(d.value(QStringLiteral("messageCenterphoneNum")));
    v.messageDate = dateOrNil(d.value(QStringLiteral("messageDate")));
    v.messagePID = numberOrNil(d.value(QStringLiteral("messagePID")));
    v.messageDCS = numberOrNil(d.value(QStringLiteral("messageDCS")));
    v.messagePDU = textOrNil(d.value(QStringLiteral("messagePDU")));
    return v;
}

void YOVBasicMessage::takeLocationAndBox(const QVariantMap &d)
{
    setMessageStoredLocation(numberOrNil(d.value(QStringLiteral("messageStoredLocation"))));
    setMessageBox(numberOrNil(d.value(QStringLiteral("box"))));
}

int YOVBasicMessage::getMessageStatus() const
{
    return nsInt(messageStatus_);
}

} // namespace yov::sms
