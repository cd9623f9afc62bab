// The SMS tab of the assembled dashboard against the stand-in: once the SIM is ready the tree
// shows the computer and the SIM, the SIM inbox lists the scenario's messages with the unread one
// in bold, selecting it shows its text and tells the stand-in it was read, and a search narrows
// the list.
#include "DashboardFixture.h"

#include "common/records/Payload.h"
#include "common/records/UiMsg.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "ostrel/device/main/MainController.h"
#include "common/sms/SmsListFiles.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/StatusBarView.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/framework/tree/Node.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsSource.h"
#include "ostrel/sms/page/SmsTableModel.h"

#include <QDBusArgument>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>

using namespace ostrel;
using namespace dashboard_test;

namespace {

// The read requests (768/102) the stand-in received.
QList<yov::SmsReadRequest> readRequests()
{
    QList<yov::SmsReadRequest> reads;
    const QDBusMessage reply = control(QStringLiteral("ReceivedRecords"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return reads;
    for (const QByteArray &bytes : qdbus_cast<QList<QByteArray>>(reply.arguments().first().value<QDBusArgument>())) {
        yov::UI_MSG msg = yov::zeroMsg();
        if (yov::msgFromBytes(bytes, msg) > 0 && msg.majorID == 768 && msg.minorID == yov::smsmsg::kMinorRead)
            reads << yov::SmsReadRequest::decode(yov::PayloadReader::ofMsg(msg));
    }
    return reads;
}

class DashboardSmsPageTest : public DashboardFixture {
protected:
    SMSController *sms() const { return assembly_->smsController(); }
    QStringList column(const char *id) const
    {
        SmsTableModel *model = sms()->tableModel();
        QStringList values;
        for (int row = 0; row < model->rowCount(); ++row)
            values << model->data(model->index(row, model->columnOfIdentifier(id))).toString();
        return values;
    }
};

TEST_F(DashboardSmsPageTest, TheSimInboxIsListedReadAndSearched)
{
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());
    SmsPageView *page = sms()->page();
    ASSERT_TRUE(page);
    EXPECT_EQ(page->parentWidget(), main()->tabPage(QStringLiteral("SMS"))) << "the page is the SMS tab's";
    SmsSource *tree = sms()->smsSource();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree->getNodeofSavePosByPositonName("AT_SIM") != nullptr; }, kWaitMs));
    EXPECT_TRUE(tree->getNodeofSavePosByPositonName("AT_PC"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->simList(yov::sms::kBoxInBox).size() == 2; }, kWaitMs));

    sms()->notifyChangeTabViewItem(QStringLiteral("SMS"));
    EXPECT_EQ(main()->tabviewMain->currentWidget(), main()->tabPage(QStringLiteral("SMS")));
    const Node *simInbox = tree->getNodeOfBoxByPositonNameAndSavePos(QStringLiteral("AT_SIM"), QStringLiteral("InBox"));
    ASSERT_TRUE(simInbox);
    tree->outlineView()->selectionModel()->select(tree->model()->indexForNode(simInbox),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->getCurrentPosition() == yov::sms::kPositionSim && column("mobilephone").size() == 2; },
                                kWaitMs));
    EXPECT_EQ(column("mobilephone"), (QStringList{"+491705550123", "+491705550199"}));
    SmsTableModel *model = sms()->tableModel();
    EXPECT_TRUE(model->data(model->index(0, 0), Qt::FontRole).value<QFont>().bold()) << "the unread message";
    EXPECT_FALSE(model->data(model->index(1, 0), Qt::FontRole).value<QFont>().bold());
    saveScreenshot(mainWindow(), QStringLiteral("sms-tab-sim-inbox.png"));

    page->msgBoxList->selectRow(0);
    EXPECT_EQ(page->messageText->toPlainText(), "Welcome to Vandrel! Your data bundle is ready.");
    ASSERT_TRUE(QTest::qWaitFor([] { return !readRequests().isEmpty(); }, kWaitMs));
    EXPECT_EQ(readRequests().first(), (yov::SmsReadRequest{yov::sms::kPositionSim, 0}));
    EXPECT_FALSE(model->data(model->index(0, 0), Qt::FontRole).value<QFont>().bold()) << "read now";
    saveScreenshot(mainWindow(), QStringLiteral("sms-tab-message-read.png"));

    sms()->boxView()->SearchSMS_item->setText(QStringLiteral("station"));
    EXPECT_EQ(column("mobilephone"), QStringList{"+491705550199"});
    sms()->boxView()->SearchSMS_item->clear();
    EXPECT_EQ(column("mobilephone").size(), 2);
    EXPECT_EQ(presenter_.count(), 0) << presenter_.messages().join(" | ").toStdString();
}

