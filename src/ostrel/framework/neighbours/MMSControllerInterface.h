#pragma once
// What the rest of the dashboard asks of the MMS page controller (MMSController).
//
// DefaultMMSController: no plug-in is loaded, so the numbers go nowhere and the connection's
// moments concern nobody.
#include <QStringList>

namespace ostrel {

class MMSControllerInterface {
public:
    virtual ~MMSControllerInterface() = default;
    // Hands the numbers to the loaded MMS plug-in; nothing while none is loaded.
    virtual void setTheSearchFieldText(const QStringList &numbers) = 0;
    // The data connection went back to idle / came up (the MMS page follows it).
    virtual void connectIdleStatuFromDial() = 0;
    virtual void connectRunningStatuFromDial() = 0;
};

class DefaultMMSController : public MMSControllerInterface {
public:
    void setTheSearchFieldText(const QStringList &) override {}
    void connectIdleStatuFromDial() override {}
    void connectRunningStatuFromDial() override {}
};

} // namespace ostrel
