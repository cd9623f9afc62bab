#pragma once
// The dashboard's one configuration store: settings.plist as modules, and the table of data-file
// paths under the ModemList folder.
//
// A module is a dictionary of keys, an array used as a set of strings, or a scalar. Setters and
// removers change memory only; a writer calls writeToFile() after its change, which writes the
// whole store atomically. Reads hand out copies: nothing outside the store holds a live container,
// and nested changes go through updateModule(). Every call is safe from any thread.
//
// When the top-level SynchronousControllerAndUI is true, a successful write is announced on the
// session bus as the signal "SettingsChanged" (no arguments: the settings may hold secrets), and a
// "SettingsChanged" from another program reloads the store.

#include "ostrel/framework/config/SettingsRecovery.h"

#include <QObject>
#include <QRecursiveMutex>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <functional>

namespace ostrel {

class ConfigManager : public QObject {
    Q_OBJECT
public:
    // The shared store over the resolved ModemList folder, created on first call.
    static ConfigManager *sharedConfigManager();
    // Tests put a store of their own in place of the shared one (not owned); null restores the
    // default, created anew on the next call.
    static void setSharedConfigManager(ConfigManager *manager);

    // A store over the given ModemList folder (empty: no folder). A settings.plist there that
    // cannot be read is moved aside and replaced by a copy of the shipped template's
    // (SettingsRecovery.h): the template folder of this program (ModemListResolver), or the given
    // one. The store never writes over a settings.plist that it could not read.
    explicit ConfigManager(const QString &modemListPath, QObject *parent = nullptr);
    ConfigManager(const QString &modemListPath, const QString &templateFolder, QObject *parent = nullptr);
    ~ConfigManager() override;

    QString modemListPath() const;
    bool initPathDict();
    QString configFilePathOfKey(const QString &key) const;
    QString getFilePathWithFileName(const QString &name) const;
    void setConfigFilePath(const QString &path, const QString &key);

    // A read-only snapshot of the whole settings dictionary.
    QVariantMap getConfiguration() const;
    QVariant getConfigurationByModule(const QString &module) const;
    QVariant getConfigurationByModuleAndKey(const QString &module, const QString &key) const;

    // The module as the shipped template's settings.plist holds it (read afresh); invalid when
    // there is no template or it lacks the module.
    QVariant shippedConfigurationByModule(const QString &module) const;

    bool setConfigurationByModule(const QString &module, const QVariant &value);
    bool setConfigurationByModuleKeyAndValue(const QString &module, const QString &key, const QVariant &value);
    bool removeConfigurationByModule(const QString &module);
    bool removeConfigurationByModuleAndKey(const QString &module, const QString &key);
    // Changes a module in place (for nested containers); false when the module is missing. Setting
    // the value to an invalid QVariant removes the module. Setters refuse an invalid value.
    bool updateModule(const QString &module, const std::function<void(QVariant &)> &change);

    bool writeToFile();
    bool flush() { return writeToFile(); }

    // Reloads settings.plist; a missing or unparsable file keeps the store as it was.
    void resetSettings();

    // What happened to an unreadable settings.plist when the store was made (the user is told).
    SettingsRecovery settingsRecovery() const;

    // Why the last write of settings.plist failed; empty when it succeeded (or none was made).
    QString lastWriteError() const;

signals:
    void settingsReloaded();
    // A write of settings.plist failed after the last one succeeded (once per run of failures, so
    // that a read-only file does not raise one alert per change). From the writing thread.
    void settingsNotWritten(const QString &path, const QString &reason);

private:
    void loadSettingsAtStart(const QString &templateFolder);
    // The store's own session-bus connection, opened on first need; false when there is no bus.
    bool ensureBus();
    void startListening();
    void broadcastSettingsChanged();

    // defined in ConfigManager.cpp
    struct Private;
    Private *d;
};

} // namespace ostrel
