#pragma once
// Loads a tab plug-in from the program's plug-ins folder.
//
// The folder is OSTREL_PLUGIN_DIR when that is set, else <prefix>/lib/ostrel/plugins where
// <prefix> is the folder above the program's bin folder. A plug-in is named by its file name as
// the configuration knows it ("USSDBundle.bundle"): the ".bundle" ending is dropped and the plug-in
// loader finds "USSDBundle.so" or "libUSSDBundle.so" in the folder. Names with a path separator
// or "..", which would leave the folder, are refused.

#include "ostrel/framework/plugin/TabPluginInterface.h"

#include <QPluginLoader>
#include <QString>

#include <memory>

namespace ostrel {

class PluginHost {
public:
    static QString pluginDirectory();
    // The file stem the loader is given for a plug-in name; empty for a name that is refused.
    static QString pluginPathFor(const QString &bundleName, const QString &directory = pluginDirectory());

    PluginHost() = default;
    ~PluginHost();
    PluginHost(const PluginHost &) = delete;
    PluginHost &operator=(const PluginHost &) = delete;

    // Loads the plug-in and returns its interface; null (with errorString()) when the file is
    // missing, cannot be loaded, or does not implement TabPluginInterface. A host holds one
    // plug-in: a second load() is refused while one is loaded.
    TabPluginInterface *load(const QString &bundleName);

    TabPluginInterface *instance() const { return instance_; }
    QObject *instanceObject() const;
    QString errorString() const { return error_; }

private:
    std::unique_ptr<QPluginLoader> loader_;
    TabPluginInterface *instance_ = nullptr;
    QString error_;
};

} // namespace ostrel
