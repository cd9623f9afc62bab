// Deleting, copying and moving messages: the answer-driven chains on the SIM and the device memory,
// the computer's deleted and important boxes, and the saves between positions.
#include "SmsPageHarness.h"
#include "ostrel/sms/SmsTestMessages.h"

#include "common/records/Payload.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/sms/service/SmsService.h"

#include <QDir>
#include <QPushButton>

using namespace ostrel;
using namespace sms_test;
using namespace sms_page_test;

namespace {

QList<yov::SmsDeleteRequest> deletes(const SmsPageHarness &h) { return h.decodedRecords<yov::SmsDeleteRequest>(yov::smsmsg::kMinorDelete); }

QList<yov::SmsCopyRequest> copies(const SmsPageHarness &h) { return h.decodedRecords<yov::SmsCopyRequest>(yov::smsmsg::kMinorCopy); }

QVariantList inboxOf(int count)
{
    QVariantList list;
    for (int i = 0; i < count; ++i)
        list << singleSms(QString::number(500 + i), QStringLiteral("m%1").arg(i), i, 1);
    return list;
}

} // namespace

TEST(SmsDelete, TheSimChainSendsTheHighestIndexFirstOneAnswerAtATime)
{
    SmsPageHarness h({}, {{QString(kSimList), QVariantMap{{"InBox", inboxOf(8)}}}});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    c.loadBoxinSIMList();
    choose(c, yov::sms::kPositionSim, yov::sms::kBoxInBox);
    selectRows(c, {2, 7, 5});
    c.page()->deleteBtn->click();
    EXPECT_EQ(h.alerts.messages(), QStringList{"Are you sure you want to delete the message(s)?"});
    ASSERT_EQ(deletes(h).size(), 1);
    EXPECT_EQ(deletes(h)[0], (yov::SmsDeleteRequest{yov::sms::kPositionSim, yov::sms::kBoxInBox, 7}));
    EXPECT_FALSE(c.page()->msgBoxList->isEnabled()) << "the page waits for the chain";
    h.deliver(yov::smsmsg::kMinorDelete, {}, 1, 1); // a failed step: logged, the chain goes on
    ASSERT_EQ(deletes(h).size(), 2);
    EXPECT_EQ(deletes(h)[1].index, 5);
    h.deliver(yov::smsmsg::kMinorDelete);
    ASSERT_EQ(deletes(h).size(), 3);
    EXPECT_EQ(deletes(h)[2].index, 2);
    h.deliver(yov::smsmsg::kMinorDelete);
    EXPECT_EQ(deletes(h).size(), 3);
    EXPECT_TRUE(c.getDeleteList().isEmpty());
    EXPECT_TRUE(c.page()->msgBoxList->isEnabled());

    // Cancelling the confirmation changes nothing.
    selectRows(c, {0});
    h.alerts.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    c.page()->deleteBtn->click();
    EXPECT_EQ(deletes(h).size(), 3);
}

