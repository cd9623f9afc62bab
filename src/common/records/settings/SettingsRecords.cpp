#include "common/records/settings/SettingsRecords.h"

#include <algorithm>
#include <iterator>

namespace yov {

bool isDeviceLockCode(const QByteArray &code)
{
    if (code.size() != 4)
        return false;
    for (char c : code)
        if (c < '0' || c > '9')
            return false;
    return true;
}

QByteArray DeviceLockSwitchRequest::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, enable);
    w.setBytes(4, 4, code.left(4));
    w.setInt32(8, 0);
    return w.data();
}

DeviceLockSwitchRequest DeviceLockSwitchRequest::decode(const PayloadReader &payload)
{
    DeviceLockSwitchRequest r;
    r.enable = payload.int32(0);
    r.code = payload.bytes(4, 4);
    return r;
}

QByteArray DeviceLockCodeChange::encode() const
{
    PayloadWriter w(kSize);
    w.setText(0, 5, oldCode.left(4));
    w.setText(5, 5, newCode.left(4));
    return w.data();
}

DeviceLockCodeChange DeviceLockCodeChange::decode(const PayloadReader &payload)
{
    DeviceLockCodeChange r;
    r.oldCode = payload.bytes(0, 4);
    r.newCode = payload.bytes(5, 4);
    return r;
}

QByteArray PinPair::encode() const
{
    PayloadWriter w(kSize);
    w.setText(0, 10, first);
    w.setText(10, 10, second);
    return w.data();
}

PinPair PinPair::decode(const PayloadReader &payload)
{
    return {payload.text(0, 10), payload.text(10, 10)};
}

QByteArray PinRequestSwitch::encode() const
{
    PayloadWriter w(kSize);
    w.setText(0, 12, pin);
    w.setInt32(12, enable);
    return w.data();
}

PinRequestSwitch PinRequestSwitch::decode(const PayloadReader &payload)
{
    PinRequestSwitch r;
    r.pin = payload.text(0, 12);
    r.enable = payload.int32(12);
    return r;
}

QByteArray PinToKeep::encode() const
{
    PayloadWriter w(kSize);
    w.setText(0, 10, pin);
    return w.data();
}

QByteArray PinAutoValidationSwitch::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, enable);
    return w.data();
}

int callBarringFacilityIndex(const QByteArray &facility)
{
    for (int i = 0; i < int(std::size(kCallBarringFacility)); ++i)
        if (facility == kCallBarringFacility[i])
            return i;
    return -1;
}

QByteArray CallForwardRequest::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, reason);
    w.setInt32(4, mode);
    if (mode != callsetmsg::kModeQuery)
        w.setText(8, 32, number);
    w.setInt32(40, numberType);
    w.setInt32(44, callClass);
    return w.data();
}

CallForwardRequest CallForwardRequest::decode(const PayloadReader &payload)
{
    CallForwardRequest r;
    r.reason = payload.int32(0);
    r.mode = payload.int32(4);
    r.number = payload.text(8, 32);
    r.numberType = payload.int32(40);
    r.callClass = payload.int32(44);
    return r;
}

QByteArray CallBarRequest::encode() const
{
    PayloadWriter w(kSize);
    w.setText(0, 3, facility);
    w.setInt32(12, mode);
    if (mode != callsetmsg::kModeQuery)
        w.setText(16, 12, password);
    w.setInt32(28, callClass);
    return w.data();
}

CallBarRequest CallBarRequest::decode(const PayloadReader &payload)
{
    CallBarRequest r;
    r.facility = payload.text(0, 3);
    r.mode = payload.int32(12);
    r.password = payload.text(16, 12);
    r.callClass = payload.int32(28);
    return r;
}

QByteArray CallWaitRequest::encode() const
{
    return int32Words({enable, mode, callClass});
}

CallWaitRequest CallWaitRequest::decode(const PayloadReader &payload)
{
    CallWaitRequest r;
    r.enable = payload.int32(0);
    r.mode = payload.int32(4);
    r.callClass = payload.int32(8);
    return r;
}

namespace {
// The items a status record of that count carries: the count clamped to 0..20, and no item that
// lies past the bytes received.
int carriedStatusItems(const PayloadReader &payload, std::int32_t count, int itemSize)
{
    const int clamped = std::clamp<std::int32_t>(count, 0, callsetmsg::kStatusItems);
    const int room = payload.size() > 4 ? (payload.size() - 4) / itemSize : 0;
    return std::min(clamped, room);
}
} // namespace

QByteArray CallForwardStatus::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, count);
    for (int i = 0; i < std::min<int>(int(items.size()), callsetmsg::kStatusItems); ++i) {
        const int at = 4 + i * kItemSize;
        w.setInt32(at, items[i].status);
        w.setInt32(at + 4, items[i].callClass);
        w.setText(at + 8, 32, items[i].number);
        w.setInt32(at + 40, items[i].numberType);
    }
    return w.data();
}

CallForwardStatus CallForwardStatus::decode(const PayloadReader &payload)
{
    CallForwardStatus r;
    r.count = payload.int32(0);
    const int n = carriedStatusItems(payload, r.count, kItemSize);
    for (int i = 0; i < n; ++i) {
        const int at = 4 + i * kItemSize;
        r.items.append({payload.int32(at), payload.int32(at + 4), payload.text(at + 8, 32), payload.int32(at + 40)});
    }
    return r;
}

QByteArray CallWaitStatus::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, count);
    for (int i = 0; i < std::min<int>(int(items.size()), callsetmsg::kStatusItems); ++i) {
        w.setInt32(4 + i * 8, items[i].status);
        w.setInt32(8 + i * 8, items[i].callClass);
    }
    return w.data();
}

CallWaitStatus CallWaitStatus::decode(const PayloadReader &payload)
{
    CallWaitStatus r;
    r.count = payload.int32(0);
    const int n = carriedStatusItems(payload, r.count, 8);
    for (int i = 0; i < n; ++i)
        r.items.append({payload.int32(4 + i * 8), payload.int32(8 + i * 8)});
    return r;
}

QByteArray CallBarStatus::encode() const
{
    return int32Words({status});
}

CallBarStatus CallBarStatus::decode(const PayloadReader &payload)
{
    return CallBarStatus{payload.int32(0)};
}

QByteArray Int32Record::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, value);
    return w.data();
}

Int32Record Int32Record::decode(const PayloadReader &payload) { return {payload.int32(0)}; }

QByteArray SearchModeRecord::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, searchMode);
    w.setInt32(4, 0);
    return w.data();
}

SearchModeRecord SearchModeRecord::decode(const PayloadReader &payload) { return {payload.int32(0)}; }

QByteArray RoamSwitchRecord::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, nRoam);
    w.setInt32(4, iRoam);
    return w.data();
}

RoamSwitchRecord RoamSwitchRecord::decode(const PayloadReader &payload) { return {payload.int32(0), payload.int32(4)}; }

} // namespace yov
