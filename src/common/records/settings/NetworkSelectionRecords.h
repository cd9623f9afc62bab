#pragma once
// Payload records of the operator search and manual operator selection (major 513, module 3).
// Shared by the dashboard, which sends the requests and reads the answers, and the stand-in
// device service. Little-endian, fields at fixed offsets. Character fields are read within their
// width whether or not the device terminated them.
#include "common/records/MessageCatalogue.h"
#include "common/records/Payload.h"
#include "common/records/settings/SettingsRecords.h"

#include <QByteArray>
#include <QList>

#include <cstdint>

namespace yov {

namespace netselmsg {
inline constexpr std::uint16_t kMajor = 513;
inline constexpr std::uint16_t kMinorSearch = 78;      // SearchModeRecord; answer: NetSearchResult
inline constexpr std::uint16_t kMinorSelect = 79;      // ManualSelectRequest; answer: ManualSelectResult
inline constexpr std::uint16_t kMinorSelectMode = 83;  // report: int32 0 automatic, other manual
inline constexpr std::uint16_t kMinorCheckStatus = 88; // no data; answered by a later 79
inline constexpr std::uint16_t kMinorCancelSearch = 89;// no data
} // namespace netselmsg

// One operator of a search answer (128 bytes).
struct NetSearchEntry {
    static constexpr int kSize = 128;
    static constexpr int kLongWidth = 68;
    static constexpr int kShortWidth = 20;
    static constexpr int kNumericWidth = 12;
    static constexpr int kTechnologyWidth = 24;

    std::int32_t state = 0; // 0 ends the list, 1 available, 2 current, 3 forbidden
    QByteArray longName;
    QByteArray shortName;
    QByteArray numeric;
    QByteArray technology; // decimal text

    // Writes the entry at offset of the writer (texts cut to their widths, terminated when they fit).
    void encodeInto(PayloadWriter &writer, int offset) const;
    static NetSearchEntry decode(const PayloadReader &payload, int offset);
};

// 513/78 answer: int32 count, then up to 30 entries. Only the first 3844 bytes are read; the count
// is clamped to 0..30 and the list ends at the first entry of state 0.
struct NetSearchResult {
    static constexpr int kMaxEntries = 30;
    static constexpr int kSize = 4 + kMaxEntries * NetSearchEntry::kSize; // 3844

    std::int32_t count = 0; // as the device sent it
    QList<NetSearchEntry> entries;

    // Writes count as it stands and the first 30 entries.
    QByteArray encode() const;
    static NetSearchResult decode(const PayloadReader &payload);
};

// 513/79 request (80 bytes): selection mode, 0, the numeric operator (at most 67 characters,
// terminated) and the access technology as an integer.
struct ManualSelectRequest {
    static constexpr int kSize = 80;
    static constexpr int kNumericWidth = 68;

    std::int32_t mode = 1;
    QByteArray numeric;
    std::int32_t technology = 0;

    QByteArray encode() const;
    static ManualSelectRequest decode(const PayloadReader &payload);
};

// 513/79 answer as one device variant carries it (the first 180 bytes): a float that is above 0.0
// for a success, the numeric operator of the registration and its technology character.
struct ManualSelectResult {
    static constexpr int kSize = 180;
    static constexpr int kNumericWidth = 36;

    float quality = 0.0f;
    QByteArray numeric;
    char technology = 0; // '2' or '3'

    QByteArray encode() const;
    static ManualSelectResult decode(const PayloadReader &payload);
};

static_assert(requestPayloadSize(netselmsg::kMajor, netselmsg::kMinorSearch) == SearchModeRecord::kSize);
static_assert(requestPayloadSize(netselmsg::kMajor, netselmsg::kMinorSelect) == ManualSelectRequest::kSize);
static_assert(requestPayloadSize(netselmsg::kMajor, netselmsg::kMinorCheckStatus) == 0);
static_assert(requestPayloadSize(netselmsg::kMajor, netselmsg::kMinorCancelSearch) == 0);

} // namespace yov
