#include "ostrel/framework/plugin/PluginHost.h"

#include "common/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPlugin, "ostrel.plugin")

namespace ostrel {

QString PluginHost::pluginDirectory()
{
    const QString overridden = qEnvironmentVariable("OSTREL_PLUGIN_DIR");
    if (!overridden.isEmpty())
        return QDir::cleanPath(overridden);
    return yov::InstallLayout::pluginDir();
}

QString PluginHost::pluginPathFor(const QString &bundleName, const QString &directory)
{
    QString stem = bundleName;
    if (stem.endsWith(QLatin1String(".bundle")))
        stem.chop(int(qstrlen(".bundle")));
    if (stem.isEmpty() || stem.contains(QLatin1Char('/')) || stem.contains(QLatin1Char('\\'))
        || stem == QLatin1String(".") || stem == QLatin1String(".."))
        return {};
    return QDir(directory).filePath(stem);
}

PluginHost::~PluginHost()
{
    // The plug-in's view may still be shown in a tab: the library stays loaded for the run.
}

QObject *PluginHost::instanceObject() const
{
    return loader_ ? loader_->instance() : nullptr;
}

TabPluginInterface *PluginHost::load(const QString &bundleName)
{
    if (instance_) {
        error_ = QStringLiteral("a plug-in is already loaded");
        return nullptr;
    }
    const QString path = pluginPathFor(bundleName);
    if (path.isEmpty()) {
        error_ = QStringLiteral("invalid plug-in name \"%1\"").arg(bundleName);
        qCWarning(lcPlugin).noquote() << error_;
        return nullptr;
    }
    auto loader = std::make_unique<QPluginLoader>(path);
    QObject *root = loader->instance();
    if (!root) {
        error_ = loader->errorString();
        qCInfo(lcPlugin).noquote() << "plug-in" << bundleName << "not loaded:" << error_;
        return nullptr;
    }
    auto *iface = qobject_cast<TabPluginInterface *>(root);
    if (!iface) {
        error_ = QStringLiteral("%1 does not implement %2").arg(loader->fileName(), QLatin1String(OstrelTabPluginInterface_iid));
        qCWarning(lcPlugin).noquote() << error_;
        loader->unload();
        return nullptr;
    }
    loader_ = std::move(loader);
    instance_ = iface;
    error_.clear();
    return iface;
}

} // namespace ostrel
