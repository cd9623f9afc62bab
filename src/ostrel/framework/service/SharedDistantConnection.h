#pragma once
// The voice proxy: signals voice frames to the device service while a call carries audio over
// USB. The samples themselves travel through shared memory; these calls only tell the device
// service about each frame.
//
// D-Bus contract (served by the device service):
//   bus name    com.vandrel.DataCardServer (session bus)
//   object      /brannocosxproxy
//   interface   com.vandrel.DataCardServer.VoiceDataTransfer
//   methods     prepareVoiceTransfer() -> i
//               readVoiceData() -> i
//               writeVoiceData(i) -> i
//               stopVoiceTransfer() -> i
// Calls are made without auto-start, blocking, with a one-second time-out. Before doConnection()
// has found the service, and for any call that fails, the answer is 0. Calls may come from several
// threads at once.

#include <QDBusConnection>
#include <QString>

#include <atomic>

namespace ostrel {

class SharedDistantConnection {
public:
    static constexpr const char *serviceName = "com.vandrel.DataCardServer";
    static constexpr const char *objectPath = "/brannocosxproxy";
    static constexpr const char *interfaceName = "com.vandrel.DataCardServer.VoiceDataTransfer";
    static constexpr int callTimeoutMs = 1000;

    // The shared proxy over the session bus.
    static SharedDistantConnection *shardConnection();

    explicit SharedDistantConnection(const QDBusConnection &bus);

    // Looks for the device service on the bus; true when it is there. Until then every call
    // answers 0.
    bool doConnection();
    bool isConnected() const { return connected_.load(); }

    int prepareVoiceTransfer();
    int readVoiceData();
    int writeVoiceData(int value);
    int stopVoiceTransfer();

private:
    int call(const char *method, const QVariantList &arguments);

    QDBusConnection bus_;
    QString brannocServiceName_;
    std::atomic<bool> connected_{false};
};

} // namespace ostrel
