// Decoding 10,000 PDUs (7-bit, UCS-2 and concatenated parts, mixed) and counting the parts of
// 10,000 editor texts of 1 to 765 characters, as the editor does on every change.
#include "common/sms/PduCodec.h"
#include "common/sms/SmsLengthCount.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace yov::sms;

constexpr int kBatch = 10000;

SmsPduRecord deliverRecord(std::mt19937 &random, int kind)
{
    SmsPduRecord r;
    std::memset(&r, 0, sizeof r);
    std::strcpy(r.serviceCentre, "+31624000000");
    std::strcpy(r.address, "+31641600986");
    std::strcpy(r.timeStamp, "20806291731408");
    const int length = 1 + int(random() % 153);
    switch (kind) {
    case 0: // 7-bit, no header
        for (int i = 0; i < length; ++i)
            r.userData[i] = std::uint8_t(0x20 + random() % 0x5F);
        r.dataLength = std::uint16_t(length);
        break;
    case 1: { // UCS-2, no header
        const int units = 1 + int(random() % 70);
        for (int i = 0; i < units; ++i) {
            const std::uint16_t unit = std::uint16_t(0x0410 + random() % 0x40);
            std::memcpy(r.userData + 2 + 2 * i, &unit, 2);
        }
        r.dcs = 8;
        r.dataLength = std::uint16_t(units);
        break;
    }
    default: { // 7-bit part of a concatenated message
        const std::uint8_t header[6] = {0x05, 0x00, 0x03, std::uint8_t(random()), 3, 2};
        std::memcpy(r.userData, header, sizeof header);
        for (int i = 0; i < length; ++i)
            r.userData[6 + i] = std::uint8_t(0x20 + random() % 0x5F);
        r.headerPresent = 1;
        r.dataLength = std::uint16_t(6 + length);
        break;
    }
    }
    return r;
}

std::vector<std::string> mixedPdus()
{
    std::mt19937 random(7);
    std::vector<std::string> pdus;
    pdus.reserve(kBatch);
    char hex[2 * kMaxPduOctets + 1];
    for (int i = 0; i < kBatch; ++i) {
        const SmsPduRecord r = deliverRecord(random, i % 3);
        const int n = EncodePdu_Delivery(SmsCodecOptions(), &r, hex, sizeof hex);
        if (n < 0)
            std::abort();
        pdus.emplace_back(hex, std::size_t(n));
    }
    return pdus;
}

void BM_Decode10000Pdus(benchmark::State &state)
{
    const std::vector<std::string> pdus = mixedPdus();
    const SmsCodecOptions options;
    SmsPduRecord record;
    for (auto _ : state) {
        long total = 0;
        for (const std::string &pdu : pdus)
            total += DecodePdu_Delivery(options, pdu.data(), int(pdu.size()), &record);
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_Decode10000Pdus)->Unit(benchmark::kMillisecond);

std::vector<std::vector<std::uint16_t>> editorTexts()
{
    std::mt19937 random(11);
    // Mostly plain letters; some texts with escaped characters, some with a character that needs UCS-2.
    const std::u16string plain = u"abcdefghijklmnopqrstuvwxyz ABCDEFGHIJ.,!?0123456789";
    const std::u16string escaped = u"€[]{}^~|\\çÁ";
    std::vector<std::vector<std::uint16_t>> texts(kBatch);
    for (auto &text : texts) {
        const int length = 1 + int(random() % 765);
        const unsigned flavour = random() % 10;
        text.resize(std::size_t(length));
        for (auto &unit : text) {
            unit = plain[random() % plain.size()];
            if (flavour >= 6 && random() % 20 == 0)
                unit = escaped[random() % escaped.size()];
        }
        if (flavour == 9)
            text[random() % text.size()] = u'Ж';
    }
    return texts;
}

void BM_CountParts10000Texts(benchmark::State &state)
{
    const auto texts = editorTexts();
    SmsCodecOptions options;
    options.nationalIdentifier = state.range(0) ? QStringLiteral("SpanishSingle") : QString();
    for (auto _ : state) {
        long total = 0;
        for (const auto &text : texts) {
            const int n = int(text.size());
            total += getInputTextNum(options, text.data(), n);
            total += getInputPackNum(options, text.data(), n);
            if (getInputTextNum(options, text.data(), n) > getMaxTextNum(options, text.data(), n, 5))
                total += cutMaxTextLen(options, text.data(), n, 5);
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_CountParts10000Texts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
