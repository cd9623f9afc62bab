#include "common/sms/YOVCompositeConcatMessage.h"

#include "common/ValueConversion.h"
#include "common/sms/YOVConcatMessage.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcSmsModel, "ostrel.sms.model")

namespace yov::sms {

YOVCompositeConcatMessage::YOVCompositeConcatMessage(const QVariantList &messageDicts)
{
    for (const QVariant &d : messageDicts)
        concatMessageArray_.append(YOVConcatMessage::initWithConcatDict(nsDict(d)));
}

int YOVCompositeConcatMessage::concatMessageArraySorting(const YOVMessageModelProtocol &a,
                                                         const YOVMessageModelProtocol &b, const QString &context)
{
    if (context != QLatin1String("byMessageSeqNum"))
        return -1;
    const int x = nsInt(a.getMessageSeqNum());
    const int y = nsInt(b.getMessageSeqNum());
    return x < y ? -1 : x > y ? 1 : 0;
}

void YOVCompositeConcatMessage::addConcatMessage(const YOVMessage &part)
{
    if (part)
        concatMessageArray_.append(part);
}

const YOVMessageModelProtocol *YOVCompositeConcatMessage::firstPart() const
{
    return concatMessageArray_.isEmpty() ? nullptr : concatMessageArray_.constFirst().get();
}

QString YOVCompositeConcatMessage::getMessageText() const
{
    QString text = QStringLiteral("");
    for (const YOVMessage &part : concatMessageArray_)
        text += part->getMessageText();
    return text;
}

QString YOVCompositeConcatMessage::getMessagePDU() const
{
    QList<YOVMessage> parts = concatMessageArray_;
    const QString context = QStringLiteral("byMessageSeqNum");
    std::stable_sort(parts.begin(), parts.end(), [&](const YOVMessage &a, const YOVMessage &b) {
        return concatMessageArraySorting(*a, *b, context) < 0;
    });
    QString pdu = QStringLiteral("");
    for (const YOVMessage &part : parts)
        pdu += part->getMessagePDU();
    return pdu;
}

QString YOVCompositeConcatMessage::getUserName() const { return firstPart() ? firstPart()->getUserName() : QString(); }
QString YOVCompositeConcatMessage::getPhoneNum() const { return firstPart() ? firstPart()->getPhoneNum() : QString(); }
QString YOVCompositeConcatMessage::getMessageDateFormatString() const
{
    return firstPart() ? firstPart()->getMessageDateFormatString() : QString();
}
QVariant YOVCompositeConcatMessage::getMessagePID() const { return firstPart() ? firstPart()->getMessagePID() : QVariant(); }
QVariant YOVCompositeConcatMessage::getMessageDCS() const { return firstPart() ? firstPart()->getMessageDCS() : QVariant(); }
QDateTime YOVCompositeConcatMessage::getMessageDate() const
{
    return firstPart() ? firstPart()->getMessageDate() : QDateTime();
}
int YOVCompositeConcatMessage::getMessageTotalNum() const { return firstPart() ? firstPart()->getMessageTotalNum() : 0; }
QVariant YOVCompositeConcatMessage::getMessageRefIndex() const
{
    return firstPart() ? firstPart()->getMessageRefIndex() : QVariant();
}
QVariant YOVCompositeConcatMessage::getMessageSeqNum() const
{
    return firstPart() ? firstPart()->getMessageSeqNum() : QVariant();
}
QString YOVCompositeConcatMessage::getMessageCenterphoneNum() const
{
    return firstPart() ? firstPart()->getMessageCenterphoneNum() : QString();
}
QVariant YOVCompositeConcatMessage::messageBox() const { return firstPart() ? firstPart()->messageBox() : QVariant(); }

int YOVCompositeConcatMessage::getMessageStatus() const
{
    if (concatMessageArray_.isEmpty())
        return kMessageRead;
    for (const YOVMessage &part : concatMessageArray_)
        if (part->getMessageStatus() == kMessageUnread)
            return kMessageUnread;
    return concatMessageArray_.constLast()->getMessageStatus();
}

void YOVCompositeConcatMessage::setMessageBox(const QVariant &)
{
    qCDebug(lcSmsModel) << "composite point not support:[]";
}

void YOVCompositeConcatMessage::setMessageStatus(const QVariant &)
{
    qCDebug(lcSmsModel) << "";
}

} // namespace yov::sms
