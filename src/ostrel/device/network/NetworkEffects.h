#pragma once
// What the device-state controller must do after a network, signal or roaming report.
//
// The network logic decides; the controller only carries the decisions out: it shows the texts
// and images, posts the notifications in order, shows the alerts and tells the connection and
// settings areas. Every field left unset (or false) means "leave it as it is".

#include "common/records/Payload.h"
#include "ostrel/device/service/MccMnc.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace ostrel {

class ConfigManager;

// A notification to post on the default center: object none, user info {name: value}; or, with
// ownUserInfo, object the controller and the value (a map) as the whole user info
// (ReadRscpRssiEcnoInfo).
struct StateNotification {
    QString name;
    QVariant value;
    // The value is a text to be localised before posting (init_NetworkStatus with
    // DynamicConvertNetworkName on).
    bool localise = false;
    bool ownUserInfo = false;

    bool operator==(const StateNotification &other) const = default;
};

// The bar image of a signal level (0 to 5): "rssi1" to "rssi6".
QString signalImageName(int level);

struct NetworkEffects {
    // Posted in this order.
    QList<StateNotification> notifications;

    // --- Status area (texts in English or as localisation keys; localised where shown).
    std::optional<QString> networkStatus; // m_network
    std::optional<QString> domainMark;    // m_domain: "P C", "C", "P" or ""
    std::optional<QString> localSpn;      // m_NameOfLocalSPN
    std::optional<QString> homeSpn;       // m_NameOfBelonetoSPN
    std::optional<QString> roamMark;      // m_roamStatus: "R" or ""
    std::optional<QString> mccLabel;      // labelMcc_
    std::optional<QString> mncLabel;      // labelMnc_
    bool clearBroadcastMessage = false;   // the main window's broadcast message

    // --- Signal.
    std::optional<QString> signalImage;        // m_rssiStatus
    std::optional<QString> evdoImage;          // m_evdoStatus
    std::optional<QString> didizuSignalImage;  // imageViewOfSignalStrengthForDidizu_
    std::optional<QString> signalToolTip;      // tool tip of m_rssiStatus (localisation key)
    std::optional<int> cellWindowRssi;         // labelRssiLacCiWindowRssiValue_, shown "%d"
    std::optional<QString> diagRscp;           // tfdDiagRSCP_
    std::optional<QString> diagEcno;           // tfdDiagECNO_
    std::optional<QString> diagRssi;           // tfdDiagRSSI_
    std::optional<QString> diagSignalStrength; // Diag_SignalStrength
    // (Re)start the one-shot no-signal alert timer with this many seconds; a pending one is
    // cancelled first. When it fires, call SignalTracker::alertSelect3GPreferIfNoSignal().
    std::optional<double> startNoSignalAlertSeconds;

    // --- Roaming.
    bool showRoamAlert = false;        // roamAlertWnd titled "STRING_ROAM_ALERT_WND", text "STRING_ROAM_ALERT_TEXT"
    bool show3GTo2GAlert = false;      // roamAlertWnd brought to the front as it stands
    bool askRoamDisconnect = false;    // the disconnect question; answer through RoamingLogic
    bool showWhiteListSheet = false;   // winD3uWhiteCheck_ with "roaminWhiteList" / "remindNextConnect"
    std::optional<bool> roamSwitchesEnabled; // btnIroamSwitch_, btnNroamSwitch_ enabled
    std::optional<bool> nRoamSwitchOn;       // btnNroamSwitch_ state
    std::optional<bool> iRoamSwitchOn;       // btnIroamSwitch_ state
    bool sendSetRoamSwitch = false;          // Settings sendSetRoamSwitch (513/84)
    std::optional<QString> didizuRoamImage;    // imageViewOfRoamingStatusForDidizu_ (image name)
    std::optional<QString> didizuHomeNetImage; // imageViewOfHomeNetWorkForDidizu_ (image name)

