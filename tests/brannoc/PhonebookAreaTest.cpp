// The stand-in's phonebook without a bus: what it reports at SIM ready, which writes, deletes and
// storage switches it refuses, and how it holds answers back.
#include "brannoc/PhonebookArea.h"

#include "common/records/phonebook/PhonebookItemsFile.h"
#include "common/records/phonebook/PhonebookRecords.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <functional>

#include <gtest/gtest.h>

using namespace brannoc;

namespace {

class CollectingContext : public ModemContext {
public:
    void push(const yov::UI_MSG &record) override { records.append(record); }
    QList<yov::UI_MSG> records;
};

QVariantMap storageState(int maxIndex, const QVariantList &items)
{
    return {{"MinIndex", 1}, {"MaxIndex", maxIndex}, {"NameLength", 14}, {"NumberLength", 20}, {"Items", items}};
}

QVariantMap stateItem(int index, const QString &name)
{
    return {{"Index", index}, {"Name", name}, {"Num1", "0" + QString::number(index)}};
}

// The stand-in resolves its ModemList folder once per process: one folder serves every test, its
// items files removed before each.
QTemporaryDir &modemListFolder()
{
    static QTemporaryDir folder;
    static const bool named = qputenv("OSTREL_MODEMLIST", QFile::encodeName(folder.path()));
    Q_UNUSED(named);
    return folder;
}

class PhonebookAreaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (const char *file : {yov::kSimItemsFileName, yov::kMeItemsFileName})
            QFile::remove(QDir(folder.path()).filePath(QLatin1String(file)));
    }

    void ready(const QVariantMap &state)
    {
        area.load(state);
        area.bind(&context);
        area.onEvent(ModemEvent::DeviceReady, context);
        ASSERT_TRUE(context.records.isEmpty()) << "nothing before the SIM is ready";
        area.onEvent(ModemEvent::SimReady, context);
    }

    // Sends a request and returns the answers it produced (none while held).
    QList<yov::UI_MSG> request(std::uint16_t major, std::uint16_t minor, const QByteArray &payload)
    {
        yov::UI_MSG m = yov::zeroMsg();
        m.majorID = major;
        m.minorID = minor;
        m.moduleID = 4;
        m.dataLength = int(payload.size());
        std::memcpy(m.data, payload.constData(), size_t(payload.size()));
        const qsizetype before = context.records.size();
        EXPECT_TRUE(area.handleRequest(m, context));
        return context.records.mid(before);
    }
    int write(int index, int operation = yov::kPbOperationWrite)
    {
        yov::PhonebookWriteRequest w;
        w.index = index;
        w.name = QStringLiteral("New %1").arg(index);
        w.number1 = QStringLiteral("0%1").arg(index);
        w.number2 = QStringLiteral("second");
        w.operation = operation;
        const QList<yov::UI_MSG> answers = request(1029, 122, w.encode());
        if (answers.size() != 1)
            return -1;
        const auto r = yov::PhonebookWriteResult::decode(yov::PayloadReader::ofMsg(answers.first()));
        EXPECT_EQ(r.index, index);
        EXPECT_EQ(r.operation, operation);
        return r.result;
    }
    int switchTo(int storage)
    {
        const QList<yov::UI_MSG> answers = request(1027, 118, yov::int32Words({storage}));
        return answers.size() == 1 ? answers.first().result : -1;
    }
    QList<int> indexesIn(const QString &file) const
    {
        QList<int> indexes;
        for (const yov::PhonebookItem &i : yov::PhonebookItemsFile::read(QDir(folder.path()).filePath(file), 1, 1000).items)
            indexes << i.index;
        return indexes;
    }

    QTemporaryDir &folder = modemListFolder();
    CollectingContext context;
    PhonebookArea area;
};

} // namespace

