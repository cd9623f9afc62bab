#include "SmsPageHarness.h"
#include "ostrel/sms/SmsTestMessages.h"

#include "common/PlistBridge.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFiles.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsSource.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "platform/NotificationCenter.h"
#include "support/ManualClock.h"
#include "support/ScriptedAlertPresenter.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace sms_test;
using namespace sms_page_test;

TEST(SMSController, ListsWithNamesIndexesAndMissingBoxes)
{
    SmsPageHarness h({});
    h.writeList(yov::sms::kSmsListPcFileName,
                {{"InBox", QVariantList{singleSms("100", "a", 1), singleSms("300", "b", 2)}},
                 {"DraftBox", QVariantList{flatDraft("100;200;", "to both", 3), flatDraft("200", "to Bob", 4)}}});
    h.writeList(yov::sms::kSmsListSimFileName,
                {{"InBox", QVariantList{concatSms("200", {"x", "y", "z"}, 1), singleSms("100", "s", 2)}}});
    h.controller->loadSmsList();
    const QVariantList inbox = h.controller->pcList(0);
    ASSERT_EQ(smsTexts(inbox), (QStringList{"a", "b"}));
    EXPECT_EQ(inbox.at(0).toMap().value("concatSmsInfo").toMap().value("username"), "Ann");
    EXPECT_EQ(inbox.at(1).toMap().value("concatSmsInfo").toMap().value("username"), "300");
    EXPECT_EQ(inbox.at(1).toMap().value("index"), 1);
    const QVariantList drafts = h.controller->pcList(2);
    EXPECT_EQ(drafts.at(0).toMap().value("username"), "Ann,Bob,");
    EXPECT_EQ(drafts.at(1).toMap().value("username"), "Bob");
    EXPECT_TRUE(h.controller->pcList(4).isEmpty());
    EXPECT_FALSE(h.controller->readPCListWithBox(4)) << "a box the file lacks";
    EXPECT_EQ(h.controller->simList(0).at(0).toMap().value("concatSmsInfo").toMap().value("username"), "Bob");
    EXPECT_EQ(h.controller->simUsed(), 4) << "a three-part message counts 3";
    EXPECT_EQ(h.controller->searchMultiPhoneNumber(""), "");

    struct Case {
        bool search;
        int position, box;
        std::optional<QStringList> expected;
    };
    h.controller->setSearchResults(0, 0, {singleSms("1", "found", 1)});
    const Case cases[] = {
        {false, 0, 0, QStringList{"a", "b"}}, {false, 0, 2, QStringList{"to both", "to Bob"}},
        {false, 1, 0, QStringList{"xyz", "s"}}, {true, 0, 0, QStringList{"found"}},
        {true, 1, 0, QStringList{}}, {false, 1, 4, std::nullopt},
        {false, 0, 3, std::nullopt}, {false, 0, 7, std::nullopt}, {false, 2, 0, std::nullopt},
    };
    for (const Case &t : cases) {
        const auto got = h.controller->getCurrentBoxListBySearchFlag(t.search, t.position, t.box);
        ASSERT_EQ(got.has_value(), t.expected.has_value()) << t.position << "/" << t.box;
        if (got) {
            EXPECT_EQ(smsTexts(*got), *t.expected) << t.position << "/" << t.box;
        }
    }
}

TEST(SMSController, ComputerBoxesByImsi)
{
    const QVariantMap file{{"InBox", QVariantList{withKey(singleSms("1", "mine", 1), "IMSI", "262"),
                                                  withKey(singleSms("2", "other", 2), "IMSI", "999")}},
                           {"DeletedBox", QVariantList{withKey(singleSms("3", "deleted", 3), "IMSI", "262")}}};
    struct Case {
        QVariant imsi;
        QStringList inbox;
    };
    for (const Case &t : {Case{QVariant(), {}}, Case{"262", {"mine"}}}) {
        QVariantMap settings{{"SMS", QVariantMap{{"displayPCSMSByIMSI", true}}}};
        if (t.imsi.isValid())
            settings.insert("IMSI", t.imsi);
        SmsPageHarness h(settings);
        h.writeList(yov::sms::kSmsListPcFileName, file);
        h.controller->loadBoxinPCList();
        EXPECT_EQ(smsTexts(h.controller->pcList(0)), t.inbox);
        EXPECT_EQ(h.controller->pcList(0).value(0).toMap().value("index").toInt(), 0);
        EXPECT_TRUE(h.controller->pcList(4).isEmpty()) << "the shown deleted box stays empty";
        EXPECT_EQ(smsTexts(h.controller->getAllPcListByBox(4).value_or(QVariantList())), QStringList{"deleted"});
    }
}

