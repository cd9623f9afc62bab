#include "ostrel/sms/SmsTestMessages.h"

#include "common/sms/SmsBoxCodes.h"
#include "ostrel/sms/service/SmsCapacity.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace sms_test;
using namespace yov::sms;

namespace {

TEST(SmsCapacity, MessagesCountTheirStoredParts)
{
    EXPECT_EQ(getNumWithSmsDict(singleSms("1", "x", 1)), 1);
    EXPECT_EQ(getNumWithSmsDict(concatSms("1", {"a", "b", "c"}, 1)), 3);
    EXPECT_EQ(getNumWithSmsDict(flatDraft("1", "x", 1)), 1);
    EXPECT_EQ(smsPlacesOfList({singleSms("1", "x", 1), concatSms("1", {"a", "b", "c"}, 1)}), 4);
    EXPECT_TRUE(isPCDrafBoxMessage(flatDraft("1", "x", 1)));
    EXPECT_FALSE(isPCDrafBoxMessage(singleSms("1", "x", 1)));
}

TEST(SmsCapacity, FullAndRoom)
{
    struct Case {
        const char *what;
        int position;
        SmsCapacityCounts counts;
        int places;
        bool full;
        SmsRoom room;
    };
    const Case cases[] = {
        {"SIM capacity 0: not full, no room", kPositionSim, {0, 3, 0, 0, 0, 0}, 1, false, SmsRoom::SimNotEnough},
        {"SIM with room", kPositionSim, {10, 8, 0, 0, 0, 0}, 2, false, SmsRoom::Enough},
        {"SIM one place short", kPositionSim, {10, 8, 0, 0, 0, 0}, 3, false, SmsRoom::SimNotEnough},
        {"SIM full", kPositionSim, {10, 10, 0, 0, 0, 0}, 1, true, SmsRoom::SimNotEnough},
        {"device memory 20 of 20", kPositionMe, {0, 0, 20, 20, 0, 0}, 1, true, SmsRoom::DeviceNotEnough},
        {"device memory capacity 0: not full, no room", kPositionMe, {0, 0, 0, 0, 0, 0}, 1, false, SmsRoom::DeviceNotEnough},
        {"computer 500 with 499 stored, one selected", kPositionPc, {0, 0, 0, 0, 500, 499}, 1, false, SmsRoom::DatabaseFull},
        {"computer with room", kPositionPc, {0, 0, 0, 0, 500, 400}, 1, false, SmsRoom::Enough},
        {"computer without a capacity", kPositionPc, {0, 0, 0, 0, 0, 0}, 1, true, SmsRoom::DatabaseFull},
        {"a three-part message needs three places", kPositionSim, {10, 8, 0, 0, 0, 0}, 3, false, SmsRoom::SimNotEnough},
        {"the card has no limit", kPositionTcard, {0, 0, 0, 0, 0, 0}, 99, false, SmsRoom::Enough},
    };
    for (const Case &t : cases) {
        EXPECT_EQ(isFullWithPosition(t.position, t.counts), t.full) << t.what;
        EXPECT_EQ(roomForPlaces(t.position, t.places, t.counts), t.room) << t.what;
    }
    EXPECT_TRUE(smsRoomAllowsStoring(SmsRoom::DatabaseFull));
    EXPECT_FALSE(smsRoomAllowsStoring(SmsRoom::SimNotEnough));
    EXPECT_FALSE(smsRoomAllowsStoring(SmsRoom::DeviceNotEnough));
    EXPECT_EQ(smsRoomAlertText(SmsRoom::DeviceNotEnough), "Data Card capacity is not enough!");
    EXPECT_EQ(smsRoomAlertText(SmsRoom::SimNotEnough), "Sim card capacity is not enough!");
    EXPECT_EQ(smsRoomAlertText(SmsRoom::DatabaseFull), "DataBase is full,please delete some items.");
    EXPECT_EQ(pcSmsCapacity({{"MaxSMSCountInfo", QVariantMap{{"AT_PC", 500}}}}), 500);
    EXPECT_EQ(pcSmsCapacity({}), 0);
}

} // namespace
