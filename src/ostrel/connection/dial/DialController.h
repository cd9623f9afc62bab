#pragma once
// The controller of the Internet view and the owner of the data connection.
//
// It turns connect and disconnect requests (the connect buttons, the toolbar's "dialOption",
// automatic attempts) into device-service requests of module 2, follows the connection through
// the replies and reports, keeps the connection state the rest of the dashboard reads (it is the
// CONNECTION neighbour, Neighbours::dial(), while it lives), counts time and traffic, and appends
// one record per connection to the per-SIM record file.
//
// Two roads, by the top-level ConnectType read at every request: PPP (the device service dials;
// the controller polls its status every 0.1 s) and NDIS (the device service reports by itself).
// Every timer runs on yov::Clock (the context's clock), on the main thread.
//
// The source files: DialController.cpp (requests and their checks), DialControllerRoads.cpp (PPP,
// NDIS, packet-domain attach, frequency lock), DialControllerDisplay.cpp (what the view shows),
// DialControllerRecord.cpp (the connection record), DialControllerLimits.cpp (the data and time
// limits and the operator's volume warnings), DialControllerAlias.cpp (message and notification
// registrations, device events, wording), DialControllerReconnect.cpp (automatic connect and
// reconnect, profile cycling, sleep and wake), DialControllerSpeedTest.cpp (the speed test). The
// connection's further features plug in through DialExtensionInterface, the operator content of
// the Internet view through
// DialOperatorContentInterface; the main window and the MMS page are reached through Neighbours.
#include "ostrel/connection/dial/DialDisplay.h"
#include "ostrel/connection/dial/DialExtensions.h"
#include "ostrel/connection/dial/DialOperatorContentInterface.h"
#include "ostrel/connection/dial/DialService.h"
#include "ostrel/connection/dial/DialServiceTransplant.h"
#include "ostrel/connection/dial/ConnectionFormat.h"
#include "ostrel/connection/profile/DialConfigList.h"
#include "ostrel/connection/speedtest/SpeedTestRun.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/neighbours/DialControllerInterface.h"

#include "common/records/connection/ConnectionRecords.h"

#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

namespace yov { class RepeatingTimer; struct UI_MSG; }

class QAbstractButton;

namespace ostrel {

class DialController : public YOVUIController, public DialControllerInterface {
    Q_OBJECT
public:
    static constexpr int kModule = 2;
    static constexpr int kDialOptionDelayMs = 50;
    static constexpr int kPollIntervalMs = 100;
    static constexpr int kNdisTimeIntervalMs = 1000;
    static constexpr int kDeviceReadyDelayMs = 5000;
    static constexpr int kProgressIntervalMs = 100;
    // How long a packet-domain attach may go unanswered before the attempt ends.
    static constexpr int kAttachTimeoutMs = 10000;
    // How long an idle PPP state after the next profile's connect may still be a late answer.
    static constexpr int kCycleRedialSettleMs = 1000;

    // Who asked: nil (an automatic attempt), the main connect button, or anything else (the
    // simple window's button, the unlock window, the warning sheet...).
    enum class DialSender { Automatic, ConnectButton, Other };

    // Record states: a connection's record is appended only from Running, once.
    static const QString RECORD_IN_CREATE;  // "Record In Create"
    static const QString RECORD_IN_RUNNING; // "Record In Runing"
    static const QString RECORD_IN_SAVED;   // "Record In Saved"

    explicit DialController(const ControllerContext &context = ControllerContext::shared(), QObject *parent = nullptr);
    ~DialController() override;

    // The process-wide pointer (g_DialController); null when none exists.
    static DialController *g_DialController();

    // The further features (not owned; null puts the defaults back).
    void setExtensions(DialExtensionInterface *extensions);
    DialExtensionInterface &extensions() const { return *extensions_; }
    // The operator content of the Internet view (not owned; null puts the default back).
    void setOperatorContent(DialOperatorContentInterface *content);
    DialOperatorContentInterface &operatorContent() const { return *operatorContent_; }

    DialConfigList &profiles() { return profiles_; }
    const DialDisplay &display() const { return display_; }