TEST(SMSController, CountsFromTheDeviceAndTheRoomAlerts)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_SIM", 1}, {"AT_ME", 2}}},
                                          {"MaxSMSCountInfo", QVariantMap{{"AT_PC", 3}}}}}});
    h.deliver(yov::smsmsg::kMinorCapacity, yov::SmsCapacity{20, 7, 20, 19}.encode(), 0);
    EXPECT_EQ(h.controller->simCap(), 0) << "a report of the wrong type is ignored";
    h.deliver(yov::smsmsg::kMinorCapacity, yov::SmsCapacity{20, 7, 20, 19}.encode());
    EXPECT_EQ(h.controller->getDiagnosticsSMS(), "7/20");
    EXPECT_EQ(h.controller->modemCap(), 20);
    EXPECT_FALSE(h.controller->isFullWithPosition(yov::sms::kPositionMe));
    EXPECT_TRUE(h.controller->hasEnoughSpaceToReceiveWithPosition(yov::sms::kPositionMe, {singleSms("1", "x", 1)}));
    EXPECT_FALSE(h.controller->hasEnoughSpaceToReceiveWithPosition(yov::sms::kPositionMe, {concatSms("1", {"a", "b"}, 1)}));
    EXPECT_EQ(h.alerts.messages(), QStringList{"Data Card capacity is not enough!"});

    // The device memory's list sets its use again: 20 of 20 is full, and the full window shows.
    QVariantList meInbox;
    for (int i = 0; i < 20; ++i)
        meInbox.append(singleSms("1", QString::number(i), i % 60));
    h.writeList(yov::sms::kSmsListMeFileName, {{"InBox", meInbox}});
    h.controller->loadSmsList();
    EXPECT_EQ(h.controller->modemUsed(), 20);
    EXPECT_TRUE(h.controller->isFullWithPosition(yov::sms::kPositionMe));
    ASSERT_TRUE(h.controller->smsSimMaxWarningWin());
    EXPECT_EQ(h.controller->simMaxText()->text(), "Modem SMS bank is full!");

    // Computer: capacity 3 with 2 stored and one selected: the warning, and still YES.
    h.writeList(yov::sms::kSmsListPcFileName, {{"InBox", QVariantList{singleSms("1", "a", 1), singleSms("2", "b", 2)}}});
    h.controller->loadBoxinPCList();
    h.alerts.clear();
    EXPECT_TRUE(h.controller->hasEnoughSpaceToReceiveWithPosition(yov::sms::kPositionPc, {singleSms("3", "c", 3)}));
    EXPECT_EQ(h.alerts.messages(), QStringList{"DataBase is full,please delete some items."});
    EXPECT_EQ(h.setting.simFull.value(0), false);
}

TEST(SMSController, TheDevicesCentreGoesToTheSettings)
{
    QByteArray centre(yov::kSmsCentreSize, '\0');
    centre.replace(0, 13, "+491709999000");
    QByteArray full(yov::kSmsCentreSize, '7');
    const struct {
        const char *what;
        int type;
        int result;
        QByteArray payload;
        QStringList stored;
        bool alert;
    } cases[] = {
        {"a centre", 1, 0, centre, {"+491709999000"}, false},
        {"32 digits with no terminator", 1, 0, full, {QString(yov::kSmsCentreSize, QLatin1Char('7'))}, false},
        {"no number", 1, 0, {}, {}, false},
        {"a short record", 1, 0, centre.left(20), {}, false},
        {"refused", 1, 1, {}, {}, true},
        {"not an answer", 0, 0, centre, {}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SmsPageHarness h({});
        h.deliver(yov::smsmsg::kMinorCentre, c.payload, c.type, c.result);
        EXPECT_EQ(h.setting.centres, c.stored);
        SmsPageView *p = h.controller->page();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->wndAlert_->isVisible(), c.alert);
        if (c.alert) {
            EXPECT_EQ(p->labelTitle_->text(), "Warning");
            EXPECT_TRUE(p->txtViewMsg_->toPlainText().contains("Fail to set message center!"));
        }
    }
}

