#pragma once
// The SMS page and its windows, built in code: the storage controls on the left (SmsBoxView), the
// message table with the selected message's text below it, the per-box counters, the buttons and
// pop-ups of the page, the table's context menu, the shortcut-key delete menu, the page's own
// alert window, and the windows of the editor, the send progress, new and class-0 messages,
// delivery reports and the new-message pop-up list. Every control is named after its role
// (objectName) for the skin and tests; behaviour belongs to SMSController.
#include <QWidget>

#include <array>

class QAction;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTextBrowser;
class QTextEdit;

namespace ostrel {

class NSPopUpButtonExt;
class NSTableViewExt;
class SmsBoxView;

class SmsPageView : public QWidget {
    Q_OBJECT
public:
    // boxView: the storage controls, taken over by the page.
    explicit SmsPageView(SmsBoxView *boxView, QWidget *parent = nullptr);
    ~SmsPageView() override;

    SmsBoxView *boxView = nullptr;
    NSTableViewExt *msgBoxList = nullptr;
    QTextBrowser *messageText = nullptr;
    QWidget *viewMsgBox_ = nullptr;  // the table and the text of the selected message
    QWidget *viewMsgText_ = nullptr; // the reading view (a message alone)
    QTextBrowser *readMsgText_ = nullptr;

    QPushButton *newMessageBtn = nullptr;
    QPushButton *replyBtn = nullptr;
    QPushButton *forwardMessageBtn = nullptr;
    QPushButton *callBtn = nullptr;
    QPushButton *deleteBtn = nullptr;
    QPushButton *saveToBtn = nullptr;
    QPushButton *btnMoveTo_ = nullptr;
    QPushButton *btnRecover_ = nullptr;
    QPushButton *btnMoveToImportantBox_ = nullptr;
    QPushButton *btnReadMsg_ = nullptr;
    QPushButton *smsSendBtn_ = nullptr;
    QPushButton *btnSendReport_ = nullptr;
    NSPopUpButtonExt *savePhonePopUp = nullptr;
    QLabel *savePhonePic = nullptr;
    NSPopUpButtonExt *popBtnSaveMessage_ = nullptr;

    QLabel *inBoxMessageNum = nullptr;
    QLabel *outBoxMessageNum = nullptr;
    QLabel *draftBoxMessageNum = nullptr;

    QLabel *Pic_newsms = nullptr;
    QPushButton *btnNewSMSPic_ = nullptr;
    // The operator's data-volume alert (75 % or 100 % of the volume used): hidden until one is in force.
    QPushButton *btnFlowValueAlert_ = nullptr;

    QMenu *popUPmenuOfMsgBoxList_ = nullptr;
    std::array<QAction *, 10> menuItems{}; // newSMSMenuItem_ ... saveToImportantMenuItem_
    QMenu *menuUseShortcutKeyDeleteMessage_ = nullptr;
    QAction *mentItemUseShortcutKeyDeleteMessage_ = nullptr;

    // The page's own alert window.
    QDialog *wndAlert_ = nullptr;
    QLabel *labelTitle_ = nullptr;
    QTextEdit *txtViewMsg_ = nullptr;
    QPushButton *btnOK_ = nullptr;
    QPushButton *btnCancel_ = nullptr;

    // The editor.
    QDialog *messageWindow = nullptr;
    QLineEdit *sendMessageTo = nullptr;
    QTextEdit *sendMessageText = nullptr;
    QLabel *receiverName = nullptr;
    QLabel *textCount = nullptr;
    QLabel *sendNumInfo = nullptr;
    QLabel *SendtoLable = nullptr;
    QPushButton *MessageWinCancelBtn = nullptr;
    QPushButton *SaveToDraftBtn = nullptr;
    QPushButton *SendMessageBtn = nullptr;

    // Send progress and summary.
    QDialog *newSMSInfoWindow = nullptr;
    QLabel *newSMSInfoText = nullptr;
    QPushButton *cancelSendBtn = nullptr;

    // A new message.
    QDialog *newSMSArriveMsg = nullptr;
    QLabel *SMSMsgText = nullptr; // the window's title line
    QPushButton *newSMSArriveMsgOKBtn = nullptr;
    QLabel *New_SMS_Name_Label = nullptr;
    QLabel *New_SMS_Name_Text = nullptr;
    QLabel *New_SMS_From_Label = nullptr;
    QLabel *New_SMS_From_Text = nullptr;
    QLabel *New_SMS_Date_Label = nullptr;
    QLabel *New_SMS_Date_Text = nullptr;

    // Delivery report.
    QDialog *Win_SMSReport = nullptr;
    QLabel *SMSReportText = nullptr;
    QPushButton *SMSReportOKBtn = nullptr;

    // The new-message pop-up list and its content window.
    QDialog *panelNewSmsArriveOfPop_Up = nullptr;
    QPushButton *btnOpenOfPop_Up = nullptr;
    QDialog *winNewSmsContextOfPop_Up = nullptr;
    QPushButton *btnNewSmsContentOK = nullptr;

    // A class-0 message.
    QDialog *class0ArriveWin = nullptr;
    QTextEdit *class0SMSContent = nullptr;
    QPushButton *class0OkBtn = nullptr;

    // The notification window (used instead of the new-message window when configured).
    QDialog *newSMSNotificationWnd = nullptr;
    QLabel *newSMSNotificationTitleLable = nullptr;
    QLabel *newSMSNotificationFromLabel = nullptr;
    QLabel *newSMSNotificationSenderText = nullptr;
    QLabel *newSMSNotificationContentLabel = nullptr;
    QTextEdit *newSMSNotificationContentText = nullptr;
    QPushButton *newSMSNotificationCloseBtn = nullptr;
    QPushButton *newSMSNotificationReadBtn = nullptr;

    // The window of a message from one of the operator's special numbers.
    QDialog *specialSMSWnd = nullptr;
    QLabel *specialSMSTitleLabel = nullptr;
    QLabel *specialSMSFromLabel = nullptr;
    QLabel *specialSMSSenderText = nullptr;
    QLabel *specialSMSDateLabel = nullptr;
    QLabel *specialSMSTimeText = nullptr;
    QLabel *specialSMSContentLabel = nullptr;
    QTextEdit *specialSMSContentTex = nullptr;
    QPushButton *specialSMSOKBtn = nullptr;

private:
    QDialog *window(const QString &name);
};

} // namespace ostrel
