#pragma once
// The SMS page controller: the box lists of the four stores and their list files, the message
// counts and capacities, the memory-card synchronisation and the store-full window. Operations of
// the page that are not built yet keep the least-doing answers of DefaultSMSController.
//
// One class in several source files: SMSController.cpp (maps, position table, device events),
// SMSControllerNodeExcute.cpp (the storage controls: search toggle, special boxes),
// SMSControlerSpecial.cpp (list files, writers, card timer), SmsControllerToDealSmsFromME.cpp
// (device memory, counts, capacity, the store-full window), SMSControllerAlias.cpp (skin keys,
// wording, registrations, start state, context menu, notification handlers),
// SMSControllerTable.cpp (the message table, selection, marking read, buttons, box and position
// choice, sorting, pop-ups) and SMSControllerSearch.cpp (search, counts and summaries, store and
// browse position, links, the page's alert window, device events and the tab change).
//
// Each computer or card box list keeps its base (the box as the file held it when the list was
// loaded); writes go through the one list-file writer, which merges them with what the device
// service changed since. A failed write is logged, shown with an alert, and the lists reload.

#include "common/sms/YovPositionManager.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/neighbours/SMSControllerInterface.h"
#include "ostrel/sms/service/SmsCapacity.h"
#include "ostrel/sms/service/SmsListWriter.h"
#include "ostrel/sms/service/SmsPageSearch.h"
#include "ostrel/sms/service/SmsPageRules.h"
#include "ostrel/sms/service/SmsReceiveHistory.h"
#include "ostrel/sms/service/SmsTableCells.h"
#include "common/sms/YOVMessageDeliveryReport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QDialog>
#include <QFont>
#include <QLabel>
#include <QTextEdit>
#include <QLoggingCategory>
#include <QMap>
#include <QPointer>
#include <QVariantList>
#include <QVariantMap>

#include <memory>
#include <optional>


namespace yov { class RepeatingTimer; struct SmsSendResult; }

Q_DECLARE_LOGGING_CATEGORY(lcSmsPage)

namespace ostrel {

class MessageTextFormatter;
class SMSController;
class SmsBoxView;
class SmsPageView;
class SmsSource;
class SmsTableModel;

extern SMSController *g_SMSController;

class SMSController : public YOVUIController, public SMSControllerInterface {
    Q_OBJECT
public:
    // The full-alert types of alertFullWithPosition.
    enum FullAlertType { FullAlertStore = 0, FullAlertTooLong = 1, FullAlertDatabase = 4 };

    explicit SMSController(const ControllerContext &context, QObject *parent = nullptr);
    ~SMSController() override;

    static SMSController *shared() { return g_SMSController; }
    // The page's number of the user's device lock.
    static constexpr int kSmsDeviceLockModule = 1;

    void registerMessages() override;
    // Binds the page's controls to their skin keys (the page is built first).
    void initializeSkin() override;
    void initializeNibResources() override;
    // The start state of the page: controls, tree, lists, buttons and menu.
    void initializeController() override;
    // The tab's plug-in "SMSBundle.bundle" into the tab "SMS"; without one the tab stays as it is.
    void loadCommonBundle() override;
    Q_INVOKABLE void updateLanguages() override;
    SmsSource *smsSource() const { return smsSource_.get(); }
    // The storage controls; null until the page is built.
    SmsBoxView *boxView() const;

    // --- the page (built in code at the first template step) ------------------------------------
    void ensurePage();
    SmsPageView *page() const;
    // Hands the page to its tab; the controller keeps a guarded pointer.
    SmsPageView *takePage();
    SmsTableModel *tableModel() const { return tableModel_; }
    // The skin keys of the page and its windows, in registration order, with their controls.
    QList<QPair<QString, QObject *>> skinBindings() const;

