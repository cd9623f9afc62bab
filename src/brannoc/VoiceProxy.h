#pragma once
// The voice proxy the dashboard calls while a call carries audio over USB (the samples travel
// through shared memory; these calls only mark the frames). Served on the device service's bus
// name at /brannocosxproxy. Each call answers 1 for success: reading and writing succeed only
// between prepareVoiceTransfer() and stopVoiceTransfer().

#include <QObject>

namespace brannoc {

class VoiceProxy final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.vandrel.DataCardServer.VoiceDataTransfer")
public:
    static constexpr const char *objectPath = "/brannocosxproxy";

    using QObject::QObject;

    int frames() const { return frames_; }

public slots:
    int prepareVoiceTransfer();
    int readVoiceData();
    int writeVoiceData(int value);
    int stopVoiceTransfer();

private:
    bool active_ = false;
    int frames_ = 0;
};

} // namespace brannoc
