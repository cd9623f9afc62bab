#include "ostrel/sms/page/SmsPageView.h"

#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/sms/page/SmsBoxView.h"

#include <QAction>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextEdit>
#include <QVBoxLayout>

namespace ostrel {

namespace {

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton *pageButton(const char *name, QWidget *parent)
{
    return named(new QPushButton(parent), name);
}

// Labels show senders, names and message texts as they came: never as markup.
QLabel *pageLabel(const char *name, QWidget *parent)
{
    QLabel *label = named(new QLabel(parent), name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

constexpr const char *kMenuItemNames[] = {
    "newSMSMenuItem_",  "editSMSMenuItem_", "sendSMSMenuItem_", "replySMSMenuItem_",
    "forwardSMSMenuItem_", "moveSMSMenuItem_", "savePhoneNumberToPCMenuItem_", "savePhoneNumberToSIMMenuItem_",
    "deleteSMSMenuItem_", "saveToImportantMenuItem_",
};

} // namespace

QDialog *SmsPageView::window(const QString &name)
{
    auto *w = new QDialog(this);
    w->setObjectName(name);
    return w;
}

SmsPageView::SmsPageView(SmsBoxView *storage, QWidget *parent) : QWidget(parent), boxView(storage)
{
    setObjectName(QStringLiteral("viewSMSTab_"));

    // The table with the text of the selected message below it.
    viewMsgBox_ = named(new QWidget(this), "viewMsgBox_");
    msgBoxList = named(new NSTableViewExt(viewMsgBox_), "msgBoxList");
    msgBoxList->setSelectionBehavior(QAbstractItemView::SelectRows);
    msgBoxList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    msgBoxList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    msgBoxList->setContextMenuPolicy(Qt::CustomContextMenu);
    msgBoxList->verticalHeader()->hide();
    msgBoxList->horizontalHeader()->setStretchLastSection(true);
    msgBoxList->horizontalHeader()->setDefaultSectionSize(90); // the status column fits beside the others
    msgBoxList->horizontalHeader()->setSectionsClickable(true);
    messageText = named(new QTextBrowser(viewMsgBox_), "messageText");
    messageText->setOpenLinks(false);
    auto *split = new QSplitter(Qt::Vertical, viewMsgBox_);
    split->addWidget(msgBoxList);
    split->addWidget(messageText);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    auto *boxLayout = new QVBoxLayout(viewMsgBox_);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    boxLayout->addWidget(split);

    viewMsgText_ = named(new QWidget(this), "viewMsgText_");
    readMsgText_ = named(new QTextBrowser(viewMsgText_), "readMsgText_");
    auto *readLayout = new QVBoxLayout(viewMsgText_);
    readLayout->setContentsMargins(0, 0, 0, 0);
    readLayout->addWidget(readMsgText_);
    viewMsgText_->hide();

    newMessageBtn = pageButton("newMessageBtn", this);
    replyBtn = pageButton("replyBtn", this);
    forwardMessageBtn = pageButton("forwardMessageBtn", this);
    callBtn = pageButton("callBtn", this);
    deleteBtn = pageButton("deleteBtn", this);
    saveToBtn = pageButton("saveToBtn", this);
    btnMoveTo_ = pageButton("btnMoveTo_", this);
    btnRecover_ = pageButton("btnRecover_", this);
    btnMoveToImportantBox_ = pageButton("btnMoveToImportantBox_", this);
    btnReadMsg_ = pageButton("btnReadMsg_", this);
    smsSendBtn_ = pageButton("smsSendBtn_", this);
    btnSendReport_ = pageButton("btnSendReport_", this);
    savePhonePopUp = named(new NSPopUpButtonExt(this), "savePhonePopUp");
    savePhonePic = pageLabel("savePhonePic", this);
    popBtnSaveMessage_ = named(new NSPopUpButtonExt(this), "popBtnSaveMessage_");
    inBoxMessageNum = pageLabel("inBoxMessageNum", this);
    outBoxMessageNum = pageLabel("outBoxMessageNum", this);
    draftBoxMessageNum = pageLabel("draftBoxMessageNum", this);
    // The picture sits on its button: a click anywhere on it goes to the messages.
    btnNewSMSPic_ = pageButton("btnNewSMSPic_", this);
    btnNewSMSPic_->setFlat(true);
    btnNewSMSPic_->setFixedSize(30, 28);
    Pic_newsms = pageLabel("Pic_newsms", btnNewSMSPic_);
    Pic_newsms->setAlignment(Qt::AlignCenter);
    Pic_newsms->setAttribute(Qt::WA_TransparentForMouseEvents);
    (new QHBoxLayout(btnNewSMSPic_))->addWidget(Pic_newsms);
    btnNewSMSPic_->layout()->setContentsMargins(0, 0, 0, 0);
    btnFlowValueAlert_ = pageButton("btnFlowValueAlert_", this);
    btnFlowValueAlert_->setFlat(true);
    btnFlowValueAlert_->setIconSize(QSize(24, 24));
    btnFlowValueAlert_->hide();
    // Operator controls the page keeps without showing.
    for (QWidget *hidden : {static_cast<QWidget *>(btnRecover_), static_cast<QWidget *>(btnMoveToImportantBox_),
                            static_cast<QWidget *>(btnSendReport_), static_cast<QWidget *>(savePhonePic)})
        hidden->hide();

    // The buttons in two rows: in one row they do not fit beside the box tree at the window's
    // default width and their titles were cut.
    auto *buttons = new QVBoxLayout;
    auto *actions = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(newMessageBtn), static_cast<QWidget *>(replyBtn),
                       static_cast<QWidget *>(forwardMessageBtn), static_cast<QWidget *>(callBtn),
                       static_cast<QWidget *>(deleteBtn), static_cast<QWidget *>(btnRecover_),
                       static_cast<QWidget *>(btnMoveToImportantBox_), static_cast<QWidget *>(btnReadMsg_),
                       static_cast<QWidget *>(smsSendBtn_), static_cast<QWidget *>(btnSendReport_)})
        actions->addWidget(w);
    actions->addStretch(1);
    auto *destinations = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(saveToBtn), static_cast<QWidget *>(btnMoveTo_),
                       static_cast<QWidget *>(popBtnSaveMessage_), static_cast<QWidget *>(savePhonePic),
                       static_cast<QWidget *>(savePhonePopUp)})
        destinations->addWidget(w);
    for (NSPopUpButtonExt *popup : {popBtnSaveMessage_, savePhonePopUp})
        popup->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    destinations->addStretch(1);
    destinations->addWidget(btnNewSMSPic_);
    destinations->addWidget(btnFlowValueAlert_);
    buttons->addLayout(actions);
    buttons->addLayout(destinations);
    auto *counts = new QHBoxLayout;
    for (QLabel *label : {inBoxMessageNum, outBoxMessageNum, draftBoxMessageNum})
        counts->addWidget(label);
    counts->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addLayout(buttons);
    right->addWidget(viewMsgBox_, 1);
    right->addWidget(viewMsgText_, 1);
    right->addLayout(counts);
    auto *layout = new QHBoxLayout(this);
    if (boxView) {
        boxView->setParent(this);
        layout->addWidget(boxView);
    }
    layout->addLayout(right, 1);
    if (boxView)
        boxView->setMinimumWidth(200);

    popUPmenuOfMsgBoxList_ = named(new QMenu(this), "popUPmenuOfMsgBoxList_");
    for (std::size_t i = 0; i < menuItems.size(); ++i) {
        menuItems[i] = popUPmenuOfMsgBoxList_->addAction(QString());
        menuItems[i]->setObjectName(QLatin1String(kMenuItemNames[i]));
    }
    menuUseShortcutKeyDeleteMessage_ = named(new QMenu(this), "menuUseShortcutKeyDeleteMessage_");
    mentItemUseShortcutKeyDeleteMessage_ = menuUseShortcutKeyDeleteMessage_->addAction(QString());
    mentItemUseShortcutKeyDeleteMessage_->setObjectName(QStringLiteral("mentItemUseShortcutKeyDeleteMessage_"));

    // The page's alert window: in front, not modal.
    wndAlert_ = window(QStringLiteral("wndAlert_"));
    labelTitle_ = pageLabel("labelTitle_", wndAlert_);
    txtViewMsg_ = named(new QTextEdit(wndAlert_), "txtViewMsg_");
    btnOK_ = pageButton("btnOK_", wndAlert_);
    btnCancel_ = pageButton("btnCancel_", wndAlert_);
    {
        auto *l = new QVBoxLayout(wndAlert_);
        l->addWidget(labelTitle_);
        l->addWidget(txtViewMsg_);
        auto *row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(btnCancel_);
        row->addWidget(btnOK_);
        l->addLayout(row);
    }

    messageWindow = window(QStringLiteral("messageWindow"));
    SendtoLable = pageLabel("SendtoLable", messageWindow);
    sendMessageTo = named(new QLineEdit(messageWindow), "sendMessageTo");
    receiverName = pageLabel("receiverName", messageWindow);
    sendMessageText = named(new QTextEdit(messageWindow), "sendMessageText");
    textCount = pageLabel("textCount", messageWindow);
    sendNumInfo = pageLabel("sendNumInfo", messageWindow);
    MessageWinCancelBtn = pageButton("MessageWinCancelBtn", messageWindow);
    SaveToDraftBtn = pageButton("SaveToDraftBtn", messageWindow);
    SendMessageBtn = pageButton("SendMessageBtn", messageWindow);
    {
        auto *l = new QVBoxLayout(messageWindow);
        auto *to = new QHBoxLayout;
        to->addWidget(SendtoLable);
        to->addWidget(sendMessageTo, 1);
        l->addLayout(to);
        l->addWidget(receiverName);
        l->addWidget(sendMessageText, 1);
        auto *row = new QHBoxLayout;
        row->addWidget(textCount);
        row->addWidget(sendNumInfo);
        row->addStretch(1);
        row->addWidget(MessageWinCancelBtn);
        row->addWidget(SaveToDraftBtn);
        row->addWidget(SendMessageBtn);
        l->addLayout(row);
    }
    // Room for a whole message part and the counter beside the buttons.
    messageWindow->setMinimumSize(420, 300);
    textCount->setMinimumWidth(90);

    newSMSInfoWindow = window(QStringLiteral("newSMSInfoWindow"));
    newSMSInfoText = pageLabel("newSMSInfoText", newSMSInfoWindow);
    cancelSendBtn = pageButton("cancelSendBtn", newSMSInfoWindow);
    {
        auto *l = new QVBoxLayout(newSMSInfoWindow);
        l->addWidget(newSMSInfoText);
        l->addWidget(cancelSendBtn, 0, Qt::AlignRight);
    }
    newSMSInfoWindow->setMinimumWidth(360);
    newSMSInfoText->setWordWrap(true);

    newSMSArriveMsg = window(QStringLiteral("newSMSArriveMsg"));
    SMSMsgText = pageLabel("SMSMsgText", newSMSArriveMsg);
    New_SMS_Name_Label = pageLabel("New_SMS_Name_Label", newSMSArriveMsg);
    New_SMS_Name_Text = pageLabel("New_SMS_Name_Text", newSMSArriveMsg);
    New_SMS_From_Label = pageLabel("New_SMS_From_Label", newSMSArriveMsg);
    New_SMS_From_Text = pageLabel("New_SMS_From_Text", newSMSArriveMsg);
    New_SMS_Date_Label = pageLabel("New_SMS_Date_Label", newSMSArriveMsg);
    New_SMS_Date_Text = pageLabel("New_SMS_Date_Text", newSMSArriveMsg);
    newSMSArriveMsgOKBtn = pageButton("newSMSArriveMsgOKBtn", newSMSArriveMsg);
    {
        auto *l = new QFormLayout(newSMSArriveMsg);
        l->addRow(SMSMsgText);
        l->addRow(New_SMS_Name_Label, New_SMS_Name_Text);
        l->addRow(New_SMS_From_Label, New_SMS_From_Text);
        l->addRow(New_SMS_Date_Label, New_SMS_Date_Text);
        l->addRow(newSMSArriveMsgOKBtn);
    }

    Win_SMSReport = window(QStringLiteral("Win_SMSReport"));
    SMSReportText = pageLabel("SMSReportText", Win_SMSReport);
    SMSReportOKBtn = pageButton("SMSReportOKBtn", Win_SMSReport);
    {
        auto *l = new QVBoxLayout(Win_SMSReport);
        l->addWidget(SMSReportText);
        l->addWidget(SMSReportOKBtn, 0, Qt::AlignRight);
    }

    panelNewSmsArriveOfPop_Up = window(QStringLiteral("panelNewSmsArriveOfPop_Up"));
    btnOpenOfPop_Up = pageButton("btnOpenOfPop_Up", panelNewSmsArriveOfPop_Up);
    (new QVBoxLayout(panelNewSmsArriveOfPop_Up))->addWidget(btnOpenOfPop_Up);
    winNewSmsContextOfPop_Up = window(QStringLiteral("winNewSmsContextOfPop_Up"));
    btnNewSmsContentOK = pageButton("btnNewSmsContentOK", winNewSmsContextOfPop_Up);
    (new QVBoxLayout(winNewSmsContextOfPop_Up))->addWidget(btnNewSmsContentOK);

    class0ArriveWin = window(QStringLiteral("class0ArriveWin"));
    class0SMSContent = named(new QTextEdit(class0ArriveWin), "class0SMSContent");
    class0SMSContent->setReadOnly(true);
    class0OkBtn = pageButton("class0OkBtn", class0ArriveWin);
    {
        auto *l = new QVBoxLayout(class0ArriveWin);
        l->addWidget(class0SMSContent);
        l->addWidget(class0OkBtn, 0, Qt::AlignRight);
    }
    // The class-0 window keeps its size.
    class0ArriveWin->setSizeGripEnabled(false);
    class0ArriveWin->setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    newSMSNotificationWnd = window(QStringLiteral("newSMSNotificationWnd"));
    newSMSNotificationTitleLable = pageLabel("newSMSNotificationTitleLable", newSMSNotificationWnd);
    newSMSNotificationFromLabel = pageLabel("newSMSNotificationFromLabel", newSMSNotificationWnd);
    newSMSNotificationSenderText = pageLabel("newSMSNotificationSenderText", newSMSNotificationWnd);
    newSMSNotificationContentLabel = pageLabel("newSMSNotificationContentLabel", newSMSNotificationWnd);
    newSMSNotificationContentText = named(new QTextEdit(newSMSNotificationWnd), "newSMSNotificationContentText");
    newSMSNotificationContentText->setReadOnly(true);
    newSMSNotificationCloseBtn = pageButton("newSMSNotificationCloseBtn", newSMSNotificationWnd);
    newSMSNotificationReadBtn = pageButton("newSMSNotificationReadBtn", newSMSNotificationWnd);
    {
        auto *l = new QFormLayout(newSMSNotificationWnd);
        l->addRow(newSMSNotificationTitleLable);
        l->addRow(newSMSNotificationFromLabel, newSMSNotificationSenderText);
        l->addRow(newSMSNotificationContentLabel, newSMSNotificationContentText);
        auto *row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(newSMSNotificationCloseBtn);
        row->addWidget(newSMSNotificationReadBtn);
        l->addRow(row);
    }

    specialSMSWnd = window(QStringLiteral("specialSMSWnd"));
    specialSMSTitleLabel = pageLabel("specialSMSTitleLabel", specialSMSWnd);
    specialSMSFromLabel = pageLabel("specialSMSFromLabel", specialSMSWnd);
    specialSMSSenderText = pageLabel("specialSMSSenderText", specialSMSWnd);
    specialSMSDateLabel = pageLabel("specialSMSDateLabel", specialSMSWnd);
    specialSMSTimeText = pageLabel("specialSMSTimeText", specialSMSWnd);
    specialSMSContentLabel = pageLabel("specialSMSContentLabel", specialSMSWnd);
    specialSMSContentTex = named(new QTextEdit(specialSMSWnd), "specialSMSContentTex");
    specialSMSContentTex->setReadOnly(true);
    specialSMSOKBtn = pageButton("specialSMSOKBtn", specialSMSWnd);
    {
        auto *l = new QFormLayout(specialSMSWnd);
        l->addRow(specialSMSTitleLabel);
        l->addRow(specialSMSFromLabel, specialSMSSenderText);
        l->addRow(specialSMSDateLabel, specialSMSTimeText);
        l->addRow(specialSMSContentLabel, specialSMSContentTex);
        l->addRow(specialSMSOKBtn);
    }
}

SmsPageView::~SmsPageView() = default;

} // namespace ostrel
