#pragma once
// What the store does with a settings.plist that exists but cannot be read at start (cut short,
// random bytes, empty, not a dictionary): the file is moved aside as
// "settings.plist.unreadable-<yyyyMMdd-HHmmss>" (a "-<n>" is added rather than replace an earlier
// one) and a copy of the shipped template's settings.plist takes its place. The unreadable file is
// kept byte for byte and nothing is ever written over it.

#include <QDateTime>
#include <QString>

namespace ostrel {

struct SettingsRecovery {
    QString settingsFile;   // the settings.plist in question; empty: it was readable or missing
    QString unreadableCopy; // where the unreadable file now is; empty: it stays where it was
    bool templateInstalled = false; // the template's copy took its place

    bool unreadable() const { return !settingsFile.isEmpty(); }

    // Moves settingsFile aside and installs the template's copy (when templateFile reads as a
    // settings dictionary). The file is left where it is when it cannot be moved.
    static SettingsRecovery recover(const QString &settingsFile, const QString &templateFile, const QDateTime &when);
    // The free name for the unreadable copy of settingsFile at that time.
    static QString unreadableCopyName(const QString &settingsFile, const QDateTime &when);
};

} // namespace ostrel
