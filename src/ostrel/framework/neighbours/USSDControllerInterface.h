#pragma once
// What the rest of the dashboard asks of the USSD controller (USSDContrller).
//
// DefaultUSSDController: nothing on the USSD side forbids the Connect button; no page to host.
namespace ostrel {

class TabPluginInterface;

class USSDControllerInterface {
public:
    virtual ~USSDControllerInterface() = default;
    // Whether the USSD side allows the Connect button (toolbar variant D Edorud).
    virtual bool getConnectBtnEnableDedorud() const = 0;
    // The settings plug-in that hosts the USSD page (Setting/USSDModuleInSetting).
    virtual void setBundleDelegate(TabPluginInterface *plugin) = 0;
};

class DefaultUSSDController : public USSDControllerInterface {
public:
    bool getConnectBtnEnableDedorud() const override { return true; }
    void setBundleDelegate(TabPluginInterface *) override {}
};

} // namespace ostrel
