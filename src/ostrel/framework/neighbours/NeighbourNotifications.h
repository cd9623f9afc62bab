#pragma once
// Names of the notifications that several areas post or observe, with the keys of their user
// info. One place, so that a poster and its observers cannot drift apart.
#include <QLatin1StringView>

namespace ostrel::notifications {

// A cell-broadcast text arrived; the main window shows the text found under the key of the same
// name.
inline constexpr QLatin1StringView kReceiveBroadCast{"ReceiveBroadCastNotification"};
inline constexpr QLatin1StringView kReceiveBroadCastText{"ReceiveBroadCastNotification"};

// Asks the call area to dial the number under the key of the same name.
inline constexpr QLatin1StringView kMakeCallWithPhoneNumber{"makeCallWithPhoneNumber"};
inline constexpr QLatin1StringView kMakeCallNumberKey{"makeCallWithPhoneNumber"};
// The configured special number is being called (its number under kMakeCallNumberKey).
inline constexpr QLatin1StringView kSpecialPhoneNumber{"SpecialPhoneNumber"};
// Recharge texts for the USSD window, an array under kRechargeSMSKey.
inline constexpr QLatin1StringView kPassRechargeSMS{"PassRechargeSMS"};
inline constexpr QLatin1StringView kRechargeSMSKey{"rechargeSMS"};
// A top-up message for the USSD window: keys "Action" ("TopUpSMS"), "SMSContents", "SMSTel",
// "IsUniSMS", "UniSMSTotal", "UniSMSCurrent".
inline constexpr QLatin1StringView kUSSDBundleMessage{"USSDBundleMessage"};

// The contact picker's OK in multiple selection: the chosen numbers under kSendListKey.
inline constexpr QLatin1StringView kSelectContactFinished{"SelectContactFinished"};
inline constexpr QLatin1StringView kSendListKey{"SendList"};

// The USSD pop-up window; the USSD sheet on a host window, with its tag and host under the keys.
inline constexpr QLatin1StringView kOpenPopUpUssdWnd{"openPopUpUssdWnd"};
inline constexpr QLatin1StringView kNotifyPopupSheetUssdWndPlugin{"notifyPopupSheetUssdWndPlugin"};
inline constexpr QLatin1StringView kUssdPopWndTagKey{"ussdPopWndTag"};
inline constexpr QLatin1StringView kHostMainWndKey{"hostMainWnd"};
// The USSD window's action under "Action": "TopUp", "CheckBalance", "BuyBundle".
inline constexpr QLatin1StringView kUSSDActionKey{"Action"};
// Asks the connection controller to offer the APN choice.
inline constexpr QLatin1StringView kChangeAPNSelection{"ChangeAPNSelection"};

} // namespace ostrel::notifications
