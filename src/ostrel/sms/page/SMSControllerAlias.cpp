// The SMS tab's binding: the page built in code, its skin keys, its wording, the registrations
// for the device service's SMS records and the in-process notifications, the start state, the
// plug-in, the table's context menu and the handlers of the notifications from outside.
#include "common/ValueConversion.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/language/WordingOperation.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsSource.h"
#include "ostrel/sms/page/SmsTableModel.h"

#include <QAction>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextEdit>

#include <utility>

Q_LOGGING_CATEGORY(lcSmsPage, "ostrel.sms.page")

namespace ostrel {

namespace {

// The page's notifications from outside components (the tab's plug-in); rows whose handler the
// page does not have yet are skipped at registration.
const NotificationTableRow smsPageNotificationTable[] = {
    {"recieveSMSNotification:", "SendMessageNotification"},
    {"recieveSelectContactNotification:", "SelectContactFromPhoneBook"},
    {"recieveFormatHost:", "SetFormatterHost"},
    {"recieveNewSMSHint:", "RecieveNewSMSHint"},
    {"reloadSMSPCList:", "ReLoadSMSPCList"},
    {"deleteSMSPCList:", "DeleteSMSInPCList"},
    {"changeMainWindowOfApp:", "MainwindOfAppChanged"},
    {nullptr, nullptr},
};

const NotificationTableRow smsDeviceLockNotificationTable[] = {
    {"notifyDeviceUnlockSuccess:", "DeviceUnlockSuccess"},
    {"notifyDeviceUnlockFailed:", "DeviceUnlockFailed"},
    {nullptr, nullptr},
};


} // namespace

const NotificationTableRow *SMSController::smsNotificationTable() { return smsPageNotificationTable; }

const NotificationTableRow *SMSController::deviceLockNotificationTable() { return smsDeviceLockNotificationTable; }

const QList<SMSController::MessageRow> &SMSController::smsMessageRows()
{
    using C = SMSController;
    static const QList<MessageRow> rows{
        {90, "dealWithMsgOfSendSMS:", &C::dealWithMsgOfSendSMS},
        {91, "dealWithMsgOfDeleteSMS:", &C::dealWithMsgOfDeleteSMS},
        {92, "dealWithMsgOfSaveSMS:", &C::dealWithMsgOfSaveSMS},
        {94, "dealWithMsgOfLoadSMSList:", &C::dealWithMsgOfLoadSMSList},
        {100, "dealWithMsgOfRevNewSMS:", &C::dealWithMsgOfRevNewSMS},
        {97, "dealWithMsgOfSMSNum:", &C::dealWithMsgOfSMSNum},
        {98, "dealWithMsgOfRevClass0:", &C::dealWithMsgOfRevClass0},
        {99, "dealWithMsgOfRevSMSReport:", &C::dealWithMsgOfRevSMSReport},
        {93, "dealWithMsgOfSaveSMSToDraft:", &C::dealWithMsgOfSaveSMSToDraft},
        {103, "dealWithMsgofRestoreSMS:", &C::dealWithMsgofRestoreSMS},
        {109, "dealWithMsgOfSMSCenter:", &C::dealWithMsgOfSMSCenter},
        {105, "dealWithMsgOfBroadCast:", &C::dealWithMsgOfBroadCast},
        {112, "dealWithMsgOfConcatSMSInfo:", &C::dealWithMsgOfConcatSMSInfo},
        {113, "dealWithMsgOfReLoadTcardSMS:", &C::dealWithMsgOfReLoadTcardSMS},
        {114, "dealWithMsgOfReLoadTcardSMS:", &C::dealWithMsgOfReLoadTcardSMS},
        {96, "dealWithMsgOfSMSRevPos:", &C::dealWithMsgOfSMSRevPos},
        {101, "dealWithMsgOfRevRechargeSMS:", &C::dealWithMsgOfRevRechargeSMS},
    };
    return rows;
}

QString SMSController::word(const QString &english) const
{
    return Map_Name_Item_of_IndexString(english);
}

// ---------------------------------------------------------------------------------------------
// The page.

void SMSController::ensurePage()
{
    if (page_)
        return;
    QList<SmsBoxView::Row> positions;
    for (const yov::sms::YovPosition &p : yovPositionManager_.getAllPositions())
        positions << SmsBoxView::Row{p.displayOrder(), word(smsPositionMatrixWord(p.positon()))};
    QList<SmsBoxView::Row> boxes;
    for (auto it = boxDisplayOrder_BoxMap_.cbegin(); it != boxDisplayOrder_BoxMap_.cend(); ++it)
        if (it.value() >= 0)
            boxes << SmsBoxView::Row{it.key(), word(smsBoxMatrixWord(it.value()))};
    auto *storage = new SmsBoxView(positions, boxes);
    boxView_ = storage;
    // A special box the page does not have keeps its count label out of sight: a bare "(n)" of
    // a box with no cell read as a second, disagreeing count of the boxes that are shown.
    for (int box = yov::sms::kBoxDeliveryReport; box <= yov::sms::kBoxBroadCastBox; ++box)
        if (!hasbox(box))
            setBoxMessageNumHiddenFlag(true, box);
    ownedPage_ = std::make_unique<SmsPageView>(storage);
    page_ = ownedPage_.get();
    tableModel_ = new SmsTableModel({[this] { return numberOfRowsInTableView(); },
                                     [this](const QString &column, int row) { return objectValueForTableColumn(column, row); },
                                     [this](int row) { return fontOfRow(row); }});
    page_->msgBoxList->setModel(tableModel_);
    // Room for an unread row's bold number and a whole date beside the box tree; the status
    // column takes the rest.
    for (const auto &[id, width] : {std::pair{"mobilephone", 150}, std::pair{"username", 95}, std::pair{"date", 170}})
        if (const int column = tableModel_->columnOfIdentifier(QLatin1String(id)); column >= 0)
            page_->msgBoxList->horizontalHeader()->resizeSection(column, width);
    connect(tableModel_, &SmsTableModel::indicatorsChanged, this, [this] {
        QHeaderView *header = page_->msgBoxList->horizontalHeader();
        for (const QString &id : SmsTableModel::columnIdentifiers()) {
            const QString indicator = tableModel_->indicatorImage(id);
            if (indicator.isEmpty())
                continue;
            header->setSortIndicatorShown(true);
            header->setSortIndicator(tableModel_->columnOfIdentifier(id), indicator == QLatin1String("NSAscendingSortIndicator")
                                                                              ? Qt::AscendingOrder
                                                                              : Qt::DescendingOrder);
            return;
        }
        header->setSortIndicatorShown(false);
    });
    ensureSimMaxWarningWindow();
    connectPage();
}

SmsPageView *SMSController::takePage()
{
    ensurePage();
    return ownedPage_.release();
}

void SMSController::connectPage()
{
    SmsPageView *p = page_;
    connect(boxView_->smsSearchBtn_, &QPushButton::clicked, this, [this] { showOrHideSearchbar(boxView_->smsSearchBtn_); });
    connect(boxView_->smsGoBtn_, &QPushButton::clicked, this, [this] { searchSMS(); });
    connect(boxView_->SearchSMS_item, &QLineEdit::textChanged, this, [this] { searchSMS(); });
    for (QAbstractButton *cell : boxView_->saveAtPos->cells()) {
        // Whoever moves the position, the special boxes follow it; a click chooses the position.
        connect(cell, &QAbstractButton::toggled, this, [this](bool on) {
            if (on)
                special_SelectSaveAt();
        });
        connect(cell, &QAbstractButton::clicked, this, [this] { selectSaveAt(); });
    }
    for (QAbstractButton *cell : boxView_->msgBoxSelectAt->cells())
        connect(cell, &QAbstractButton::clicked, this, [this] { msgBoxSelect(); });
    connect(p->msgBoxList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { tableViewSelectionDidChange(); });
    connect(p->msgBoxList, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) { userDoubleClickMsgList(index.row()); });
    connect(p->msgBoxList->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { tableViewDidClickTableColumn(tableModel_->identifierOfColumn(section)); });
    connect(p->msgBoxList, &QWidget::customContextMenuRequested, this, [this, p](const QPoint &at) {
        p->popUPmenuOfMsgBoxList_->popup(p->msgBoxList->viewport()->mapToGlobal(at));
    });
    connect(p->menuUseShortcutKeyDeleteMessage_, &QMenu::aboutToShow, this, [this] { menuWillOpen(); });
    connect(p->btnReadMsg_, &QPushButton::clicked, this, [this] { readAndShowMessageText(); });
    connect(p->callBtn, &QPushButton::clicked, this, [this] { call(); });
    connect(p->savePhonePopUp, &QComboBox::activated, this, [this] { savePhoneNumber(); });
    connect(p->btnOK_, &QPushButton::clicked, this, [this] { stopSound(2); page_->wndAlert_->close(); });
    connect(p->btnCancel_, &QPushButton::clicked, this, [this] { stopSound(2); page_->wndAlert_->close(); });
    connect(p->messageText, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) { openSafari(url.toString()); });
    // Writing, sending, deleting, saving and moving.
    connect(p->newMessageBtn, &QPushButton::clicked, this, [this] { newMessage(page_->newMessageBtn); });
    connect(p->SendMessageBtn, &QPushButton::clicked, this, [this] { sendMessage(page_->SendMessageBtn); });
    connect(p->SaveToDraftBtn, &QPushButton::clicked, this, [this] { saveMessageToDraft(page_->SaveToDraftBtn); });
    connect(p->MessageWinCancelBtn, &QPushButton::clicked, this, [this] { cancel(page_->MessageWinCancelBtn); });
    connect(p->cancelSendBtn, &QPushButton::clicked, this, [this] { endSendSmsInfoWindow(); });
    connect(p->sendMessageTo, &QLineEdit::textChanged, this, [this] { controlTextDidChange(); });
    connect(p->replyBtn, &QPushButton::clicked, this, [this] { replyMessage(nullptr); });
    connect(p->forwardMessageBtn, &QPushButton::clicked, this, [this] { forwardMessage(page_->forwardMessageBtn); });
    connect(p->smsSendBtn_, &QPushButton::clicked, this, [this] { sendMessageInDraftBox(page_->smsSendBtn_); });
    connect(p->deleteBtn, &QPushButton::clicked, this, [this] { deleteMessage(page_->deleteBtn); });
    connect(p->saveToBtn, &QPushButton::clicked, this, [this] { saveMessage(page_->saveToBtn); });
    connect(p->btnMoveTo_, &QPushButton::clicked, this, [this] { saveMessage(page_->btnMoveTo_); });
    connect(p->btnRecover_, &QPushButton::clicked, this, [this] { recoverMessage(page_->btnRecover_); });
    connect(p->btnMoveToImportantBox_, &QPushButton::clicked, this, [this] { moveToImportantBox(page_->btnMoveToImportantBox_); });
    connect(p->mentItemUseShortcutKeyDeleteMessage_, &QAction::triggered, this, [this] { deleteMessage(nullptr); });
    connectReceiveWindows();
    // The tree's nodes act as the matrices' cells.
    if (smsSource_)
        return;
    smsSource_ = std::make_unique<SmsSource>(this);
    smsSource_->setOutlineView(boxView_->outlineView_);
    connect(boxView_->outlineView_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { nodeSelected(); },
            Qt::QueuedConnection);
}

