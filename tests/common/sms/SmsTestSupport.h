#pragma once
// Small helpers of the SMS codec tests: texts as UTF-16 units, bytes as hexadecimal text, option
// sets by name, and a record with a guard block behind it.

#include "common/sms/SmsCodecOptions.h"
#include "common/sms/SmsPduRecord.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace smstest {

inline std::vector<std::uint16_t> units(const QString &text)
{
    return std::vector<std::uint16_t>(text.utf16(), text.utf16() + text.size());
}

inline QString fromUnits(const std::uint16_t *text, int count)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(text), count);
}

// "1B 41" or "1B41" to bytes.
inline std::vector<std::uint8_t> bytesOf(const char *hex)
{
    const QByteArray raw = QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
    return std::vector<std::uint8_t>(raw.begin(), raw.end());
}

inline std::string hexOf(const std::uint8_t *bytes, int count)
{
    return QByteArray(reinterpret_cast<const char *>(bytes), count).toHex().toUpper().toStdString();
}

inline yov::sms::SmsCodecOptions national(const char *identifier, bool needUcs2ForSingle = false)
{
    yov::sms::SmsCodecOptions options;
    if (identifier)
        options.nationalIdentifier = QString::fromLatin1(identifier);
    options.needUcs2EncodingForSingleCharacter = needUcs2ForSingle;
    return options;
}

// A record followed by a guard block, both filled with a guard byte before a call, so that a write
// from one field into the next or past the record shows.
struct GuardedRecord {
    static constexpr std::uint8_t kGuard = 0xA5;
    yov::sms::SmsPduRecord record;
    std::uint8_t guard[64];

    GuardedRecord() { std::memset(static_cast<void *>(this), kGuard, sizeof *this); }

    bool guardIntact() const
    {
        for (std::uint8_t byte : guard) {
            if (byte != kGuard)
                return false;
        }
        return true;
    }
};

inline bool hasZero(const void *field, std::size_t width)
{
    return std::memchr(field, 0, width) != nullptr;
}

// Every text field holds a zero within its width, and the guard block is untouched.
inline ::testing::AssertionResult fieldsTerminatedAndGuardIntact(const GuardedRecord &guarded)
{
    const yov::sms::SmsPduRecord &r = guarded.record;
    if (!hasZero(r.serviceCentre, sizeof r.serviceCentre))
        return ::testing::AssertionFailure() << "serviceCentre unterminated";
    if (!hasZero(r.address, sizeof r.address))
        return ::testing::AssertionFailure() << "address unterminated";
    if (!hasZero(r.timeStamp, sizeof r.timeStamp))
        return ::testing::AssertionFailure() << "timeStamp unterminated";
    if (!hasZero(r.userData, sizeof r.userData))
        return ::testing::AssertionFailure() << "userData unterminated";
    if (!hasZero(r.dischargeTime, sizeof r.dischargeTime))
        return ::testing::AssertionFailure() << "dischargeTime unterminated";
    if (!guarded.guardIntact())
        return ::testing::AssertionFailure() << "guard block overwritten";
    return ::testing::AssertionSuccess();
}

} // namespace smstest
