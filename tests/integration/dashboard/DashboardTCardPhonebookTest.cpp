// The memory-card phonebook in the assembled dashboard against the stand-in: a temporary folder
// stands in for the card (OSTREL_TCARD). Once the SIM is ready the card's contacts join the
// all-storage list; the "SD Card" side shows them, and the contact dialog adds, edits and deletes
// card records.
#include "DashboardFixture.h"
#include "PhonebookStandIn.h"

#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/TCardPhonebookFiles.h"
#include "ostrel/phonebook/page/PBRecordActions.h"
#include "ostrel/phonebook/page/PBUserWin.h"
#include "ostrel/phonebook/page/PBWindow.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace ostrel;
using namespace dashboard_test;

namespace {

class DashboardTCardPhonebookTest : public PhonebookFixture {
protected:
    void SetUp() override
    {
        PhonebookFixture::SetUp();
        qputenv("OSTREL_TCARD", card_.path().toUtf8());
    }
    void TearDown() override
    {
        PhonebookFixture::TearDown();
        qunsetenv("OSTREL_TCARD");
    }
    int cardEntries() const
    {
        int n = 0;
        for (const QVariantMap &entry : pb()->m_allPhoneList)
            n += entry.value(QStringLiteral("savepos")).toString() == QLatin1String("SAVEINTCARD");
        return n;
    }
    QTemporaryDir card_;
};

} // namespace

TEST_F(DashboardTCardPhonebookTest, TheCardSideListsAddsAndDeletesCardRecords)
{
    // One record already on the card.
    TCardPhonebookFiles files(card_.path());
    ASSERT_TRUE(files.prepare());
    ASSERT_TRUE(files.writeRecord({{"index", -10000}, {"fileNameNumber", 1}, {"username", "Kari Dahl"},
                                   {"mobilephone", "+4790000001"}}));
    setSettings({{QStringLiteral("PhoneBook/IsShowTCard"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_NE(window(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->simInitFinished_ && pb()->tcardInitFinished_; }, kWaitMs));
    EXPECT_EQ(pb()->getTCardUserNumber(), 1);
    EXPECT_EQ(cardEntries(), 1) << "the card list joins the all-storage list";

    showPhonebookTab();
    clickCell(3);
    ASSERT_EQ(pb()->lastSelectSavePos_, 3);
    ASSERT_EQ(window()->userModel()->rowCount(), 1);
    EXPECT_EQ(window()->userModel()->index(0, 0).data().toString(), QStringLiteral("Kari Dahl"));

    // An add through the dialog.
    PBRecordActions *actions = assembly_->phonebookActions();
    actions->newUser();
    ASSERT_TRUE(actions->isDialogOpen());
    PBUserWin *d = actions->dialog();
    EXPECT_TRUE(d->useremail->isEnabled());
    d->username->setText(QStringLiteral("Anna Berg"));
    d->mobilephone->setText(QStringLiteral("+4790000002"));
    d->useremail->setText(QStringLiteral("anna@example.org"));
    d->okButton->click();
    EXPECT_FALSE(actions->isDialogOpen());
    ASSERT_EQ(pb()->getTCardUserNumber(), 2);
    const auto written = TCardPhonebookFiles::readIni(files.recordPath(2));
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->value("Index"), QStringLiteral("-10001"));
    EXPECT_EQ(written->value("Email"), QStringLiteral("anna@example.org"));
    EXPECT_EQ(window()->userModel()->rowCount(), 2);
    EXPECT_EQ(window()->userModel()->index(0, 0).data().toString(), QStringLiteral("Anna Berg"));
    EXPECT_EQ(cardEntries(), 2);

    // Edit the first row, then delete it.
    QTableView *table = window()->page()->m_UserList;
    table->selectionModel()->select(table->model()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_TRUE(window()->page()->m_EditGroupBtn->isEnabled());
    actions->editUser();
    ASSERT_TRUE(actions->isDialogOpen());
    EXPECT_EQ(d->username->text(), QStringLiteral("Anna Berg"));
    d->homephone->setText(QStringLiteral("221133"));
    d->okButton->click();
    EXPECT_EQ(TCardPhonebookFiles::readIni(files.recordPath(2))->value("HomeNumber"), QStringLiteral("221133"));
    saveScreenshot(main()->wndMain, QStringLiteral("phonebook-card.png"));

    table->selectionModel()->select(table->model()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    actions->deleteUser();
    EXPECT_EQ(pb()->getTCardUserNumber(), 1);
    EXPECT_FALSE(QFile::exists(files.recordPath(2)));
    EXPECT_EQ(window()->userModel()->rowCount(), 1);
    EXPECT_EQ(cardEntries(), 1);
}

TEST_F(DashboardTCardPhonebookTest, AnEmptyCardGetsItsFolderAndTheFirstRecordIsPB1)
{
    setSettings({{QStringLiteral("PhoneBook/IsShowTCard"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->simInitFinished_ && pb()->tcardInitFinished_; }, kWaitMs));
    TCardPhonebookFiles files(card_.path());
    EXPECT_TRUE(QFile::exists(files.keyListPath()));
    clickCell(3);
    PBRecordActions *actions = assembly_->phonebookActions();
    actions->newUser();
    PBUserWin *d = actions->dialog();
    d->username->setText(QStringLiteral("First"));
    d->mobilephone->setText(QStringLiteral("5550001"));
    d->okButton->click();
    const auto written = TCardPhonebookFiles::readIni(files.recordPath(1));
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->value("Index"), QStringLiteral("-10000"));
    EXPECT_EQ(cardEntries(), 1);
}
