#include "common/sms/SmsBoxCodes.h"
#include "common/sms/YovPositionManager.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace yov::sms;

namespace {

// Collects the warnings written while it lives.
class WarningLog {
public:
    WarningLog() { previous_ = qInstallMessageHandler(&WarningLog::handle); lines().clear(); }
    ~WarningLog() { qInstallMessageHandler(previous_); }
    static QStringList &lines()
    {
        static QStringList l;
        return l;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (type == QtWarningMsg)
            lines() << text;
    }
    QtMessageHandler previous_;
};

YovPositionManager defaultTable()
{
    YovPositionManager t;
    t.addYovpositionWithPositionName(QStringLiteral("AT_PC"), 0, 0);
    t.addYovpositionWithPositionName(QStringLiteral("AT_SIM"), 1, 1);
    return t;
}

} // namespace

TEST(SmsPositions, LookupsOfTheDefaultTableAndTheirMinusOne)
{
    const YovPositionManager t = defaultTable();
    EXPECT_EQ(t.positionCount(), 2);
    EXPECT_EQ(t.getPositionByPositionOrder(1), 1);
    EXPECT_EQ(t.getPositionByPositionOrder(2), -1);
    EXPECT_EQ(t.getPositionOrderByPositon(1), 1);
    EXPECT_EQ(t.getPositionOrderByPositon(3), -1);
    EXPECT_EQ(t.getPositionByPositionName(QStringLiteral("AT_SIM")), 1);
    EXPECT_EQ(t.getPositionOrderByPositonName(QStringLiteral("AT_PC")), 0);
    EXPECT_TRUE(t.hasPosition(0));
    EXPECT_FALSE(t.hasPosition(4));
}

TEST(SmsPositions, EntriesStayInTheOrderAddedAndTheFirstMatchWins)
{
    YovPositionManager t;
    t.addYovpositionWithPositionName(QStringLiteral("AT_ME"), 1, 4);
    t.addYovpositionWithPositionName(QStringLiteral("AT_TCARD"), 0, 3);
    t.addYovpositionWithPositionName(QStringLiteral("AT_SIM"), 1, 1); // the same display order as AT_ME
    EXPECT_EQ(t.getAllPositions().at(0).positionName(), QStringLiteral("AT_ME"));
    EXPECT_EQ(t.getPositionByPositionOrder(1), 4);
    EXPECT_EQ(t.getPositionByPositionOrder(0), 3);
    EXPECT_EQ(t.getPositionOrderByPositon(1), 1);
}

TEST(SmsPositions, OnlyMissingKeyNamesAreLogged)
{
    const YovPositionManager t = defaultTable();
    WarningLog log;
    EXPECT_EQ(t.getPositionByPositionName(QStringLiteral("AT_FLOPPY")), -1);
    EXPECT_EQ(t.getPositionByPositionName(QString()), -1);
    EXPECT_EQ(t.getPositionOrderByPositonName(QString()), -1);
    EXPECT_TRUE(WarningLog::lines().isEmpty()) << WarningLog::lines().join(QLatin1Char('\n')).toStdString();

    // A pair of keys that is none of the four answers -1 quietly; a missing key name is logged.
    EXPECT_EQ(t.getValueByKey(YovPositionManager::kKeyOrder, 1, YovPositionManager::kKeyName), -1);
    EXPECT_TRUE(WarningLog::lines().isEmpty());
    EXPECT_EQ(t.getValueByKey(QString(), 1, YovPositionManager::kKeyCode), -1);
    EXPECT_EQ(t.getValueByKey(YovPositionManager::kKeyCode, 1, QString()), -1);
    ASSERT_EQ(WarningLog::lines().size(), 2);
    EXPECT_EQ(WarningLog::lines().at(0), QStringLiteral("error://yovposition is not null"));
}

TEST(SmsPositions, PositionAndBoxNamesAndCodes)
{
    const struct {
        const char *name;
        int code;
    } positions[] = {{"AT_PC", 0}, {"AT_SIM", 1}, {"AT_TCARD", 3}, {"AT_ME", 4}},
      boxes[] = {{"InBox", 0},      {"OutBox", 1},       {"DraftBox", 2},    {"DELIVERY_REPORTBOX", 3},
                 {"DeletedBox", 4}, {"ImportantBox", 5}, {"BroadCastBox", 6}};
    for (const auto &p : positions) {
        EXPECT_EQ(smsPositionOfName(QLatin1String(p.name)), p.code);
        EXPECT_EQ(smsPositionName(p.code), QLatin1String(p.name));
    }
    for (const auto &b : boxes) {
        EXPECT_EQ(smsBoxOfName(QLatin1String(b.name)), b.code);
        EXPECT_EQ(smsBoxName(b.code), QLatin1String(b.name));
    }
    // Outside the tables: -1 for a name (it matches no box), no name for a code.
    EXPECT_EQ(smsBoxOfName(QStringLiteral("SpamBox")), -1);
    EXPECT_EQ(smsBoxOfName(QStringLiteral("inbox")), -1);
    EXPECT_TRUE(smsBoxName(7).isNull());
    EXPECT_TRUE(smsBoxName(-1).isNull());
    EXPECT_EQ(smsPositionOfName(QStringLiteral("AT_FLOPPY")), -1);
    EXPECT_TRUE(smsPositionName(2).isNull());

    EXPECT_TRUE(isSimOrMePosition(1));
    EXPECT_TRUE(isSimOrMePosition(4));
    EXPECT_FALSE(isSimOrMePosition(0));
    EXPECT_FALSE(isSimOrMePosition(3));
    EXPECT_EQ(smsListBoxNames(1), (QStringList{"InBox", "OutBox", "DraftBox"}));
    EXPECT_EQ(smsListBoxNames(0), (QStringList{"InBox", "OutBox", "DraftBox", "DeletedBox", "ImportantBox", "BroadCastBox"}));
}
