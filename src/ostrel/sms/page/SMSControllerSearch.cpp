// The SMS page's search, counts, titles and summaries, the unread hint, the store and browse
// position, the links in texts, the page's alert window, its configuration and shortcut menu, the
// lists' state answer, the device events and the tab change with the device-lock guard.
#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsSource.h"
#include "ostrel/sms/page/SmsTableModel.h"
#include "ostrel/sms/service/SmsCapacity.h"
#include "ostrel/sms/service/SmsService.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextEdit>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace ostrel {

// ---------------------------------------------------------------------------------------------
// Search.

void SMSController::InitCurSearchGroup()
{
    for (int position : {yov::sms::kPositionPc, yov::sms::kPositionSim})
        for (int box : {yov::sms::kBoxInBox, yov::sms::kBoxOutBox, yov::sms::kBoxDraftBox})
            searchLists_.insert({position, box}, QVariantList());
}

void SMSController::searchSMS()
{
    InitCurSearchGroup();
    if (!page_)
        return;
    const QString text = boxView_->SearchSMS_item->text();
    const int box = getCurrentBox();
    const int position = getCurrentPosition() == yov::sms::kPositionSim ? yov::sms::kPositionSim : yov::sms::kPositionPc;
    if (!text.isEmpty()) {
        if (box == yov::sms::kBoxOutBox || box == yov::sms::kBoxDraftBox)
            setHeader(QStringLiteral("mobilephone"), QStringLiteral("To"));
        else if (box == yov::sms::kBoxInBox)
            setHeader(QStringLiteral("mobilephone"), QStringLiteral("From"));
        const SmsSearchKind kind = smsSearchKindOf(position, box);
        if (kind != kSmsSearchNone) {
            const QVariantList source = position == yov::sms::kPositionSim ? simLists_.value(box) : pcList(box);
            const QVariantList found =
                smsSearchList(source, kind, text, [this](const QDateTime &date) { return formatStringFromDate(date); });
            searchLists_.insert({position, box}, found);
            currentBoxList_ = found;
        } else if (position == yov::sms::kPositionPc) {
            currentBoxList_.clear();
        }
    }
    clearTableSelection();
    page_->messageText->clear();
    setMsgBoxInfo();
    reloadTable();
}

// ---------------------------------------------------------------------------------------------
// Counts, titles, summaries.

int SMSController::getEverySMSCountWithSMSList(const QVariantList &list, int position, int box) const
{
    return smsPartsOfList(list, position, box);
}

int SMSController::usedCountOfPosition(int position) const
{
    switch (position) {
    case yov::sms::kPositionPc: {
        int used = 0;
        for (int box : {yov::sms::kBoxInBox, yov::sms::kBoxOutBox, yov::sms::kBoxDeletedBox, yov::sms::kBoxImportantBox,
                        yov::sms::kBoxDraftBox})
            used += getEverySMSCountWithSMSList(pcList(box), position, box);
        return used; // delivery reports come with their box
    }
    case yov::sms::kPositionSim:
        return m_nSIM_Used;
    case yov::sms::kPositionTcard: {
        int used = 0;
        if (boxView_)
            for (int row = 0; row < boxView_->msgBoxSelectAt->rows(); ++row)
                if (boxView_->msgBoxSelectAt->cellAtRow(row))
                    used += int(getTcardListInBox(boxDisplayOrder_BoxMap_.value(row, -1)).size());
        return used;
    }
    case yov::sms::kPositionMe:
        return modemUsed_;
    default:
        return 0;
    }
}

void SMSController::updateSMSCountWithPos(int position)
{
    if (!boxView_)
        return;
    QAbstractButton *cell = boxView_->saveAtPos->cellAtRow(yovPositionManager_.getPositionOrderByPositon(position));
    if (!cell)
        return;
    const QVariantMap max = yov::nsDict(smsModule().value(QStringLiteral("MaxSMSCountInfo")));
    QString english;
    int capacity = 0;
    switch (position) {
    case yov::sms::kPositionPc:
        english = QStringLiteral("PC");
        capacity = pcSmsCapacity(smsModule());
        break;
    case yov::sms::kPositionTcard:
        english = QStringLiteral("SD Card");
        capacity = yov::nsInt(max.value(QStringLiteral("AT_TCARD")));
        break;
    case yov::sms::kPositionSim:
        english = QStringLiteral("(U)SIM");
        capacity = m_nSIM_Cap;
        break;
    case yov::sms::kPositionMe:
        english = QStringLiteral("Modem capacity tip:");
        capacity = modemCap_;
        break;
    default:
        return;
    }
    cell->setText(QStringLiteral("%1 (%2/%3)").arg(word(english)).arg(usedCountOfPosition(position)).arg(capacity));
}

