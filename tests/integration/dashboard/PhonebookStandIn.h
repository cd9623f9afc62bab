#pragma once
// Phonebook helpers of the dashboard tests: contacts as "index name number" on both sides, the
// stand-in's stores as they are now, and computer phonebook groups to write before a launch.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/phonebook/PBContact.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/page/PBPage.h"
#include "ostrel/phonebook/page/PBRecordActions.h"
#include "ostrel/phonebook/page/PBWindow.h"

#include <QAbstractButton>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QVariantList>
#include <QVariantMap>

namespace dashboard_test {

// A contact as "index name number", as both sides can give it.
inline QString entryText(int index, const QString &name, const QString &number)
{
    return QStringLiteral("%1 %2 %3").arg(index).arg(name, number);
}

// The dashboard's list as sorted entries.
inline QStringList entriesOf(const QList<QVariantMap> &list)
{
    QStringList entries;
    for (const QVariantMap &c : list)
        entries << entryText(ostrel::contactIndex(c), ostrel::contactName(c), ostrel::contactMobile(c));
    entries.sort();
    return entries;
}

// The stand-in's store ("Sim" or "Me") as it is now, as sorted entries.
inline QStringList standInEntries(const QString &storage)
{
    QStringList entries;
    for (const QVariant &value : listOf(mapOf(modemState(QStringLiteral("Phonebook")).value(storage)).value(QStringLiteral("Items")))) {
        const QVariantMap item = mapOf(value);
        entries << entryText(item.value(QStringLiteral("Index")).toInt(), item.value(QStringLiteral("Name")).toString(),
                             item.value(QStringLiteral("Num1")).toString());
    }
    entries.sort();
    return entries;
}

// A computer phonebook group: its header, then one contact per name with the mobile number
// "0170" followed by the contact's position.
inline QVariantList pcGroup(const QString &name, const QStringList &contactNames)
{
    QVariantList group{QVariantMap{{QStringLiteral("groupname"), name}}};
    for (int i = 0; i < contactNames.size(); ++i)
        group << QVariantMap{{QStringLiteral("username"), contactNames.at(i)},
                             {QStringLiteral("mobilephone"), QStringLiteral("0170%1").arg(i)}};
    return group;
}

// The dashboard with the phonebook's page, waits and the files and stores to compare.
class PhonebookFixture : public DashboardFixture {
protected:
    ostrel::PBController *pb() const { return assembly_->phonebookController(); }
    ostrel::PBWindow *window() const { return assembly_->phonebookWindow(); }
    ostrel::PBRecordActions *actions() const { return assembly_->phonebookActions(); }
    // Presses the storage-side cell of the page with that tag.
    void clickCell(int tag) const
    {
        for (QAbstractButton *cell : window()->page()->m_SavePosition->cells())
            if (cell->property("tag").toInt() == tag)
                cell->click();
    }
    void showPhonebookTab() const
    {
        pb()->notifyChangeTabViewItem(QStringLiteral("Phonebook"));
        main()->wndMain->resize(960, 680);
        main()->wndMain->show();
        QTest::qWait(50);
    }
    bool waitPhonebooksRead()
    {
        return QTest::qWaitFor([this] { return pb() && pb()->simInitFinished_ && pb()->meInitFinished_; }, kWaitMs);
    }
    // Every write and delete sent is answered and no move runs.
    bool waitBatchAnswered()
    {
        return QTest::qWaitFor([this] { return pb()->m_AddContactList.isEmpty() && pb()->m_DelContactList.isEmpty()
                                                && !pb()->getMoveAndDelStatus(); },
                               kWaitMs);
    }
    void expectStandInAgrees()
    {
        EXPECT_EQ(standInEntries(QStringLiteral("Sim")), entriesOf(pb()->m_SimPhoneList));
        EXPECT_EQ(standInEntries(QStringLiteral("Me")), entriesOf(pb()->m_MePhoneList));
        EXPECT_EQ(modemState(QStringLiteral("Phonebook")).value(QStringLiteral("CurrentStorage")).toInt(), pb()->currentStorage());
    }
    QString pcPhonebookPath() const { return QDir(modemList_).filePath(QStringLiteral("phoneBook.plist")); }
    void writePcPhonebook(const QVariantList &groups) { ASSERT_TRUE(yov::PlistBridge::writeFile(pcPhonebookPath(), groups)); }
    // The computer phonebook file as it is saved now: each group's header and contacts.
    QVariantList savedPcGroups() const { return yov::PlistBridge::readFile(pcPhonebookPath()).value_or(QVariant()).toList(); }
    // The contact names of each group of the saved file.
    QList<QStringList> savedPcNames() const
    {
        QList<QStringList> groups;
        for (const QVariant &group : savedPcGroups()) {
            QStringList names;
            for (const QVariant &c : group.toList().mid(1))
                names << c.toMap().value(QStringLiteral("username")).toString();
            groups << names;
        }
        return groups;
    }
};

} // namespace dashboard_test
