#pragma once
// Keys of the configuration store's data-file path table (ConfigManager::configFilePathOfKey),
// under the names the areas use for them.

#include "common/sms/SmsListFiles.h"

#include <QString>

namespace ostrel {

namespace configkeys {
inline const QString kModemListPath = QStringLiteral("ModemListPath"); // the ModemList folder itself
inline const QString kCMDialConfigFile = QStringLiteral("dialConfig.plist");
inline const QString kCMSMSListOfPCFile = QString::fromLatin1(yov::sms::kSmsListPcFileName);
inline const QString kCMSMSListOfSimFile = QString::fromLatin1(yov::sms::kSmsListSimFileName);
inline const QString kCMSMSListOfMEFile = QString::fromLatin1(yov::sms::kSmsListMeFileName);
inline const QString kCMSMSListOfReportBoxFile = QString::fromLatin1(yov::sms::kSmsReportsBoxFileName);
inline const QString kSourcesFolder = QStringLiteral("/Sources");
inline const QString kWebLinkInfoPath = QStringLiteral("WebLinkInfo.plist");
} // namespace configkeys

} // namespace ostrel