void SMSController::updateSMSCount()
{
    if (!smsSwitch("DisplaySMSCountInfo"))
        return;
    updateSMSCountWithPos(yov::sms::kPositionPc);
    updateSMSCountWithPos(yov::sms::kPositionSim);
    for (int position : {yov::sms::kPositionTcard, yov::sms::kPositionMe})
        if (hasPosition(position))
            updateSMSCountWithPos(position);
}

void SMSController::setMsgBoxInfo()
{
    if (!page_ || !smsSwitch("SetMsgInfo"))
        return;
    const int position = getCurrentPosition();
    const int box = getCurrentBox();
    const auto fill = [this](const char *english, const QStringList &args) {
        return yov::formatPlaceholders(word(QLatin1String(english)), args);
    };
    QString heading;
    QString total;
    if (position == yov::sms::kPositionPc) {
        const QVariantMap max = yov::nsDict(smsModule().value(QStringLiteral("MaxSMSCountInfo")));
        total = fill("PC Total: %d/%d", {QString::number(usedCountOfPosition(position)),
                                         QString::number(yov::nsInt(max.value(QStringLiteral("AT_PC"))))});
        const char *headings[] = {"Local Inbox\nTotal: %d\n\n", "Local Outbox\nTotal: %d\n\n", "Local Draft\nTotal: %d\n\n"};
        if (box >= yov::sms::kBoxInBox && box <= yov::sms::kBoxDraftBox)
            heading = fill(headings[box], {QString::number(pcList(box).size())});
        else
            return;
    } else if (position == yov::sms::kPositionSim) {
        total = fill("(U)SIM Total: %d/%d", {QString::number(m_nSIM_Used), QString::number(m_nSIM_Cap)});
        const char *headings[] = {"(U)SIM Inbox\nTotal: %d\n\n", "(U)SIM Outbox\nTotal: %d\n\n", "(U)SIM Draft\nTotal: %d\n\n"};
        if (box >= yov::sms::kBoxInBox && box <= yov::sms::kBoxDraftBox)
            heading = fill(headings[box], {QString::number(getCurrentBoxListBySearchFlag(isSearchMode(), position, box)
                                                               .value_or(QVariantList())
                                                               .size())});
        else
            return;
    } else {
        return;
    }
    page_->messageText->setPlainText(heading + total);
}

void SMSController::resetPCUnReadSMSNumNotification()
{
    const int unread = smsUnreadPartsOfList(pcList(yov::sms::kBoxInBox));
    if (!yov::nsBool(uiConfigDict().value(QStringLiteral("SmartUI"))))
        return;
    smsHint_ = unread;
    if (auto *label = qobject_cast<QLabel *>(yovSkinManager() ? yovSkinManager()->controllerByKey(QStringLiteral("labelSMSHint")) : nullptr))
        label->setText(unread >= 1 ? QString::number(unread) : QString());
}

bool SMSController::hasNewSMSInPos(int position) const
{
    QVariantList inbox;
    if (position == yov::sms::kPositionPc)
        inbox = pcList(yov::sms::kBoxInBox);
    else if (position == yov::sms::kPositionSim)
        inbox = simLists_.value(yov::sms::kBoxInBox);
    else
        return false;
    return std::any_of(inbox.cbegin(), inbox.cend(), [](const QVariant &m) { return smsMessageIsUnread(yov::nsDict(m)); });
}

void SMSController::GotoInbox()
{
    if (ConfigService(&config()).getUIModelConfig() != 3)
        Neighbours::main().menuCompleteModelClicked();
    notifyChangeTabViewItem(QStringLiteral("SMS"));
    if (!page_)
        return;
    // The position of the newest message (a message too long for the SIM is on the computer).
    if (m_revNewPos >= 0)
        selectPositionRow(m_revNewPos == yov::kSmsStoredPcSimFull ? yov::sms::kPositionPc : m_revNewPos);
    loadSmsList();
    boxView_->msgBoxSelectAt->selectCellAtRow(getBoxDisplayOrderWithBox(yov::sms::kBoxInBox));
    msgBoxSelect();
}

