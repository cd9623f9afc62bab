#pragma once
// The one interface of every SMS message object: a single message, one part of a concatenated
// message, and a concatenated message made of its parts.
//
// A value may be missing ("nil"): a null QString, an invalid QVariant (numbers) or an invalid
// QDateTime. Message objects are shared (YOVMessage): a list, a pop-up and a composite may hold the
// same object, and it lives as long as one of them does.

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <memory>

namespace yov::sms {

// The "stat" of the list files.
enum YOVMessageStatus : int {
    kMessageUnread = 0,
    kMessageRead = 1,
    kMessageDraft = 2, // computer drafts in the flat layout
    kMessageSent = 3,
};

class YOVMessageModelProtocol {
public:
    virtual ~YOVMessageModelProtocol() = default;

    virtual QString getMessageText() const = 0;
    virtual QString getUserName() const = 0;
    virtual QString getPhoneNum() const = 0;
    virtual QString getMessagePDU() const = 0;
    virtual QString getMessageDateFormatString() const = 0;

    virtual QVariant getMessagePID() const = 0;
    virtual QVariant getMessageDCS() const = 0;
    virtual QDateTime getMessageDate() const = 0;

    virtual bool isConcatMessage() const = 0;
    virtual int getMessageTotalNum() const = 0;
    virtual QVariant getMessageRefIndex() const = 0;
    virtual QVariant getMessageSeqNum() const = 0;

    virtual int getMessageStatus() const = 0;
    virtual QString getMessageCenterphoneNum() const = 0;
    virtual QVariant getMessageStoredIndex() const = 0;
    virtual QVariant getMessageStoredLocation() const = 0;

    virtual QVariant getMessageRealTotalNum() const = 0;
    virtual QVariant messageBox() const = 0;
    virtual void setMessageBox(const QVariant &box) = 0;

    virtual bool isLeaf() const = 0;

    virtual void setMessageStatus(const QVariant &status) = 0;
    virtual void setUserName(const QString &userName) = 0;
    virtual void setMessageDateFormatString(const QString &text) = 0;
    virtual void setMessageStoredIndex(const QVariant &index) = 0;
    virtual void setMessageStoredLocation(const QVariant &location) = 0;
};

using YOVMessage = std::shared_ptr<YOVMessageModelProtocol>;

} // namespace yov::sms
