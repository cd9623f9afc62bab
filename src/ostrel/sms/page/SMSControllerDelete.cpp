// Deleting, copying and moving messages: the computer and the memory card by rewriting their list
// files, the SIM and the device memory one request per message, each sent from the answer to the
// previous one (the delete chain 768/91 and the copy chain 768/92); the deleted and important boxes
// with the previous-location keys; the delete of the sources after a save.
#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/service/SmsBoxMerge.h"
#include "ostrel/sms/service/SmsPageRules.h"
#include "ostrel/sms/service/SmsService.h"
#include "ostrel/sms/service/SmsTableCells.h"

#include <QAction>
#include <QPushButton>

#include <algorithm>

namespace ostrel {

namespace {

const QString kIndex = QStringLiteral("index");
const QString kIdentity = QStringLiteral("identity");

int indexOf(const QVariant &message) { return yov::nsInt(yov::nsDict(message).value(kIndex)); }

// The summary dictionary that carries a message's "stat": "concatSmsInfo" for a concatenated
// message, "smsInfo" for a single one; none for a flat message.
QString summaryKeyOf(const QVariantMap &message)
{
    if (message.contains(QStringLiteral("concatSmsInfo")) && yov::nsBool(message.value(QStringLiteral("concatSmsFlag"))))
        return QStringLiteral("concatSmsInfo");
    if (message.contains(QStringLiteral("smsInfo")))
        return QStringLiteral("smsInfo");
    if (message.contains(QStringLiteral("concatSmsInfo")))
        return QStringLiteral("concatSmsInfo");
    return {};
}

} // namespace

// The index a message of the SIM or the device memory has now. A message that arrived since the
// request was planned moves the others (new messages go to the front of the inbox), so the request
// follows the message itself, not the index it had when the user chose it. nullopt: it is gone.
std::optional<int> SMSController::currentDeviceIndex(int position, int box, const QVariantMap &entry, const QString &indexKey)
{
    const int planned = yov::nsInt(entry.value(indexKey));
    const QString identity = yov::nsString(entry.value(kIdentity));
    if (identity.isEmpty())
        return planned;
    QVariantList list;
    if (position == yov::sms::kPositionSim) {
        loadBoxinSIMList();
        list = simList(box);
    } else {
        loadMessagesInPosition(yov::sms::kPositionMe);
        list = getMeMessagesInBox(box);
    }
    std::optional<int> best;
    for (const QVariant &value : std::as_const(list)) {
        if (smsMessageIdentity(yov::nsDict(value)) != identity)
            continue;
        const int index = indexOf(value);
        if (!best || std::abs(index - planned) < std::abs(*best - planned))
            best = index;
    }
    return best;
}

// ---------------------------------------------------------------------------------------------
// Selection.

QVariantList SMSController::getSelectedMessages()
{
    QVariantList out;
    const QList<int> rows = selectedRows();
    const std::optional<QVariantList> whole = getAllPcListByBox(getCurrentBox());
    if (!whole)
        return out;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        const int index = indexOf(currentBoxList_.value(*it));
        for (const QVariant &message : *whole)
            if (indexOf(message) == index) {
                out << message;
                break;
            }
    }
    return out;
}

void SMSController::deleteMessageFromPC()
{
    const int box = getCurrentBox();
    const QVariantList selected = getSelectedMessages();
    std::optional<QVariantList> whole = getAllPcListByBox(box);
    if (!whole)
        return;
    for (const QVariant &message : selected)
        for (qsizetype i = 0; i < whole->size(); ++i)
            if (indexOf(whole->at(i)) == indexOf(message)) {
                whole->removeAt(i);
                break;
            }
    writeMessagesToPC(*whole, box);
}

void SMSController::deleteMessageFromTcard()
{
    const int box = getCurrentBox();
    QVariantList list = currentBoxList_;
    const QList<int> rows = selectedRows();
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        if (*it >= 0 && *it < list.size())
            list.removeAt(*it);
    writeMessagesToTcard(list, box);
    setSynTcardSmsFlag(true);
}

// ---------------------------------------------------------------------------------------------
// The deleted and important boxes.

void SMSController::setPreLocationAndStateToDeletdArray(QVariantList &messages, int sourceBox, int destBox)
{
    for (QVariant &value : messages) {
        QVariantMap message = yov::nsDict(value);
        if (destBox == yov::sms::kBoxDeletedBox)
            message.insert(QStringLiteral("preLocationBeforeGoToDelBox"), sourceBox);
        else if (destBox == yov::sms::kBoxImportantBox)
            message.insert(QStringLiteral("preLocationBeforeGotoImpBox"), sourceBox);
        if (sourceBox != yov::sms::kBoxDraftBox) {
            const QString key = summaryKeyOf(message);
            const int stat = sourceBox == yov::sms::kBoxOutBox ? 3 : 1;
            if (!key.isEmpty()) {
                QVariantMap summary = yov::nsDict(message.value(key));
                summary.insert(QStringLiteral("stat"), stat);
                message.insert(key, summary);
            } else {
                message.insert(QStringLiteral("stat"), stat);
            }
        }
        value = message;
    }
}