// ---------------------------------------------------------------------------------------------
// Store position and browse position.

void SMSController::selectPositionRow(int position)
{
    const int row = yovPositionManager_.getPositionOrderByPositon(position);
    if (!boxView_ || row < 0 || !boxView_->saveAtPos->selectCellAtRow(row))
        return;
    selectSaveAt();
}

void SMSController::setSMSStoreLocWhenClickSMSBrowsePos()
{
    const std::int32_t code = yov::smsStoreCodeOfPosition(getCurrentPosition());
    Neighbours::setting().setCurrentSetSMSPostion(code);
    // The page sends it under the settings' module, as the catalogue gives its sender.
    if (YOVMsgCenter *center = yovMsgCenter())
        if (!center->sendCatalogued(yov::smsmsg::kMajor, yov::smsmsg::kMinorStoreCode, yov::encodeSmsInt32(code),
                                    yov::kModuleSetting))
            qCWarning(lcSmsPage) << "the store position was not sent";
}

void SMSController::dealWithMsgOfSMSRevPos(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (msg.type != yov::kSmsTypeAnswer || msg.result != 0 || msg.dataLength != yov::kSmsInt32Size) {
        qCWarning(lcSmsPage) << "store-position answer ignored: type" << msg.type << "result" << int(msg.result)
                             << "length" << msg.dataLength;
        return;
    }
    if (ConfigService(&config()).isSupportSetSmsBrowsePosBySmsStoreLoc())
        initSmsBrowsePosWithSmsStorePos(yov::decodeSmsInt32(yov::PayloadReader::ofMsg(msg)));
}

// The device's centre, asked for by the settings page on entering its SMS panel: a refusal is
// announced; a centre in its 32 bytes goes to the settings, which store and show it.
void SMSController::dealWithMsgOfSMSCenter(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (msg.type != yov::kSmsTypeAnswer)
        return;
    const bool sendWaits = std::exchange(centreQueryPending_, false);
    if (msg.result != 0) {
        runAlertPanelAttributeStringTitle(word(QStringLiteral("Warning")), word(QStringLiteral("Fail to set message center!")),
                                          word(QStringLiteral("OK")), QString());
        return;
    }
    if (msg.dataLength != yov::kSmsCentreSize) {
        qCWarning(lcSmsPage) << "centre answer ignored: length" << msg.dataLength;
        return;
    }
    Neighbours::setting().writeMessageCenter(yov::decodeSmsCentre(yov::PayloadReader::ofMsg(msg)));
    if (sendWaits && smsSwitch("queryCenterNumBeforeSendingSms"))
        sendMessage(nullptr);
}

void SMSController::initSmsBrowsePosWithSmsStorePos(int code)
{
    const int position = code == yov::kSmsStoreMe      ? yov::sms::kPositionMe
                         : code == yov::kSmsStoreTcard ? yov::sms::kPositionTcard
                         : code == yov::kSmsStoreSim   ? yov::sms::kPositionSim
                                                       : yov::sms::kPositionPc;
    selectPositionRow(position);
}

void SMSController::setSMSBrowsePosWhenEnterSMSUI()
{
    const QString name = ConfigService(&config()).getSMSDefaultBrowsePosWhenOpenSmsUI();
    const int row = yovPositionManager_.getPositionOrderByPositonName(name);
    if (boxView_ && row >= 0 && boxView_->saveAtPos->selectedRow() != row)
        selectPositionRow(yovPositionManager_.getPositionByPositionOrder(row));
}

bool SMSController::isCurrentPositionFromTcard() const
{
    return yov::nsInt(setting(QStringLiteral("Setting"), QStringLiteral("smsStoredPosition"))) == 4;
}

// ---------------------------------------------------------------------------------------------
// Links.

