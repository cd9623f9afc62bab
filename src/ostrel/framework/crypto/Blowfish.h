#pragma once
// Blowfish as published (64-bit block, 16 rounds, the standard key schedule), encipherment only,
// and the two ways operator links carry an enciphered identity.
//
// Fixed form: EncryptServicesMain() reads 16 decimal digits as two numbers (L = digits 1-8,
// R = digits 9-16), enciphers them as one block under the built-in key "5E0B72C4A19D3F86" (its
// 16 ASCII codes) and writes 16 lower-case hexadecimal characters.
// Configured form: BlowFishEncrypt pads the text with "#" to a multiple of 8 bytes, enciphers
// each block on its own (no chaining) under the operator's key, and gives the first 16 cipher
// bytes as 32 upper-case hexadecimal characters.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace ostrel {

// The cipher state: P-array and S-boxes after the key schedule.
class Blowfish {
public:
    // Key schedule over key bytes, used cyclically (first byte most significant in each word);
    // bytes beyond 72 are unused. An empty key leaves the initial tables unkeyed.
    Blowfish(const unsigned char *key, std::size_t length);

    void encryptBlock(std::uint32_t &left, std::uint32_t &right) const;
    // Eight bytes in place, each half read most significant byte first.
    void encryptBytes(unsigned char *block) const;

    std::uint32_t F(std::uint32_t x) const;

private:
    std::uint32_t P_[18];
    std::uint32_t S_[4][256];
};

// One 32-bit value as exactly 8 lower-case hexadecimal characters and a terminating zero.
void unsigned_long_to_string(std::uint32_t value, char out[9]);

// The fixed form. input: zero-terminated, exactly 16 decimal digits; a bad input prints
// "input param is invalid" (length) or "imsi is invalid" (a non-digit) on standard output and
// enciphers the zero block. output: at least 17 bytes, receives 16 characters and a zero.
// Returns 0; -1 (nothing written) when output is null or outputSize is below 17.
int EncryptServicesMain(const char *input, char *output, std::size_t outputSize);

// The configured form; one object per text.
class BlowFishEncrypt {
public:
    static constexpr std::size_t kTextCapacity = 64;

    // The key's bytes up to its first zero byte.
    explicit BlowFishEncrypt(const QByteArray &serectKey);

    // Pads and enciphers plainText (its bytes up to the first zero byte). False, with ciphertext()
    // empty, for an empty key or a text longer than 64 bytes.
    bool encipher(const QByteArray &plainText);

    // 32 upper-case hexadecimal characters (cipher bytes 1-16), empty before a successful encipher.
    QByteArray ciphertext() const;
    // The padded plain text.
    QByteArray encryptedtext() const;

private:
    bool hasKey_;
    Blowfish cipher_;
    unsigned char encryptedtext_[kTextCapacity] = {};
    std::size_t encryptedLength_ = 0;
    unsigned char cipherBytes_[kTextCapacity] = {};
    char ciphertext_[33] = {};
};

// The identity's form for a link, by the operator's pattern: 0 the fixed form over the identity
// with "0" appended (16 lower-case characters), 1 the configured form with key (32 upper-case
// characters; empty when the key is empty), anything else empty.
QByteArray encipherIdentityForLink(const QString &identity, int pattern, const QString &serectKey);

} // namespace ostrel
