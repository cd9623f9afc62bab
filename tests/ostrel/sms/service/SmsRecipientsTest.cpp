#include "ostrel/sms/service/SmsRecipients.h"

#include <gtest/gtest.h>

using namespace ostrel;

TEST(SmsRecipients, TheFilterKeepsNumbersAndSeparators)
{
    struct Case {
        const char *typed;
        int limit;
        const char *kept;
        bool tooMany;
    } cases[] = {
        {"123;;456", 20, "123;456", false},
        {";123", 20, "123", false},
        {"+44 20", 20, "+4420", false},
        {"1;2;3", 2, "1;2;", false},
        {"1;2;3;", 2, "1;2;", true},
        {"1;2;;;", 2, "1;2;", false},
    };
    for (const Case &t : cases) {
        const SmsRecipientFilter f = filterRecipientText(QString::fromLatin1(t.typed), ";", t.limit);
        EXPECT_EQ(f.text, t.kept) << t.typed;
        EXPECT_EQ(f.tooMany, t.tooMany) << t.typed;
    }
    // 40 characters fit the record's field; the 41st is dropped.
    EXPECT_EQ(filterRecipientText(QString(40, '5'), ";", 20).text, QString(40, '5'));
    EXPECT_EQ(filterRecipientText(QString(41, '5'), ";", 20).text, QString(40, '5'));
    EXPECT_EQ(filterRecipientText(QString(41, '5') + ";6", ";", 20).text, QString(40, '5') + ";6");
    // Only the separator's first character counts.
    EXPECT_EQ(filterRecipientText("1,2;3", ",;", 20).text, "1,23");
}

TEST(SmsRecipients, TheFieldSplitsAtEverySeparator)
{
    EXPECT_EQ(splitRecipients("111;222;", ";"), (QStringList{"111", "222"}));
    EXPECT_EQ(splitRecipients("111;;222", ";"), (QStringList{"111", "", "222"}));
    EXPECT_EQ(splitRecipients("111", ";"), QStringList{"111"});
    EXPECT_TRUE(splitRecipients("", ";").isEmpty());
    EXPECT_TRUE(isBlankRecipientField("   "));
    EXPECT_TRUE(isBlankRecipientField(""));
    EXPECT_FALSE(isBlankRecipientField(" 1 "));
}
