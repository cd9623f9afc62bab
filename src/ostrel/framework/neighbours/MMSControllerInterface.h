#pragma once
// What the rest of the dashboard asks of the MMS page controller (MMSController).
//
// DefaultMMSController: no plug-in is loaded, so the numbers go nowhere, and the main window's
// moves and the connection's moments concern nobody.
#include <QStringList>

class QWidget;

namespace ostrel {

class MMSControllerInterface {
public:
    virtual ~MMSControllerInterface() = default;
    // Hands the numbers to the loaded MMS plug-in; nothing while none is loaded.
    virtual void setTheSearchFieldText(const QStringList &numbers) = 0;
    // The main window moved (the MMS windows that hang beside it follow).
    virtual void windowDidMove(QWidget *window) = 0;
    // The data connection went back to idle / came up (the MMS page follows it).
    virtual void connectIdleStatuFromDial() = 0;
    virtual void connectRunningStatuFromDial() = 0;
};

class DefaultMMSController : public MMSControllerInterface {
public:
    void setTheSearchFieldText(const QStringList &) override {}
    void windowDidMove(QWidget *) override {}
    void connectIdleStatuFromDial() override {}
    void connectRunningStatuFromDial() override {}
};

} // namespace ostrel
