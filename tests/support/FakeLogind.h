#pragma once
// A stand-in logind (python3-dbusmock's "logind" template) on the test's private system bus, for
// as long as the object lives. Only for tests run by scripts/with-session-bus: privateSystemBus()
// tells whether the system bus is that private one, so that no test reaches the host's logind.
#include <QProcess>
#include <QStringList>

namespace testing_support {

class FakeLogind {
public:
    FakeLogind() = default;
    ~FakeLogind();
    FakeLogind(const FakeLogind &) = delete;
    FakeLogind &operator=(const FakeLogind &) = delete;

    static bool privateSystemBus();
    // Whether a logind answers on the system bus.
    static bool onBus();

    // Starts the stand-in and waits until it owns its name; false when it did not come up.
    bool start();

    // Emits PrepareForSleep(start) as logind does around a sleep.
    static bool prepareForSleep(bool start);
    // The inhibitor locks logind holds now, each as "what/who/why/mode".
    static QStringList inhibitors();

private:
    QProcess process_;
};

} // namespace testing_support
