#pragma once
// The interface that a plug-in shown inside a main-window tab implements.
//
// A plug-in is a Qt plugin (a shared object with Q_PLUGIN_METADATA) whose root object implements
// this interface. The host hands it the shared objects of the dashboard by name (see
// PluginHost::objectsDict keys: "wndMain", "tabviewMain", "wndMainPopup", "yovMsgCenter",
// "yovSkinManager", "tabviewSetting", "yovLanguage", each a QObject*), then shows bundleView() in
// the tab. A plug-in's inner working is its own.

#include <QtPlugin>
#include <QVariantMap>

class QObject;
class QWidget;

namespace ostrel {

class TabPluginInterface {
public:
    virtual ~TabPluginInterface() = default;

    // Called once after loading with the host's shared objects; false when the plug-in cannot work
    // with them.
    virtual bool initWithParam(const QVariantMap &objects) = 0;
    // The view to show in the tab (owned by the plug-in until the host puts it into the tab).
    virtual QWidget *bundleView() = 0;

    virtual int interfaceVersion() const = 0;
    virtual QObject *hostController() const = 0;
    virtual void setHostController(QObject *controller) = 0;
};

} // namespace ostrel

#define OstrelTabPluginInterface_iid "com.vandrel.Ostrel.TabPluginInterface/1.0"
Q_DECLARE_INTERFACE(ostrel::TabPluginInterface, OstrelTabPluginInterface_iid)
