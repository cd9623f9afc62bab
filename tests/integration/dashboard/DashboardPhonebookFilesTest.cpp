// The phonebook's files in the assembled dashboard against the stand-in: the number-plan update
// with its sheet, export and import through the file chooser, and the restore of the SIM from a
// backup (the requests counted from what the stand-in received). Pictures go to
// $OSTREL_TEST_SCREENSHOTS.
#include "DashboardFixture.h"
#include "PhonebookStandIn.h"

#include "common/PlistBridge.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/page/PBRecordActions.h"
#include "ostrel/phonebook/page/PBWindow.h"
#include "ostrel/phonebook/page/UpdatePhonebookWindow.h"
#include "support/ScriptedFileChooser.h"

#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QTest>

using namespace ostrel;
using namespace dashboard_test;

namespace {

QVariantMap simContact(const QString &name, const QString &number, const QVariantMap &more = {})
{
    QVariantMap c = more;
    c.insert(QStringLiteral("username"), name);
    c.insert(QStringLiteral("mobilephone"), number);
    return c;
}

// The stand-in's SIM items as "name number [number 2]", sorted.
QStringList standInSim()
{
    QStringList entries;
    for (const QVariant &value : listOf(mapOf(modemState(QStringLiteral("Phonebook")).value(QStringLiteral("Sim"))).value(QStringLiteral("Items")))) {
        const QVariantMap item = mapOf(value);
        QString text = item.value(QStringLiteral("Name")).toString() + QLatin1Char(' ') + item.value(QStringLiteral("Num1")).toString();
        if (!item.value(QStringLiteral("Num2")).toString().isEmpty())
            text += QLatin1Char(' ') + item.value(QStringLiteral("Num2")).toString();
        entries << text;
    }
    entries.sort();
    return entries;
}

int phonebookWrites()
{
    return int(receivedIds().count(QStringLiteral("1029/122")));
}

const QVariantList kDefaultSim{simContact("Voicemail", "+491703310"), simContact("Mara Lind", "+491705550123"),
                               simContact("Jonas Ek", "+491705550199")};

class DashboardPhonebookFilesTest : public PhonebookFixture {
protected:
    // The page on the (U)SIM side once both device phonebooks are read.
    bool showSimSide()
    {
        if (!waitPhonebooksRead())
            return false;
        showPhonebookTab();
        clickCell(1);
        return QTest::qWaitFor([this] { return pb()->lastSelectSavePos_ == 1; }, kWaitMs);
    }
    QString backupFolder(const QString &kind) const { return QDir(modemList_).filePath(QStringLiteral("PhonebookBackup/") + kind); }
    void writeSimBackup(const QVariantList &contacts)
    {
        QDir(backupFolder("SIM")).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(backupFolder("SIM")));
        ASSERT_TRUE(yov::PlistBridge::writeFile(backupFolder("SIM") + "/SIM-2026-01-01-00-00.plist", contacts));
    }
    QString sheetText() const { return actions()->updateWindow()->msg(); }
    bool waitSheetResult() const
    {
        return QTest::qWaitFor([this] { return actions()->updateWindow()->btnOk_->isVisible(); }, kWaitMs);
    }
    // The page with the sheet drawn over it.
    void saveSheetPicture(const QString &name)
    {
        QWidget *main = this->main()->wndMain;
        QPixmap picture = main->grab();
        UpdatePhonebookWindow *sheet = actions()->updateWindow();
        QPainter painter(&picture);
        const QPixmap over = sheet->grab();
        painter.drawPixmap((picture.width() - over.width()) / 2, 40, over);
        painter.end();
        const QString dir = qEnvironmentVariable("OSTREL_TEST_SCREENSHOTS");
        if (!dir.isEmpty())
            picture.save(QDir(dir).filePath(name));
    }
    testing_support::ScriptedFileChooser chooser_;
    yov::ScopedFileChooser scopedChooser_{&chooser_};
};

} // namespace

