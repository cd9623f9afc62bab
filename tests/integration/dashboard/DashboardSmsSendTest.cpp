// Writing, sending, copying, moving and deleting messages in the assembled dashboard against the
// stand-in, through the SMS page's windows as a user would.
#include "DashboardFixture.h"

#include "common/records/Payload.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFiles.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsBoxView.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/page/SmsTableModel.h"

#include <QAction>
#include <QDialog>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTextEdit>

using namespace ostrel;
using namespace dashboard_test;

namespace {

QList<yov::SmsSendRequest> sendsReceived()
{
    QList<yov::SmsSendRequest> out;
    for (const QByteArray &payload : receivedPayloads(768, yov::smsmsg::kMinorSend))
        out << yov::SmsSendRequest::decode(yov::PayloadReader(payload));
    return out;
}

QVariantMap simMessage(const QString &number, const QString &text, int minute)
{
    return {{"Box", "InBox"}, {"Number", number}, {"Text", text}, {"Stat", 1},
            {"Date", QDateTime(QDate(2024, 5, 1), QTime(10, minute), Qt::UTC)}};
}

class DashboardSmsSendTest : public DashboardFixture {
protected:
    SMSController *sms() const { return assembly_->smsController(); }
    QString listFile(const QString &key) const { return config_->configFilePathOfKey(key); }
    QVariantList fileBox(const QString &key, const char *box) const
    {
        return yov::sms::readSmsListFile(listFile(key)).value_or(QVariantMap()).value(QLatin1String(box)).toList();
    }
    void choose(int position, int box)
    {
        SmsBoxView *view = sms()->boxView();
        ASSERT_TRUE(view->saveAtPos->selectCellAtRow(sms()->yovPositionManager().getPositionOrderByPositon(position)));
        sms()->selectSaveAt();
        ASSERT_TRUE(view->msgBoxSelectAt->selectCellAtRow(sms()->getBoxDisplayOrderWithBox(box)));
        sms()->msgBoxSelect();
    }
    void selectRows(const QList<int> &rows)
    {
        SmsTableModel *model = sms()->tableModel();
        QItemSelection selection;
        for (int row : rows)
            selection.select(model->index(row, 0), model->index(row, 3));
        sms()->page()->msgBoxList->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    QStringList texts(const QVariantList &box) const
    {
        QStringList out;
        // The summary's text, else the parts' texts joined, else a flat message's own.
        for (const QVariant &m : box) {
            const QVariantMap message = m.toMap();
            QString text = message.value("concatSmsInfo").toMap().value("messagetext").toString();
            const QVariant parts = message.value("smsInfo");
            if (text.isEmpty() && parts.typeId() == QMetaType::QVariantMap)
                text = parts.toMap().value("messagetext").toString();
            if (text.isEmpty())
                for (const QVariant &part : parts.toList())
                    text += part.toMap().value("messagetext").toString();
            out << (message.contains("smsInfo") ? text : message.value("messagetext").toString());
        }
        return out;
    }
    // Opens the editor with New and types the recipients and the text as a user would.
    void compose(const QString &to, const QString &text)
    {
        SmsPageView *page = sms()->page();
        page->newMessageBtn->click();
        ASSERT_TRUE(page->messageWindow->isVisible());
        QTest::keyClicks(page->sendMessageTo, to);
        page->sendMessageText->setFocus();
        QTest::keyClicks(page->sendMessageText, text);
    }
    bool ready()
    {
        if (!waitSimReady())
            return false;
        sms()->notifyChangeTabViewItem(QStringLiteral("SMS"));
        return QTest::qWaitFor([this] { return sms()->page()->newMessageBtn->isEnabled(); }, kWaitMs);
    }
};

TEST_F(DashboardSmsSendTest, TwoRecipientsAreSentOneAfterTheOtherWithASummary)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    SmsPageView *page = sms()->page();
    page->newMessageBtn->click();
    ASSERT_TRUE(page->messageWindow->isVisible());
    QTest::keyClicks(page->sendMessageTo, QStringLiteral("+491705550123;+491705550177"));
    EXPECT_EQ(page->sendMessageTo->text(), QStringLiteral("+491705550123;+491705550177"));
    const QString text = QStringLiteral("0123456789").repeated(16) + QStringLiteral("!");
    ASSERT_EQ(text.size(), 161);
    page->sendMessageText->setFocus();
    QTest::keyClicks(page->sendMessageText, text);
    EXPECT_EQ(page->sendMessageText->toPlainText(), text);
    EXPECT_EQ(page->textCount->text(), QStringLiteral("info: 161/2"));
    saveScreenshot(page->messageWindow, QStringLiteral("sms-editor.png"));