TEST(SmsDelete, TheComputersDeletedAndImportantBoxes)
{
    const QVariantMap sms{{"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2}, {"DeletedBox", 3}, {"ImportantBox", 4}}}};
    SmsPageHarness h({{"SMS", sms}},
                     {{QString(kPcList), QVariantMap{{"InBox", QVariantList{singleSms("100", "keep", 1, 0), singleSms("200", "gone", 2, 0)}},
                                                     {"OutBox", QVariantList{}},
                                                     {"DraftBox", QVariantList{flatDraft("300", "draft", 3)}},
                                                     {"DeletedBox", QVariantList{singleSms("400", "lost key", 4, 1)}},
                                                     {"ImportantBox", QVariantList{}}}}});
    SMSController &c = *h.controller;
    choose(c, yov::sms::kPositionPc, yov::sms::kBoxInBox);
    selectRows(c, {1});
    c.page()->deleteBtn->click();
    EXPECT_EQ(smsTexts(fileBox(h, kPcList, "InBox")), QStringList{"keep"});
    const QVariantList deleted = fileBox(h, kPcList, "DeletedBox");
    ASSERT_EQ(smsTexts(deleted), (QStringList{"lost key", "gone"}));
    EXPECT_EQ(deleted[1].toMap().value("preLocationBeforeGoToDelBox"), 0);
    EXPECT_EQ(deleted[1].toMap().value("smsInfo").toMap().value("stat"), 1);

    // Both come back to the inbox: the one without the key too.
    choose(c, yov::sms::kPositionPc, yov::sms::kBoxDeletedBox);
    selectRows(c, {0, 1});
    c.recoverMessage(nullptr);
    EXPECT_TRUE(fileBox(h, kPcList, "DeletedBox").isEmpty());
    QStringList inbox = smsTexts(fileBox(h, kPcList, "InBox"));
    inbox.sort();
    EXPECT_EQ(inbox, (QStringList{"gone", "keep", "lost key"}));

    // A draft in the important box keeps its "stat".
    choose(c, yov::sms::kPositionPc, yov::sms::kBoxDraftBox);
    selectRows(c, {0});
    c.moveToImportantBox(nullptr);
    const QVariantList important = fileBox(h, kPcList, "ImportantBox");
    ASSERT_EQ(important.size(), 1);
    EXPECT_EQ(important[0].toMap().value("preLocationBeforeGotoImpBox"), 2);
    EXPECT_EQ(important[0].toMap().value("stat"), flatDraft("300", "draft", 3).value("stat"));
    EXPECT_TRUE(fileBox(h, kPcList, "DraftBox").isEmpty());
}

TEST(SmsSave, BetweenTheComputerAndTheSimWithoutAQuestionOfWhere)
{
    SmsPageHarness h({}, {{QString(kSimList), QVariantMap{{"InBox", inboxOf(3)}}}});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    c.loadBoxinSIMList();
    choose(c, yov::sms::kPositionSim, yov::sms::kBoxInBox);
    EXPECT_EQ(c.getSavedDestPosition(), yov::sms::kPositionPc) << "two positions: the other one";
    selectRows(c, {0, 2});
    c.page()->saveToBtn->click();
    ASSERT_EQ(copies(h).size(), 1);
    EXPECT_EQ(copies(h)[0], (yov::SmsCopyRequest{yov::sms::kPositionSim, yov::sms::kBoxInBox, 2, yov::sms::kPositionPc}));
    h.deliver(yov::smsmsg::kMinorCopy);
    ASSERT_EQ(copies(h).size(), 2);
    EXPECT_EQ(copies(h)[1].sourceIndex, 0);
    h.deliver(yov::smsmsg::kMinorCopy);
    EXPECT_TRUE(c.saveToList().isEmpty());
    EXPECT_TRUE(deletes(h).isEmpty()) << "a copy keeps its sources";
    EXPECT_EQ(c.getCurrentPosition(), yov::sms::kPositionPc) << "the page shows the destination";
}

TEST(SmsSave, AMoveDeletesOnlyTheSourcesThatArrivedWhereTheyCameFrom)
{
    const QVariantMap sms{{"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_SIM", 1}, {"AT_ME", 2}}}};
    SmsPageHarness h({{"SMS", sms}}, {{QString(yov::sms::kSmsListMeFileName), QVariantMap{{"InBox", inboxOf(3)}}}});
    SmsService service(h.store.get(), &h.clock); // holds the operation code of the save
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    c.loadSmsList();
    choose(c, yov::sms::kPositionMe, yov::sms::kBoxInBox);
    ASSERT_EQ(c.tableModel()->rowCount(), 3);
    selectRows(c, {0, 1, 2});
    NSPopUpButtonExt *where = c.page()->popBtnSaveMessage_;
    where->setCurrentIndex(where->findData(int(yov::sms::kPositionSim)));
    EXPECT_EQ(c.getSavedDestPosition(), yov::sms::kPositionSim);
    where->setCurrentIndex(where->findData(int(yov::sms::kPositionPc)));
    EXPECT_EQ(c.getSavedDestPosition(), yov::sms::kPositionPc);
    c.page()->btnMoveTo_->click();
    ASSERT_EQ(copies(h).size(), 1);
    h.deliver(yov::smsmsg::kMinorCopy);          // index 2 arrived
    h.deliver(yov::smsmsg::kMinorCopy, {}, 1, 1); // index 1 failed
    h.deliver(yov::smsmsg::kMinorCopy);          // index 0 arrived
    ASSERT_EQ(copies(h).size(), 3);
    // The delete chain over the device memory, once, without the failed one.
    ASSERT_EQ(deletes(h).size(), 1);
    EXPECT_EQ(deletes(h)[0], (yov::SmsDeleteRequest{yov::sms::kPositionMe, yov::sms::kBoxInBox, 2}));
    h.deliver(yov::smsmsg::kMinorDelete);
    ASSERT_EQ(deletes(h).size(), 2);
    EXPECT_EQ(deletes(h)[1], (yov::SmsDeleteRequest{yov::sms::kPositionMe, yov::sms::kBoxInBox, 0}));
    h.deliver(yov::smsmsg::kMinorDelete);
    EXPECT_EQ(deletes(h).size(), 2);
}

