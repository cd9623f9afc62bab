// Opening a computer inbox of 10,000 messages, a third of them concatenated (three parts), as the
// SMS page does: read the list file, give each message its name and index, sort by date (goal:
// under 0.3 s); the conversion of that inbox to message objects; the page's search over the inbox
// (goal: under 50 ms) and the cells of its table for every row. The file is written through the
// list-file writer once, at start.
#include "common/PlistBridge.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFiles.h"
#include "common/sms/YOVMessageModelManager.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/sms/service/SmsListNames.h"
#include "ostrel/sms/service/SmsListSorts.h"
#include "ostrel/sms/service/SmsListWriter.h"
#include "ostrel/sms/service/SmsPageSearch.h"
#include "ostrel/sms/service/SmsService.h"
#include "ostrel/sms/service/SmsTableCells.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr int kInboxSize = 10000;

QVariantMap benchPart(const QString &number, const QString &text, const QDateTime &date, int seq, int total)
{
    QVariantMap part{{"mobilephone", number}, {"messagetext", text}, {"date", date}, {"stat", 1}, {"sca", "+31624000000"},
                     {"pdu", "0791136200000000040B911346610089F60000"}, {"pid", 0}, {"dcs", 0}, {"box", 0}, {"index", 0}};
    if (total > 1)
        part.insert({{"seqNum", seq}, {"refIndex", 42}, {"totalNum", total}});
    return part;
}

QVariantMap benchMessage(int i)
{
    const QString number = QStringLiteral("+49170%1").arg(i % 700, 7, 10, QLatin1Char('0'));
    const QDateTime date = QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64((i * 7919) % kInboxSize) * 60);
    const QString text = QStringLiteral("Message %1: the quick brown fox jumps over the lazy dog").arg(i);
    const bool concatenated = i % 3 == 0;
    if (!concatenated)
        return {{"concatSmsFlag", false},
                {"concatSmsInfo", QVariantMap{{"mobilephone", number}, {"date", date}, {"messagetext", text}, {"stat", 1}, {"totalNum", 1}}},
                {"smsInfo", benchPart(number, text, date, 1, 1)}};
    QVariantList parts;
    for (int seq = 1; seq <= 3; ++seq)
        parts.append(benchPart(number, text.repeated(3), date, seq, 3));
    return {{"concatSmsFlag", true},
            {"concatSmsInfo", QVariantMap{{"mobilephone", number}, {"date", date}, {"messagetext", text.repeated(9)}, {"stat", 1}, {"totalNum", 3}}},
            {"smsInfo", parts}};
}

struct BenchInbox {
    QTemporaryDir dir;
    QString path;
    QHash<QString, QString> phonebook;

    BenchInbox()
    {
        path = dir.filePath(QLatin1String(yov::sms::kSmsListPcFileName));
        QVariantList inbox;
        for (int i = 0; i < kInboxSize; ++i)
            inbox.append(benchMessage(i));
        const auto written = ostrel::SmsListWriter::writeBoxLocked(
            path, yov::sms::kPositionPc, yov::sms::kBoxInBox, [&](const QVariantList &) { return inbox; });
        if (!written.ok)
            qFatal("cannot write the bench inbox: %s", qPrintable(written.error));
        for (int i = 0; i < 500; ++i)
            phonebook.insert(QStringLiteral("+49170%1").arg(i, 7, 10, QLatin1Char('0')), QStringLiteral("Contact %1").arg(i));
    }

    QVariantList open() const
    {
        QVariantList inbox = yov::sms::readSmsListFile(path).value_or(QVariantMap()).value(QStringLiteral("InBox")).toList();
        ostrel::setUserNameAndIndexToSMSBoxList(
            inbox, yov::sms::kBoxInBox, yov::sms::kPositionPc,
            [this](const QString &number) { return phonebook.value(number, number); }, {});
        ostrel::sortSmsBoxList(inbox, QStringLiteral("date"), false, false);
        return inbox;
    }
};

BenchInbox &benchInbox()
{
    static BenchInbox inbox;
    return inbox;
}

void BM_OpenComputerInbox(benchmark::State &state)
{
    const BenchInbox &inbox = benchInbox();
    for (auto _ : state)
        benchmark::DoNotOptimize(inbox.open());
    state.counters["messages"] = kInboxSize;
}
BENCHMARK(BM_OpenComputerInbox)->Unit(benchmark::kMillisecond);

// The computer's lists as the page loads them on opening: one read of the file, the page's boxes
// named, and the service's own lists from the same read.
void BM_LoadComputerListsAsThePage(benchmark::State &state)
{
    const BenchInbox &inbox = benchInbox();
    ostrel::ConfigManager config(QFileInfo(inbox.path).absolutePath());
    config.initPathDict();
    ostrel::SmsService service(&config);
    const QString path = config.configFilePathOfKey(ostrel::configkeys::kCMSMSListOfPCFile);
    if (QFileInfo(path) != QFileInfo(inbox.path)) {
        state.SkipWithError("the configuration does not name the bench inbox");
        return;
    }
    const auto names = [&inbox](const QString &number) { return inbox.phonebook.value(number, number); };
    for (auto _ : state) {
        const auto file = yov::sms::readSmsListFile(path);
        for (int box : {yov::sms::kBoxInBox, yov::sms::kBoxOutBox, yov::sms::kBoxDraftBox}) {
            QVariantList list = file.value_or(QVariantMap()).value(ostrel::SmsService::getBoxStrWithBox(box)).toList();
            ostrel::setUserNameAndIndexToSMSBoxList(list, box, yov::sms::kPositionPc, names, {});
            benchmark::DoNotOptimize(list);
        }
        service.loadBoxinPCList(path, file);
    }
    state.counters["messages"] = kInboxSize;
}
BENCHMARK(BM_LoadComputerListsAsThePage)->Unit(benchmark::kMillisecond);