    // --- registrations (SMSControllerAlias.cpp) --------------------------------------------------
    struct MessageRow {
        int minor;
        const char *handler;
        void (SMSController::*method)(const yov::Notification &); // null: not handled yet, skipped
    };
    static const QList<MessageRow> &smsMessageRows();
    static const NotificationTableRow *smsNotificationTable();
    static const NotificationTableRow *deviceLockNotificationTable();
    void Init_SMS_Wording();
    void initPopUpMenuOfMsgBoxList();
    void setMenuItemState(bool enabled, int index);
    void initSetMenuItemsState();
    void setMenuItemsStateWhenSMSSelectionDidChange();
    Q_INVOKABLE void reloadSMSPCList(const yov::Notification &notification);
    Q_INVOKABLE void deleteSMSPCList(const yov::Notification &notification);
    Q_INVOKABLE void recieveNewSMSHint(const yov::Notification &notification);
    Q_INVOKABLE void notifyDeviceUnlockSuccess(const yov::Notification &notification);
    Q_INVOKABLE void notifyDeviceUnlockFailed(const yov::Notification &notification);
    Q_INVOKABLE void tabViewItemWillChange(const yov::Notification &notification);
    void dealWithMsgofRestoreSMS(const yov::Notification &notification);

    // --- the table and its buttons (SMSControllerTable.cpp) ------------------------------------
    int numberOfRowsInTableView();
    QVariant objectValueForTableColumn(const QString &column, int row) const;
    std::optional<QFont> fontOfRow(int row) const;
    bool shouldSelectRow(int row);
    void tableViewSelectionDidChange();
    void doWhenSMSSelectionDidChange();
    void userDoubleClickMsgList(int clickedRow);
    void setButtonState(int state);
    void setSaveAtPosEnabled(bool enabled);
    void msgBoxSelect();
    void selectSaveAt();
    void tableViewDidClickTableColumn(const QString &identifier);
    void loadSavedDestPositionWithOnineFlag(bool ready, int selected);
    void loadSaveNumberBtnwithState(bool withDevice) override;
    void savePhoneNumber();
    void call();
    void readAndShowMessageText();
    // The status item after a message was read (the new-message animation or the resting picture).
    void freshStatusViewWhenSMSReaded();
    // The editor's Send button: off without a device; off while messages go out in the background
    // or the registration messages are sent (then the menu's send item too).
    void setSendSMSBtnStatWhenNewMessage();
    void setSendSMSBtnStatWhenSendUserInfo(bool enable) override;
    void setSMSInterfaceWhenSendSMSONBackGround();
    void setSMSInterfaceWhenSendSMSInFront();
    void displayMessageText(QWidget *control);
    int getCurrentBox() const;
    int getCurrentPosition() const;
    bool isSearchMode() const;
    QString getUserNameWithPhoneNum(const QString &number) const;
    QString getMobilePhoneFromSelectedSMS() override;
    QVariantMap currentSMSRecord() const { return currentSMSRecord_; }
    QVariantList currentBoxList() const { return currentBoxList_; }
    QList<int> selectedRows() const;

    // --- search, counts, links, events (SMSControllerSearch.cpp) --------------------------------
    void searchSMS();
    void InitCurSearchGroup();
    int getEverySMSCountWithSMSList(const QVariantList &list, int position, int box) const;
    // The used count a position's title shows.
    int usedCountOfPosition(int position) const;
    void updateSMSCountWithPos(int position);
    void updateSMSCount();
    void setMsgBoxInfo();
    void resetPCUnReadSMSNumNotification();
    void setSMSStoreLocWhenClickSMSBrowsePos();
    void initSmsBrowsePosWithSmsStorePos(int code);
    void setSMSBrowsePosWhenEnterSMSUI();
    bool isCurrentPositionFromTcard() const;
    // The text with its links marked (blue, underlined, clickable) as HTML; the links found go
    // to hyperlinksInSMS().
    QString displayHyperlinkFromSMS(const QString &text);
    QList<SmsLink> hyperlinksInSMS() const { return hyperlinksInSMS_; }
    void runAlertPanelAttributeStringTitle(const QString &title, const QString &message, const QString &defaultButton,
                                           const QString &alternateButton);
    void readConfigurations();
    void initUseShortCutKeyDeleteMessageWindow();
    void menuWillOpen();
    void dealWithMsgOfLoadSMSList(const yov::Notification &notification);
    void dealWithMsgOfSMSRevPos(const yov::Notification &notification);
    void dealWithMsgOfSMSCenter(const yov::Notification &notification);
    int smsHintOffset() const { return smsHint_; }