TEST_F(PhonebookAreaTest, SimReadyWritesBothFilesThenReportsEachStorageInOrder)
{
    ready({{"Sim", storageState(250, {stateItem(2, "Ben"), stateItem(1, "Ada")})},
           {"Me", storageState(500, {stateItem(7, "Desk")})},
           {"ReportOrder", QVariantList{"Sim", "Me"}}});
    ASSERT_EQ(context.records.size(), 2);
    QList<int> storages;
    for (const yov::UI_MSG &m : context.records) {
        EXPECT_EQ(m.majorID, 1025);
        EXPECT_EQ(m.moduleID, 4);
        EXPECT_EQ(m.type, 0);
        const auto r = yov::PhonebookInitRecord::decode(yov::PayloadReader::ofMsg(m));
        storages << r.storage;
        EXPECT_TRUE(QDir::isAbsolutePath(r.path));
        EXPECT_EQ(r.maxIndex, r.storage == yov::kPbStorageSim ? 250 : 500);
    }
    EXPECT_EQ(storages, (QList<int>{yov::kPbStorageSim, yov::kPbStorageMe}));
    EXPECT_EQ(indexesIn("SIM_Items.plist"), (QList<int>{1, 2}));
    EXPECT_EQ(indexesIn("ME_Items.plist"), QList<int>{7});
    EXPECT_EQ(area.state().value("CurrentStorage"), yov::kPbStorageMe) << "the storage reported last";

    // Without a device phonebook only the SIM is reported.
    context.records.clear();
    ready({{"MePresent", false}});
    ASSERT_EQ(context.records.size(), 1);
    EXPECT_EQ(yov::PhonebookInitRecord::decode(yov::PayloadReader::ofMsg(context.records.first())).storage, yov::kPbStorageSim);
    EXPECT_EQ(switchTo(yov::kPbStorageMe), 0);
}

TEST_F(PhonebookAreaTest, RequestsRefusedByRangeIndexAndSwitch)
{
    ready({{"Sim", storageState(3, {stateItem(1, "Ada")})}, {"Me", storageState(5, {})}, {"FailIndexes", QVariantList{2}}});
    ASSERT_EQ(area.state().value("CurrentStorage"), yov::kPbStorageSim);
    const struct {
        const char *label;
        std::function<int()> act;
        int result;
        QList<int> simAfter;
    } cases[] = {
        {"a write below the range", [&] { return write(0); }, 0, {1}},
        {"a write above the range", [&] { return write(4); }, 0, {1}},
        {"a write of a failing index", [&] { return write(2); }, 0, {1}},
        {"a new index", [&] { return write(3); }, 1, {1, 3}},
        {"an index held again", [&] { return write(1); }, 1, {1, 3}},
        {"a delete of an absent index", [&] { return write(2, yov::kPbOperationDelete); }, 0, {1, 3}},
        {"a delete", [&] { return write(1, yov::kPbOperationDelete); }, 1, {3}},
        {"a switch to storage 3", [&] { return switchTo(3); }, 0, {3}},
        {"a switch to the device memory", [&] { return switchTo(yov::kPbStorageMe); }, 1, {3}},
        {"a write there", [&] { return write(5); }, 1, {3}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.act(), c.result) << c.label;
        EXPECT_EQ(indexesIn("SIM_Items.plist"), c.simAfter) << c.label;
    }
    EXPECT_EQ(indexesIn("ME_Items.plist"), QList<int>{5});
    const QVariantMap me = area.state().value("Me").toMap();
    EXPECT_EQ(me.value("Items").toList(), (QVariantList{QVariantMap{{"Index", 5}, {"Name", "New 5"}, {"Num1", "05"}}}))
        << "a storage without number 2 keeps none";

    ASSERT_TRUE(area.set({{"SwitchResult", 0}}, context));
    EXPECT_EQ(switchTo(yov::kPbStorageSim), 0);
    EXPECT_EQ(area.state().value("CurrentStorage"), yov::kPbStorageMe) << "a failed switch changes nothing";
}

TEST_F(PhonebookAreaTest, HeldAnswersFollowInReverseOrder)
{
    ready({{"Sim", storageState(10, {})}, {"HoldReplies", 3}});
    EXPECT_EQ(write(1), -1);
    EXPECT_EQ(write(2), -1);
    EXPECT_EQ(area.state().value("HeldReplies"), 2);
    const qsizetype before = context.records.size();
    write(3);
    QList<int> order;
    for (const yov::UI_MSG &m : context.records.mid(before))
        order << yov::PhonebookWriteResult::decode(yov::PayloadReader::ofMsg(m)).index;
    EXPECT_EQ(order, (QList<int>{3, 2, 1}));
    EXPECT_EQ(write(4), 1) << "answers flow again";
    EXPECT_EQ(indexesIn("SIM_Items.plist"), (QList<int>{1, 2, 3, 4})) << "the changes were made at once";
}
