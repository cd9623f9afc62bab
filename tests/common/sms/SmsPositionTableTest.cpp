#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsPositionTable.h"

#include <gtest/gtest.h>

using namespace yov::sms;

namespace {

QStringList positionsOf(const YovPositionManager &table)
{
    QStringList out;
    for (const YovPosition &p : table.getAllPositions())
        out << QStringLiteral("%1=%2@%3").arg(p.positionName()).arg(p.positon()).arg(p.displayOrder());
    return out;
}

TEST(SmsPositionTable, PositionsByDisplayOrderThenName)
{
    struct Case {
        const char *what;
        QVariantMap sms;
        QStringList expected;
    };
    const Case cases[] = {
        {"none configured", {}, {"AT_PC=0@0", "AT_SIM=1@1"}},
        {"all four, out of name order",
         {{"positionOrder", QVariantMap{{"AT_TCARD", 2}, {"AT_ME", 3}, {"AT_SIM", 1}, {"AT_PC", 0}}}},
         {"AT_PC=0@0", "AT_SIM=1@1", "AT_TCARD=3@2", "AT_ME=4@3"}},
        {"an unknown name gets code 0", {{"positionOrder", QVariantMap{{"AT_XX", 1}, {"AT_PC", 0}}}}, {"AT_PC=0@0", "AT_XX=0@1"}},
        {"a shared order keeps both, by name", {{"positionOrder", QVariantMap{{"AT_SIM", 0}, {"AT_PC", 0}}}}, {"AT_PC=0@0", "AT_SIM=1@0"}},
    };
    for (const Case &t : cases)
        EXPECT_EQ(positionsOf(smsPositionTable(t.sms)), t.expected) << t.what;
}

TEST(SmsPositionTable, BoxDisplayOrder)
{
    struct Case {
        const char *what;
        QVariantMap sms;
        QMap<int, int> expected;
    };
    const Case cases[] = {
        {"none configured", {}, {{0, 0}, {1, 1}, {2, 2}}},
        {"deleted and important added",
         {{"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2}, {"DeletedBox", 3}, {"ImportantBox", 4}}}},
         {{0, 0}, {1, 1}, {2, 2}, {3, 4}, {4, 5}}},
        {"orders 0, 1, 2, 5", {{"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2}, {"BroadCastBox", 5}}}},
         {{0, 0}, {1, 1}, {2, 2}, {5, 6}}},
        {"a shared order: the first by name wins", {{"boxOrder", QVariantMap{{"OutBox", 0}, {"InBox", 0}, {"DraftBox", 1}}}},
         {{0, 0}, {1, 2}}},
        {"an unknown box matches none", {{"boxOrder", QVariantMap{{"Nonsense", 0}}}}, {{0, -1}}},
    };
    for (const Case &t : cases)
        EXPECT_EQ(smsBoxDisplayOrderMap(t.sms), t.expected) << t.what;
}

} // namespace