    // ---- DialControllerInterface ---------------------------------------------------------
    int connectStatus() const override { return connectStatus_; }
    bool getFlagIsConnect() const override { return connectStatus_ == yov::kConnectStatusConnected; }
    bool isDoingConnect() const override;
    bool isDataServicesInUsage() const override { return connectStatus_ != yov::kConnectStatusIdle; }
    bool GetisDialNow() const override { return connectStatus_ != yov::kConnectStatusIdle && !bAppWillClose_; }
    bool hadDoManualDisconnect() const override { return hadDoManualDisconnect_; }
    void SelectDisconnectAction() override;
    void DialDisconnect() override;
    void setDialParams() override;
    void setPSDomainStatus(bool attached) override;
    void reconnect(bool reset) override;
    void setApnCycleEnable(bool enable) override { apnCycleEnabled_ = enable; }
    void applicationDidFinishLaunchingInDialController() override;
    void endConnectionForQuit() override;
    void performCloseActionForZAR() override;
    void resetDefaultProfileWithImsiAll(const QString &imsi) override;
    void resetGlobalDefaultProfileWithImsi(const QByteArray &imsiRecord) override;
    void resetDefaultProfileWithMcc(const QString &mcc, const QString &mnc) override;
    void resetDefaultProfileWithMCCMNC(const QString &mccmnc) override;
    void addMMSConfig() override;
    void removeMMSConfig() override;
    int IDMMSConfig() const override;
    void setDialConfig(int index) override;
    QString getAPNString() const override;
    bool writeDialConfigFile(const QList<QVariantMap> &profiles) override;
    QString getDefaultProfileAPN() const override;
    // The user edited the favourite links: the Internet view's favourite buttons follow.
    void loadFavoritesLinkPropeties() override { operatorContent_->loadFavoritesLinkPropeties(); }
    void setModemAndSimStateString(const QString &textKey) override;
    void setDeviceStatusStringRows(int rows) override { deviceStatusRows_ = rows; }
    int deviceStatusStringRows() const { return deviceStatusRows_; }
    void setWCDMAConfigHidden(bool hidden) override;
    void setConnectStateHidden(bool hidden) override;

    // ---- speed test (DialControllerSpeedTest.cpp) ---------------------------------------------
    // At every change of the connected display: in state 3, when the operator list takes this SIM
    // in, measures latency, download and upload and posts the result; one test at a time (a new
    // one in state 3 abandons the older one, whose result is never posted). Any other state ends
    // at once and leaves a running test alone.
    void testSpeed();
    // With the speed test configured: stores and logs why the connection ended.
    void writeDisconetNetWorkReason();
    // The running test, null when none runs.
    SpeedTestRun *speedTestRun() const { return speedTestRun_; }
    // The iperf program run by the upload step (default "iperf" on the PATH).
    void setSpeedTestIperfProgram(const QString &program) { speedTestIperfProgram_ = program; }

    // ---- requests ------------------------------------------------------------------------
    // The one entry of a connect or disconnect request: the checks, then performDialOption()
    // 0.05 s later. A request while one is already scheduled is ignored.
    void DialOption(DialSender sender);
    void performDialOption(DialSender sender);
    void DialConnect();
    void DialCancelConnect();
    void NDISDialConnect();
    void NDISDialDisconnect();
    void CancelConnect();
    void checkIsAttachPSForConnect();
    void attachPS();
    void checkISDetatchPS();
    // The connect-warning sheet's OK: the sheet shows once until the device is removed.
    void connectWarningWinOKClicked(DialSender sender = DialSender::ConnectButton);
    bool dialOptionPending() const { return dialOptionId_ != 0 || checksOpen_; }

    int readConnectType() const;
    void setConnectStatus(int status);
    void setManualConnect(bool on) { bManualConnect_ = on; }
    bool isManalConnect() const { return bManualConnect_; }
    void setManualDisconnect(bool on);
    bool manualDisconnectFlag() const { return manualDisconnectFlag_; }
    void setHadDoManualDisconnect(bool on) { hadDoManualDisconnect_ = on; }
    bool hadConnectAction() const { return hadConnectAction_; }
    void setHadConnectAction(bool on) { hadConnectAction_ = on; }
    bool apnCycleEnabled() const { return apnCycleEnabled_; }
    int reconnectTimes() const { return reconnectTimes_; }
    void setReconnectTimes(int n) { reconnectTimes_ = n; }
    bool isManualConnectSuccess() const { return bManualConnectSuccess_; }
    bool willConnectToInternet() const { return willConnectToInternet_; }
    bool isDeviceRemoved() const { return isDeviceRemoved_; }
    void setDeviceStatus(bool removed) { isDeviceRemoved_ = removed; }
    void receiveDeviceOn() { isDeviceRemoved_ = false; }
    void setAppWillClose(bool closing) { bAppWillClose_ = closing; }
    void setIs2GNetWork(bool is2G) { is2GNetWork_ = is2G; }
    bool is2GNetWork() const { return is2GNetWork_; }
    void sendConnectStatusMsg(bool starting);

