#include "ostrel/framework/crypto/Blowfish.h"

#include <openssl/blowfish.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

using ostrel::BlowFishEncrypt;
using ostrel::Blowfish;
using ostrel::EncryptServicesMain;

namespace {

QByteArray fromHex(const char *hex) { return QByteArray::fromHex(hex); }

// Reference: the fixed form computed through OpenSSL.
QByteArray referenceFixed(const QByteArray &digits)
{
    BF_KEY key;
    BF_set_key(&key, 16, reinterpret_cast<const unsigned char *>("5E0B72C4A19D3F86"));
    BF_LONG data[2] = {0, 0};
    bool valid = digits.size() == 16;
    for (char c : digits)
        valid = valid && c >= '0' && c <= '9';
    if (valid) {
        data[0] = digits.left(8).toUInt();
        data[1] = digits.mid(8).toUInt();
    }
    BF_encrypt(data, &key);
    char out[17];
    std::snprintf(out, sizeof out, "%08x%08x", unsigned(data[0]), unsigned(data[1]));
    return QByteArray(out);
}

// Reference: the configured form computed through OpenSSL.
QByteArray referenceConfigured(const QByteArray &keyText, QByteArray text)
{
    BF_KEY key;
    BF_set_key(&key, int(keyText.size()), reinterpret_cast<const unsigned char *>(keyText.constData()));
    while (text.size() % 8 != 0)
        text.append('#');
    QByteArray cipher(qMax<qsizetype>(text.size(), 16), '\0');
    for (qsizetype i = 0; i < text.size(); i += 8)
        BF_ecb_encrypt(reinterpret_cast<const unsigned char *>(text.constData() + i),
                       reinterpret_cast<unsigned char *>(cipher.data() + i), &key, BF_ENCRYPT);
    return cipher.left(16).toHex().toUpper();
}

QByteArray fixed(const char *input)
{
    char out[17];
    std::memset(out, 'X', sizeof out);
    EXPECT_EQ(EncryptServicesMain(input, out, sizeof out), 0);
    EXPECT_EQ(out[16], '\0');
    return QByteArray(out);
}

} // namespace

