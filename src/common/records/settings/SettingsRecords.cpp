#include "common/records/settings/SettingsRecords.h"

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

} // namespace yov
