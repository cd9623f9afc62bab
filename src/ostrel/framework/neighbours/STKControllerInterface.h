#pragma once
// What the rest of the dashboard asks of the SIM toolkit host: leaving its current menu and
// choosing an item of the menu it shows (the settings' roaming-identity choice drives the SIM's
// own menu this way).
//
// DefaultSTKController: there is no SIM toolkit host; both do nothing.

namespace ostrel {

class STKControllerInterface {
public:
    virtual ~STKControllerInterface() = default;
    // Leaves the menu shown now (1280/133 to the device).
    virtual void ExitClicked() = 0;
    // Chooses the item at that index of the menu shown now.
    virtual void SelectClicked(int index) = 0;
};

class DefaultSTKController : public STKControllerInterface {
public:
    void ExitClicked() override {}
    void SelectClicked(int) override {}
};

} // namespace ostrel
