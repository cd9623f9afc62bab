#include "ostrel/sms/service/SmsCodecSettings.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"

namespace ostrel {

yov::sms::SmsCodecOptions smsCodecOptions(const ConfigManager *store)
{
    if (!store)
        store = ConfigManager::sharedConfigManager();
    const QString sms = QStringLiteral("SMS");
    yov::sms::SmsCodecOptions options;
    const QVariant national = store->getConfigurationByModule(QStringLiteral("SMSNationalIdentifier"));
    if (national.isValid())
        options.nationalIdentifier = yov::nsString(national);
    options.needUcs2EncodingForSingleCharacter =
        yov::nsBool(store->getConfigurationByModule(QStringLiteral("isNeedUcs2EncodingForSingleCharacter")));
    options.decodePduDoNotUseSms7toUcs2 =
        yov::nsBool(store->getConfigurationByModuleAndKey(sms, QStringLiteral("DecodePDUDoNotUseSMS7toUcs2")));
    options.autoDeleteVoicemail =
        yov::nsBool(store->getConfigurationByModuleAndKey(sms, QStringLiteral("AutoDeleteVoicemail")));
    options.setMsgCenterWithUnknownNum =
        yov::nsBool(store->getConfigurationByModuleAndKey(sms, QStringLiteral("SetMsgCenterWithUnknownNum")));
    return options;
}

} // namespace ostrel
