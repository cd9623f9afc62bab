// The SMS page's message table: rows, counters and cells, selection and marking read, the
// double-click, the buttons' rules, the box and position choice, sorting by column and the
// destination and save-number pop-ups, the call.
#include "common/ValueConversion.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/language/WordingOperation.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/neighbours/DialControllerInterface.h"
#include "ostrel/framework/neighbours/MainControllerInterface.h"
#include "ostrel/framework/neighbours/SmsServiceInterface.h"
#include "ostrel/framework/service/TcardVolume.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsSource.h"
#include "ostrel/sms/page/SmsTableModel.h"
#include "ostrel/sms/service/SmsListSorts.h"
#include "ostrel/sms/service/SmsService.h"
#include "ostrel/sms/service/SmsTableCells.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

#include <algorithm>

namespace ostrel {

// ---------------------------------------------------------------------------------------------
// Where the page stands.

int SMSController::getCurrentBox() const
{
    const int row = boxView_ ? boxView_->msgBoxSelectAt->selectedRow() : -1;
    return row < 0 ? yov::sms::kBoxInBox : boxDisplayOrder_BoxMap_.value(row, -1);
}

int SMSController::getCurrentPosition() const
{
    const int position = selectedSavePosition();
    return position < 0 ? yov::sms::kPositionPc : position;
}

bool SMSController::isSearchMode() const
{
    return boxView_ && !boxView_->SearchSMS_item->text().isEmpty();
}

QList<int> SMSController::selectedRows() const
{
    QList<int> rows;
    if (!page_)
        return rows;
    for (const QModelIndex &index : page_->msgBoxList->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QVariantList *SMSController::storedList(int position, int box, bool search)
{
    if (search)
        return searchLists_.contains({position, box}) ? &searchLists_[{position, box}] : nullptr;
    if (position == yov::sms::kPositionPc)
        return shownPcLists_.contains(box) ? &shownPcLists_[box] : nullptr;
    if (position == yov::sms::kPositionSim)
        return simLists_.contains(box) ? &simLists_[box] : nullptr;
    return nullptr;
}

QString SMSController::getUserNameWithPhoneNum(const QString &number) const
{
    if (number.isNull())
        return QStringLiteral("");
    QString plain = number;
    if (!phoneSeparator_.isEmpty() && plain.endsWith(phoneSeparator_))
        plain.chop(phoneSeparator_.size());
    const QString name = Neighbours::phonebook().searchNameAtPhoneBook(plain);
    if (name.isNull() || (name == plain && smsSwitch("noDisplayUserNameIfNotFindInPhoneBook")))
        return QStringLiteral("");
    return name;
}

SmsCellContext SMSController::cellContext(int box, int position) const
{
    SmsCellContext c;
    c.box = box;
    c.position = position;
    c.separator = phoneSeparator_;
    c.newStateWord = WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("SMS_tableColumnStat_NewSmsState"));
    ConfigService switches(&config());
    if (switches.checkIfShowReadStatus())
        c.readStateWord = Map_Name_Item_of_IndexString(QStringLiteral("read"));
    c.boxWord = [this](int b) { return Map_Name_Item_of_IndexString(getBoxStrWithBox(b)); };
    c.userName = [this](const QString &number) { return getUserNameWithPhoneNum(number); };
    c.multiNames = [this](const QString &numbers) { return searchMultiPhoneNumber(numbers); };
    // Special numbers show as the operator's names when the operator lists any.
    if (!yov::nsArray(switches.getArrayContainsSpeicalNumberAndSpeicalStringToReplace()).isEmpty())
        c.specialName = [](const QString &number) {
            SmsService *service = SmsService::installed();
            return service ? yov::nsString(service->getDictionaryContainsSpeicalNumberAndSpeicalStringWithPhoneNumber(number)
                                               .value(QStringLiteral("NameToShow")))
                           : QString();
        };
    c.formatDate = [this](const QDateTime &date) { return formatStringFromDate(date); };
    return c;
}

// ---------------------------------------------------------------------------------------------
// Rows, counters and cells.

void SMSController::reloadTable()
{
    if (tableModel_)
        tableModel_->reloadData();
}

int SMSController::numberOfRowsInTableView()
{
    const int position = getCurrentPosition();
    const int box = getCurrentBox();
    const auto countOf = [this](int at, int b) {
        return int(getCurrentBoxListBySearchFlag(false, at, b).value_or(QVariantList()).size());
    };
    const int inbox = countOf(position, yov::sms::kBoxInBox), outbox = countOf(position, yov::sms::kBoxOutBox),
              drafts = countOf(position, yov::sms::kBoxDraftBox);
    shownList_ = box == yov::sms::kBoxDeliveryReport
                     ? (position == yov::sms::kPositionPc ? deliveryReportRows() : QVariantList())
                     : getCurrentBoxListBySearchFlag(isSearchMode(), position, box).value_or(QVariantList());
    shownContext_ = cellContext(box, position);
    if (!page_)
        return int(shownList_.size());
    const int deleted = int(pcList(yov::sms::kBoxDeletedBox).size());
    const int important = int(pcList(yov::sms::kBoxImportantBox).size());
    const int broadcasts = SmsService::installed() ? int(SmsService::installed()->broadcastBoxList().size()) : 0;
    const int reports = int(deliveryReportArray_.size());
    const auto count = [](int n) { return QStringLiteral("(%1)").arg(n); };
    page_->outBoxMessageNum->setText(count(outbox));
    page_->draftBoxMessageNum->setText(count(drafts));
    boxView_->tfdDeliveryReportBoxMessageNum->setText(count(reports));
    boxView_->tfdDeletedBoxMessageNum_->setText(count(deleted));
    boxView_->tfdImportantBoxMessageNum_->setText(count(important));
    boxView_->tfdBroadCastBoxMessageNum_->setText(count(broadcasts));
    if (ConfigService(&config()).isDisplayInboxCountLabelWithUnreadSmsCount()) {
        const QVariantList list = getCurrentBoxListBySearchFlag(false, position, yov::sms::kBoxInBox).value_or(QVariantList());
        page_->inBoxMessageNum->setText(QStringLiteral("(%1/%2)").arg(SmsService::getUnreadSMSCountFromSMSList(list)).arg(inbox));
    } else {
        page_->inBoxMessageNum->setText(count(inbox));
    }
    // The tree's boxes of both the computer and the SIM are titled from the same lists as the
    // counters above: giving counts only to the selected position's boxes left the other
    // position's titles at what they read when it was last selected (a new SIM branch at "(0)"),
    // so the tree and the counters disagreed.
    if (smsSource_) {
        for (int at : {yov::sms::kPositionPc, yov::sms::kPositionSim})
            smsSource_->setBoxWithSmSCount(at, countOf(at, yov::sms::kBoxInBox), countOf(at, yov::sms::kBoxOutBox),
                                           countOf(at, yov::sms::kBoxDraftBox), deleted, important, reports);
        smsSource_->updateSMSCountOfPosNode();
    }
    updateSMSCount();
    return int(shownList_.size());
}

QVariant SMSController::objectValueForTableColumn(const QString &column, int row) const
{
    if (shownContext_.box == yov::sms::kBoxDeliveryReport)
        return setSmsTableValueOfDeliveryReport(column, row);
    return smsCellValue(shownList_, row, column, shownContext_);
}

std::optional<QFont> SMSController::fontOfRow(int row) const
{
    std::optional<QFont> base = font();
    if (shownContext_.box != yov::sms::kBoxInBox || !smsSwitch("BoldUnreadSMSFont") || row < 0 || row >= shownList_.size())
        return base;
    QFont f = base.value_or(QFont());
    const bool unread = smsMessageIsUnread(yov::nsDict(shownList_.at(row)));
    f.setBold(unread);
    // Sizes in pixels, as the skins give theirs: taken as points they came out a third larger than
    // the rest of the page and the cells were cut.
    f.setPixelSize(unread ? 15 : 12);
    return f;
}

// ---------------------------------------------------------------------------------------------
// Selection.

bool SMSController::shouldSelectRow(int row)
{
    if (row < 0 || row >= shownList_.size())
        return false;
    if (getCurrentBox() == yov::sms::kBoxDeliveryReport) {
        markDeliveryReportRead(row); // a read report loses its new-state word
        shownList_ = deliveryReportRows();
    }
    selectedSmsListInTableView_ = shownList_;
    currentBoxList_ = shownList_;
    page_->messageText->setReadOnly(true);
    return true;
}

void SMSController::clearTableSelection()
{
    if (page_)
        page_->msgBoxList->clearSelection();
}

void SMSController::tableViewSelectionDidChange()
{
    if (inSelectionChange_ || !page_)
        return;
    if (autoSelectNewSMSFlag_) {
        autoSelectNewSMSFlag_ = false;
        return;
    }
    inSelectionChange_ = true;
    const QList<int> rows = selectedRows();
    if (!rows.isEmpty() && shouldSelectRow(rows.last())) {
        currentSMSRecord_ = yov::nsDict(currentBoxList_.value(rows.last()));
        displayMessageText(page_->messageText);
    } else {
        currentSMSRecord_.clear();
    }
    doWhenSMSSelectionDidChange();
    if (!hasNewSMSInPos(yov::sms::kPositionPc) && !hasNewSMSInPos(yov::sms::kPositionSim)) {
        stopNewSmsAnimation();
        page_->Pic_newsms->hide();
        page_->btnNewSMSPic_->hide();
    }
    freshStatusViewWhenSMSReaded();
    inSelectionChange_ = false;
}

// The status item once a message was read: with nothing unread in the computer's or the SIM's
// inbox it goes back to the connection's picture (or the plain item); otherwise it shows the
// animation of what still waits, a data-volume message before an ordinary one.
void SMSController::freshStatusViewWhenSMSReaded()
{
    const ConfigService switches(&config());
    if (!switches.isFreshStatusViewWhenNewSMSArrive())
        return;
    MainControllerInterface &main = Neighbours::main();
    if (!hasNewSMSInPos(yov::sms::kPositionPc) && !hasNewSMSInPos(yov::sms::kPositionSim)) {
        if (switches.isFreshStatusViewWhenConnectStatusChanged())
            main.freshStatusViewToStaticViewAccorindToDialStatus(Neighbours::dial().connectStatus());
        else
            main.setImageOfStatusBarViewWithImageName(QStringLiteral("SysStatusItem.PNG"));
        return;
    }
    freshStatusViewWhenNewSMSArrive();
}

// ---------------------------------------------------------------------------------------------
// The editor's Send button and the menu's send item.

void SMSController::setSendSMSBtnStatWhenNewMessage()
{
    if (page_)
        page_->SendMessageBtn->setEnabled(m_nNetCardStatus != 1);
}

void SMSController::setSendSMSBtnStatWhenSendUserInfo(bool enable)
{
    if (!page_)
        return;
    if (!enable) {
        page_->SendMessageBtn->setEnabled(false);
        setMenuItemState(false, kSmsMenuSend);
        return;
    }
    setSendSMSBtnStatWhenNewMessage();
    // The send item comes back only where the selection offers it.
    setMenuItemsStateWhenSMSSelectionDidChange();
}

void SMSController::setSMSInterfaceWhenSendSMSONBackGround()
{
    if (page_)
        page_->SendMessageBtn->setEnabled(false);
}

void SMSController::setSMSInterfaceWhenSendSMSInFront()
{
    if (page_)
        page_->SendMessageBtn->setEnabled(true);
}

void SMSController::applySelectionButtons(const SmsButtonStates &b)
{
    SmsPageView *p = page_;
    p->deleteBtn->setEnabled(b.deleteBtn);
    p->btnMoveToImportantBox_->setEnabled(b.moveToImportant);
    p->btnReadMsg_->setEnabled(b.read);
    p->forwardMessageBtn->setEnabled(b.forward);
    p->savePhonePopUp->setEnabled(b.savePhone);
    p->savePhonePic->setEnabled(b.savePhone);
    p->replyBtn->setEnabled(b.reply);
    p->smsSendBtn_->setEnabled(b.send);
    p->saveToBtn->setEnabled(b.saveTo);
    p->btnMoveTo_->setEnabled(b.moveTo);
    p->btnRecover_->setEnabled(b.recover);
    p->callBtn->setEnabled(b.call);
}

void SMSController::doWhenSMSSelectionDidChange()
{
    const QList<int> rows = selectedRows();
    SmsSelectionState s;
    s.selected = int(rows.size());
    s.box = getCurrentBox();
    s.position = getCurrentPosition();
    s.ready = m_nNetCardStatus == 12;
    s.forwardInOutBox = smsSwitch("supportMessageForwardInOutBox");
    s.callModule = hasModuleWith(QStringLiteral("Call")) || hasModuleWith(QStringLiteral("Videocall"));
    s.hasCurrent = !currentSMSRecord_.isEmpty();
    const QVariantMap summary = yov::nsDict(currentSMSRecord_.value(QStringLiteral("concatSmsInfo")));
    s.currentHasNumber = !yov::nsString(currentSMSRecord_.value(QStringLiteral("mobilephone"))).isEmpty()
                         || !yov::nsString(summary.value(QStringLiteral("mobilephone"))).isEmpty();
    const SmsButtonStates b = smsButtonStatesForSelection(s);
    loadSavedDestPositionWithOnineFlag(s.ready, s.selected);
    applySelectionButtons(b);
    if (b.showSummary) {
        page_->messageText->clear();
        setMsgBoxInfo();
    }
    if (s.box == yov::sms::kBoxInBox)
        markSelectedRead(rows);
    setMenuItemsStateWhenSMSSelectionDidChange();
    reloadTable();
}

void SMSController::markSelectedRead(const QList<int> &rows)
{
    bool computerChanged = false;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        markRowRead(*it, &computerChanged);
    if (computerChanged)
        writeMessagesToPC(allPcLists_.value(yov::sms::kBoxInBox), yov::sms::kBoxInBox);
}

bool SMSController::markRowRead(int row, bool *computerChanged)
{
    if (row < 0 || row >= currentBoxList_.size())
        return false;
    QVariantMap message = yov::nsDict(currentBoxList_.at(row));
    currentSMSRecord_ = message;
    if (smsSwitch("smsPopUpOfD3u"))
        removeMessageOfPop_UpWithMessage(message);
    if (!smsMarkMessageRead(message))
        return false;
    currentBoxList_[row] = message;
    if (row < selectedSmsListInTableView_.size())
        selectedSmsListInTableView_[row] = message;
    currentSMSRecord_ = message;
    const int position = getCurrentPosition();
    const int index = yov::nsInt(message.value(QStringLiteral("index")));
    if (position == yov::sms::kPositionPc) {
        replaceStoredMessage(position, yov::sms::kBoxInBox, message);
        *computerChanged = true;
    } else if (position == yov::sms::kPositionTcard) {
        writeMessagesToTcard(currentBoxList_, yov::sms::kBoxInBox);
    } else if (m_nNetCardStatus == 12) {
        replaceStoredMessage(position, yov::sms::kBoxInBox, message);
        sendRequest<768, 102>(yov::SmsReadRequest{position, index});
    }
    return true;
}

// The stored copies of a message (found by its "index") marked read as well: the lists the
// table and the counters are drawn from, and the whole stored inbox the computer write takes.
void SMSController::replaceStoredMessage(int position, int box, const QVariantMap &message)
{
    const QVariant index = message.value(QStringLiteral("index"));
    const auto mark = [&index](QVariantList *list) {
        if (!list)
            return;
        for (QVariant &entry : *list) {
            QVariantMap m = yov::nsDict(entry);
            if (m.value(QStringLiteral("index")) == index && smsMarkMessageRead(m))
                entry = m;
        }
    };
    mark(storedList(position, box, false));
    mark(storedList(position, box, true));
    if (position == yov::sms::kPositionPc)
        mark(allPcLists_.contains(box) ? &allPcLists_[box] : nullptr);
    for (QVariant &entry : shownList_) {
        QVariantMap m = yov::nsDict(entry);
        if (m.value(QStringLiteral("index")) == index && smsMarkMessageRead(m))
            entry = m;
    }
}

// ---------------------------------------------------------------------------------------------
// The text of the selected message.

void SMSController::displayMessageText(QWidget *control)
{
    if (!control)
        return;
    const QVariantMap m = currentSMSRecord_;
    QString text;
    const bool computerDraft = getCurrentBox() == yov::sms::kBoxDraftBox && !smsIsDeviceStore(getCurrentPosition());
    if (computerDraft || smsIsFlatMessage(m)) {
        text = yov::nsString(m.value(QStringLiteral("messagetext")));
    } else {
        const bool concatenated = yov::nsBool(m.value(QStringLiteral("concatSmsFlag")));
        text = yov::nsString(yov::nsDict(m.value(concatenated ? QStringLiteral("concatSmsInfo") : QStringLiteral("smsInfo")))
                                 .value(QStringLiteral("messagetext")));
    }
    if (page_ && control == page_->messageText) {
        if (smsSwitch("DisplayHyperlinkInSMS")) {
            page_->messageText->setHtml(displayHyperlinkFromSMS(text));
        } else {
            page_->messageText->setPlainText(text);
            if (font())
                page_->messageText->setFont(*font());
        }
        return;
    }
    if (auto *line = qobject_cast<QLineEdit *>(control))
        line->setText(text);
    else if (auto *edit = qobject_cast<QTextEdit *>(control))
        edit->setPlainText(text);
    else if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(text);
}

void SMSController::showListView()
{
    page_->viewMsgText_->hide();
    page_->viewMsgBox_->show();
}

void SMSController::readAndShowMessageText()
{
    if (!page_)
        return;
    page_->readMsgText_->setPlainText(page_->messageText->toPlainText());
    page_->viewMsgBox_->hide();
    page_->viewMsgText_->show();
    page_->btnReadMsg_->setEnabled(false);
}

void SMSController::userDoubleClickMsgList(int clickedRow)
{
    if (clickedRow < 0 || selectedRows().size() > 1)
        return;
    const int box = getCurrentBox();
    if (box == yov::sms::kBoxDraftBox)
        sendMessageInDraftBox(nullptr);
    else if (box == yov::sms::kBoxInBox || box == yov::sms::kBoxOutBox)
        readAndShowMessageText();
}

QString SMSController::getMobilePhoneFromSelectedSMS()
{
    if (currentSMSRecord_.isEmpty())
        return QString();
    const bool computerDraft = getCurrentBox() == yov::sms::kBoxDraftBox && !smsIsDeviceStore(getCurrentPosition());
    const QString number = computerDraft || smsIsFlatMessage(currentSMSRecord_)
                               ? yov::nsString(currentSMSRecord_.value(QStringLiteral("mobilephone")))
                               : yov::nsString(yov::nsDict(currentSMSRecord_.value(QStringLiteral("concatSmsInfo")))
                                                   .value(QStringLiteral("mobilephone")));
    clearTableSelection();
    return number;
}

// ---------------------------------------------------------------------------------------------
// Buttons as a group, box and position choice.

void SMSController::setSaveAtPosEnabled(bool enabled)
{
    if (!boxView_)
        return;
    boxView_->saveAtPos->setEnabled(enabled);
    if (hasPosition(yov::sms::kPositionTcard))
        if (QAbstractButton *card = boxView_->saveAtPos->cellAtRow(yovPositionManager_.getPositionOrderByPositon(yov::sms::kPositionTcard)))
            card->setEnabled(enabled && getTcardVolume().has_value());
}

void SMSController::disableSelectionButtons()
{
    SmsPageView *p = page_;
    for (QWidget *w : {static_cast<QWidget *>(p->deleteBtn), static_cast<QWidget *>(p->saveToBtn),
                       static_cast<QWidget *>(p->btnMoveTo_), static_cast<QWidget *>(p->replyBtn),
                       static_cast<QWidget *>(p->forwardMessageBtn), static_cast<QWidget *>(p->btnRecover_),
                       static_cast<QWidget *>(p->btnMoveToImportantBox_), static_cast<QWidget *>(p->smsSendBtn_),
                       static_cast<QWidget *>(p->btnReadMsg_)})
        w->setEnabled(false);
    loadSavedDestPositionWithOnineFlag(false, 0);
    initSetMenuItemsState();
}

void SMSController::setButtonState(int state)
{
    if (!page_)
        return;
    SmsPageView *p = page_;
    if (state == 1) {
        setSaveAtPosEnabled(true);
        p->newMessageBtn->setEnabled(true);
        setMenuItemState(true, kSmsMenuNew);
        boxView_->msgBoxSelectAt->setEnabled(true);
    } else if (state == 0) {
        boxView_->saveAtPos->setEnabled(false);
        for (QWidget *w : {static_cast<QWidget *>(p->replyBtn), static_cast<QWidget *>(p->smsSendBtn_),
                           static_cast<QWidget *>(p->saveToBtn), static_cast<QWidget *>(p->btnMoveTo_),
                           static_cast<QWidget *>(p->forwardMessageBtn), static_cast<QWidget *>(p->newMessageBtn),
                           static_cast<QWidget *>(p->deleteBtn), static_cast<QWidget *>(p->savePhonePopUp),
                           static_cast<QWidget *>(p->savePhonePic), static_cast<QWidget *>(p->btnReadMsg_)})
            w->setEnabled(false);
        loadSavedDestPositionWithOnineFlag(false, 0);
        initSetMenuItemsState();
        if (smsSwitch("SavePosAsButton")) {
            boxView_->saveAtPos->setEnabled(true);
            for (QAbstractButton *cell : boxView_->saveAtPos->cells())
                cell->setEnabled(cell == boxView_->saveAtPos->cellAtRow(yovPositionManager_.getPositionOrderByPositon(yov::sms::kPositionPc)));
        }
    }
}

void SMSController::msgBoxSelect()
{
    if (!page_)
        return;
    const int box = getCurrentBox();
    boxView_->msgBoxSelectAt->selectCellAtRow(boxView_->msgBoxSelectAt->selectedRow());
    const bool deletedOrOther = box == yov::sms::kBoxDeletedBox || box == yov::sms::kBoxImportantBox
                                || box == yov::sms::kBoxBroadCastBox;
    setHeader(QStringLiteral("mobilephone"), box == yov::sms::kBoxInBox ? QStringLiteral("From")
                                             : deletedOrOther           ? QStringLiteral("Phone Number")
                                                                        : QStringLiteral("To"));
    setHeader(QStringLiteral("stat"), box == yov::sms::kBoxDeletedBox || box == yov::sms::kBoxImportantBox
                                          ? QStringLiteral("Position")
                                          : QStringLiteral("Status"));
    setMenuItemState(box == yov::sms::kBoxInBox || box == yov::sms::kBoxDraftBox, kSmsMenuReply);
    currentSMSRecord_.clear();
    currentBoxList_.clear();
    if (isSearchMode())
        searchSMS();
    page_->messageText->clear();
    setMsgBoxInfo();
    disableSelectionButtons();
    clearTableSelection();
    page_->msgBoxList->scrollToTop();
    for (const char *id : {"mobilephone", "username", "date"})
        tableModel_->setIndicatorImage(QLatin1String(id), QString());
    reloadTable();
    showListView();
}

void SMSController::selectSaveAt()
{
    if (!page_)
        return;
    special_SelectSaveAt();
    page_->messageText->clear();
    {
        const QSignalBlocker quiet(boxView_->SearchSMS_item);
        boxView_->SearchSMS_item->clear();
    }
    currentSMSRecord_.clear();
    currentBoxList_.clear();
    disableSelectionButtons();
    lastPositionRow_ = boxView_->saveAtPos->selectedRow();
    boxView_->msgBoxSelectAt->selectCellAtRow(0);
    clearTableSelection();
    page_->msgBoxList->scrollToTop();
    setHeader(QStringLiteral("mobilephone"), QStringLiteral("From"));
    setHeader(QStringLiteral("stat"), QStringLiteral("Status"));
    searchSMS();
    const int position = getCurrentPosition();
    if (isFullWithPosition(position)) {
        if (position == yov::sms::kPositionPc && ConfigService(&config()).isCheckPCCompacity())
            alertFullWithPosition(position, FullAlertDatabase);
        else if (position == yov::sms::kPositionSim)
            alertFullWithPosition(position, FullAlertStore);
    }
    setMsgBoxInfo();
    showListView();
    page_->btnReadMsg_->setEnabled(false);
    if (ConfigService(&config()).isSupportSetSmsStoreLocWhenClickSavePos())
        setSMSStoreLocWhenClickSMSBrowsePos();
}

// A node of the tree was chosen: its position first when that changed, then its box.
void SMSController::nodeSelected()
{
    if (!page_ || !smsSource_ || !smsSource_->selectedNode())
        return;
    const auto [position, box] = smsSource_->selectionOf(smsSource_->selectedNode());
    const int boxRow = boxView_->msgBoxSelectAt->selectedRow();
    if (boxView_->saveAtPos->selectedRow() != lastPositionRow_) {
        selectSaveAt();
        boxView_->msgBoxSelectAt->selectCellAtRow(box < 0 ? 0 : boxRow);
    }
    if (box >= 0)
        msgBoxSelect();
    Q_UNUSED(position)
}

// ---------------------------------------------------------------------------------------------
// Sorting.

void SMSController::tableViewDidClickTableColumn(const QString &identifier)
{
    const int position = getCurrentPosition();
    if (position == yov::sms::kPositionTcard || !page_)
        return;
    for (const QString &id : SmsTableModel::columnIdentifiers())
        tableModel_->setIndicatorImage(id, QString());
    bool *flag = identifier == QLatin1String("mobilephone") ? &sortByMobilephone_
                 : identifier == QLatin1String("username")  ? &sortByUsername_
                 : identifier == QLatin1String("date")      ? &sortByDate_
                 : identifier == QLatin1String("stat")      ? &sortByStat_
                                                            : nullptr;
    if (!flag || (flag == &sortByStat_ && !ConfigService(&config()).isSupportArrangeSmsOrderStat()))
        return;
    const bool ascending = *flag;
    tableModel_->setIndicatorImage(identifier, ascending ? QStringLiteral("NSAscendingSortIndicator")
                                                         : QStringLiteral("NSDescendingSortIndicator"));
    const int box = getCurrentBox();
    if (box == yov::sms::kBoxInBox || box == yov::sms::kBoxOutBox || box == yov::sms::kBoxDraftBox) {
        if (QVariantList *list = storedList(position, box, isSearchMode())) {
            const bool drafts = box == yov::sms::kBoxDraftBox && position == yov::sms::kPositionPc;
            sortSmsBoxList(*list, identifier, ascending, drafts);
            // The rows now hold other messages: nothing stays selected.
            clearTableSelection();
            currentSMSRecord_.clear();
            currentBoxList_.clear();
        }
    }
    reloadTable();
    *flag = !*flag;
}

// ---------------------------------------------------------------------------------------------
// Pop-ups and the call.

void SMSController::loadSavedDestPositionWithOnineFlag(bool ready, int selected)
{
    if (!page_)
        return;
    NSPopUpButtonExt *popup = page_->popBtnSaveMessage_;
    popup->clear();
    popup->addItem(Map_Name_Item_of_IndexString(QStringLiteral("Pop btn save To:")));
    if (selected == 0 || getCurrentBox() == yov::sms::kBoxDraftBox) {
        popup->setEnabled(false);
        return;
    }
    popup->setEnabled(true);
    const int current = getCurrentPosition();
    for (const yov::sms::YovPosition &p : yovPositionManager_.getAllPositions()) {
        if (p.positon() == current || (smsIsDeviceStore(p.positon()) && !ready))
            continue;
        popup->addItem(Map_Name_Item_of_IndexString(smsPositionMatrixWord(p.positon())), p.positon());
    }
}

void SMSController::loadSaveNumberBtnwithState(bool withDevice)
{
    if (!page_)
        return;
    NSPopUpButtonExt *popup = page_->savePhonePopUp;
    popup->clear();
    QStringList items{QStringLiteral("SavePhone"), QStringLiteral("PC")};
    if (withDevice) {
        items << QStringLiteral("(U)SIM");
        if (hasMePosition_)
            items << QStringLiteral("Data Card");
    }
    for (const QString &item : items)
        popup->addItem(Map_Name_Item_of_IndexString(item));
}

void SMSController::savePhoneNumber()
{
    if (!page_)
        return;
    NSPopUpButtonExt *popup = page_->savePhonePopUp;
    const QString chosen = popup->currentText();
    popup->setCurrentIndex(0);
    for (const char *english : {"PC", "(U)SIM", "Data Card"}) {
        if (chosen != Map_Name_Item_of_IndexString(QLatin1String(english)))
            continue;
        const QString number = getMobilePhoneFromSelectedSMS();
        Neighbours::phonebook().toPbUserWinWithPhoneNumber(number, chosen);
        return;
    }
}

void SMSController::call()
{
    if (smsSource_)
        if (NSFlickerButton *button = Neighbours::phonebook().getFlickerButtonOfToolItemFromID(QStringLiteral("Call")))
            button->setGroupButtonChange();
    const QString number = getMobilePhoneFromSelectedSMS();
    notificationCenter().post(QString(notifications::kMakeCallWithPhoneNumber), this,
                              {{QString(notifications::kMakeCallNumberKey), number}});
}

} // namespace ostrel