void SMSController::copyMessageArray(const QVariantList &messages, int box)
{
    std::optional<QVariantList> whole = getAllPcListByBox(box);
    if (!whole)
        whole = QVariantList();
    for (auto it = messages.crbegin(); it != messages.crend(); ++it) {
        QVariantMap copy = yov::nsDict(*it);
        copy.remove(kIndex);
        copy.remove(QStringLiteral("username"));
        whole->append(copy);
    }
    writeMessagesToPC(*whole, box);
}

void SMSController::moveMessageArray(const QVariantList &messages, int box)
{
    copyMessageArray(messages, box);
    deleteMessageFromPC();
}

void SMSController::recoverMessageArray(const QVariantList &messages, int sourceBox)
{
    QMap<int, QVariantList> byBox;
    for (auto it = messages.crbegin(); it != messages.crend(); ++it) {
        const QVariantMap message = yov::nsDict(*it);
        const QString key = sourceBox == yov::sms::kBoxDeletedBox ? QStringLiteral("preLocationBeforeGoToDelBox")
                                                                  : QStringLiteral("preLocationBeforeGotoImpBox");
        const int box = message.contains(key) ? yov::nsInt(message.value(key)) : yov::sms::kBoxInBox;
        byBox[box].prepend(message); // copyMessageArray appends from the last to the first
    }
    for (auto it = byBox.cbegin(); it != byBox.cend(); ++it)
        copyMessageArray(it.value(), it.key());
    deleteMessageFromPC();
}

void SMSController::reFreshPCBox()
{
    loadBoxinPCList();
    if (isSearchMode())
        searchSMS();
    clearTableSelection();
    reloadTable();
    if (page_)
        page_->messageText->clear();
    setMsgBoxInfo();
}

// ---------------------------------------------------------------------------------------------
// Delete.

void SMSController::deleteMessage(QObject *)
{
    if (page_ && isPcDeliveryReportBox()) {
        deleteDeliveryReport();
        return;
    }
    if (!page_ || currentBoxList_.isEmpty())
        return;
    showListView();
    const int answer = NSRunAlertPanelExt(word(QStringLiteral("Warning")), word(QStringLiteral("Are you sure you want to delete the message(s)?")),
                                          word(QStringLiteral("OK")), getControlWordingValueByKey(QStringLiteral("Cancel"), 5));
    if (answer != 1 || selectedRows().isEmpty())
        return;
    const int position = getCurrentPosition();
    const int box = getCurrentBox();
    if (smsIsDeviceStore(position)) {
        deleteMessageFromSIMOrME();
    } else if (position == yov::sms::kPositionPc) {
        if (hasbox(yov::sms::kBoxDeletedBox) && box != yov::sms::kBoxDeletedBox) {
            QVariantList selected = getSelectedMessages();
            setPreLocationAndStateToDeletdArray(selected, box, yov::sms::kBoxDeletedBox);
            copyMessageArray(selected, yov::sms::kBoxDeletedBox);
        }
        deleteMessageFromPC();
        reFreshPCBox();
    } else if (position == yov::sms::kPositionTcard) {
        // Card messages leave the card only: the computer's deleted box holds computer messages.
        deleteMessageFromTcard();
        reloadTable();
    }
}

void SMSController::setChainControlsEnabled(bool enabled)
{
    if (!page_)
        return;
    setButtonState(enabled ? 1 : 0);
    boxView_->msgBoxSelectAt->setEnabled(enabled);
    page_->msgBoxList->setEnabled(enabled);
}

void SMSController::deleteMessageFromSIMOrME()
{
    delSimSmsList_.clear();
    setChainControlsEnabled(false);
    QVariantList entries;
    const int position = getCurrentPosition();
    const int box = getCurrentBox();
    const QList<int> rows = selectedRows();
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        entries << QVariantMap{{QStringLiteral("pos"), position}, {QStringLiteral("box"), box},
                               {kIndex, indexOf(currentBoxList_.value(*it))},
                               {kIdentity, smsMessageIdentity(yov::nsDict(currentBoxList_.value(*it)))}};
    deleteMessagesInSIMorMEWithDeletedArray(entries);
}