TEST(SMSController, CardTimerAndItsSendConditions)
{
    struct Case {
        QVariant interval;
        int ms;
    };
    for (const Case &t : {Case{QVariant(), 100000}, Case{0, 100000}, Case{30, 30000}, Case{2.5, 2500}}) {
        QVariantMap sms{{"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_TCARD", 1}}}};
        if (t.interval.isValid())
            sms.insert("SynTCardTimeInterval", t.interval);
        SmsPageHarness h({{"SMS", sms}});
        EXPECT_EQ(h.controller->synTcardIntervalMs(), t.ms);
    }

    SmsPageHarness h({{"SMS", QVariantMap{{"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_TCARD", 1}}}}}});
    qunsetenv("OSTREL_TCARD");
    const QString card = h.dir.filePath("card");
    h.controller->setSynTcardSmsFlag(true);
    h.clock.advance(100000);
    EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorSyncTcard), 0) << "no card";
    qputenv("OSTREL_TCARD", card.toLocal8Bit());
    h.controller->setSynTcardSmsFlag(false);
    h.clock.advance(100000);
    EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorSyncTcard), 0) << "nothing changed on the card";
    h.controller->setSynTcardSmsFlag(true);
    h.clock.advance(100000);
    EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorSyncTcard), 1);
    h.deliver(yov::smsmsg::kMinorSyncTcard);
    EXPECT_FALSE(h.controller->synTcardSmsFlag());
    qunsetenv("OSTREL_TCARD");
}

TEST(SMSController, AutoDeleteInsteadOfTheSimFullWindow)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"AutoDeleteState", true}}}});
    h.controller->alertFullWithPosition(yov::sms::kPositionSim, SMSController::FullAlertStore);
    // The window exists with the page; it is not shown.
    EXPECT_TRUE(!h.controller->smsSimMaxWarningWin() || !h.controller->smsSimMaxWarningWin()->isVisible());
    EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorAutoDelete), 1);
}

TEST(SMSController, InstallsItselfAndPutsTheDefaultBack)
{
    {
        SmsPageHarness h({});
        EXPECT_EQ(&Neighbours::sms(), static_cast<SMSControllerInterface *>(h.controller.get()));
        EXPECT_TRUE(Neighbours::sms().hasPosition(yov::sms::kPositionPc));
        EXPECT_FALSE(Neighbours::sms().hasPosition(yov::sms::kPositionMe));
        EXPECT_EQ(Neighbours::sms().smsPositions().size(), 2);
    }
    EXPECT_FALSE(Neighbours::sms().hasPosition(yov::sms::kPositionPc));
}