// Reading the last unread message on the computer while connected: the status item leaves the
// new-message animation for the connection's picture.
TEST_F(DashboardSmsPageTest, ReadingTheLastUnreadMessagePutsBackTheConnectionPicture)
{
    setSettings({{QStringLiteral("NeedSystemStatusItem"), true},
                 {QStringLiteral("Main/Main_FreshStatusView_ConnectStatusChanged"), true},
                 {QStringLiteral("Main/Main_FreshStatusView_NewSMSArrive"), true}});
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimMessages"), QVariantList{}}, {QStringLiteral("StoreCode"), 2}});
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());
    StatusBarView *item = main()->viewSysStatusItem_;
    ASSERT_NE(item, nullptr);
    const QImage connected = main()->namedImage(QStringLiteral("SysStatusItemConnected.PNG"));
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4917011111"), QStringLiteral("unread here")}).type(),
              QDBusMessage::ReplyMessage);
    const QString pcList = config_->configFilePathOfKey(configkeys::kCMSMSListOfPCFile);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !yov::sms::readSmsListFile(pcList).value_or(QVariantMap()).value("InBox").toList().isEmpty(); }, kWaitMs));
    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(QTest::qWaitFor([] { return Neighbours::dial().connectStatus() == 3; }, kWaitMs));

    sms()->reloadPCSmsList();
    sms()->notifyChangeTabViewItem(QStringLiteral("SMS"));
    SmsBoxView *boxes = sms()->boxView();
    ASSERT_TRUE(boxes->saveAtPos->selectCellAtRow(sms()->yovPositionManager().getPositionOrderByPositon(yov::sms::kPositionPc)));
    sms()->selectSaveAt();
    ASSERT_TRUE(boxes->msgBoxSelectAt->selectCellAtRow(sms()->getBoxDisplayOrderWithBox(yov::sms::kBoxInBox)));
    sms()->msgBoxSelect();
    ASSERT_EQ(column("mobilephone").size(), 1);
    Neighbours::main().freshStatusViewWhenInitialController();
    ASSERT_TRUE(item->isAnimationRunning());

    sms()->page()->msgBoxList->selectRow(0);
    EXPECT_EQ(sms()->page()->messageText->toPlainText(), QStringLiteral("unread here"));
    EXPECT_FALSE(item->isAnimationRunning()) << "the animation outlived the last unread message";
    EXPECT_EQ(item->displayedImage(), connected);
    EXPECT_EQ(presenter_.count(), 0) << presenter_.messages().join(" | ").toStdString();
}

// A computer list file as other property-list writers lay it out (comments, entities, CDATA,
// character references) is listed and shown as written, and so is one in a spelling that only
// the general reader takes (white space around a number).
TEST_F(DashboardSmsPageTest, TheComputerInboxIsListedAsItsFileWritesIt)
{
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());
    const auto message = [](const char *number, const char *text, const char *stat) {
        const QByteArray info = QByteArray("<dict>\n<key>date</key><date>2026-03-04T05:06:07Z</date>\n<key>messagetext</key>") + text
                                + "\n<key>mobilephone</key><string>" + number + "</string>\n<key>stat</key>" + stat
                                + "\n<key>totalNum</key><integer>1</integer>\n</dict>\n";
        return "<dict>\n<key>concatSmsFlag</key><false/>\n<key>concatSmsInfo</key>" + info + "<key>smsInfo</key>" + info
               + "</dict>\n";
    };
    const auto listFile = [&](const char *stat) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
               "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">\n<!-- two messages -->\n<dict>\n"
               "<key>InBox</key>\n<array>\n"
               + message("+491701111111", "<string>Tom &amp; Jerry &lt;3 <![CDATA[<b>bold</b> & more]]> caf&#xE9; &#x1F600;</string>", stat)
               + message("+491702222222", "<string>second\nline</string>", stat)
               + "</array>\n<key>OutBox</key><array/>\n<key>DraftBox</key><array/>\n</dict>\n</plist>\n";
    };
    const QString pcList = config_->configFilePathOfKey(configkeys::kCMSMSListOfPCFile);
    SmsBoxView *boxes = sms()->boxView();
    const auto openComputerInbox = [&](const QByteArray &bytes) {
        QFile file(pcList);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        sms()->reloadPCSmsList();
        sms()->notifyChangeTabViewItem(QStringLiteral("SMS"));
        ASSERT_TRUE(boxes->saveAtPos->selectCellAtRow(sms()->yovPositionManager().getPositionOrderByPositon(yov::sms::kPositionPc)));
        sms()->selectSaveAt();
        ASSERT_TRUE(boxes->msgBoxSelectAt->selectCellAtRow(sms()->getBoxDisplayOrderWithBox(yov::sms::kBoxInBox)));
        sms()->msgBoxSelect();
    };
    for (const char *stat : {"<integer>1</integer>", "<integer> 1 </integer>"}) {
        openComputerInbox(listFile(stat));
        ASSERT_FALSE(HasFatalFailure());
        QStringList numbers = column("mobilephone");
        ASSERT_EQ(numbers.size(), 2) << stat;
        const int first = int(numbers.indexOf(QStringLiteral("+491701111111")));
        ASSERT_GE(first, 0) << stat;
        sms()->page()->msgBoxList->selectRow(first);
        EXPECT_EQ(sms()->page()->messageText->toPlainText(), QString::fromUtf8("Tom & Jerry <3 <b>bold</b> & more café 😀")) << stat;
        sms()->page()->msgBoxList->selectRow(1 - first);
        EXPECT_EQ(sms()->page()->messageText->toPlainText(), QStringLiteral("second\nline")) << stat;
    }
    EXPECT_EQ(presenter_.count(), 0) << presenter_.messages().join(" | ").toStdString();
}