QList<QPair<QString, QObject *>> SMSController::skinBindings() const
{
    SmsPageView *p = page_;
    if (!p)
        return {};
    SmsBoxView *b = boxView_;
    QObject *simMaxOk = smsSimMaxWarningWin_ ? smsSimMaxWarningWin_->findChild<QPushButton *>() : nullptr;
    return {
        {QStringLiteral("wndSMSMessageEdit"), p->messageWindow},
        {QStringLiteral("wndSMSSimMaxWarning"), smsSimMaxWarningWin_.data()},
        {QStringLiteral("wndSMSNewSMSArrive"), p->newSMSArriveMsg},
        {QStringLiteral("wndSMSNewSMSInfo"), p->newSMSInfoWindow},
        {QStringLiteral("wndSMSReport"), p->Win_SMSReport},
        {QStringLiteral("matrixSMSSaveAtPos"), b->saveAtPos},
        {QStringLiteral("matrixSMSMessageBoxSelectAt"), b->msgBoxSelectAt},
        {QStringLiteral("btnSMSCall"), p->callBtn},
        {QStringLiteral("btnSMSDelete"), p->deleteBtn},
        {QStringLiteral("btnSMSReply"), p->replyBtn},
        {QStringLiteral("btnSMSFowardMessage"), p->forwardMessageBtn},
        {QStringLiteral("btnSMSSaveTo"), p->saveToBtn},
        {QStringLiteral("btnSMSMoveTo"), p->btnMoveTo_},
        {QStringLiteral("btnSMSNewMessage"), p->newMessageBtn},
        {QStringLiteral("btnSMSCancelEditMsg"), p->MessageWinCancelBtn},
        {QStringLiteral("btnSMSSaveToDraft"), p->SaveToDraftBtn},
        {QStringLiteral("btnSMSSendMsg"), p->SendMessageBtn},
        {QStringLiteral("btnSearchMsg"), b->smsSearchBtn_},
        {QStringLiteral("btnGoMsg"), b->smsGoBtn_},
        {QStringLiteral("textSearchMsg"), b->SearchSMS_item},
        {QStringLiteral("btnSendMsg"), p->smsSendBtn_},
        {QStringLiteral("wndNewSmsArrive"), p->panelNewSmsArriveOfPop_Up},
        {QStringLiteral("wndNewSmsView"), p->winNewSmsContextOfPop_Up},
        {QStringLiteral("btnSMSSimMaxWarning"), simMaxOk},
        {QStringLiteral("btnSMSNewMsgArriveOK"), p->newSMSArriveMsgOKBtn},
        {QStringLiteral("btnSMSCancelSend"), p->cancelSendBtn},
        {QStringLiteral("btnSMSReportOK"), p->SMSReportOKBtn},
        {QStringLiteral("btnSMSClass0MsgOK"), p->class0OkBtn},
        {QStringLiteral("btnSMSOpenPopup"), p->btnOpenOfPop_Up},
        {QStringLiteral("btnSMSContentOK"), p->btnNewSmsContentOK},
        {QStringLiteral("wndSMSClass0NewSMS"), p->class0ArriveWin},
        {QStringLiteral("viewSMSTab"), p},
        {QStringLiteral("comboSavePhonePopUp"), p->savePhonePopUp},
        {QStringLiteral("labelInboxMessageNum"), p->inBoxMessageNum},
        {QStringLiteral("labelOutBoxMessageNum"), p->outBoxMessageNum},
        {QStringLiteral("labelDraftBoxMessageNum"), p->draftBoxMessageNum},
        {QStringLiteral("textSearchSMS"), b->SearchSMS_item},
        {QStringLiteral("tableMessageBoxList"), p->msgBoxList},
        {QStringLiteral("tableMessageText"), p->messageText},
        {QStringLiteral("labelSMSSimMaxText"), simMaxText_.data()},
        {QStringLiteral("textSendMessageTo"), p->sendMessageTo},
        {QStringLiteral("labelSMSSendTo"), p->SendtoLable},
        {QStringLiteral("labelSMSTextCount"), p->textCount},
        {QStringLiteral("textSendMessage"), p->sendMessageText},
        {QStringLiteral("textSMSMessage"), p->SMSMsgText},
        {QStringLiteral("labelNewSMSName"), p->New_SMS_Name_Label},
        {QStringLiteral("textNewSMSName"), p->New_SMS_Name_Text},
        {QStringLiteral("labelNewSMSFrom"), p->New_SMS_From_Label},
        {QStringLiteral("textNewSMSFrom"), p->New_SMS_From_Text},
        {QStringLiteral("labelNewSMSDate"), p->New_SMS_Date_Label},
        {QStringLiteral("textNewSMSDate"), p->New_SMS_Date_Text},
        {QStringLiteral("labelSMSInfo"), p->newSMSInfoText},
        {QStringLiteral("labelSMSReport"), p->SMSReportText},
    };
}

