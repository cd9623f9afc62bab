#include "common/sms/YOVConcatMessage.h"

#include "common/ValueConversion.h"

namespace yov::sms {

YOVConcatMessage::YOVConcatMessage(const QVariant &messageTotalNum, const QVariant &messageRefIndex,
                                   const QVariant &messageSeqNum, const YOVMessageValues &values)
    : YOVBasicMessage(values)
    , messageTotalNum_(messageTotalNum)
    , messageRefIndex_(messageRefIndex)
    , messageSeqNum_(messageSeqNum)
{
}

std::shared_ptr<YOVConcatMessage> YOVConcatMessage::initWithConcatDict(const QVariantMap &d)
{
    auto m = std::make_shared<YOVConcatMessage>(d.value(QStringLiteral("messageTotalNum")),
                                                d.value(QStringLiteral("messageRefIndex")),
                                                d.value(QStringLiteral("messageSeqNum")), valuesOfSMSDict(d));
    m->takeLocationAndBox(d);
    return m;
}

int YOVConcatMessage::getMessageTotalNum() const
{
    return nsInt(messageTotalNum_);
}

} // namespace yov::sms
