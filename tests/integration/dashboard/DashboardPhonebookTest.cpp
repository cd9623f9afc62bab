// The phonebook in the assembled dashboard against the stand-in: numbers are looked up in the
// computer phonebook, the per-SIM phonebook takes over once the SIM is known, and an unreadable
// phonebook file is set aside with the user told.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/phonebook/PBController.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace ostrel;
using namespace dashboard_test;

namespace {

// The stand-in's default SIM.
const QString kImsi = QStringLiteral("262021234567890");

QVariantList phonebookOf(const QString &group, const QString &name, const QString &mobile)
{
    return {QVariantList{QVariantMap{{QStringLiteral("groupname"), group}},
                         QVariantMap{{QStringLiteral("username"), name}, {QStringLiteral("mobilephone"), mobile}}}};
}

class DashboardPhonebookTest : public DashboardFixture {
protected:
    QString file(const QString &name) const { return QDir(modemList_).filePath(name); }
    QWidget *mainWindow() const { return assembly_->mainController()->wndMain; }
};

} // namespace

TEST_F(DashboardPhonebookTest, NumbersAreLookedUpInTheComputerPhonebook)
{
    ASSERT_TRUE(yov::PlistBridge::writeFile(file(QStringLiteral("phoneBook.plist")),
                                            phonebookOf(QStringLiteral("Friends"), QStringLiteral("Anna"), QStringLiteral("+4930123456"))));
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    EXPECT_EQ(Neighbours::phonebook().searchNameAtPhoneBook(QStringLiteral("030123456")), QStringLiteral("Anna"));
    EXPECT_TRUE(Neighbours::phonebook().hasPhoneNumber(QStringLiteral("030123456")));
    EXPECT_EQ(Neighbours::phonebook().searchNameAtPhoneBook(QStringLiteral("0409999")), QStringLiteral("0409999"));
    EXPECT_EQ(assembly_->phonebookController()->groupNames(), QStringList{"Friends"});
    EXPECT_EQ(presenter_.count(), 0);
}

TEST_F(DashboardPhonebookTest, ThePerSimPhonebookTakesOverOnceTheSimIsKnown)
{
    setSettings({{QStringLiteral("specialSoftVersion"), QVariantMap{{QStringLiteral("RAVO_TIM"), true}}}});
    const QString generic = file(QStringLiteral("phoneBook.plist"));
    const QString perSim = file(kImsi + QStringLiteral("_phoneBook.plist"));
    ASSERT_TRUE(yov::PlistBridge::writeFile(generic, phonebookOf(QStringLiteral("Any"), QStringLiteral("Gus"), QStringLiteral("0301111"))));
    ASSERT_TRUE(yov::PlistBridge::writeFile(perSim, phonebookOf(QStringLiteral("Mine"), QStringLiteral("Sue"), QStringLiteral("0302222"))));
    QFile genericFile(generic);
    ASSERT_TRUE(genericFile.open(QIODevice::ReadOnly));
    const QByteArray genericBytes = genericFile.readAll();
    genericFile.close();

    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(QTest::qWaitFor([] { return Neighbours::phonebook().hasPhoneNumber(QStringLiteral("0302222")); }, kWaitMs))
        << "the per-SIM phonebook was not loaded";
    EXPECT_FALSE(Neighbours::phonebook().hasPhoneNumber(QStringLiteral("0301111")));
    PBController *pb = assembly_->phonebookController();
    EXPECT_EQ(pb->currentPcFileName(), kImsi + QStringLiteral("_phoneBook.plist"));
    pb->addGroup();
    EXPECT_EQ(yov::PlistBridge::readFile(perSim)->toList().size(), 2);
    ASSERT_TRUE(genericFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(genericFile.readAll(), genericBytes) << "the generic phonebook was written";
}

TEST_F(DashboardPhonebookTest, AnUnreadablePhonebookIsSetAsideAndTheUserTold)
{
    const QByteArray damaged = "<?xml version=\"1.0\"?><plist><array><array><dict><key>groupname";
    {
        QFile out(file(QStringLiteral("phoneBook.plist")));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(damaged) == damaged.size());
    }
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow() && mainWindow()->isVisible(); }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([this] { return presenter_.count() > 0; }, kWaitMs)) << "the user was not told";
    ASSERT_TRUE(waitSimReady());

    const QString aside = file(QStringLiteral("phoneBook.plist.unreadable"));
    QFile kept(aside);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), damaged);
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("phoneBook.plist"))));
    ASSERT_EQ(presenter_.count(), 1);
    EXPECT_TRUE(presenter_.shown().first().message.contains(aside)) << qPrintable(presenter_.shown().first().message);
    EXPECT_EQ(Neighbours::phonebook().sumOfGroupInPC(), 0);
    EXPECT_EQ(Neighbours::phonebook().searchNameAtPhoneBook(QStringLiteral("0301")), QStringLiteral("0301"));
}
