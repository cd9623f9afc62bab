#include "ostrel/connection/dial/DialService.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialLog.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <QFileInfo>

#include <optional>

Q_LOGGING_CATEGORY(lcDial, "ostrel.connection.dial")

namespace ostrel {

QVariantMap DialRecordEntry::storedForm() const
{
    // Property-list dates keep whole seconds; the end is taken from the stored start.
    QDateTime start = startTime;
    start.setTime(QTime(start.time().hour(), start.time().minute(), start.time().second()));
    QVariantMap r;
    r.insert(QStringLiteral("connectname"), connectName);
    r.insert(QStringLiteral("starttime"), start);
    r.insert(QStringLiteral("disconnecttime"), start.addSecs(connectSeconds));
    r.insert(QStringLiteral("connecttime"), qint64(connectSeconds));
    r.insert(QStringLiteral("sendbyte"), yov::bytesToKB(sentBytes));
    r.insert(QStringLiteral("receivebyte"), yov::bytesToKB(receivedBytes));
    if (roaming >= 0)
        r.insert(QStringLiteral("roaming"), qint64(roaming));
    return r;
}

DialService &DialService::sharedDialService()
{
    static DialService service;
    return service;
}

QString DialService::filterIPAddress(const QString &address, ConfigManager *store)
{
    ConfigManager *config = store ? store : ConfigManager::sharedConfigManager();
    const bool hide = config && yov::nsBool(config->getConfigurationByModuleAndKey(
                                    QStringLiteral("Internet"), QStringLiteral("Internet_doNotDisplayIPAddress_whenDHCPFailed")));
    if (hide && address.startsWith(QLatin1String("169.254")))
        return QString();
    return address;
}

QString DialService::dialRecordFileNameForImsi(const QString &imsi)
{
    const QString base = QStringLiteral("dialRecordData.plist");
    if (imsi.isEmpty())
        return base;
    return QStringLiteral("%1_%2").arg(imsi, base);
}

namespace {

// The records of the file at path; a missing file is an empty list. None (and the reason) for a
// file that cannot be read as a list.
std::optional<QVariantList> readRecordFile(const QString &path, QString *error)
{
    if (!QFileInfo::exists(path))
        return QVariantList();
    QString readError;
    const std::optional<QVariant> stored = yov::PlistBridge::readFile(path, &readError);
    if (!stored) {
        *error = QStringLiteral("the record file cannot be read: %1").arg(readError);
        return std::nullopt;
    }
    if (stored->typeId() != QMetaType::QVariantList) {
        *error = QStringLiteral("the record file does not hold a list");
        return std::nullopt;
    }
    return stored->toList();
}

} // namespace

bool DialService::isRecordFileUnreadable(const QString &path, QString *error)
{
    QString why;
    const bool unreadable = !path.isEmpty() && QFileInfo(path).isFile() && !readRecordFile(path, &why);
    if (error)
        *error = why;
    return unreadable;
}

DialService::RecordAppend DialService::appendDialRecords(const QString &path, const QList<DialRecordEntry> &records,
                                                         QString *error)
{
    auto fail = [&](RecordAppend result, const QString &why) {
        if (error)
            *error = why;
        qCWarning(lcDial).noquote() << "connection record not written to" << path << ":" << why;
        return result;
    };
    if (path.isEmpty())
        return fail(RecordAppend::NotWritten, QStringLiteral("no record file path"));
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
        return fail(RecordAppend::NotWritten, QStringLiteral("the record file's path is not a file"));
    QString readError;
    std::optional<QVariantList> list = readRecordFile(path, &readError);
    if (!list)
        return fail(RecordAppend::Unreadable, readError);
    for (const DialRecordEntry &r : records)
        list->append(r.storedForm());
    QString writeError;
    if (!yov::PlistBridge::writeFile(path, *list, &writeError))
        return fail(RecordAppend::NotWritten,
                    writeError.isEmpty() ? QStringLiteral("the record file cannot be written") : writeError);
    return RecordAppend::Written;
}

} // namespace ostrel
