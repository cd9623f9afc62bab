#pragma once
// The SMS page controller: the box lists of the four stores and their list files, the message
// counts and capacities, the memory-card synchronisation and the store-full window. Operations of
// the page that are not built yet keep the least-doing answers of DefaultSMSController.
//
// One class in several source files: SMSController.cpp (maps, position table, registrations,
// device events), SMSControllerNodeExcute.cpp (the storage controls: search toggle, special
// boxes), SMSControlerSpecial.cpp (list files, writers, card timer),
// SmsControllerToDealSmsFromME.cpp (device memory, counts, capacity, the store-full window).
//
// Each computer or card box list keeps its base (the box as the file held it when the list was
// loaded); writes go through the one list-file writer, which merges them with what the device
// service changed since. A failed write is logged, shown with an alert, and the lists reload.

#include "common/sms/YovPositionManager.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/neighbours/SMSControllerInterface.h"
#include "ostrel/sms/service/SmsCapacity.h"
#include "ostrel/sms/service/SmsListWriter.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMap>
#include <QPointer>
#include <QVariantList>
#include <QVariantMap>

#include <memory>
#include <optional>


namespace yov { class RepeatingTimer; }

namespace ostrel {

class SMSController;
class SmsBoxView;
class SmsSource;
extern SMSController *g_SMSController;

class SMSController : public YOVUIController, public DefaultSMSController {
    Q_OBJECT
public:
    // The full-alert types of alertFullWithPosition.
    enum FullAlertType { FullAlertStore = 0, FullAlertTooLong = 1, FullAlertDatabase = 4 };

    explicit SMSController(const ControllerContext &context, QObject *parent = nullptr);
    ~SMSController() override;

    static SMSController *shared() { return g_SMSController; }

    void registerMessages() override;
    // Builds the storage controls (tree, matrices, search, count labels) and the box tree.
    void initializeController() override;
    SmsSource *smsSource() const { return smsSource_.get(); }
    // The storage controls; null until initializeController.
    SmsBoxView *boxView() const { return boxView_.get(); }

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
    void dealWithMsgOfListState(const yov::Notification &notification);

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
    int m_revNewPos = -1;

private:
    void reportFailedWrite(const SmsBoxWriteResult &result);
    void sendNoteRrefreshChatRecord();
    QVariantMap smsModule() const;
    bool smsSwitch(const char *key) const;
    void ensureSimMaxWarningWindow();

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

    std::unique_ptr<SmsBoxView> boxView_;
    std::unique_ptr<SmsSource> smsSource_;
    bool clickStatusOfBtn_ = false;
    QPointer<QDialog> smsSimMaxWarningWin_;
    QPointer<QLabel> simMaxText_;
    QPointer<QCheckBox> simMaxCheckBox_;
    bool simMaxStopped_ = false;
};

} // namespace ostrel
