// The SMS lists, counts and capacity in the assembled dashboard against the stand-in: the lists
// and counts read at SIM ready, a message the stand-in stores between a load and a mark-read
// kept by the merging writer, a memory-card write handed to the stand-in, and the store-full
// window.
#include "DashboardFixture.h"

#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFiles.h"
#include "common/sms/YOVMessageModelManager.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsSource.h"
#include "ostrel/sms/service/SmsService.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QCheckBox>
#include <QIcon>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <QThread>

using namespace ostrel;
using namespace dashboard_test;

namespace {

QStringList summaryTexts(const QVariantList &box)
{
    QStringList texts;
    for (const QVariant &m : box)
        texts << yov::sms::YOVMessageModelManager::sharedYOVMessageModelManagerInstance()
                     .getMessageValueWithMessage(m.toMap(), "messagetext")
                     .toString();
    return texts;
}

class DashboardSmsTest : public DashboardFixture {
protected:
    SMSController *sms() const { return assembly_->smsController(); }
    QString pcPath() const { return config_->configFilePathOfKey(configkeys::kCMSMSListOfPCFile); }
    QVariantList pcInboxInFile() const
    {
        return yov::sms::readSmsListFile(pcPath()).value_or(QVariantMap()).value("InBox").toList();
    }
    bool waitListsLoaded()
    {
        return QTest::qWaitFor([this] { return sms()->simCap() > 0 && !sms()->simList(0).isEmpty(); }, kWaitMs);
    }
};

TEST_F(DashboardSmsTest, AtSimReadyTheListsAndCountsAreTheStandInsAndTheControllerIsInstalled)
{
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());
    ASSERT_TRUE(waitListsLoaded());
    EXPECT_EQ(&Neighbours::sms(), static_cast<SMSControllerInterface *>(sms()));
    EXPECT_EQ(&Neighbours::smsService(), static_cast<SmsServiceInterface *>(assembly_->smsService()));
    const QVariantMap state = modemState("Sms");
    EXPECT_EQ(sms()->simCap(), state.value("SimCapacity", 20).toInt());
    EXPECT_EQ(sms()->simUsed(), state.value("SimUsed").toInt());
    EXPECT_EQ(sms()->getDiagnosticsSMS(), QStringLiteral("%1/20").arg(state.value("SimUsed").toInt()));
    EXPECT_EQ(summaryTexts(sms()->simList(0)).value(0), "Welcome to Vandrel! Your data bundle is ready.");
    // Names come from the phonebook: an unknown number stays itself.
    EXPECT_EQ(sms()->simList(0).value(0).toMap().value("concatSmsInfo").toMap().value("username").toString(), "+491705550123");
    EXPECT_FALSE(sms()->isFullWithPosition(yov::sms::kPositionSim));
}

// The page holds the computer inbox; the stand-in stores a new message there; before the page sees
// it, the user reads a message and the page writes its older list: the new message stays.
TEST_F(DashboardSmsTest, AMessageDeliveredBetweenALoadAndAMarkReadStaysInTheFile)
{
    setScenarioModem("Sms", {{"StoreCode", 2}});
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());
    const QDBusMessage first = control("DeliverText", {"+4917011111", "first message"});
    ASSERT_NE(first.type(), QDBusMessage::ErrorMessage) << first.errorName().toStdString() << ": " << first.errorMessage().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([this] { return summaryTexts(sms()->pcList(0)).contains("first message"); }, kWaitMs));

    QVariantList mine = sms()->pcList(0);
    ASSERT_EQ(control("DeliverText", {"+4917022222", "arrived meanwhile"}).type(), QDBusMessage::ReplyMessage);
    // Wait for the file without turning the event loop: the page has not reloaded.
    const QDeadlineTimer deadline(kWaitMs);
    while (!summaryTexts(pcInboxInFile()).contains("arrived meanwhile") && !deadline.hasExpired())
        QThread::msleep(20);
    ASSERT_TRUE(summaryTexts(pcInboxInFile()).contains("arrived meanwhile"));
    ASSERT_FALSE(summaryTexts(sms()->pcList(0)).contains("arrived meanwhile"));

    QVariantMap read = mine.at(0).toMap();
    QVariantMap part = read.value("smsInfo").toMap();
    part.insert("stat", 1);
    read.insert("smsInfo", part);
    mine[0] = read;
    std::optional<bool> ok;
    sms()->writeMessagesToPC(mine, yov::sms::kBoxInBox, [&](const SmsBoxWriteResult &r) { ok = r.ok; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ok.has_value(); }, kWaitMs));
    EXPECT_TRUE(*ok);
    const QVariantList inbox = pcInboxInFile();
    EXPECT_EQ(summaryTexts(inbox), (QStringList{"arrived meanwhile", "first message"}));
    EXPECT_EQ(inbox.value(1).toMap().value("smsInfo").toMap().value("stat").toInt(), 1);
    EXPECT_EQ(presenter_.count(), 0) << presenter_.messages().join(" | ").toStdString();
}