// Eric Young's Blowfish vectors as published with Schneier's reference code.
TEST(Blowfish, PublishedVectors)
{
    const struct {
        const char *key, *plain, *cipher;
    } vectors[] = {
        {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
        {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
        {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
        {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
        {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
        {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
        {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
        {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
        {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
        // Variable key length over the same plain text.
        {"F0", "FEDCBA9876543210", "F9AD597C49DB005E"},
        {"F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677", "FEDCBA9876543210", "05044B62FA52D080"},
    };
    for (const auto &v : vectors) {
        const QByteArray key = fromHex(v.key);
        Blowfish cipher(reinterpret_cast<const unsigned char *>(key.constData()), size_t(key.size()));
        QByteArray block = fromHex(v.plain);
        cipher.encryptBytes(reinterpret_cast<unsigned char *>(block.data()));
        EXPECT_EQ(block.toHex().toUpper(), QByteArray(v.cipher)) << v.key << " " << v.plain;
    }
}

TEST(Blowfish, MatchesOpenSslOnManyKeys)
{
    for (int length : {1, 4, 7, 16, 56, 72, 80}) {
        QByteArray key;
        for (int i = 0; i < length; ++i)
            key.append(char((i * 37 + 11) & 0xFF)); // includes bytes of 128 and above
        BF_KEY reference;
        BF_set_key(&reference, length, reinterpret_cast<const unsigned char *>(key.constData()));
        Blowfish cipher(reinterpret_cast<const unsigned char *>(key.constData()), size_t(length));
        std::uint32_t L = 0x01234567u * std::uint32_t(length), R = 0x89ABCDEFu ^ std::uint32_t(length);
        BF_LONG data[2] = {L, R};
        BF_encrypt(data, &reference);
        cipher.encryptBlock(L, R);
        EXPECT_EQ(L, data[0]) << length;
        EXPECT_EQ(R, data[1]) << length;
    }
}

TEST(EncryptServicesMain, AgainstOpenSsl)
{
    for (const char *digits : {"4600012345678900", "0000000000000000", "9999999999999999", "1234567890123450",
                               "0000000100000001"}) {
        const QByteArray out = fixed(digits);
        EXPECT_EQ(out, referenceFixed(digits)) << digits;
        EXPECT_EQ(out.size(), 16);
        EXPECT_EQ(out, out.toLower());
    }
}

TEST(EncryptServicesMain, BadInputEnciphersTheZeroBlock)
{
    const QByteArray zero = fixed("0000000000000000");
    EXPECT_EQ(zero, referenceFixed("bad"));
    testing::internal::CaptureStdout();
    EXPECT_EQ(fixed("460001234567890"), zero);   // 15 characters
    EXPECT_EQ(fixed("46000123456789000"), zero); // 17 characters
    EXPECT_EQ(fixed("46000123456789a0"), zero);  // a letter
    EXPECT_EQ(fixed(""), zero);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "input param is invalid\ninput param is invalid\nimsi is invalid\ninput param is invalid\n");
}

TEST(EncryptServicesMain, RefusesASmallBuffer)
{
    char out[16];
    std::memset(out, 'X', sizeof out);
    EXPECT_EQ(EncryptServicesMain("4600012345678900", out, sizeof out), -1);
    EXPECT_EQ(out[0], 'X');
}

TEST(EncryptServicesMain, HalvesKeepLeadingZeros)
{
    char out[9];
    ostrel::unsigned_long_to_string(0, out);
    EXPECT_STREQ(out, "00000000");
    ostrel::unsigned_long_to_string(0xABC, out);
    EXPECT_STREQ(out, "00000abc");
    ostrel::unsigned_long_to_string(0xFFFFFFFFu, out);
    EXPECT_STREQ(out, "ffffffff");
}

TEST(BlowFishEncrypt, AgainstOpenSsl)
{
    const struct {
        const char *key;
        const char *text;
        int padding;
    } cases[] = {
        {"k", "460001234567890", 1},                   // 15 digits, one "#"
        {"0123456789ABCDEF", "4600012345678901", 0},   // 16: none
        {"operator-key", "46000123456789012", 7},      // 17: seven, three blocks, two shown
        {"abc", "12345", 3},                           // one block: second half zeros
        {"abc", "", 0},
        {"\xC3\xA9t\xC3\xA9", "46000", 3},             // key bytes above 127
    };
    for (const auto &c : cases) {
        BlowFishEncrypt cipher(QByteArray(c.key));
        ASSERT_TRUE(cipher.encipher(QByteArray(c.text))) << c.text;
        EXPECT_EQ(cipher.ciphertext(), referenceConfigured(c.key, c.text)) << c.key << " " << c.text;
        EXPECT_EQ(cipher.ciphertext().size(), 32);
        EXPECT_EQ(cipher.encryptedtext(), QByteArray(c.text) + QByteArray(c.padding, '#'));
    }
    BlowFishEncrypt shortText(QByteArray("abc"));
    ASSERT_TRUE(shortText.encipher("12345"));
    EXPECT_TRUE(shortText.ciphertext().endsWith(QByteArray(16, '0')));
}

TEST(BlowFishEncrypt, ZeroCipherBytesStayInPlace)
{
    // Search for a text whose cipher has a zero byte; it must show as "00", not shorten the result.
    bool found = false;
    for (int i = 0; i < 5000 && !found; ++i) {
        const QByteArray text = QByteArray::number(100000000 + i);
        BlowFishEncrypt cipher(QByteArray("k"));
        ASSERT_TRUE(cipher.encipher(text));
        const QByteArray hex = cipher.ciphertext();
        for (int b = 0; b < 8; ++b)
            found = found || hex.mid(2 * b, 2) == "00";
        if (found) {
            EXPECT_EQ(hex.size(), 32);
            EXPECT_EQ(hex, referenceConfigured("k", text));
        }
    }
    EXPECT_TRUE(found);
}

TEST(BlowFishEncrypt, RefusesWhatDoesNotFit)
{
    BlowFishEncrypt cipher(QByteArray("key"));
    EXPECT_TRUE(cipher.encipher(QByteArray(64, '1')));
    EXPECT_EQ(cipher.ciphertext(), referenceConfigured("key", QByteArray(64, '1')));
    EXPECT_FALSE(cipher.encipher(QByteArray(65, '1')));
    EXPECT_TRUE(cipher.ciphertext().isEmpty());
    BlowFishEncrypt noKey{QByteArray()};
    EXPECT_FALSE(noKey.encipher("460001234567890"));
}

TEST(LinkForms, ChoiceByPattern)
{
    const QString imsi = QStringLiteral("460001234567890");
    EXPECT_EQ(ostrel::encipherIdentityForLink(imsi, 0, QString()), referenceFixed("4600012345678900"));
    EXPECT_EQ(ostrel::encipherIdentityForLink(imsi, 1, QStringLiteral("Secret7")),
              referenceConfigured("Secret7", "460001234567890"));
    EXPECT_TRUE(ostrel::encipherIdentityForLink(imsi, 1, QString()).isEmpty());
    EXPECT_TRUE(ostrel::encipherIdentityForLink(imsi, 2, QStringLiteral("Secret7")).isEmpty());
    EXPECT_TRUE(ostrel::encipherIdentityForLink(imsi, -1, QStringLiteral("Secret7")).isEmpty());
}