void SMSController::initializeSkin()
{
    ensurePage();
    SkinManagerAccess *skin = yovSkinManager();
    if (!skin)
        return;
    for (const auto &[key, control] : skinBindings())
        if (control)
            skin->registerController(control, key, true);
}

void SMSController::initializeNibResources()
{
    ensurePage();
    Init_SMS_Wording();
    const double rowHeight = config().getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("TableViewRowHeight")).toDouble();
    if (rowHeight > 0) {
        QHeaderView *rows = page_->msgBoxList->verticalHeader();
        rows->setMinimumSectionSize(int(rowHeight));
        rows->setDefaultSectionSize(int(rowHeight));
    }
}

void SMSController::setHeader(const QString &identifier, const QString &english)
{
    tableModel_->setHeaderTitle(identifier, word(english));
}

void SMSController::Init_SMS_Wording()
{
    SmsPageView *p = page_;
    SmsBoxView *b = boxView_;
    // Position and box cells.
    for (const yov::sms::YovPosition &pos : yovPositionManager_.getAllPositions())
        if (QAbstractButton *cell = b->saveAtPos->cellAtRow(pos.displayOrder()))
            cell->setText(word(smsPositionMatrixWord(pos.positon())));
    if (smsSource_)
        smsSource_->Init_SMSNode_Wording();
    updateSMSCount();
    for (int box = yov::sms::kBoxInBox; box <= yov::sms::kBoxBroadCastBox; ++box)
        if (hasbox(box))
            if (QAbstractButton *cell = b->msgBoxSelectAt->cellAtRow(getBoxDisplayOrderWithBox(box)))
                cell->setText(word(smsBoxMatrixWord(box)));
    // Buttons: titles, or tool tips when the operator wants bare buttons.
    const struct {
        QPushButton *button;
        const char *english;
    } titled[] = {{p->callBtn, "Call"},       {p->deleteBtn, "Delete"},   {p->replyBtn, "Reply"},
                  {p->forwardMessageBtn, "Forward"}, {p->saveToBtn, "SaveTo"}, {p->btnMoveTo_, "MoveTo"},
                  {p->newMessageBtn, "New"},   {p->btnReadMsg_, "Read"}};
    if (smsSwitch("NoTitleOfSMSBtn")) {
        for (const auto &t : titled) {
            t.button->setText(QString());
            if (t.button != p->callBtn)
                t.button->setToolTip(word(QLatin1String(t.english)));
        }
    } else {
        for (const auto &t : titled)
            if (t.button != p->btnReadMsg_)
                t.button->setText(word(QLatin1String(t.english)));
        p->btnReadMsg_->setText(word(QStringLiteral("Read")));
        if (ConfigService(&config()).notDisplayWordingForNewBtn())
            p->newMessageBtn->setText(QString());
    }
    p->smsSendBtn_->setText(word(QStringLiteral("Send")));
    b->smsSearchBtn_->setText(word(QStringLiteral("Search")));
    b->smsGoBtn_->setText(word(QStringLiteral("Go")));
    // Column headers.
    setHeader(QStringLiteral("stat"), QStringLiteral("Status"));
    setHeader(QStringLiteral("username"), QStringLiteral("Name"));
    setHeader(QStringLiteral("date"), QStringLiteral("Date"));
    const int box = getCurrentBox();
    if (box == yov::sms::kBoxOutBox || box == yov::sms::kBoxDraftBox)
        setHeader(QStringLiteral("mobilephone"), QStringLiteral("To"));
    else if (box == yov::sms::kBoxInBox || tableModel_->headerTitle(QStringLiteral("mobilephone")).isEmpty())
        setHeader(QStringLiteral("mobilephone"), QStringLiteral("From"));
    // The save-number pop-up.
    if (p->savePhonePopUp->count() > 0)
        p->savePhonePopUp->setItemText(0, word(QStringLiteral("SavePhone")));
    if (p->savePhonePopUp->count() > 1)
        p->savePhonePopUp->setItemText(1, word(QStringLiteral("PC")));
    if (p->savePhonePopUp->count() > 2)
        p->savePhonePopUp->setItemText(2, word(QStringLiteral("(U)SIM")));
    // The windows.
    p->MessageWinCancelBtn->setText(WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("SMS_MessageWinCancelBtn")));
    p->SaveToDraftBtn->setText(word(QStringLiteral("SaveToDraft")));
    p->SendMessageBtn->setText(word(QStringLiteral("Send")));
    p->SendtoLable->setText(word(QStringLiteral("To:")));
    p->newSMSArriveMsgOKBtn->setText(WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("SMS_NewSMSArriveMsgOKBtn")));
    p->New_SMS_From_Label->setText(word(QStringLiteral("From:")));
    p->New_SMS_Name_Label->setText(word(QStringLiteral("Name:")));
    p->New_SMS_Date_Label->setText(word(QStringLiteral("Date:")));
    p->cancelSendBtn->setText(getControlWordingValueByKey(QStringLiteral("Cancel"), 5));
    p->Win_SMSReport->setWindowTitle(word(QStringLiteral("Delivery Report")));
    p->SMSReportOKBtn->setText(word(QStringLiteral("OK")));
    p->class0OkBtn->setText(word(QStringLiteral("OK")));
    p->btnOpenOfPop_Up->setText(word(QStringLiteral("Open")));
    p->btnNewSmsContentOK->setText(word(QStringLiteral("OK")));
    if (smsSimMaxWarningWin_) {
        if (auto *ok = smsSimMaxWarningWin_->findChild<QPushButton *>())
            ok->setText(word(QStringLiteral("OK")));
        if (simMaxCheckBox_)
            simMaxCheckBox_->setText(word(QStringLiteral("Do not display this message again")));
    }
    p->newSMSNotificationTitleLable->setText(word(QStringLiteral("New sms arrived!")));
    p->newSMSNotificationFromLabel->setText(word(QStringLiteral("From:")));
    p->newSMSNotificationContentLabel->setText(word(QStringLiteral("Content:")));
    p->newSMSNotificationCloseBtn->setText(word(QStringLiteral("Close")));
    p->newSMSNotificationReadBtn->setText(word(QStringLiteral("Read")));
    p->specialSMSTitleLabel->setText(word(QStringLiteral("New sms arrived!")));
    p->specialSMSFromLabel->setText(word(QStringLiteral("From:")));
    p->specialSMSDateLabel->setText(word(QStringLiteral("Date:")));
    p->specialSMSContentLabel->setText(word(QStringLiteral("Content:")));
    p->specialSMSOKBtn->setText(word(QStringLiteral("OK")));
    // The context menu.
    const char *menuWords[] = {"New", "Edit", "Send", "Reply", "Forward", "MoveTo", "Save Number To PC",
                               "Save Number To (U)SIM", "Delete", "Save To ImportantBox"};
    for (std::size_t i = 0; i < p->menuItems.size(); ++i)
        p->menuItems[i]->setText(word(QLatin1String(menuWords[i])));
    setMsgBoxInfo();
    initUseShortCutKeyDeleteMessageWindow();
}

