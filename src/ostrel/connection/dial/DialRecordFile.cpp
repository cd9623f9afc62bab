#include "ostrel/connection/dial/DialRecordFile.h"

#include "common/PlistBridge.h"

#include <QFileInfo>

namespace ostrel {

const QStringList &DialRecordFile::recordFileHeaderKeys()
{
    static const QStringList keys{QStringLiteral("connectname"), QStringLiteral("starttime"),
                                  QStringLiteral("disconnecttime"), QStringLiteral("connecttime"),
                                  QStringLiteral("receivebyte"), QStringLiteral("sendbyte")};
    return keys;
}

bool DialRecordFile::read(const QString &path, QVariantList *records, QString *error)
{
    records->clear();
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("no record file");
        return false;
    }
    if (!QFileInfo::exists(path))
        return true;
    QString why;
    const std::optional<QVariant> stored = yov::PlistBridge::readFile(path, &why);
    if (!stored) {
        // The reason without the path, which the caller names itself.
        const QString prefix = path + QStringLiteral(": ");
        if (why.startsWith(prefix))
            why.remove(0, prefix.size());
        if (error)
            *error = why.isEmpty() ? QStringLiteral("the record file cannot be read") : why;
        return false;
    }
    if (stored->typeId() != QMetaType::QVariantList) {
        if (error)
            *error = QStringLiteral("the record file does not hold a list");
        return false;
    }
    *records = stored->toList();
    return true;
}

bool DialRecordFile::write(const QString &path, const QVariantList &records, QString *error)
{
    QString why;
    if (yov::PlistBridge::writeFile(path, records, &why))
        return true;
    if (error)
        *error = why.isEmpty() ? QStringLiteral("the record file cannot be written") : why;
    return false;
}

bool DialRecordFile::rewrite(const QString &path, const std::function<bool(QVariantList &)> &change, QString *error,
                             bool *written)
{
    if (written)
        *written = false;
    QVariantList records;
    if (!read(path, &records, error))
        return false;
    if (!change(records))
        return true;
    if (!write(path, records, error))
        return false;
    if (written)
        *written = true;
    return true;
}

} // namespace ostrel