    // ---- automatic connect and reconnect (DialControllerReconnect.cpp) --------------------
    // At most one automatic attempt is pending: a new schedule replaces the one before.
    // The attempt itself: the checks of an automatic request, or another try in 10 s.
    void autoReconnect();
    // Seconds before the next attempt, by the count of attempts so far.
    double autoReconnectInterval() const;
    bool checkAutoConnectByTimes() const;
    // Reads Internet/MaxReconnectTimes (3 when missing or not a number).
    void initReconnectTimes();
    int maxReconnectTimes() const { return max_ReconnectTimes_; }
    // The retry after a failed or dropped connection.
    bool isDoReconnectAfterDisconnect() const;
    bool checkAutoConnectForPPPFailed() const;
    void doReconnectAfterAutoDisconnect();
    void reconnectAfterAutoDisconnect();
    void AutoReconnectForNdis();
    bool notAutoConnectWhenInterRoaming() const;
    // Re-sends the dial parameters (their alert switch follows the count) when the operator
    // silences the device's failure alert of automatic attempts.
    void disableConnectionAlertWindow();
    bool checkIsAutoConnectOnline() const;
    bool autoReconnectPending() const { return autoReconnectId_ != 0; }
    // Drops the pending automatic attempt, if any.
    void cancelAutoReconnect();

    // ---- profile cycling
    void apnCycleStart();
    // True when another profile was selected and its parameters sent (the caller dials again).
    bool apnCycleTryNext();
    bool apnCycleLastTry() const;
    void apnCycleEnd();
    // Whether the current profile is one of the operator's leading default profiles.
    bool isDefaultAPN() const;
    // The profile indexes of the running cycle (empty when none runs) and the position in it.
    QList<int> apnCycleList() const { return apnCycleArray_.value_or(QList<int>()); }
    bool apnCycleRunning() const { return apnCycleArray_.has_value(); }
    int apnCycleCurrentAPN() const { return apnCycleCurrentAPN_; }

    // ---- sleep and wake
    // The computer goes to sleep: an NDIS connection is ended; no drop during sleep is retried.
    void machineWillSleep();
    // The computer woke: a fresh automatic attempt, unless automatic connection is off and the
    // operator wants no retry then.
    void machineDidWake();

    // ---- the running connection ----------------------------------------------------------
    qint64 sentBytes() const { return sendBytes_; }
    qint64 receivedBytes() const { return receiveBytes_; }
    qint64 connectSeconds() const { return connectSeconds_; }
    double sendSpeed() const { return sendSpeed_; }
    double receiveSpeed() const { return receiveSpeed_; }
    qint64 getCurrentTotalData() const { return sendBytes_ + receiveBytes_; }
    // The byte counts of the running connection start again from 0.
    void resetSessionBytes()
    {
        sendBytes_ = 0;
        receiveBytes_ = 0;
    }
    const QVariantMap &statusDict() const { return statusDict_; }
    bool isPolling() const;
    bool isNdisTimeRunning() const;
    void InitConnectState();

    // ---- records -------------------------------------------------------------------------
    // The record state; a non-empty argument stores it.
    QString recordInState(const QString &state = QString());
    // Appends the connection's record once (only from RECORD_IN_RUNNING). A record that cannot be
    // written is reported and kept; it goes into the file with the next append that succeeds.
    void saveDialRecord();
    int pendingRecordCount() const { return int(pendingRecords_.size()); }
    QString lastRecordError() const { return lastRecordError_; }

