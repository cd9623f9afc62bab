// The memory card's phonebook files: the record and key-list bytes, the folder scan, numbering,
// the key list after adds and deletes, and the controller's card operations over a temporary
// folder given as the card.
#include "PhonebookHarness.h"

#include "ostrel/phonebook/TCardPhonebookFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

QByteArray utf16(const QString &text) { return TCardPhonebookFiles::encode(text); }

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QString record(int index, const QString &name, const QString &mobile = QStringLiteral("123"))
{
    return TCardPhonebookFiles::recordText(QVariantMap{{"index", index}, {"username", name}, {"mobilephone", mobile}});
}

// The key list's lines after "Count", in any order.
QMap<QString, QString> keyLines(const TCardPhonebookFiles &files)
{
    QMap<QString, QString> lines = TCardPhonebookFiles::readIni(files.keyListPath()).value_or(QMap<QString, QString>());
    return lines;
}

class CardFolder : public ::testing::Test {
protected:
    QTemporaryDir volume;
    TCardPhonebookFiles files{volume.path()};
    QString pb(const QString &name) const { return files.folderPath() + QLatin1Char('/') + name; }
};

} // namespace

TEST_F(CardFolder, RecordAndFreshKeyListHaveTheirExactBytes)
{
    const QVariantMap contact{{"index", -10000}, {"fileNameNumber", 1}, {"username", QStringLiteral("Åsa")},
                              {"mobilephone", "+4711"}, {"homephone", "22"}, {"officephone", "33"},
                              {"email", "a@b.c"}, {"remark", "not written"}};
    ASSERT_TRUE(files.writeRecord(contact));
    const QString expected = QStringLiteral(
        "[Contact]\r\nIndex=-10000\r\nGroupId=\r\nName=Åsa\r\nSecondName= \t\t\t\t\t\t \r\nCompany=\r\nDuty=\r\n"
        "Email=a@b.c\r\nEmail2=\r\nQQ=\r\nMSN=\r\nNotes= \t\t\t\t\t\t \r\nPhoneNumber=+4711\r\nHomeNumber=22\r\n"
        "OfficeNumber=33\r\nHomeAddress= \t\t\t\t\t\t \r\nWorkAddress=\r\nUrl=\r\nPictureID=");
    const QByteArray bytes = readBytes(pb("PB_1.ini"));
    EXPECT_TRUE(bytes.startsWith(QByteArray("\xFF\xFE", 2))) << "little-endian byte-order mark";
    EXPECT_EQ(bytes, utf16(expected));
    EXPECT_FALSE(bytes.endsWith(QByteArray("\n\0", 2))) << "no line end after the last line";

    ASSERT_TRUE(files.prepare());
    EXPECT_EQ(readBytes(files.keyListPath()), utf16(QStringLiteral("[KeyList]\r\nCount=0")));

    // The filler comes back as the loaded value.
    const QList<QVariantMap> loaded = files.scan();
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].value("secondname").toString(), QStringLiteral(" \t\t\t\t\t\t "));
    EXPECT_EQ(loaded[0].value("index").toInt(), -10000);
    EXPECT_EQ(loaded[0].value("fileNameNumber").toInt(), 1);
    EXPECT_EQ(loaded[0].value("username").toString(), QStringLiteral("Åsa"));
}

TEST_F(CardFolder, ALineBreakInAValueAddsNoKey)
{
    const QVariantMap contact{{"index", -10000}, {"fileNameNumber", 2}, {"username", "Eve\r\nPhoneNumber=1"},
                              {"mobilephone", "555"}};
    ASSERT_TRUE(files.writeRecord(contact));
    const QList<QVariantMap> loaded = files.scan();
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].value("mobilephone").toString(), QStringLiteral("555"));
    // The name holds "=" now, so it loads empty as any such value does; it injected nothing.
    EXPECT_EQ(loaded[0].value("username").toString(), QString());
    EXPECT_EQ(TCardPhonebookFiles::readIni(pb("PB_2.ini"))->value("PhoneNumber"), QStringLiteral("555"));
}

