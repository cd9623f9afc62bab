#pragma once
// What the rest of the dashboard asks of the device-state controller (InitController).
//
// DefaultInitController sends the two device requests itself (they need nothing but the message
// center) and keeps the device-lock module number; it has no unlock window, so
// openUnlockDeviceWindow() does nothing.
#include <QString>
#include <QWidget>

namespace ostrel {

class YOVMsgCenter;

class InitControllerInterface {
public:
    virtual ~InitControllerInterface() = default;

    // 3/4 and 3/3 to the device service (module 1, type 0, result 0, no data); true when sent.
    virtual bool setDeviceOffline() = 0;
    virtual bool setDeviceOnline() = 0;

    // The user's device lock: runs the unlock window as a sheet on the window, and remembers
    // which function asked (0 connection, 1 SMS, 2 phonebook, 3 USSD, 4 voice call, 5 SIM
    // toolkit, 6 settings).
    virtual void openUnlockDeviceWindow(QWidget *window) = 0;
    virtual void setDeviceLockFunctionModule(int module) = 0;
    virtual int getDeviceLockFunctionModule() const = 0;

    // The diagnostic report's send in progress.
    virtual bool reportSendFlag() const = 0;
    virtual void setReportSendFlag(bool flag) = 0;

    // The small window's top line: set once the device has reported the SIM's own number.
    virtual bool getSmartUITopFrontSizeFlag() const = 0;
    virtual void setSmartUITopFrontSizeFlag(bool flag) = 0;

    // The SIM's identity as the device reported it: the ICCID, and the home MCC and MNC (the
    // first five digits of the IMSI). Empty until known.
    virtual QString iccidStr() const { return QString(); }
    virtual QString currentHmccmnc() const { return QString(); }

    // The roaming state the connection reads: 0 roaming, 1 home network, 2 not determined.
    virtual int networkRoamStatus() const { return 1; }
    // The roaming transition state (0 none).
    virtual int roamTransferMode() const { return 0; }
    // Whether the registered network is on the operator's white list, and whether the roaming
    // tip is still wanted there (the white-list sheet's check box clears it).
    virtual bool isInWhiteList() const { return false; }
    virtual bool roamTipWhenInWhiteList() const { return true; }
    // Whether the packet domain is usable for an automatic attempt.
    virtual bool checkToReturnPSDomain() const { return true; }
    // "Try again once the device has left roaming", set by the roaming rules, cleared by the
    // connection when it acts on it.
    virtual bool apnCyleWhenRoamToNoRoam() const { return false; }
    virtual void setApnCyleWhenRoamToNoRoam(bool flag) { (void)flag; }
    // The SIM's own number as the device reported it; empty until known.
    virtual QString getPhoneNum() { return QString(); }
    // The firmware version the device reported (empty until known).
    virtual QString getFWVersionWithCGMR() const { return QString(); }

    // The roaming switches last read from the device (first and second int32 of 513/85; 1 on).
    virtual int nRoamDefaultValue() const { return 0; }
    virtual int iRoamDefaultValue() const { return 0; }
    // Allows or forbids the alert that proposes the 3G-preferred mode when the signal drops to none.
    virtual void setAllowAlertSel3GPreferWhenSignalToNoSignal(bool allow) { (void)allow; }

    // The PIN and PUK input rules: the first failing message (English), or empty when the codes
    // pass. A null text is not checked (the PUK and the repeat are optional).
    virtual QString checkPinPukAlertMsg(const QString &puk, const QString &pin, const QString &newPin) const
    {
        (void)puk, (void)pin, (void)newPin;
        return QString();
    }
    // The "one chance left" warning (English) for a PIN (pin true) or PUK count, or empty when
    // none is due.
    virtual QString pinPukLeftTimesWarning(int count, bool pin) const
    {
        (void)count, (void)pin;
        return QString();
    }
};

class DefaultInitController : public InitControllerInterface {
public:
    explicit DefaultInitController(YOVMsgCenter *msgCenter = nullptr) : msgCenter_(msgCenter) {}
    void setMsgCenter(YOVMsgCenter *msgCenter) { msgCenter_ = msgCenter; }
    YOVMsgCenter *msgCenter() const { return msgCenter_; }

    bool setDeviceOffline() override;
    bool setDeviceOnline() override;
    void openUnlockDeviceWindow(QWidget *) override {}
    void setDeviceLockFunctionModule(int module) override { deviceLockFunctionModule_ = module; }
    int getDeviceLockFunctionModule() const override { return deviceLockFunctionModule_; }
    bool reportSendFlag() const override { return reportSendFlag_; }
    void setReportSendFlag(bool flag) override { reportSendFlag_ = flag; }
    bool getSmartUITopFrontSizeFlag() const override { return false; }
    void setSmartUITopFrontSizeFlag(bool) override {}

private:
    YOVMsgCenter *msgCenter_ = nullptr;
    int deviceLockFunctionModule_ = 0;
    bool reportSendFlag_ = false;
};

} // namespace ostrel
