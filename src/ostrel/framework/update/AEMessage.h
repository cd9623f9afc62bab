#pragma once
// The dashboard's side of the link to the update manager (kestrin).
//
// At creation it decides whether updates are supported (the ModemList folder's "Update" folder
// holds "IMEIInfo.plist", "LocalInfo.plist", "UpdateCfg.ini" and "UpdateCfg.plist"); without them
// every operation is a silent no-op. It keeps the version and device information that kestrin
// reads in "LocalInfo.plist" and "IMEIInfo.plist" up to date, starts kestrin, and tells it, by
// one-way messages, that the dashboard started (CMD_ID 1), that the user or the device asks for an
// update (CMD_ID 2) and that a device is ready or gone (CMD_ID 3).
//
// A message is the D-Bus method call UCMS(s) (the dictionary as an XML property list) on the bus
// name "com.yov.CMUpdate", object "/com/yov/CMUpdate", interface "com.yov.CMUpdate", sent without
// waiting for a reply and without starting the service: a message while kestrin is not running
// is dropped. Nothing comes back on this link.
//
// Main thread only.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

namespace yov {
class Clock;
}

namespace ostrel {

class ConfigManager;

class AEMessage {
public:
    // What the link takes from its surroundings; every member has a working default.
    struct Environment {
        ConfigManager *store = nullptr; // null: the shared store at each call
        yov::Clock *clock = nullptr;    // null: the system clock
        QString busConnection;          // name of an open QDBusConnection; empty: the session bus
        std::function<QStringList()> systemLanguages; // null: SystemLanguages::preferred()
        QString programDir;    // where kestrin and tamber are; empty: this program's folder
        QString resourcesPath; // sent as kPath; empty: <programDir>/../share/ostrel
        // The dashboard's version: "...V1.2B03", or already dotted ("0.1.0"); empty: the
        // application version, else the build's (BuildInfo).
        QString versionText;
        QString internalRevision; // sent as SV_INTERNAL; null: the build's internal revision
        QString shortVersion;     // sent as SV; null: the build's version
    };

    static constexpr int kCmdInit = 1;
    static constexpr int kCmdUpdate = 2;
    static constexpr int kCmdDeviceState = 3;

    static AEMessage *defaultAEMessage();
    AEMessage();
    explicit AEMessage(Environment env);

    bool isSupportUpdate() const { return m_isSupportUpdateFunction; }
    bool isDeviceReady() const { return m_isDeviceReady; }
    bool isPastIntervalDays() const { return m_isPastIntervalDays; }
    void setIsSendUpdateMessageWhenMCCMNC(bool on) { m_isSendUpdateMessageWhenMCCMNC_ = on; }
    bool m_isSendUpdateMessageWhenMCCMNC() const { return m_isSendUpdateMessageWhenMCCMNC_; }

    // The connection state (0 idle, 1 connecting, 2 disconnecting, 3 connected) for CONNECT;
    // until it is set the state reads idle.
    void setConnectStatusHook(std::function<int()> hook) { connectStatus_ = std::move(hook); }

    // When the dashboard has launched: dealWithUIVersion, start_Updater, send_Init_Msg.
    void ApplicationFinishLaunchHook();

    // LocalInfo.plist from the device's reports.
    void dealWithUIVersion();
    void dealWithMCCMNC(const QString &mccMnc);
    void dealWithFirmwareVersion(const QString &version);
    void dealWithInternalFirmwareVersion(const QString &version) { dealWithFirmwareVersion(version); }
    void dealWithDeviceType(const QString &type);
    // Records the first device identity in IMEIInfo.plist; a locked identity is kept.
    void dealWithIMEI(const QString &imei);

    // send_DeviceOK_Msg, then send_FirmwareUpdate_Msg.
    void dealWithDeviceReady();
    bool send_Init_Msg();
    bool send_ManualUpdate_Msg();
    bool send_FirmwareUpdate_Msg();
    bool send_AutoUpdate_Msg();
    bool send_DeviceOK_Msg();
    bool send_DeviceOut_Msg();

    // Update options in UpdateCfg.ini; false when nothing was written.
    bool setAutoUpdate(bool on);
    bool setServiceAddress(const QString &address);
    bool setUpdateDuration(int days);

    // The one send: the dictionary as an XML property list under the parameter keyword (the D-Bus
    // method name) to the bundle identifier (bus name and interface; the object path is the
    // identifier with "/" for ".", under "/"). True when the message was handed to the bus.
    bool SendMessage(const QVariantMap &dictionary, const QString &code = QStringLiteral("UCMS"),
                     const QString &appId = QStringLiteral("com.yov.CMUpdate"));

    // Starts kestrin (nothing when it is missing); false when nothing was started.
    bool start_Updater();
    // Starts the firmware tool tamber the same way.
    bool DealOnlyDiagPort();
    // Creates the download folder of automatic updates in the update folder.
    bool creatUpdatePath();
    // Nothing is received on this link: registering does nothing, and a received message is only
    // read for its CMD_ID.
    void RegisteAEHandle() {}
    int handleAppleEvent(const QString &xmlPlist);

    // LocalInfo.plist plus UNSIGNED_ID (the locked IMEI, else empty).
    QVariantMap getLocalInfo() const;
    QVariantMap updateRequest(int mode) const;

    // The dotted form of a version text: what follows the last "V" with its first "B" made ".";
    // empty without a "V", with "V" last, or (requireB) without a "B".
    static QString dottedVersion(const QString &text, bool requireB);
    // Whether the automatic check interval (30 days) has passed since the date.
    static bool cheakingIntervalDay(const QDateTime &date, const QDateTime &now);

private:
    ConfigManager *store() const;
    QDateTime now() const;
    QString path(const char *key) const;
    void checkingSupportUpdate();
    bool autoUpdateEnabled() const;
    bool newUpdate() const;
    QString uiLanguage() const;
    bool connected() const;
    bool updateLocalInfo(const QVariantMap &changes);
    bool launch(const QString &name);

    Environment env_;
    std::function<int()> connectStatus_;
    bool m_isDeviceReady = false;
    bool m_isSupportUpdateFunction = false;
    bool m_isSendUpdateMessageWhenMCCMNC_ = false;
    bool m_isPastIntervalDays = true;
};

} // namespace ostrel