TEST_F(CardFolder, TheScanReadsEachRecordFileOnceAndSkipsWhatIsNotOne)
{
    ASSERT_TRUE(writeBytes(pb("PB_x.ini"), utf16(record(-10001, "NoNumber"))));
    ASSERT_TRUE(writeBytes(pb("PB_1_2.ini"), utf16(record(-10002, "TwoParts"))));
    ASSERT_TRUE(writeBytes(pb("PB_3.txt"), QByteArray("ignored")));
    ASSERT_TRUE(writeBytes(pb("PB_3.ini"), utf16(record(-10003, "Three"))));
    ASSERT_TRUE(writeBytes(pb("PB_3.bak"), QByteArray("ignored too")));
    ASSERT_TRUE(writeBytes(pb("sub/PB_3.ini"), utf16(record(-10009, "Nested"))));
    ASSERT_TRUE(writeBytes(pb("sub/PB_4.ini"), utf16(record(-10004, "Four"))));
    // A value holding "=" loads as an empty field.
    ASSERT_TRUE(writeBytes(pb("PB_5.ini"), utf16(record(-10005, "Eq", "1=2"))));
    // Not UTF-16 text: odd length, no byte-order mark, an unpaired surrogate.
    ASSERT_TRUE(writeBytes(pb("PB_6.ini"), utf16(record(-10006, "Odd")) + QByteArray("x")));
    ASSERT_TRUE(writeBytes(pb("PB_7.ini"), record(-10007, "NoBom").toUtf8()));
    ASSERT_TRUE(writeBytes(pb("PB_8.ini"), utf16(record(-10008, "Half")) + QByteArray("\x00\xD8", 2)));

    const QList<QVariantMap> loaded = files.scan();
    QStringList names;
    for (const QVariantMap &c : loaded)
        names << c.value("username").toString();
    EXPECT_EQ(names, (QStringList{"Eq", "Three"}));
    EXPECT_EQ(loaded[0].value("mobilephone").toString(), QString());

    // A skipped file is never written over: the next file number passes it.
    EXPECT_EQ(TCardPhonebookFiles::newFileNumber(loaded), 6);
    EXPECT_EQ(files.freeFileNumber(loaded), 9);

    // An empty scan empties the list.
    for (const char *name : {"PB_3.ini", "PB_5.ini"})
        ASSERT_TRUE(QFile::remove(pb(name)));
    EXPECT_TRUE(files.scan().isEmpty());
}

TEST(TCardNumbering, NewIndexAndFileNumber)
{
    const QList<QVariantMap> list{{{"index", -10000}, {"fileNameNumber", 1}}, {{"index", -10003}, {"fileNameNumber", 7}}};
    EXPECT_EQ(TCardPhonebookFiles::newIndex(list), -10004);
    EXPECT_EQ(TCardPhonebookFiles::newFileNumber(list), 8);
    EXPECT_EQ(TCardPhonebookFiles::newIndex({}), -10000);
    EXPECT_EQ(TCardPhonebookFiles::newFileNumber({}), 1);
    // An index above -10000 does not lead: the new one is at most -10001.
    EXPECT_EQ(TCardPhonebookFiles::newIndex({{{"index", -5}}}), -10001);
}

TEST_F(CardFolder, TheKeyListFollowsAddsAndDeletesAndIsRebuiltWhenUnreadable)
{
    ASSERT_TRUE(files.prepare());
    const QVariantMap one{{"index", -10000}, {"fileNameNumber", 1}, {"username", "A"}};
    const QVariantMap two{{"index", -10001}, {"fileNameNumber", 2}, {"username", "B"}};
    ASSERT_TRUE(files.writeRecord(one));
    ASSERT_TRUE(files.addToKeyList(1, -10000, {}));
    ASSERT_TRUE(files.writeRecord(two));
    ASSERT_TRUE(files.addToKeyList(2, -10001, {one}));
    EXPECT_EQ(keyLines(files), (QMap<QString, QString>{{"Count", "2"}, {"1", "-10000"}, {"2", "-10001"}}));

    ASSERT_TRUE(files.deleteRecord(1, {two}));
    EXPECT_FALSE(QFile::exists(files.recordPath(1)));
    EXPECT_EQ(keyLines(files), (QMap<QString, QString>{{"Count", "1"}, {"2", "-10001"}}));

    // A key list that cannot be read is rebuilt from the card list, not written with the new line alone.
    ASSERT_TRUE(writeBytes(files.keyListPath(), QByteArray("garbage")));
    ASSERT_TRUE(files.addToKeyList(3, -10002, {two}));
    EXPECT_EQ(keyLines(files), (QMap<QString, QString>{{"Count", "2"}, {"2", "-10001"}, {"3", "-10002"}}));
}

// ---- the controller's card operations ----------------------------------------------------------

namespace {

class CardController : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("OSTREL_TCARD", volume.path().toUtf8());
    }
    void TearDown() override { qunsetenv("OSTREL_TCARD"); }
    ContactDialogValues dialog(const QString &name, const QString &mobile, const QString &email = {})
    {
        ContactDialogValues v;
        v.fields.name = name;
        v.fields.mobile = mobile;
        v.fields.email = email;
        v.savePosition = int(PBStorage::TCard);
        return v;
    }
    QTemporaryDir volume;
    pbtest::Harness h{{{"IsShowTCard", true}}};
};

} // namespace

