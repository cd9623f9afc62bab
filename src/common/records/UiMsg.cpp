#include "common/records/UiMsg.h"

#include <algorithm>
#include <cstring>

namespace yov {

QString msgNotificationName(std::uint16_t major, std::uint16_t minor)
{
    return QLatin1String(kMsgUserInfo) + QString::number(messageID(major, minor));
}

UI_MSG zeroMsg()
{
    UI_MSG msg;
    std::memset(&msg, 0, sizeof msg);
    return msg;
}

QByteArray msgBytes(const UI_MSG &msg)
{
    return QByteArray(reinterpret_cast<const char *>(&msg), kUiMsgSize);
}

int msgFromBytes(const QByteArray &bytes, UI_MSG &msg)
{
    const int n = std::min<qsizetype>(bytes.size(), kUiMsgSize);
    auto *dst = reinterpret_cast<char *>(&msg);
    if (n > 0)
        std::memcpy(dst, bytes.constData(), size_t(n));
    std::memset(dst + n, 0, size_t(kUiMsgSize - n));
    return n;
}

bool msgHead(const QByteArray &bytes, std::uint16_t *major, std::uint16_t *minor)
{
    if (bytes.size() < kUiMsgHeadSize)
        return false;
    std::uint16_t ma, mi;
    std::memcpy(&ma, bytes.constData() + 8, 2);
    std::memcpy(&mi, bytes.constData() + 10, 2);
    if (major)
        *major = ma;
    if (minor)
        *minor = mi;
    return true;
}

} // namespace yov
