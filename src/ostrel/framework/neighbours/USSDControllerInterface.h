#pragma once
// What the rest of the dashboard asks of the USSD controller (USSDContrller).
//
// DefaultUSSDController: nothing on the USSD side forbids the Connect button.
namespace ostrel {

class USSDControllerInterface {
public:
    virtual ~USSDControllerInterface() = default;
    // Whether the USSD side allows the Connect button (toolbar variant D Edorud).
    virtual bool getConnectBtnEnableDedorud() const = 0;
};

class DefaultUSSDController : public USSDControllerInterface {
public:
    bool getConnectBtnEnableDedorud() const override { return true; }
};

} // namespace ostrel
