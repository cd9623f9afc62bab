#pragma once
// What the rest of the dashboard asks of the MMS page controller (MMSController).
//
// DefaultMMSController: no plug-in is loaded, so the numbers go nowhere.
#include <QStringList>

namespace ostrel {

class MMSControllerInterface {
public:
    virtual ~MMSControllerInterface() = default;
    // Hands the numbers to the loaded MMS plug-in; nothing while none is loaded.
    virtual void setTheSearchFieldText(const QStringList &numbers) = 0;
};

class DefaultMMSController : public MMSControllerInterface {
public:
    void setTheSearchFieldText(const QStringList &) override {}
};

} // namespace ostrel
