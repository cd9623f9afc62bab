#pragma once
// The UI-free service of the SMS area, shared by the SMS page and the main window: its own copies
// of the computer and SIM boxes, the pending delete and copy lists of the SMS records, broadcasts
// stored as messages, special numbers, and the rules of the operator's flow-value, purchase and
// check-usage messages.
//
// The computer boxes it holds each keep the box as it was loaded (its base): its writes go through
// the one list-file writer, which merges them with what the device service added or removed since.
// A failed write is logged, shown with an alert, and the lists are read again.

#include "common/sms/YovPositionManager.h"
#include "ostrel/framework/neighbours/SmsServiceInterface.h"
#include "ostrel/framework/service/YovServiceBase.h"
#include "ostrel/sms/service/SmsListWriter.h"

#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace yov { class Clock; }

namespace ostrel {

class ConfigManager;

class SmsService : public YovServiceBase, public SmsServiceInterface {
public:
    // Flow-value types.
    enum FlowValueType { FlowValue75 = 0, FlowValue100 = 1, FlowValueNone = 2 };

    // The installed service (the dashboard's); one made over the shared store when none is.
    static SmsService *sharedSmsService();
    // The installed service; null when none is (nothing is made).
    static SmsService *installed();

    // config null: the shared store. The service becomes the shared one and installs itself in
    // Neighbours; destroyed, it puts the default back.
    explicit SmsService(ConfigManager *config = nullptr, yov::Clock *clock = nullptr);
    ~SmsService() override;
    SmsService(const SmsService &) = delete;
    SmsService &operator=(const SmsService &) = delete;

    // --- Lists -------------------------------------------------------------------------------
    void loadBoxinPCList();
    // The same from a computer's list file the caller has just read from path (nullopt:
    // unreadable); when path is not the service's own file, the service reads its own.
    void loadBoxinPCList(const QString &path, const std::optional<QVariantMap> &file);
    void loadBoxInSIMList();
    QVariantList getPCBoxListWithBox(int box) override;
    // The raw box of the computer file; nullopt for box 3, codes outside 0..6, no file or no box.
    std::optional<QVariantList> readPCListWithBox(int box) const;
    // Reloads, then the service's list of box 0, 1, 2, 4, 5 or 6; nullopt for any other box.
    std::optional<QVariantList> getAllPcListByBox(int box);
    // The service's list of a computer box as last loaded (no reload).
    QVariantList pcList(int box) const { return pcLists_.value(box); }
    QVariantList simList(int box) const { return simLists_.value(box); }
    // Writes a computer box: the list merged with what the file gained and lost since this
    // service's load; then the lists are reloaded. done (may be empty) gets the result.
    void writeMessagesToPC(const QVariantList &list, int box, SmsBoxWriteDone done = {});
    // Appends one message to a box of a list file (computer or card, by path and position).
    void writeMessageToBox(int box, const QVariantMap &message, const QString &path, int position,
                           SmsBoxWriteDone done = {});
    QString pcListPath() const;
    QString simListPath() const;

    static int getBoxWithBoxStr(const QString &name);
    static QString getBoxStrWithBox(int box);
    static bool isSimOrMeWithPosition(int position);
    const yov::sms::YovPositionManager &yovPositionManager() const { return yovPositionManager_; }

    // The service's names: a draft's recipients run together, any other message its own number.
    void setUserNameAndIndexToSMSBoxList(QVariantList &list, int box, int position) const;
    // The numbers of a separator-joined text run together; one number alone; "" for none.
    QString searchMultiPhoneNumber(const QString &text) const;
    QString phoneSeparator() const { return phoneSeparator_; }

    // --- Unread messages ------------------------------------------------------------------------
    static int getUnreadSMSCountFromSMSList(const QVariantList &list);
    static QVariantList getUnreadSMSInSMSlist(const QVariantList &list);
    QVariantList getUnreadSMSInPos(int position, const QVariantList &inBoxList) override;
    QVariantList unreadSMSListInPc() const { return unreadSMSListInPc_; }
    QVariantList unreadSMSListInSim() const { return unreadSMSListInSim_; }