    // --- storage controls (SMSControllerNodeExcute.cpp) ----------------------------------------
    // The search button shows the search field and its Go button, the next click hides them.
    void showOrHideSearchbar(QObject *sender);
    void setBoxMessageNumHiddenFlag(bool hidden, int box);
    // A special box (above 2, shown) is unavailable at the SIM and the device memory.
    void showOrHiddenSpecialBox(int box);
    // The delivery-report box is unavailable at the SIM.
    void showOrHiddenDeliveryReportBox();
    // Run when the position changes: the special boxes' availability for the new position.
    void special_SelectSaveAt();
    // The selected position (by the position matrix's row); -1 when none.
    int selectedSavePosition() const;

    // --- maps and positions ------------------------------------------------------------------
    void boxStrMapInit();
    void boxDisplayOrderInit();
    void yovPositionManagerInit();
    void specialInit();
    int getBoxWithBoxStr(const QString &name) const;
    QString getBoxStrWithBox(int box) const;
    int getBoxDisplayOrderWithBox(int box) const;
    bool hasbox(int box) const;
    bool hasPosition(int position) const override;
    QList<yov::sms::YovPosition> smsPositions() const override { return yovPositionManager_.getAllPositions(); }
    const yov::sms::YovPositionManager &yovPositionManager() const { return yovPositionManager_; }
    const QMap<int, int> &boxDisplayOrderMap() const { return boxDisplayOrder_BoxMap_; }

    // --- lists (SMSControlerSpecial.cpp) -----------------------------------------------------
    void loadSmsList();
    void loadBoxinPCList();
    void loadBoxinSIMList();
    void reloadPCSmsList();
    std::optional<QVariantList> readPCListWithBox(int box) const;
    QVariantList getPCBoxListWithBox(int box) const;
    void setUserNameAndIndexToSMSBoxList(QVariantList &list, int box, int position) const;
    QVariantList getPClistByIMSI(const QString &imsi, int box) const;
    std::optional<QVariantList> getAllPcListByBox(int box);
    std::optional<QVariantList> getCurrentBoxListBySearchFlag(bool search, int position, int box) const;
    // The message search of the device memory (a missing value never matches).
    QVariantList searchMessagesWithKey(const QString &key, int box) const;
    QString readTcardPath() const;
    QString readTcardSmsFileDirectory() const;
    QString readTcardFilePath() const;
    QVariantList getTcardListInBox(int box) const;
    QVariantMap getNewSMSDictionary() const;
    QString getDiagnosticsSMS() const override;
    void updateInterface();
    QString searchMultiPhoneNumber(const QString &text) const override;
    // The computer list of a box as this page holds it (0, 1, 2, 4, 5) and its search results.
    QVariantList pcList(int box) const;
    QVariantList simList(int box) const { return simLists_.value(box); }
    void setSearchResults(int position, int box, const QVariantList &list) { searchLists_[{position, box}] = list; }

    // Writers: the list replaces the box, merged with what the file gained and lost since the list
    // was loaded; done (may be empty) gets the result after the lists were reloaded.
    void writeMessagesToPC(const QVariantList &list, int box, SmsBoxWriteDone done = {});
    void writeMessagesToTcard(const QVariantList &list, int box, SmsBoxWriteDone done = {});
    void writeMessagesToBox(int box, const QVariantMap &message, const QString &path, SmsBoxWriteDone done = {});

    bool synTcardSmsFlag() const { return synTcardSmsFlag_; }
    void setSynTcardSmsFlag(bool flag) { synTcardSmsFlag_ = flag; }
    void startSynTcardTimer();
    void synTCard();
    int synTcardIntervalMs() const;
    void dealWithMsgOfReLoadTcardSMS(const yov::Notification &notification);

    // --- device memory, counts, capacity (SmsControllerToDealSmsFromME.cpp) --------------------
    void loadMessagesInPosition(int position);
    QVariantList getMeMessagesInBox(int box) const;
    int getMessageNumWithPosition(int position, int box) const;
    int getMessageNumWithPosition(int position) const;
    int getSMSCountWithPos(int position) const;
    SmsCapacityCounts capacityCounts() const;
    bool isFullWithPosition(int position) const;
    // Room at the position for the selected messages; the alert when there is none.
    bool hasEnoughSpaceToReceiveWithPosition(int position, const QVariantList &selected);
    bool hasEnoughCapacityWithMax(const QVariantList &selected) const;
    void dealWithMsgOfSMSNum(const yov::Notification &notification);
    void alertFullWithPosition(int position, int fullAlertType);
    void autoDeleteSMSWhenSIMCardFull();
    int simCap() const { return m_nSIM_Cap; }
    int simUsed() const { return m_nSIM_Used; }
    int modemCap() const { return modemCap_; }
    int modemUsed() const { return modemUsed_; }
    // The store-full window (null until first shown).
    QDialog *smsSimMaxWarningWin() const { return smsSimMaxWarningWin_; }
    QLabel *simMaxText() const { return simMaxText_; }
    QCheckBox *simMaxCheckBox() const { return simMaxCheckBox_; }

