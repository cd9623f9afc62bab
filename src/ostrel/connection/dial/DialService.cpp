#include "ostrel/connection/dial/DialService.h"

#include "common/AtomicFile.h"
#include "common/ValueConversion.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialLog.h"
#include "ostrel/connection/dial/DialRecordFile.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <QFileInfo>

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

bool DialService::isRecordFileUnreadable(const QString &path, QString *error)
{
    QString why;
    QVariantList ignored;
    const bool unreadable = !path.isEmpty() && QFileInfo(path).isFile() && !DialRecordFile::read(path, &ignored, &why);
    if (error)
        *error = why;
    return unreadable;
}

QString DialService::setAsideUnreadableRecordFile(const QString &path, const QDateTime &now)
{
    QString why;
    if (!isRecordFileUnreadable(path, &why))
        return QString();
    QString error;
    const QString copy = yov::AtomicFile::moveAsideUnreadable(path, now, &error);
    if (copy.isEmpty())
        qCWarning(lcDial).noquote() << "the unreadable record file" << path << "(" << why << ") is left as it is:" << error;
    else
        qCWarning(lcDial).noquote() << "the unreadable record file" << path << "(" << why << ") was kept as" << copy;
    return copy;
}

QString DialService::unreadableRecordFileSetAsideText()
{
    return QStringLiteral("The connection records file %@ could not be read. It was kept as %@; new connection "
                          "records go to a new file.");
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
    QString why;
    if (isRecordFileUnreadable(path, &why))
        return fail(RecordAppend::Unreadable, why);
    // The append starts from the file as it stands, so records written meanwhile are kept.
    if (!DialRecordFile::rewrite(path, [&records](QVariantList &list) {
            for (const DialRecordEntry &r : records)
                list.append(r.storedForm());
            return true;
        }, &why))
        return fail(RecordAppend::NotWritten, why.isEmpty() ? QStringLiteral("the record file cannot be written") : why);
    return RecordAppend::Written;
}

} // namespace ostrel