void SMSController::updateLanguages()
{
    if (!page_)
        return;
    Init_SMS_Wording();
    SpecialInit_SMS_Wording();
    initRechargeWndWording();
    reloadTable();
}

// ---------------------------------------------------------------------------------------------
// Registrations.

void SMSController::registerMessages()
{
    YOVMsgCenter *center = yovMsgCenter();
    if (center)
        for (const MessageRow &row : smsMessageRows())
            if (row.method)
                center->registerObserver(this, row.method, yov::smsmsg::kMajor, row.minor);
    registerNotification(smsPageNotificationTable);
    registerNotification(smsDeviceLockNotificationTable);
}

// ---------------------------------------------------------------------------------------------
// Start state.

void SMSController::initializeController()
{
    ensurePage();
    SmsPageView *p = page_;
    SmsBoxView *b = boxView_;
    readConfigurations();
    b->msgBoxSelectAt->selectCellAtRow(0);
    p->messageText->setReadOnly(true);

    const QString defaultPos = yov::nsString(smsModule().value(QStringLiteral("SMSDefaultPos")));
    const int defaultRow = defaultPos.isEmpty() ? -1 : yovPositionManager_.getPositionOrderByPositonName(defaultPos);
    b->saveAtPos->selectCellAtRow(defaultRow >= 0 ? defaultRow : yovPositionManager_.getPositionOrderByPositon(yov::sms::kPositionPc));
    lastPositionRow_ = b->saveAtPos->selectedRow();
    b->msgBoxSelectAt->selectCellAtRow(0);
    b->saveAtPos->setEnabled(false);
    b->msgBoxSelectAt->setEnabled(false);
    if (smsSwitch("SavePosAsButton"))
        if (QAbstractButton *pc = b->saveAtPos->cellAtRow(yovPositionManager_.getPositionOrderByPositon(yov::sms::kPositionPc)))
            pc->setEnabled(true);

    p->newMessageBtn->setEnabled(smsSwitch("SMS_NewMessageBtnIsEnabled_WhenSMSInit"));
    for (QWidget *w : {static_cast<QWidget *>(p->deleteBtn), static_cast<QWidget *>(p->saveToBtn),
                       static_cast<QWidget *>(p->btnMoveTo_), static_cast<QWidget *>(p->replyBtn),
                       static_cast<QWidget *>(p->smsSendBtn_), static_cast<QWidget *>(p->forwardMessageBtn),
                       static_cast<QWidget *>(p->savePhonePopUp), static_cast<QWidget *>(p->savePhonePic)})
        w->setEnabled(false);
    loadSavedDestPositionWithOnineFlag(false, 0);
    p->messageText->clear();
    currentBoxList_.clear();
    currentSMSRecord_.clear();

    loadSaveNumberBtnwithState(false);
    m_nNetCardStatus = 1;
    if (!smsSwitch("displayPCSMSByIMSI"))
        loadBoxinPCList();

    if (smsSource_)
        smsSource_->initializeController();
    b->msgBoxSelectAt->setEnabled(true);
    reloadTable();

    setNewSmsPictureFrame(QStringLiteral("NewSms_1"));
    refreshNewSmsPicture();

    const bool calls = hasModuleWith(QStringLiteral("Call")) || hasModuleWith(QStringLiteral("Videocall"));
    p->callBtn->setVisible(calls);
    p->callBtn->setEnabled(false);

    // The editor is a text edit: the formatter follows its changes.
    messageFormatter();
    initSearchField();

    setMsgBoxInfo();
    showListView();
    p->btnReadMsg_->setEnabled(false);
    initPopUpMenuOfMsgBoxList();
    Neighbours::main().freshStatusViewWhenInitialController();
}