    // --- writing and sending (SMSControllerSend.cpp) -------------------------------------------
    static constexpr int kSendPauseMs = 2000;
    static constexpr int kSendAnswerTimeoutMs = 60000;
    MessageTextFormatter *messageFormatter();
    QString stringForSMSEditor() const;
    void setStringForSMSEditor(const QString &text);
    Q_INVOKABLE void newMessage(QObject *sender = nullptr);
    void openMessageWin();
    Q_INVOKABLE void cancel(QObject *sender = nullptr);
    // The recipient field's filter and the names of its numbers.
    void controlTextDidChange();
    Q_INVOKABLE void sendMessage(QObject *sender);
    bool sendMessageto(const QString &number, const QString &text) override;
    bool sendSmsTo(const QString &number, const QString &text, bool report, bool returnSendResult,
                   bool saveInCorrespondBox) override;
    // Sends the run's text to one recipient; a send that cannot go counts as an answer with all
    // its parts failed.
    bool Msg_sendSMSTo(const QString &number);
    yov::SmsSendResult allPartsFailed() const;
    bool sendEndsAsFailedWithoutAnswer() const;
    void sendMessageToNumber(const QString &number);
    void toNewMsgWinWithPhoneNumbers(const QStringList &numbers, const QString &module) override;
    Q_INVOKABLE void replyMessage(QObject *sender) override;
    void replyMessageFromMMS(const QString &number) override;
    Q_INVOKABLE void forwardMessage(QObject *sender);
    Q_INVOKABLE void sendMessageInDraftBox(QObject *sender);
    Q_INVOKABLE void sendSMSWithoutWin(QObject *sender);
    Q_INVOKABLE void saveMessageToDraft(QObject *sender);
    void addToPcDraftBoxWithPhone(const QString &recipients, const QString &text);
    void saveSMSToDraftWhenNetCaredUnDetected();
    // The editor closes because the device went: what it holds becomes a computer draft (in
    // place of the computer draft it was opened from), so nothing typed is lost.
    void keepEditorAsComputerDraft();
    // Appends drafts to the computer's drafts box, in place of the computer draft with the
    // "index" replacing when one is given.
    void addComputerDrafts(const QVariantList &drafts, std::optional<int> replacing = std::nullopt);
    // Sends a draft record; the draft is kept until the device service has stored it.
    void sendDraftRecord(const QByteArray &record, const QString &recipients, const QString &text);
    // Drafts that the device service refused or will not answer any more go to the computer.
    void keepPendingDraftsOnComputer();
    // The device went: the delete and copy chains get no more answers. They end here, so the
    // table and the box choice they disabled come back; a move keeps both copies.
    void dropDeviceChains();
    void deleteDraftatIndex(int index, int position);
    void dealWithMsgOfSendSMS(const yov::Notification &notification);
    void dealWithMsgOfConcatSMSInfo(const yov::Notification &notification);
    void dealWithMsgOfSaveSMSToDraft(const yov::Notification &notification);
    void delaySendStatus();
    Q_INVOKABLE void endSendSmsInfoWindow();
    void clearSendSMSPara();
    void setSendResultInfo();
    quint8 readRefIndex();
    void writeSendResIntoFileIfSendSuccess() override;
    void sendMessageBackground(const QStringList &numbers, const QString &text);
    void setSmsStateToNormalAfterSendSMSOverOnBackGround();
    void initSearchField();
    // The recipient field's menu: the phonebook and the recipients of the last sends.
    void showRecipientMenu();
    void addRecentRecipients(const QString &recipients);
    QStringList recentRecipients() const { return recentRecipients_; }
    static constexpr int kMaxRecentRecipients = 10;
    Q_INVOKABLE void showSelectWindow();
    void setTheSearchFieldText(const QStringList &numbers) override;
    Q_INVOKABLE void recieveSMSNotification(const yov::Notification &notification);
    Q_INVOKABLE void recieveSelectContactNotification(const yov::Notification &notification);
    Q_INVOKABLE void recieveFormatHost(const yov::Notification &notification);
    QStringList phoneReceive() const { return phone_receive_; }
    int pendingSendAnswers() const { return pendingSendAnswers_; }
    bool isDraftSms() const { return isDraftSms_; }