    // ---- data and time limits (DialControllerLimits.cpp) ----------------------------------
    // The checks before connecting, by the limit in force: done(true) lets the connect go on,
    // at once or once the user has answered "connect anyway?". Each arms the limit disconnect.
    void displayTimeLimitWarning(std::function<void(bool)> done);
    void displayDataLimitWarning(std::function<void(bool)> done);
    // On each status poll while connected (and each NDIS traffic report): the 80 % warning while
    // it is due, and the limit while its disconnect is armed.
    void checkRecordLimit();
    // Internet/LimitDisconnectDelay: seconds by which the time limit comes early.
    int delayForLimistDisconnect() const;
    // The operator's volume warnings (25/50/75/80/100 %), on each PPP poll tick.
    void recordLimitWarnForVudi();
    void dataLimitWarnForVudi();
    void timeLimitForVudi();
    // Shows a volume warning (nothing for an empty text), then the optional short sound.
    void runVolumeLimitWaring(const QString &text);
    // The 80 % warning window: in front, not modal.
    void runLimitWarning(const QString &text);
    // A connect action for further connect buttons: one request, as the main button's.
    Q_INVOKABLE void dialOptionExt(QObject *sender);
    // Whether an alert of a limit check waits for its answer (the checks that ask wait for it).
    bool limitAlertOpen() const { return limitAlertsOpen_ > 0; }
    bool warnLimitFlag() const { return warnLimitFlag_; }
    bool autoDisconnectFlag() const { return autoDisconnectFlag_; }
    bool saveRecordFlag() const { return saveRecordFlag_; }

    // ---- device events -------------------------------------------------------------------
    // The device went offline: a dial under way is ended by its road.
    void dealWithMsgOfDeviceOffline();

    // ---- display -------------------------------------------------------------------------
    void setDialBtnWithStatus(bool connected);
    void setConnectBtnEnable(bool enable);
    bool connectButtonEnabled() const { return display_.connectButtonEnabled; }
    void performCancelDialAction();
    void resetConnectBtnStatusWhenConnecting();
    void resetConnectBtnStatusWhenDisconnecting();
    void setIsHiddenConnectBtn(bool hidden) override;
    void setConnectTimeInfo();
    void setTransferDataInfo();
    void setSpeedInfo();
    void setIPAddress(const QString &address);
    void sendStatisticsNotification();
    void sendResetStatisticsNotification();
    void displayMonthlyData();
    void displayStatisticsForDisconnect();
    void openConnectStateWindowForDidizu(bool show);
    void cancelCurrentConnectOperate();
    void openConnectFailedWindow();
    void closeConnectFailedWindow();
    void redialWhenConnectFailed();
    void setConnectStateForDidizu(bool connected);
    void setConnectStateHiddenForDidizu(bool hidden);
    void StopTimerOfGetConnectState();
    QString formatTransferData(double bytes) const;
    QString formatTransferSpeed(double bytesPerSecond) const;
    QVariantMap statisticsInfo() const { return statisticsInfo_; }

    // ---- the state display in the current language (DialControllerConnectButton.cpp) -------
    // Re-words the state display for the current state, at start and on a language change: the
    // meaning stays what the last state change showed (connected keeps its APN, connecting shows
    // Cancel only while Cancel is offered); then the button image and the profile fields.
    void initConnectStatusWording();
    // With Internet/ConnectBtnDisplayWithImage: the connect button's image for the state (and no
    // title with Internet_notDisplayWordingForConnectBtn).
    void setConnectBtnImage();
    // The image named by Internet/<key>: "<language><name>" in the resource folder when that file
    // exists, else "<name>"; a file that does not load keeps the image shown.
    void connectButtonImageName(const QString &key);

