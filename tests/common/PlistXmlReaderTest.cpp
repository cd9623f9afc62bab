// The fast XML reader against libplist: every document reads to the same value (type, value and
// null-ness alike) through PlistBridge::parse as through libplist alone, whether the fast reader
// handles it or leaves it to libplist.
#include "common/PlistBridge.h"
#include "common/PlistXmlReader.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using yov::PlistBridge;
using yov::PlistXmlReader;

namespace {

QByteArray inPlist(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n"
           + body + "\n</plist>\n";
}

// Strict equality: QVariant's own == would take 1 for true and an empty string for a null one.
::testing::AssertionResult sameValue(const QVariant &a, const QVariant &b, const QString &path = QStringLiteral("/"))
{
    if (a.typeId() != b.typeId())
        return ::testing::AssertionFailure() << path.toStdString() << ": " << a.typeName() << " vs " << b.typeName();
    switch (a.typeId()) {
    case QMetaType::QVariantMap: {
        const QVariantMap m = a.toMap(), n = b.toMap();
        if (m.keys() != n.keys())
            return ::testing::AssertionFailure() << path.toStdString() << ": other keys";
        for (auto it = m.cbegin(); it != m.cend(); ++it)
            if (auto r = sameValue(it.value(), n.value(it.key()), path + it.key() + '/'); !r)
                return r;
        return ::testing::AssertionSuccess();
    }
    case QMetaType::QVariantList: {
        const QVariantList m = a.toList(), n = b.toList();
        if (m.size() != n.size())
            return ::testing::AssertionFailure() << path.toStdString() << ": " << m.size() << " vs " << n.size() << " items";
        for (qsizetype i = 0; i < m.size(); ++i)
            if (auto r = sameValue(m[i], n[i], path + QString::number(i) + '/'); !r)
                return r;
        return ::testing::AssertionSuccess();
    }
    case QMetaType::Double: {
        const double x = a.toDouble(), y = b.toDouble();
        if ((std::isnan(x) && std::isnan(y)) || std::memcmp(&x, &y, sizeof x) == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << path.toStdString() << ": " << x << " vs " << y;
    }
    case QMetaType::QString:
        if (a.toString() == b.toString() && a.toString().isNull() == b.toString().isNull())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << path.toStdString() << ": \"" << a.toString().toStdString() << "\" vs \""
                                             << b.toString().toStdString() << "\" (null " << a.toString().isNull()
                                             << b.toString().isNull() << ")";
    case QMetaType::QByteArray:
        if (a.toByteArray() == b.toByteArray() && a.toByteArray().isNull() == b.toByteArray().isNull())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << path.toStdString() << ": data " << a.toByteArray().toHex().toStdString()
                                             << " vs " << b.toByteArray().toHex().toStdString();
    case QMetaType::QDateTime:
        if (a.toDateTime() == b.toDateTime() && a.toDateTime().timeSpec() == b.toDateTime().timeSpec())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << path.toStdString() << ": " << a.toDateTime().toString(Qt::ISODateWithMs).toStdString()
                                             << " vs " << b.toDateTime().toString(Qt::ISODateWithMs).toStdString();
    default:
        if (a == b)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << path.toStdString() << ": " << a.toString().toStdString() << " vs "
                                             << b.toString().toStdString();
    }
}

// The document reads (or fails) through PlistBridge exactly as through libplist alone.
void expectAsLibplist(const QByteArray &doc)
{
    QString fastError, generalError;
    const auto fast = PlistBridge::parse(doc, &fastError);
    const auto general = PlistBridge::parseGeneral(doc, &generalError);
    ASSERT_EQ(fast.has_value(), general.has_value()) << doc.toStdString() << "\n" << fastError.toStdString() << " / "
                                                     << generalError.toStdString();
    if (fast)
        EXPECT_TRUE(sameValue(*fast, *general)) << doc.toStdString();
    else
        EXPECT_FALSE(fastError.isEmpty()) << doc.toStdString();
}

QDateTime utcAt(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

} // namespace

TEST(PlistXmlReader, ReadsEveryTypeAsLibplistDoes)
{
    struct Case {
        const char *body;
        QVariant expected;
    } cases[] = {
        {"<true/>", true},
        {"<false/>", false},
        {"<integer>0</integer>", qint64(0)},
        {"<integer>-0</integer>", qint64(0)},
        {"<integer>42</integer>", qint64(42)},
        {"<integer>-9223372036854775808</integer>", std::numeric_limits<qint64>::min()},
        {"<integer>9223372036854775807</integer>", std::numeric_limits<qint64>::max()},
        {"<integer>9223372036854775808</integer>", quint64(1) << 63},
        {"<integer>18446744073709551615</integer>", std::numeric_limits<quint64>::max()},
        {"<real>2.5</real>", 2.5},
        {"<real>12</real>", 12.0},
        {"<real>-1.5e-300</real>", -1.5e-300},
        {"<real>1E5</real>", 1e5},
        {"<real>0.1</real>", 0.1},
        {"<real>-0.0</real>", -0.0},
        {"<real>+infinity</real>", std::numeric_limits<double>::infinity()},
        {"<real>-infinity</real>", -std::numeric_limits<double>::infinity()},
        {"<real>nan</real>", std::numeric_limits<double>::quiet_NaN()},
        {"<string>plain</string>", QStringLiteral("plain")},
        {"<string/>", QString::fromUtf8("")},
        {"<string></string>", QString::fromUtf8("")},
        {"<string>  spaces\tand\r\nline ends kept </string>", QStringLiteral("  spaces\tand\r\nline ends kept ")},
        {"<string>Gr\xc3\xbc\xc3\x9f" "e \xe4\xb8\xad</string>", QString::fromUtf8("Grüße 中")},
        {"<string>a&amp;b&lt;c&gt;d&quot;e&apos;f</string>", QStringLiteral("a&b<c>d\"e'f")},
        {"<string>&#65;&#x42;&#xe9;&#233;&#x1F600;</string>", QString::fromUtf8("ABéé😀")},
        {"<string>a<![CDATA[<b>&amp;</b>]]>c&amp;<![CDATA[]]>d</string>", QStringLiteral("a<b>&amp;</b>c&d")},
        {"<string>a>b]]></string>", QStringLiteral("a>b]]>")},
        {"<data>AAH/</data>", QByteArray("\x00\x01\xff", 3)},
        {"<data>\n\tAAH/\n\tAQ==\n</data>", QByteArray("\x00\x01\xff\x01", 4)},
        {"<data></data>", QByteArray("")},
        {"<date>2026-12-10T13:45:07Z</date>", utcAt(2026, 12, 10, 13, 45, 7)},
        {"<date>1901-01-01T00:00:00Z</date>", utcAt(1901, 1, 1)},
        {"<date>2999-12-31T23:59:59Z</date>", utcAt(2999, 12, 31, 23, 59, 59)},
        {"<array/>", QVariantList()},
        {"<array></array>", QVariantList()},
        {"<dict/>", QVariantMap()},
        {"<dict></dict>", QVariantMap()},
        {"<array><!-- a comment --><true/>\n<!-- another --></array>", QVariantList{true}},
        {"<dict><key>a&amp;b</key><integer>1</integer><key></key><string/></dict>",
         QVariantMap{{"a&b", qint64(1)}, {"", QString::fromUtf8("")}}},
        {"<dict><key>b</key><array><dict><key>x</key><array><array/><dict/></array></dict></array><key>a</key><false/></dict>",
         QVariantMap{{"a", false}, {"b", QVariantList{QVariantMap{{"x", QVariantList{QVariantList(), QVariantMap()}}}}}}},
    };
    for (const Case &c : cases) {
        const QByteArray doc = inPlist(c.body);
        EXPECT_EQ(PlistXmlReader::read(doc).status, PlistXmlReader::Status::Read) << c.body;
        const auto value = PlistBridge::parse(doc);
        ASSERT_TRUE(value) << c.body;
        EXPECT_TRUE(sameValue(*value, c.expected)) << c.body;
        expectAsLibplist(doc);
    }
}

TEST(PlistXmlReader, DocumentsOutsideTheUsualFormReadAsBefore)
{
    // Each of these is left to libplist (or refused by both), and the result is libplist's.
    const char *bodies[] = {
        "<integer>007</integer>", "<integer> 1</integer>", "<integer>+5</integer>", "<integer>0x10</integer>",
        "<integer></integer>", "<integer>-</integer>", "<integer>1.5</integer>", "<integer>18446744073709551616</integer>",
        "<integer>-9223372036854775809</integer>", "<real>1e400</real>", "<real>.5</real>", "<real>5.</real>",
        "<real>1,5</real>", "<date>2026-02-30T00:00:00Z</date>", "<date>2026-12-10T24:00:00Z</date>",
        "<date>2026-12-10T13:45:60Z</date>", "<date>2026-12-10T13:45:07</date>", "<date> 2026-12-10T13:45:07Z</date>",
        "<date>0999-01-01T00:00:00Z</date>", "<data/>", "<data>AQI</data>", "<data>AQ==AQ==</data>", "<data>A Q I =</data>",
        "<data>AQI*</data>", "<string>&#xD800;</string>", "<string>&#0;</string>", "<string>&#x110000;</string>",
        "<string>&#12345678;</string>", "<string>&#;</string>", "<string>&#65</string>", "<string>&</string>",
        "<string>a&b</string>", "<string>a&ampx;</string>", "<string>&nbsp;</string>", "<string>a<b</string>",
        "<string><!-- c -->x</string>", "<string><![CDATA[x</string>", "<string attr=\"1\">x</string>",
        "<string>a</string >", "<dict ><key>a</key><true/></dict>", "<true></true>", "<TRUE/>", "<unknown/>",
        "<key>x</key>", "<dict><key>a</key><true/><key>a</key><false/></dict>", "<dict><key>a</key></dict>",
        "<dict><true/></dict>", "<dict><key>a</key><true/><true/></dict>", "<array><string>a</string>",
        "<array><string>a</string></dict>", "<true/><true/>", "x<true/>", "",
    };
    for (const char *body : bodies)
        expectAsLibplist(inPlist(body));
    for (const QByteArray &doc : {QByteArray("<plist version=\"1.0\"><true/></plist>junk"),
                                  QByteArray("<plist version=\"1.0\"><true/></plist><!-- after -->"),
                                  QByteArray("<plist><integer>3</integer></plist>"), QByteArray("<plist version=\"1.0\"/>"),
                                  QByteArray("<true/>"), QByteArray("\xef\xbb\xbf<plist><true/></plist>"),
                                  QByteArray("<?xml version=\"1.0\"?><!DOCTYPE plist [<!ENTITY x \"y\">]><plist><string>&x;</string></plist>"),
                                  QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><plist><string>caf\xe9</string></plist>"),
                                  QByteArray("<plist><string>a\0b</string></plist>", 35), QByteArray("<plist><string>a"),
                                  QByteArray("<plist><dict><key>a</key><strin"), QByteArray("<?xml version=\"1.0"),
                                  QByteArray("<!-- unterminated"), QByteArray("<"),
                                  QByteArray("<?xml version=\"1.0\"?><plist versw<<fion=\"1.0\"><true/></plist>"),
                                  QByteArray("<?xml version='1.0'?><plist version='1>0'><true/></plist>")})
        expectAsLibplist(doc);
}

TEST(PlistXmlReader, WhatTheWriterWritesIsReadByTheFastReader)
{
    const QVariantMap message{{"mobilephone", QStringLiteral("+4917012345")},
                              {"messagetext", QStringLiteral("<b> & \"quoted\" 'text'\r\nsecond line")},
                              {"date", utcAt(2026, 3, 4, 5, 6, 7)},
                              {"stat", qint64(1)},
                              {"flag", true},
                              {"ratio", 0.25},
                              {"pdu", QByteArray("\x07\x91", 2)},
                              {"parts", QVariantList{QVariantMap(), QVariantList(), QString()}}};
    const QByteArray doc = *PlistBridge::toXml(QVariantMap{{"InBox", QVariantList{message, message}}, {"OutBox", QVariantList()}});
    const auto fast = PlistXmlReader::read(doc);
    ASSERT_EQ(fast.status, PlistXmlReader::Status::Read);
    const auto general = PlistBridge::parseGeneral(doc);
    ASSERT_TRUE(general);
    EXPECT_TRUE(sameValue(fast.value, *general));
}

// libplist's accessors abort the process on text that holds a NUL byte: a string ends at the
// byte, a dictionary key holding one makes the document unreadable.
TEST(PlistXmlReader, TextHoldingANulByteNeitherAbortsNorReadsPastIt)
{
    const QByteArray xmlString("<plist><dict><key>k</key><string>a\0b</string></dict></plist>", 60);
    const QByteArray binaryString("\x62\x70\x6c\x69\x73\x74\x30\x30\xd1\x01\x02\x51\x6b\x53\x61\x00\x62\x08\x0b\x0d\x00\x00"
                                  "\x00\x00\x00\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00"
                                  "\x00\x00\x00\x00\x00\x00\x00\x11",
                                  52); // {"k": "a\0b"}
    for (const QByteArray &doc : {xmlString, binaryString}) {
        const auto value = PlistBridge::parse(doc);
        ASSERT_TRUE(value);
        EXPECT_EQ(value->toMap().value("k"), QVariant(QStringLiteral("a")));
    }
    const QByteArray binaryKey("\x62\x70\x6c\x69\x73\x74\x30\x30\xd1\x01\x02\x63\x00\xe9\x00\x00\x00\x62\x09\x08\x0b\x12"
                               "\x00\x00\x00\x00\x00\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00"
                               "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x13",
                               54); // {"\u00e9\0b": true}, the key in UTF-16
    QString error;
    EXPECT_FALSE(PlistBridge::parse(binaryKey, &error));
    EXPECT_TRUE(error.contains("NUL")) << error.toStdString();
}

TEST(PlistXmlReader, DeepNestingIsRefusedWithoutCrashing)
{
    const auto nested = [](int levels, const QByteArray &open) {
        return "<plist version=\"1.0\">" + open.repeated(levels) + QByteArray("</array>").repeated(levels) + "</plist>";
    };
    QString error;
    EXPECT_TRUE(PlistBridge::parse(nested(PlistBridge::kMaxDepth, "<array>"), &error)) << error.toStdString();
    for (const QByteArray &doc : {nested(PlistBridge::kMaxDepth + 1, "<array>"), nested(200000, "<array>"),
                                  nested(200000, "<array >")}) { // the second form is left to libplist
        error.clear();
        EXPECT_FALSE(PlistBridge::parse(doc, &error));
        EXPECT_TRUE(error.contains("nested")) << error.toStdString();
        EXPECT_FALSE(PlistBridge::parseGeneral(doc));
    }
}