void SMSController::refreshNewSmsPicture()
{
    SmsPageView *p = page_;
    const bool show = hasNewSMSInPos(yov::sms::kPositionPc) && !smsSwitch("isNotHaveNewSmsPic");
    p->Pic_newsms->setVisible(show);
    p->btnNewSMSPic_->setVisible(show);
}

void SMSController::loadCommonBundle()
{
    if (!loadPlugin(QStringLiteral("SMSBundle.bundle"), QStringLiteral("SMS")))
        qCDebug(lcSmsPage) << "no SMS plug-in: the tab keeps its page";
}

// ---------------------------------------------------------------------------------------------
// The context menu.

void SMSController::initPopUpMenuOfMsgBoxList()
{
    if (!page_)
        return;
    initSetMenuItemsState();
}

void SMSController::setMenuItemState(bool enabled, int index)
{
    if (!page_ || index < 0 || index >= kSmsMenuItemCount)
        return;
    QAction *item = page_->menuItems[std::size_t(index)];
    item->setEnabled(enabled);
    static const char *actions[] = {"newMessage:", "sendMessageInDraftBox:", "sendSMSWithoutWin:", "replyMessage:",
                                    "forwardMessage:", "saveMessage:", "clickSavePhoneNumber:", "clickSavePhoneNumber:",
                                    "deleteMessage:", "moveToImportantBox:"};
    item->setProperty("action", enabled ? QString::fromLatin1(actions[index]) : QString());
    disconnect(item, &QAction::triggered, nullptr, nullptr);
    if (!enabled)
        return;
    if (index == kSmsMenuSaveNumberToPc || index == kSmsMenuSaveNumberToSim) {
        connect(item, &QAction::triggered, this, [item] { Neighbours::phonebook().clickSavePhoneNumber(item); });
        return;
    }
    const QString selector = QString::fromLatin1(actions[index]);
    connect(item, &QAction::triggered, this, [this, selector] {
        performAction(selector, nullptr); // nothing until the page has the action
    });
}