void SMSController::deleteMessagesInSIMorMEWithDeletedArray(const QVariantList &entries)
{
    delSimSmsList_ = entries;
    std::stable_sort(delSimSmsList_.begin(), delSimSmsList_.end(),
                     [](const QVariant &a, const QVariant &b) { return indexOf(a) > indexOf(b); });
    if (delSimSmsList_.isEmpty()) {
        endOfDeleteChain();
        return;
    }
    setChainControlsEnabled(false);
    sendHeadOfDeleteList();
}

void SMSController::sendHeadOfDeleteList()
{
    // A head that cannot be sent gets no answer: it is dropped and the chain goes on.
    while (!delSimSmsList_.isEmpty()) {
        const QVariantMap head = yov::nsDict(delSimSmsList_.first());
        const int position = yov::nsInt(head.value(QStringLiteral("pos")));
        const int box = yov::nsInt(head.value(QStringLiteral("box")));
        const std::optional<int> index = currentDeviceIndex(position, box, head, kIndex);
        if (!index)
            qCInfo(lcSmsPage) << "message" << indexOf(head) << "to delete is gone already";
        else if (sendRequest<768, 91>(yov::SmsDeleteRequest{position, box, *index}))
            return;
        delSimSmsList_.removeFirst();
    }
    endOfDeleteChain();
}

void SMSController::dealWithMsgOfDeleteSMS(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (msg.type != yov::kSmsTypeAnswer)
        return;
    clearTableSelection();
    if (delSimSmsList_.isEmpty())
        return; // a draft's delete outside any chain
    const QVariantMap head = yov::nsDict(delSimSmsList_.takeFirst());
    if (msg.result != 0)
        qCWarning(lcSmsPage) << "delete of message" << indexOf(head) << "at position" << head.value(QStringLiteral("pos"))
                             << "failed: result" << int(msg.result);
    if (!delSimSmsList_.isEmpty()) {
        sendHeadOfDeleteList();
        return;
    }
    endOfDeleteChain();
}

void SMSController::dropDeviceChains()
{
    if (delSimSmsList_.isEmpty() && saveToList_.isEmpty())
        return;
    qCWarning(lcSmsPage) << "the device went:" << delSimSmsList_.size() << "delete(s) and" << saveToList_.size()
                         << "copy(ies) are not done";
    delSimSmsList_.clear();
    saveToList_.clear();
    delSmsListAfterSave_.clear();
    if (SmsService *service = SmsService::installed()) {
        service->setDelSimSmsList({});
        service->setSaveToList({});
    }
    setChainControlsEnabled(true);
}

void SMSController::endOfDeleteChain()
{
    loadSmsList();
    setChainControlsEnabled(true);
    clearTableSelection();
    if (page_)
        reloadTable();
}

// ---------------------------------------------------------------------------------------------
// Important box and recovery.

void SMSController::moveToImportantBox(QObject *)
{
    if (!page_ || currentBoxList_.isEmpty())
        return;
    const int answer = NSRunAlertPanelExt(word(QStringLiteral("Warning")),
                                          word(QStringLiteral("Are you sure you want to move the message(s) to the important box?")),
                                          word(QStringLiteral("OK")), word(QStringLiteral("Cancel")));
    if (answer != 1 || selectedRows().isEmpty())
        return;
    if (getCurrentPosition() == yov::sms::kPositionTcard) {
        // The rows are the card's: they go into the computer's important box and leave the card.
        // Mapped through the computer's box they would pick the computer's messages instead.
        QVariantList selected;
        const QList<int> rows = selectedRows();
        for (auto it = rows.crbegin(); it != rows.crend(); ++it)
            selected << currentBoxList_.value(*it);
        setPreLocationAndStateToDeletdArray(selected, getCurrentBox(), yov::sms::kBoxImportantBox);
        copyMessageArray(selected, yov::sms::kBoxImportantBox);
        deleteMessageFromTcard();
        reFreshPCBox();
        return;
    }
    QVariantList selected = getSelectedMessages();
    setPreLocationAndStateToDeletdArray(selected, getCurrentBox(), yov::sms::kBoxImportantBox);
    moveMessageArray(selected, yov::sms::kBoxImportantBox);
    reFreshPCBox();
}

void SMSController::recoverMessage(QObject *)
{
    if (!page_ || currentBoxList_.isEmpty())
        return;
    const int answer = NSRunAlertPanelExt(word(QStringLiteral("Warning")), word(QStringLiteral("Are you sure you want to recover the message(s)?")),
                                          word(QStringLiteral("OK")), word(QStringLiteral("Cancel")));
    if (answer != 1 || selectedRows().isEmpty())
        return;
    recoverMessageArray(getSelectedMessages(), getCurrentBox());
    reFreshPCBox();
}

