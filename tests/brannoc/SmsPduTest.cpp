#include "brannoc/SmsPdu.h"

#include "common/records/sms/SmsRecords.h"
#include "common/sms/GsmAlphabet.h"
#include "common/sms/PduCodec.h"

#include <QStringList>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace brannoc;
using yov::sms::SmsCodecOptions;

namespace {

SmsCodecOptions national(const char *identifier)
{
    SmsCodecOptions o;
    o.nationalIdentifier = QLatin1String(identifier);
    return o;
}

QList<int> partLengths(const SmsTextSplit &split)
{
    QList<int> lengths;
    for (const SmsTextPart &p : split.parts)
        lengths << int(split.ucs2 ? p.text.size() : int(p.septets.size()));
    return lengths;
}

QString joined(const SmsTextSplit &split)
{
    QString text;
    for (const SmsTextPart &p : split.parts)
        text += p.text;
    return text;
}

} // namespace

TEST(SmsSplit, PartsAsTheEditorCountsThemNeverInsideAnEscapeOrSurrogatePair)
{
    const QString euro(QChar(0x20AC));
    const QString smiley = QString::fromUtf16(u"\U0001F600");
    const struct {
        const char *what;
        SmsCodecOptions options;
        QString text;
        bool ucs2;
        QList<int> lengths; // septets (7-bit) or units (UCS-2) per part
        int nationalLanguage;
    } cases[] = {
        {"empty", {}, QString(), false, {0}, 0},
        {"160 fit one part", {}, QString(160, QLatin1Char('a')), false, {160}, 0},
        {"161 are two", {}, QString(161, QLatin1Char('a')), false, {153, 8}, 0},
        // The euro takes two septets; at the boundary it moves whole into the next part.
        {"escape at the boundary", {}, QString(152, QLatin1Char('a')) + euro + QString(7, QLatin1Char('b')), false, {152, 9}, 0},
        {"national table, escaped", national("SpanishSingle"), QString(154, QLatin1Char('a')) + euro, false, {149, 7}, 2},
        {"national table, one part", national("TurkishSingle"), QString(10, QLatin1Char('a')) + euro, false, {12}, 1},
        {"national table, no escape", national("PortugueseSingle"), QString(161, QLatin1Char('a')), false, {153, 8}, 0},
        {"70 UCS-2 fit one part", {}, QString(70, QChar(0x0416)), true, {70}, 0},
        {"71 UCS-2 are two", {}, QString(71, QChar(0x0416)), true, {67, 4}, 0},
        {"surrogate pair at the boundary", {}, QString(66, QChar(0x0416)) + smiley + QStringLiteral("xxx"), true, {66, 5}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const SmsTextSplit split = splitSmsText(c.options, c.text);
        EXPECT_EQ(split.ucs2, c.ucs2);
        EXPECT_EQ(partLengths(split), c.lengths);
        EXPECT_EQ(split.nationalLanguage, c.nationalLanguage);
        EXPECT_EQ(joined(split), c.text);
    }
}

TEST(SmsSplit, SubmitPartsCarryTheirHeadersAndDecodeBack)
{
    // A Spanish text with an escaped character, in two parts: concatenation and single shift.
    const SmsCodecOptions spanish = national("SpanishSingle");
    const QString text = QString(150, QLatin1Char('x')) + QStringLiteral("\u00e1\u00e1\u00e1");
    const SmsTextSplit split = splitSmsText(spanish, text);
    ASSERT_EQ(split.parts.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const auto pdu = encodeSubmitPdu(spanish, split, i, {QStringLiteral("+49170"), QStringLiteral("+4917012"), 167, true, 9});
        ASSERT_TRUE(pdu);
        // User data: length octet, UDHL 8, concatenation 00 03 09 02 seq, single shift 24 01 02.
        const QString header = QStringLiteral("08000309020") + QString::number(i + 1) + QStringLiteral("240102");
        EXPECT_TRUE(pdu->contains(header)) << pdu->toStdString() << " lacks " << header.toStdString();
    }
    EXPECT_FALSE(encodeSubmitPdu(spanish, split, 2, {}));
    EXPECT_FALSE(encodeSubmitPdu({}, splitSmsText({}, QStringLiteral("x")), 0, {{}, QStringLiteral("12x4"), 0, false, 0}));

    // SMS-DELIVER parts of a UCS-2 text decode to the text, part by part.
    const QString cyrillic = QString(80, QChar(0x0416));
    const QStringList pdus = encodeDeliverPdus({}, QStringLiteral("+49170"), QStringLiteral("+4917055"), cyrillic,
                                               QStringLiteral("42502051943040"), 7);
    ASSERT_EQ(pdus.size(), 2);
    QString back;
    for (int i = 0; i < pdus.size(); ++i) {
        const QByteArray hex = pdus.at(i).toLatin1();
        yov::sms::SmsPduRecord r{};
        const int n = yov::sms::DecodePdu_Delivery({}, hex.constData(), int(hex.size()), &r);
        ASSERT_GT(n, 0);
        EXPECT_EQ(r.reference, 7);
        EXPECT_EQ(r.total, 2);
        EXPECT_EQ(r.sequence, i + 1);
        EXPECT_STREQ(r.timeStamp, "42502051943040");
        back += smsTextOfRecord({}, r, n);
    }
    EXPECT_EQ(back, cyrillic);
}

TEST(SmsSplit, NumbersAndTimeStamps)
{
    for (const char *good : {"+4917012", "0170", "*100#", "12"})
        EXPECT_TRUE(isDialableNumber(QLatin1String(good))) << good;
    for (const char *bad : {"", "+", "49+17", "0170 12", "0170-12", "abc"})
        EXPECT_FALSE(isDialableNumber(QLatin1String(bad))) << bad;

    EXPECT_EQ(smsTimeStampOf(QDateTime(QDate(2009, 1, 28), QTime(11, 53, 3), QTimeZone(3600))),
              QStringLiteral("90108211353040"));
    // West of Greenwich by 5 hours: 20 quarter hours, the sign bit in the tens (0xA); read back as
    // the same time in the same zone.
    const QDateTime west(QDate(2024, 5, 2), QTime(8, 15), QTimeZone(-18000));
    EXPECT_EQ(smsTimeStampOf(west), QStringLiteral("4250208051000A"));
    const QDateTime back = yov::calcTimeStamp(smsTimeStampOf(west));
    EXPECT_EQ(back, west);
    EXPECT_EQ(back.offsetFromUtc(), -18000);
}
