#include "ostrel/connection/dial/DialService.h"

#include "common/ValueConversion.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialLog.h"
#include "ostrel/connection/dial/DialRecordFile.h"
#include "ostrel/framework/config/ConfigManager.h"

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

bool DialService::appendDialRecords(const QString &path, const QList<DialRecordEntry> &records, QString *error)
{
    QString why;
    const bool written = !path.isEmpty() && DialRecordFile::rewrite(path, [&records](QVariantList &list) {
        for (const DialRecordEntry &r : records)
            list.append(r.storedForm());
        return true;
    }, &why);
    if (written)
        return true;
    if (path.isEmpty())
        why = QStringLiteral("no record file path");
    if (error)
        *error = why;
    qCWarning(lcDial).noquote() << "connection record not written to" << path << ":" << why;
    return false;
}

} // namespace ostrel
