#include "brannoc/DeviceStateArea.h"

#include "brannoc/ModemRecords.h"
#include "common/records/Payload.h"
#include "common/records/settings/SettingsRecords.h"

namespace brannoc {

namespace {

const QString kDefaultImei = QStringLiteral("358000001234563");


} // namespace

QStringList DeviceStateArea::stateKeys() const
{
    return {QStringLiteral("DeviceMode"),      QStringLiteral("Locked"),
            QStringLiteral("UnlockCode"),      QStringLiteral("Imei"),
            QStringLiteral("FirmwareVersion"), QStringLiteral("InternalFirmwareVersion"),
            QStringLiteral("HardwareVersion"), QStringLiteral("Model")};
}

void DeviceStateArea::load(const QVariantMap &state)
{
    state_ = state;
    locked_ = stateBool(state_, "Locked", false);
    ready_ = false;
    online_ = true;
}

QVariantMap DeviceStateArea::state() const
{
    QVariantMap s = state_;
    s.insert(QStringLiteral("Locked"), locked_);
    s.insert(QStringLiteral("Online"), online_);
    return s;
}

void DeviceStateArea::startup(ModemContext &context)
{
    ready_ = false;
    context.push(makeRecord(1, 0, 0, kOk, kDeviceModule));
    context.push(makeRecord(8, 58, 0, kOk, kDeviceModule));
    context.push(makeRecord(0, 26, 0, kOk, kDeviceModule, int32Payload({locked_ ? 1 : 0})));
    context.push(makeRecord(3, 5, 0, kOk, kDeviceModule, int32Payload({stateInt(state_, "DeviceMode", 4)})));
    if (!locked_) {
        ready_ = true;
        context.notify(ModemEvent::DeviceReady);
    }
}

void DeviceStateArea::pushIdentity(ModemContext &context)
{
    const auto identity = [&](std::uint16_t minor, const char *key, const QString &fallback) {
        context.push(makeRecord(7, minor, 0, kOk, kDeviceModule, textAnswer(7, minor, stateText(state_, key, fallback).toUtf8())));
    };
    identity(50, "Imei", kDefaultImei);
    identity(44, "FirmwareVersion", QStringLiteral("11.608.14.01.00"));
    identity(45, "InternalFirmwareVersion", QStringLiteral("11.608.14.01.00.B370"));
    identity(48, "HardwareVersion", QStringLiteral("CH2E353SM"));
    identity(49, "Model", QStringLiteral("K3765"));
}

void DeviceStateArea::onEvent(ModemEvent event, ModemContext &context)
{
    if (event == ModemEvent::SimChecked)
        pushIdentity(context);
    else if (event == ModemEvent::DeviceRemoved)
        ready_ = false;
}

bool DeviceStateArea::handleRequest(const yov::UI_MSG &request, ModemContext &context)
{
    if (request.majorID == 3 && (request.minorID == 3 || request.minorID == 4)) {
        online_ = request.minorID == 3;
        context.push(makeRecord(3, request.minorID, request.type, kOk, kDeviceModule));
        return true;
    }
    if (request.majorID == 5 && request.minorID == 27) {
        // The code is four ASCII digits without a terminator; anything else is a wrong code.
        const yov::PayloadReader payload = yov::PayloadReader::ofMsg(request);
        const QByteArray code = request.dataLength == 4 ? payload.bytes(0, 4) : QByteArray();
        const bool right = !code.isEmpty() && code == stateText(state_, "UnlockCode", QStringLiteral("1234")).toLatin1();
        // The settings window (module 3) takes its answer under 512, the device-state window under 0.
        const std::uint16_t major = request.moduleID == 3 ? 512 : 0;
        context.push(makeRecord(major, 164, request.type, right ? kOk : kFailed, request.moduleID));
        if (right && locked_) {
            locked_ = false;
            if (!ready_) {
                ready_ = true;
                context.notify(ModemEvent::DeviceReady);
            }
        }
        return true;
    }
    if (request.majorID == yov::settingmsg::kMajorDeviceLock && request.minorID == yov::settingmsg::kMinorLockSwitch) {
        // The user's lock on or off, with the current code; a wrong code changes nothing.
        const yov::PayloadReader payload = yov::PayloadReader::ofMsg(request);
        const auto lock = yov::DeviceLockSwitchRequest::decode(payload);
        const bool right = request.dataLength == yov::DeviceLockSwitchRequest::kSize && rightCode(lock.code);
        if (right) {
            locked_ = lock.enable != 0;
            state_.insert(QStringLiteral("Locked"), locked_);
        }
        context.push(makeRecord(yov::settingmsg::kMajorLockStatus, yov::settingmsg::kMinorLockSwitchResult, 1,
                                right ? kOk : kFailed, 3));
        return true;
    }
    if (request.majorID == yov::settingmsg::kMajorDeviceLock && request.minorID == yov::settingmsg::kMinorCodeChange) {
        const yov::PayloadReader payload = yov::PayloadReader::ofMsg(request);
        const auto change = yov::DeviceLockCodeChange::decode(payload);
        const bool right = request.dataLength == yov::DeviceLockCodeChange::kSize && rightCode(change.oldCode) &&
                           yov::isDeviceLockCode(change.newCode);
        if (right)
            state_.insert(QStringLiteral("UnlockCode"), QString::fromLatin1(change.newCode));
        context.push(makeRecord(yov::settingmsg::kMajorLockStatus, yov::settingmsg::kMinorCodeChangeResult, 1,
                                right ? kOk : kFailed, 3));
        return true;
    }
    return false;
}

bool DeviceStateArea::rightCode(const QByteArray &code) const
{
    return yov::isDeviceLockCode(code) && code == stateText(state_, "UnlockCode", QStringLiteral("1234")).toLatin1();
}

void DeviceStateArea::changed(const QVariantMap &previous, ModemContext &context)
{
    const bool wasLocked = stateBool(previous, "Locked", false);
    const bool nowLocked = stateBool(state_, "Locked", false);
    if (wasLocked != nowLocked) {
        locked_ = nowLocked;
        context.push(makeRecord(0, 26, 0, kOk, kDeviceModule, int32Payload({locked_ ? 1 : 0})));
        if (!locked_ && !ready_) {
            ready_ = true;
            context.notify(ModemEvent::DeviceReady);
        }
    }
    if (stateInt(previous, "DeviceMode", 4) != stateInt(state_, "DeviceMode", 4))
        context.push(makeRecord(3, 5, 0, kOk, kDeviceModule, int32Payload({stateInt(state_, "DeviceMode", 4)})));
    for (const char *key : {"Imei", "FirmwareVersion", "InternalFirmwareVersion", "HardwareVersion", "Model"})
        if (previous.value(QLatin1String(key)) != state_.value(QLatin1String(key))) {
            pushIdentity(context);
            break;
        }
}

} // namespace brannoc
