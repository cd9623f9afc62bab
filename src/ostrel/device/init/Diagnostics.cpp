#include "ostrel/device/init/Diagnostics.h"

#include "common/records/Payload.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace ostrel {

namespace {

// USB drivers of mobile-broadband modems: serial ports, control and network interfaces.
const char *const kModemDrivers[] = {"option", "qcserial", "cdc_acm", "qmi_wwan", "cdc_ether", "cdc_ncm",
                                     "cdc_mbim", "huawei_cdc_ncm", "cdc_wdm", "sierra", "usb_wwan"};

QString withoutUnit(const QString &text)
{
    QString value = text.trimmed();
    const qsizetype blank = value.indexOf(QLatin1Char(' '));
    if (blank > 0)
        value = value.left(blank);
    return value.isEmpty() ? QStringLiteral("Null") : value;
}

} // namespace

QString cellIdAfterShowLastNum(const QString &text, const QVariant &showLastNum)
{
    if (!showLastNum.isValid())
        return text;
    bool ok = false;
    const int n = showLastNum.toString().trimmed().toInt(&ok);
    if (!ok || n < 1 || n >= text.size())
        return text;
    return text.right(n);
}

std::optional<qulonglong> nonZeroHexValue(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 16 || !QRegularExpression(QStringLiteral("^[0-9A-Fa-f]+$")).match(t).hasMatch())
        return std::nullopt;
    const qulonglong value = t.toULongLong(nullptr, 16);
    if (value == 0)
        return std::nullopt;
    return value;
}

std::optional<CellDetails> parseCellDetails(const QByteArray &payload, int result)
{
    if (result != 0 || payload.size() < 256)
        return std::nullopt;
    yov::PayloadReader r(payload);
    CellDetails d;
    d.rac = QString::number(r.int32(164));
    d.frequency = r.utf8Text(168, 236 - 168);
    d.channel = QString::number(r.int32(236));
    d.rxQual = QString::number(r.int32(248));
    d.rxLev = QString::number(r.int32(252));
    return d;
}

QString diagExportText(const QList<DiagExportRow> &rows)
{
    QString text;
    for (const auto &[label, value] : rows) {
        if (label.isNull())
            continue;
        if (value)
            text += QStringLiteral("        ") + label + QStringLiteral("     ") + *value + QLatin1Char('\n');
        else
            text += label + QStringLiteral("     \n");
    }
    return text;
}

QString diagReportText(const QString &cellId, const QString &lac, const QString &rssi, const QString &rscp,
                       const QString &ecno, const QString &attachment, const QString &apn, const QString &deviceName)
{
    return QStringList{cellId, lac, withoutUnit(rssi), withoutUnit(rscp), withoutUnit(ecno), attachment, apn,
                       QStringLiteral("YOV ") + deviceName}
        .join(QStringLiteral(", "));
}

QString dataCardDriverVersion(const QString &sysRoot, const QString &kernelRelease)
{
    for (const char *driver : kModemDrivers) {
        const QDir dir(sysRoot + QStringLiteral("/bus/usb/drivers/") + QLatin1String(driver));
        if (!dir.exists())
            continue;
        // Bound interfaces appear as links named "<bus>-<port>:<config>.<interface>".
        const QStringList bound = dir.entryList({QStringLiteral("*:*")}, QDir::Dirs | QDir::System | QDir::NoDotAndDotDot);
        if (bound.isEmpty())
            continue;
        QFile version(dir.filePath(QStringLiteral("module/version")));
        if (version.open(QIODevice::ReadOnly))
            return QString::fromUtf8(version.read(256)).trimmed();
        return kernelRelease;
    }
    return QString();
}

} // namespace ostrel
