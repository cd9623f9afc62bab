#include "common/ValueConversion.h"

#include <gtest/gtest.h>

using namespace yov;

TEST(ValueConversion, Table)
{
    struct Case {
        const char *what;
        QVariant in;
        bool b;
        int i;
        double d;
    } cases[] = {
        {"YES", QStringLiteral("YES"), true, 0, 0},
        {"yes", QStringLiteral("yes"), true, 0, 0},
        {"T", QStringLiteral("T"), true, 0, 0},
        {"true", QStringLiteral("true"), true, 0, 0},
        {"1", QStringLiteral("1"), true, 1, 1},
        {"0", QStringLiteral("0"), false, 0, 0},
        {"empty", QStringLiteral(""), false, 0, 0},
        {"no", QStringLiteral("no"), false, 0, 0},
        {"NO", QStringLiteral("NO"), false, 0, 0},
        {"false", QStringLiteral("false"), false, 0, 0},
        {"3abc", QStringLiteral("3abc"), true, 3, 3},
        {" 3", QStringLiteral(" 3"), true, 3, 3},
        {"-1", QStringLiteral("-1"), true, -1, -1},
        {"00", QStringLiteral("00"), false, 0, 0},
        {"007", QStringLiteral("007"), true, 7, 7},
        {"2.5", QStringLiteral("2.5"), true, 2, 2.5},
        {"abc", QStringLiteral("abc"), false, 0, 0},
        {"number 0.5", QVariant(0.5), true, 0, 0.5},
        {"number 0", QVariant(qint64(0)), false, 0, 0},
        {"number 42", QVariant(qint64(42)), true, 42, 42},
        {"number -7", QVariant(-7), true, -7, -7},
        {"bool true", QVariant(true), true, 1, 1},
        {"bool false", QVariant(false), false, 0, 0},
        {"missing", QVariant(), false, 0, 0},
        {"dictionary", QVariantMap{{"a", 1}}, false, 0, 0},
        {"huge text", QStringLiteral("99999999999999999999"), true, std::numeric_limits<int>::max(), 1e20},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(nsBool(c.in), c.b) << c.what;
        EXPECT_EQ(nsInt(c.in), c.i) << c.what;
        EXPECT_DOUBLE_EQ(nsDouble(c.in), c.d) << c.what;
    }
}

TEST(ValueConversion, StringsAndContainers)
{
    EXPECT_EQ(nsString(QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_EQ(nsString(qint64(12)), QStringLiteral("12"));
    EXPECT_EQ(nsString(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(nsString(QVariant()), QString());
    EXPECT_EQ(nsString(QVariantList{1}), QString());
    EXPECT_EQ(nsDict(QStringLiteral("x")), QVariantMap());
    EXPECT_EQ(nsArray(QVariantList{1, 2}).size(), 2);
    EXPECT_EQ(nsArray(QStringLiteral("x")), QVariantList());
    EXPECT_EQ(nsLongLong(QStringLiteral("8589934592")), 8589934592LL);
}