    page->SendMessageBtn->click();
    ASSERT_TRUE(QTest::qWaitFor([] { return sendsReceived().size() == 1; }, kWaitMs));
    QElapsedTimer sinceFirst;
    sinceFirst.start();
    ASSERT_TRUE(QTest::qWaitFor([] { return sendsReceived().size() == 2; }, kWaitMs));
    EXPECT_GE(sinceFirst.elapsed(), 1900) << "the second recipient waits 2 s after the first answer";
    const QList<yov::SmsSendRequest> sent = sendsReceived();
    EXPECT_EQ(sent[0].recipient, QStringLiteral("+491705550123"));
    EXPECT_EQ(sent[1].recipient, QStringLiteral("+491705550177"));
    EXPECT_EQ(sent[0].text, text);
    EXPECT_EQ(sent[1].reference, quint8(sent[0].reference + 1));

    ASSERT_TRUE(QTest::qWaitFor([page] { return page->newSMSInfoText->text() == QStringLiteral("Send success:4,failed:0,cancel:0"); },
                                kWaitMs))
        << page->newSMSInfoText->text().toStdString();
    EXPECT_TRUE(page->newSMSInfoWindow->isVisible());
    EXPECT_EQ(page->cancelSendBtn->text(), QStringLiteral("OK"));
    saveScreenshot(page->newSMSInfoWindow, QStringLiteral("sms-send-summary.png"));
    // The sent message stands in the outbox of the store location (the SIM here).
    ASSERT_TRUE(QTest::qWaitFor([&] { return texts(fileBox(configkeys::kCMSMSListOfSimFile, "OutBox")).count(text) == 2; }, kWaitMs));
    page->cancelSendBtn->click();
    EXPECT_FALSE(page->newSMSInfoWindow->isVisible());
    EXPECT_EQ(presenter_.count(), 0) << presenter_.messages().join(" | ").toStdString();

    // The next message: the recipient field's menu offers the phonebook and these recipients.
    page->newMessageBtn->click();
    ASSERT_TRUE(page->sendMessageTo->text().isEmpty());
    page->sendMessageTo->findChild<QAction *>(QStringLiteral("phonebookAction"))->trigger();
    auto *menu = page->sendMessageTo->findChild<QMenu *>(QStringLiteral("recipientMenu"));
    ASSERT_TRUE(menu);
    QStringList items;
    for (QAction *action : menu->actions())
        if (!action->isSeparator())
            items << action->text();
    EXPECT_EQ(items, (QStringList{QStringLiteral("Phonebook"), QStringLiteral("+491705550123;+491705550177")}));
    menu->actions().last()->trigger();
    menu->close();
    EXPECT_EQ(page->sendMessageTo->text(), QStringLiteral("+491705550123;+491705550177"));
}

TEST_F(DashboardSmsSendTest, MessagesAreCopiedAndMovedBetweenTheComputerAndTheSim)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->simList(yov::sms::kBoxInBox).size() == 2; }, kWaitMs));
    choose(yov::sms::kPositionSim, yov::sms::kBoxInBox);
    selectRows({1});
    sms()->page()->saveToBtn->click(); // two positions: to the computer
    ASSERT_TRUE(QTest::qWaitFor([&] { return texts(fileBox(configkeys::kCMSMSListOfPCFile, "InBox")).size() == 1; }, kWaitMs));
    EXPECT_EQ(texts(fileBox(configkeys::kCMSMSListOfPCFile, "InBox")), QStringList{"See you at 7 at the station."});
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->saveToList().isEmpty() && sms()->page()->msgBoxList->isEnabled(); }, kWaitMs));
    EXPECT_EQ(sms()->simList(yov::sms::kBoxInBox).size(), 2) << "a copy keeps the source";
    EXPECT_EQ(sms()->getCurrentPosition(), yov::sms::kPositionPc);

    // The computer's message moves to the SIM: it arrives there and leaves the computer.
    choose(yov::sms::kPositionPc, yov::sms::kBoxInBox);
    ASSERT_EQ(sms()->tableModel()->rowCount(), 1);
    selectRows({0});
    sms()->page()->btnMoveTo_->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->simList(yov::sms::kBoxInBox).size() == 3; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileBox(configkeys::kCMSMSListOfPCFile, "InBox").isEmpty(); }, kWaitMs));
    choose(yov::sms::kPositionSim, yov::sms::kBoxInBox);
    EXPECT_EQ(sms()->tableModel()->rowCount(), 3);
    EXPECT_EQ(presenter_.messages(), (QStringList{"Are you sure you will save the message(s) to PC?",
                                                  "Are you sure you will save the message(s) to (U)SIM?"}));
}

