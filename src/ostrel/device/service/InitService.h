#pragma once
// The UI-free keeper of what the dashboard knows about the SIM and the registered network: the
// ICCID, the service provider name (SPN) and its display condition from EF_SPN, the networks that
// count as home (EF_SPDI), the registered network and its roaming status, and the signal. From
// these and the operator configuration it chooses the operator-name display strategy that tells
// the status area which names to show.
//
// Main thread only, except the home-or-friendly table, which is guarded by its own lock.

#include "ostrel/device/service/HexCursor.h"
#include "ostrel/device/service/MccMnc.h"
#include "ostrel/device/service/YspnShow.h"
#include "ostrel/framework/service/YovServiceBase.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <memory>

namespace ostrel {

class ConfigManager;
class YfunctionTest;

class InitService : public YovServiceBase {
public:
    // Roaming status of the registered network.
    enum RoamStatus { Roaming = 0, Home = 1, RoamUndetermined = 2 };
    // Roaming type (getNetWorkRoamType).
    enum RoamType { NationalRoam = 0, InternationalRoam = 1, NotRoaming = 2, RoamTypeUnknown = 3 };

    static InitService *sharedInitService();

    // A service over a given configuration store and test-override reader (not owned); null: the
    // shared ones at each call.
    explicit InitService(ConfigManager *store = nullptr, YfunctionTest *functionTest = nullptr);
    ~InitService() override;
    InitService(const InitService &) = delete;
    InitService &operator=(const InitService &) = delete;

    // --- SIM files, each the hexadecimal text of the file as the device service reports it.
    // EF_SPN: the home name becomes "" and, when the file holds anything, the display condition and
    // the name it gives are taken.
    void doParseEF_SPN(const QByteArray &hexText);
    // EF_SPDI: the friendly list, and each of its networks entered in the home-or-friendly table.
    void doParseEF_SPDI(const QByteArray &hexText);
    // EF_ICCID: the 20-digit ICCID ("" for an empty text).
    void doParseEF_ICCID(const QByteArray &hexText);

    // The cursor reader, for the device-state code that reads the IMSI's first digits.
    static int gettriple(HexCursor &cursor) { return cursor.gettriple(); }

    // --- Home-or-friendly table.
    // The value stored for the MCC/MNC text, or an invalid QVariant.
    QVariant isHomeOrFriendly(const QString &mccmnc) const;
    void setModuleMapsDictObject(const QVariant &object, const QString &key);
    QVariantMap moduleMapsDict() const;
    // Enters the SIM's home network, read from the IMSI with the home MNC length the device
    // reported (the first five digits when it reported none), under its key; returns the digits
    // entered, "" when the IMSI is too short.
    QString enterHomeNetworkOfImsi(const QString &imsi);

    // --- Names and strategy.
    // The strategy in force, loaded with the current names, condition and roaming type.
    YspnShowBase *getSpnDisplayProtocol();
    void setSpnDisplayProtocol(YspnShowBase *protocol) { spnDisplayProtocol_ = protocol; }
    // Chooses the strategy by the configuration (without loading it).
    YspnShowBase *spnDisplayProtocolSet();
    // The registered network's name after the operator's replacements; null when there is none.
    QString localSpn() const;
    // The service provider name after the operator's replacements.
    QString homeSpn() const;
    void setLocalSpn(const QString &localSpn) { localSpn_ = localSpn; }
    QString rawLocalSpn() const { return localSpn_; }
    QString rawHomeSpn() const { return homeSpn_; }

    // --- Network queries.
    int getNetWorkRoamType() const;
    // The registered network is the SIM's home network: MCC and MNC equal those of the IMSI, each
    // MNC compared with its own length.
    bool checkCurrentIsHomeNetWork() const;
    // The registered network is one of the SIM's SPDI networks.
    bool checkCurrentIsFriendlyNetWork() const;
    // The roaming status is "home", or the registered network is one of the SPDI networks.
    bool checkCurrentIsHomeOrFriendlyNetWork() const;
    QString getCurrentLocalMcc() const;
    QString getCurrentHomeMcc() const;
    // The first five characters of the IMSI, the form the operator configuration lists.
    QString currentHmccmnc() const;
    // The SIM's home network from the IMSI and the reported home MNC length.
    Plmn homeNetwork() const;
    // The registered network as MCC and MNC digits, when known.
    Plmn registeredNetwork() const;

