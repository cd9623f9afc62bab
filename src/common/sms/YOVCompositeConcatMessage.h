#pragma once
// A concatenated message made of its parts (each a message object), in the order they were added.
//
// Most answers are those of its first part; an empty composite answers as a message without values
// (empty text, no date, status 1, no location) instead.

#include "common/sms/YOVMessageModelProtocol.h"

#include <QList>
#include <QVariantList>

namespace yov::sms {

class YOVCompositeConcatMessage : public YOVMessageModelProtocol {
public:
    // An empty part list, then one YOVConcatMessage per model dictionary of the array, in order.
    explicit YOVCompositeConcatMessage(const QVariantList &messageDicts = {});

    // Orders two parts: with the context "byMessageSeqNum" by ascending sequence number; any other
    // context answers ascending without comparing. Returns -1, 0 or 1.
    static int concatMessageArraySorting(const YOVMessageModelProtocol &a, const YOVMessageModelProtocol &b,
                                         const QString &context);

    const QList<YOVMessage> &getConcatMessageArray() const { return concatMessageArray_; }
    void addConcatMessage(const YOVMessage &part);

    // The parts' texts joined in list order (parts without text skipped).
    QString getMessageText() const override;
    // The parts' PDUs joined in ascending order of their sequence numbers.
    QString getMessagePDU() const override;
    QString getUserName() const override;
    QString getPhoneNum() const override;
    QString getMessageDateFormatString() const override;
    QVariant getMessagePID() const override;
    QVariant getMessageDCS() const override;
    QDateTime getMessageDate() const override;
    bool isConcatMessage() const override { return true; }
    int getMessageTotalNum() const override;
    QVariant getMessageRefIndex() const override;
    QVariant getMessageSeqNum() const override;
    // In list order the first status that is 0 (unread), else the last part's; 1 without parts.
    int getMessageStatus() const override;
    QString getMessageCenterphoneNum() const override;
    QVariant getMessageStoredIndex() const override { return storedIndex_; }
    QVariant getMessageStoredLocation() const override { return {}; }
    QVariant getMessageRealTotalNum() const override { return int(concatMessageArray_.size()); }
    QVariant messageBox() const override;
    void setMessageBox(const QVariant &box) override;
    bool isLeaf() const override { return false; }
    void setMessageStatus(const QVariant &status) override;
    void setUserName(const QString &) override {}
    void setMessageDateFormatString(const QString &) override {}
    void setMessageStoredIndex(const QVariant &index) override { storedIndex_ = index; }
    void setMessageStoredLocation(const QVariant &) override {}

private:
    const YOVMessageModelProtocol *firstPart() const;

    QList<YOVMessage> concatMessageArray_;
    QVariant storedIndex_;
};

} // namespace yov::sms
