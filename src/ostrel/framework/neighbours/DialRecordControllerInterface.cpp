#include "ostrel/framework/neighbours/DialRecordControllerInterface.h"

#include "ostrel/framework/config/ConfigManager.h"

#include <QDir>

namespace ostrel {

void DefaultDialRecordController::loadRecordList(const QString &fileName)
{
    if (fileName.isEmpty())
        return;
    fileName_ = fileName;
}

QString DefaultDialRecordController::dialRecordFilePath() const
{
    ConfigManager *config = config_ ? config_ : ConfigManager::sharedConfigManager();
    const QString folder = config->configFilePathOfKey(QStringLiteral("ModemListPath"));
    if (folder.isEmpty())
        return fileName_;
    return QDir(folder).filePath(fileName_);
}

} // namespace ostrel