// ---------------------------------------------------------------------------------------------
// Save or move to another position.

int SMSController::getSavedDestPosition() const
{
    // Two positions: the other one (the computer and the SIM, or the computer and the card).
    const QList<yov::sms::YovPosition> positions = yovPositionManager_.getAllPositions();
    if (positions.size() == 2)
        return positions.at(0).positon() == getCurrentPosition() ? positions.at(1).positon() : positions.at(0).positon();
    if (!page_)
        return yov::sms::kPositionPc;
    // The pop-up's items carry their position code; a title alone is matched by its word.
    const QVariant code = page_->popBtnSaveMessage_->currentData();
    if (code.isValid())
        return yov::nsInt(code);
    const QString title = page_->popBtnSaveMessage_->currentText();
    if (title == word(QStringLiteral("AT_SIM")))
        return yov::sms::kPositionSim;
    if (title == word(QStringLiteral("AT_TCARD")))
        return yov::sms::kPositionTcard;
    if (title == word(QStringLiteral("AT_ME")))
        return yov::sms::kPositionMe;
    return yov::sms::kPositionPc;
}

bool SMSController::alertBeforeSaveToPosition(int destination)
{
    const char *where = destination == yov::sms::kPositionSim     ? "(U)Sim"
                        : destination == yov::sms::kPositionTcard ? "Tcard"
                        : destination == yov::sms::kPositionMe    ? "Data Card"
                                                                  : "PC";
    const QString question = word(QStringLiteral("Are you sure you will save the message(s) to %1?").arg(QLatin1String(where)));
    const int answer = NSRunAlertPanelExt(word(QStringLiteral("Warning")), question, word(QStringLiteral("OK")),
                                          getControlWordingValueByKey(QStringLiteral("Cancel"), 5));
    if (answer != 1)
        return true;
    QVariantList selected;
    for (int row : selectedRows())
        selected << currentBoxList_.value(row);
    if (smsIsDeviceStore(destination))
        return !hasEnoughSpaceToReceiveWithPosition(destination, selected);
    if (smsSwitch("Sms_CheckPCCompacity_IfNeeded"))
        hasEnoughSpaceToReceiveWithPosition(destination, selected);
    return false;
}

void SMSController::saveMessageToPosition(int destination)
{
    if (destination != yov::sms::kPositionPc && destination != yov::sms::kPositionTcard)
        return;
    const int box = getCurrentBox();
    const QList<int> rows = selectedRows();
    QVariantList messages;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        QVariantMap message = yov::nsDict(currentBoxList_.value(*it));
        message.remove(kIndex);
        message.remove(QStringLiteral("username"));
        messages << message;
    }
    if (destination == yov::sms::kPositionPc) {
        std::optional<QVariantList> whole = getAllPcListByBox(box);
        QVariantList list = whole.value_or(QVariantList());
        list << messages;
        writeMessagesToPC(list, box);
        return;
    }
    const QString path = readTcardFilePath();
    for (const QVariant &message : std::as_const(messages))
        writeMessagesToBox(box, yov::nsDict(message), path);
}

void SMSController::saveMessage(QObject *sender)
{
    if (!page_ || selectedRows().isEmpty())
        return;
    const int destination = getSavedDestPosition();
    const bool move = sender == page_->btnMoveTo_;
    if (SmsService *service = SmsService::installed())
        service->setSmsCurrentOperate(move ? 9 : 6);
    if (alertBeforeSaveToPosition(destination))
        return;
    if (destination == yov::sms::kPositionTcard)
        setSynTcardSmsFlag(true);
    const int position = getCurrentPosition();
    const int box = getCurrentBox();
    if (!smsIsDeviceStore(position) && !smsIsDeviceStore(destination)) {
        // Computer and card by file; the sources stay where they were, also for a move.
        saveMessageToPosition(destination);
        selectPositionRow(destination);
        reFreshPCBox();
        return;
    }
    saveToList_.clear();
    delSmsListAfterSave_.clear();
    delSMSFromPos_ = position;
    delSMSFromBox_ = box;
    setChainControlsEnabled(false);
    page_->newMessageBtn->setEnabled(false);
    setMenuItemState(false, kSmsMenuNew);
    const QList<int> rows = selectedRows();
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        saveToList_ << QVariantMap{{QStringLiteral("srcPos"), position}, {QStringLiteral("destPos"), destination},
                                   {QStringLiteral("srcBox"), box},
                                   {QStringLiteral("srcIndex"), indexOf(currentBoxList_.value(*it))},
                                   {kIdentity, smsMessageIdentity(yov::nsDict(currentBoxList_.value(*it)))}};
    sendHeadOfSaveList();
}

