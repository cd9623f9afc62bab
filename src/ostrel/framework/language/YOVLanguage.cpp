#include "ostrel/framework/language/YOVLanguage.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/YOVDatacardConfig.h"
#include "ostrel/framework/language/LanguageResources.h"

namespace ostrel {

YOVLanguage::YOVLanguage(QObject *parent, const QString &resourceFolder, std::function<QStringList()> systemLanguages)
    : Language(parent), folder_(resourceFolder.isEmpty() ? LanguageResources::defaultFolder() : resourceFolder)
{
    if (systemLanguages)
        setSystemLanguagesSource(std::move(systemLanguages));
    loadSupportLanguagesArray();
    loadLanguageTokenListFileAutomatically();
}

void YOVLanguage::loadSupportLanguagesArray()
{
    supportLanguages_.clear();
    const QVariant stored = YOVDatacardConfig::settingDictKey(QStringLiteral("SupportLanguages"));
    for (const QVariant &v : yov::nsArray(stored)) {
        const QString name = yov::nsString(v);
        if (!name.isEmpty())
            supportLanguages_ << name;
    }
}

bool YOVLanguage::findSupportLanguage(const QString &name) const
{
    return !name.isEmpty() && supportLanguages_.contains(name);
}

bool YOVLanguage::isFirstLoadLanguage() const
{
    return yov::nsBool(YOVDatacardConfig::settingDictKey(QStringLiteral("FirstInstallFlag")));
}

QString YOVLanguage::currentLanguage() const
{
    return yov::nsString(YOVDatacardConfig::settingDictKey(QStringLiteral("CurrentLanguage")));
}

bool YOVLanguage::loadLanguageTokenListFileAutomatically()
{
    if (isFirstLoadLanguage() && loadLanguageTokenListFileInSystemLanguage())
        return true;
    return loadLanguageTokenListFileOfLastUsing();
}

bool YOVLanguage::loadLanguageTokenListFileInSystemLanguage()
{
    const QString name = systemLanguageToEnglish(systemDefaultLanguage());
    if (!findSupportLanguage(name))
        return false;
    if (!loadLanguageTokenListFileByName(name))
        return false;
    YOVDatacardConfig::setSettingDictKey(QStringLiteral("FirstInstallLanguage"), name);
    return true;
}

bool YOVLanguage::loadLanguageTokenListFileOfLastUsing()
{
    const QString name = currentLanguage();
    if (!findSupportLanguage(name))
        return false;
    return loadLanguageTokenListFileByName(name);
}

bool YOVLanguage::loadLanguageTokenListFileByName(const QString &name)
{
    if (!LoadTokenListResource(LanguageResources::tokenListPath(folder_, name)))
        return false;
    YOVDatacardConfig::setSettingDictKey(QStringLiteral("CurrentLanguage"), name);
    YOVDatacardConfig::setSettingDictKey(QStringLiteral("FirstInstallFlag"), false);
    return true;
}

} // namespace ostrel
