// The text and CSV exports byte for byte, and the export through the file chooser: the file type
// from the settings, the data unit switch of the text file, and a file that cannot be written.
#include "RecordsHarness.h"

#include "ostrel/connection/records/DialRecordExport.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace recordstest;

namespace {

QVariantList exportFixture()
{
    return {record(QStringLiteral("Web, \"fast\""), QDateTime(QDate(2026, 3, 1), QTime(10, 0), Qt::UTC), 3725, 1536, 0.5),
            QStringLiteral("not a record"),
            QVariantMap{{QStringLiteral("connectname"), QStringLiteral("bare")},
                        {QStringLiteral("receivebyte"), QStringLiteral("12.50")}}};
}

DialRecordExportFormat plainFormat()
{
    DialRecordExportFormat f;
    f.columnNames = QStringList{QStringLiteral("Connect Name"), QStringLiteral("Start Time"),
                                QStringLiteral("Disconnect Time"), QStringLiteral("Duration"),
                                QStringLiteral("Data Receive"), QStringLiteral("Data Transport")};
    // A localised date that holds a comma, as the system's short form does.
    f.date = [](const QDateTime &d) { return d.toUTC().toString(QStringLiteral("M/d/yy, HH:mm")); };
    f.data = [](double bytes) { return QStringLiteral("%1 KB").arg(bytes / 1024, 0, 'f', 2); };
    return f;
}

} // namespace

TEST(DialRecordExportTest, TextAndCsvByteForByte)
{
    const QByteArray text =
        "Connect Name\t\tStart Time\t\tDisconnect Time\t\tDuration\t\tData Receive\t\tData Transport\t\t\n"
        "Web, \"fast\"\t\t3/1/26, 10:00\t\t3/1/26, 11:02\t\t01:02:05\t\t1536\t\t0.5\t\t\n"
        "\t\t\t\t\t\t\t\t\t\t\t\t\n"
        "bare\t\t\t\t\t\t\t\t12.50\t\t\t\t\n";
    EXPECT_EQ(DialRecordExport::text(exportFixture(), plainFormat()), text);

    DialRecordExportFormat mb = plainFormat();
    mb.dataInMBText = true;
    const QByteArray textInDataUnits =
        "Connect Name\t\tStart Time\t\tDisconnect Time\t\tDuration\t\tData Receive\t\tData Transport\t\t\n"
        "Web, \"fast\"\t\t3/1/26, 10:00\t\t3/1/26, 11:02\t\t01:02:05\t\t1536.00 KB\t\t0.50 KB\t\t\n"
        "\t\t\t\t\t\t\t\t\t\t\t\t\n"
        "bare\t\t\t\t\t\t\t\t12.50 KB\t\t\t\t\n";
    EXPECT_EQ(DialRecordExport::text(exportFixture(), mb), textInDataUnits);

    const QByteArray csv = "Connect Name,Start Time,Disconnect Time,Duration,Data Receive,Data Transport,\n"
                           "\"Web, \"\"fast\"\"\",\"3/1/26, 10:00\",\"3/1/26, 11:02\",01:02:05,1536.00 KB,0.50 KB,\n"
                           ",,,,,,\n"
                           "bare,,,,12.50 KB,,\n";
    EXPECT_EQ(DialRecordExport::csv(exportFixture(), plainFormat()), csv);
}

TEST(DialRecordExportTest, CsvFieldQuoting)
{
    const std::pair<const char *, const char *> cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
    };
    for (auto [in, out] : cases)
        EXPECT_EQ(DialRecordExport::csvField(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(DialRecordExportTest, ExportAsksForAFileOfTheConfiguredTypeAndWritesIt)
{
    struct Case {
        const char *what;
        QVariant fileType;      // Internet/SaveRecordFileType
        QVariant dataInMB;      // Internet/Internet_RecordDataUnitWithMB_ifRecordFileSaveTypeIsTxt
        QString offered;
        QString chosen;
        QString written;
        QByteArray firstLineEnd;
    };
    const Case cases[] = {
        {"text by default", {}, {}, QStringLiteral("txt"), QStringLiteral("out"), QStringLiteral("out.txt"), "0.5\t\t"},
        {"text in data units", {}, true, QStringLiteral("txt"), QStringLiteral("out.txt"), QStringLiteral("out.txt"),
         "0.50 KB\t\t"},
        {"csv", QStringLiteral("csv"), {}, QStringLiteral("csv"), QStringLiteral("out"), QStringLiteral("out.csv"),
         "0.50 KB,"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QVariantMap internet;
        if (c.fileType.isValid())
            internet.insert(QStringLiteral("SaveRecordFileType"), c.fileType);
        if (c.dataInMB.isValid())
            internet.insert(QStringLiteral("Internet_RecordDataUnitWithMB_ifRecordFileSaveTypeIsTxt"), c.dataInMB);
        RecordsHarness h({{QStringLiteral("Internet"), internet}}, QVariantList{exportFixture().first()});
        h.files.chooseNext(h.dir.filePath(c.chosen));
        h.controller->saveRecord();
        ASSERT_EQ(h.files.requests().size(), 1);
        EXPECT_EQ(h.files.requests().first().fileTypes, QStringList{c.offered});
        const QList<QByteArray> lines = h.fileBytes(h.dir.filePath(c.written)).split('\n');
        ASSERT_EQ(lines.size(), 3) << "header, one record, the last line feed";
        EXPECT_TRUE(lines[1].endsWith(c.firstLineEnd)) << lines[1].constData();
    }
}

TEST(DialRecordExportTest, AnExportThatCannotBeWrittenIsReportedAndTheRecordsStay)
{
    RecordsHarness h({}, QVariantList{exportFixture().first()});
    const QByteArray before = h.fileBytes(h.recordPath());
    // A folder stands where the file should go.
    ASSERT_TRUE(QDir(h.dir.path()).mkpath(QStringLiteral("taken.txt")));
    h.files.chooseNext(h.dir.filePath(QStringLiteral("taken.txt")));
    h.controller->saveRecord();
    ASSERT_EQ(h.alerts.count(), 1);
    EXPECT_TRUE(h.alerts.shown().first().message.contains(QStringLiteral("taken.txt")));
    EXPECT_EQ(h.controller->recordList().size(), 1);
    EXPECT_EQ(h.fileBytes(h.recordPath()), before);

    h.files.cancelNext();
    h.controller->saveRecord();
    EXPECT_EQ(h.alerts.count(), 1) << "a cancelled export says nothing";
}