void SMSController::initSetMenuItemsState()
{
    const SmsMenuStates states = smsInitialMenuStates(m_nNetCardStatus == 12);
    for (int i = 0; i < kSmsMenuItemCount; ++i)
        setMenuItemState(states[std::size_t(i)], i);
}

void SMSController::setMenuItemsStateWhenSMSSelectionDidChange()
{
    SmsSelectionState s;
    s.selected = int(selectedRows().size());
    s.box = getCurrentBox();
    s.position = getCurrentPosition();
    s.ready = m_nNetCardStatus == 12;
    s.forwardInOutBox = smsSwitch("supportMessageForwardInOutBox");
    s.sendingUserInfo = Neighbours::main().isSendingUserInfo();
    const SmsMenuStates states = smsMenuStatesForSelection(s);
    for (int i = 0; i < kSmsMenuItemCount; ++i)
        setMenuItemState(states[std::size_t(i)], i);
}

// ---------------------------------------------------------------------------------------------
// Notifications from outside.

void SMSController::reloadSMSPCList(const yov::Notification &)
{
    loadBoxinPCList();
    loadBoxinSIMList();
    if (!page_)
        return;
    searchSMS();
    reloadTable();
}

void SMSController::deleteSMSPCList(const yov::Notification &notification)
{
    const QString boxName = notification.userInfo.value(QStringLiteral("box")).toString();
    const int box = boxName == QLatin1String("InBox")    ? yov::sms::kBoxInBox
                    : boxName == QLatin1String("OutBox") ? yov::sms::kBoxOutBox
                    : boxName == QLatin1String("DraftBox") ? yov::sms::kBoxDraftBox
                                                           : -1;
    const QVariant indexValue = notification.userInfo.value(QStringLiteral("index"));
    bool isNumber = false;
    const int index = indexValue.toString().toInt(&isNumber);
    if (box < 0 || !isNumber) {
        qCWarning(lcSmsPage) << "DeleteSMSInPCList refused: box" << boxName << "index" << indexValue;
        return;
    }
    std::optional<QVariantList> list = getAllPcListByBox(box);
    if (!list || index < 0 || index >= list->size()) {
        qCWarning(lcSmsPage) << "DeleteSMSInPCList refused: no message" << index << "in" << boxName;
        return;
    }
    list->removeAt(index);
    writeMessagesToPC(*list, box);
}

