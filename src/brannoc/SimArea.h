#pragma once
// The SIM of the simulated modem: presence and type, PIN and PUK with their counts, and the SIM's
// identity (IMSI, ICCID, own number, operator-name files, home network).
//
// State (Modem/Sim): Present (true), Status (1: 0 SIM, 1 USIM), Pin ("1234"), Puk ("12345678"),
// PinRequired (false), PukRequired (false), PinRemain (3), PukRemain (10), Imsi, Iccid, OwnNumber,
// Spn, SpnCondition (1), Spdi (array of MCC-MNC texts), MncLength (2: digits of the MNC in the IMSI),
// ReportMccMnc (false: the home MCC and MNC are reported as 7/51 after the ICCID, two char[32]),
// ReadDelayMs (300: the time the modem takes to read the files of a SIM that became ready; the
// identity reports and SimReady come that long after 4/9 and the counts).
//
// Once the device is ready: SIM status 6/32 (no SIM: result -1 and status -1). A ready SIM then
// reports 4/9, the counts 4/8 (type 1), IMSI 7/42 (type 1), ICCID 7/41, [SimChecked: the device's
// identity], own number 7/47, SPN 7/40, SPDI 7/39, home network 7/57, and SimReady. A SIM that
// waits for its PIN reports 4/10 type 0 result -1 and the counts; one that waits for its PUK,
// 4/11 type 0 result -1 and the counts (PIN count 0). All reports carry module 1.
//
// PIN 4/10 (char[10]): the right PIN answers 4/10 type 1 result 0 and the ready reports; a wrong
// one takes one attempt (none left: the PUK is asked) and reports 4/10 type 0 result -1 and the
// counts. PUK 4/11 (new PIN char[10], PUK char[10]): the right PUK with a valid new PIN (4 to 8
// digits) sets that PIN, restores both counts and answers result 0 with the request's module and
// type, then the ready reports; a wrong one takes one PUK attempt, answers result -1 and reports
// 4/10 type 0 result -1 and the counts (no PUK attempt left: the SIM is blocked). Counts 4/8,
// IMSI 7/42, saving the PIN 4/17 and auto-validation 4/18 are answered; 4/15 and 4/16 are taken
// silently.
//
// The settings window's PIN requests, on a ready SIM: 4/14 (PIN, int32 enable) checks the PIN and
// sets PinRequired to the enable word; 4/12 (old PIN, new PIN) checks the old PIN and keeps the new
// one. A wrong PIN takes one try (none left: the PUK is asked for, as with 4/10). The PIN request
// goes out as 4/13 (type 1, result 0, int32 on) once the SIM is ready and after each change.
// Answers to requests carry type 1 and the request's module.
//
// The modem's own PIN keeping: PinSaveRoad (false) makes a right PIN answer first with the
// device's own report 4/10 type 0 result 0 (the dashboard may then set auto-validation, 4/18, and
// keep the PIN), then 4/10 type 1 result 0 and the ready reports. AutoValidation (0) and SavedPin
// ("") start the modem with auto-validation on and a PIN saved by the user (as 4/18 and 4/17
// leave them); with both, a SIM that waits for its PIN first reports them (4/16 type 1: on, saved;
// 4/19 type 1: the saved PIN), so that the dashboard can enter the PIN by itself.

#include "brannoc/ModemArea.h"

#include <QTimer>

namespace brannoc {

class SimArea final : public ModemArea {
public:
    enum class Lock { Ready, PinNeeded, PukNeeded, Blocked };

    SimArea();

    QString name() const override { return QStringLiteral("Sim"); }
    void load(const QVariantMap &state) override;
    bool handleRequest(const yov::UI_MSG &request, ModemContext &context) override;
    void onEvent(ModemEvent event, ModemContext &context) override;
    QStringList stateKeys() const override;
    QVariantMap state() const override;

    bool present() const { return present_; }
    bool ready() const { return present_ && lock_ == Lock::Ready; }
    QString imsi() const;
    QString ownNumber() const;
    // Home MCC and MNC from the IMSI.
    QString homeMcc() const;
    QString homeMnc() const;

    // SIM-file texts as the device service hands them over (hexadecimal digits).
    static QByteArray iccidFileText(const QString &iccid);
    static QByteArray spnFileText(int condition, const QString &spn);
    static QByteArray spdiFileText(const QStringList &mccmncs);

protected:
    void changed(const QVariantMap &previous, ModemContext &context) override;

private:
    void applyState();
    // Keeps the live PIN, counts and PUK lock in the state, so that a later change of other keys
    // (or ModemState) sees the SIM as it is now.
    void syncState();
    void pushCheck(ModemContext &context, bool announceChecked);
    void pushReady(ModemContext &context, bool announceChecked);
    void pushFiles(ModemContext &context, bool announceChecked);
    void pushCounts(ModemContext &context);
    void verifyPin(const yov::UI_MSG &request, ModemContext &context);
    void verifyPuk(const yov::UI_MSG &request, ModemContext &context);
    void switchPinRequest(const yov::UI_MSG &request, ModemContext &context);
    void changePin(const yov::UI_MSG &request, ModemContext &context);
    // Compares with the SIM's PIN: a wrong one takes a try, the last one leaves the PUK asked for.
    bool checkPin(const QByteArray &pin);
    void pushPinRequest(ModemContext &context);

    static constexpr int kMccMncFieldWidth = 32;

    bool present_ = true;
    Lock lock_ = Lock::Ready;
    QString pin_;
    QString puk_;
    int pinRemain_ = 3;
    int pukRemain_ = 10;
    QString savedPin_;
    int autoValidation_ = 0;
    bool pinEnabled_ = false; // the PIN request: asked for when the SIM starts
    QTimer readTimer_;
    bool announceOnRead_ = false;
};

} // namespace brannoc