TEST_F(DashboardSmsSendTest, DeletingThreeSimMessagesWhileANewOneArrivesRemovesExactlyThose)
{
    QVariantList messages;
    for (int i = 0; i < 5; ++i)
        messages << simMessage(QStringLiteral("+4917055501%1").arg(i), QStringLiteral("message %1").arg(i), i);
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimMessages"), messages}, {QStringLiteral("StoreCode"), 1}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->simList(yov::sms::kBoxInBox).size() == 5; }, kWaitMs));
    choose(yov::sms::kPositionSim, yov::sms::kBoxInBox);
    // Each scenario message has a number of its own: the rows are told apart by it.
    SmsTableModel *model = sms()->tableModel();
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row)
        shown << model->data(model->index(row, model->columnOfIdentifier("mobilephone"))).toString();
    ASSERT_EQ(QSet<QString>(shown.begin(), shown.end()).size(), 5) << shown.join("|").toStdString();
    selectRows({0, 2, 4});
    sms()->page()->deleteBtn->click();
    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4917011111"), QStringLiteral("arrived meanwhile")}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->getDeleteList().isEmpty() && sms()->page()->msgBoxList->isEnabled(); }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileBox(configkeys::kCMSMSListOfSimFile, "InBox").size() == 3; }, kWaitMs));
    QStringList left;
    for (const QVariant &m : fileBox(configkeys::kCMSMSListOfSimFile, "InBox")) {
        const QVariantMap message = m.toMap();
        left << message.value("concatSmsInfo").toMap().value("mobilephone").toString();
    }
    left.sort();
    QStringList expected{shown[1], shown[3], QStringLiteral("+4917011111")};
    expected.sort();
    EXPECT_EQ(left, expected) << "deleted: " << QStringList{shown[0], shown[2], shown[4]}.join(", ").toStdString();
    EXPECT_EQ(receivedPayloads(768, yov::smsmsg::kMinorDelete).size(), 3);
}

TEST_F(DashboardSmsSendTest, WhatTheEditorHoldsWhenTheDeviceGoesIsKeptAsAComputerDraft)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    SmsPageView *page = sms()->page();
    compose(QStringLiteral("+491705550123"), QStringLiteral("Half a thought"));

    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([page] { return !page->messageWindow->isVisible(); }, kWaitMs)) << "the editor closes";
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileBox(configkeys::kCMSMSListOfPCFile, "DraftBox").size() == 1; }, kWaitMs));
    const QVariantMap draft = fileBox(configkeys::kCMSMSListOfPCFile, "DraftBox").first().toMap();
    EXPECT_EQ(draft.value("messagetext").toString(), QStringLiteral("Half a thought"));
    EXPECT_EQ(draft.value("mobilephone").toString(), QStringLiteral("+491705550123"));
    // The page shows the computer's drafts on the next look.
    choose(yov::sms::kPositionPc, yov::sms::kBoxDraftBox);
    EXPECT_EQ(sms()->tableModel()->rowCount(), 1);
    EXPECT_EQ(presenter_.count(), 0) << presenter_.messages().join(" | ").toStdString();
}

