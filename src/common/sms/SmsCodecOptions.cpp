#include "common/sms/SmsCodecOptions.h"

#include "common/ValueConversion.h"

namespace yov::sms {

SmsCodecOptions smsCodecOptionsFromSettings(const QVariantMap &settings)
{
    const QVariantMap sms = nsDict(settings.value(QStringLiteral("SMS")));
    SmsCodecOptions options;
    const QVariant national = settings.value(QStringLiteral("SMSNationalIdentifier"));
    if (national.isValid())
        options.nationalIdentifier = nsString(national);
    options.needUcs2EncodingForSingleCharacter = nsBool(settings.value(QStringLiteral("isNeedUcs2EncodingForSingleCharacter")));
    options.decodePduDoNotUseSms7toUcs2 = nsBool(sms.value(QStringLiteral("DecodePDUDoNotUseSMS7toUcs2")));
    options.autoDeleteVoicemail = nsBool(sms.value(QStringLiteral("AutoDeleteVoicemail")));
    options.setMsgCenterWithUnknownNum = nsBool(sms.value(QStringLiteral("SetMsgCenterWithUnknownNum")));
    return options;
}

} // namespace yov::sms