QString SMSController::displayHyperlinkFromSMS(const QString &text)
{
    hyperlinksInSMS_.clear();
    if (text.isEmpty())
        return QStringLiteral("");
    hyperlinksInSMS_ = smsFindHyperlinks(text);
    QList<SmsLink> inOrder = hyperlinksInSMS_;
    std::sort(inOrder.begin(), inOrder.end(), [](const SmsLink &a, const SmsLink &b) { return a.location < b.location; });
    QString html = QStringLiteral("<p style=\"white-space: pre-wrap\">");
    int at = 0;
    for (const SmsLink &link : inOrder) {
        html += text.mid(at, link.location - at).toHtmlEscaped();
        const QString url = QUrl::fromUserInput(link.address).toString(QUrl::FullyEncoded);
        html += QStringLiteral("<a href=\"%1\" style=\"color: blue; text-decoration: underline\">%2</a>")
                    .arg(url.toHtmlEscaped(), link.address.toHtmlEscaped());
        at = link.location + link.length;
    }
    html += text.mid(at).toHtmlEscaped() + QStringLiteral("</p>");
    return html;
}

// ---------------------------------------------------------------------------------------------
// The page's alert window: in front of the others, not modal.

void SMSController::runAlertPanelAttributeStringTitle(const QString &title, const QString &message,
                                                      const QString &defaultButton, const QString &alternateButton)
{
    ensurePage();
    SmsPageView *p = page_;
    p->labelTitle_->setText(title);
    p->txtViewMsg_->clear();
    p->txtViewMsg_->setReadOnly(false);
    p->txtViewMsg_->insertHtml(message);
    p->txtViewMsg_->setReadOnly(true);
    p->btnOK_->setText(defaultButton);
    p->btnCancel_->setVisible(!alternateButton.isEmpty());
    p->btnCancel_->setText(alternateButton);
    p->wndAlert_->setWindowModality(Qt::NonModal);
    p->wndAlert_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    p->wndAlert_->show();
    p->wndAlert_->raise();
}

// ---------------------------------------------------------------------------------------------
// Configuration and the shortcut menu.

void SMSController::readConfigurations()
{
    hasMePosition_ = yov::nsBool(config().getConfigurationByModule(QStringLiteral("HasMePosition")));
    const QString separator = yov::nsString(config().getConfigurationByModule(QStringLiteral("DefaultPhoneSeparator")));
    phoneSeparator_ = separator.isEmpty() ? QStringLiteral(";") : separator;
}

void SMSController::initUseShortCutKeyDeleteMessageWindow()
{
    if (!page_ || !smsSwitch("DeleteSelectedSMS"))
        return;
    page_->mentItemUseShortcutKeyDeleteMessage_->setText(word(QStringLiteral("Delete")));
}

void SMSController::menuWillOpen()
{
    if (page_)
        page_->mentItemUseShortcutKeyDeleteMessage_->setEnabled(!selectedRows().isEmpty());
}

// ---------------------------------------------------------------------------------------------
// The lists' state (768/94).

void SMSController::dealWithMsgOfLoadSMSList(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    const yov::SmsListState state = yov::SmsListState::decode(yov::PayloadReader::ofMsg(msg));
    loadSmsList();
    if (state.state == yov::SmsListState::kReady && page_) {
        setSaveAtPosEnabled(true);
        const QString defaultPos = yov::nsString(smsModule().value(QStringLiteral("SMSDefaultPos")));
        const int position = defaultPos.isEmpty() ? -1 : yov::sms::smsPositionOfName(defaultPos);
        if (position >= 0 && hasPosition(position) && position != getCurrentPosition())
            selectPositionRow(position);
        boxView_->msgBoxSelectAt->setEnabled(true);
        setButtonState(1);
        if (smsSwitch("smsPopUpOfD3u")) {
            addPop_upUnReadSMSFromPC();
            showNewSMSWindowOfPop_Up();
        }
        showFlowAlertWhenLoadSimList();
    }
    reloadTable();
}

// ---------------------------------------------------------------------------------------------
// Device events.