    // --- Connection and settings areas.
    std::optional<bool> psDomainStatus;          // DialController setPSDomainStatus:, Settings setAutoConnectBtnEnable:
    std::optional<QString> modemAndSimStateString; // DialController setModemAndSimStateString:
    std::optional<bool> apnCycleEnable;          // DialController setApnCycleEnable:
    bool disconnect = false;                     // DialController DialDisconnect
    bool reconnect = false;                      // DialController reconnect: YES
    bool disableConnectButtons = false;          // m_DialConnectBtn, btnDialConnectSimple
    std::optional<QString> resetDefaultProfileWithMCCMNC; // DialController resetDefaultProfileWithMCCMNC:
    std::optional<int> activationSmsMode;        // the activation-SMS rule (sendActiveSimcardSMS:) with this mode
    std::optional<QString> matchApnHomeMcc;      // matchApnAccordMCC:andMNC: with these two texts
    std::optional<QString> matchApnHomeMnc;
    std::optional<bool> runtimeIsSameMCC;        // run-time value runtimeIsSameMCC

    // --- Update link.
    std::optional<QString> updateLinkMccmnc; // AEMessage dealWithMCCMNC:
    bool updateLinkDeviceReady = false;      // AEMessage dealWithDeviceReady, then setIsSendUpdateMessageWhenMCCMNC: YES

    void post(const QString &name, const QVariant &value, bool localise = false)
    {
        notifications.append({name, value, localise, false});
    }
    void postUserInfo(const QString &name, const QVariantMap &userInfo)
    {
        notifications.append({name, userInfo, false, true});
    }
    // The values of the notifications of that name, in order.
    QVariantList posted(const QString &name) const;
};

// What the controller knows of the rest of the dashboard at the time of a report.
struct NetworkContext {
    int platform = 0;                     // Platform::platform()
    int connectStatus = 0;                // DialController connectStatus: 0 idle, 1 connecting, 2 disconnecting, 3 connected
    bool hadDoManualDisconnect = false;   // DialController hadDoManualDisconnect
    bool isDoingConnect = false;          // DialController isDoingConnect
    bool allowAutoConnect = false;        // Settings allowAutoConnect
    bool dialFunctionEnabled = true;      // dialFunctionEnabledFlag_ (the SIM-change rule clears it)
    bool connectBtnEnableDedorud = true;  // USSD controller getConnectBtnEnableDedorud
    bool updateSupported = false;         // AEMessage isSupportUpdate
    bool updateMessageSentForMccmnc = false; // AEMessage m_isSendUpdateMessageWhenMCCMNC
};

// The registered network as the device state keeps it.
struct RegisteredNetworkState {
    // The "mccmnc" text: what the operator configuration is compared with, what is stored and
    // sent. Empty while unregistered.
    QString mccmnc;
    // MCC and MNC digits as reported (the MNC with its own length), when known: what decides
    // whether the network changed or is the home network.
    Plmn plmn;
    int currentHMcc = 0; // the home MCC of 7/57
};

// Header fields and payload of a received record.
struct ReceivedRecord {
    int moduleID = 0;
    int type = 0;
    int result = 0;             // the signed result byte
    bool platformFlag = false;  // record byte 8218 is the character '1'
    yov::PayloadReader data;    // the payload, bounded by the bytes the record carries

    static ReceivedRecord fromBytes(const QByteArray &record);
};

// Reads of the configuration store (null: the shared one).
namespace netconfig {
ConfigManager *store(ConfigManager *store);
QVariant value(ConfigManager *store, const char *module, const char *key);
bool flag(ConfigManager *store, const char *module, const char *key);
bool topFlag(ConfigManager *store, const char *key);
// Writes module/key (key null: a top-level value) and the file at once; false when either fails.
bool writeNow(ConfigManager *store, const char *module, const char *key, const QVariant &value);
} // namespace netconfig

} // namespace ostrel
