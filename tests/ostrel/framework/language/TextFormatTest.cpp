#include "common/TextFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFormatTest, FillsPlaceholdersInOrderWithoutPrintf)
{
    struct Case {
        const char *format;
        QStringList args;
        const char *expected;
    } cases[] = {
        {"IMSI %@", {"460001234567890"}, "IMSI 460001234567890"},
        {"%@ of %@", {"1", "2"}, "1 of 2"},
        {"You only have %d time(s) left!", {"3"}, "You only have 3 time(s) left!"},
        {"%s/%i/%u/%ld/%lu/%lld/%llu", {"a", "b", "c", "d", "e", "f", "g"}, "a/b/c/d/e/f/g"},
        {"100%% sure %@", {"x"}, "100% sure x"},
        {"missing %@ and %@", {"one"}, "missing one and "},
        {"extra %@", {"one", "two"}, "extra one"},
        {"inserted text is not rescanned: %@ %@", {"%@%n%s", "b"}, "inserted text is not rescanned: %@%n%s b"},
        {"unknown %n %x %5d %.2f % end %", {"a"}, "unknown %n %x %5d %.2f % end %"},
        {"%lx %lll", {"a"}, "%lx %lll"},
        {"", {"a"}, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(yov::formatPlaceholders(QString::fromUtf8(c.format), c.args), QString::fromUtf8(c.expected))
            << c.format;
}

} // namespace