    // ---- the credentials sheet, the no-service monitor (DialControllerConnectButton.cpp) -----
    // Internet/CheckAPNAccount: the connect request may stop at the credentials sheet.
    bool checkAPNAccountFlag() const;
    // True when the current profile asks for its user name and password: the sheet is asked for
    // (credentialsSheetRequested) and the request stops; the sheet's OK resumes it. False for an
    // empty profile list or no profile chosen.
    bool checkAPNAccount();
    bool credentialsSheetOpen() const { return credentialsSheetOpen_; }
    // The sheet's OK: the typed credentials go to the device (257/60); kept in the profile only
    // with the save box, else blanked there before the list is written; then one connect request.
    void checkWindowOK(const QString &userName, const QString &password, bool save);
    void checkWindowCancel();
    // Internet/RoamAlertContinue: "Continue" on the roaming alert's accept button, else "OK".
    QString roamAlertOKBtnWording() const;
    // Losing service while connected starts one timer (ServiceTimerInterval, 60 s) that ends the
    // connection; service back, or another state, stops it.
    void monitorNetworkService(bool service);
    void startNetworkServiceTimer();
    void stopNetworkServiceTimer();
    bool networkServiceTimerRunning() const { return timerForNoService_ != 0 || noServiceTimerFired_; }

    // ---- the white list around a PPP connect (DialControllerAlias.cpp) ---------------------
    // Before a PPP connect: with Internet/d3uRemindWhilteNetAlertBeforeConnect, on a roaming
    // network of the white list while its tip is wanted, the user is asked first; done(false)
    // when the user cancels (the connect button is enabled again). Never blocks.
    void doBeforeConnect(std::function<void(bool)> done);
    // Once connected: with Internet/alertWhenRoamConnectedAndIsBlackNet, a roaming network that
    // is not on the white list is told.
    void doAfterConnected();

    // ---- profiles ------------------------------------------------------------------------
    // Reads the profile file and shows the current profile.
    void loadDialConfig();
    // A chooser item was picked: 0 opens the management sheet, a profile becomes current and its
    // parameters go to the device.
    void dialConfigListSelectItemAtIndex(int item);
    void setCurrentProfile();
    // The name of the current profile as the chooser shows it (at most kProfileNameMaxLength).
    QString currentProfileName() const;
    // Shows the current profile's details on the Internet view.
    void displayAPNInfo();
    // With Internet/ChangePosForProfile: the operator's detail label of chooser items 1 to 3.
    void changeControlsPosForProfile();
    // Whether the default profile of the management sheet's row opens its edit sheet in the
    // restricted mode.
    bool checkProviderIsEditable(int row) const { return profiles_.checkProviderIsEditable(row); }

    // ---- operator default profiles (DialControllerMatching.cpp) ---------------------------
    // The matching service over this controller's configuration store.
    DialServiceTransplant &transplant() { return transplant_; }
    // The defaults at the head of the shown list replaced by the matched profiles in their order
    // (a DefaultProfileNum above the count replaces the whole list), the file saved and the list
    // reloaded. False when nothing changed.
    bool resetDialConfigListWithMatchedApn(const QList<QVariantMap> &matched);
    // The same with the matched profiles in reverse order; a DefaultProfileNum above the count
    // changes nothing. Chooser item 1 is then selected.
    bool resetDialCfgListWithCfgArray(const QList<QVariantMap> &matched);
    // Makes profile index current (chooser item index + 1) and sends its dial parameters.
    void setDefaultProfile(int index);
    // Redraws the profile list and selects its first profile.
    void reloadApnListView();
    // The check box "Enable Auto APN Match": shown with the top-level EnableAutoApnMatch when that
    // key exists, hidden otherwise; the user's change is stored and written at once.
    void setBtnAutoAPNMatchState();
    void enableAutoApnMatch(bool on);
    // ---- PDP type and IPv6 of the profile windows
    // Internet/SupportIPv6: the PDP-type groups are shown (the edit sheet's takes input), then
    // checkIsSupportDoublePdpSettings; otherwise they are hidden.
    void supportIPv6();
    // Internet/DualPDPSettings: profiles carry their IPv6 half (the profile list's double PDP).
    void checkIsSupportDoublePdpSettings();
    bool isSupportDoblePdpSettings() const { return profiles_.isSupportDoblePdpSettings(); }
    bool pdpTypeGroupShown() const { return pdpTypeGroupShown_; }
    // The type saved from the group: negative is 0; Internet/NoIPv4v6 on platform 1 makes 2 and 3 into 0.
    int specialPdpTypeProcess(int type) const;
    // Internet_ForbiddenIPV6APN_WhileChooseRAS (ConfigService forbiddenIpv6ApnWhileChooseRas).
    bool forbidIpv6ApnWhileChooseRas() const;
    // The temporary MMS profile's index in the list, when added.
    std::optional<int> mmsProfileIndex() const { return profiles_.temporaryProfileIndex(); }

