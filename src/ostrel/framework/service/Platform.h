#pragma once
// The modem's chipset family, from the configuration Main/DeviceType: 1 "Icera", 2 "KV401",
// 3 "CDMA", 0 anything else (also when missing; the comparison is exact). -1 until first read.

#include <QVariant>

namespace ostrel {

class Platform {
public:
    enum Code { Uninitialised = -1, Ordinary = 0, Icera = 1, KV401 = 2, CDMA = 3 };

    static Platform *sharedPlatform();

    // The code; read from the shared configuration store on first call.
    int platform();
    void setPlatform(int platform);
    // Forgets the code so that the next platform() reads the configuration again.
    void reset();

    static int platformForDeviceType(const QVariant &deviceType);

private:
    int platform_ = Uninitialised;
};

} // namespace ostrel
