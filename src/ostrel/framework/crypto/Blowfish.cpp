#include "ostrel/framework/crypto/Blowfish.h"

#include "ostrel/framework/crypto/BlowfishTables.h"

#include <cstdio>
#include <cstring>

namespace ostrel {

namespace {

const unsigned char kBuiltInKey[] = "5E0B72C4A19D3F86";
constexpr std::size_t kBuiltInKeyLength = 16;
const char kHexLower[] = "0123456789abcdef";
const char kHexUpper[] = "0123456789ABCDEF";

std::uint32_t readBigEndian(const unsigned char *p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]);
}

void writeBigEndian(std::uint32_t v, unsigned char *p)
{
    p[0] = (unsigned char)(v >> 24);
    p[1] = (unsigned char)(v >> 16);
    p[2] = (unsigned char)(v >> 8);
    p[3] = (unsigned char)v;
}

} // namespace

Blowfish::Blowfish(const unsigned char *key, std::size_t length)
{
    std::memcpy(P_, blowfish_tables::ORIG_P, sizeof P_);
    std::memcpy(S_, blowfish_tables::ORIG_S, sizeof S_);
    if (key && length > 0) {
        std::size_t j = 0;
        for (int i = 0; i < 18; ++i) {
            std::uint32_t word = 0;
            for (int k = 0; k < 4; ++k) {
                word = (word << 8) | key[j];
                j = (j + 1) % length;
            }
            P_[i] ^= word;
        }
    }
    std::uint32_t left = 0, right = 0;
    for (int i = 0; i < 18; i += 2) {
        encryptBlock(left, right);
        P_[i] = left;
        P_[i + 1] = right;
    }
    for (int box = 0; box < 4; ++box) {
        for (int i = 0; i < 256; i += 2) {
            encryptBlock(left, right);
            S_[box][i] = left;
            S_[box][i + 1] = right;
        }
    }
}

std::uint32_t Blowfish::F(std::uint32_t x) const
{
    const std::uint32_t a = (x >> 24) & 0xFF, b = (x >> 16) & 0xFF, c = (x >> 8) & 0xFF, d = x & 0xFF;
    return ((S_[0][a] + S_[1][b]) ^ S_[2][c]) + S_[3][d];
}

void Blowfish::encryptBlock(std::uint32_t &left, std::uint32_t &right) const
{
    std::uint32_t L = left, R = right;
    for (int i = 0; i < 16; ++i) {
        L ^= P_[i];
        R ^= F(L);
        std::uint32_t t = L;
        L = R;
        R = t;
    }
    // Undo the last swap.
    std::uint32_t t = L;
    L = R;
    R = t;
    R ^= P_[16];
    L ^= P_[17];
    left = L;
    right = R;
}

void Blowfish::encryptBytes(unsigned char *block) const
{
    std::uint32_t L = readBigEndian(block), R = readBigEndian(block + 4);
    encryptBlock(L, R);
    writeBigEndian(L, block);
    writeBigEndian(R, block + 4);
}

void unsigned_long_to_string(std::uint32_t value, char out[9])
{
    for (int i = 7; i >= 0; --i) {
        out[i] = kHexLower[value & 0xF];
        value >>= 4;
    }
    out[8] = '\0';
}

namespace {

// L from digits 1-8, R from digits 9-16; (0, 0) with a message for a bad input.
void transform_imsi_string_to_double_data(const char *input, std::uint32_t &L, std::uint32_t &R)
{
    L = R = 0;
    const std::size_t length = input ? std::strlen(input) : 0;
    if (length != 16) {
        std::fputs("input param is invalid\n", stdout);
        std::fflush(stdout);
        return;
    }
    for (std::size_t i = 0; i < 16; ++i) {
        if (input[i] < '0' || input[i] > '9') {
            std::fputs("imsi is invalid\n", stdout);
            std::fflush(stdout);
            return;
        }
    }
    for (std::size_t i = 0; i < 8; ++i)
        L = L * 10 + std::uint32_t(input[i] - '0');
    for (std::size_t i = 8; i < 16; ++i)
        R = R * 10 + std::uint32_t(input[i] - '0');
}

} // namespace

int EncryptServicesMain(const char *input, char *output, std::size_t outputSize)
{
    if (!output || outputSize < 17)
        return -1;
    // Every call keys its own tables, so calls are independent and may run on any thread.
    const Blowfish cipher(kBuiltInKey, kBuiltInKeyLength);
    std::uint32_t L = 0, R = 0;
    transform_imsi_string_to_double_data(input, L, R);
    cipher.encryptBlock(L, R);
    unsigned_long_to_string(L, output);
    unsigned_long_to_string(R, output + 8);
    return 0;
}

BlowFishEncrypt::BlowFishEncrypt(const QByteArray &serectKey)
    : hasKey_(qstrnlen(serectKey.constData(), size_t(serectKey.size())) > 0),
      cipher_(reinterpret_cast<const unsigned char *>(serectKey.constData()),
              qstrnlen(serectKey.constData(), size_t(serectKey.size())))
{
}

bool BlowFishEncrypt::encipher(const QByteArray &plainText)
{
    std::memset(encryptedtext_, 0, sizeof encryptedtext_);
    std::memset(cipherBytes_, 0, sizeof cipherBytes_);
    std::memset(ciphertext_, 0, sizeof ciphertext_);
    encryptedLength_ = 0;

    const std::size_t length = qstrnlen(plainText.constData(), size_t(plainText.size()));
    if (!hasKey_ || length > kTextCapacity)
        return false;
    std::memcpy(encryptedtext_, plainText.constData(), length);
    std::size_t padded = length;
    while (padded % 8 != 0)
        encryptedtext_[padded++] = '#';
    encryptedLength_ = padded;

    for (std::size_t offset = 0; offset < padded; offset += 8) {
        std::memcpy(cipherBytes_ + offset, encryptedtext_ + offset, 8);
        cipher_.encryptBytes(cipherBytes_ + offset);
    }
    // The first two blocks, in hexadecimal; an unused second block reads as zero bytes.
    for (int i = 0; i < 16; ++i) {
        ciphertext_[2 * i] = kHexUpper[cipherBytes_[i] >> 4];
        ciphertext_[2 * i + 1] = kHexUpper[cipherBytes_[i] & 0xF];
    }
    ciphertext_[32] = '\0';
    return true;
}

QByteArray BlowFishEncrypt::ciphertext() const
{
    return QByteArray(ciphertext_);
}

QByteArray BlowFishEncrypt::encryptedtext() const
{
    return QByteArray(reinterpret_cast<const char *>(encryptedtext_), qsizetype(encryptedLength_));
}

QByteArray encipherIdentityForLink(const QString &identity, int pattern, const QString &serectKey)
{
    if (pattern == 0) {
        const QByteArray input = identity.toUtf8() + '0';
        char out[17] = {};
        EncryptServicesMain(input.constData(), out, sizeof out);
        return QByteArray(out);
    }
    if (pattern == 1) {
        if (serectKey.isEmpty())
            return {};
        BlowFishEncrypt cipher(serectKey.toUtf8());
        if (!cipher.encipher(identity.toUtf8()))
            return {};
        return cipher.ciphertext();
    }
    return {};
}

} // namespace ostrel
