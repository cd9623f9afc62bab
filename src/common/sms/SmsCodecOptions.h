#pragma once
// The settings the SMS alphabet and the PDU codec depend on, handed in by the caller.
//
// The code under common/sms reads no configuration: the dashboard fills this value from its
// settings on every call (ostrel/sms/service/SmsCodecSettings), the stand-in from the settings file
// it reads; both through smsCodecOptionsFromSettings.

#include <QString>
#include <QVariantMap>

namespace yov::sms {

struct SmsCodecOptions {
    // SMSNationalIdentifier: "SpanishSingle", "TurkishSingle" or "PortugueseSingle" select a national
    // single-shift table; any other value, or none, means no national table.
    QString nationalIdentifier;
    // isNeedUcs2EncodingForSingleCharacter: every character below U+0100 that stands in the Spanish or
    // the Portuguese single-shift table forces UCS-2.
    bool needUcs2EncodingForSingleCharacter = false;
    // SMS/DecodePDUDoNotUseSMS7toUcs2: an alphanumeric originator is kept as raw septets.
    bool decodePduDoNotUseSms7toUcs2 = false;
    // SMS/AutoDeleteVoicemail: the DELIVER decoder keeps the raw DCS of voicemail indications.
    bool autoDeleteVoicemail = false;
    // SMS/SetMsgCenterWithUnknownNum: a service centre given with "00" is sent with type 0x81.
    bool setMsgCenterWithUnknownNum = false;
};

// The options from a settings dictionary (settings.plist as a whole): SMSNationalIdentifier and
// isNeedUcs2EncodingForSingleCharacter at the top level, DecodePDUDoNotUseSMS7toUcs2,
// AutoDeleteVoicemail and SetMsgCenterWithUnknownNum in the module SMS.
SmsCodecOptions smsCodecOptionsFromSettings(const QVariantMap &settings);

// The national identifier as stored (null when none was configured).
inline QString GlobalGetSMSNational(const SmsCodecOptions &options)
{
    return options.nationalIdentifier;
}

} // namespace yov::sms