    // --- Pending operations -----------------------------------------------------------------------
    void makeSimSmsDelList(const QVariantList &entries, int box);
    void deleteSMSlist(const QVariantList &entries, int box, SmsBoxWriteDone done = {});
    void makeSaveSmsBySrcPos(int srcPos, int destPos, int srcBox, int srcIndex);
    // Puts a received broadcast at the front of the computer's "BroadCastBox".
    void saveBroadCastAsShortMessage(const QVariantMap &message, SmsBoxWriteDone done = {});
    void backUpSmsListOfPcInbox(const QVariantList &list) { pcInBoxBackListBeforeRevNewSms_ = list; }
    QVariantList delSimSmsList() const { return delSimSmsList_; }
    void setDelSimSmsList(const QVariantList &list) { delSimSmsList_ = list; }
    QVariantList saveToList() const { return saveToList_; }
    void setSaveToList(const QVariantList &list) { saveToList_ = list; }
    QVariantList broadcastBoxList() const { return pcLists_.value(6); }
    void setBroadcastBoxList(const QVariantList &list) { pcLists_.insert(6, list); }
    QVariantList pcInBoxBackListBeforeRevNewSms() const { return pcInBoxBackListBeforeRevNewSms_; }

    // --- Special numbers --------------------------------------------------------------------------
    QVariantMap getDictionaryContainsSpeicalNumberAndSpeicalStringWithPhoneNumber(const QString &number) const;
    QVariantMap getDictionaryContainsSpeicalNumberAndSpeicalString(const QString &name) const;

    // --- Flow-value messages ----------------------------------------------------------------------
    // YES when the keyword is not empty and the text contains it.
    static bool stringIsContainSubString(const QString &text, const QString &sub);
    bool checkSmsIsSevetyFivePercentFlowValueSms(const QString &number, const QString &text) const;
    bool checkSmsIsOneHundredPercentFlowValueSms(const QString &number, const QString &text) const;
    int checkFlowValueTypeBySmsPhoneNumber(const QString &number, const QString &text) const;
    void saveFlowValueInfoIntoFileWithSmsContent(const QString &text, const QDateTime &date, int type);
    void clearFlowValueInfo();
    int getFlowValueInfoFromFile() const override;
    QVariantMap flowValueSmsInfo() const { return flowValueSmsInfo_; }
    // The end of a flow-value period that began at the date: the 22nd of its month for days 1 to
    // 21, else the 22nd of the next month (December carries into January), at 00:00 local time.
    static QDateTime flowValueExpiryOf(const QDateTime &date);
    QDateTime makeFlowValueSmsOverDueTime() const;
    bool checkIsOverdueByDate(const QDateTime &date) const;
    bool isOverDueFlowValueSms() const override;
    bool checkIsValidFlowValueSmsBySMSContent(const QString &text, const QString &number, const QDateTime &date);
    bool checkSIMReceivedValidFlowValueSMS();
    bool checkPos(int position, int type) const override;
    // Sets the application icon (the image name); the dashboard installs the main window's.
    void setApplicationIconHook(std::function<void(const QString &)> hook) { iconHook_ = std::move(hook); }
    void setApplicationIcon(const QString &image) const
    {
        if (iconHook_)
            iconHook_(image);
    }

