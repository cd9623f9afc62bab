#include "ostrel/framework/neighbours/DialRecordControllerInterface.h"

#include "ostrel/framework/config/ConfigManager.h"

#include <QDir>

namespace ostrel {

QString DialRecordControllerInterface::recordFilePath(ConfigManager *config, const QString &fileName)
{
    ConfigManager *store = config ? config : ConfigManager::sharedConfigManager();
    const QString folder = store->configFilePathOfKey(QStringLiteral("ModemListPath"));
    if (folder.isEmpty())
        return fileName;
    return QDir(folder).filePath(fileName);
}

void DefaultDialRecordController::loadRecordList(const QString &fileName)
{
    if (fileName.isEmpty())
        return;
    fileName_ = fileName;
}

QString DefaultDialRecordController::autoChangeKBDataToMBGBUnit(double kb) const
{
    return QString::number(kb < 0 ? 0.0 : kb, 'f', 2) + QStringLiteral(" KB");
}

QString DefaultDialRecordController::getDialRecordFilePathWithFileName(const QString &fileName) const
{
    return recordFilePath(config_, fileName.isEmpty() ? fileName_ : fileName);
}

} // namespace ostrel