namespace {

// The tree as "position title: box titles" lines.
QStringList treeOf(const SmsSource &source)
{
    QStringList lines;
    const Node *root = source.root();
    for (int i = 0; i < root->childCount(); ++i) {
        const Node *position = root->child(i);
        QStringList boxes;
        for (int j = 0; j < position->childCount(); ++j)
            boxes << position->child(j)->name();
        lines << position->name() + ": " + boxes.join(", ");
    }
    return lines;
}

TEST(SmsSourceTree, ShapePerConfiguration)
{
    struct Case {
        const char *what;
        QVariantMap sms;
        QStringList expected;
    };
    const Case cases[] = {
        {"nothing configured", {}, {"PC: inBox(0), OutBox(0), DraftBox(0)"}},
        {"deleted and important",
         {{"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2}, {"DeletedBox", 3}, {"ImportantBox", 4}}}},
         {"PC: inBox(0), OutBox(0), DraftBox(0), DeletedBox(0), ImportantBox(0)"}},
        {"orders 0, 1, 2, 5: broadcast titled by its own word",
         {{"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2}, {"BroadCastBox", 5}}}},
         {"PC: inBox(0), OutBox(0), DraftBox(0), BroadCastBox(0)"}},
        {"a duplicated order: the first by name", {{"boxOrder", QVariantMap{{"OutBox", 0}, {"InBox", 0}}}}, {"PC: inBox(0)"}},
        {"card and device memory titled by their matrix words",
         {{"positionOrder", QVariantMap{{"AT_ME", 2}, {"AT_TCARD", 1}, {"AT_PC", 0}}}},
         {"PC: inBox(0), OutBox(0), DraftBox(0)", "SD Card: inBox(0), OutBox(0), DraftBox(0)",
          "ME Position:: inBox(0), OutBox(0), DraftBox(0)"}},
        {"counts on the computer node",
         {{"DisplaySMSCountInfo", true}, {"MaxSMSCountInfo", QVariantMap{{"AT_PC", 500}}}},
         {"PC (0/500): inBox(0), OutBox(0), DraftBox(0)"}},
    };
    for (const Case &t : cases) {
        SmsPageHarness h({{"SMS", t.sms}});
        ASSERT_TRUE(h.controller->smsSource());
        EXPECT_EQ(treeOf(*h.controller->smsSource()), t.expected) << t.what;
    }
}

TEST(SmsSourceTree, TheSimBranchComesAndGoesWithoutDoublingBoxes)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_SIM", 1}, {"AT_TCARD", 2}}},
                                          {"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2}}}}}});
    const QStringList withoutSim{"PC: inBox(0), OutBox(0), DraftBox(0)", "SD Card: inBox(0), OutBox(0), DraftBox(0)"};
    const QStringList withSim = withoutSim + QStringList{"(U)SIM: inBox(0), OutBox(0)"};
    SmsSource &tree = *h.controller->smsSource();
    EXPECT_EQ(treeOf(tree), withoutSim);
    for (int round = 0; round < 2; ++round) {
        h.controller->setNetCardStatus(12);
        EXPECT_EQ(treeOf(tree), withSim) << round;
        h.controller->setNetCardStatus(4);
        EXPECT_EQ(treeOf(tree), withoutSim) << "the card node stays, round " << round;
    }
    h.controller->setNetCardStatus(12);
    const Node *inbox = tree.getNodeOfBoxByPositonNameAndSavePos("AT_SIM", "InBox");
    ASSERT_TRUE(inbox);
    EXPECT_EQ(tree.selectionOf(inbox), std::make_pair(1, 0));
    EXPECT_EQ(tree.selectionOf(tree.getNodeofSavePosByPositonName("AT_TCARD")), std::make_pair(3, -1));
    EXPECT_EQ(tree.selectionOf(tree.getNodeOfBoxByPositonNameAndSavePos("AT_TCARD", "DraftBox")), std::make_pair(3, 2));
    EXPECT_FALSE(tree.getNodeOfBoxByPositonNameAndSavePos("AT_SIM", "DraftBox"));
    EXPECT_EQ(tree.model()->rowCount(), 3);
}

void selectInTree(SmsSource &tree, const Node *node)
{
    ASSERT_TRUE(node);
    tree.outlineView()->selectionModel()->select(tree.model()->indexForNode(node),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

TEST(SmsSourceTree, ANodeSelectionMovesBothMatrices)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_TCARD", 1}, {"AT_SIM", 2}}},
                                          {"boxOrder", QVariantMap{{"DraftBox", 0}, {"InBox", 1}, {"OutBox", 2}}}}}});
    h.controller->setNetCardStatus(12);
    SmsSource &tree = *h.controller->smsSource();
    SmsBoxView &view = *h.controller->boxView();
    ASSERT_EQ(tree.outlineView(), view.outlineView_);
    EXPECT_EQ(view.outlineView_->model(), tree.model());

    struct Case {
        const char *position;
        const char *box; // null: the position node itself
        int positionRow, boxRow;
        const char *action;
    };
    const Case cases[] = {
        {"AT_PC", "InBox", 0, 1, "msgBoxSelect:"},
        {"AT_SIM", "OutBox", 2, 2, "msgBoxSelect:"},
        {"AT_TCARD", "DraftBox", 1, 0, "msgBoxSelect:"},
        {"AT_PC", "DraftBox", 0, 0, "msgBoxSelect:"},
        {"AT_SIM", nullptr, 2, 0, "selectSaveAt:"}, // the box matrix stays where it was
        {"AT_TCARD", nullptr, 1, 0, "selectSaveAt:"},
    };
    for (const Case &t : cases) {
        const Node *node = t.box ? tree.getNodeOfBoxByPositonNameAndSavePos(t.position, t.box)
                                 : tree.getNodeofSavePosByPositonName(t.position);
        selectInTree(tree, node);
        EXPECT_EQ(tree.selectedNode(), node) << t.position << "/" << (t.box ? t.box : "-");
        EXPECT_EQ(view.saveAtPos->selectedRow(), t.positionRow) << t.position << "/" << (t.box ? t.box : "-");
        EXPECT_EQ(view.msgBoxSelectAt->selectedRow(), t.boxRow) << t.position << "/" << (t.box ? t.box : "-");
        EXPECT_EQ(tree.cellActionOf(node), t.action);
    }
    // The matrices carry the translated words at the rows of the display order.
    EXPECT_EQ(view.saveAtPos->cellAtRow(1)->text(), "SD Card");
    EXPECT_EQ(view.msgBoxSelectAt->cellAtRow(0)->text(), "DraftBox");

    // The selected SIM box goes with the branch; the tree and the view go on working.
    selectInTree(tree, tree.getNodeOfBoxByPositonNameAndSavePos("AT_SIM", "InBox"));
    h.controller->setNetCardStatus(4);
    EXPECT_EQ(tree.selectedNode(), nullptr);
    selectInTree(tree, tree.getNodeOfBoxByPositonNameAndSavePos("AT_PC", "OutBox"));
    EXPECT_EQ(view.msgBoxSelectAt->selectedRow(), 2);
}

TEST(SmsSourceTree, BoxCountsGoToTheNamedPositionsBoxes)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2},
                                                                   {"DeletedBox", 3}, {"ImportantBox", 4}}}}}});
    h.controller->setNetCardStatus(12);
    SmsSource &tree = *h.controller->smsSource();
    h.controller->boxView()->saveAtPos->selectCellAtRow(0); // the selection plays no part
    tree.setBoxWithSmSCount(yov::sms::kPositionSim, 1, 2, 3, 4, 5, 6);
    EXPECT_EQ(treeOf(tree), (QStringList{"PC: inBox(0), OutBox(0), DraftBox(0), DeletedBox(0), ImportantBox(0)",
                                         "(U)SIM: inBox(1), OutBox(2)"}));
    tree.setBoxWithSmSCount(yov::sms::kPositionPc, 7, 8, 9, 10, 11, 12);
    tree.setBoxWithSmSCount(yov::sms::kPositionTcard, 0, 0, 0, 0, 0, 0); // no such branch: nothing
    EXPECT_EQ(treeOf(tree), (QStringList{"PC: inBox(7), OutBox(8), DraftBox(9), DeletedBox(10), ImportantBox(11)",
                                         "(U)SIM: inBox(1), OutBox(2)"}));
}

