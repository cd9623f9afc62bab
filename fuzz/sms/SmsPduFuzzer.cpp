// Feeds arbitrary text to every PDU decoder and the alphabet decoders. Beyond what the sanitizers
// see, it stops when a decoder writes past the record or leaves a text field unterminated.
#include "common/sms/GsmAlphabet.h"
#include "common/sms/PduCodec.h"

#include <cstdlib>
#include <cstring>

namespace {

using namespace yov::sms;

constexpr std::uint8_t kGuard = 0xA5;

struct GuardedPduRecord {
    SmsPduRecord record;
    std::uint8_t guard[64];
};

void requireSound(const GuardedPduRecord &guarded)
{
    const SmsPduRecord &r = guarded.record;
    const bool terminated = std::memchr(r.serviceCentre, 0, sizeof r.serviceCentre)
        && std::memchr(r.address, 0, sizeof r.address) && std::memchr(r.timeStamp, 0, sizeof r.timeStamp)
        && std::memchr(r.userData, 0, sizeof r.userData) && std::memchr(r.dischargeTime, 0, sizeof r.dischargeTime);
    if (!terminated)
        std::abort();
    for (std::uint8_t byte : guarded.guard) {
        if (byte != kGuard)
            std::abort();
    }
}

using PduDecoder = int (*)(const SmsCodecOptions &, const char *, int, SmsPduRecord *);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > 2 * kMaxPduOctets + 8)
        return 0;
    const char *text = reinterpret_cast<const char *>(data);
    const int length = static_cast<int>(size);

    SmsCodecOptions options;
    options.autoDeleteVoicemail = size % 2 == 0;
    options.decodePduDoNotUseSms7toUcs2 = size % 3 == 0;
    options.nationalIdentifier = size % 5 == 0 ? QStringLiteral("SpanishSingle") : QString();

    const PduDecoder decoders[] = {DecodePdu_Delivery, DecodePdu_Submit, Decode_Class0_PDU, STATUS_REPORT_PDU,
                                   Decode_BroadCast_PDU};
    for (PduDecoder decoder : decoders) {
        GuardedPduRecord guarded;
        std::memset(static_cast<void *>(&guarded), kGuard, sizeof guarded);
        if (decoder(options, text, length, &guarded.record) > 160)
            std::abort();
        requireSound(guarded);
    }
    for (int header = 0; header < 2; ++header) {
        GuardedPduRecord guarded;
        std::memset(static_cast<void *>(&guarded), kGuard, sizeof guarded);
        std::uint8_t septets[161];
        dc7BitHexStr2Str(text, length, header, septets, sizeof septets, &guarded.record);
        requireSound(guarded);
    }

    std::uint16_t units[600];
    Usc2orGSM7toAscDecode(options, text, length, units, 600);
    utAlphaIdToUcs2(options, data, length, units, 600);
    SMS7toUcs2(options, units, 600, data, length);
    return 0;
}
