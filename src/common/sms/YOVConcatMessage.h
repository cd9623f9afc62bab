#pragma once
// One part of a concatenated message: a message with the part's total, reference and sequence
// number.

#include "common/sms/YOVBasicMessage.h"

namespace yov::sms {

class YOVConcatMessage : public YOVBasicMessage {
public:
    // The three part values, then the designated initialiser. No values: all nil.
    explicit YOVConcatMessage(const QVariant &messageTotalNum = {}, const QVariant &messageRefIndex = {},
                              const QVariant &messageSeqNum = {}, const YOVMessageValues &values = {});

    // A model dictionary (YOVSingleMessage::initWithSMSDict's keys), then "messageSeqNum",
    // "messageRefIndex" and "messageTotalNum".
    static std::shared_ptr<YOVConcatMessage> initWithConcatDict(const QVariantMap &dict);

    bool isConcatMessage() const override { return true; }
    int getMessageTotalNum() const override;
    QVariant getMessageRefIndex() const override { return messageRefIndex_; }
    QVariant getMessageSeqNum() const override { return messageSeqNum_; }

private:
    QVariant messageTotalNum_;
    QVariant messageRefIndex_;
    QVariant messageSeqNum_;
};

} // namespace yov::sms
