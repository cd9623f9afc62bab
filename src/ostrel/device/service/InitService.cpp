#include "ostrel/device/service/InitService.h"

#include "common/ValueConversion.h"
#include "ostrel/device/service/SimFileDecoder.h"
#include "ostrel/device/service/YfunctionTest.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/crypto/Blowfish.h"
#include "ostrel/framework/switches/ConfigService.h"

#include <QMutexLocker>

namespace ostrel {

namespace {

const QString kNotFound = QStringLiteral("Not Found");

// Whether an operator list (an array of texts, a dictionary keyed by them, or one text) holds text.
bool listContains(const QVariant &list, const QString &text)
{
    switch (list.typeId()) {
    case QMetaType::QVariantList:
        for (const QVariant &entry : list.toList()) {
            if (yov::nsString(entry) == text)
                return true;
        }
        return false;
    case QMetaType::QVariantMap:
        return list.toMap().contains(text);
    case QMetaType::QString:
        return list.toString() == text;
    default:
        return false;
    }
}

// The name an operator dictionary gives for an MCC/MNC text; null when it has no entry.
QString nameFor(const QVariant &dict, const QString &mccmnc)
{
    const QVariantMap map = yov::nsDict(dict);
    const auto it = map.constFind(mccmnc);
    if (it == map.constEnd())
        return {};
    const QString name = yov::nsString(it.value());
    return name.isNull() ? QString(QLatin1String("")) : name;
}

} // namespace

struct InitService::Strategies {
    YspnShowBy3gpp by3gpp;
    YspnShowBy3gppAndLocalSpnReplacedByHomeSpn by3gppLocalReplacedByHome;
    YshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp homeBy3gppLocalNot;
    YnoShowAny noShowAny;
    YonlyShowHomeSpn onlyHome;
    YonlyShowHomeSpnAndHigherPriorityThanLocalSpn onlyHomeOverLocal;
    YonlyShowLocalSpn onlyLocal;
    YonlyShowFixedLocalSpn onlyFixedLocal;
    YonlyShowLocalSpnAndlowerPriorityThanHomeSpn onlyLocalUnderHome;
    YonlyShowLocalSpnAndHighPriorityThanHomeSpn onlyLocalOverHome;

