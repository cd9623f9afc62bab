#include "common/PlistBridge.h"

#include <QDateTime>
#include <QFile>
#include <QSize>
#include <QTemporaryDir>
#include <QTimeZone>
#include "support/TestPaths.h"
#include <gtest/gtest.h>

using yov::PlistBridge;

namespace {

QVariant roundTrip(const QVariant &v)
{
    QString error;
    auto xml = PlistBridge::toXml(v, &error);
    EXPECT_TRUE(xml.has_value()) << error.toStdString();
    if (!xml)
        return {};
    auto back = PlistBridge::parse(*xml, &error);
    EXPECT_TRUE(back.has_value()) << error.toStdString();
    return back.value_or(QVariant());
}

QDateTime utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

} // namespace

TEST(PlistBridge, ScalarsKeepValueAndType)
{
    struct Case {
        const char *what;
        QVariant value;
        QMetaType::Type type;
    } cases[] = {
        {"true", QVariant(true), QMetaType::Bool},
        {"false", QVariant(false), QMetaType::Bool},
        {"one", QVariant(qint64(1)), QMetaType::LongLong},
        {"zero", QVariant(qint64(0)), QMetaType::LongLong},
        {"negative", QVariant(qint64(-42)), QMetaType::LongLong},
        {"int64 max", QVariant(std::numeric_limits<qint64>::max()), QMetaType::LongLong},
        {"int64 min", QVariant(std::numeric_limits<qint64>::min()), QMetaType::LongLong},
        {"uint64 max", QVariant(std::numeric_limits<quint64>::max()), QMetaType::ULongLong},
        {"real", QVariant(0.1), QMetaType::Double},
        {"real whole", QVariant(3.0), QMetaType::Double},
        {"negative real", QVariant(-1.5e-300), QMetaType::Double},
        {"string", QVariant(QStringLiteral("a<b>&c")), QMetaType::QString},
        {"non-ASCII", QVariant(QString::fromUtf8("Grüße 中文 ✓")), QMetaType::QString},
        {"empty string", QVariant(QString()), QMetaType::QString},
        {"data", QVariant(QByteArray("\x00\x01\xff", 3)), QMetaType::QByteArray},
        {"empty data", QVariant(QByteArray()), QMetaType::QByteArray},
        {"date", QVariant(utc(2026, 12, 10, 13, 45, 7)), QMetaType::QDateTime},
    };
    for (const auto &c : cases) {
        const QVariant back = roundTrip(c.value);
        EXPECT_EQ(back.typeId(), int(c.type)) << c.what;
        EXPECT_EQ(back, c.value) << c.what;
    }
}

TEST(PlistBridge, IntegerOneStaysIntegerAndTrueStaysBool)
{
    const QByteArray doc = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
                           "<key>a</key><integer>1</integer><key>b</key><true/></dict></plist>";
    auto v = PlistBridge::parse(doc);
    ASSERT_TRUE(v);
    const QVariantMap m = v->toMap();
    EXPECT_EQ(m.value("a").typeId(), QMetaType::LongLong);
    EXPECT_EQ(m.value("b").typeId(), QMetaType::Bool);
    const QByteArray again = *PlistBridge::toXml(*v);
    EXPECT_TRUE(again.contains("<integer>1</integer>"));
    EXPECT_TRUE(again.contains("<true/>"));
}

TEST(PlistBridge, DatesRoundTripFarOutsideThe32BitRange)
{
    // The property-list epoch is 2001; 32-bit seconds would only reach 1933..2069.
    for (const QDateTime &d : {utc(1901, 1, 1), utc(1932, 12, 13, 20, 45, 52), utc(1933, 1, 1), utc(2001, 1, 1),
                               utc(2069, 1, 19, 3, 14, 7), utc(2100, 6, 30, 23, 59, 59), utc(2999, 12, 31)}) {
        EXPECT_EQ(roundTrip(d).toDateTime(), d) << d.toString(Qt::ISODate).toStdString();
    }
}

TEST(PlistBridge, NestedContainersRoundTrip)
{
    QVariantMap inner{{"list", QVariantList{qint64(1), QStringLiteral("two"), 3.5, QVariantList{}, QVariantMap{}}},
                      {"flag", false}};
    QVariantMap root{{"Main", inner}, {"Array", QVariantList{QStringLiteral("x"), QStringLiteral("y")}},
                     {"Scalar", true}};
    EXPECT_EQ(roundTrip(root), QVariant(root));
}

TEST(PlistBridge, ReadsBinaryPropertyLists)
{
    // Written by another property-list implementation (Python's plistlib).
    auto v = PlistBridge::readFile(testing_paths::fixtures() + "/plist/sample.bplist");
    ASSERT_TRUE(v);
    const QVariantMap m = v->toMap();
    EXPECT_EQ(m.value("int"), QVariant(qint64(7)));
    EXPECT_EQ(m.value("neg"), QVariant(qint64(-3)));
    EXPECT_EQ(m.value("big"), QVariant(qint64(1) << 40));
    EXPECT_EQ(m.value("real"), QVariant(2.5));
    EXPECT_EQ(m.value("flag"), QVariant(true));
    EXPECT_EQ(m.value("text"), QVariant(QString::fromUtf8("hé")));
    EXPECT_EQ(m.value("data"), QVariant(QByteArray("\x00\xff", 2)));
    EXPECT_EQ(m.value("date").toDateTime(), utc(2100, 1, 2, 3, 4, 5));
    EXPECT_EQ(m.value("list").toList().value(2).toMap().value("x"), QVariant(false));
}

TEST(PlistBridge, UnparsableInputIsAnErrorNotAnEmptyResult)
{
    for (const QByteArray &bad : {QByteArray(), QByteArray("not a plist"), QByteArray("<plist><dict><key>a</key></plist>"),
                                  QByteArray("bplist00\x01\x02", 10)}) {
        QString error;
        EXPECT_FALSE(PlistBridge::parse(bad, &error).has_value());
        EXPECT_FALSE(error.isEmpty());
    }
    QString error;
    EXPECT_FALSE(PlistBridge::readFile(QStringLiteral("/nonexistent/x.plist"), &error));
    EXPECT_TRUE(error.contains("/nonexistent/x.plist"));
}

TEST(PlistBridge, OversizedFileIsRefusedUnread)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("huge.plist"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(PlistBridge::kMaxFileBytes + 1)); // sparse: nothing is really written
    f.close();
    QString error;
    EXPECT_FALSE(PlistBridge::readFile(f.fileName(), &error));
    EXPECT_TRUE(error.contains("not read")) << error.toStdString();
}

TEST(PlistBridge, ValuesAPropertyListCannotHoldAreRefused)
{
    QString error;
    EXPECT_FALSE(PlistBridge::toXml(QVariantMap{{"p", QVariant::fromValue(QSize(1, 2))}}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(PlistBridge::toXml(QVariant()));
}

TEST(PlistBridge, WriteFileReplacesAtomicallyAndKeepsOldFileOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.plist");
    ASSERT_TRUE(PlistBridge::writeFile(path, QVariantMap{{"k", qint64(1)}}));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    // An unwritable value fails before touching the file.
    EXPECT_FALSE(PlistBridge::writeFile(path, QVariantMap{{"k", QVariant::fromValue(QSize())}}));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(PlistBridge::readFile(path)->toMap().value("k"), QVariant(qint64(1)));
}