void SMSController::deviceRemoved(const yov::Notification &)
{
    netcardChanged(1);
    if (page_) {
        boxView_->msgBoxSelectAt->selectCellAtRow(0);
        page_->messageText->setReadOnly(true);
        setButtonState(0);
        page_->newMessageBtn->setEnabled(smsSwitch("SMS_NewMessageBtnIsEnabled_WhenNetCardUnDetected"));
        loadSaveNumberBtnwithState(false);
        if (getCurrentPosition() != yov::sms::kPositionPc)
            selectPositionRow(yov::sms::kPositionPc);
        boxView_->msgBoxSelectAt->selectCellAtRow(0);
        clearTableSelection();
        reloadTable();
        if (!hasNewSMSInPos(yov::sms::kPositionPc)) {
            stopNewSmsAnimation();
            page_->Pic_newsms->hide();
            page_->btnNewSMSPic_->hide();
        }
        if (smsSwitch("smsPopUpOfD3u")) {
            tmpNewSMSListOfPop_Up_.clear();
            closeNewSMSWindowOfPop_Up();
        }
    }
    saveUnservedRecipientsWhenDeviceRemoved();
    notificationCenter().post(QStringLiteral("UpdateButtonState"), this, {{QStringLiteral("ButtonState"), 0}});
    special_SelectSaveAt();
    synTcardSmsFlag_ = true; // what the card gained meanwhile is read at the next sync
    if (SmsService *service = SmsService::installed(); service && service->sendingSMSInBackGround()) {
        service->setSendingSmsSMSInBackGroud(false);
        service->setUnshowInfoWndWhenSendSmsByFlag(false);
    }
}

void SMSController::devicePlugin(const yov::Notification &) { netcardChanged(2); }

void SMSController::simReady(const yov::Notification &) { netcardChanged(12); }

void SMSController::netcardChanged(int status)
{
    setNetCardStatus(status);
    if (status != 12) {
        keepPendingDraftsOnComputer(); // their answers will not come
        dropDeviceChains();
        if (!page_)
            return;
        page_->btnSendReport_->setEnabled(false);
        setButtonState(0);
        page_->newMessageBtn->setEnabled(smsSwitch("SMS_NewMessageBtnIsEnabled_WhenNetCardUnDetected"));
        clearTableSelection();
        if (page_->messageWindow->isVisible()) {
            keepEditorAsComputerDraft();
            page_->messageWindow->hide();
            setDynamicControllersEnabledByKey(QStringLiteral("DrawerItems"), true);
        }
        if (smsSwitch("smsPopUpOfD3u") && page_->panelNewSmsArriveOfPop_Up->isVisible()) {
            closeNewSMSWindowOfPop_Up();
            addPop_upUnReadSMSFromPC();
        }
        return;
    }
    if (page_) {
        page_->newMessageBtn->setEnabled(true);
        setMenuItemState(true, kSmsMenuNew);
        page_->btnSendReport_->setEnabled(true);
    }
    delSimSmsList_.clear();
    saveToList_.clear();
    if (SmsService *service = SmsService::installed()) {
        service->setDelSimSmsList({});
        service->setSaveToList({});
    }
    notificationCenter().post(QStringLiteral("UpdateButtonState"), this, {{QStringLiteral("ButtonState"), 1}});
    if (hasPosition(yov::sms::kPositionTcard))
        sendRequest<768, 113>();
}

void SMSController::setNetCardStatus(int status)
{
    m_nNetCardStatus = status;
    if (!smsSource_)
        return;
    if (status == 12)
        smsSource_->createNodeOfSimWhenSimCardvalid();
    else
        smsSource_->deleteNodeOfSimWhenSimCardInvalid();
    if (smsSource_->outlineView())
        smsSource_->outlineView()->expandAll(); // the boxes of every position in sight
}

void SMSController::tabViewItemWillChange(const yov::Notification &notification)
{
    if (notification.userInfo.value(QStringLiteral("TabViewItemWillChange")).toString() != QLatin1String("SMS"))
        return;
    changeMainTabViewItemSize(QStringLiteral("SMS"));
    const int position = getCurrentPosition();
    if (isFullWithPosition(position)) {
        if (position == yov::sms::kPositionPc && ConfigService(&config()).isCheckPCCompacity())
            alertFullWithPosition(position, FullAlertDatabase);
        else if (position == yov::sms::kPositionSim)
            alertFullWithPosition(position, FullAlertStore);
    }
    if (yov::nsBool(config().getConfigurationByModule(QStringLiteral("DeviceLockSMSFunction")))
        && Neighbours::setting().getDeviceUnlockCodeState()) {
        Neighbours::init().openUnlockDeviceWindow(wndMain);
        Neighbours::init().setDeviceLockFunctionModule(kSmsDeviceLockModule);
    }
    if (ConfigService(&config()).isSupportSelectSMSDefaultBrowsePosWhenOpenSmsUI())
        setSMSBrowsePosWhenEnterSMSUI();
    if (boxView_ && boxView_->outlineView_)
        boxView_->outlineView_->setFocus();
}

} // namespace ostrel