    // --- deleting, copying and moving (SMSControllerDelete.cpp) --------------------------------
    Q_INVOKABLE void deleteMessage(QObject *sender = nullptr);
    Q_INVOKABLE void moveToImportantBox(QObject *sender = nullptr);
    Q_INVOKABLE void recoverMessage(QObject *sender = nullptr);
    Q_INVOKABLE void saveMessage(QObject *sender);
    QVariantList getSelectedMessages();
    void deleteMessageFromPC();
    void deleteMessageFromTcard();
    void deleteMessageFromSIMOrME();
    void deleteMessagesInSIMorMEWithDeletedArray(const QVariantList &entries);
    static void setPreLocationAndStateToDeletdArray(QVariantList &messages, int sourceBox, int destBox);
    void copyMessageArray(const QVariantList &messages, int box);
    void moveMessageArray(const QVariantList &messages, int box);
    void recoverMessageArray(const QVariantList &messages, int sourceBox);
    int getSavedDestPosition() const;
    bool alertBeforeSaveToPosition(int destination);
    void saveMessageToPosition(int destination);
    void saveMessageInSIMorMeWithSaveArray(const QVariantList &entries);
    void dealWithMsgOfDeleteSMS(const yov::Notification &notification);
    void dealWithMsgOfSaveSMS(const yov::Notification &notification);
    void deleteSmsAfterSaveSmsOK();
    void reFreshPCBox();
    QVariantList getDeleteList() const { return delSimSmsList_; }
    QVariantList saveToList() const { return saveToList_; }

    // --- the rest of the dashboard ------------------------------------------------------------
    int getNetCardStatus() const override { return m_nNetCardStatus; }
    // The device status (12: device and SIM ready); the tree's SIM branch follows it.
    void setNetCardStatus(int status);
    // Device events: removed (1), plugged (2), SIM ready (12). At ready with a card position the
    // card list is reloaded (768/113); a removed device leaves the card list to synchronise.
    Q_INVOKABLE void deviceRemoved(const yov::Notification &notification);
    Q_INVOKABLE void devicePlugin(const yov::Notification &notification);
    Q_INVOKABLE void simReady(const yov::Notification &notification);
    void netcardChanged(int status);
    bool hasNewSMSInPos(int position) const override;
    void GotoInbox() override;
    int m_revNewPos = -1;

    // --- receiving (SMSControllerReceive.cpp) ----------------------------------------------------
    // The automatic close of the new-message window when SMS/New_SMS_Close_time is missing.
    static constexpr int kDefaultNewSmsCloseSeconds = 5;
    // How long a usage-check reply stays shown.
    static constexpr int kUsageReplyShownMs = 60000;
    void dealWithMsgOfRevNewSMS(const yov::Notification &notification);
    void dealWithMsgOfRevClass0(const yov::Notification &notification);
    void dealWithMsgOfRevSMSReport(const yov::Notification &notification);
    void dealWithMsgOfBroadCast(const yov::Notification &notification);
    void dealWithMsgOfRevRechargeSMS(const yov::Notification &notification);
    // The new-message road for one received part.
    void receiveNewSms(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record);
    void doAfterFinishReceiveNewSms(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record);
    void newSmsArrivedNotification();
    void close_newSMS_Msg();
    Q_INVOKABLE void newSMSArriveMsgOK(QObject *sender = nullptr);
    Q_INVOKABLE void newSMSNotificationClose(QObject *sender = nullptr);
    Q_INVOKABLE void newSMSNotificationRead(QObject *sender = nullptr);
    Q_INVOKABLE void specialNewSMSWndClose(QObject *sender = nullptr);
    Q_INVOKABLE void class0ArriveOK(QObject *sender = nullptr);
    Q_INVOKABLE void SMSReportOK(QObject *sender = nullptr);
    void SmsReportArrived(int result, const QString &phone, const QString &time);
    void showSMSFromSpecialNumbers(const QString &number, const QString &name, const QString &time,
                                   const QString &content, const yov::MSG_REV_NEW_SMS_RES_PARA_T &record);
    bool isSpecailSMSNumber(const QString &number) const;
    // The KV408 top-up rule: true when it took the message (the special-number window stays shut).
    bool kenyaDedeviKV408SMSProcess(const QString &number, const QString &text, const yov::MSG_REV_NEW_SMS_RES_PARA_T *record);
    void sendNewSMSArriveNotification(const QString &number);
    QString getNewArriveSMSContent() const;
    void setNewSMSContentInContentField();
    bool showCertainNewSMSContent(const QString &text, const QString &number) const;
    // A usage-check reply is shown for a minute; true when the sender was the awaited number.
    bool showCheckUsageRespondingSMSContent(const QString &text, const QString &number);
    void cleanTextControlShowCertainNewSmsContent() override;
    QTextEdit *tfdShowCertainNewSmsContent();
    // Hands the unread recharge messages to the USSD window when the sender is the recharge server.
    void passToOtherModelWithSMSContent(const QString &text, const QString &number);
    QStringList getUnreadRechargeSMS() const override;
    void freshStatusViewWhenNewSMSArrive();
    QPointF centerTheNewSMSArriveWnd(const QSizeF &size) const override;
    void stopAnimationWhenMinimizeWithNewSms() override;
    void startAnimationWhenMaximizeWithNewSms() override;
    bool newSmsAnimating() const { return newSmsAnimation_ != 0; }
    void doWithPcUnreadFlowValueSMSAndRefreshStatusWhenFlowAlertOverTime() override;
    QString receiveSmsContentText() const { return receiveSmsContentText_; }
    const SmsReceiveHistory &receiveHistory() const { return receiveHistory_; }
    QVariantList deliveryReportList() const { return DeliveryReportList_; }