// The tree's box titles and the counters under the list count the same messages, and no bare count
// of a box the page lacks stands beside them. The titles of the position not selected stay current
// too (the SIM's inbox reads its two messages before anyone opens it, and a message that arrives
// while the computer is shown is counted there at once).
TEST_F(DashboardSmsPageTest, TheTreeAndTheCountersCountTheSameMessages)
{
    launch("default.plist");
    ASSERT_TRUE(waitSimReady());
    SmsSource *tree = sms()->smsSource();
    SmsPageView *page = sms()->page();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree->getNodeofSavePosByPositonName("AT_SIM") != nullptr; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->simList(yov::sms::kBoxInBox).size() == 2; }, kWaitMs));
    sms()->notifyChangeTabViewItem(QStringLiteral("SMS"));
    const auto title = [&](const char *position, const char *box) {
        const Node *node = tree->getNodeOfBoxByPositonNameAndSavePos(QString::fromLatin1(position), QString::fromLatin1(box));
        return node ? node->name() : QString();
    };
    const auto select = [&](const char *position) {
        const Node *inbox = tree->getNodeOfBoxByPositonNameAndSavePos(QString::fromLatin1(position), QStringLiteral("InBox"));
        ASSERT_TRUE(inbox);
        tree->outlineView()->selectionModel()->select(tree->model()->indexForNode(inbox),
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    ASSERT_EQ(sms()->getCurrentPosition(), yov::sms::kPositionPc);
    // The special boxes are not on this page: no bare count of theirs stands beside the counters.
    SmsBoxView *boxes = sms()->boxView();
    for (QLabel *label : {boxes->tfdDeliveryReportBoxMessageNum, boxes->tfdDeletedBoxMessageNum_,
                          boxes->tfdImportantBoxMessageNum_, boxes->tfdBroadCastBoxMessageNum_})
        EXPECT_TRUE(label->isHidden()) << label->objectName().toStdString();
    EXPECT_EQ(page->inBoxMessageNum->text(), "(0)");
    EXPECT_EQ(title("AT_PC", "InBox"), "InBox(0)");
    EXPECT_TRUE(QTest::qWaitFor([&] { return title("AT_SIM", "InBox") == "InBox(2)"; }, kWaitMs)) << title("AT_SIM", "InBox").toStdString();

    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4917011111"), QStringLiteral("one more")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->simList(yov::sms::kBoxInBox).size() == 3; }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return title("AT_SIM", "InBox") == "InBox(3)"; }, kWaitMs)) << title("AT_SIM", "InBox").toStdString();
    EXPECT_EQ(page->inBoxMessageNum->text(), "(0)") << "the computer is still shown";

    select("AT_SIM");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sms()->getCurrentPosition() == yov::sms::kPositionSim && page->inBoxMessageNum->text() == "(3)"; },
                                kWaitMs));
    EXPECT_EQ(page->outBoxMessageNum->text(), "(0)");
    EXPECT_EQ(title("AT_SIM", "InBox"), "InBox(3)");
    EXPECT_EQ(title("AT_SIM", "OutBox"), "OutBox(0)");
    EXPECT_EQ(title("AT_PC", "InBox"), "InBox(0)");

    select("AT_PC");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sms()->getCurrentPosition() == yov::sms::kPositionPc && page->inBoxMessageNum->text() == "(0)"; },
                                kWaitMs));
    EXPECT_EQ(title("AT_PC", "InBox"), "InBox(0)");
    EXPECT_EQ(title("AT_SIM", "InBox"), "InBox(3)");
    saveScreenshot(mainWindow(), QStringLiteral("sms-tab-tree-counts.png"));
    EXPECT_EQ(presenter_.count(), 0) << presenter_.messages().join(" | ").toStdString();
}

} // namespace
