#pragma once
// What the diagnostics and settings pages tell about the computer: the operating system's
// version and language, and the machine model.
//
// The model comes from the firmware's DMI table (/sys/class/dmi/id/). It is written to the
// ModemList file "SystemInfomation.xml" as an XML property list in the shape of a system profile
// (an array of dictionaries whose "_items" arrays hold dictionaries with "machine_name"), and read
// back from there: the first "machine_name" found is the model.

#include <QString>

#include <optional>

namespace ostrel {

class GetSystemInfo {
public:
    // The shared instance, over /sys/class/dmi/id and the shared store's ModemList folder.
    static GetSystemInfo *sharedGetSystemInfo();

    // dmiDir: the DMI folder; profilePath: where "SystemInfomation.xml" goes.
    GetSystemInfo(const QString &dmiDir, const QString &profilePath);

    QString getOSVersion();
    QString getOSLanguage();
    // The model, or nullopt when the DMI table cannot be read, the profile cannot be written or
    // read back, or no item names a machine.
    std::optional<QString> getPCModel();

    QString osVersion() const { return osVersion_; }
    QString osLanguage() const { return osLanguage_; }
    QString PCModel() const { return PCModel_; }

    // The first "machine_name" of the "_items" arrays of a profile, in order.
    static std::optional<QString> machineNameOfProfile(const QVariant &profile);

    static constexpr qint64 maxFieldBytes = 4096;

private:
    QString dmiDir_;
    QString profilePath_;
    QString osVersion_;
    QString osLanguage_;
    QString PCModel_;
};

} // namespace ostrel
