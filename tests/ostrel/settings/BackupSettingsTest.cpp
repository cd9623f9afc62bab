// Backup and restore of the computer phonebook and SMS boxes: the backup's shapes, the checks a
// restore file passes before anything is written or sent, replace and merge of the phonebook, and
// the messages the user sees.
#include "SettingsHarness.h"

#include "common/PlistBridge.h"
#include "common/records/Payload.h"
#include "ostrel/settings/SmsPhonebookBackup.h"
#include "support/ScriptedFileChooser.h"

#include <QDir>
#include <QFile>

namespace {

using namespace settingstest;

QVariantMap header(const char *name) { return {{"groupname", QString::fromLatin1(name)}}; }
QVariantMap contact(int index, const char *name) { return {{"index", index}, {"username", QString::fromLatin1(name)}}; }
QVariantList group(const char *name, const QVariantList &contacts)
{
    QVariantList g{header(name)};
    g.append(contacts);
    return g;
}

struct RecordingPhonebook : ostrel::DefaultPBController {
    void reloadPCPhoneList() override { ++reloads; }
    int reloads = 0;
};

TEST(SmsPhonebookBackupRules, BackupShapes)
{
    const QVariantList pb{QVariant(group("Family", {contact(1, "Ann")}))};
    const QVariantMap boxes{{"InBox", QVariantList{QVariantMap{{"text", "in"}}}}, {"DraftBox", QVariantList{}},
                            {"Archive", QVariantList{QVariantMap{{"text", "kept"}}}}};
    const QVariantList reports{QVariantMap{{"text", "report"}}};
    const QVariantList empty;
    const struct {
        const char *what;
        QVariantMap sms;
        QVariant phonebook, boxes, reports;
        QVariantList expected;
    } cases[] = {
        {"nothing present", {}, {}, {}, {}, {empty, empty, empty, empty}},
        {"nothing present, report box", {{"isHaveDeliveryReportBox", true}}, {}, {}, {}, {empty, empty, empty, empty, empty}},
        {"the three boxes and the reports",
         {{"isHaveDeliveryReportBox", true}},
         pb, boxes, reports,
         {pb, boxes.value("InBox"), empty, empty, reports}},
        {"box order with the report box, a gap and a repeat",
         {{"boxOrder", QVariantMap{{"DELIVERY_REPORTBOX", 5}, {"InBox", 0}, {"Archive", 2}, {"DraftBox", 2}}}},
         pb, boxes, reports,
         {pb, boxes.value("InBox"), boxes.value("Archive"), empty, reports}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const ostrel::SmsPhonebookBackup rules(c.sms);
        const QVariantList backup = rules.build(c.phonebook, c.boxes.toMap(), c.reports);
        EXPECT_EQ(backup, c.expected);
        // What is written passes its own restore check.
        EXPECT_TRUE(rules.checkRestore(backup).has_value());
    }
}

TEST(SmsPhonebookBackupRules, PathRules)
{
    EXPECT_EQ(ostrel::SmsPhonebookBackup::withPlistExtension("/tmp/a/backup.txt"), "/tmp/a/backup.plist");
    EXPECT_EQ(ostrel::SmsPhonebookBackup::withPlistExtension("/tmp/a.b/backup"), "/tmp/a.b/backup.plist");
    EXPECT_TRUE(ostrel::SmsPhonebookBackup::fitsRestoreRequest(QString(127, 'a')));
    EXPECT_FALSE(ostrel::SmsPhonebookBackup::fitsRestoreRequest(QString(128, 'a')));
    EXPECT_FALSE(ostrel::SmsPhonebookBackup::fitsRestoreRequest(QString(64, QChar(0x00e9)))) << "128 bytes in UTF-8";
}

class BackupSettingsTest : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        alerts.setHoldOpen(true);
        setItems({"System", "Security"});
        ostrel::Neighbours::setPhonebook(&phonebook);
        ASSERT_TRUE(files.isValid());
    }
    void start()
    {
        makeController();
        controller->simReady({});
        controller->backupRestoreBox()->click();
        transport->sent.clear();
    }
    QString modemList(const QString &name) const { return config->getFilePathWithFileName(name); }
    QString file(const QString &name) const { return QDir(files.path()).filePath(name); }
    static void write(const QString &path, const QVariant &value) { ASSERT_TRUE(yov::PlistBridge::writeFile(path, value)); }
    static QVariant read(const QString &path) { return yov::PlistBridge::readFile(path).value_or(QVariant()); }
    void restore(const QString &path)
    {
        chooser.chooseNext(path);
        controller->restoreButton()->click();
    }
    void backup(const QString &path)
    {
        chooser.chooseNext(path);
        controller->backupButton()->click();
    }
    int restoreRequests() const
    {
        int n = 0;
        for (const Sent &s : sent())
            n += s.major == 768 && s.minor == 103;
        return n;
    }
    QStringList messages()
    {
        QStringList out;
        while (alerts.openCount()) {
            out << alerts.shown().last().message;
            alerts.answerOpen();
        }
        return out;
    }

