#include "brannoc/NetworkArea.h"

#include "brannoc/ModemRecords.h"
#include "brannoc/SimArea.h"
#include "common/records/Payload.h"

namespace brannoc {

namespace {

const char *const kRegistrationKeys[] = {"Registered", "Roaming", "Technology", "Domain", "OperatorName",
                                         "RoamingOperatorName", "Mcc", "Mnc", "Lac", "CellId"};
const char *const kSignalKeys[] = {"Csq", "Rscp", "EcNo", "SignalReport"};
const char *const kCellDetailKeys[] = {"Rac", "Frequency", "Channel", "RxQual", "RxLev"};
const char *const kModeKeys[] = {"SearchMode", "SelectedMode", "PreferredMode", "NationalRoaming",
                                 "InternationalRoaming", "CdmaPreference"};
// The settings' module: the band report names it as the band's owner.
constexpr std::int32_t kSettingModule = 3;

// Keys that change no report by themselves.
const char *const kSettingKeys[] = {"NetSearchMode", "ModeResult", "Band", "BandResult", "NdisCapable",
                                    "RoamSwitchResult"};

// The mode report's (mode, preference) for a search mode the settings send: 0 "2G Only" is mode
// 1, 1 "3G Only" mode 2, 2 "2G Preferred" mode 0 with preference 1, 3 "3G Preferred" and any
// other (automatic) mode 0 with preference 2.
std::pair<int, int> reportedModeOf(int searchMode)
{
    switch (searchMode) {
    case 0:
        return {1, 2};
    case 1:
        return {2, 2};
    case 2:
        return {0, 1};
    default:
        return {0, 2};
    }
}

bool anyChanged(const QVariantMap &a, const QVariantMap &b, std::initializer_list<const char *> keys)
{
    for (const char *k : keys)
        if (a.value(QLatin1String(k)) != b.value(QLatin1String(k)))
            return true;
    return false;
}

template <size_t N>
bool anyChanged(const QVariantMap &a, const QVariantMap &b, const char *const (&keys)[N])
{
    for (const char *k : keys)
        if (a.value(QLatin1String(k)) != b.value(QLatin1String(k)))
            return true;
    return false;
}

bool isGsm(const QString &technology)
{
    return technology == QLatin1String("GSM") || technology == QLatin1String("GPRS")
           || technology == QLatin1String("EDGE");
}

} // namespace

NetworkArea::NetworkArea()
{
    signalTimer_.callOnTimeout([this] {
        if (context_)
            pushSignal(*context_);
    });
}

QStringList NetworkArea::stateKeys() const
{
    QStringList keys;
    for (const char *k : kRegistrationKeys)
        keys << QLatin1String(k);
    for (const char *k : kSignalKeys)
        keys << QLatin1String(k);
    for (const char *k : kModeKeys)
        keys << QLatin1String(k);
    for (const char *k : kCellDetailKeys)
        keys << QLatin1String(k);
    for (const char *k : kSettingKeys)
        keys << QLatin1String(k);
    keys << QStringLiteral("SignalIntervalMs");
    return keys;
}

void NetworkArea::load(const QVariantMap &state)
{
    state_ = state;
    signalTimer_.stop();
    simReady_ = false;
    simChecked_ = false;
}

QVariantMap NetworkArea::state() const
{
    QVariantMap s = state_;
    s.insert(QStringLiteral("PacketService"), packetService());
    s.insert(QStringLiteral("SimReady"), simReady_);
    return s;
}

bool NetworkArea::registered() const
{
    return simReady_ && stateBool(state_, "Registered", true);
}

bool NetworkArea::packetService() const
{
    return registered() && stateText(state_, "Domain", QStringLiteral("CS_PS")).contains(QLatin1String("PS"));
}

std::array<std::int32_t, 3> NetworkArea::rssiWords(int csq, int rscpDbm, int ecnoDb, bool gsm)
{
    // CSQ 0-31 is -113 dBm and up in steps of 2; without a measurement the RSSI is taken as -120.
    const std::int32_t rssi = (csq >= 0 && csq <= 31) ? 113 - 2 * csq : 120;
    if (gsm)
        return {rssi, 1000, 1000};
    const bool measured = csq >= 0 && csq <= 31;
    return {rssi, measured ? -2 * ecnoDb : 50, measured ? -2 * rscpDbm : 242};
}

void NetworkArea::pushSignal(ModemContext &context)
{
    const int csq = stateInt(state_, "Csq", 20);
    if (stateText(state_, "SignalReport", QStringLiteral("rssi")).compare(QLatin1String("csq"), Qt::CaseInsensitive) == 0) {
        context.push(makeRecord(7, 35, 0, kOk, kDeviceModule, int32Payload({csq})));
        return;
    }
    const auto w = rssiWords(csq, stateInt(state_, "Rscp", -85), stateInt(state_, "EcNo", -6),
                             isGsm(stateText(state_, "Technology", QStringLiteral("UMTS"))));
    context.push(makeRecord(7, 55, 0, kOk, kDeviceModule, int32Payload({w[0], w[1], w[2]})));
}

void NetworkArea::pushNoService(ModemContext &context)
{
    yov::PayloadWriter info = answerPayload(7, 36);
    info.setText(108, 72, "NO_SERVICE");
    context.push(makeRecord(7, 36, 0, kOk, kDeviceModule, info.data()));
}

void NetworkArea::pushRegistration(ModemContext &context)
{
    if (!registered()) {
        pushNoService(context);
        yov::PayloadWriter plmn = answerPayload(7, 37); // registration flag 0: the network fields are not valid
        context.push(makeRecord(7, 37, 0, kOk, kDeviceModule, plmn.data()));
        yov::PayloadWriter reg = answerPayload(7, 38);
        reg.setInt32(0, 0);
        context.push(makeRecord(7, 38, 0, kOk, kDeviceModule, reg.data()));
        return;
    }
    const bool roaming = stateBool(state_, "Roaming", false);
    const QString mcc = stateText(state_, "Mcc", homeMcc_);
    const QString mnc = stateText(state_, "Mnc", homeMnc_);

    yov::PayloadWriter info = answerPayload(7, 36);
    info.setText(40, 68, stateText(state_, "Technology", QStringLiteral("UMTS")).toUtf8());
    info.setText(108, 72, stateText(state_, "Domain", QStringLiteral("CS_PS")).toUtf8());
    context.push(makeRecord(7, 36, 0, kOk, kDeviceModule, info.data()));

    const QString name = stateText(state_, "OperatorName", QStringLiteral("Vandrel"));
    yov::PayloadWriter plmn = answerPayload(7, 37);
    plmn.setText(0, 68, name.toUtf8());
    plmn.setText(68, 68, stateText(state_, "RoamingOperatorName", name).toUtf8());
    plmn.setText(136, 36, mcc.toLatin1());
    plmn.setText(172, 36, mnc.toLatin1());
    plmn.setText(208, 36, roaming ? "ROAM_ON" : "ROAM_OFF");
    plmn.setText(244, 36, homeMcc_.toLatin1());
    plmn.setText(280, 36, homeMnc_.toLatin1());
    plmn.setInt32(316, 1);
    plmn.setUint8(320, 1);
    context.push(makeRecord(7, 37, 0, kOk, kDeviceModule, plmn.data()));

    yov::PayloadWriter reg = answerPayload(7, 38);
    reg.setInt32(0, roaming ? 5 : 1);
    reg.setText(4, 10, stateText(state_, "Lac", QStringLiteral("1A2B")).toLatin1());
    reg.setText(14, 10, stateText(state_, "CellId", QStringLiteral("4F21")).toLatin1());
    context.push(makeRecord(7, 38, 0, kOk, kDeviceModule, reg.data()));
    pushCellDetails(context);
}

void NetworkArea::pushCellDetails(ModemContext &context)
{
    if (!registered())
        return;
    yov::PayloadWriter details = answerPayload(7, 56);
    details.setInt32(164, stateInt(state_, "Rac", 12));
    details.setText(168, 236 - 168, stateText(state_, "Frequency", QStringLiteral("2112.8")).toUtf8());
    details.setInt32(236, stateInt(state_, "Channel", 10564));
    details.setInt32(248, stateInt(state_, "RxQual", 2));
    details.setInt32(252, stateInt(state_, "RxLev", 45));
    context.push(makeRecord(7, 56, 0, kOk, kDeviceModule, details.data()));
}

void NetworkArea::pushModes(ModemContext &context)
{
    context.push(makeRecord(513, 75, 0, kOk, kDeviceModule,
                            int32Payload({stateInt(state_, "SearchMode", 0), stateInt(state_, "SelectedMode", 0),
                                          stateInt(state_, "PreferredMode", 2)})));
    context.push(makeRecord(513, 80, 0, kOk, kDeviceModule, int32Payload({stateInt(state_, "CdmaPreference", 8)})));
    context.push(makeRecord(513, 85, 1, kOk, kDeviceModule,
                            int32Payload({stateInt(state_, "NationalRoaming", 1),
                                          stateInt(state_, "InternationalRoaming", 1)})));
}

void NetworkArea::restartSignalTimer()
{
    signalTimer_.stop();
    const int interval = stateInt(state_, "SignalIntervalMs", 3000);
    if (simChecked_ && interval > 0)
        signalTimer_.start(qMax(50, interval));
}

void NetworkArea::onEvent(ModemEvent event, ModemContext &context)
{
    switch (event) {
    case ModemEvent::SimChecked: {
        simChecked_ = true;
        const auto *sim = dynamic_cast<const SimArea *>(context.area(QStringLiteral("Sim")));
        if (!sim || !sim->ready())
            pushNoService(context);
        pushSignal(context);
        restartSignalTimer();
        break;
    }
    case ModemEvent::SimReady:
        if (const auto *sim = dynamic_cast<const SimArea *>(context.area(QStringLiteral("Sim")))) {
            homeMcc_ = sim->homeMcc();
            homeMnc_ = sim->homeMnc();
        }
        simReady_ = true;
        pushRegistration(context);
        pushSignal(context);
        pushModes(context);
        pushBand(context);
        context.notify(ModemEvent::NetworkChanged);
        break;
    case ModemEvent::DeviceRemoved:
        signalTimer_.stop();
        simReady_ = false;
        simChecked_ = false;
        break;
    default:
        break;
    }
}

bool NetworkArea::attachPacketDomain(bool attach, ModemContext &context)
{
    if (!registered())
        return false;
    const QString domain = stateText(state_, "Domain", QStringLiteral("CS_PS"));
    QString next = domain;
    if (attach && domain == QLatin1String("CS_ONLY"))
        next = QStringLiteral("CS_PS");
    else if (!attach && domain == QLatin1String("CS_PS"))
        next = QStringLiteral("CS_ONLY");
    else if (!attach && domain == QLatin1String("PS_ONLY"))
        next = QStringLiteral("NO_SERVICE");
    if (next != domain) {
        const QVariantMap previous = state_;
        state_.insert(QStringLiteral("Domain"), next);
        changed(previous, context);
    }
    return true;
}

void NetworkArea::pushBand(ModemContext &context)
{
    context.push(makeRecord(513, 81, 1, kOk, kSettingModule, int32Payload({stateInt(state_, "Band", 3)})));
}

bool NetworkArea::handleRequest(const yov::UI_MSG &request, ModemContext &context)
{
    const yov::PayloadReader payload = yov::PayloadReader::ofMsg(request);
    const auto result = [this](const char *key) { return std::int8_t(stateInt(state_, key, 0)); };
    if (request.majorID == 513 && request.minorID == 76) {
        // The preferred mode: the device returns to automatic operator selection with it.
        const int searchMode = payload.int32(0);
        const std::int8_t answer = result("ModeResult");
        context.push(makeRecord(513, 76, 1, answer, request.moduleID));
        if (answer == kOk) {
            const auto [mode, preference] = reportedModeOf(searchMode);
            state_.insert(QStringLiteral("NetSearchMode"), searchMode);
            state_.insert(QStringLiteral("SearchMode"), mode);
            state_.insert(QStringLiteral("PreferredMode"), preference);
            state_.insert(QStringLiteral("SelectedMode"), 0);
        }
        if (simReady_)
            pushModes(context);
        return true;
    }
    if (request.majorID == 513 && request.minorID == 82) {
        const std::int8_t answer = result("BandResult");
        if (answer == kOk)
            state_.insert(QStringLiteral("Band"), payload.int32(0));
        context.push(makeRecord(513, 82, 1, answer, request.moduleID));
        if (answer == kOk)
            pushBand(context);
        return true;
    }
    if (request.majorID == 3 && request.minorID == 6) {
        state_.insert(QStringLiteral("CdmaPreference"), payload.int32(0));
        if (simReady_)
            context.push(makeRecord(513, 80, 0, kOk, kDeviceModule, int32Payload({payload.int32(0)})));
        return true;
    }
    if (request.majorID == 258 && request.minorID == 74) {
        context.push(makeRecord(258, 74, 1, kOk, request.moduleID, int32Payload({1, stateInt(state_, "NdisCapable", 0)})));
        return true;
    }
    if (request.majorID == 513 && request.minorID == 84) {
        const std::int8_t answer = result("RoamSwitchResult");
        context.push(makeRecord(513, 84, 1, answer, request.moduleID));
        if (answer == kOk) {
            state_.insert(QStringLiteral("NationalRoaming"), payload.int32(0) == 1 ? 1 : 0);
            state_.insert(QStringLiteral("InternationalRoaming"), payload.int32(4) == 1 ? 1 : 0);
            context.push(makeRecord(513, 85, 1, kOk, kDeviceModule,
                                    int32Payload({stateInt(state_, "NationalRoaming", 1),
                                                  stateInt(state_, "InternationalRoaming", 1)})));
        }
        return true;
    }
    return false;
}

void NetworkArea::changed(const QVariantMap &previous, ModemContext &context)
{
    if (!simChecked_)
        return; // nothing is reported before the device and its SIM are up; the state is kept
    if (anyChanged(previous, state_, kRegistrationKeys)) {
        pushRegistration(context);
        context.notify(ModemEvent::NetworkChanged);
    } else if (anyChanged(previous, state_, kCellDetailKeys)) {
        pushCellDetails(context);
    }
    if (anyChanged(previous, state_, kSignalKeys) || anyChanged(previous, state_, {"Technology"}))
        pushSignal(context);
    if (anyChanged(previous, state_, kModeKeys) && simReady_)
        pushModes(context);
    if (anyChanged(previous, state_, {"SignalIntervalMs"}))
        restartSignalTimer();
}

} // namespace brannoc
