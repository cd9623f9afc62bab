#include "ostrel/framework/config/SettingsRecovery.h"

#include "common/AtomicFile.h"
#include "common/PlistBridge.h"

#include <QFile>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcConfig)

namespace ostrel {

QString SettingsRecovery::unreadableCopyName(const QString &settingsFile, const QDateTime &when)
{
    return yov::AtomicFile::unreadableCopyName(settingsFile, when);
}

SettingsRecovery SettingsRecovery::recover(const QString &settingsFile, const QString &templateFile, const QDateTime &when)
{
    SettingsRecovery result;
    result.settingsFile = settingsFile;
    QString moveError;
    const QString copy = yov::AtomicFile::moveAsideUnreadable(settingsFile, when, &moveError);
    if (copy.isEmpty()) {
        qCWarning(lcConfig).noquote() << "The unreadable" << settingsFile << "could not be moved aside; it is left"
                                      << "as it is and nothing is written over it:" << moveError;
        return result;
    }
    result.unreadableCopy = copy;
    qCWarning(lcConfig).noquote() << "The unreadable" << settingsFile << "was moved to" << copy;

    QString error;
    const auto shipped = templateFile.isEmpty() ? std::nullopt : yov::PlistBridge::readFile(templateFile, &error);
    if (!shipped || shipped->typeId() != QMetaType::QVariantMap) {
        qCWarning(lcConfig).noquote() << "No readable shipped settings to put in its place:"
                                      << (error.isEmpty() ? templateFile : error);
        return result;
    }
    QFile source(templateFile);
    if (!source.open(QIODevice::ReadOnly) || !yov::AtomicFile::write(settingsFile, source.readAll(), &error)) {
        qCWarning(lcConfig).noquote() << "The shipped settings could not be copied to" << settingsFile << ":" << error;
        return result;
    }
    result.templateInstalled = true;
    return result;
}

} // namespace ostrel
