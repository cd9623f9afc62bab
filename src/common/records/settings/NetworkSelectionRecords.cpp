#include "common/records/settings/NetworkSelectionRecords.h"

#include <algorithm>
#include <cstring>

namespace yov {

void NetSearchEntry::encodeInto(PayloadWriter &writer, int offset) const
{
    // setBytes zero-fills the field first: a text shorter than its field ends terminated, a text
    // of the field's width (or longer, cut) has no terminator, as some devices send it.
    writer.setInt32(offset, state);
    writer.setBytes(offset + 4, kLongWidth, longName);
    writer.setBytes(offset + 72, kShortWidth, shortName);
    writer.setBytes(offset + 92, kNumericWidth, numeric);
    writer.setBytes(offset + 104, kTechnologyWidth, technology);
}

NetSearchEntry NetSearchEntry::decode(const PayloadReader &payload, int offset)
{
    NetSearchEntry e;
    e.state = payload.int32(offset);
    e.longName = payload.text(offset + 4, kLongWidth);
    e.shortName = payload.text(offset + 72, kShortWidth);
    e.numeric = payload.text(offset + 92, kNumericWidth);
    e.technology = payload.text(offset + 104, kTechnologyWidth);
    return e;
}

QByteArray NetSearchResult::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, count);
    const int n = std::min<int>(int(entries.size()), kMaxEntries);
    for (int i = 0; i < n; ++i)
        entries[i].encodeInto(w, 4 + i * NetSearchEntry::kSize);
    return w.data();
}

NetSearchResult NetSearchResult::decode(const PayloadReader &payload)
{
    // Only the record's first 3844 bytes belong to the list, whatever the device sent behind them.
    const PayloadReader list(payload.bytes(0, kSize));
    NetSearchResult r;
    r.count = list.int32(0);
    const int n = std::clamp<int>(r.count, 0, kMaxEntries);
    for (int i = 0; i < n; ++i) {
        const int offset = 4 + i * NetSearchEntry::kSize;
        if (!list.has(offset, 4))
            break;
        NetSearchEntry e = NetSearchEntry::decode(list, offset);
        if (e.state == 0)
            break;
        r.entries.append(e);
    }
    return r;
}

QByteArray ManualSelectRequest::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, mode);
    w.setInt32(4, 0);
    w.setText(8, kNumericWidth, numeric); // at most 67 characters and the terminator
    w.setInt32(76, technology);
    return w.data();
}

ManualSelectRequest ManualSelectRequest::decode(const PayloadReader &payload)
{
    return {payload.int32(0), payload.text(8, kNumericWidth), payload.int32(76)};
}

QByteArray ManualSelectResult::encode() const
{
    PayloadWriter w(kSize);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &quality, sizeof bits);
    w.setInt32(0, std::int32_t(bits));
    w.setBytes(4, kNumericWidth, numeric);
    w.setUint8(40, std::uint8_t(technology));
    return w.data();
}

ManualSelectResult ManualSelectResult::decode(const PayloadReader &payload)
{
    ManualSelectResult r;
    const std::uint32_t bits = payload.uint32(0);
    std::memcpy(&r.quality, &bits, sizeof bits);
    r.numeric = payload.text(4, kNumericWidth);
    r.technology = char(payload.uint8(40));
    return r;
}

} // namespace yov