    // ---- hooks (the program installs real ones; tests record) ----------------------------
    // The update manager learns that the device is ready (once per run).
    void setDeviceReadyNotifier(std::function<void()> notifier) { deviceReadyNotifier_ = std::move(notifier); }
    // Ends the application (a closing PPP link came down).
    void setTerminator(std::function<void()> terminator) { terminator_ = std::move(terminator); }
    // A localised alert that blocks until answered: only for a user's action in a sheet.
    void runAlert(const QString &title, const QString &message, const QString &ok = QStringLiteral("OK"),
                  const QString &cancel = QString(), int *answer = nullptr);
    // A localised alert that does not block (the device link keeps flowing): what the user must see
    // from the connection roads, whose steps may run in a device record's handler. onAnswer gets 1
    // (ok) or 0 (cancel) once the user has answered.
    void beginAlert(const QString &title, const QString &message, const QString &ok = QStringLiteral("OK"),
                    const QString &cancel = QString(), std::function<void(int)> onAnswer = {});

    // ---- message handlers (registered in registerMessages) --------------------------------
    void dealWithMsgOfEmpty(const yov::Notification &) {}
    void dealWithMsgOfPPPConnectStatus(const yov::Notification &n);
    void dealWithMsgOfPPPConnectOption(const yov::Notification &) {}
    void dealWithMsgOfDialConnectStatus(const yov::Notification &n);
    void dealWithMsgOfDialConnectPppOption(const yov::Notification &n);
    void dealWithMsgOfNDISStatus(const yov::Notification &n);
    void dealWithMsgOfNDISTransferData(const yov::Notification &n);
    void dealWithMsgOfNDISQuery(const yov::Notification &n);
    void dealWithMsgOfPSAttach(const yov::Notification &n);
    void dealWithMsgOfFreqLockState(const yov::Notification &n);

    // ---- notification handlers -------------------------------------------------------------
    Q_INVOKABLE void deviceRemoved(const yov::Notification &n);
    Q_INVOKABLE void devicePlugin(const yov::Notification &n);
    Q_INVOKABLE void simReady(const yov::Notification &n);
    Q_INVOKABLE void applicationWillClose(const yov::Notification &n);
    Q_INVOKABLE void setDataServicesStatus(const yov::Notification &n);
    Q_INVOKABLE void tabViewItemWillChange(const yov::Notification &n);
    Q_INVOKABLE void dialNotification(const yov::Notification &n);
    Q_INVOKABLE void updateNetworkStatus(const yov::Notification &n);
    Q_INVOKABLE void connectTypeDidChanged(const yov::Notification &n);
    Q_INVOKABLE void notifyDeviceUnlockSuccess(const yov::Notification &n);
    Q_INVOKABLE void notifyDeviceUnlockFailed(const yov::Notification &n);
    Q_INVOKABLE void ChangeAPNSelection(const yov::Notification &n);
    Q_INVOKABLE void alreadyGetSimIMSI(const yov::Notification &n);
    Q_INVOKABLE void imageDownloadFinishForBillboard(const yov::Notification &n);
    // Handed to the operator content.
    Q_INVOKABLE void datausageRest(const yov::Notification &n);
    Q_INVOKABLE void setMsisdnNumberWithResult(const yov::Notification &n);
    Q_INVOKABLE void excuteWhenConnectServerError(const yov::Notification &n);
    Q_INVOKABLE void displayPhoneNumberForSmart(const yov::Notification &n);
    Q_INVOKABLE void loadFavouriteBtnWebKitViews(const yov::Notification &n);
    Q_INVOKABLE void updateLanguages() override;
    // The Internet view: the view the skin-built "InternetViewItems" buttons go into, and its
    // controls under their skin keys, registered in order when the controller wakes.
    using SkinBindings = QList<std::pair<QString, QObject *>>;
    void setInternetView(QWidget *view, std::function<SkinBindings()> bindings);

    // The NDIS road: 12 asks whether a connection stands, 2 the device came, 1 it left.
    void netcardChanged(int what);

