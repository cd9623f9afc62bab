#pragma once
// The alerts about a settings.plist that could not be read at start (ConfigManager moved it
// aside for the shipped template's copy, or had to leave it: the alert names both files, so that
// the user can find the old settings), and about one that cannot be written.
#include <QString>

namespace ostrel {

struct SettingsRecovery;

// Shows the alert when the recovery says settings.plist was unreadable; nothing otherwise.
// Returns whether an alert was shown.
bool showUnreadableSettingsAlert(const SettingsRecovery &recovery);

// Tells, without blocking, that settings.plist could not be written and why: the changes hold
// until the dashboard quits, and are saved with the next write that succeeds.
void showUnwritableSettingsAlert(const QString &path, const QString &reason);

} // namespace ostrel
