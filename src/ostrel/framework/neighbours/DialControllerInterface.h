#pragma once
// What the rest of the dashboard asks of the connection controller (DialController).
//
// Until the connection controller exists, DefaultDialController answers: idle, not dialling, no
// manual disconnect, and every request does nothing. The connection controller implements this
// interface and installs itself with Neighbours::setDial().
#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace ostrel {

class DialControllerInterface {
public:
    virtual ~DialControllerInterface() = default;

    // 0 idle, 1 connecting, 2 disconnecting, 3 connected.
    virtual int connectStatus() const = 0;
    virtual bool getFlagIsConnect() const = 0;
    virtual bool isDoingConnect() const = 0;
    virtual bool isDataServicesInUsage() const = 0;
    // True while a connection is not idle (and the controller is not already closing).
    virtual bool GetisDialNow() const = 0;
    virtual bool hadDoManualDisconnect() const = 0;

    // Disconnects by the connect type (NDIS or PPP).
    virtual void SelectDisconnectAction() = 0;
    virtual void DialDisconnect() = 0;
    // Sends the current profile's dial parameters to the device.
    virtual void setDialParams() = 0;
    virtual void setPSDomainStatus(bool attached) = 0;
    virtual void reconnect(bool reset) = 0;
    virtual void setApnCycleEnable(bool enable) = 0;

    // The controller's step of the application's launch.
    virtual void applicationDidFinishLaunchingInDialController() = 0;
    // The application quits without asking (device removed): end a standing connection and save
    // its record now, without waiting for the device's reply.
    virtual void endConnectionForQuit() = 0;
    virtual void performCloseActionForZAR() = 0;

    // Default-profile matching.
    virtual void resetDefaultProfileWithImsiAll(const QString &imsi) = 0;
    virtual void resetGlobalDefaultProfileWithImsi(const QByteArray &imsiRecord) = 0;
    virtual void resetDefaultProfileWithMcc(const QString &mcc, const QString &mnc) = 0;
    virtual void resetDefaultProfileWithMCCMNC(const QString &mccmnc) = 0;

    // Device-state display in the connection view.
    virtual void setModemAndSimStateString(const QString &textKey) = 0;
    virtual void setDeviceStatusStringRows(int rows) = 0;
    virtual void setWCDMAConfigHidden(bool hidden) = 0;
    virtual void setConnectStateHidden(bool hidden) = 0;
    // Hides or shows the Internet page's connect button (the main window's USSD button takes its
    // place in one operator layout).
    virtual void setIsHiddenConnectBtn(bool hidden) = 0;

    // The MMS page's temporary profile: added at the end of the list and selected, never written
    // to the profile file; its chooser item; selecting a profile by index; the current APN.
    virtual void addMMSConfig() {}
    virtual void removeMMSConfig() {}
    virtual int IDMMSConfig() const { return 0; }
    virtual void setDialConfig(int) {}
    virtual QString getAPNString() const { return QString(); }
    // Replaces the whole profile file with the given profiles (readable by the user alone) and
    // reloads them; false when nothing was written.
    virtual bool writeDialConfigFile(const QList<QVariantMap> &) { return false; }
    // Reads the favourite links again and sets the main window's favourite buttons from them.
    virtual void loadFavoritesLinkPropeties() {}
    // The APN of the profile in use (the diagnostics sheet's APN row).
    virtual QString getDefaultProfileAPN() const { return QString(); }
};

class DefaultDialController : public DialControllerInterface {
public:
    int connectStatus() const override { return 0; }
    bool getFlagIsConnect() const override { return false; }
    bool isDoingConnect() const override { return false; }
    bool isDataServicesInUsage() const override { return false; }
    bool GetisDialNow() const override { return false; }
    bool hadDoManualDisconnect() const override { return false; }
    void SelectDisconnectAction() override {}
    void DialDisconnect() override {}
    void setDialParams() override {}
    void setPSDomainStatus(bool) override {}
    void reconnect(bool) override {}
    void setApnCycleEnable(bool) override {}
    void applicationDidFinishLaunchingInDialController() override {}
    void endConnectionForQuit() override {}
    void performCloseActionForZAR() override {}
    void resetDefaultProfileWithImsiAll(const QString &) override {}
    void resetGlobalDefaultProfileWithImsi(const QByteArray &) override {}
    void resetDefaultProfileWithMcc(const QString &, const QString &) override {}
    void resetDefaultProfileWithMCCMNC(const QString &) override {}
    void setModemAndSimStateString(const QString &) override {}
    void setDeviceStatusStringRows(int) override {}
    void setWCDMAConfigHidden(bool) override {}
    void setConnectStateHidden(bool) override {}
    void setIsHiddenConnectBtn(bool) override {}
};

} // namespace ostrel