void SMSController::recieveNewSMSHint(const yov::Notification &notification)
{
    bool ok = false;
    const int offset = notification.userInfo.value(QStringLiteral("OffSet")).toInt(&ok);
    if (!ok) {
        qCWarning(lcSmsPage) << "RecieveNewSMSHint without a number under OffSet";
        return;
    }
    if (!yov::nsBool(uiConfigDict().value(QStringLiteral("SmartUI"))))
        return;
    smsHint_ += offset;
    if (auto *label = qobject_cast<QLabel *>(yovSkinManager() ? yovSkinManager()->controllerByKey(QStringLiteral("labelSMSHint")) : nullptr))
        label->setText(smsHint_ > 0 ? QString::number(smsHint_) : QString());
}

// The answer selects the tab directly: a tab change through the notification would ask for the
// unlock again.
void SMSController::notifyDeviceUnlockSuccess(const yov::Notification &)
{
    if (Neighbours::init().getDeviceLockFunctionModule() != kSmsDeviceLockModule || !tabviewMain)
        return;
    const int index = tabViewItemOfIdentifier(tabviewMain, QStringLiteral("SMS"));
    if (index >= 0)
        tabviewMain->setCurrentIndex(index);
}

void SMSController::notifyDeviceUnlockFailed(const yov::Notification &)
{
    if (Neighbours::init().getDeviceLockFunctionModule() != kSmsDeviceLockModule || !tabviewMain)
        return;
    const int index = tabViewItemOfIdentifier(tabviewMain, QStringLiteral("Internet"));
    if (index >= 0)
        tabviewMain->setCurrentIndex(index);
}

void SMSController::dealWithMsgofRestoreSMS(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    if (msg.type == yov::kSmsTypeProgress)
        return;
    Neighbours::setting().restoreAlertPanel(msg.type == yov::kSmsTypeAnswer && msg.result == 0);
    reloadPCSmsList();
}

} // namespace ostrel
