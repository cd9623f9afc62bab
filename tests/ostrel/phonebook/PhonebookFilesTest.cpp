// Export, import, the number-plan update with its backups, and the restore, on the controller
// with the device link in process: the requests it sends are read back and answered by the test.
#include "DeviceLinkHarness.h"

#include "ostrel/phonebook/NumberPlanRule.h"
#include "ostrel/phonebook/PhonebookBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace pbtest;

namespace {

// The page's result sheet, recorded.
class ResultRecorder : public RecordingExtensions {
public:
    void updateOrRestoreResult() override { results << (pb ? pb->takeUpdateOrRestoreResult() : QString()); }
    void reloadContactTable() override {}
    PBController *pb = nullptr;
    QStringList results;
};

class FilesHarness : public LinkHarness {
public:
    explicit FilesHarness(const QVariantMap &phoneBook = {}) : LinkHarness(phoneBook)
    {
        manualClock.setNow(QDateTime(QDate(2026, 3, 4), QTime(10, 20, 30)));
    }
    PBController &startFiles()
    {
        PBController &controller = start();
        controller.setExtensions(&recorder);
        recorder.pb = &controller;
        controller.initPhonebookUpdatedRule();
        return controller;
    }
    QString backupFolder(const QString &kind) const { return path(QStringLiteral("PhonebookBackup/") + kind); }
    QStringList backups(const QString &kind) const { return QDir(backupFolder(kind)).entryList(QDir::Files, QDir::Name); }
    ResultRecorder recorder;
};

QStringList fileTestMobiles(const QList<QVariantMap> &contacts)
{
    QStringList numbers;
    for (const QVariantMap &c : contacts)
        numbers << c.value("mobilephone").toString();
    return numbers;
}

QStringList fileTestNames(const QList<QVariantMap> &contacts)
{
    QStringList names;
    for (const QVariantMap &c : contacts)
        names << c.value("username").toString();
    return names;
}

const QVariantMap kRule{{"139", "1390"}, {"1501", "15012"}, {"1390", "13901"}};

} // namespace

TEST(NumberPlan, PrefixesByLength)
{
    const NumberPlanRule rule(kRule);
    struct Case {
        const char *number;
        const char *after; // nullptr: unchanged
    };
    const Case cases[] = {
        {"1391234567", "13901234567"},    // 10 digits, 3-digit prefix, last 7 kept
        {"15011234567", "150121234567"},  // 11 digits, 4-digit prefix
        {"139012345678", nullptr},        // 12 digits untouched
        {"1381234567", nullptr},          // no rule for the prefix
        {"+391234567", nullptr},          // "+" counts: prefix "+39"
        {"", nullptr},
    };
    for (const Case &c : cases) {
        QVariantMap contact{{"username", "x"}, {"mobilephone", c.number}};
        EXPECT_EQ(rule.update(contact), c.after != nullptr) << c.number;
        EXPECT_EQ(contact.value("mobilephone").toString(), QString::fromLatin1(c.after ? c.after : c.number)) << c.number;
    }
    // A second run changes nothing, unless the new prefix is itself a key: "1390" + 7 digits.
    QVariantMap chained{{"mobilephone", "1391234567"}};
    ASSERT_TRUE(rule.update(chained));
    EXPECT_EQ(chained.value("mobilephone").toString(), "13901234567");
    EXPECT_TRUE(rule.update(chained)) << "the chained prefix is found on the second run";
    EXPECT_EQ(chained.value("mobilephone").toString(), "139011234567");
    EXPECT_FALSE(rule.update(chained));
    EXPECT_TRUE(NumberPlanRule().isUpdated(QVariantMap{{"mobilephone", "1391234567"}})) << "no rule";
}

