#pragma once
// The SMS codec's options as the dashboard's settings give them, read anew on every call so that a
// changed setting counts at once: SMSNationalIdentifier and isNeedUcs2EncodingForSingleCharacter
// at the top level, DecodePDUDoNotUseSMS7toUcs2, AutoDeleteVoicemail and SetMsgCenterWithUnknownNum
// in the module SMS.

#include "common/sms/SmsCodecOptions.h"

namespace ostrel {

class ConfigManager;

// From the given store, or the shared one when null.
yov::sms::SmsCodecOptions smsCodecOptions(const ConfigManager *store = nullptr);

} // namespace ostrel
