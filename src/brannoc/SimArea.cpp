#include "brannoc/SimArea.h"

#include "brannoc/ModemRecords.h"
#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "common/records/settings/SettingsRecords.h"

namespace brannoc {

namespace {

constexpr int kPinAttempts = 3;
constexpr int kPukAttempts = 10;

const QString kDefaultImsi = QStringLiteral("262021234567890");
const QString kDefaultIccid = QStringLiteral("89490200001234567890");


bool validPin(const QByteArray &pin)
{
    if (pin.size() < 4 || pin.size() > 8)
        return false;
    for (char c : pin)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Three BCD bytes of a PLMN as the SIM stores them: MCC2 MCC1, MNC3 MCC3, MNC2 MNC1 (F for an
// absent third MNC digit), each byte written as two hexadecimal characters.
QByteArray plmnBytes(const QString &mccmnc)
{
    const QString mcc = mccmnc.left(3);
    const QString mnc = mccmnc.mid(3);
    if (mcc.size() != 3 || mnc.size() < 2 || mnc.size() > 3)
        return {};
    const QChar mnc3 = mnc.size() == 3 ? mnc[2] : QLatin1Char('F');
    const QString bytes = QString(mcc[1]) + mcc[0] + mnc3 + mcc[2] + mnc[1] + mnc[0];
    return bytes.toLatin1();
}

} // namespace

SimArea::SimArea()
{
    readTimer_.setSingleShot(true);
    readTimer_.callOnTimeout([this] {
        if (context_)
            pushFiles(*context_, announceOnRead_);
    });
}

QStringList SimArea::stateKeys() const
{
    return {QStringLiteral("Present"),     QStringLiteral("Status"),      QStringLiteral("Pin"),
            QStringLiteral("Puk"),         QStringLiteral("PinRequired"), QStringLiteral("PukRequired"),
            QStringLiteral("PinRemain"),   QStringLiteral("PukRemain"),   QStringLiteral("Imsi"),
            QStringLiteral("Iccid"),       QStringLiteral("OwnNumber"),   QStringLiteral("Spn"),
            QStringLiteral("SpnCondition"), QStringLiteral("Spdi"),       QStringLiteral("MncLength"),
            QStringLiteral("ReadDelayMs"), QStringLiteral("PinSaveRoad"), QStringLiteral("AutoValidation"),
            QStringLiteral("SavedPin"),    QStringLiteral("ReportMccMnc")};
}

void SimArea::load(const QVariantMap &state)
{
    state_ = state;
    readTimer_.stop();
    savedPin_ = stateText(state_, "SavedPin", QString());
    autoValidation_ = stateInt(state_, "AutoValidation", 0) == 1 ? 1 : 0;
    applyState();
}

void SimArea::applyState()
{
    present_ = stateBool(state_, "Present", true);
    pin_ = stateText(state_, "Pin", QStringLiteral("1234"));
    puk_ = stateText(state_, "Puk", QStringLiteral("12345678"));
    pinRemain_ = qBound(0, stateInt(state_, "PinRemain", kPinAttempts), kPinAttempts);
    pukRemain_ = qBound(0, stateInt(state_, "PukRemain", kPukAttempts), kPukAttempts);
    if (pukRemain_ == 0)
        lock_ = Lock::Blocked;
    else if (stateBool(state_, "PukRequired", false) || pinRemain_ == 0)
        lock_ = Lock::PukNeeded;
    else if (stateBool(state_, "PinRequired", false))
        lock_ = Lock::PinNeeded;
    else
        lock_ = Lock::Ready;
    if (lock_ == Lock::PukNeeded || lock_ == Lock::Blocked)
        pinRemain_ = 0;
    pinEnabled_ = stateBool(state_, "PinRequired", false);
}

void SimArea::syncState()
{
    state_.insert(QStringLiteral("Pin"), pin_);
    state_.insert(QStringLiteral("PinRemain"), pinRemain_);
    state_.insert(QStringLiteral("PukRemain"), pukRemain_);
    state_.insert(QStringLiteral("PukRequired"), lock_ == Lock::PukNeeded || lock_ == Lock::Blocked);
    state_.insert(QStringLiteral("PinRequired"), pinEnabled_);
}

QVariantMap SimArea::state() const
{
    static const char *const names[] = {"Ready", "PinNeeded", "PukNeeded", "Blocked"};
    QVariantMap s = state_;
    s.insert(QStringLiteral("Lock"), QString::fromLatin1(names[int(lock_)]));
    s.insert(QStringLiteral("Pin"), pin_);
    s.insert(QStringLiteral("PinRemain"), pinRemain_);
    s.insert(QStringLiteral("PukRemain"), pukRemain_);
    s.insert(QStringLiteral("SavedPin"), savedPin_);
    s.insert(QStringLiteral("AutoValidation"), autoValidation_);
    s.insert(QStringLiteral("PinRequired"), pinEnabled_);
    return s;
}

QString SimArea::imsi() const
{
    return stateText(state_, "Imsi", kDefaultImsi);
}

QString SimArea::ownNumber() const
{
    return stateText(state_, "OwnNumber", QStringLiteral("+491701234567"));
}

QString SimArea::homeMcc() const
{
    return imsi().left(3);
}

QString SimArea::homeMnc() const
{
    return imsi().mid(3, qBound(2, stateInt(state_, "MncLength", 2), 3));
}

QByteArray SimArea::iccidFileText(const QString &iccid)
{
    QByteArray digits = iccid.toLatin1();
    if (digits.size() % 2)
        digits += 'F';
    QByteArray out;
    for (int i = 0; i + 1 < digits.size(); i += 2)
        out += QByteArray() + digits[i + 1] + digits[i];
    return out;
}

QByteArray SimArea::spnFileText(int condition, const QString &spn)
{
    // EF_SPN: the display condition, then the name in the default alphabet (its ASCII letters and
    // digits are the same bytes), padded with FF to 17 bytes.
    QByteArray out = QByteArray::number(condition & 0xff, 16).rightJustified(2, '0').toUpper();
    const QByteArray name = spn.toLatin1().left(16);
    out += name.toHex().toUpper();
    for (int i = int(name.size()); i < 16; ++i)
        out += "FF";
    return out;
}

QByteArray SimArea::spdiFileText(const QStringList &mccmncs)
{
    QByteArray list;
    for (const QString &p : mccmncs) {
        const QByteArray b = plmnBytes(p);
        if (!b.isEmpty())
            list += b;
    }
    const int length = int(list.size() / 2);
    return "A3" + QByteArray::number(length + 2, 16).rightJustified(2, '0').toUpper() + "80"
           + QByteArray::number(length, 16).rightJustified(2, '0').toUpper() + list;
}

void SimArea::pushCounts(ModemContext &context)
{
    context.push(makeRecord(4, 8, 1, kOk, kDeviceModule, int32Payload({pinRemain_, pukRemain_})));
}

void SimArea::pushPinRequest(ModemContext &context)
{
    context.push(makeRecord(4, 13, 1, kOk, kDeviceModule, int32Payload({pinEnabled_ ? 1 : 0})));
}

void SimArea::pushCheck(ModemContext &context, bool announceChecked)
{
    if (!present_) {
        context.push(makeRecord(6, 32, 0, kFailed, kDeviceModule, int32Payload({-1})));
        if (announceChecked)
            context.notify(ModemEvent::SimChecked);
        return;
    }
    context.push(makeRecord(6, 32, 0, kOk, kDeviceModule, int32Payload({stateInt(state_, "Status", 1)})));
    switch (lock_) {
    case Lock::Ready:
        pushReady(context, announceChecked);
        return;
    case Lock::PinNeeded:
        if (autoValidation_ == 1 && !savedPin_.isEmpty()) {
            // The modem offers the PIN it keeps for the dashboard to enter.
            context.push(makeRecord(4, 16, 1, kOk, kDeviceModule, int32Payload({1, 1})));
            QByteArray pin(10, '\0');
            const QByteArray saved = savedPin_.toLatin1().left(10);
            pin.replace(0, saved.size(), saved);
            context.push(makeRecord(4, 19, 1, kOk, kDeviceModule, pin));
        }
        context.push(makeRecord(4, 10, 0, kFailed, kDeviceModule));
        break;
    case Lock::PukNeeded:
    case Lock::Blocked:
        context.push(makeRecord(4, 11, 0, kFailed, kDeviceModule));
        break;
    }
    pushCounts(context);
    if (announceChecked)
        context.notify(ModemEvent::SimChecked);
}

void SimArea::pushReady(ModemContext &context, bool announceChecked)
{
    context.push(makeRecord(4, 9, 0, kOk, kDeviceModule));
    pushCounts(context);
    const int delay = stateInt(state_, "ReadDelayMs", 300);
    if (delay <= 0) {
        pushFiles(context, announceChecked);
        return;
    }
    announceOnRead_ = announceChecked;
    readTimer_.start(delay);
}

void SimArea::pushFiles(ModemContext &context, bool announceChecked)
{
    if (!ready())
        return;
    context.push(makeRecord(7, 42, 1, kOk, kDeviceModule, textAnswer(7, 42, imsi().toLatin1())));
    context.push(makeRecord(7, 41, 0, kOk, kDeviceModule,
                            textAnswer(7, 41, iccidFileText(stateText(state_, "Iccid", kDefaultIccid)))));
    if (stateBool(state_, "ReportMccMnc", false)) {
        // The SIM's home network as two texts, MCC then MNC, in fields of 32 characters.
        QByteArray mccMnc(2 * kMccMncFieldWidth, '\0');
        const QByteArray mcc = homeMcc().toLatin1().left(kMccMncFieldWidth - 1);
        const QByteArray mnc = homeMnc().toLatin1().left(kMccMncFieldWidth - 1);
        mccMnc.replace(0, mcc.size(), mcc);
        mccMnc.replace(kMccMncFieldWidth, mnc.size(), mnc);
        context.push(makeRecord(7, 51, 0, kOk, kDeviceModule, mccMnc));
    }
    if (announceChecked)
        context.notify(ModemEvent::SimChecked);
    context.push(makeRecord(7, 47, 0, kOk, kDeviceModule,
                            textAnswer(7, 47, stateText(state_, "OwnNumber", QStringLiteral("+491701234567")).toLatin1())));
    context.push(makeRecord(
        7, 40, 0, kOk, kDeviceModule,
        textAnswer(7, 40, spnFileText(stateInt(state_, "SpnCondition", 1), stateText(state_, "Spn", QStringLiteral("Vandrel"))))));
    QStringList spdi;
    for (const QVariant &v : yov::nsArray(state_.value(QStringLiteral("Spdi"))))
        spdi << yov::nsString(v);
    context.push(makeRecord(7, 39, 0, kOk, kDeviceModule, textAnswer(7, 39, spdiFileText(spdi))));
    context.push(makeRecord(7, 57, 0, kOk, kDeviceModule,
                            int32Payload({homeMcc().toInt(), homeMnc().toInt()})));
    pushPinRequest(context);
    context.notify(ModemEvent::SimReady);
}

void SimArea::onEvent(ModemEvent event, ModemContext &context)
{
    if (event == ModemEvent::DeviceReady)
        pushCheck(context, true);
    else if (event == ModemEvent::DeviceRemoved)
        readTimer_.stop();
}

bool SimArea::handleRequest(const yov::UI_MSG &request, ModemContext &context)
{
    if (request.majorID == 4) {
        switch (request.minorID) {
        case 8: // the counts, asked by the settings window
            context.push(makeRecord(4, 8, 1, kOk, request.moduleID, int32Payload({pinRemain_, pukRemain_})));
            return true;
        case 10:
            verifyPin(request, context);
            return true;
        case 11:
            verifyPuk(request, context);
            return true;
        case 12:
            changePin(request, context);
            return true;
        case 14:
            switchPinRequest(request, context);
            return true;
        case 15: // PIN entry cancelled: the SIM keeps waiting
        case 16: // acknowledgement of the auto-validation state
            return true;
        case 17: {
            const QByteArray pin = yov::PayloadReader::ofMsg(request).text(0, 10);
            const bool ok = validPin(pin);
            if (ok)
                savedPin_ = QString::fromLatin1(pin);
            context.push(makeRecord(4, 17, 1, ok ? kOk : kFailed, request.moduleID));
            return true;
        }
        case 18:
            autoValidation_ = yov::PayloadReader::ofMsg(request).int32(0) == 1 ? 1 : 0;
            context.push(makeRecord(4, 18, 1, kOk, request.moduleID));
            return true;
        default:
            return false;
        }
    }
    if (request.majorID == 7 && request.minorID == 42) {
        if (ready())
            context.push(makeRecord(7, 42, 1, kOk, request.moduleID, textAnswer(7, 42, imsi().toLatin1())));
        else
            context.push(makeRecord(7, 42, 1, kFailed, request.moduleID));
        return true;
    }
    return false;
}

void SimArea::verifyPin(const yov::UI_MSG &request, ModemContext &context)
{
    const QByteArray pin = yov::PayloadReader::ofMsg(request).text(0, 10);
    if (!present_ || lock_ == Lock::Ready) {
        // Nothing to verify: a plain failure that leaves the SIM as it is.
        context.push(makeRecord(4, 10, 1, kFailed, request.moduleID));
        return;
    }
    if (lock_ == Lock::PinNeeded && pin == pin_.toLatin1()) {
        lock_ = Lock::Ready;
        pinRemain_ = kPinAttempts;
        syncState();
        if (stateBool(state_, "PinSaveRoad", false))
            context.push(makeRecord(4, 10, 0, kOk, kDeviceModule));
        context.push(makeRecord(4, 10, 1, kOk, request.moduleID));
        pushReady(context, false);
        return;
    }
    if (lock_ == Lock::PinNeeded && --pinRemain_ <= 0) {
        pinRemain_ = 0;
        lock_ = Lock::PukNeeded;
    }
    syncState();
    // A code is still asked for: the device's own report, then the counts.
    context.push(makeRecord(4, 10, 0, kFailed, kDeviceModule));
    pushCounts(context);
}

bool SimArea::checkPin(const QByteArray &pin)
{
    if (pin == pin_.toLatin1()) {
        pinRemain_ = kPinAttempts;
        return true;
    }
    if (--pinRemain_ <= 0) {
        pinRemain_ = 0;
        lock_ = Lock::PukNeeded;
    }
    return false;
}

void SimArea::switchPinRequest(const yov::UI_MSG &request, ModemContext &context)
{
    const yov::PinRequestSwitch r = yov::PinRequestSwitch::decode(yov::PayloadReader::ofMsg(request));
    // Only a ready SIM takes the request; a refusal there costs no try.
    const bool ok = ready() && checkPin(r.pin);
    if (ok)
        pinEnabled_ = r.enable == 1;
    syncState();
    context.push(makeRecord(4, 14, 1, ok ? kOk : kFailed, request.moduleID));
    if (ok)
        pushPinRequest(context);
}

void SimArea::changePin(const yov::UI_MSG &request, ModemContext &context)
{
    const yov::PinPair r = yov::PinPair::decode(yov::PayloadReader::ofMsg(request));
    // A new PIN that is no PIN is refused before the old one is looked at: it costs no try.
    const bool ok = ready() && validPin(r.second) && checkPin(r.first);
    if (ok)
        pin_ = QString::fromLatin1(r.second);
    syncState();
    context.push(makeRecord(4, 12, 1, ok ? kOk : kFailed, request.moduleID));
}

void SimArea::verifyPuk(const yov::UI_MSG &request, ModemContext &context)
{
    const yov::PayloadReader payload = yov::PayloadReader::ofMsg(request);
    const QByteArray newPin = payload.text(0, 10);
    const QByteArray puk = payload.text(10, 10);
    if (!present_ || lock_ != Lock::PukNeeded) {
        context.push(makeRecord(4, 11, 1, kFailed, request.moduleID));
        return;
    }
    if (puk == puk_.toLatin1() && validPin(newPin)) {
        pin_ = QString::fromLatin1(newPin);
        lock_ = Lock::Ready;
        pinRemain_ = kPinAttempts;
        pukRemain_ = kPukAttempts;
        syncState();
        context.push(makeRecord(4, 11, 1, kOk, request.moduleID));
        pushReady(context, false);
        return;
    }
    // A PUK that is right but comes with an unusable new PIN costs no attempt.
    if (puk != puk_.toLatin1() && --pukRemain_ <= 0) {
        pukRemain_ = 0;
        lock_ = Lock::Blocked;
    }
    syncState();
    context.push(makeRecord(4, 11, 1, kFailed, request.moduleID));
    context.push(makeRecord(4, 10, 0, kFailed, kDeviceModule));
    pushCounts(context);
}

void SimArea::changed(const QVariantMap &, ModemContext &context)
{
    // Any change of the SIM is a new SIM check, as after putting a SIM in.
    readTimer_.stop();
    applyState();
    pushCheck(context, false);
}

} // namespace brannoc