TEST(PhonebookBackupFiles, ValidityAndNames)
{
    const QVariantList pc{group("Family", {contact("Ada", "1")})};
    const QVariantList sim{contact("Ada", "1")};
    EXPECT_TRUE(PhonebookBackup::isValidForPC(pc));
    EXPECT_TRUE(PhonebookBackup::isValidForPC(QVariantList{})) << "an empty root";
    EXPECT_FALSE(PhonebookBackup::isValidForPC(QVariantList{QVariantList{}})) << "a group without header";
    EXPECT_FALSE(PhonebookBackup::isValidForPC(QVariantList{QVariantList{QVariantMap{{"groupname", 3}}}}));
    EXPECT_FALSE(PhonebookBackup::isValidForPC(sim)) << "the SIM shape";
    EXPECT_TRUE(PhonebookBackup::isValidForSIM(sim));
    EXPECT_FALSE(PhonebookBackup::isValidForSIM(pc)) << "the computer shape";
    EXPECT_FALSE(PhonebookBackup::isValidForSIM(QVariantMap{}));

    QTemporaryDir dir;
    const QString folder = dir.filePath("PC");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(PhonebookBackup::currentFilePath(dir.filePath("none")).has_value());
    EXPECT_FALSE(PhonebookBackup::currentFilePath(folder).has_value());
    const QDateTime t(QDate(2026, 1, 2), QTime(3, 4));
    const QString first = PhonebookBackup::newFilePath(folder, "PC", t);
    EXPECT_EQ(QFileInfo(first).fileName(), "PC-2026-01-02-03-04.plist");
    ASSERT_TRUE(yov::PlistBridge::writeFile(first, pc));
    EXPECT_EQ(PhonebookBackup::currentFilePath(folder), std::optional<QString>(first));
    EXPECT_EQ(QFileInfo(PhonebookBackup::newFilePath(folder, "PC", t)).fileName(), "PC-2026-01-02-03-04-1.plist");
    EXPECT_TRUE(PhonebookBackup::read(first, folder, "PC").has_value());
    EXPECT_FALSE(PhonebookBackup::read(first, folder, "SIM").has_value());
    // The same file in another folder is refused.
    const QString elsewhere = dir.filePath("other.plist");
    ASSERT_TRUE(QFile::copy(first, elsewhere));
    EXPECT_FALSE(PhonebookBackup::read(elsewhere, folder, "PC").has_value());
    // A file that does not parse.
    const QString broken = folder + "/PC-broken.plist";
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<plist><array><dict>");
    f.close();
    EXPECT_FALSE(PhonebookBackup::read(broken, folder, "PC").has_value());
    EXPECT_EQ(PhonebookBackup::currentFilePath(folder), std::optional<QString>(QString())) << "several backups";
}

TEST(PhonebookUpdate, ComputerBackupFirstThenNumbersAndTwoBackupsInOneMinute)
{
    FilesHarness h({{"PhonebookUpdatedRule", kRule}});
    h.writeList(QVariantList{group("Family", {contact("Ada", "1391234567"), contact("Ben", "555")})});
    PBController &pb = h.startFiles();
    EXPECT_FALSE(pb.phonebookIsUpdated(0));
    pb.updateContacts(0);
    EXPECT_EQ(h.recorder.results, QStringList{"Contacts are updated successfully."});
    EXPECT_EQ(fileTestMobiles(pb.m_PcPhoneList.at(0).contacts), (QStringList{"13901234567", "555"}));
    EXPECT_EQ(h.readList().toList().at(0).toList().at(1).toMap().value("mobilephone").toString(), "13901234567") << "saved";
    ASSERT_EQ(h.backups("PC"), QStringList{"PC-2026-03-04-10-20.plist"});
    const QVariant backup = yov::PlistBridge::readFile(h.backupFolder("PC") + "/PC-2026-03-04-10-20.plist").value();
    EXPECT_EQ(backup.toList().at(0).toList().at(1).toMap().value("mobilephone").toString(), "1391234567") << "the old numbers";

    // A second update in the same minute keeps the first backup.
    pb.updateContacts(0);
    EXPECT_EQ(h.backups("PC"), (QStringList{"PC-2026-03-04-10-20-1.plist", "PC-2026-03-04-10-20.plist"}));
    EXPECT_EQ(yov::PlistBridge::readFile(h.backupFolder("PC") + "/PC-2026-03-04-10-20.plist").value(), backup);
}