TEST_F(DashboardSmsTest, ACardWriteIsHandedToTheStandIn)
{
    const QString card = dir_.filePath("card");
    ASSERT_TRUE(QDir().mkpath(card));
    qputenv("OSTREL_TCARD", card.toLocal8Bit());
    setSettings({{"SMS/positionOrder", QVariantMap{{"AT_PC", 0}, {"AT_SIM", 1}, {"AT_TCARD", 2}}}});
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());
    ASSERT_TRUE(sms()->hasPosition(yov::sms::kPositionTcard));
    EXPECT_EQ(sms()->readTcardFilePath(), yov::sms::tcardSmsListPath(card));
    EXPECT_TRUE(QTest::qWaitFor([] { return receivedIds().contains("768/113"); }, kWaitMs))
        << "a ready device with a card position reloads the card list";

    const QVariantList drafts{QVariantMap{{"mobilephone", "0170"}, {"messagetext", "to the card"}, {"date", QDateTime::currentDateTime()}, {"stat", "1"}}};
    std::optional<bool> ok;
    sms()->writeMessagesToTcard(drafts, yov::sms::kBoxDraftBox, [&](const SmsBoxWriteResult &r) { ok = r.ok; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ok.has_value(); }, kWaitMs));
    ASSERT_TRUE(*ok);
    EXPECT_EQ(sms()->getTcardListInBox(yov::sms::kBoxDraftBox).value(0).toMap().value("messagetext").toString(), "to the card");
    EXPECT_TRUE(sms()->synTcardSmsFlag());
    sms()->synTCard();
    EXPECT_TRUE(QTest::qWaitFor([] { return receivedIds().contains("768/114"); }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !sms()->synTcardSmsFlag(); }, kWaitMs)) << "the answer clears the flag";
    qunsetenv("OSTREL_TCARD");
}

TEST_F(DashboardSmsTest, TheSimFullWindowWithItsCheckBox)
{
    setSettings({{"specialSoftVersion/RAVO_TIM", true}});
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());
    sms()->alertFullWithPosition(yov::sms::kPositionSim, SMSController::FullAlertStore);
    QDialog *window = sms()->smsSimMaxWarningWin();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->objectName(), "smsSimMaxWarningWin");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(sms()->simMaxText()->text(), "(U)SIM SMS bank is full!");
    EXPECT_TRUE(sms()->simMaxCheckBox()->isVisible());
    QTest::qWait(100);
    // The window over the main window, as the user sees it.
    const QString shot = testing_paths::screenshotPath("sms-sim-full-window.png");
    if (!shot.isEmpty()) {
        QPixmap picture = mainWindow()->window()->grab();
        const QPixmap dialog = window->grab();
        QPainter painter(&picture);
        painter.drawPixmap((picture.width() - dialog.width()) / 2, (picture.height() - dialog.height()) / 2, dialog);
        painter.end();
        picture.save(shot);
    }
    sms()->simMaxCheckBox()->setChecked(true);
    window->hide();
    sms()->alertFullWithPosition(yov::sms::kPositionSim, SMSController::FullAlertStore);
    EXPECT_FALSE(window->isVisible()) << "ticked: not shown again";
    sms()->alertFullWithPosition(yov::sms::kPositionSim, SMSController::FullAlertTooLong);
    EXPECT_EQ(sms()->simMaxText()->text(), "New message is too long, and will be saved in PC!");
    EXPECT_FALSE(sms()->simMaxCheckBox()->isVisible());
}

