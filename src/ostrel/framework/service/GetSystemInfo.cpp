#include "ostrel/framework/service/GetSystemInfo.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QLoggingCategory>
#include <QSysInfo>

Q_LOGGING_CATEGORY(lcSystemInfo, "ostrel.systeminfo")

namespace ostrel {

namespace {

// One DMI field, bounded and trimmed; empty when missing or unreadable.
QString dmiField(const QString &dir, const char *name)
{
    QFile file(QDir(dir).filePath(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(GetSystemInfo::maxFieldBytes)).trimmed();
}

} // namespace

GetSystemInfo *GetSystemInfo::sharedGetSystemInfo()
{
    static GetSystemInfo instance(QStringLiteral("/sys/class/dmi/id"),
                                  ConfigManager::sharedConfigManager()->getFilePathWithFileName(
                                      QStringLiteral("SystemInfomation.xml")));
    return &instance;
}

GetSystemInfo::GetSystemInfo(const QString &dmiDir, const QString &profilePath)
    : dmiDir_(dmiDir), profilePath_(profilePath)
{
}

QString GetSystemInfo::getOSVersion()
{
    osVersion_ = QSysInfo::prettyProductName();
    return osVersion_;
}

QString GetSystemInfo::getOSLanguage()
{
    const QStringList languages = QLocale::system().uiLanguages();
    osLanguage_ = languages.isEmpty() ? QString() : languages.first();
    return osLanguage_;
}

std::optional<QString> GetSystemInfo::machineNameOfProfile(const QVariant &profile)
{
    for (const QVariant &entry : yov::nsArray(profile)) {
        for (const QVariant &item : yov::nsArray(yov::nsDict(entry).value(QStringLiteral("_items")))) {
            const QVariant name = yov::nsDict(item).value(QStringLiteral("machine_name"));
            if (name.metaType() == QMetaType::fromType<QString>())
                return name.toString();
        }
    }
    return std::nullopt;
}

std::optional<QString> GetSystemInfo::getPCModel()
{
    PCModel_.clear();
    const QString product = dmiField(dmiDir_, "product_name");
    if (product.isEmpty()) {
        qCWarning(lcSystemInfo) << "no machine model in" << dmiDir_;
        return std::nullopt;
    }
    QVariantMap item{{QStringLiteral("machine_name"), product}};
    const struct {
        const char *file;
        const char *key;
    } extra[] = {{"product_version", "machine_model"}, {"sys_vendor", "machine_vendor"}, {"board_name", "board_name"},
                 {"bios_version", "boot_rom_version"}};
    for (const auto &field : extra) {
        const QString value = dmiField(dmiDir_, field.file);
        if (!value.isEmpty())
            item.insert(QLatin1String(field.key), value);
    }
    const QVariantList profile{QVariantMap{{QStringLiteral("_dataType"), QStringLiteral("SPHardwareDataType")},
                                           {QStringLiteral("_items"), QVariantList{item}}}};
    QString error;
    if (profilePath_.isEmpty() || !yov::PlistBridge::writeFile(profilePath_, profile, &error)) {
        qCWarning(lcSystemInfo) << "cannot write the system profile" << profilePath_ << error;
        return std::nullopt;
    }
    const std::optional<QVariant> readBack = yov::PlistBridge::readFile(profilePath_, &error);
    if (!readBack) {
        qCWarning(lcSystemInfo) << "cannot read the system profile back" << error;
        return std::nullopt;
    }
    std::optional<QString> model = machineNameOfProfile(*readBack);
    if (model)
        PCModel_ = *model;
    return model;
}

} // namespace ostrel