// The parts of the opening, each alone: where the time goes.
void BM_InboxReadOnly(benchmark::State &state)
{
    const BenchInbox &inbox = benchInbox();
    for (auto _ : state)
        benchmark::DoNotOptimize(yov::sms::readSmsListFile(inbox.path));
}
BENCHMARK(BM_InboxReadOnly)->Unit(benchmark::kMillisecond);

// The read itself, split: the bytes from the file, then the bytes to values through the reader
// in use (the direct XML reader) and through libplist alone (the reader it replaced).
QByteArray benchFileBytes()
{
    QFile file(benchInbox().path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot open the bench inbox");
    return file.readAll();
}

void BM_InboxFileBytes(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(benchFileBytes());
    state.counters["bytes"] = double(benchFileBytes().size());
}
BENCHMARK(BM_InboxFileBytes)->Unit(benchmark::kMillisecond);

void BM_InboxParse(benchmark::State &state)
{
    const QByteArray bytes = benchFileBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(yov::PlistBridge::parse(bytes));
}
BENCHMARK(BM_InboxParse)->Unit(benchmark::kMillisecond);

void BM_InboxParseLibplist(benchmark::State &state)
{
    const QByteArray bytes = benchFileBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(yov::PlistBridge::parseGeneral(bytes));
}
BENCHMARK(BM_InboxParseLibplist)->Unit(benchmark::kMillisecond);

void BM_InboxNamesOnly(benchmark::State &state)
{
    const BenchInbox &inbox = benchInbox();
    const QVariantList read = yov::sms::readSmsListFile(inbox.path).value_or(QVariantMap()).value(QStringLiteral("InBox")).toList();
    for (auto _ : state) {
        QVariantList list = read;
        ostrel::setUserNameAndIndexToSMSBoxList(
            list, yov::sms::kBoxInBox, yov::sms::kPositionPc,
            [&inbox](const QString &number) { return inbox.phonebook.value(number, number); }, {});
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_InboxNamesOnly)->Unit(benchmark::kMillisecond);

void BM_InboxSortOnly(benchmark::State &state)
{
    const QVariantList read =
        yov::sms::readSmsListFile(benchInbox().path).value_or(QVariantMap()).value(QStringLiteral("InBox")).toList();
    for (auto _ : state) {
        QVariantList list = read;
        ostrel::sortSmsBoxList(list, QStringLiteral("date"), false, false);
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_InboxSortOnly)->Unit(benchmark::kMillisecond);

void BM_InboxToMessageObjects(benchmark::State &state)
{
    const QVariantList inbox = benchInbox().open();
    const auto &model = yov::sms::YOVMessageModelManager::sharedYOVMessageModelManagerInstance();
    for (auto _ : state)
        benchmark::DoNotOptimize(model.yovMessageModelProtocolArrayWithSMSFileStrutArray(inbox));
    state.counters["messages"] = kInboxSize;
}
BENCHMARK(BM_InboxToMessageObjects)->Unit(benchmark::kMillisecond);

QString benchDate(const QDateTime &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

// The search as the page runs it on a change of the search text: every message of the box is
// tried against number, name, shown date and text (here a text that few messages hold).
void BM_SearchInbox(benchmark::State &state)
{
    const QVariantList inbox = benchInbox().open();
    for (auto _ : state)
        benchmark::DoNotOptimize(ostrel::smsSearchList(inbox, ostrel::kSmsSearchPcInbox, QStringLiteral("Message 999"), benchDate));
    state.counters["messages"] = kInboxSize;
}
BENCHMARK(BM_SearchInbox)->Unit(benchmark::kMillisecond);

// Every cell of the table for the whole inbox, as a full redraw asks for them.
void BM_FillTableCells(benchmark::State &state)
{
    const BenchInbox &bench = benchInbox();
    const QVariantList inbox = bench.open();
    ostrel::SmsCellContext context;
    context.newStateWord = QStringLiteral("New");
    context.boxWord = [](int) { return QStringLiteral("InBox"); };
    context.userName = [&bench](const QString &number) { return bench.phonebook.value(number, number); };
    context.multiNames = context.userName;
    context.formatDate = benchDate;
    const QStringList columns{QStringLiteral("mobilephone"), QStringLiteral("username"), QStringLiteral("date"), QStringLiteral("stat")};
    for (auto _ : state)
        for (int row = 0; row < kInboxSize; ++row)
            for (const QString &column : columns)
                benchmark::DoNotOptimize(ostrel::smsCellValue(inbox, row, column, context));
    state.counters["cells"] = kInboxSize * 4;
}
BENCHMARK(BM_FillTableCells)->Unit(benchmark::kMillisecond);

} // namespace