    QTemporaryDir files;
    testing_support::ScriptedFileChooser chooser;
    yov::ScopedFileChooser chooserGuard{&chooser};
    RecordingPhonebook phonebook;
};

TEST_F(BackupSettingsTest, BackupWritesOneFileWithThePlistExtension)
{
    start();
    const QVariantList pb{QVariant(group("Work", {contact(1, "Bo")}))};
    write(modemList("phoneBook.plist"), pb);
    write(modemList("SmsList_PC.plist"), QVariantMap{{"OutBox", QVariantList{QVariantMap{{"text", "sent"}}}}});
    backup(file("mine.txt"));
    EXPECT_EQ(chooser.requests().last().title, "Select one or more audio files.");
    EXPECT_TRUE(chooser.requests().last().fileTypes.isEmpty()) << "the name's extension is replaced, not added to";
    EXPECT_EQ(messages(), QStringList{"BackUp SMS And PhoneBook Success."});
    EXPECT_FALSE(QFile::exists(file("mine.txt")));
    EXPECT_EQ(read(file("mine.plist")),
              QVariant(QVariantList{pb, QVariantList{}, QVariantList{QVariantMap{{"text", "sent"}}}, QVariantList{}}));

    // A folder that cannot be written to (a file stands where it should be).
    QFile blocker(file("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    backup(file("blocker/x.plist"));
    EXPECT_EQ(messages(), QStringList{"BackUp SMS And PhoneBook failed. Please confirm the access privileges."});
}

TEST_F(BackupSettingsTest, PhonebookOnlyExportAndImport)
{
    set("Setting", "Setting_BackupAndRestorePhoneBookOnly", true);
    makeController();
    EXPECT_TRUE(controller->backupButton()->isEnabled()) << "enabled for good";
    controller->deviceRemoved({});
    EXPECT_TRUE(controller->restoreButton()->isEnabled());
    const QVariantList pb{QVariant(group("Work", {contact(1, "Bo")}))};
    write(modemList("phoneBook.plist"), pb);

    backup(file("export.plist"));
    EXPECT_EQ(messages(), QStringList{"Export PhoneBook Success."});
    EXPECT_EQ(read(file("export.plist")), QVariant(QVariantList{pb}));
    QFile blocker(file("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    backup(file("blocker/export.plist"));
    EXPECT_EQ(messages(), QStringList{"Export PhoneBook failed. Please confirm the access privileges."});

    QFile::remove(modemList("phoneBook.plist"));
    restore(file("export.plist"));
    EXPECT_EQ(messages(), QStringList{"Import PhoneBook Success."});
    EXPECT_EQ(read(modemList("phoneBook.plist")), QVariant(pb));
    write(file("two.plist"), QVariantList{pb, QVariantList{}});
    restore(file("two.plist"));
    EXPECT_EQ(messages(), QStringList{"Import PhoneBook Failed. Invalid data file!"});
    EXPECT_EQ(phonebook.reloads, 2);
    EXPECT_EQ(restoreRequests(), 0);
}

TEST_F(BackupSettingsTest, InvalidFilesChangeNothingAndReachNoDevice)
{
    start();
    const QVariantList current{QVariant(group("Work", {contact(1, "Bo")}))};
    write(modemList("phoneBook.plist"), current);
    const QVariantList empty;
    const QString invalid = QStringLiteral("Restore SMS And PhoneBook Failed.Invalid data file!");
    QFile garbage(file("garbage.plist"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("no property list");
    garbage.close();
    QString longPath = file("long-");
    longPath += QString(200 - int(longPath.toUtf8().size()) - 6, 'x') + QStringLiteral(".plist");
    write(longPath, QVariantList{empty, empty, empty, empty});
    const struct {
        const char *what;
        QVariant content; // invalid: the file is there already
        QString path;
        QString message;
    } cases[] = {
        {"a phonebook-only export", QVariantList{current}, file("a.plist"), invalid},
        {"a dictionary as the phonebook", QVariantList{QVariantMap{}, empty, empty, empty}, file("b.plist"), invalid},
        {"a group without its header", QVariantList{QVariantList{QVariantList{contact(1, "X")}}, empty, empty, empty},
         file("c.plist"), invalid},
        {"a header without a group name", QVariantList{QVariantList{QVariantList{QVariantMap{{"name", "X"}}}}, empty, empty, empty},
         file("d.plist"), invalid},
        {"a text where a box belongs", QVariantList{empty, empty, QStringLiteral("box"), empty}, file("e.plist"), invalid},
        {"no property list", {}, file("garbage.plist"), invalid},
        {"a path of 200 bytes", {}, longPath,
         "Restore SMS And PhoneBook Failed. The path of the file is too long; please move it to a shorter path."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.content.isValid())
            write(c.path, c.content);
        restore(c.path);
        EXPECT_EQ(messages(), QStringList{c.message});
        EXPECT_EQ(restoreRequests(), 0);
        EXPECT_EQ(read(modemList("phoneBook.plist")), QVariant(current));
    }
}

TEST_F(BackupSettingsTest, ValidRestoreReplacesOrMergesThenAsksTheDevice)
{
    const QVariantList empty;
    const QVariantList backupPb{QVariant(group("Work", {contact(1, "Cy"), contact(3, "Di")})),
                                QVariant(group("Club", {contact(1, "Ed")}))};
    const QVariantList current{QVariant(group("Work", {contact(1, "Bo"), contact(2, "Al")}))};
    const struct {
        const char *what;
        bool merge;
        const char *imsi; // with PCDataWithIMSI
        bool currentPresent;
        const char *target;
        QVariantList expected;
    } cases[] = {
        {"replace", false, nullptr, true, "phoneBook.plist", backupPb},
        {"merge: same group gains, new group appended, taken index renumbered", true, nullptr, true, "phoneBook.plist",
         {QVariant(group("Work", {contact(1, "Bo"), contact(2, "Al"), contact(3, "Cy"), contact(4, "Di")})),
          QVariant(group("Club", {contact(1, "Ed")}))}},
        {"merge into a missing phonebook", true, nullptr, false, "phoneBook.plist", backupPb},
        {"replace the SIM's own phonebook", false, "262021234567890", true, "262021234567890_phoneBook.plist", backupPb},
        {"per-SIM phonebook without an IMSI: the plain file", false, "", true, "phoneBook.plist", backupPb},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        for (const char *name : {"phoneBook.plist", "262021234567890_phoneBook.plist"})
            QFile::remove(modemList(QLatin1String(name)));
        set("Setting", "RestorePhonebookSuperaddition", c.merge);
        config->setConfigurationByModule("PCDataWithIMSI", c.imsi != nullptr);
        config->setConfigurationByModule("IMSI", QString::fromLatin1(c.imsi ? c.imsi : ""));
        if (c.currentPresent)
            write(modemList(QLatin1String(c.target)), current);
        start();
        const int reloads = phonebook.reloads;
        const QString path = file("backup.plist");
        write(path, QVariantList{backupPb, empty, empty, empty});
        restore(path);
        EXPECT_EQ(read(modemList(QLatin1String(c.target))), QVariant(c.expected));
        EXPECT_EQ(phonebook.reloads, reloads + 1);
        ASSERT_EQ(restoreRequests(), 1);
        const Sent request = sent().back();
        EXPECT_EQ(request.module, 5);
        EXPECT_EQ(yov::PayloadReader(request.data).utf8Text(0, int(request.data.size())), path);
        EXPECT_TRUE(messages().isEmpty()) << "the device's answer is the message";
        controller->restoreAlertPanel(true);
        EXPECT_EQ(messages(), QStringList{"Restore SMS And PhoneBook Success."});
        clock.advance(ostrel::SettingController::kRestoreAnswerMs);
        EXPECT_TRUE(messages().isEmpty()) << "answered: no second message";
    }
}

TEST_F(BackupSettingsTest, NoAnswerIn60SecondsAndAnUnreadablePhonebook)
{
    set("Setting", "RestorePhonebookSuperaddition", true);
    start();
    const QVariantList empty;
    write(file("backup.plist"), QVariantList{QVariantList{}, empty, empty, empty});
    restore(file("backup.plist"));
    clock.advance(ostrel::SettingController::kRestoreAnswerMs - 1);
    EXPECT_TRUE(messages().isEmpty());
    clock.advance(1);
    EXPECT_EQ(messages(), QStringList{"Restore SMS And PhoneBook Failed. The device did not answer."});

    // A current phonebook that cannot be read is left as it is; nothing is sent.
    QFile broken(modemList("phoneBook.plist"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<plist><array><dict>");
    broken.close();
    transport->sent.clear();
    restore(file("backup.plist"));
    EXPECT_EQ(messages(),
              QStringList{"Restore SMS And PhoneBook Failed. The phonebook of this computer could not be read or written."});
    EXPECT_EQ(restoreRequests(), 0);
    QFile again(modemList("phoneBook.plist"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("<plist><array><dict>"));
}

TEST_F(BackupSettingsTest, ControlsFollowTheSimAndTheirBox)
{
    makeController();
    EXPECT_FALSE(controller->backupRestoreBox()->isEnabled()) << "no SIM at start";
    controller->simReady({});
    EXPECT_TRUE(controller->backupRestoreBox()->isEnabled());
    EXPECT_FALSE(controller->backupButton()->isEnabled());
    controller->backupRestoreBox()->click();
    EXPECT_TRUE(controller->backupButton()->isEnabled());
    EXPECT_TRUE(controller->restoreButton()->isEnabled());
    controller->deviceRemoved({});
    EXPECT_FALSE(controller->backupRestoreBox()->isChecked());
    EXPECT_FALSE(controller->backupButton()->isEnabled());
    EXPECT_FALSE(controller->restoreButton()->isEnabled());
}

} // namespace
