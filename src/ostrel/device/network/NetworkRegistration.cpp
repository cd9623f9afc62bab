#include "ostrel/device/network/NetworkRegistration.h"

#include "common/ValueConversion.h"
#include "ostrel/device/network/RoamingLogic.h"
#include "ostrel/device/network/SignalTracker.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/switches/ConfigService.h"

#include <QMetaType>

#include <bit>

namespace ostrel {

namespace {

const QString kNoService = QStringLiteral("No Service");
const QString kNotFound = QStringLiteral("Not Found");

QString empty()
{
    return QString(QLatin1String(""));
}

bool isList(const QVariant &v)
{
    const int id = v.metaType().id();
    return id == QMetaType::QVariantList || id == QMetaType::QStringList;
}

} // namespace

// 7/37 payload.
struct NetworkRegistration::PlmnReport {
    QString name;       // offset 0
    QString secondName; // offset 68
    QString netMcc;     // offset 136
    QString netMnc;     // offset 172
    QString roamText;   // offset 208
    QString homeMcc;    // offset 244
    QString homeMnc;    // offset 280
    int condition = 0;  // offset 316
    bool registered = false; // offset 320

    static PlmnReport read(const yov::PayloadReader &d)
    {
        PlmnReport r;
        r.name = d.utf8Text(0, 68);
        r.secondName = d.utf8Text(68, 68);
        r.netMcc = d.latin1Text(136, 36);
        r.netMnc = d.latin1Text(172, 36);
        r.roamText = d.latin1Text(208, 36);
        r.homeMcc = d.latin1Text(244, 36);
        r.homeMnc = d.latin1Text(280, 36);
        r.condition = d.int32(316);
        r.registered = d.uint8(320) != 0;
        return r;
    }
};

NetworkRegistration::NetworkRegistration(InitService &service, RegisteredNetworkState &network, RoamingLogic &roaming,
                                         SignalTracker &signal, ConfigManager *store)
    : service_(service)
    , network_(network)
    , roaming_(roaming)
    , signal_(signal)
    , store_(store)
{
    signal_.setNetworkStatusSink([this](const QString &text, NetworkEffects &e) {
        // The CDMA status text is shown on any platform that reports it.
        setNetworkStatus(text, -1, e);
    });
}

// ---- 7/36 ------------------------------------------------------------------------------------

NetworkEffects NetworkRegistration::dealWithMsgOfCheckNetInfo(const QByteArray &record, const NetworkContext &c)
{
    NetworkEffects e;
    if (netconfig::flag(store_, "Main", "filterTheFirstYdonYpasWhenNetWorkChanged") && firstYpas_) {
        // dealWithFirstYpasWhenNetWorkChanged: the first report after a filtered change is not shown.
        if (netconfig::flag(store_, "Internet", "paySameAsHomeNetIfIsWhilteNet"))
            e.disableConnectButtons = true;
        firstYpas_ = false;
        return e;
    }
    const ReceivedRecord r = ReceivedRecord::fromBytes(record);
    QString technology = r.data.latin1Text(40, 68);
    const QString domain = r.data.latin1Text(108, 72);
    int mode = 0;
    if (domain == QLatin1String("CS_ONLY"))
        mode = 1;
    else if (domain == QLatin1String("PS_ONLY"))
        mode = 2;
    else if (domain == QLatin1String("CS_PS"))
        mode = 3;
    else
        technology = kNoService;
    e.activationSmsMode = mode;
    setNetworkDomain(mode, getDisplayNetWorkTypeWithNetType(technology), c, e);
    return e;
}

QString NetworkRegistration::getDisplayNetWorkTypeWithNetType(const QString &t) const
{
    if (t.isNull())
        return empty();
    if (netconfig::flag(store_, "Main", "displayNetTypeAccordingD3UFromIta")) {
        if (t == QLatin1String("GPRS") || t == QLatin1String("EDGE") || t == QLatin1String("GSM"))
            return QStringLiteral("2G");
        if (t == QLatin1String("UMTS"))
            return QStringLiteral("3G");
        if (t == QLatin1String("HSDPA") || t == QLatin1String("HSUPA"))
            return QStringLiteral("H");
        if (t == QLatin1String("HSPA+") || t == QLatin1String("DC-HSPA+"))
            return QStringLiteral("H+");
        return t;
    }
    if (netconfig::flag(store_, "Main", "displayNetTypeAccordingVuzod")) {
        if (t == kNoService)
            return t;
        return t + yov::nsString(netconfig::value(store_, "Main", "AppendingString"));
    }
    return t;
}

// ---- 7/46 ------------------------------------------------------------------------------------

int NetworkRegistration::networkModeForIceraWithNetStr(const QString &s)
{
    if (s.contains(QLatin1String("2g")) || s.contains(QLatin1String("3g")))
        return 1;
    if (s.contains(QLatin1String("2G")) || s.contains(QLatin1String("3G")))
        return 3;
    return 0;
}

NetworkEffects NetworkRegistration::dealWithMsgOfCheckNetInfoForIcera(const QByteArray &record, const NetworkContext &c)
{
    NetworkEffects e;
    const ReceivedRecord r = ReceivedRecord::fromBytes(record);
    const float registration = std::bit_cast<float>(r.data.uint32(0));
    const QString text = r.data.latin1Text(4, 36);
    const QString netText = r.data.latin1Text(40, 104);
    const QString bearer = r.data.latin1Text(144, 36);

    // 1. The network as the device gives it: the text kept as it stands, MCC and MNC with the
    //    MNC's own length.
    const QString oldMccmnc = network_.mccmnc;
    const Plmn oldPlmn = network_.plmn;
    network_.mccmnc = text;
    network_.plmn = Plmn::fromDigits(text.trimmed());
    service_.setCurrentRmccRmnc(text);
    service_.setCurrentNetworkMccAndMnc(network_.plmn.mcc, network_.plmn.mnc);
    if (service_.networkRoamStatus() == 0 && isList(ConfigService(store_).readMCCMNCListFromConfig()))
        roaming_.setRoamInfoWithNetworkRoamStatus(0, c, e);

    // 2. A change of network.
    const bool differs = (network_.plmn.isValid() && oldPlmn.isValid()) ? network_.plmn != oldPlmn : text != oldMccmnc;
    if (differs)
        roaming_.doWhenNetWorkChanged(c, e);

    // 3. Not registered.
    if (registration == 0.0f || registration == -1.0f) {
        if (!netconfig::topFlag(store_, "SearchRegistModel"))
            setNetworkDomain(0, kNoService, c, e);
        return e;
    }
    // 4.
    if (!checkSearchRegistStatus())
        return e;
    // 5.
    roaming_.checkIsNationnalRoam(e);
    checkAPNMatchWithMCCMNC(network_.mccmnc, e);
    // 6.
    if (localSpnShown_ == kNotFound) {
        setNetworkDomain(0, kNoService, c, e);
        return e;
    }
    // 7. No bearer name: the network text decides.
    if (bearer == QLatin1String("-")) {
        if (netText.contains(QLatin1Char('0'))) {
            setNetworkDomain(0, kNoService, c, e);
            return e;
        }
        const QString oldTechnology = currentAccessTechnology_;
        QString technology;
        int mode = 0;
        if (netText.contains(QLatin1String("2g"))) {
            technology = QStringLiteral("GSM");
            mode = 1;
        } else if (netText.contains(QLatin1String("3g"))) {
            technology = QStringLiteral("UMTS");
            mode = 1;
        } else if (netText.contains(QLatin1String("2G"))) {
            technology = QStringLiteral("GSM");
            mode = 3;
        } else if (netText.contains(QLatin1String("3G"))) {
            technology = QStringLiteral("UMTS");
            mode = 3;
        } else {
            technology = kNoService;
            mode = 0;
        }
        currentAccessTechnology_ = technology;
        QString name = technology;
        struct Bearer {
            const char *a;
            const char *b;
            const char *name;
        };
        static constexpr Bearer bearers[] = {{"GPRS", "gprs", "GPRS"}, {"EDGE", "edge", "EDGE"},
                                             {"HSPA+DC", nullptr, "HSPA+DC"}, {"HSPA+", nullptr, "HSPA+"},
                                             {"HSPA", nullptr, "HSPA"},       {"HSUPA", nullptr, "HSUPA"},
                                             {"HSDPA", nullptr, "HSDPA"}};
        for (const Bearer &b : bearers) {
            if (netText.contains(QLatin1String(b.a)) || (b.b && netText.contains(QLatin1String(b.b)))) {
                name = QString::fromLatin1(b.name);
                break;
            }
        }
        setNetworkDomain(mode, name, c, e);
        compareAccessTechnology(oldTechnology, technology, c, e);
        return e;
    }
    // 8. The bearer names the technology.
    QString name;
    if (bearer.contains(QLatin1String("HSPA+")))
        name = QStringLiteral("HSPA+");
    else if (bearer.contains(QLatin1String("HSUPA")))
        name = QStringLiteral("HSUPA");
    else if (bearer.contains(QLatin1String("HSDPA")))
        name = QStringLiteral("HSDPA");
    else if (bearer == QLatin1String("R99"))
        name = QStringLiteral("UMTS");
    else
        name = bearer;
    setNetworkDomain(networkModeForIceraWithNetStr(netText), name, c, e);
    return e;
}

void NetworkRegistration::compareAccessTechnology(const QString &oldTechnology, const QString &newTechnology,
                                                  const NetworkContext &c, NetworkEffects &e) const
{
    if (netconfig::flag(store_, "Internet", "Internet_RoamAlertAtNetFrom3GTo2G") && oldTechnology == QLatin1String("UMTS")
        && newTechnology != oldTechnology && c.connectStatus == 3)
        e.show3GTo2GAlert = true;
}

bool NetworkRegistration::checkSearchRegistStatus()
{
    if (!netconfig::topFlag(store_, "SearchRegistModel"))
        return true;
    if (!manualRegistFlag_) {
        manualRegistFlag_ = true;
        return false;
    }
    manualRegistFlag_ = false;
    netconfig::writeNow(store_, "SearchRegistModel", nullptr, false);
    return true;
}

// ---- Domain sink -----------------------------------------------------------------------------

void NetworkRegistration::setNetworkDomain(int mode, const QString &name, const NetworkContext &c, NetworkEffects &e)
{
    networkMode_ = mode;
    service_.setNetworkMode(mode);
    switch (mode) {
    case 3:
        setDomainName(QStringLiteral("P C"), e);
        break;
    case 1:
        setDomainName(QStringLiteral("C"), e);
        break;
    case 2:
        setDomainName(QStringLiteral("P"), e);
        break;
    default:
        setDomainName(empty(), e);
        roaming_.setRoamInfoWithNetworkRoamStatus(2, c, e);
        setBelonetoSPN(empty(), e);
        setLocalSPN(empty(), true, e);
        break;
    }
    if (c.platform != 3)
        setNetworkStatus(name, c.platform, e);
    setNetworkStatusWhenDomainModeChange(mode, e);
    informOtherModulePSDomain(mode, c, e);
}

void NetworkRegistration::setNetworkStatusWhenDomainModeChange(int mode, NetworkEffects &e) const
{
    if (mode == 3)
        e.modemAndSimStateString = QStringLiteral("Init_tfdData Not Connected");
    else if (mode == 1 || mode == 2)
        e.modemAndSimStateString = QStringLiteral("Init_tfdStarting Device");
}

void NetworkRegistration::informOtherModulePSDomain(int mode, const NetworkContext &c, NetworkEffects &e) const
{
    if (!c.dialFunctionEnabled || netconfig::topFlag(store_, "EnableConnectByNetStatus"))
        return;
    bool present = (mode & 2) != 0;
    if (ConfigService(store_).isEnableToolbarForDUziva() && !c.connectBtnEnableDedorud)
        present = false;
    e.psDomainStatus = present;
}

bool NetworkRegistration::hasPSDomain() const
{
    if (netconfig::topFlag(store_, "EnableConnectByNetStatus"))
        return hasCSDomain();
    return (networkMode_ & 2) != 0;
}

bool NetworkRegistration::checkToReturnPSDomain() const
{
    if (netconfig::flag(store_, "Internet", "DoNotCheckPSDomainWhileAutoConnect")
        || netconfig::flag(store_, "Internet", "AutoConnectDoNotCheckPSDomain"))
        return true;
    return hasPSDomain();
}

void NetworkRegistration::setNetworkStatus(const QString &text, int platform, NetworkEffects &e)
{
    if (text.isNull())
        return;
    static const QStringList clearing{kNoService,           QStringLiteral("Limited Service"), QStringLiteral("HSDPA"),
                                      QStringLiteral("HSUPA"), QStringLiteral("UMTS"),         QStringLiteral("HSPA+"),
                                      QStringLiteral("3G")};
    if (platform == 1 && clearing.contains(text))
        e.clearBroadcastMessage = true;
    networkName_ = text;
    e.networkStatus = text;
    e.post(QStringLiteral("init_NetworkStatus"), text, netconfig::topFlag(store_, "DynamicConvertNetworkName"));
}

void NetworkRegistration::setDomainName(const QString &mark, NetworkEffects &e)
{
    e.domainMark = mark;
    e.post(QStringLiteral("init_DomainName"), mark);
}

void NetworkRegistration::setLocalSPN(const QString &name, bool refresh, NetworkEffects &e)
{
    localSpnShown_ = name;
    e.localSpn = name;
    if (refresh && !name.isNull())
        e.post(QStringLiteral("init_LocalSPN"), name);
}

void NetworkRegistration::setBelonetoSPN(const QString &name, NetworkEffects &e)
{
    e.homeSpn = name;
    if (!name.isNull())
        e.post(QStringLiteral("init_BeloneToSPN"), name);
}

NetworkEffects NetworkRegistration::initNibNetworkStatus(const NetworkContext &c)
{
    NetworkEffects e;
    e.evdoImage = signalImageName(0);
    SignalTracker::Context sc;
    sc.platform = c.platform;
    signal_.setSignalStrength(0, sc, e);
    roaming_.setRoamInfoWithNetworkRoamStatus(2, c, e);
    setBelonetoSPN(empty(), e);
    setNetworkStatus(kNoService, c.platform, e);
    setLocalSPN(empty(), true, e);
    setDomainName(empty(), e);
    return e;
}

// ---- 7/37 ------------------------------------------------------------------------------------

bool NetworkRegistration::isNetWorkChangedWithPreMCCMNC(const QString &oldMccmnc, const Plmn &oldPlmn) const
{
    if (network_.mccmnc.isEmpty())
        return false;
    // Two networks can share a "mccmnc" text when one has a three-digit MNC (310/260 and 312/60
    // both give "31260"): where both were reported as MCC and MNC, those decide.
    if (network_.plmn.isValid() && oldPlmn.isValid())
        return network_.plmn != oldPlmn;
    return network_.mccmnc != oldMccmnc;
}

void NetworkRegistration::takeHomeMncLength(const QString &homeMnc)
{
    const int length = int(homeMnc.trimmed().size());
    if (length != 2 && length != 3)
        return;
    const bool changed = service_.homeMncLength() != length;
    service_.setHomeMncLength(length);
    if (changed && !service_.imsi().isEmpty())
        service_.enterHomeNetworkOfImsi(service_.imsi());
}

NetworkEffects NetworkRegistration::dealWithMsgOfCheckPLMN(const QByteArray &record, const NetworkContext &c)
{
    NetworkEffects e;
    const ReceivedRecord r = ReceivedRecord::fromBytes(record);
    const PlmnReport p = PlmnReport::read(r.data);

    // 1.
    if (!p.registered && netconfig::topFlag(store_, "displayLongFormatSPNWhenRoamOn"))
        service_.setLongFormatLocalSpn(p.name);
    // 2.
    const QString oldMccmnc = network_.mccmnc;
    const Plmn oldPlmn = network_.plmn;
    int roamStatus = 2;
    // 3.
    if (p.registered) {
        roamStatus = RoamingLogic::getNetworkRoamStatusWithYdonResult(p.roamText);
        roaming_.showRoamAlertWindow(roamStatus, e);
        e.matchApnHomeMcc = p.homeMcc;
        e.matchApnHomeMnc = p.homeMnc;
        checkLocalMCCAndNetMCC(p.homeMcc, p.netMcc, e);
        takeHomeMncLength(p.homeMnc);
    }
    // 4.
    if (p.registered) {
        if (roamStatus == 2 || p.netMcc.isEmpty()) {
            network_.mccmnc = empty();
            network_.plmn = {};
        } else {
            e.mccLabel = p.netMcc;
            e.mncLabel = p.netMnc;
            network_.mccmnc = mccmnc::formatMccmnc(p.netMcc, p.netMnc);
            network_.plmn = Plmn::fromParts(p.netMcc, p.netMnc);
            checkAPNMatchWithMCCMNC(network_.mccmnc, e);
            if (c.updateSupported) {
                e.updateLinkMccmnc = network_.mccmnc;
                if (!c.updateMessageSentForMccmnc && netconfig::topFlag(store_, "newUpdate"))
                    e.updateLinkDeviceReady = true;
            }
        }
        if (r.platformFlag)
            informOtherModulePSDomain(2, c, e);
    }
    // 5.
    service_.setLocalSpn(p.name);
    if (p.registered) {
        service_.setCurrentRmccRmnc(network_.mccmnc);
        service_.setCurrentNetworkMccAndMnc(network_.plmn.mcc, network_.plmn.mnc);
        service_.setNetworkRoamStatus(roamStatus);
    }
    // 6. The network-change filter: the first report of a new network is not taken.
    const bool changed = isNetWorkChangedWithPreMCCMNC(oldMccmnc, oldPlmn);
    if (netconfig::flag(store_, "Main", "filterTheFirstYdonYpasWhenNetWorkChanged") && changed && firstYdon_) {
        network_.mccmnc = oldMccmnc;
        network_.plmn = oldPlmn;
        firstYdon_ = false;
        firstYpas_ = true;
        return e;
    }
    // 7.
    if (c.platform != 1 && p.registered)
        roaming_.setRoamInfoWithNetworkRoamStatus(roaming_.closeRoamAtDomesticRoaming(roamStatus, p.homeMcc, p.netMcc), c, e);
    // 8.
    if (ConfigService(store_).showSpnByNewMethod())
        showSpn(e);
    else
        postSetProviderAndDomainStatusForGeneral(p, e);
    // 9.
    if (changed && p.registered) {
        firstYdon_ = true;
        roaming_.doWhenNetWorkChanged(c, e);
    }
    return e;
}

void NetworkRegistration::checkLocalMCCAndNetMCC(const QString &localMcc, const QString &netMcc, NetworkEffects &e) const
{
    if (!localMcc.isEmpty() && !netMcc.isEmpty() && netconfig::flag(store_, "Internet", "NotAutoConnectForInterRoam"))
        e.runtimeIsSameMCC = localMcc == netMcc;
}

void NetworkRegistration::checkAPNMatchWithMCCMNC(const QString &mccmnc, NetworkEffects &e)
{
    const ConfigService switches(store_);
    if (!switches.isEnableAutoApnMatch() || !switches.isAPNMatchWithMCCMNC())
        return;
    if (!mccmncForApnMatch_) // readMCCMNCForMatchAPN
        mccmncForApnMatch_ = yov::nsString(netconfig::value(store_, "CurrentMCCMNC", nullptr));
    if (*mccmncForApnMatch_ == mccmnc)
        return;
    mccmncForApnMatch_ = mccmnc;
    // writeMCCMNCForMatchAPN: the text as it stands, the form the profiles are matched with.
    if (!netconfig::writeNow(store_, "CurrentMCCMNC", nullptr, mccmnc))
        qWarning("network: could not save CurrentMCCMNC");
    e.resetDefaultProfileWithMCCMNC = mccmnc;
}

void NetworkRegistration::showSpn(NetworkEffects &e)
{
    YspnShowBase *strategy = service_.getSpnDisplayProtocol();
    if (!strategy)
        return;
    setLocalSPN(strategy->getLocalSpn(), true, e);
    setBelonetoSPN(strategy->getHomeSpn(), e);
}

bool NetworkRegistration::registeredIsHomeOrFriendly() const
{
    const Plmn &registered = network_.plmn;
    if (!registered.isValid())
        return service_.isHomeOrFriendly(network_.mccmnc).isValid();
    // The home network is the IMSI's MCC and MNC with the MNC length the device reported. The
    // table may still hold the IMSI's first five digits entered before that length was known
    // (310/26 for a SIM of 310/260), so the home network is compared here, not looked up.
    const Plmn home = service_.homeNetwork();
    if (home.isValid()) {
        if (registered == home)
            return true;
    } else if (service_.isHomeOrFriendly(registered.digits()).isValid()) {
        return true;
    }
    return service_.friendlyNetList().contains(registered.digits());
}

void NetworkRegistration::postSetProviderAndDomainStatusForGeneral(const PlmnReport &p, NetworkEffects &e)
{
    const bool refresh = !netconfig::topFlag(store_, "displayLongFormatSPNWhenRoamOn");
    // 1.
    if (netconfig::topFlag(store_, "SearchRegistModel") || networkMode_ == 0)
        return;
    // 2.
    setLocalSPN(empty(), refresh, e);
    setBelonetoSPN(empty(), e);
    // 3.
    if (netconfig::topFlag(store_, "DisplayOnlyPLMN")) {
        setLocalSPN(p.name, true, e);
        return;
    }
    // 4.
    if (p.name == kNotFound)
        return;
    // 5.
    QString name = p.name;
    if (netconfig::flag(store_, "Init", "DisplayBelongToSPNWhenNationalRoam") && p.netMcc == p.homeMcc
        && p.roamText == QLatin1String("ROAM_ON"))
        name = p.secondName;
    // 6. progressSPNDomainForOptimus:
    const QVariantMap settings = netconfig::store(store_)->getConfiguration();
    if (settings.contains(QStringLiteral("OptimusSPNSet")) && yov::nsBool(settings.value(QStringLiteral("OptimusSPNSet")))
        && settings.contains(QStringLiteral("OptimusPLMN")) && !m_SPN_.isEmpty()) {
        setBelonetoSPN(m_SPN_, e);
        return;
    }
    // 7.
    if (netconfig::flag(store_, "Init", "ShowFixedLocalSPN")) {
        setLocalSPN(QStringLiteral("fixed local SPN"), true, e);
        return;
    }
    // 8.
    if (netconfig::flag(store_, "Init", "ShowSPNForPOSLAT")) {
        setLocalSPN(p.condition == 1 && !m_SPN_.isEmpty() ? m_SPN_ : name, true, e);
        return;
    }
    // 9.
    progressSPNDomainForGeneral(name, refresh, e);
}

void NetworkRegistration::progressSPNDomainForGeneral(const QString &name, bool refresh, NetworkEffects &e)
{
    if (name.isEmpty())
        return;
    const bool onlyHome = netconfig::flag(store_, "Init", "OnlyShowBelonetoSPN");
    if (registeredIsHomeOrFriendly()) {
        setBelonetoSPN(m_SPN_, e);
        if (m_DisplayCondForSpn_ == 1 || m_DisplayCondForSpn_ == 3 || netconfig::flag(store_, "Main", "AlwaysShowLocalSPN"))
            setLocalSPN(name, refresh, e);
    } else {
        setLocalSPN(name, refresh, e);
        if (m_DisplayCondForSpn_ == 0 || m_DisplayCondForSpn_ == 1)
            setBelonetoSPN(m_SPN_, e);
    }
    if (m_SPN_.isEmpty()) {
        setLocalSPN(name, refresh, e);
        setBelonetoSPN(onlyHome ? name : empty(), e);
    } else if (onlyHome) {
        setBelonetoSPN(m_SPN_, e);
    }
}

// ---- SIM files, home MCC, settings reports ----------------------------------------------------

void NetworkRegistration::dealWithMsgOfCheckSPDI(const QByteArray &record)
{
    service_.doParseEF_SPDI(ReceivedRecord::fromBytes(record).data.text(0, 512));
}

void NetworkRegistration::dealWithMsgOfCheckSPN(const QByteArray &record)
{
    service_.doParseEF_SPN(ReceivedRecord::fromBytes(record).data.text(0, 512));
    m_SPN_ = service_.homeSpn();
    m_DisplayCondForSpn_ = service_.the1and2FiledFromSPN();
}

bool NetworkRegistration::dealWithMsgOfCheckHPLMN(const QByteArray &record)
{
    const ReceivedRecord r = ReceivedRecord::fromBytes(record);
    if (r.result != 0)
        return false;
    network_.currentHMcc = r.data.int32(0);
    return true;
}

std::optional<NetworkRegistration::SearchMode> NetworkRegistration::dealWithMsgOfCheckSearchMode(const QByteArray &record)
{
    const ReceivedRecord r = ReceivedRecord::fromBytes(record);
    if (r.result != 0)
        return std::nullopt;
    return SearchMode{r.data.int32(0), r.data.int32(4), r.data.int32(8)};
}

std::optional<int> NetworkRegistration::dealWithMsgOfCheckPreferenceMode(const QByteArray &record)
{
    const ReceivedRecord r = ReceivedRecord::fromBytes(record);
    if (r.result != 0)
        return std::nullopt;
    return r.data.int32(0);
}

NetworkEffects NetworkRegistration::deviceRemoved(const NetworkContext &)
{
    NetworkEffects e;
    network_.mccmnc = empty();
    network_.plmn = {};
    firstYdon_ = true;
    firstYpas_ = false;
    return e;
}

} // namespace ostrel
