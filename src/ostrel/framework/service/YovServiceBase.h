#pragma once
// The base of the UI-free services (InitService, DialService, SmsService, PhoneBookService,
// SettingService and their companions).
//
// The IMSI is one process-wide value shared by every service: setting it through any service
// changes it for all. It is null until the device-state code sets it. Safe from any thread.

#include <QString>

namespace ostrel {

class YovServiceBase {
public:
    enum NetType { Net2G = 0, Net3G = 1, NetH = 2, NetHPlus = 3 };

    YovServiceBase() = default;
    virtual ~YovServiceBase() = default;

    QString imsi() const;
    void setImsi(const QString &imsi);

    // Access-technology text -> 0 for 2G, 1 for 3G, 2 for H, 3 for H+; any other text 0.
    // Exact, case-sensitive comparisons.
    static int getNetTypeWithNetStr(const QString &netStr);
    static bool is2GType(const QString &netStr);    // "GSM", "EDGE", "GPRS", "2G"
    static bool is3GType(const QString &netStr);    // "UMTS"
    static bool isHType(const QString &netStr);     // "HSDPA", "HSUPA"
    static bool isHPlusType(const QString &netStr); // "HSPA+", "DC-HSPA+"
};

} // namespace ostrel