    static QString getMCCByMccmnc(const QString &mccmnc) { return mccmnc::getMCCByMccmnc(mccmnc); }
    static QString getMNCByMccmnc(const QString &mccmnc) { return mccmnc::getMNCByMccmnc(mccmnc); }
    QString getMCCByImsi(const QString &imsi) const { return getMCCByMccmnc(imsi.left(5)); }
    QString getMNCByImsi(const QString &imsi) const { return getMNCByMccmnc(imsi.left(5)); }

    // --- Link encipherment and the main page's text link.
    // The identity enciphered for an operator link by the configured pattern; empty when the
    // pattern writes nothing.
    QByteArray encode(const QString &text) const;
    QString getInternetAddressAtMainPage() const;

    // --- Fields.
    QString iccidStr() const { return iccidStr_; }
    QStringList friendlyNetList() const { return friendlyNetList_; }
    void setFriendlyNetList(const QStringList &list) { friendlyNetList_ = list; }
    int the1and2FiledFromSPN() const { return the1and2FiledFromSPN_; }
    void setThe1and2FiledFromSPN(int condition) { the1and2FiledFromSPN_ = condition; }
    int networkRoamStatus() const { return networkRoamStatus_; }
    void setNetworkRoamStatus(int status) { networkRoamStatus_ = status; }
    // The registered network's "mccmnc" text, as the network code keeps it.
    QString currentRmccrmnc() const { return currentRmccRmnc_; }
    void setCurrentRmccRmnc(const QString &mccmnc) { currentRmccRmnc_ = mccmnc; }
    // The registered network's MCC and MNC texts as the device reported them (the MNC with its own
    // length). Used while the "mccmnc" text is the one formed from them.
    void setCurrentNetworkMccAndMnc(const QString &mcc, const QString &mnc);
    // The number of digits of the home network's MNC as the device reported it (2 or 3; anything
    // else: not reported).
    void setHomeMncLength(int length) { homeMncLength_ = length; }
    int homeMncLength() const { return homeMncLength_; }
    int networkMode() const { return networkMode_; }
    void setNetworkMode(int mode) { networkMode_ = mode; }
    int pnnOplFlag() const { return pnnOplFlag_; }
    void setPnnOplFlag(int flag) { pnnOplFlag_ = flag; }
    QString longFormatLocalSpn() const { return longFormatLocalSpn_; }
    void setLongFormatLocalSpn(const QString &name) { longFormatLocalSpn_ = name; }
    QString signalStrength() const { return signalStrength_; }
    void setSignalStrength(const QString &strength) { signalStrength_ = strength; }
    int signalStrengthFlag() const { return signalStrengthFlag_; }
    void setSignalStrengthFlag(int flag) { signalStrengthFlag_ = flag; }

private:
    void spnDisplayStragetyInit();
    void applyTestOverrides();
    ConfigManager *store() const;
    YfunctionTest *functionTest() const;
    bool configBool(const char *module, const char *key) const;
    bool topLevelBool(const char *module) const;

    ConfigManager *store_ = nullptr;
    YfunctionTest *functionTest_ = nullptr;

    QVariantMap moduleMapsDict_;
    mutable QMutex pModuleMapsDictLock_;
    QString iccidStr_;
    QString homeSpn_;
    QString localSpn_;
    QStringList friendlyNetList_;
    YspnShowBase *spnDisplayProtocol_ = nullptr;
    int the1and2FiledFromSPN_ = 0;
    int networkRoamStatus_ = RoamUndetermined;
    QString currentRmccRmnc_;
    QString currentRmcc_; // as reported, with currentRmnc_
    QString currentRmnc_;
    int homeMncLength_ = 0;
    int networkMode_ = 0;
    int pnnOplFlag_ = 0;
    QString longFormatLocalSpn_;
    QString signalStrength_;
    int signalStrengthFlag_ = 2;

    struct Strategies;
    std::unique_ptr<Strategies> strategies_;
};

} // namespace ostrel