TEST_F(DashboardSmsTest, WithAutoDeleteTheStandInIsAskedToMakeRoom)
{
    setSettings({{"SMS/AutoDeleteState", true}});
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());
    sms()->alertFullWithPosition(yov::sms::kPositionSim, SMSController::FullAlertStore);
    // The window exists with the page; it is not shown.
    EXPECT_TRUE(!sms()->smsSimMaxWarningWin() || !sms()->smsSimMaxWarningWin()->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([] { return receivedIds().count("768/111") == 1; }, kWaitMs));
}

} // namespace

TEST_F(DashboardSmsTest, TheBoxTreeGainsTheSimAtReadyAndMovesBothMatrices)
{
    setSettings({{"SMS/isHaveDeliveryReportBox", true},
                 {"SMS/boxOrder", QVariantMap{{"InBox", 0}, {"OutBox", 1}, {"DraftBox", 2}, {"DeletedBox", 3}}}});
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());
    SmsSource *tree = sms()->smsSource();
    SmsBoxView *view = sms()->boxView();
    ASSERT_TRUE(tree && view);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree->getNodeofSavePosByPositonName("AT_SIM") != nullptr; }, kWaitMs));
    const Node *simOutbox = tree->getNodeOfBoxByPositonNameAndSavePos("AT_SIM", "OutBox");
    ASSERT_TRUE(simOutbox);
    EXPECT_FALSE(tree->getNodeOfBoxByPositonNameAndSavePos("AT_SIM", "DeletedBox"));
    view->outlineView_->selectionModel()->select(tree->model()->indexForNode(simOutbox),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(view->saveAtPos->selectedRow(), 1);
    EXPECT_EQ(view->msgBoxSelectAt->selectedRow(), 1);
    EXPECT_FALSE(view->msgBoxSelectAt->cellAtRow(3)->isEnabled()) << "no deleted box at the SIM";
    const Node *pcDeleted = tree->getNodeOfBoxByPositonNameAndSavePos("AT_PC", "DeletedBox");
    ASSERT_TRUE(pcDeleted);
    view->outlineView_->selectionModel()->select(tree->model()->indexForNode(pcDeleted),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(view->saveAtPos->selectedRow(), 0);
    EXPECT_EQ(view->msgBoxSelectAt->selectedRow(), 3);
    EXPECT_TRUE(view->msgBoxSelectAt->cellAtRow(3)->isEnabled());
    view->smsSearchBtn_->click();
    EXPECT_FALSE(view->SearchSMS_item->isHidden());
}

TEST_F(DashboardSmsTest, AnExpiredFlowValueGivesTheApplicationItsIconBack)
{
    setSettings({{"FlowValueSmsInfo/FlowValueType", 1},
                 {"FlowValueSmsInfo/FlowSmsContent", "Volumen 75%"},
                 {"FlowValueSmsInfo/FlowSmsDate", QDateTime(QDate(2020, 3, 1), QTime(10, 0))}});
    launch("default.plist");
    QApplication::setWindowIcon(QIcon());
    SmsService *service = assembly_->smsService();
    ASSERT_TRUE(service);
    ASSERT_EQ(service->getFlowValueInfoFromFile(), SmsService::FlowValue100);
    EXPECT_TRUE(service->isOverDueFlowValueSms());
    EXPECT_FALSE(QApplication::windowIcon().isNull()) << "the assembly's callback sets the normal icon";
    EXPECT_FALSE(service->isOverDueFlowValueSms()) << "the record was cleared";
}