TEST_F(DashboardSmsSendTest, ADraftAFullSimRefusesIsKeptOnTheComputer)
{
    setSettings({{QStringLiteral("SMS/isSaveDraftSMSToSIM"), true}});
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimCapacity"), 2},
                                             {QStringLiteral("SimMessages"),
                                              QVariantList{simMessage(QStringLiteral("+4917055501"), QStringLiteral("one"), 1),
                                                           simMessage(QStringLiteral("+4917055502"), QStringLiteral("two"), 2)}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    SmsPageView *page = sms()->page();
    compose(QStringLiteral("+491705550123"), QStringLiteral("For later"));
    page->SaveToDraftBtn->click();
    EXPECT_FALSE(page->messageWindow->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileBox(configkeys::kCMSMSListOfPCFile, "DraftBox").size() == 1; }, kWaitMs))
        << "the SIM has no room: the draft comes to the computer";
    EXPECT_EQ(texts(fileBox(configkeys::kCMSMSListOfPCFile, "DraftBox")), QStringList{"For later"});
    EXPECT_TRUE(fileBox(configkeys::kCMSMSListOfSimFile, "DraftBox").isEmpty());
}

TEST_F(DashboardSmsSendTest, TheToolbarsSpecialSmsLeavesTheOpenEditorAsItIs)
{
    setSettings({{QStringLiteral("SMS/SpecialSMS"),
                  QVariantMap{{QStringLiteral("TO_NUMBER"), QStringLiteral("+4917099")}, {QStringLiteral("SMS_CONTENT"), QStringLiteral("USAGE")}}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    SmsPageView *page = sms()->page();
    compose(QStringLiteral("+491705550123"), QStringLiteral("Half a thought"));

    assembly_->mainController()->tbiMainSendSMS(nullptr);
    ASSERT_TRUE(QTest::qWaitFor([] { return sendsReceived().size() == 1; }, kWaitMs));
    EXPECT_EQ(sendsReceived()[0].recipient, QStringLiteral("+4917099"));
    EXPECT_EQ(sendsReceived()[0].text, QStringLiteral("USAGE"));
    EXPECT_TRUE(page->messageWindow->isVisible());
    EXPECT_EQ(page->sendMessageTo->text(), QStringLiteral("+491705550123"));
    EXPECT_EQ(page->sendMessageText->toPlainText(), QStringLiteral("Half a thought"));
}

TEST_F(DashboardSmsSendTest, ASendCutShortByTheDeviceGoingShowsItsSummaryAndKeepsTheText)
{
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("HoldAnswers"), QVariantList{int(yov::smsmsg::kMinorSend)}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    SmsPageView *page = sms()->page();
    compose(QStringLiteral("+491705550123"), QStringLiteral("Never answered"));
    page->SendMessageBtn->click();
    ASSERT_TRUE(QTest::qWaitFor([] { return sendsReceived().size() == 1; }, kWaitMs));
    EXPECT_FALSE(page->cancelSendBtn->isVisible()) << "no way out while the answer is awaited";

    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([page] { return page->cancelSendBtn->isVisible(); }, kWaitMs));
    EXPECT_EQ(page->newSMSInfoText->text(), QStringLiteral("Send success:0,failed:1,cancel:0"));
    EXPECT_EQ(page->cancelSendBtn->text(), QStringLiteral("OK"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileBox(configkeys::kCMSMSListOfPCFile, "DraftBox").size() == 1; }, kWaitMs));
    EXPECT_EQ(texts(fileBox(configkeys::kCMSMSListOfPCFile, "DraftBox")), QStringList{"Never answered"});
    page->cancelSendBtn->click();
    EXPECT_FALSE(page->newSMSInfoWindow->isVisible());
}

TEST_F(DashboardSmsSendTest, ADeleteCutShortByTheDeviceGoingLeavesThePageUsable)
{
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("HoldAnswers"), QVariantList{int(yov::smsmsg::kMinorDelete)}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(ready());
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->simList(yov::sms::kBoxInBox).size() == 2; }, kWaitMs));
    choose(yov::sms::kPositionSim, yov::sms::kBoxInBox);
    selectRows({0, 1});
    sms()->page()->deleteBtn->click();
    ASSERT_TRUE(QTest::qWaitFor([] { return receivedPayloads(768, yov::smsmsg::kMinorDelete).size() == 1; }, kWaitMs));
    EXPECT_FALSE(sms()->page()->msgBoxList->isEnabled()) << "the chain waits for its answer";

    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return sms()->getCurrentPosition() == yov::sms::kPositionPc; }, kWaitMs));
    EXPECT_TRUE(sms()->page()->msgBoxList->isEnabled());
    EXPECT_TRUE(sms()->boxView()->msgBoxSelectAt->isEnabled());
    EXPECT_TRUE(sms()->getDeleteList().isEmpty());
}

} // namespace