TEST(PhonebookUpdate, WithoutABackupNothingChanges)
{
    FilesHarness h({{"PhonebookUpdatedRule", kRule}});
    h.writeList(QVariantList{group("Family", {contact("Ada", "1391234567")})});
    PBController &pb = h.startFiles();
    // The backup folder cannot be made: a file stands where it belongs.
    ASSERT_TRUE(h.writeBytes("x", "PhonebookBackup"));
    const QByteArray before = [&] { QFile f(h.path("phoneBook.plist")); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    pb.updateContacts(0);
    EXPECT_EQ(h.recorder.results, QStringList{"Contacts are failed to updated."});
    EXPECT_EQ(fileTestMobiles(pb.m_PcPhoneList.at(0).contacts), QStringList{"1391234567"});
    QFile f(h.path("phoneBook.plist"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST(PhonebookExport, RowsFromLastToFirstWithoutSavepos)
{
    FilesHarness h;
    h.writeList(QVariantList{group("Family", {contact("Ada", "1", {{"savepos", "SAVEINPC"}}), contact("Ben", "2"),
                                              contact("Cem", "3")})});
    PBController &pb = h.startFiles();
    const QString target = h.path("out.txt");
    ASSERT_TRUE(pb.exportContacts(target, 0, {0, 2}, false));
    const QVariantList written = yov::PlistBridge::readFile(h.path("out.plist")).value().toList();
    ASSERT_EQ(written.size(), 2);
    EXPECT_EQ(written.at(0).toMap().value("username").toString(), "Cem");
    EXPECT_EQ(written.at(1).toMap().value("username").toString(), "Ada");
    EXPECT_FALSE(written.at(1).toMap().contains("savepos"));

    // No selected row writes nothing.
    EXPECT_TRUE(pb.exportContacts(h.path("none.plist"), 0, {}, false));
    EXPECT_FALSE(QFile::exists(h.path("none.plist")));
    // The card side without a search writes an empty array.
    ASSERT_TRUE(pb.exportContacts(h.path("card.plist"), 3, {0}, false));
    EXPECT_EQ(yov::PlistBridge::readFile(h.path("card.plist")).value().toList(), QVariantList{});
    EXPECT_EQ(h.presenter.count(), 0);

    // An unwritable target: the warning, and the file there stays whole.
    const QString locked = h.path("locked");
    ASSERT_TRUE(QDir().mkpath(locked + "/keep.plist")); // a folder where the file would go
    EXPECT_FALSE(pb.exportContacts(locked + "/keep.plist", 0, {1}, false));
    EXPECT_EQ(h.presenter.messages(), QStringList{"Export contact(s) failed.Please confirm the access privileges."});
    EXPECT_TRUE(QFileInfo(locked + "/keep.plist").isDir());
}

TEST(PhonebookImport, IntoTheComputer)
{
    const QString invalid = QStringLiteral("Import contact(s) failed.The data is invalid!");
    struct Case {
        const char *label;
        QByteArray file; // empty: the entries below as a property list
        QVariant root;
        int capacity;
        QStringList names;   // the group after the import
        QStringList alerts;
    };
    const QVariantList entries{contact("Zed", "9", {{"groupname", "Other"}}), contact(QString(), "8"),
                               contact("Amy", "7", {{"homephone", 42}})};
    const Case cases[] = {
        {"saved, the nameless counted invalid", {}, entries, 1000, {"Amy", "Old", "Zed"}, {}},
        {"a full computer: one alert, then stop", {}, entries, 100, {"Old", "Zed"},
         {"PC Record full,Please delete records first!"}},
        {"only nameless entries", {}, QVariantList{contact(QString(), "1")}, 1000, {"Old"}, {invalid}},
        {"a root dictionary", {}, QVariantMap{{"username", "X"}}, 1000, {"Old"}, {invalid}},
        {"entries that are strings", {}, QVariantList{"a", "b"}, 1000, {"Old"}, {invalid}},
        {"a value that is a list", {}, QVariantList{contact("Y", "1", {{"email", QVariantList{"x"}}})}, 1000, {"Old"}, {invalid}},
        {"broken encoding", QByteArray("<?xml version=\"1.0\"?><plist><array><dict><key>username</key><string>\xff\xfe</string>"),
         {}, 1000, {"Old"}, {invalid}},
    };
    for (const Case &c : cases) {
        FilesHarness h({{"PCContactsMaxCount", c.capacity}});
        QVariantList others;
        for (int i = 0; i < (c.capacity == 100 ? 98 : 0); ++i)
            others << contact(QStringLiteral("P%1").arg(i), "1");
        h.writeList(QVariantList{group("Family", {contact("Old", "1")}), group("More", others)});
        PBController &pb = h.startFiles();
        const QString file = h.path("in.plist");
        if (c.file.isEmpty())
            ASSERT_TRUE(yov::PlistBridge::writeFile(file, c.root)) << c.label;
        else
            ASSERT_TRUE(h.writeBytes(c.file, "in.plist")) << c.label;
        const int family = pb.userGroupIndexByGroupName("Family");
        pb.importContacts(PhonebookBackup::readExchangeFile(file), 0, family);
        EXPECT_EQ(fileTestNames(pb.m_PcPhoneList.at(family).contacts), c.names) << c.label;
        QStringList saved;
        for (const QVariant &v : h.readList().toList().at(family).toList().mid(1))
            saved << v.toMap().value("username").toString();
        EXPECT_EQ(saved, c.names) << c.label << ": the file";
        EXPECT_EQ(h.presenter.messages(), c.alerts) << c.label;
        if (c.names.contains("Amy")) {
            EXPECT_EQ(pb.m_PcPhoneList.at(family).contacts.at(0).value("homephone"), QVariant(QStringLiteral("42")));
            EXPECT_EQ(pb.m_PcPhoneList.at(family).contacts.at(2).value("groupname").toString(), "Family");
        }
    }
}

TEST(PhonebookImport, IntoAComputerWithoutGroups)
{
    FilesHarness h;
    h.writeList(QVariantList{});
    PBController &pb = h.startFiles();
    ASSERT_EQ(pb.sumOfGroupInPC(), 0);
    pb.importContacts(QList<QVariantMap>{contact("A", "1")}, 0, 0);
    EXPECT_EQ(h.presenter.messages(), QStringList{"There is no group,please create a group first!"});
    EXPECT_EQ(pb.sumOfGroupInPC(), 0);
}

TEST(PhonebookImport, IntoTheSimConfirmedWritesJoinTheLists)
{
    FilesHarness h;
    PBController &pb = h.startFiles();
    h.report(yov::kPbStorageSim, {item(1, "Old", "100")}, 10);
    pb.importContacts(QList<QVariantMap>{contact("Ann", "200"), contact("NoNumber"), contact("Bo", "300")}, 1, 0);
    const auto writes = h.writes();
    ASSERT_EQ(writes.size(), 2);
    h.answerWrite(writes.at(0).index, true);
    h.answerWrite(writes.at(1).index, true);
    EXPECT_EQ(fileTestNames(pb.m_SimPhoneList), (QStringList{"Ann", "Bo", "Old"}));
    EXPECT_FALSE(pb.getSmartUserByIndexFromAllPhoneList(writes.at(0).index, "SAVEINSIM").isEmpty());
    // A later add gets a fresh index.
    EXPECT_EQ(pb.simNewContactIndex(), 4);
}

TEST(PhonebookRestore, ToTheComputerReplacesTheCurrentFile)
{
    FilesHarness h;
    h.writeList(QVariantList{group("Generic", {contact("G", "1")})});
    h.writeList(QVariantList{group("PerSim", {contact("S", "2")})}, "phoneBook_123.plist");
    PBController &pb = h.startFiles();
    pb.loadPcPhoneList("phoneBook_123.plist");
    const QByteArray generic = [&] { QFile f(h.path("phoneBook.plist")); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    ASSERT_TRUE(QDir().mkpath(h.backupFolder("PC")));
    const QString backup = h.backupFolder("PC") + "/PC-2026-01-01-00-00.plist";
    ASSERT_TRUE(yov::PlistBridge::writeFile(backup, QVariantList{group("Restored", {contact("R", "3")})}));
    EXPECT_EQ(pb.currentBackupFilePath(0), std::optional<QString>(backup));
    ASSERT_TRUE(pb.restoreFromBackupFile(backup, 0));
    EXPECT_EQ(h.recorder.results, QStringList{"Contacts are restored successfully."});
    EXPECT_EQ(pb.groupNames(), QStringList{"Restored"});
    EXPECT_EQ(h.readList("phoneBook_123.plist").toList().at(0).toList().at(0).toMap().value("groupname").toString(), "Restored");
    QFile f(h.path("phoneBook.plist"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), generic) << "the generic file is untouched";

    // A backup of the SIM's shape, or from another folder, is refused and changes nothing.
    const QString simShape = h.backupFolder("PC") + "/PC-sim.plist";
    ASSERT_TRUE(yov::PlistBridge::writeFile(simShape, QVariantList{contact("X", "1")}));
    EXPECT_FALSE(pb.restoreFromBackupFile(simShape, 0));
    EXPECT_FALSE(pb.restoreFromBackupFile(h.path("phoneBook.plist"), 0));
    EXPECT_EQ(pb.groupNames(), QStringList{"Restored"});
}

TEST(PhonebookRestore, ToTheSimDeletesThenWritesEachOnce)
{
    FilesHarness h;
    PBController &pb = h.startFiles();
    h.report(yov::kPbStorageSim, {item(1, "Keep", "100"), item(2, "Gone", "200")}, 10);
    ASSERT_TRUE(QDir().mkpath(h.backupFolder("SIM")));
    const QString backup = h.backupFolder("SIM") + "/SIM-2026-01-01-00-00.plist";
    ASSERT_TRUE(yov::PlistBridge::writeFile(backup, QVariantList{contact("Keep", "100"), contact("New", "300"), contact("Two", "400")}));
    ASSERT_TRUE(pb.restoreFromBackupFile(backup, 1));
    EXPECT_EQ(h.sent(1029, 122).size(), 1) << "the delete first; the writes wait";
    h.answerWrite(2, true, yov::kPbOperationDelete);
    const auto writes = h.writes();
    ASSERT_EQ(writes.size(), 3) << "one delete, then each write once";
    EXPECT_TRUE(h.recorder.results.isEmpty());
    h.answerWrite(writes.at(1).index, true);
    h.answerWrite(writes.at(2).index, true);
    EXPECT_EQ(h.writes().size(), 3);
    EXPECT_EQ(h.recorder.results, QStringList{"Contacts are restored successfully."});
    EXPECT_EQ(fileTestNames(pb.m_SimPhoneList), (QStringList{"Keep", "New", "Two"}));

    // An identical backup sends nothing and succeeds at once.
    ASSERT_TRUE(yov::PlistBridge::writeFile(backup, QVariantList{contact("Keep", "100"), contact("New", "300"), contact("Two", "400")}));
    h.recorder.results.clear();
    ASSERT_TRUE(pb.restoreFromBackupFile(backup, 1));
    EXPECT_EQ(h.writes().size(), 3);
    EXPECT_EQ(h.recorder.results, QStringList{"Contacts are restored successfully."});

    // A refused write gives the failure text.
    ASSERT_TRUE(yov::PlistBridge::writeFile(backup, QVariantList{contact("Keep", "100"), contact("New", "300"), contact("Two", "400"),
                                                                 contact("Bad", "500")}));
    h.recorder.results.clear();
    ASSERT_TRUE(pb.restoreFromBackupFile(backup, 1));
    ASSERT_EQ(h.writes().size(), 4);
    h.answerWrite(h.writes().at(3).index, false);
    EXPECT_EQ(h.recorder.results, QStringList{"Contacts are failed to restored."});

    // The modem leaves while a write is out: the restore ends in its failure text, once.
    ASSERT_TRUE(yov::PlistBridge::writeFile(backup, QVariantList{contact("Keep", "100"), contact("New", "300"), contact("Two", "400"),
                                                                 contact("Late", "600")}));
    h.recorder.results.clear();
    ASSERT_TRUE(pb.restoreFromBackupFile(backup, 1));
    ASSERT_EQ(h.writes().size(), 5);
    pb.resetDevicePhonebooks();
    EXPECT_EQ(h.recorder.results, QStringList{"Contacts are failed to restored."});
    pb.resetDevicePhonebooks();
    EXPECT_EQ(h.recorder.results.size(), 1);
}

TEST(PhonebookUpdate, SimWritesOnlyTheChangedContactsThenShowsTheResult)
{
    FilesHarness h({{"PhonebookUpdatedRule", kRule}});
    PBController &pb = h.startFiles();
    h.report(yov::kPbStorageSim, {item(1, "Ada", "1391234567"), item(2, "Ben", "555"), item(3, "Cem", "15011234567")}, 10);
    ASSERT_FALSE(pb.phonebookIsUpdated(1));
    pb.updateContacts(1);
    EXPECT_EQ(h.backups("SIM"), QStringList{"SIM-2026-03-04-10-20.plist"});
    const auto writes = h.writes();
    ASSERT_EQ(writes.size(), 2);
    EXPECT_EQ(writes.at(0).number1, "13901234567");
    EXPECT_TRUE(h.recorder.results.isEmpty()) << "the result waits for the answers";
    h.answerWrite(writes.at(0).index, true);
    h.answerWrite(writes.at(1).index, false);
    EXPECT_EQ(h.recorder.results, QStringList{"Contacts are failed to updated."});
    EXPECT_EQ(fileTestMobiles(pb.m_SimPhoneList), (QStringList{"13901234567", "555", "15011234567"}));
    EXPECT_EQ(pb.getSmartUserByIndexFromAllPhoneList(writes.at(0).index, "SAVEINSIM").value("mobilephone").toString(),
              "13901234567");
}
