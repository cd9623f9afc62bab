#include "common/sms/YOVMessageModelManager.h"

#include "common/sms/ModelValues.h"
#include "common/sms/YOVBasicMessage.h"
#include "common/sms/YOVCompositeConcatMessage.h"
#include "common/sms/YOVConcatMessage.h"
#include "common/util/CalendarFormat.h"

namespace yov::sms {

namespace {

using detail::dateOrNil;
using detail::numberOrNil;
using detail::textOrNil;
using detail::variantOf;
using Nil = YOVMessageModelManager::NilClass;

QVariant nil(const QVariant &v, Nil cls)
{
    return YOVMessageModelManager::checkNilWithObject(v, cls);
}

const YOVCompositeConcatMessage *asComposite(const YOVMessage &m)
{
    return dynamic_cast<const YOVCompositeConcatMessage *>(m.get());
}

} // namespace

YOVMessageModelManager &YOVMessageModelManager::sharedYOVMessageModelManagerInstance()
{
    static YOVMessageModelManager instance;
    return instance;
}

QVariant YOVMessageModelManager::checkNilWithObject(const QVariant &object, NilClass cls)
{
    if (detail::present(object))
        return object;
    switch (cls) {
    case NilClass::String: return QStringLiteral("");
    case NilClass::Number: return 0;
    case NilClass::Date: return QDateTime::currentDateTime();
    case NilClass::Other: break;
    }
    return {};
}

QString YOVMessageModelManager::dateFormatStringWithDate(const QDateTime &date, const QString &pattern)
{
    if (!date.isValid())
        return QStringLiteral("");
    const QDateTime local = date.toLocalTime();
    const QString text = pattern.isEmpty() ? local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                           : formatCalendarDate(local, pattern);
    return text.left(19);
}

// ---------------------------------------------------------------------------------------------
// List-file dictionaries to objects.

QVariant YOVMessageModelManager::getMessageValueWithMessage(const QVariantMap &d, const QString &key) const
{
    const QVariantMap summary = nsDict(d.value(QStringLiteral("concatSmsInfo")));
    if (key == QLatin1String("concatSmsFlag"))
        return d.value(key);
    if (key == QLatin1String("username"))
        return summary.value(key);
    if (nsBool(d.value(QStringLiteral("concatSmsFlag")))) {
        if (key == QLatin1String("messagetext")) {
            QString text = QStringLiteral("");
            for (const QVariant &part : nsArray(d.value(QStringLiteral("smsInfo"))))
                text += textOrNil(nsDict(part).value(key));
            return text;
        }
        return summary.value(key);
    }
    if (key == QLatin1String("totalNum"))
        return 1;
    return nsDict(d.value(QStringLiteral("smsInfo"))).value(key);
}

YOVMessage YOVMessageModelManager::yovMessageModelProtocolWithSMSFileStrut(const QVariant &dictValue,
                                                                           const QVariant &storedIndex) const
{
    if (dictValue.typeId() != QMetaType::QVariantMap)
        return nullptr;
    const QVariantMap d = dictValue.toMap();

    // A computer draft in the flat layout.
    if (!d.contains(QStringLiteral("concatSmsInfo")) && !d.contains(QStringLiteral("smsInfo"))) {
        QVariantMap model;
        model.insert(QStringLiteral("messageText"), nil(d.value(QStringLiteral("messagetext")), Nil::String));
        model.insert(QStringLiteral("messageStatus"), int(kMessageDraft));
        model.insert(QStringLiteral("messageDate"), nil(d.value(QStringLiteral("date")), Nil::Date));
        model.insert(QStringLiteral("phoneNum"), nil(d.value(QStringLiteral("mobilephone")), Nil::String));
        return YOVSingleMessage::initWithSMSDict(model);
    }

    const auto value = [&](const char *key) { return getMessageValueWithMessage(d, QLatin1String(key)); };
    YOVMessageValues v;
    v.messageText = textOrNil(value("messagetext"));
    v.phoneNum = textOrNil(value("mobilephone"));
    v.messageCenterphoneNum = textOrNil(value("sca"));
    v.userName = textOrNil(value("username"));
    v.messagePDU = textOrNil(value("pdu"));
    v.messagePID = numberOrNil(value("pid"));
    v.status = numberOrNil(value("stat"));
    v.messageDCS = numberOrNil(value("dcs"));
    v.messageDate = dateOrNil(value("date"));
    const QVariant box = numberOrNil(value("box"));

    if (nsBool(value("concatSmsFlag"))) {
        const QVariant total = numberOrNil(value("totalNum"));
        const QVariant reference = numberOrNil(value("refIndex"));
        auto composite = std::make_shared<YOVCompositeConcatMessage>();
        for (const QVariant &partValue : nsArray(d.value(QStringLiteral("smsInfo")))) {
            const QVariantMap p = nsDict(partValue);
            YOVMessageValues pv;
            pv.messageText = textOrNil(p.value(QStringLiteral("messagetext")));
            pv.userName = v.userName;
            pv.phoneNum = v.phoneNum;
            pv.status = numberOrNil(p.value(QStringLiteral("stat")));
            pv.concatSmsFlag = true;
            pv.messageCenterphoneNum = textOrNil(p.value(QStringLiteral("sca")));
            pv.messageDate = dateOrNil(p.value(QStringLiteral("date")));
            pv.messagePID = numberOrNil(p.value(QStringLiteral("pid")));
            pv.messageDCS = numberOrNil(p.value(QStringLiteral("dcs")));
            pv.messagePDU = textOrNil(p.value(QStringLiteral("pdu")));
            pv.messageStoredIndex = numberOrNil(p.value(QStringLiteral("index")));
            auto part = std::make_shared<YOVConcatMessage>(total, reference,
                                                          numberOrNil(p.value(QStringLiteral("seqNum"))), pv);
            part->setMessageBox(numberOrNil(p.value(QStringLiteral("box"))));
            composite->addConcatMessage(part);
        }
        if (detail::present(storedIndex))
            composite->setMessageStoredIndex(storedIndex);
        return composite;
    }

    v.concatSmsFlag = false;
    v.messageStoredIndex = numberOrNil(value("index"));
    auto single = std::make_shared<YOVSingleMessage>(v);
    single->setMessageBox(box);
    return single;
}

QList<YOVMessage> YOVMessageModelManager::yovMessageModelProtocolArrayWithSMSFileStrutArray(const QVariantList &dicts) const
{
    QList<YOVMessage> out;
    for (int i = 0; i < dicts.size(); ++i)
        if (YOVMessage m = yovMessageModelProtocolWithSMSFileStrut(dicts.at(i), i))
            out.append(m);
    return out;
}

// ---------------------------------------------------------------------------------------------
// Objects to list-file dictionaries.

QVariantMap YOVMessageModelManager::getBasicContentWithMessageProtocol(const YOVMessage &m) const
{
    QVariantMap p;
    if (!m)
        return p;
    p.insert(QStringLiteral("date"), nil(variantOf(m->getMessageDate()), Nil::Date));
    p.insert(QStringLiteral("dcs"), nil(m->getMessageDCS(), Nil::Number));
    p.insert(QStringLiteral("sca"), nil(variantOf(m->getMessageCenterphoneNum()), Nil::String));
    p.insert(QStringLiteral("messagetext"), nil(variantOf(m->getMessageText()), Nil::String));
    p.insert(QStringLiteral("mobilephone"), nil(variantOf(m->getPhoneNum()), Nil::String));
    p.insert(QStringLiteral("pdu"), nil(variantOf(m->getMessagePDU()), Nil::String));
    p.insert(QStringLiteral("pid"), nil(m->getMessagePID(), Nil::Number));
    p.insert(QStringLiteral("index"), nil(m->getMessageStoredIndex(), Nil::Number));
    p.insert(QStringLiteral("box"), nil(m->messageBox(), Nil::Number));
    p.insert(QStringLiteral("stat"), m->getMessageStatus());
    p.insert(QStringLiteral("seqNum"), nil(m->getMessageSeqNum(), Nil::Number));
    return p;
}

void YOVMessageModelManager::addBasicInfoToSmsFileStrutWithDict(QVariantMap &d, const YOVMessage &m) const
{
    if (!m)
        return;
    const auto set = [&](const char *key, const QVariant &v) {
        if (detail::present(v))
            d.insert(QLatin1String(key), v);
        else
            d.remove(QLatin1String(key));
    };
    set("date", variantOf(m->getMessageDate()));
    set("dcs", m->getMessageDCS());
    set("sca", variantOf(m->getMessageCenterphoneNum()));
    set("messagetext", variantOf(m->getMessageText()));
    set("mobilephone", variantOf(m->getPhoneNum()));
    set("pdu", variantOf(m->getMessagePDU()));
    set("pid", m->getMessagePID());
    set("index", m->getMessageStoredIndex());
    set("box", m->messageBox());
    set("stat", m->getMessageStatus());
}

QVariantMap YOVMessageModelManager::getRegularSmsContentDictWithMessageProtocol(const YOVMessage &m) const
{
    QVariantMap d;
    if (!m)
        return d;
    const bool concatenated = m->isConcatMessage();
    QVariantMap summary;
    summary.insert(QStringLiteral("date"), nil(variantOf(m->getMessageDate()), Nil::Date));
    summary.insert(QStringLiteral("mobilephone"), nil(variantOf(m->getPhoneNum()), Nil::String));
    summary.insert(QStringLiteral("stat"), m->getMessageStatus());
    summary.insert(QStringLiteral("username"), nil(variantOf(m->getUserName()), Nil::String));
    if (concatenated) {
        summary.insert(QStringLiteral("messagetext"), nil(variantOf(m->getMessageText()), Nil::String));
        summary.insert(QStringLiteral("refIndex"), nil(m->getMessageRefIndex(), Nil::Number));
        summary.insert(QStringLiteral("totalNum"), m->getMessageTotalNum());
    }
    d.insert(QStringLiteral("concatSmsFlag"), concatenated);
    d.insert(QStringLiteral("concatSmsInfo"), summary);
    if (const YOVCompositeConcatMessage *composite = asComposite(m)) {
        QVariantList parts;
        for (const YOVMessage &part : composite->getConcatMessageArray())
            parts.append(getBasicContentWithMessageProtocol(part));
        d.insert(QStringLiteral("smsInfo"), parts);
    } else if (concatenated) {
        d.insert(QStringLiteral("smsInfo"), QVariantList{getBasicContentWithMessageProtocol(m)});
    } else {
        d.insert(QStringLiteral("smsInfo"), getBasicContentWithMessageProtocol(m));
    }
    return d;
}

std::optional<QVariantMap> YOVMessageModelManager::getSmsContentDictWithMessageProtocol(const YOVMessage &m) const
{
    if (!m)
        return std::nullopt;
    switch (m->getMessageStatus()) {
    case kMessageDraft: {
        QVariantMap flat;
        flat.insert(QStringLiteral("date"), nil(variantOf(m->getMessageDate()), Nil::Date));
        flat.insert(QStringLiteral("messagetext"), nil(variantOf(m->getMessageText()), Nil::String));
        flat.insert(QStringLiteral("mobilephone"), nil(variantOf(m->getPhoneNum()), Nil::String));
        const int total = m->getMessageTotalNum();
        flat.insert(QStringLiteral("stat"), total >= 2 ? QStringLiteral("%1/%1").arg(total) : QStringLiteral(""));
        return flat;
    }
    case kMessageUnread:
    case kMessageRead:
    case kMessageSent:
        return getRegularSmsContentDictWithMessageProtocol(m);
    default:
        return std::nullopt;
    }
}

QVariantList YOVMessageModelManager::getSmsContentArrayWithMessageProtocol(const QList<YOVMessage> &messages) const
{
    QVariantList out;
    for (const YOVMessage &m : messages)
        if (const auto d = getSmsContentDictWithMessageProtocol(m))
            out.append(*d);
    return out;
}

// ---------------------------------------------------------------------------------------------
// Reports.

QVariantMap YOVMessageModelManager::deliveryReportFileStructWithYOVMessageDeliveryReport(
    const YOVMessageDeliveryReport &r) const
{
    QVariantMap d;
    d.insert(QStringLiteral("RESULT"), nil(r.result(), Nil::Number));
    d.insert(QStringLiteral("date"), nil(variantOf(r.date()), Nil::Date));
    d.insert(QStringLiteral("messagetext"), nil(variantOf(r.reportText()), Nil::String));
    d.insert(QStringLiteral("mobilephone"), nil(variantOf(r.receiveMobilephone()), Nil::String));
    d.insert(QStringLiteral("stat"), nil(r.status(), Nil::Number));
    d.insert(QStringLiteral("username"), nil(variantOf(r.receiver()), Nil::String));
    return d;
}

YOVMessageDeliveryReport YOVMessageModelManager::yOVMessageDeliveryReportWithdeliveryReportFileStruct(
    const QVariantMap &d) const
{
    YOVMessageDeliveryReport r(textOrNil(d.value(QStringLiteral("messagetext"))),
                               numberOrNil(d.value(QStringLiteral("RESULT"))), dateOrNil(d.value(QStringLiteral("date"))),
                               textOrNil(d.value(QStringLiteral("username"))), QString(),
                               textOrNil(d.value(QStringLiteral("mobilephone"))));
    r.setStatus(numberOrNil(d.value(QStringLiteral("stat"))));
    return r;
}

// ---------------------------------------------------------------------------------------------

YOVMessage YOVMessageModelManager::getYovMessageFromMessageContentDict(const QVariantMap &dict)
{
    return sharedYOVMessageModelManagerInstance().yovMessageModelProtocolWithSMSFileStrut(dict);
}

YOVMessage YOVMessageModelManager::getYovMessageFromMessageParam(const QVariant &param)
{
    if (param.typeId() == QMetaType::QVariantList)
        return std::make_shared<YOVCompositeConcatMessage>(param.toList());
    if (param.typeId() == QMetaType::QVariantMap) {
        const QVariantMap d = param.toMap();
        if (nsBool(d.value(QStringLiteral("concatSmsFlag"))))
            return YOVConcatMessage::initWithConcatDict(d);
        return YOVSingleMessage::initWithSMSDict(d);
    }
    return nullptr;
}

} // namespace yov::sms
