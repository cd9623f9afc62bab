#include "ostrel/connection/records/DialRecordExport.h"

#include "common/ValueConversion.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialRecordFile.h"

#include <QLocale>
#include <QVariantMap>

namespace ostrel {

namespace {

enum class ExportDataForm { AsStored, AsDataText };

// The shown text of one field of a record.
QString exportFieldText(const QVariantMap &record, const QString &key, const DialRecordExportFormat &format,
                        ExportDataForm dataForm)
{
    const auto it = record.find(key);
    if (it == record.end() || !it->isValid())
        return QString();
    const QVariant &value = *it;
    if (value.typeId() == QMetaType::QDateTime)
        return format.date ? format.date(value.toDateTime()) : value.toDateTime().toString(Qt::ISODate);
    if (key == QLatin1String("connecttime"))
        return yov::formatConnectDuration(yov::nsLongLong(value));
    if (key == QLatin1String("receivebyte") || key == QLatin1String("sendbyte")) {
        if (dataForm == ExportDataForm::AsDataText && format.data)
            return format.data(yov::nsDouble(value) * 1024.0);
        // As stored: a real in plain decimals (never an exponent), a text as it stands.
        if (value.typeId() == QMetaType::Double)
            return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
        return yov::nsString(value);
    }
    return yov::nsString(value);
}

QByteArray exportLines(const QVariantList &records, const DialRecordExportFormat &format, ExportDataForm dataForm,
                       const QString &separator, const std::function<QString(const QString &)> &field)
{
    QString out;
    for (int i = 0; i < DialRecordFile::recordFileHeaderKeys().size(); ++i)
        out += field(format.columnNames.value(i)) + separator;
    out += QLatin1Char('\n');
    for (const QVariant &record : records) {
        const QVariantMap r = record.typeId() == QMetaType::QVariantMap ? record.toMap() : QVariantMap();
        for (const QString &key : DialRecordFile::recordFileHeaderKeys())
            out += field(exportFieldText(r, key, format, dataForm)) + separator;
        out += QLatin1Char('\n');
    }
    return out.toUtf8();
}

} // namespace

QString DialRecordExport::cellText(const QVariant &record, const QString &key, const DialRecordExportFormat &format)
{
    if (record.typeId() != QMetaType::QVariantMap)
        return QString();
    return exportFieldText(record.toMap(), key, format, ExportDataForm::AsDataText);
}

QString DialRecordExport::csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray DialRecordExport::text(const QVariantList &records, const DialRecordExportFormat &format)
{
    return exportLines(records, format, format.dataInMBText ? ExportDataForm::AsDataText : ExportDataForm::AsStored,
                       QStringLiteral("\t\t"), [](const QString &s) { return s; });
}

QByteArray DialRecordExport::csv(const QVariantList &records, const DialRecordExportFormat &format)
{
    return exportLines(records, format, ExportDataForm::AsDataText, QStringLiteral(","), &DialRecordExport::csvField);
}

} // namespace ostrel
