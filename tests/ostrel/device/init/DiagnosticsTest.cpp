// The diagnostics rules without the sheet: the serving cell's text, the cell details report,
// the export text, the report line and the modem driver's version.
#include "ostrel/device/init/Diagnostics.h"

#include "support/GoldenBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ostrel;

TEST(Diagnostics, ServingCellTextAndValue)
{
    struct Case {
        const char *text;
        QVariant showLastNum;
        const char *kept;
        std::optional<qulonglong> value;
    };
    const Case cases[] = {
        {"1A2B3C", 4, "2B3C", 11068},
        {"1A2B3C", QStringLiteral("4"), "2B3C", 11068},
        {"1A2B3C", QVariant(), "1A2B3C", 0x1A2B3C},  // no key: the whole text
        {"1A2B3C", 0, "1A2B3C", 0x1A2B3C},           // n below 1
        {"1A2B3C", 6, "1A2B3C", 0x1A2B3C},           // n not below the length
        {"1A2B3C", -2, "1A2B3C", 0x1A2B3C},
        {"00000000", 4, "0000", std::nullopt},       // all zeros: the fields stay
        {"12G4", QVariant(), "12G4", std::nullopt},  // not hexadecimal
        {"", 4, "", std::nullopt},
    };
    for (const Case &c : cases) {
        const QString kept = cellIdAfterShowLastNum(QLatin1String(c.text), c.showLastNum);
        EXPECT_EQ(kept, QLatin1String(c.kept)) << c.text;
        EXPECT_EQ(nonZeroHexValue(kept), c.value) << c.text;
    }
}

TEST(Diagnostics, CellDetailsReportAtItsOffsets)
{
    QByteArray payload(kCellDetailsSize, '\0');
    golden::le32(payload, 164, 17);
    golden::text(payload, 168, "GSM900");
    golden::le32(payload, 236, 62);
    golden::le32(payload, 248, 3);
    golden::le32(payload, 252, 41);
    const auto d = parseCellDetails(payload, 0);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->rac, QStringLiteral("17"));
    EXPECT_EQ(d->frequency, QStringLiteral("GSM900"));
    EXPECT_EQ(d->channel, QStringLiteral("62"));
    EXPECT_EQ(d->rxQual, QStringLiteral("3"));
    EXPECT_EQ(d->rxLev, QStringLiteral("41"));
    EXPECT_FALSE(parseCellDetails(payload, 1)) << "a failed report is ignored";
    EXPECT_FALSE(parseCellDetails(payload.left(200), 0)) << "a short report is ignored";
}

TEST(Diagnostics, ExportTextSetsHeadingsAgainstItems)
{
    const QList<DiagExportRow> rows = {{QStringLiteral("Hardware Information:"), std::nullopt},
                                       {QStringLiteral("IMEI number:"), QStringLiteral("350000000000001")},
                                       {QString(), QStringLiteral("skipped")},
                                       {QStringLiteral("Phone number:"), QString()},
                                       {QStringLiteral("Network Settings:"), std::nullopt}};
    EXPECT_EQ(diagExportText(rows), QStringLiteral("Hardware Information:     \n"
                                                   "        IMEI number:     350000000000001\n"
                                                   "        Phone number:     \n"
                                                   "Network Settings:     \n"));
}

TEST(Diagnostics, ReportLineDropsUnitsAndSaysNullForEmptyValues)
{
    EXPECT_EQ(diagReportText(QStringLiteral("11068"), QStringLiteral("4660"), QStringLiteral("-71 dBm"), QString(),
                             QStringLiteral(" "), QStringLiteral("Attached"), QStringLiteral("web.vandrel"),
                             QStringLiteral("KV408")),
              QStringLiteral("11068, 4660, -71, Null, Null, Attached, web.vandrel, YOV KV408"));
}

TEST(Diagnostics, DriverVersionOfTheModulesBoundToTheModem)
{
    QTemporaryDir root;
    const QString drivers = root.filePath(QStringLiteral("bus/usb/drivers"));
    auto makeDriver = [&](const char *name, bool bound, const char *version) {
        QDir d(drivers);
        ASSERT_TRUE(d.mkpath(QLatin1String(name) + QStringLiteral("/module")));
        if (bound) {
            ASSERT_TRUE(d.mkpath(QLatin1String(name) + QStringLiteral("/1-1:1.0")));
        }
        if (version) {
            QFile f(d.filePath(QLatin1String(name) + QStringLiteral("/module/version")));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(version);
        }
    };
    EXPECT_EQ(dataCardDriverVersion(root.path(), QStringLiteral("6.1.0-13-amd64")), QString()) << "no module";
    makeDriver("usbhid", true, "1.0\n");  // not a modem driver
    makeDriver("option", false, nullptr); // loaded, bound to nothing
    EXPECT_EQ(dataCardDriverVersion(root.path(), QStringLiteral("6.1.0-13-amd64")), QString());
    makeDriver("qmi_wwan", true, nullptr); // ships with the kernel: its release
    EXPECT_EQ(dataCardDriverVersion(root.path(), QStringLiteral("6.1.0-13-amd64")), QStringLiteral("6.1.0-13-amd64"));
    makeDriver("option", true, "2.4.1\n");
    EXPECT_EQ(dataCardDriverVersion(root.path(), QStringLiteral("6.1.0-13-amd64")), QStringLiteral("2.4.1"));
}