TEST_F(DashboardPhonebookFilesTest, TheNumberPlanUpdateBacksUpRewritesAndShowsItsResult)
{
    ASSERT_TRUE(yov::PlistBridge::writeFile(
        QDir(modemList_).filePath(QStringLiteral("phoneBook.plist")),
        QVariantList{QVariantList{QVariantMap{{"groupname", "Family"}}, simContact("Ida", "1391234567"), simContact("Per", "555")},
                     QVariantList{QVariantMap{{"groupname", "Work"}}, simContact("Uno", "1")}}));
    setSettings({{QStringLiteral("PhoneBook/PhonebookUpdatedRule"), QVariantMap{{"139", "1390"}}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_NE(window(), nullptr);
    showPhonebookTab();
    ASSERT_EQ(window()->savePositionTag(), 0);
    EXPECT_EQ(window()->page()->btnUpdate_->text(), QStringLiteral("Update Contacts"));
    EXPECT_EQ(window()->page()->btnRestore_->text(), QStringLiteral("Undo"));
    // The update starts from the group "Work" and ends on the first group, none selected.
    QTableView *groups = window()->page()->m_GroupList;
    groups->selectionModel()->select(groups->model()->index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ASSERT_EQ(window()->userModel()->rowCount(), 1);

    actions()->updatePhonebook();
    ASSERT_TRUE(waitSheetResult());
    EXPECT_EQ(sheetText(), QStringLiteral("Contacts are updated successfully."));
    EXPECT_EQ(presenter_.messages(), (QStringList{"Do you want to update our contacts to the new rules?", "Are you sure?"}));
    EXPECT_EQ(pb()->getUserFromCurGroup(0).value("mobilephone").toString(), QStringLiteral("13901234567"));
    EXPECT_EQ(window()->userModel()->rowCount(), 2);
    EXPECT_FALSE(groups->selectionModel()->hasSelection());
    EXPECT_EQ(QDir(backupFolder("PC")).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(actions()->updateWindow()->isVisible());
    saveSheetPicture(QStringLiteral("phonebook-update-result.png"));
    actions()->updateWindow()->btnOk_->click();
    EXPECT_FALSE(actions()->updateWindow()->isVisible());

    // Again: nothing is left to change.
    actions()->updatePhonebook();
    EXPECT_EQ(sheetText(), QStringLiteral("Contacts are already transformed to new format."));
    actions()->updateWindow()->btnOk_->click();

    // Undo: the one backup puts the old number back.
    actions()->restorePhonebook();
    ASSERT_TRUE(waitSheetResult());
    EXPECT_EQ(sheetText(), QStringLiteral("Contacts are restored successfully."));
    EXPECT_EQ(pb()->getUserFromCurGroup(0).value("mobilephone").toString(), QStringLiteral("1391234567"));
}

TEST_F(DashboardPhonebookFilesTest, ExportAndImportGoThroughTheFileChooser)
{
    ASSERT_TRUE(yov::PlistBridge::writeFile(
        QDir(modemList_).filePath(QStringLiteral("phoneBook.plist")),
        QVariantList{QVariantList{QVariantMap{{"groupname", "Family"}}, simContact("Ada", "1"), simContact("Ben", "2"), simContact("Cem", "3")},
                     QVariantList{QVariantMap{{"groupname", "Work"}}}}));
    launch(QStringLiteral("default.plist"));
    showPhonebookTab();
    QTableView *table = window()->page()->m_UserList;
    table->selectionModel()->select(table->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table->selectionModel()->select(table->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QString exported = dir_.filePath("exported");
    chooser_.chooseNext(exported);
    window()->page()->btnExport_->setEnabled(true);
    window()->page()->btnExport_->click();
    ASSERT_EQ(chooser_.requests().size(), 1);
    EXPECT_EQ(chooser_.requests().at(0).title, QStringLiteral("Export PhoneBook"));
    const QVariantList written = yov::PlistBridge::readFile(dir_.filePath("exported.plist")).value_or(QVariant()).toList();
    ASSERT_EQ(written.size(), 2);
    EXPECT_EQ(written.at(0).toMap().value("username").toString(), "Cem");

    // Into the group "Work", saved at once.
    window()->page()->m_GroupList->selectionModel()->select(window()->page()->m_GroupList->model()->index(1, 0),
                                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    chooser_.chooseNext(dir_.filePath("exported.plist"));
    window()->page()->btnImport_->click();
    EXPECT_EQ(chooser_.requests().at(1).title, QStringLiteral("Import Phonebool"));
    const QVariantList saved = yov::PlistBridge::readFile(QDir(modemList_).filePath(QStringLiteral("phoneBook.plist"))).value().toList();
    ASSERT_EQ(saved.size(), 2);
    EXPECT_EQ(saved.at(1).toList().size(), 3) << "the header and the two imported contacts";
    EXPECT_EQ(saved.at(1).toList().at(1).toMap().value("groupname").toString(), "Work");
    EXPECT_EQ(presenter_.count(), 0);
}

TEST_F(DashboardPhonebookFilesTest, TheSimIsRestoredFromItsBackup)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(showSimSide());

    // An identical backup sends nothing.
    writeSimBackup(kDefaultSim);
    control(QStringLiteral("ClearReceived"));
    window()->page()->btnRestore_->click();
    ASSERT_TRUE(waitSheetResult());
    EXPECT_EQ(sheetText(), QStringLiteral("Contacts are restored successfully."));
    EXPECT_EQ(phonebookWrites(), 0);
    actions()->updateWindow()->btnOk_->click();

    // A differing one: one delete, then each write once.
    writeSimBackup({simContact("Mara Lind", "+491705550123"), simContact("Jonas Ek", "+491705550199"),
                    simContact("Nils Berg", "+491700000001"), simContact("Ola Berg", "+491700000002")});
    control(QStringLiteral("ClearReceived"));
    window()->page()->btnRestore_->click();
    ASSERT_TRUE(waitSheetResult());
    EXPECT_EQ(sheetText(), QStringLiteral("Contacts are restored successfully."));
    EXPECT_EQ(phonebookWrites(), 3);
    EXPECT_EQ(standInSim(), (QStringList{"Jonas Ek +491705550199", "Mara Lind +491705550123", "Nils Berg +491700000001",
                                         "Ola Berg +491700000002"}));
    EXPECT_EQ(pb()->getSimUserNumber(), 4);
    EXPECT_EQ(presenter_.count(), 0);
}

TEST_F(DashboardPhonebookFilesTest, ARefusedWriteOfTheRestoreEndsInTheFailureText)
{
    setScenarioModem(QStringLiteral("Phonebook"), {{QStringLiteral("FailIndexes"), QVariantList{3}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(showSimSide());
    QVariantList backup = kDefaultSim;
    backup << simContact("Nils Berg", "+491700000001");
    writeSimBackup(backup);
    window()->page()->btnRestore_->click();
    ASSERT_TRUE(waitSheetResult());
    EXPECT_EQ(sheetText(), QStringLiteral("Contacts are failed to restored."));
    EXPECT_EQ(pb()->getSimUserNumber(), 3);
}

TEST_F(DashboardPhonebookFilesTest, WithAutoDetectionTheRestoreKeepsTheSimsSecondNumber)
{
    setSettings({{QStringLiteral("PhoneBook/SimFieldAutoDetectionEnabled"), true}});
    setScenarioModem(QStringLiteral("Phonebook"),
                     {{QStringLiteral("Sim"), QVariantMap{{"MinIndex", 1}, {"MaxIndex", 250}, {"NameLength", 14}, {"NumberLength", 20},
                                                          {"Number2Length", 20}, {"Number3Length", 0}, {"EmailLength", 0},
                                                          {"Items", QVariantList{}}}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(showSimSide());
    writeSimBackup({simContact("Nils Berg", "+491700000001", {{"homephone", "+4930111"}, {"email", "n@x.y"}})});
    window()->page()->btnRestore_->click();
    ASSERT_TRUE(waitSheetResult());
    EXPECT_EQ(sheetText(), QStringLiteral("Contacts are restored successfully."));
    EXPECT_EQ(standInSim(), QStringList{"Nils Berg +491700000001 +4930111"});
}

TEST_F(DashboardPhonebookFilesTest, AfterTheRestoreALaterSimDeleteBringsNoSheetBack)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(showSimSide());
    writeSimBackup({simContact("Mara Lind", "+491705550123"), simContact("Jonas Ek", "+491705550199")});
    window()->page()->btnRestore_->click();
    ASSERT_TRUE(waitSheetResult());
    EXPECT_EQ(sheetText(), QStringLiteral("Contacts are restored successfully."));
    actions()->updateWindow()->btnOk_->click();
    ASSERT_EQ(pb()->getSimUserNumber(), 2);

    // A delete from the page afterwards is no part of the restore.
    QTableView *table = window()->page()->m_UserList;
    table->selectionModel()->select(table->model()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    actions()->deleteUser();
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->getSimUserNumber() == 1; }, kWaitMs));
    QTest::qWait(100);
    EXPECT_FALSE(actions()->updateWindow()->isVisible());
}

TEST_F(DashboardPhonebookFilesTest, TheRestoreAsksForOneOfSeveralBackupsAndRefusesAForeignFile)
{
    ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(modemList_).filePath(QStringLiteral("phoneBook.plist")),
                                            QVariantList{QVariantList{QVariantMap{{"groupname", "Family"}}, simContact("Ida", "1")}}));
    launch(QStringLiteral("default.plist"));
    showPhonebookTab();

    // No backup yet.
    window()->page()->btnRestore_->click();
    EXPECT_EQ(presenter_.messages(), QStringList{"Backup files dont's exist."});
    EXPECT_TRUE(chooser_.requests().isEmpty());

    // Two backups: the user picks one in the computer's backup folder.
    const QString folder = backupFolder("PC");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(yov::PlistBridge::writeFile(folder + "/PC-2026-01-01-00-00.plist",
                                            QVariantList{QVariantList{QVariantMap{{"groupname", "Old"}}, simContact("Ola", "2")}}));
    ASSERT_TRUE(yov::PlistBridge::writeFile(folder + "/PC-2026-01-01-00-01.plist", QVariantList{}));
    chooser_.chooseNext(folder + "/PC-2026-01-01-00-00.plist");
    window()->page()->btnRestore_->click();
    ASSERT_EQ(chooser_.requests().size(), 1);
    EXPECT_EQ(QDir(chooser_.requests().at(0).directory).absolutePath(), QDir(folder).absolutePath());
    ASSERT_TRUE(waitSheetResult());
    EXPECT_EQ(sheetText(), QStringLiteral("Contacts are restored successfully."));
    EXPECT_EQ(pb()->groupNames(), QStringList{"Old"});
    actions()->updateWindow()->btnOk_->click();

    // A backup copied out of the folder is refused; nothing changes and no sheet opens.
    const QString foreign = dir_.filePath("PC-2026-01-01-00-00.plist");
    ASSERT_TRUE(QFile::copy(folder + "/PC-2026-01-01-00-01.plist", foreign));
    chooser_.chooseNext(foreign);
    window()->page()->btnRestore_->click();
    EXPECT_EQ(presenter_.messages(), (QStringList{"Backup files dont's exist.", "Illegal backup file is selected."}));
    EXPECT_FALSE(actions()->updateWindow()->isVisible());
    EXPECT_EQ(pb()->groupNames(), QStringList{"Old"});
}

TEST_F(DashboardPhonebookFilesTest, AnImportIntoTheSimWritesEachContactOnceAndKeepsThem)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(showSimSide());
    const QString file = dir_.filePath("in.plist");
    ASSERT_TRUE(yov::PlistBridge::writeFile(file, QVariantList{simContact("Ann Holm", "+491700000011"), QVariantMap{{"mobilephone", "9"}},
                                                               simContact("Bo Holm", "+491700000022")}));
    control(QStringLiteral("ClearReceived"));
    chooser_.chooseNext(file);
    window()->page()->btnImport_->click();
    EXPECT_EQ(presenter_.messages(), QStringList{"The info may be lost!"});
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->getSimUserNumber() == 5; }, kWaitMs));
    EXPECT_EQ(phonebookWrites(), 2);
    EXPECT_EQ(standInSim(), (QStringList{"Ann Holm +491700000011", "Bo Holm +491700000022", "Jonas Ek +491705550199",
                                         "Mara Lind +491705550123", "Voicemail +491703310"}));
    int simEntries = 0;
    for (const QVariantMap &entry : pb()->m_allPhoneList)
        simEntries += entry.value(QStringLiteral("savepos")).toString() == QLatin1String("SAVEINSIM");
    EXPECT_EQ(simEntries, 5) << "the written contacts join the all-storage list";
    // The imported contacts' indexes are taken: the next one is free.
    QSet<int> taken;
    for (const QVariantMap &c : pb()->m_SimPhoneList)
        taken.insert(c.value(QStringLiteral("index")).toInt());
    EXPECT_EQ(taken.size(), 5);
    EXPECT_FALSE(taken.contains(pb()->simNewContactIndex()));
}

TEST_F(DashboardPhonebookFilesTest, TheSimUpdateAsksTwiceAndWritesTheChangedContactsOnce)
{
    setSettings({{QStringLiteral("PhoneBook/PhonebookUpdatedRule"), QVariantMap{{"+49", "+4930"}}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(showSimSide());

    // "No" to the second question: nothing is backed up or written, and the sheet closes.
    control(QStringLiteral("ClearReceived"));
    presenter_.pressNext(testing_support::ScriptedAlertPresenter::Default);
    presenter_.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    window()->page()->btnUpdate_->click();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !actions()->updateWindow()->isVisible(); }, kWaitMs));
    EXPECT_EQ(presenter_.messages(), (QStringList{"Do you want to update our contacts to the new rules?", "Are you sure?"}));
    EXPECT_FALSE(QDir(backupFolder("SIM")).exists());
    QTest::qWait(100);
    EXPECT_EQ(phonebookWrites(), 0);

    // "Yes" twice: the SIM is backed up, then its one 10-character number is rewritten ("+"
    // counts); the 13-character ones stay.
    window()->page()->btnUpdate_->click();
    ASSERT_TRUE(waitSheetResult());
    EXPECT_EQ(sheetText(), QStringLiteral("Contacts are updated successfully."));
    EXPECT_EQ(phonebookWrites(), 1);
    EXPECT_EQ(QDir(backupFolder("SIM")).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(standInSim(), (QStringList{"Jonas Ek +491705550199", "Mara Lind +491705550123", "Voicemail +49301703310"}));
    EXPECT_EQ(pb()->getSimUserNumber(), 3);
}