    // --- Purchase by SMS ---------------------------------------------------------------------------
    bool checkSMSIsPurChaseSMSBySmsPhoneNumber(const QString &number, const QString &text);
    void parseBroadBandListFromSMSContent(const QString &text);
    void parseConfigInformationFromSMSContent(const QString &text);
    QVariantMap processListOfRecharge() const override { return processListOfRecharge_; }
    void setProcessListOfRecharge(const QVariantMap &list) { processListOfRecharge_ = list; }
    QStringList broadBandList() const { return broadBandList_; }
    void setBroadBandList(const QStringList &list) { broadBandList_ = list; }
    QString processOfRechargeBySMS() const { return processOfRechargeBySMS_; }
    void setProcessOfRechargeBySMS(const QString &step) { processOfRechargeBySMS_ = step; }
    QString purchaseSMSContent() const { return purchaseSMSContent_; }
    void setPurchaseSMSContent(const QString &text) { purchaseSMSContent_ = text; }
    QString configSMSContent() const { return configSMSContent_; }
    void setConfigSMSContent(const QString &text) { configSMSContent_ = text; }

    // --- Sending and check usage ------------------------------------------------------------------
    void saveSendSuccessResultBySendCount(int sent, int ok);
    void setUnshowInfoWndWhenSendSmsByFlag(bool unshow) override;
    bool unshowInfoWndWhenSendSms() const override;
    bool isShowCheckUsageRespondedSMS(const QString &number) const;

    // --- Accessors ---------------------------------------------------------------------------------
    int typeOfNewSms() const override { return typeOfNewSms_; }
    void setTypeOfNewSms(int type) { typeOfNewSms_ = type; }
    int smsCurrentOperate() const { return smsCurrentOperate_; }
    void setSmsCurrentOperate(int operation) { smsCurrentOperate_ = operation; }
    bool sendingSMSInBackGround() const override { return sendingSMSInBackGround_; }
    void setSendingSmsSMSInBackGroud(bool sending) override { sendingSMSInBackGround_ = sending; }
    bool sendingSMSSuccess() const { return sendingSMSSuccess_; }
    void setSendingSMSSuccess(bool success) { sendingSMSSuccess_ = success; }
    bool bAlreadySendedCheckUsageSMS() const { return bAlreadySendedCheckUsageSMS_; }
    void setBAlreadySendedCheckUsageSMS(bool sent) override { bAlreadySendedCheckUsageSMS_ = sent; }

private:
    ConfigManager *config() const;
    QVariantMap smsModule() const;
    QVariantMap judgeConditions() const;
    QString judge(const char *key) const;
    void reportFailedWrite(const SmsBoxWriteResult &result);
    SmsBoxWriteDone afterComputerWrite(SmsBoxWriteDone done);
    // The first entry of SMS/SpecialNumberToHidden whose key holds the value.
    QVariantMap specialNumberEntry(const QString &key, const QString &value) const;
    void rememberBase(int box, const QVariantList &base);

    ConfigManager *config_;
    yov::Clock &clock_;
    SmsListWriter writer_;
    yov::sms::YovPositionManager yovPositionManager_;
    QMap<int, QVariantList> pcLists_;   // boxes 0, 1, 2, 4, 5, 6 as shown
    QMap<int, QVariantList> pcBases_;   // the same boxes as the file held them at load
    QMap<int, QVariantList> simLists_;  // boxes 0, 1, 2
    QVariantList delSimSmsList_;
    QVariantList saveToList_;
    QVariantList pcInBoxBackListBeforeRevNewSms_;
    QVariantList unreadSMSListInPc_;
    QVariantList unreadSMSListInSim_;
    mutable QVariantMap flowValueSmsInfo_;
    int typeOfNewSms_ = FlowValueNone;
    QString phoneSeparator_;
    int smsCurrentOperate_ = 0;
    bool sendingSMSInBackGround_ = false;
    bool sendingSMSSuccess_ = false;
    bool bAlreadySendedCheckUsageSMS_ = false;
    QVariantMap processListOfRecharge_;
    QString processOfRechargeBySMS_;
    QString purchaseSMSContent_;
    QString configSMSContent_;
    QStringList broadBandList_;
    std::function<void(const QString &)> iconHook_;
};

} // namespace ostrel