    // --- the delivery-report box (SMSControllerReports.cpp) ---------------------------------------
    void readDeliveryReportBox();
    void writeToDeliveryReportBox();
    void deleteDeliveryReport();
    bool isPcDeliveryReportBox() const;
    QVariant setSmsTableValueOfDeliveryReport(const QString &column, int row) const;
    QList<yov::sms::YOVMessageDeliveryReport> deliveryReports() const { return deliveryReportArray_; }
    // The reports as file dictionaries, in list order (the rows of the report box).
    QVariantList deliveryReportRows() const;
    void markDeliveryReportRead(int row);

    // --- the new-message pop-up list (SMSControllerPopUp.cpp) ------------------------------------
    struct PopUpEntry {
        QDateTime date;
        QString userName;
        QString phone;
        int location = -1; // the stored position; -1 for none (the computer)
        QString dateString;
    };
    void specialAwakeFromNib();
    void SpecialInit_SMS_Wording();
    void addPop_upUnReadSMSFromPC();
    void addPop_UpSMSWhenReceiveNewSMS(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record);
    void showNewSMSWindowOfPop_Up();
    void closeNewSMSWindowOfPop_Up();
    void closeSMSContentOfPop_UP();
    void removeMessageOfPop_UpWithMessage(const QVariantMap &message);
    Q_INVOKABLE void openNewSMSContentOfPop_Up();
    QList<PopUpEntry> popUpList() const { return tmpNewSMSListOfPop_Up_; }

