#pragma once
// A message with its own values: the base of the single message and of one part of a
// concatenated message.

#include "common/sms/YOVMessageModelManager.h"
#include "common/sms/YOVMessageModelProtocol.h"

#include <QVariantMap>

namespace yov::sms {

// The eleven values of the designated initialiser, in its order.
struct YOVMessageValues {
    QString messageText;
    QString userName;
    QString phoneNum;
    QVariant status;
    QVariant concatSmsFlag;
    QString messageCenterphoneNum;
    QDateTime messageDate;
    QVariant messagePID;
    QVariant messageDCS;
    QString messagePDU;
    QVariant messageStoredIndex;
};

class YOVBasicMessage : public YOVMessageModelProtocol {
public:
    // The designated initialiser; a missing user name becomes the empty text. No values: all nil.
    explicit YOVBasicMessage(const YOVMessageValues &values = {});

    // User name and number, then the display date.
    static std::shared_ptr<YOVBasicMessage> initWithMessageDateFormatString(const QString &dateFormatString,
                                                                            const QString &userName,
                                                                            const QString &phoneNum);
    // Date, user name and number, then the stored location.
    static std::shared_ptr<YOVBasicMessage> initWithMessageDate(const QDateTime &date, const QString &userName,
                                                                const QString &phoneNum,
                                                                const QVariant &storedLocation);

    // The values of a model dictionary ("messageText", "userName", "phoneNum", "messageStatus",
    // "concatSmsFlag", "messageCenterphoneNum", "messageDate", "messagePID", "messageDCS",
    // "messagePDU"); the stored index and the display date are not taken from it.
    static YOVMessageValues valuesOfSMSDict(const QVariantMap &dict);
    // A message of class Message from a model dictionary: its values, then the stored location and
    // the box ("messageStoredLocation", "box").
    template <class Message = YOVBasicMessage>
    static std::shared_ptr<Message> initWithSMSDict(const QVariantMap &dict)
    {
        auto m = std::make_shared<Message>(valuesOfSMSDict(dict));
        m->takeLocationAndBox(dict);
        return m;
    }
    // The manager's nil rule.
    static QVariant checkNilWithObject(const QVariant &object, YOVMessageModelManager::NilClass cls)
    {
        return YOVMessageModelManager::checkNilWithObject(object, cls);
    }

    QString getMessageText() const override { return messageText_; }
    QString getUserName() const override { return userName_; }
    QString getPhoneNum() const override { return phoneNum_; }
    QString getMessagePDU() const override { return messagePDU_; }
    QString getMessageDateFormatString() const override { return messageDateFormatString_; }
    QVariant getMessagePID() const override { return messagePID_; }
    QVariant getMessageDCS() const override { return messageDCS_; }
    QDateTime getMessageDate() const override { return messageDate_; }
    bool isConcatMessage() const override { return false; }
    int getMessageTotalNum() const override { return 1; }
    QVariant getMessageRefIndex() const override { return {}; }
    QVariant getMessageSeqNum() const override { return {}; }
    int getMessageStatus() const override;
    QString getMessageCenterphoneNum() const override { return messageCenterphoneNum_; }
    QVariant getMessageStoredIndex() const override { return messageStoredIndex_; }
    QVariant getMessageStoredLocation() const override { return messageStoredLocation_; }
    QVariant getMessageRealTotalNum() const override { return 1; }
    QVariant messageBox() const override { return messageBox_; }
    void setMessageBox(const QVariant &box) override { messageBox_ = box; }
    bool isLeaf() const override { return true; }
    void setMessageStatus(const QVariant &status) override { messageStatus_ = status; }
    void setUserName(const QString &userName) override { userName_ = userName.isNull() ? QStringLiteral("") : userName; }
    void setMessageDateFormatString(const QString &text) override { messageDateFormatString_ = text; }
    void setMessageStoredIndex(const QVariant &index) override { messageStoredIndex_ = index; }
    void setMessageStoredLocation(const QVariant &location) override { messageStoredLocation_ = location; }

    QVariant concatSmsFlag() const { return concatSmsFlag_; }
    QVariant messageID() const { return messageID_; }
    void setMessageID(const QVariant &id) { messageID_ = id; }
    QString description() const { return QStringLiteral(""); }

protected:
    // The stored location and the box of a model dictionary ("messageStoredLocation", "box").
    void takeLocationAndBox(const QVariantMap &dict);

private:
    QString messageText_;
    QString userName_;
    QString phoneNum_;
    QVariant concatSmsFlag_;
    QString messagePDU_;
    QString messageCenterphoneNum_;
    QVariant messageStatus_;
    QDateTime messageDate_;
    QVariant messagePID_;
    QVariant messageDCS_;
    QVariant messageStoredIndex_;
    QString messageDateFormatString_;
    QVariant messageStoredLocation_;
    QVariant messageID_;
    QVariant messageBox_;
};

// A message that is not part of a concatenation.
class YOVSingleMessage : public YOVBasicMessage {
public:
    using YOVBasicMessage::YOVBasicMessage;

    static std::shared_ptr<YOVSingleMessage> initWithSMSDict(const QVariantMap &dict)
    {
        return YOVBasicMessage::initWithSMSDict<YOVSingleMessage>(dict);
    }
};

} // namespace yov::sms