void SMSController::saveMessageInSIMorMeWithSaveArray(const QVariantList &entries)
{
    saveToList_ = entries;
    delSmsListAfterSave_.clear();
    sendHeadOfSaveList();
}

void SMSController::sendHeadOfSaveList()
{
    while (!saveToList_.isEmpty()) {
        const QVariantMap head = yov::nsDict(saveToList_.first());
        const int position = yov::nsInt(head.value(QStringLiteral("srcPos")));
        const int box = yov::nsInt(head.value(QStringLiteral("srcBox")));
        const std::optional<int> index = smsIsDeviceStore(position)
                                             ? currentDeviceIndex(position, box, head, QStringLiteral("srcIndex"))
                                             : std::optional<int>(yov::nsInt(head.value(QStringLiteral("srcIndex"))));
        if (index && sendRequest<768, 92>(yov::SmsCopyRequest{position, box, *index,
                                                                yov::nsInt(head.value(QStringLiteral("destPos")))}))
            return;
        saveToList_.removeFirst();
    }
    loadSmsList();
    setChainControlsEnabled(true);
    if (page_)
        reloadTable();
}

void SMSController::dealWithMsgOfSaveSMS(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (takeCopyToSimAnswer(msg))
        return;
    if (saveToList_.isEmpty()) {
        loadSmsList();
        setChainControlsEnabled(true);
        if (page_)
            reloadTable();
        return;
    }
    if (msg.type != yov::kSmsTypeAnswer)
        return;
    const QVariantMap head = yov::nsDict(saveToList_.takeFirst());
    if (msg.result == 0) {
        // Only a source whose copy arrived may be deleted after the save.
        delSmsListAfterSave_ << head;
        selectPositionRow(yov::nsInt(head.value(QStringLiteral("destPos"))));
        if (smsSwitch("isHaveDeliveryReportBox"))
            showOrHiddenDeliveryReportBox();
        for (int box : {yov::sms::kBoxDeletedBox, yov::sms::kBoxImportantBox, yov::sms::kBoxDeliveryReport})
            showOrHiddenSpecialBox(box);
    } else {
        qCWarning(lcSmsPage) << "copy of message" << head.value(QStringLiteral("srcIndex")) << "to position"
                             << head.value(QStringLiteral("destPos")) << "failed: result" << int(msg.result);
    }
    if (!saveToList_.isEmpty()) {
        sendHeadOfSaveList();
        return;
    }
    loadSmsList();
    setChainControlsEnabled(true);
    if (page_) {
        page_->newMessageBtn->setEnabled(m_nNetCardStatus == 12 || smsSwitch("SMS_NewMessageBtnIsEnabled_WhenNetCardUnDetected"));
        reloadTable();
    }
    clearTableSelection();
    SmsService *service = SmsService::installed();
    const int operation = service ? service->smsCurrentOperate() : 0;
    if (smsSwitch("Sms_DeleteSavedSms_AfterSaveOK") || operation == 9)
        deleteSmsAfterSaveSmsOK();
    if (operation == 15)
        qCInfo(lcSmsPage) << "copied from the computer to the SIM for the operator's extras";
}

void SMSController::deleteSmsAfterSaveSmsOK()
{
    const QVariantList saved = delSmsListAfterSave_;
    delSmsListAfterSave_.clear();
    if (saved.isEmpty())
        return;
    if (smsIsDeviceStore(delSMSFromPos_)) {
        SmsService *service = SmsService::installed();
        if (!service) {
            qCWarning(lcSmsPage) << "no SMS service: the saved messages stay at their source";
            return;
        }
        service->makeSimSmsDelList(saved, delSMSFromBox_);
        deleteMessagesInSIMorMEWithDeletedArray(service->delSimSmsList());
        return;
    }
    std::optional<QVariantList> whole = getAllPcListByBox(delSMSFromBox_);
    if (!whole)
        return;
    for (const QVariant &value : saved) {
        const int index = yov::nsInt(yov::nsDict(value).value(QStringLiteral("srcIndex")));
        for (qsizetype i = 0; i < whole->size(); ++i)
            if (indexOf(whole->at(i)) == index) {
                whole->removeAt(i);
                break;
            }
    }
    QPointer<SMSController> self(this);
    writeMessagesToPC(*whole, delSMSFromBox_, [self](const SmsBoxWriteResult &) {
        if (self)
            self->reFreshPCBox();
    });
}

} // namespace ostrel