    template <typename F>
    void forEach(F f)
    {
        YspnShowBase *all[] = {&by3gpp, &by3gppLocalReplacedByHome, &homeBy3gppLocalNot, &noShowAny,
                               &onlyHome, &onlyHomeOverLocal, &onlyLocal, &onlyFixedLocal,
                               &onlyLocalUnderHome, &onlyLocalOverHome};
        for (YspnShowBase *s : all)
            f(s);
    }
};

InitService *InitService::sharedInitService()
{
    static InitService *instance = new InitService;
    return instance;
}

InitService::InitService(ConfigManager *store, YfunctionTest *functionTest)
    : store_(store)
    , functionTest_(functionTest)
    , homeSpn_(QLatin1String(""))
{
    spnDisplayStragetyInit();
}

InitService::~InitService() = default;

void InitService::spnDisplayStragetyInit()
{
    strategies_ = std::make_unique<Strategies>();
    strategies_->forEach([this](YspnShowBase *s) {
        s->setHomeOrFriendlyQuery([this] { return checkCurrentIsHomeOrFriendlyNetWork(); });
    });
    spnDisplayProtocol_ = &strategies_->by3gpp;
}

ConfigManager *InitService::store() const
{
    return store_ ? store_ : ConfigManager::sharedConfigManager();
}

YfunctionTest *InitService::functionTest() const
{
    return functionTest_ ? functionTest_ : YfunctionTest::sharedFunctionTest();
}

bool InitService::configBool(const char *module, const char *key) const
{
    return yov::nsBool(store()->getConfigurationByModuleAndKey(QString::fromLatin1(module), QString::fromLatin1(key)));
}

bool InitService::topLevelBool(const char *module) const
{
    return yov::nsBool(store()->getConfigurationByModule(QString::fromLatin1(module)));
}

// --- SIM files

void InitService::doParseEF_SPN(const QByteArray &hexText)
{
    homeSpn_ = QLatin1String("");
    const simfile::SpnContents spn = simfile::decodeEF_SPN(hexText);
    if (!spn.hasCondition)
        return;
    setThe1and2FiledFromSPN(spn.displayCondition);
    if (spn.name)
        homeSpn_ = *spn.name;
}

void InitService::doParseEF_SPDI(const QByteArray &hexText)
{
    const QStringList list = simfile::decodeEF_SPDI(hexText);
    for (const QString &plmn : list)
        setModuleMapsDictObject(plmn, mccmnc::moduleMapKey(plmn));
    friendlyNetList_ = list;
}

void InitService::doParseEF_ICCID(const QByteArray &hexText)
{
    iccidStr_ = simfile::decodeICCID(hexText);
}

// --- Home-or-friendly table

QVariant InitService::isHomeOrFriendly(const QString &mccmnc) const
{
    const QString key = mccmnc::moduleMapKey(mccmnc);
    if (key.isEmpty())
        return {};
    QMutexLocker lock(&pModuleMapsDictLock_);
    return moduleMapsDict_.value(key);
}

void InitService::setModuleMapsDictObject(const QVariant &object, const QString &key)
{
    if (key.isEmpty() || !object.isValid())
        return;
    QMutexLocker lock(&pModuleMapsDictLock_);
    moduleMapsDict_.insert(key, object);
}

QVariantMap InitService::moduleMapsDict() const
{
    QMutexLocker lock(&pModuleMapsDictLock_);
    return moduleMapsDict_;
}

QString InitService::enterHomeNetworkOfImsi(const QString &imsi)
{
    const Plmn home = Plmn::fromImsi(imsi, homeMncLength_);
    if (!home.isValid())
        return QLatin1String("");
    const QString digits = home.digits();
    setModuleMapsDictObject(digits, mccmnc::moduleMapKey(digits));
    return digits;
}

// --- Network queries

void InitService::setCurrentNetworkMccAndMnc(const QString &mcc, const QString &mnc)
{
    currentRmcc_ = mcc;
    currentRmnc_ = mnc;
}

Plmn InitService::registeredNetwork() const
{
    if (currentRmccRmnc_.isEmpty())
        return {};
    // The reported MCC and MNC stand while the mccmnc text is the one formed from them.
    const Plmn reported = Plmn::fromParts(currentRmcc_, currentRmnc_);
    if (reported.isValid()
        && (mccmnc::formatMccmnc(currentRmcc_, currentRmnc_) == currentRmccRmnc_
            || reported.digits() == currentRmccRmnc_))
        return reported;
    return Plmn::fromDigits(currentRmccRmnc_);
}

Plmn InitService::homeNetwork() const
{
    return Plmn::fromImsi(imsi(), homeMncLength_);
}

QString InitService::currentHmccmnc() const
{
    return imsi().left(5);
}

QString InitService::getCurrentHomeMcc() const
{
    return getMCCByImsi(imsi());
}

QString InitService::getCurrentLocalMcc() const
{
    const Plmn registered = registeredNetwork();
    return registered.isValid() ? registered.mcc : getMCCByMccmnc(currentRmccRmnc_);
}

int InitService::getNetWorkRoamType() const
{
    switch (networkRoamStatus_) {
    case Roaming:
        return getCurrentHomeMcc() == getCurrentLocalMcc() ? NationalRoam : InternationalRoam;
    case Home:
        return NotRoaming;
    default:
        return RoamTypeUnknown;
    }
}

bool InitService::checkCurrentIsHomeNetWork() const
{
    const Plmn registered = registeredNetwork();
    return registered.isValid() && registered == homeNetwork();
}

bool InitService::checkCurrentIsFriendlyNetWork() const
{
    if (currentRmccRmnc_.isEmpty())
        return false;
    const Plmn registered = registeredNetwork();
    const QString current = registered.isValid() ? registered.digits() : currentRmccRmnc_;
    return friendlyNetList_.contains(current);
}

bool InitService::checkCurrentIsHomeOrFriendlyNetWork() const
{
    return networkRoamStatus_ == Home || checkCurrentIsFriendlyNetWork();
}

// --- Names

QString InitService::localSpn() const
{
    ConfigService switches(store());
    const QVariantMap specific = yov::nsDict(switches.getMccAndMncData());
    if (!specific.isEmpty() && currentRmccRmnc_ == specific.firstKey()) {
        const QString value = yov::nsString(specific.first());
        return networkRoamStatus_ == Roaming ? value : value.mid(2);
    }
    if (networkRoamStatus_ == Home && switches.isOnlyShowSpnWhenRoamOff())
        return QLatin1String("");
    if (localSpn_.isNull())
        return {};
    const QString hmccmnc = currentHmccmnc();
    if (listContains(switches.readHMCCMNCListNeededChangeSpn(), hmccmnc)) {
        const QString fixed = nameFor(switches.readFixedSPNFromConfig(), hmccmnc);
        if (!fixed.isNull())
            return fixed;
        const QString changed = nameFor(switches.readCustomLocalSPNFromConfig(), currentRmccRmnc_);
        if (!changed.isNull())
            return changed;
    }
    return localSpn_;
}

QString InitService::homeSpn() const
{
    ConfigService switches(store());
    const QString custom = nameFor(switches.readCustomHomeSPNFromConfig(), currentRmccRmnc_);
    if (!custom.isNull())
        return custom;
    if (homeSpn_.isEmpty())
        return homeSpn_;
    const QString hmccmnc = currentHmccmnc();
    if (listContains(switches.readHMCCMNCListNeededChangeSpn(), hmccmnc)) {
        const QString belong = nameFor(switches.readCustomBelongSPNFromConfig(), hmccmnc);
        if (!belong.isNull())
            return belong;
    }
    return homeSpn_;
}

// --- Strategy

YspnShowBase *InitService::spnDisplayProtocolSet()
{
    Strategies &s = *strategies_;
    YspnShowBase *chosen = nullptr;
    if (networkMode_ == 0 || currentRmccRmnc_.isEmpty() || localSpn_ == kNotFound)
        chosen = &s.noShowAny;
    else if (topLevelBool("SearchRegistModel"))
        chosen = &s.noShowAny;
    else if (configBool("Init", "ShowSPNForPOSLAT"))
        chosen = pnnOplFlag_ == 1 ? static_cast<YspnShowBase *>(&s.onlyLocalUnderHome) : &s.onlyLocal;
    else if (configBool("Init", "DisplayBelongToSPNWhenNationalRoam"))
        chosen = getNetWorkRoamType() == NationalRoam ? static_cast<YspnShowBase *>(&s.by3gppLocalReplacedByHome)
                                                      : &s.by3gpp;
    else if (topLevelBool("displayLongFormatSPNWhenRoamOn"))
        chosen = networkRoamStatus_ == Roaming ? static_cast<YspnShowBase *>(&s.homeBy3gppLocalNot) : &s.by3gpp;
    else if (configBool("Main", "AlwaysShowLocalSPN"))
        chosen = &s.homeBy3gppLocalNot;
    else if (configBool("Init", "OnlyShowBelonetoSPN"))
        chosen = &s.onlyHomeOverLocal;
    else if (topLevelBool("DisplayOnlyPLMN"))
        chosen = &s.onlyLocalUnderHome;
    else if (configBool("Init", "ShowFixedLocalSPN"))
        chosen = &s.onlyFixedLocal;
    else if (ConfigService(store()).onlyShowLocalSpnAndHighPriorityThanHomeSpn())
        chosen = &s.onlyLocalOverHome;
    else
        chosen = &s.by3gpp;
    spnDisplayProtocol_ = chosen;
    return chosen;
}

void InitService::applyTestOverrides()
{
    YfunctionTest *test = functionTest();
    if (!test->testSpnshowFlag())
        return;
    localSpn_ = test->testLocalSpn();
    homeSpn_ = test->testHomeSpn();
    friendlyNetList_ = test->testFriendlyList();
    currentRmccRmnc_ = test->testCurrentLocalMccMnc();
    setImsi(test->testCurrentHomeMccMnc());
    the1and2FiledFromSPN_ = test->testThe1and2Field();
    longFormatLocalSpn_ = test->testCurrentLongFormatSpn();
    pnnOplFlag_ = test->testPnnOplFlag();
}

YspnShowBase *InitService::getSpnDisplayProtocol()
{
    YspnShowBase *protocol = spnDisplayProtocolSet();
    applyTestOverrides();
    protocol->setLocalSpn(localSpn());
    protocol->setHomeSpn(homeSpn());
    protocol->setThe1and2FiledFromSPN(the1and2FiledFromSPN_);
    protocol->setRoamType(getNetWorkRoamType());
    if (topLevelBool("displayLongFormatSPNWhenRoamOn") && networkRoamStatus_ == Roaming)
        protocol->setLocalSpn(longFormatLocalSpn_);
    return protocol;
}

// --- Links

QByteArray InitService::encode(const QString &text) const
{
    ConfigService switches(store());
    return encipherIdentityForLink(text, switches.getURLEncryptPattern(), switches.getURLEncryptSerectKey());
}

QString InitService::getInternetAddressAtMainPage() const
{
    const QVariant address = store()->getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("Main_TextLinkAddress"));
    return address.isValid() ? yov::nsString(address) : QString(QLatin1String(""));
}

} // namespace ostrel