    // --- operator messages (SMSControllerOperator.cpp) --------------------------------------------
    // Opens the purchase window when the service recognises the message as a purchase answer.
    void preTreatBeforeJudgeSMSIsPurchaseSMS(const QString &number, const QString &text);
    void ensurePurchaseWindow();
    void initRechargeWndWording();
    void setPurchaseWndProperty();
    void setCombOfPurchaseListDataSource();
    void sendSMSToPurchaseServer(QObject *sender);
    QDialog *wndRecharge() const { return wndRecharge_; }
    // Judges a complete new message as a data-volume message and raises its alert.
    void showFlowAlertWhenNewSmsArrive(const yov::MSG_REV_NEW_SMS_RES_PARA_T &record);
    void showFlowAlert(int type, const QString &text);
    void hideFlowAlert();
    void showFlowAlertWhenLoadSimList();
    void savePCNewArriveSmsToSim();
    // The answer to the copy of a data-volume message to the SIM; false for any other copy.
    bool takeCopyToSimAnswer(const yov::UI_MSG &msg);
    void setSMSReadedAfterSMSCopyFromPcToSim();
    int flowAlertType() const { return flowAlertType_; }
    QString flowAlertText() const { return flowAlertText_; }

private:
    SmsCellContext cellContext(int box, int position) const;
    void reloadTable();
    QVariantList *storedList(int position, int box, bool search);
    void applySelectionButtons(const SmsButtonStates &states);
    void clearTableSelection();
    void markSelectedRead(const QList<int> &rows);
    bool markRowRead(int row, bool *computerChanged);
    void replaceStoredMessage(int position, int box, const QVariantMap &message);
    void setHeader(const QString &identifier, const QString &english);
    void showListView();
    void disableSelectionButtons();
    void selectPositionRow(int position);
    void connectPage();
    void nodeSelected();
    void refreshNewSmsPicture();
    QString word(const QString &english) const;
    void reportFailedWrite(const SmsBoxWriteResult &result);
    void sendNoteRrefreshChatRecord();
    QVariantMap smsModule() const;
    bool smsSwitch(const char *key) const;
    // The send road's own steps.
    // fromEditor: the editor's own Send, which closes it; another page's send leaves an open
    // editor and what it holds alone.
    bool checkAndStartSendRun(const QString &recipients, const QString &text, const QString &emptyText, bool fromEditor);
    void startSendRun(const QString &recipients, const QString &text, bool fromEditor);
    int partsOf(const QString &text) const;
    bool replacesSpecialNumbers() const;
    bool unshowInfoWnd() const;
    void openProgressSheet();
    void closeProgressSheet();
    QString displayNameOfRecipient(const QString &number) const;
    void showSendingTo(const QString &number);
    void showImformationWinWhenSendReport();
    void armSendTimeout();
    void takeSendResult(const yov::SmsSendResult &result);
    void reloadAfterSend();
    void finishRun();
    void showSummarySheet();
    void endRunAsCancelled();
    void recordUserInfoResult();
    void saveUnservedRecipientsWhenDeviceRemoved();
    void selectBox(int box);
    // The delete and copy chains.
    void sendHeadOfDeleteList();
    void sendHeadOfSaveList();
    void endOfDeleteChain();
    void setChainControlsEnabled(bool enabled);
    std::optional<int> currentDeviceIndex(int position, int box, const QVariantMap &entry, const QString &indexKey);
    void ensureSimMaxWarningWindow();
    void showWithoutFocus(QWidget *window);
    void connectReceiveWindows();
    void stopNewSmsAnimation();
    void startNewSmsAnimation();
    // Shows one frame ("NewSms_1", "NewSms_2") of the new-message picture.
    void setNewSmsPictureFrame(const QString &image);
    int newSmsCloseSeconds() const;
    // The report window is not shown when the delivery-report box holds the reports.
    bool reportWindowStaysShut() const;

    yov::sms::YovPositionManager yovPositionManager_;
    QMap<QString, int> boxStr_Box_;
    QMap<int, int> boxDisplayOrder_BoxMap_;
    SmsListWriter writer_;

    QMap<int, QVariantList> allPcLists_;  // 0, 1, 2, 4, 5: the whole stored boxes
    QMap<int, QVariantList> pcBases_;     // the same boxes as the file held them at load
    QMap<int, QVariantList> shownPcLists_; // 0, 1, 2, 4, 5 as shown (per IMSI when so configured)
    QMap<int, QVariantList> simLists_;
    mutable QMap<int, QVariantList> tcardBases_;
    QMap<std::pair<int, int>, QVariantList> searchLists_;
    QVariantMap messagesFromME_;

    int m_nSIM_Cap = 0;
    int m_nSIM_Used = 0;
    int modemCap_ = 0;
    int modemUsed_ = 0;
    int m_nNetCardStatus = 1;
    bool synTcardSmsFlag_ = false;
    std::unique_ptr<yov::RepeatingTimer> synTcardTimer_;