TEST(SmsStorageControls, TheSearchButtonShowsThenHidesTheFieldAndGo)
{
    SmsPageHarness h({});
    SmsBoxView &view = *h.controller->boxView();
    EXPECT_TRUE(view.SearchSMS_item->isHidden());
    h.controller->showOrHideSearchbar(view.smsGoBtn_); // another sender: nothing
    EXPECT_TRUE(view.SearchSMS_item->isHidden());
    for (bool shown : {true, false, true}) {
        view.smsSearchBtn_->click();
        EXPECT_EQ(!view.SearchSMS_item->isHidden(), shown);
        EXPECT_EQ(!view.smsGoBtn_->isHidden(), shown);
    }
}

TEST(SmsStorageControls, SpecialBoxesAreUnavailableAtTheSimAndTheDeviceMemory)
{
    // The report box sits at display order 4 and a regular box at order 3: the report cell is
    // found by its display order, so the draft box stays available at the SIM.
    SmsPageHarness h({{"SMS", QVariantMap{{"isHaveDeliveryReportBox", true},
                                          {"positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_SIM", 1}, {"AT_ME", 2}}},
                                          {"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"ImportantBox", 2},
                                                                   {"DraftBox", 3}, {"DELIVERY_REPORTBOX", 4},
                                                                   {"DeletedBox", 5}}}}}});
    SmsBoxView &view = *h.controller->boxView();
    struct Case {
        int positionRow;
        QList<bool> cellAvailable; // rows 0..5
        QList<bool> labelShown;    // boxes 3, 4, 5, 6
    };
    const Case cases[] = {
        // The broadcast box (6) is not on the page: its label stays out of sight throughout.
        {1, {true, true, false, true, false, false}, {false, false, false, false}},
        {0, {true, true, true, true, true, true}, {true, true, true, false}},
        {2, {true, true, false, true, false, false}, {false, false, false, false}},
        {0, {true, true, true, true, true, true}, {true, true, true, false}},
    };
    for (const Case &t : cases) {
        ASSERT_TRUE(view.saveAtPos->selectCellAtRow(t.positionRow)); // the page reacts to the new position
        for (int row = 0; row < 6; ++row) {
            QAbstractButton *cell = view.msgBoxSelectAt->cellAtRow(row);
            ASSERT_TRUE(cell) << row;
            EXPECT_EQ(!cell->isHidden(), t.cellAvailable.at(row)) << "position row " << t.positionRow << ", cell " << row;
            EXPECT_EQ(cell->isEnabled(), t.cellAvailable.at(row)) << "position row " << t.positionRow << ", cell " << row;
        }
        for (int box = 3; box <= 6; ++box)
            EXPECT_EQ(!view.countLabelOfBox(box)->isHidden(), t.labelShown.at(box - 3))
                << "position row " << t.positionRow << ", label of box " << box;
    }
}