TEST(SmsSave, FromTheComputerToTheCardAndDeletingThere)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_TCARD", 1}}}}}},
                     {{QString(kPcList), QVariantMap{{"InBox", QVariantList{singleSms("100", "to the card", 1, 1)}}}}});
    const QString card = h.dir.filePath("card");
    ASSERT_TRUE(QDir().mkpath(card));
    qputenv("OSTREL_TCARD", card.toLocal8Bit());
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    c.loadSmsList();
    choose(c, yov::sms::kPositionPc, yov::sms::kBoxInBox);
    EXPECT_EQ(c.getSavedDestPosition(), yov::sms::kPositionTcard) << "two positions: the other one";
    selectRows(c, {0});
    ASSERT_TRUE(c.page()->btnMoveTo_->isEnabled());
    c.page()->btnMoveTo_->click();
    EXPECT_TRUE(h.sentRecords(yov::smsmsg::kMinorCopy).isEmpty()) << "the card is written as a file";
    EXPECT_EQ(smsTexts(c.getTcardListInBox(yov::sms::kBoxInBox)), QStringList{"to the card"});
    EXPECT_EQ(smsTexts(fileBox(h, kPcList, "InBox")), QStringList{"to the card"}) << "the source stays, also for a move";
    EXPECT_EQ(c.getCurrentPosition(), yov::sms::kPositionTcard) << "the page shows the card";

    c.setSynTcardSmsFlag(false);
    choose(c, yov::sms::kPositionTcard, yov::sms::kBoxInBox);
    selectRows(c, {0});
    ASSERT_TRUE(c.page()->deleteBtn->isEnabled());
    c.page()->deleteBtn->click();
    EXPECT_TRUE(c.getTcardListInBox(yov::sms::kBoxInBox).isEmpty());
    EXPECT_TRUE(c.synTcardSmsFlag());
    EXPECT_EQ(smsTexts(fileBox(h, kPcList, "InBox")), QStringList{"to the card"});
    qunsetenv("OSTREL_TCARD");
}

TEST(SmsDelete, CardMessagesMovedToTheImportantBoxAreTheCardsOwn)
{
    // The card's message and the computer's share their place in their lists.
    const QVariantMap sms{{"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_TCARD", 1}}},
                          {"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2}, {"ImportantBox", 3}}}};
    SmsPageHarness h({{"SMS", sms}}, {{QString(kPcList), QVariantMap{{"InBox", QVariantList{singleSms("100", "computer's own", 1, 1)}},
                                                                      {"ImportantBox", QVariantList{}}}}});
    ASSERT_TRUE(QDir(h.dir.path()).mkpath("memory-card"));
    qputenv("OSTREL_TCARD", h.dir.filePath("memory-card").toLocal8Bit());
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    c.writeMessagesToTcard({singleSms("200", "card's own", 1, 1)}, yov::sms::kBoxInBox);
    c.loadSmsList();
    choose(c, yov::sms::kPositionTcard, yov::sms::kBoxInBox);
    ASSERT_EQ(smsTexts(c.getTcardListInBox(yov::sms::kBoxInBox)), QStringList{"card's own"});
    selectRows(c, {0});
    ASSERT_TRUE(c.page()->btnMoveToImportantBox_->isEnabled());
    c.page()->btnMoveToImportantBox_->click();
    EXPECT_EQ(smsTexts(fileBox(h, kPcList, "ImportantBox")), QStringList{"card's own"});
    EXPECT_EQ(smsTexts(fileBox(h, kPcList, "InBox")), QStringList{"computer's own"}) << "the computer's message stays";
    EXPECT_TRUE(c.getTcardListInBox(yov::sms::kBoxInBox).isEmpty()) << "moved off the card";
    qunsetenv("OSTREL_TCARD");
}

TEST(SmsDelete, AChainCutShortByTheDeviceGoingLeavesThePageUsable)
{
    SmsPageHarness h({}, {{QString(kSimList), QVariantMap{{"InBox", inboxOf(3)}}}});
    SMSController &c = *h.controller;
    c.netcardChanged(12);
    c.loadBoxinSIMList();
    choose(c, yov::sms::kPositionSim, yov::sms::kBoxInBox);
    selectRows(c, {0, 1});
    c.page()->deleteBtn->click();
    ASSERT_EQ(deletes(h).size(), 1);
    EXPECT_FALSE(c.page()->msgBoxList->isEnabled());
    c.deviceRemoved({});
    EXPECT_TRUE(c.page()->msgBoxList->isEnabled()) << "the computer's messages can be browsed";
    EXPECT_TRUE(c.boxView()->msgBoxSelectAt->isEnabled());
    EXPECT_TRUE(c.getDeleteList().isEmpty());
}