    QPointer<SmsBoxView> boxView_;
    QPointer<SmsPageView> page_;
    std::unique_ptr<SmsPageView> ownedPage_;
    SmsTableModel *tableModel_ = nullptr;
    std::unique_ptr<SmsSource> smsSource_;
    QVariantList currentBoxList_;
    QVariantList selectedSmsListInTableView_;
    QVariantMap currentSMSRecord_;
    bool sortByMobilephone_ = true;
    bool sortByUsername_ = true;
    bool sortByDate_ = true;
    bool sortByStat_ = true;
    bool autoSelectNewSMSFlag_ = false;
    bool inSelectionChange_ = false;
    bool hasMePosition_ = false;
    QString phoneSeparator_ = QStringLiteral(";");
    QList<SmsLink> hyperlinksInSMS_;
    int smsHint_ = 0;
    int lastPositionRow_ = -1;
    QVariantList shownList_;         // the list the table shows, taken at each reload
    SmsCellContext shownContext_;    // its cell rules, taken at each reload
    bool clickStatusOfBtn_ = false;
    QPointer<QDialog> smsSimMaxWarningWin_;
    QPointer<QLabel> simMaxText_;
    QPointer<QCheckBox> simMaxCheckBox_;
    bool simMaxStopped_ = false;

    // The send road.
    QPointer<MessageTextFormatter> messageFormatter_;
    QStringList phone_receive_;
    int messageSendCount_ = 0;
    int messageSendOkCount_ = 0;
    int messageSendFailedCount_ = 0;
    bool cancelSendFlag_ = false;
    bool isDraftSms_ = false;
    int draftPosition_ = 0;      // where the draft being edited was opened from
    int draftIndex_ = -1;
    QString runText_;            // the run's text and its parts, taken when the run starts
    int runPackNum_ = 1;
    bool runSentAnyPart_ = false;
    QStringList recentRecipients_; // newest first
    QVariantList pendingDrafts_; // sent as 768/93, not answered yet, oldest first
    int pendingSendAnswers_ = 0; // sends with an answer wanted that are not answered yet
    int sendTimeoutId_ = 0;
    int delayId_ = 0;
    bool filteringRecipients_ = false;
    bool centreQueryPending_ = false; // the Send button asked for the centre
    QVariantList resultOfSendUsrInfo_;

    // The delete and copy chains.
    QVariantList delSimSmsList_;
    QVariantList saveToList_;
    QVariantList delSmsListAfterSave_;
    int delSMSFromPos_ = 0;
    int delSMSFromBox_ = 0;

    // Receiving.
    SmsReceiveHistory receiveHistory_;
    QString receiveSmsContentText_;
    QVariantList DeliveryReportList_;  // reports not yet acknowledged, newest last
    QList<yov::sms::YOVMessageDeliveryReport> deliveryReportArray_; // the report box, newest first
    int closeNewSmsId_ = 0;
    int usageReplyId_ = 0;
    int newSmsAnimation_ = 0;
    bool animationStoppedByMinimise_ = false;
    std::unique_ptr<QTextEdit> tfdShowCertainNewSmsContent_;
    int flowAlertType_ = 2;
    QString flowAlertText_;
    QPointer<QDialog> wndRecharge_;
    QPointer<QLabel> labelOfPurchaseInfo_;
    QPointer<QComboBox> combOfPurchaseList_;
    QPointer<QPushButton> btnOfPurchaseInVolStatusWnd_;
    QPointer<QPushButton> btnOfPurchaseInPartnerWnd_;
    QPointer<QPushButton> btnOfConfirmInPurchaseWnd_;
    QPointer<QPushButton> btnOfCancelInRechargeWnd_;
    QPointer<QPushButton> btnOfOKInRechargeWnd_;

    // The pop-up list, newest last, and its fields (made with the panel).
    QList<PopUpEntry> tmpNewSMSListOfPop_Up_;
    QPointer<QLabel> tfdNewSmsPOPupArriveSubTitle_;
    QPointer<QLabel> tfdNewSmsFromOfPop_Up_;
    QPointer<QLabel> tfdNewSmsSenderOfPop_Up_;
    QPointer<QLabel> tfdNewSmsTimeOfPop_Up_;
    QPointer<QLabel> tfdNewSmsArriveTimeOfPop_Up_;
    QPointer<QLabel> tfdNewSmsContentFromLabel_;
    QPointer<QLabel> tfdNewSmsContentPhoneLabel_;
    QPointer<QLabel> tfdNewSmsContentTimeLabel_;
    QPointer<QLabel> tfdNewSmsContentFromPop_Up_;
    QPointer<QLabel> tfdNewSmsContentMobilePhoneOfPop_Up_;
    QPointer<QLabel> tfdNewSmsContentTimeOfPop_Up_;
    QPointer<QLabel> tfdNewSmsContentTextOfPop_Up_;
};

} // namespace ostrel
