#include "ostrel/device/network/SignalTracker.h"

#include "common/ValueConversion.h"
#include "ostrel/device/service/InitService.h"

namespace ostrel {

namespace signal_levels {

int levelFromCsq(int csq)
{
    if (csq < 3 || csq > 31)
        return 0;
    if (csq >= 16)
        return 5;
    if (csq >= 13)
        return 4;
    if (csq >= 10)
        return 3;
    if (csq >= 7)
        return 2;
    return 1;
}

int levelFrom1X(int value)
{
    switch (value) {
    case 10: return 1;
    case 15: return 2;
    case 22: return 3;
    case 28: return 4;
    case 31: return 5;
    default: return 0;
    }
}

QString evdoImageFromValue(int value)
{
    switch (value) {
    case 20: return signalImageName(1);
    case 40: return signalImageName(2);
    case 60: return signalImageName(3);
    case 80: return signalImageName(4);
    case 99: return signalImageName(5);
    default: return signalImageName(0); // 0 and every value not listed
    }
}

int levelFromCdmaMagnitude(int a)
{
    if (a > 119 || a <= 0)
        return 0;
    if (a >= 95)
        return 1;
    if (a >= 85)
        return 2;
    if (a >= 75)
        return 3;
    if (a >= 65)
        return 4;
    return 5;
}

QString evdoImageFromMagnitude(int magnitude)
{
    return signalImageName(levelFromCdmaMagnitude(magnitude));
}

int levelFromGsmRssi(int rssi)
{
    if (rssi < -107)
        return 0;
    if (rssi <= -100)
        return 1;
    if (rssi <= -94)
        return 2;
    if (rssi <= -88)
        return 3;
    if (rssi <= -82)
        return 4;
    return 5;
}

int levelFromWcdma(int rscp, int ecno)
{
    struct Row {
        int rscp;
        int ecno;
        int level;
    };
    static constexpr Row rows[] = {{-91, -8, 5}, {-97, -10, 4}, {-104, -12, 3}, {-111, -15, 2}, {-115, -18, 1}};
    for (const Row &row : rows) {
        if (rscp >= row.rscp && ecno >= row.ecno)
            return row.level;
    }
    return 0;
}

QString cdmaStatusText(int oneX, int evdo)
{
    const bool has1X = oneX >= 1 && oneX <= 31;
    const bool hasEvdo = evdo >= 1 && evdo <= 99;
    if (has1X && hasEvdo)
        return QStringLiteral("1X-EVDO");
    if (has1X)
        return QStringLiteral("CDMA 1X");
    if (hasEvdo)
        return QStringLiteral("EVDO");
    return QStringLiteral("No Service");
}

QString cdmaVariantStatusText(int a, int b)
{
    const bool aValid = a >= 1 && a <= 119;
    const bool bValid = b >= 1 && b <= 119;
    if (!aValid && !bValid)
        return QStringLiteral("No Service");
    if (aValid && bValid)
        return QStringLiteral("1X-EVDO");
    if (a >= 11 && a <= 119)
        return QStringLiteral("CDMA 1X");
    if (!aValid)
        return QStringLiteral("EVDO");
    return {}; // a weak 1X alone (1-10): the text stays
}

} // namespace signal_levels

using namespace signal_levels;

SignalTracker::SignalTracker(InitService &service, ConfigManager *store)
    : service_(service)
    , store_(store)
{
}

NetworkEffects SignalTracker::dealWithMsgOfCheckSignalStatus(const QByteArray &record, const Context &c)
{
    NetworkEffects e;
    if (netconfig::flag(store_, "Main", "IceraSignal"))
        return e; // those modems report through 7/54
    const ReceivedRecord r = ReceivedRecord::fromBytes(record);
    if (r.platformFlag) {
        dealWithMsgOfCheckCDMASignalStatus(r, c, e);
        return e;
    }
    switch (c.platform) {
    case 0:
    case 1:
        displayQualcomWCDMASignal(r, c, e);
        break;
    case 3:
        displayQualcomCDMASignal(r, c, e);
        break;
    default:
        break;
    }
    return e;
}

void SignalTracker::displayQualcomWCDMASignal(const ReceivedRecord &r, const Context &c, NetworkEffects &e)
{
    const int csq = r.data.int32(0);
    m_SignalStrength_ = csq; // the raw value, 99 included
    signalLevel_ = levelFromCsq(csq);
    setSignalStrength(signalLevel_, c, e);
}

void SignalTracker::displayQualcomCDMASignal(const ReceivedRecord &r, const Context &c, NetworkEffects &e)
{
    const int oneX = r.data.int32(0);
    const int evdo = r.data.int32(8);
    signalLevel_ = levelFrom1X(oneX);
    setSignalStrength(signalLevel_, c, e);
    e.evdoImage = evdoImageFromValue(evdo);
    showStatusText(cdmaStatusText(oneX, evdo), c, e);
}

void SignalTracker::dealWithMsgOfCheckCDMASignalStatus(const ReceivedRecord &r, const Context &c, NetworkEffects &e)
{
    const int a = r.data.int32(0);
    const int b = r.data.int32(4);
    signalLevel_ = levelFromCdmaMagnitude(a);
    setSignalStrength(signalLevel_, c, e);
    e.evdoImage = evdoImageFromMagnitude(b);
    const QString text = cdmaVariantStatusText(a, b);
    if (!text.isEmpty())
        showStatusText(text, c, e);
}

void SignalTracker::showStatusText(const QString &text, const Context &, NetworkEffects &e)
{
    if (networkStatusSink_)
        networkStatusSink_(text, e);
    else
        e.networkStatus = text;
}

NetworkEffects SignalTracker::dealWithMsgOfCheckYrssiSignalStatus(const QByteArray &record, const Context &c)
{
    NetworkEffects e;
    const ReceivedRecord r = ReceivedRecord::fromBytes(record);
    const int rWord = r.data.int32(0);
    const int eWord = r.data.int32(4);
    const int sWord = r.data.int32(8);

    int level = 0;
    int rscp = 0;
    int ecno = 0;
    if (eWord == 1000 || sWord == 1000) {
        level = levelFromGsmRssi(-rWord);
        rscp = sWord;
        ecno = eWord;
    } else {
        rscp = -sWord / 2;
        ecno = -eWord / 2;
        level = levelFromWcdma(rscp, ecno);
    }

    // The alert compares levels: a raw CSQ 99 kept from a 7/35 report is no signal, not a value
    // above zero.
    if (netconfig::flag(store_, "Internet", "d3uAlertSel3G_PreferWhenSignalToNoSignal") && level == 0
        && signalLevel_ != 0 && c.preferredMode == 1 && allowAlertSel3GPreferWhenSignalToNoSignal_) {
        e.startNoSignalAlertSeconds = yov::nsDouble(netconfig::value(store_, "Main", "timeToAlertSel3G_PreferIfNoSigal"));
    }

    m_SignalStrength_ = level;
    signalLevel_ = level;
    setSignalStrength(level, c, e);
    e.cellWindowRssi = rWord;
    setRssiSignalWithRSCP(rscp, -rWord, ecno, c.networkName, e);
    return e;
}

NetworkEffects SignalTracker::dealWithMsgOfCheckSignalStatusIcera(const QByteArray &record, const Context &c)
{
    NetworkEffects e;
    if (!netconfig::flag(store_, "Main", "IceraSignal"))
        return e;
    const ReceivedRecord r = ReceivedRecord::fromBytes(record);
    const int mode = r.data.int32(0);
    const int rssi = r.data.int32(4);
    const int rscp = r.data.int32(8);
    const int ecno = r.data.int32(12);
    int level = 0;
    if (mode == 1) {
        level = levelFromGsmRssi(rssi);
        service_.setSignalStrengthFlag(0);
    } else if (mode == 2) {
        level = levelFromWcdma(rscp, ecno);
        service_.setSignalStrengthFlag(1);
    }
    signalLevel_ = level; // m_SignalStrength is not written on this road
    setSignalStrength(level, c, e);
    setRssiSignalWithRSCP(rscp, rssi, ecno, c.networkName, e);
    return e;
}

void SignalTracker::setSignalStrength(int level, const Context &c, NetworkEffects &e)
{
    if (!c.simCardReady)
        level = 0;
    if (netconfig::flag(store_, "Init", "ShowSignalWhenServiceExist")
        && (c.networkName == QLatin1String("No Service") || c.networkName == QLatin1String("Limited Service")))
        level = 0;
    if (level > 5 || level < 0)
        return;
    e.signalImage = signalImageName(level);
    if (netconfig::flag(store_, "Init", "SetIndiaDidizuSignal")) {
        e.didizuSignalImage = QStringLiteral("SIGNAL%1").arg(level + 1);
        e.signalToolTip = level == 0 ? QStringLiteral("No Signal") : QStringLiteral("Signal");
    }
    e.post(QStringLiteral("init_SingalStrength"), level);
}

void SignalTracker::setRssiSignalWithRSCP(int rscp, int rssi, int ecno, const QString &networkName, NetworkEffects &e)
{
    e.postUserInfo(QStringLiteral("ReadRscpRssiEcnoInfo"),
                   QVariantMap{{QStringLiteral("RSCP"), QString::number(rscp)},
                               {QStringLiteral("RSSI"), QString::number(rssi)},
                               {QStringLiteral("ECNO"), QString::number(ecno)}});
    rscp_ = QStringLiteral("%1 dBm").arg(rscp);
    rssi_ = QStringLiteral("%1 dBm").arg(rssi);
    ecno_ = QStringLiteral("%1 dBm").arg(ecno);

    const int flag = service_.signalStrengthFlag();
    if (flag == 1)
        service_.setSignalStrength(rscp_);
    else if (flag == 0)
        service_.setSignalStrength(rssi_);

    if (!netconfig::flag(store_, "Main", "UpdateDiagWindow"))
        return;
    static const QStringList twoG{QStringLiteral("GPRS"), QStringLiteral("EDGE"), QStringLiteral("GSM"),
                                  QStringLiteral("2G"), QStringLiteral("No Service")};
    if (twoG.contains(networkName) && netconfig::topFlag(store_, "NoShowInValidValueOfEcioRscp")) {
        rscp_.clear();
        ecno_.clear();
    } else {
        e.diagRscp = rscp_;
        e.diagEcno = ecno_;
    }
    e.diagRssi = rssi_;
    e.diagSignalStrength = service_.signalStrength();
}

bool SignalTracker::alertSelect3GPreferIfNoSignal(int preferredMode)
{
    if (signalLevel_ != 0 || preferredMode != 1 || !allowAlertSel3GPreferWhenSignalToNoSignal_)
        return false;
    allowAlertSel3GPreferWhenSignalToNoSignal_ = false;
    return true;
}

void SignalTracker::deviceRemoved()
{
    allowAlertSel3GPreferWhenSignalToNoSignal_ = true;
}

} // namespace ostrel
