#pragma once
// The one alert about a settings.plist that could not be read at start (ConfigManager moved it
// aside for the shipped template's copy, or had to leave it): it names both files, so that the
// user can find the old settings.

namespace ostrel {

struct SettingsRecovery;

// Shows the alert when the recovery says settings.plist was unreadable; nothing otherwise.
// Returns whether an alert was shown.
bool showUnreadableSettingsAlert(const SettingsRecovery &recovery);

} // namespace ostrel