    // Localised text of an English sentence.
    QString localizedText(const QString &english) const;

signals:
    void displayChanged();
    // The language changed: the views re-word their captions.
    void wordingChanged();
    void profilesChanged();
    void statisticsWindowRequested(const QString &duration, const QString &sent, const QString &received,
                                   const QString &total);
    void connectWarningSheetRequested();
    void managementSheetRequested();
    // The credentials sheet opens with the profile's user name, password and save flag.
    void credentialsSheetRequested(const QString &userName, const QString &password, bool save);
    void credentialsSheetClosed();
    void speedPoint(double send, double receive);
    void speedGraphCleared();
    // The 80 % limit warning (runLimitWarning) and the limit-reached message, shown by the view.
    void limitWarningRequested(const QString &text);
    void limitReachedRequested();

protected:
    void initializeSkin() override;
    void initSpecialResources();
    void initializeNibResources() override;
    void registerMessages() override;
    void initializeController() override;

private:
    QPointer<QWidget> viewInternet_;
    std::function<SkinBindings()> internetSkinBindings_;
    // ---- checks
    // Each check ends by calling done with whether the request may go ahead (at once, or once the
    // user has answered its question).
    void runConnectChecks(DialSender sender, std::function<void(bool)> done);
    void runDisconnectChecks(DialSender sender, std::function<void(bool)> done);
    bool checkDeviceLockStatus(DialSender sender);
    void allowUserConnect(std::function<void(bool)> done);
    void allowRoamWithAlert(std::function<void(bool)> done);
    void displayUKMTSWaring(std::function<void(bool)> done);
    // The operator's detail-service text of chooser items 1 to 3 (English); "" for other items.
    static QString detailServiceOfChooserItem(int item);
    bool showDialingWording();
    // ---- limits
    void recordLimitWarn();
    void recordLimitDisconnect();
    void recordDataLimitWarn();
    void recordTimeLimitWarn();
    void recordDataLimitDisconnect();
    void recordTimeLimitDisconnect();
    void limitReachedBeforeConnect(std::function<void(bool)> done);
    void limitReachedWhileConnected();
    void beginLimitAlert(const QString &title, const QString &message, const QString &cancel,
                         std::function<void(int)> onAnswer);
    double usedDataKB() const;
    qint64 usedSeconds() const;
    QVariant recordValue(const char *key) const;
    // ---- roads
    void getConnectStatus();
    void processPPPConnectStatus(const yov::PppTransfer &status);
    void setPPPConnectedStatusWithTime(qint64 seconds, qint64 sent, qint64 received);
    void setPPPDisconnectedSatus();
    // Tells the user that a connect attempt failed, unless the alert is silenced for it.
    void tellConnectFailed();
    void calculateTransferSpeed();
    void dealWithOfNDISDialConnected();
    void dealWithOfNDISDialConnectFailed();
    void dealWithOfNDISDialDisconnected();
    void refereshConnectTime();
    void endAttachAttempt(const QString &reason);
    void cancelAttach();
    void sendDeviceReadyOnce(bool delayed);
    void newConnectionEntry();
    // The main window comes back after a connect, or after a failed attempt that will be retried.
    void openMainWindow();
    // The MMS page follows the connection when this operator has it.
    void tellMMSConnectionIdle();
    void tellMMSConnectionRunning();
    // ---- records
    // An existing record file that cannot be read is moved aside (its bytes kept) and the user is
    // told where it is; new records then go to a fresh file. True when it was moved.
    bool setAsideUnreadableRecordFile(const QString &path);
    // ---- display
    void changed();
    void setStateText(const QString &english);
    void setStateTextRaw(const QString &text);
    void startProgressIndicator();
    void stopProgressIndicator();
    void setProgressIndicatorWhenConnectStateChangeForDidizu();
    // The main button's title while idle: the operator's wording with
    // Internet/Internet_ChangeLeftValueOfWording_ForConnectBtn, else "Connect".
    QString idleConnectButtonTitle() const;
    // The skin's further connect button ("btnDialConnectExt"), when the skin has one: it takes the
    // main button's enabled state and a title by the connection ("Connect", "Cancel", "Disconnect").
    QAbstractButton *skinConnectButton() const;
    void setSkinConnectButtonTitle(const QString &english);
    // With the top-level IconChangeWithConnected: the application icon "icon" while connected,
    // "unConnectIcons" otherwise.
    void setApplicationIconForConnection(bool connected);
    // ---- settings
    QVariant internetValue(const char *key) const;
    bool internetBool(const char *key) const;
    bool topBool(const char *key) const;