TEST_F(CardController, AddEditAndDeleteReachTheCardFiles)
{
    PBController &pb = h.start();
    pb.initTCard();
    ASSERT_TRUE(pb.tcardInitFinished_);
    TCardPhonebookFiles files(volume.path());
    EXPECT_EQ(readBytes(files.keyListPath()), utf16(QStringLiteral("[KeyList]\r\nCount=0")));

    pb.contactIsAdded(dialog("Bo", "111"));
    pb.contactIsAdded(dialog("Al", "222", "al@x.y"));
    ASSERT_EQ(pb.getTCardUserNumber(), 2);
    EXPECT_EQ(pb.m_TCardPhoneList[0].value("username").toString(), QStringLiteral("Al")) << "sorted by name";
    EXPECT_EQ(pb.m_TCardPhoneList[0].value("index").toInt(), -10001);
    EXPECT_EQ(pb.m_TCardPhoneList[0].value("fileNameNumber").toInt(), 2);
    EXPECT_TRUE(QFile::exists(files.recordPath(1)));
    EXPECT_EQ(keyLines(files), (QMap<QString, QString>{{"Count", "2"}, {"1", "-10000"}, {"2", "-10001"}}));
    EXPECT_EQ(pb.getSmartUserByIndexFromAllPhoneList(-10001, "SAVEINTCARD").value("username").toString(), "Al");

    // The edit rewrites only its record file.
    const QByteArray keyListBefore = readBytes(files.keyListPath());
    const QByteArray otherBefore = readBytes(files.recordPath(1));
    pb.setTCardContact(ContactPlace{PBStorage::TCard, -1, 0});
    pb.phonebookOperate_ = PBController::OperationEdit;
    pb.contactIsEdited(dialog("Alma", "333"));
    EXPECT_EQ(readBytes(files.keyListPath()), keyListBefore);
    EXPECT_EQ(readBytes(files.recordPath(1)), otherBefore);
    EXPECT_EQ(TCardPhonebookFiles::readIni(files.recordPath(2))->value("Name"), QStringLiteral("Alma"));
    EXPECT_EQ(TCardPhonebookFiles::readIni(files.recordPath(2))->value("Index"), QStringLiteral("-10001"));

    // An edit failing the name-and-number check writes nothing.
    const QByteArray editedBefore = readBytes(files.recordPath(2));
    pb.setTCardContact(ContactPlace{PBStorage::TCard, -1, 0});
    pb.contactIsEdited(dialog("Alma", ""));
    EXPECT_EQ(readBytes(files.recordPath(2)), editedBefore);
    EXPECT_EQ(h.presenter.count(), 1);

    // A reload reads the same list; the all-storage list keeps one entry each.
    pb.initTCard();
    EXPECT_EQ(pb.getTCardUserNumber(), 2);
    int cardEntries = 0;
    for (const QVariantMap &entry : pb.m_allPhoneList)
        cardEntries += entry.value("savepos").toString() == QLatin1String("SAVEINTCARD");
    EXPECT_EQ(cardEntries, 2);

    ASSERT_TRUE(pb.deleteUserFromTCard({0, 1}));
    EXPECT_EQ(pb.getTCardUserNumber(), 0);
    EXPECT_FALSE(QFile::exists(files.recordPath(1)));
    EXPECT_FALSE(QFile::exists(files.recordPath(2)));
    EXPECT_EQ(keyLines(files), (QMap<QString, QString>{{"Count", "0"}}));
    EXPECT_TRUE(pb.getSmartUserByIndexFromAllPhoneList(-10001, "SAVEINTCARD").isEmpty());
}

TEST_F(CardController, WithoutTheSwitchOrACardNothingIsRead)
{
    {
        pbtest::Harness off;
        PBController &pb = off.start();
        pb.initTCard();
        EXPECT_FALSE(pb.tcardInitFinished_);
        EXPECT_FALSE(QFile::exists(volume.path() + "/PB"));
    }
    // A card whose folder cannot be made (the volume is a file).
    const QString notAFolder = volume.path() + "/volume-file";
    ASSERT_TRUE(writeBytes(notAFolder, "x"));
    qputenv("OSTREL_TCARD", notAFolder.toUtf8());
    PBController &pb = h.start();
    pb.initTCard();
    EXPECT_FALSE(pb.tcardInitFinished_);
    EXPECT_EQ(pb.getTCardUserNumber(), 0);
}

TEST_F(CardController, TheCardIsForgottenWhenTheDeviceIsRemoved)
{
    TCardPhonebookFiles files(volume.path());
    ASSERT_TRUE(files.prepare());
    ASSERT_TRUE(files.writeRecord({{"index", -10000}, {"fileNameNumber", 1}, {"username", "A"}, {"mobilephone", "1"}}));
    PBController &pb = h.start();
    pb.initTCard();
    ASSERT_EQ(pb.getTCardUserNumber(), 1);
    pb.resetDevicePhonebooks();
    EXPECT_FALSE(pb.tcardInitFinished_);
    EXPECT_EQ(pb.getTCardUserNumber(), 0);
    EXPECT_TRUE(QFile::exists(files.recordPath(1))) << "the card's files stay";
}
