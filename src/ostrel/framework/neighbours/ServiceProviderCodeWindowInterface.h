#pragma once
// The service-provider-code window on the launch road: shown before the device service starts;
// the launch goes on (runDatacard) when it closes.
//
// DefaultServiceProviderCodeWindow has no window: it closes at once, so the launch goes on.
#include <QWidget>
#include <functional>

namespace ostrel {

class ServiceProviderCodeWindowInterface {
public:
    virtual ~ServiceProviderCodeWindowInterface() = default;
    // Opens the window (centred, key and front) over the main window; closed runs once, when the
    // window closes.
    virtual void openCheckSPCodeWindow(QWidget *mainWindow, std::function<void()> closed) = 0;
};

class DefaultServiceProviderCodeWindow : public ServiceProviderCodeWindowInterface {
public:
    void openCheckSPCodeWindow(QWidget *, std::function<void()> closed) override
    {
        if (closed)
            closed();
    }
};

} // namespace ostrel