TEST(SmsStorageControls, WithoutAReportBoxTheReportRuleTouchesNoCell)
{
    SmsPageHarness h({{"SMS", QVariantMap{{"boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2},
                                                                   {"DeletedBox", 3}}}}}});
    SmsBoxView &view = *h.controller->boxView();
    view.saveAtPos->selectCellAtRow(1);
    EXPECT_TRUE(view.countLabelOfBox(3)->isHidden()) << "a box the page lacks shows no count";
    h.controller->showOrHiddenDeliveryReportBox();
    EXPECT_TRUE(view.countLabelOfBox(3)->isHidden());
    // The deleted box (cell 3) is unavailable at the SIM by its own rule, and back at the computer
    // the report rule leaves it alone.
    EXPECT_FALSE(view.msgBoxSelectAt->cellAtRow(3)->isEnabled());
    view.saveAtPos->selectCellAtRow(0);
    h.controller->showOrHiddenDeliveryReportBox();
    EXPECT_TRUE(view.msgBoxSelectAt->cellAtRow(3)->isEnabled());
    view.saveAtPos->selectCellAtRow(1);
    EXPECT_FALSE(view.msgBoxSelectAt->cellAtRow(3)->isEnabled());
    h.controller->showOrHiddenDeliveryReportBox();
    EXPECT_FALSE(view.msgBoxSelectAt->cellAtRow(3)->isEnabled()) << "the report rule must not enable another box";
}

TEST(SmsPageDeviceEvents, TheSimBranchFollowsTheDeviceAndReadyReloadsTheCard)
{
    struct Case {
        const char *what;
        QVariantMap positions;
        int reloads;
    };
    const Case cases[] = {
        {"no card position", QVariantMap{{"AT_PC", 0}, {"AT_SIM", 1}}, 0},
        {"a card position", QVariantMap{{"AT_PC", 0}, {"AT_SIM", 1}, {"AT_TCARD", 2}}, 1},
    };
    for (const Case &t : cases) {
        SmsPageHarness h({{"SMS", QVariantMap{{"positionOrder", t.positions}}}});
        SmsSource &tree = *h.controller->smsSource();
        h.notifications.post(QStringLiteral("SimReady"));
        EXPECT_EQ(h.controller->getNetCardStatus(), 12) << t.what;
        EXPECT_TRUE(tree.getNodeofSavePosByPositonName("AT_SIM")) << t.what;
        h.clock.advance(YOVMsgCenter::kDrainIntervalMs);
        EXPECT_EQ(h.sentCount(yov::smsmsg::kMinorReloadTcard), t.reloads) << t.what;
        h.notifications.post(QStringLiteral("DevicePlugin"));
        EXPECT_EQ(h.controller->getNetCardStatus(), 2) << t.what;
        EXPECT_FALSE(tree.getNodeofSavePosByPositonName("AT_SIM")) << t.what;
        h.controller->setSynTcardSmsFlag(false);
        h.notifications.post(QStringLiteral("DeviceRemoved"));
        EXPECT_EQ(h.controller->getNetCardStatus(), 1) << t.what;
        EXPECT_TRUE(h.controller->synTcardSmsFlag()) << t.what;
    }
}

} // namespace