    DialExtensionInterface *extensions_ = nullptr;
    DefaultDialExtensions defaultExtensions_;
    QPointer<SpeedTestRun> speedTestRun_;
    QString speedTestIperfProgram_ = QStringLiteral("iperf");
    DialOperatorContentInterface *operatorContent_ = nullptr;
    DefaultDialOperatorContent defaultOperatorContent_;
    DialConfigList profiles_;
    QString toldUnreadableProfiles_; // the unreadable profiles file the user was told of
    DialServiceTransplant transplant_;
    DialDisplay display_;

    int connectStatus_ = yov::kConnectStatusIdle;
    QVariantMap statusDict_;
    qint64 connectionSerial_ = 0; // counts connection entries: an answer finds its connection
    int pendingRoamingAnswer_ = -1;
    QString recordState_;
    QList<DialRecordEntry> pendingRecords_;
    QString lastRecordError_;

    std::unique_ptr<yov::RepeatingTimer> pollTimer_;
    std::unique_ptr<yov::RepeatingTimer> ndisTimeTimer_;
    std::unique_ptr<yov::RepeatingTimer> progressTimer_;
    int dialOptionId_ = 0;
    bool checksOpen_ = false; // a request's checks wait for the user's answer
    int attachDelayId_ = 0;
    int attachTimeoutId_ = 0;
    bool attachPending_ = false;

    qint64 connectSeconds_ = 0;
    qint64 sendBytes_ = 0;
    qint64 receiveBytes_ = 0;
    qint64 lastSendBytes_ = 0;
    qint64 lastReceiveBytes_ = 0;
    double sendSpeed_ = 0;
    double receiveSpeed_ = 0;
    int m_KBTimes = 0;
    qint64 connectTime15_ = 0;

    bool manualDisconnectFlag_ = false;
    bool isDeviceRemoved_ = true;
    bool bManualConnect_ = false;
    bool bManualConnectSuccess_ = false;
    bool willConnectToInternet_ = false;
    bool bAttatchPS_ = false;
    bool bAppWillClose_ = false;
    bool saveRecordFlag_ = false;
    bool m_notified = false;
    bool m_launchURLState = true;
    bool m_haveSendUpdateMessage = false;
    bool hadDoManualDisconnect_ = false;
    bool hadConnectAction_ = false;
    bool displayDisConnectingFlag_ = false;
    bool connectWarningsDisplayFlag_ = true;
    bool clickOKForAPNPromptFlag_ = false;
    bool warnLimitFlag_ = true;
    bool autoDisconnectFlag_ = true;
    bool warnLimitExceedFlag_ = true;
    bool warnLimit25Flag_ = true;
    bool warnLimit50Flag_ = true;
    bool warnLimit75Flag_ = true;
    int limitAlertsOpen_ = 0;
    bool apnCycleEnabled_ = true;
    bool is2GNetWork_ = false;
    bool alreadyGetSimIMSIFlag_ = false;
    bool pdpTypeGroupShown_ = false;
    bool modemStartUpProcessStateChanged_ = false;
    bool bLastPSDomain_ = false; // the last packet-domain state given to setPSDomainStatus
    bool connectingSemicolonFlag_ = false;
    bool disconnectingSemicolonFlag_ = false;
    int dialWordingCounter_ = 0;
    int reconnectTimes_ = 0;
    int max_ReconnectTimes_ = 3;
    int autoReconnectId_ = 0;
    qint64 cycleRedialAtMs_ = -1; // when the cycle's last connect went out; -1: none pending
    int timerForNoService_ = 0;
    bool noServiceTimerFired_ = false; // a fired timer counts until the next stop
    bool credentialsSheetOpen_ = false;
    std::optional<QList<int>> apnCycleArray_;
    int apnCycleCurrentAPN_ = 0;
    int deviceStatusRows_ = 1;
    int countOfConnectStateImage_ = 1;

    QVariantMap statisticsInfo_;
    std::function<void()> deviceReadyNotifier_;
    std::function<void()> terminator_;
};

} // namespace ostrel
