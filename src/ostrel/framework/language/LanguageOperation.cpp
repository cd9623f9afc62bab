#include "ostrel/framework/language/LanguageOperation.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/LanguageLog.h"
#include "ostrel/framework/language/LanguageResources.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/language/SystemLanguages.h"

namespace ostrel {

namespace {
const QString kSupportLanguages = QStringLiteral("SupportLanguages");
const QString kCurrentLanguage = QStringLiteral("CurrentLanguage");
const QString kFirstInstallFlag = QStringLiteral("FirstInstallFlag");
const QString kEnglish = QStringLiteral("English");
} // namespace

LanguageOperation *LanguageOperation::sharedLanguageOperation()
{
    static LanguageOperation shared;
    return &shared;
}

LanguageOperation::LanguageOperation(ConfigManager *store) : store_(store) {}

QString LanguageOperation::resourceFolder() const
{
    // Resolved at use, so that the shared object may be created before the application object.
    return folder_.isEmpty() ? LanguageResources::defaultFolder() : folder_;
}

ConfigManager *LanguageOperation::store() const
{
    return store_ ? store_ : ConfigManager::sharedConfigManager();
}

QStringList LanguageOperation::systemLanguages() const
{
    return systemLanguages_ ? systemLanguages_() : SystemLanguages::preferred();
}

const QStringList &LanguageOperation::selectableLanguages()
{
    static const QStringList names = {
        QStringLiteral("Arabic"),     QStringLiteral("Bulgarian"), QStringLiteral("Croatian"),
        QStringLiteral("Czech"),      QStringLiteral("Danish"),    QStringLiteral("Dutch"),
        QStringLiteral("English"),    QStringLiteral("Estonian"),  QStringLiteral("French"),
        QStringLiteral("German"),     QStringLiteral("Hungarian"), QStringLiteral("Indonesian"),
        QStringLiteral("Italian"),    QStringLiteral("Japanese"),  QStringLiteral("Norwegian"),
        QStringLiteral("Polish"),     QStringLiteral("Portuguese"), QStringLiteral("Romanian"),
        QStringLiteral("Russian"),    QStringLiteral("Slovak"),    QStringLiteral("Spanish"),
        QStringLiteral("Swedish"),    QStringLiteral("Turkish"),   QStringLiteral("zh_CN"),
        QStringLiteral("zh_TW"),      QStringLiteral("Albanian"),  QStringLiteral("Armenian"),
        QStringLiteral("Vietnamese"), QStringLiteral("Lithuanian"), QStringLiteral("Serbian"),
    };
    return names;
}

const QList<QPair<QString, QString>> &LanguageOperation::systemLanguagePairs()
{
    // "Estonish" is the name stored data has always used for "et"; it is kept so that an
    // operator list naming it goes on working.
    static const QList<QPair<QString, QString>> pairs = {
        {QStringLiteral("ar"), QStringLiteral("Arabic")},      {QStringLiteral("bg"), QStringLiteral("Bulgarian")},
        {QStringLiteral("bg"), QStringLiteral("Bulgarian")},   {QStringLiteral("hr"), QStringLiteral("Croatian")},
        {QStringLiteral("cs"), QStringLiteral("Czech")},       {QStringLiteral("da"), QStringLiteral("Danish")},
        {QStringLiteral("nl"), QStringLiteral("Dutch")},       {QStringLiteral("en"), QStringLiteral("English")},
        {QStringLiteral("et"), QStringLiteral("Estonish")},    {QStringLiteral("fi"), QStringLiteral("Finnish")},
        {QStringLiteral("fr"), QStringLiteral("French")},      {QStringLiteral("de"), QStringLiteral("German")},
        {QStringLiteral("hu"), QStringLiteral("Hungarian")},   {QStringLiteral("id"), QStringLiteral("Indonesian")},
        {QStringLiteral("it"), QStringLiteral("Italian")},     {QStringLiteral("ja"), QStringLiteral("Japanese")},
        {QStringLiteral("nb"), QStringLiteral("Norwegian")},   {QStringLiteral("pl"), QStringLiteral("Polish")},
        {QStringLiteral("pt"), QStringLiteral("Portuguese")},  {QStringLiteral("pt-PT"), QStringLiteral("Portuguese")},
        {QStringLiteral("ro"), QStringLiteral("Romanian")},    {QStringLiteral("ru"), QStringLiteral("Russian")},
        {QStringLiteral("sk"), QStringLiteral("Slovak")},      {QStringLiteral("es"), QStringLiteral("Spanish")},
        {QStringLiteral("sv"), QStringLiteral("Swedish")},     {QStringLiteral("tr"), QStringLiteral("Turkish")},
        {QStringLiteral("zh-Hans"), QStringLiteral("zh_CN")},  {QStringLiteral("zh-Hant"), QStringLiteral("zh_TW")},
        {QStringLiteral("vi"), QStringLiteral("Vietnamese")},  {QStringLiteral("sq"), QStringLiteral("Albanian")},
        {QStringLiteral("hy"), QStringLiteral("Armenian")},    {QStringLiteral("lt"), QStringLiteral("Lithuanian")},
        {QStringLiteral("sr"), QStringLiteral("Serbian")},
    };
    return pairs;
}

QLocale LanguageOperation::localeOfLanguage(const QString &name)
{
    for (const auto &pair : systemLanguagePairs()) {
        if (pair.second == name)
            return QLocale(pair.first);
    }
    return QLocale(QLocale::English);
}

QString LanguageOperation::tokenListPathOf(const QString &name) const
{
    return LanguageResources::tokenListPath(resourceFolder(), name);
}

QString LanguageOperation::fallbackTokenListPath() const
{
    return LanguageResources::fallbackTokenListPath(resourceFolder());
}

QStringList LanguageOperation::getSupportLanguageArray()
{
    QStringList names;
    const QVariant stored = store()->getConfigurationByModule(kSupportLanguages);
    if (stored.typeId() == QMetaType::QVariantList) {
        for (const QVariant &v : stored.toList()) {
            const QString name = yov::nsString(v);
            if (!name.isEmpty())
                names << name;
        }
    }
    m_SupportLanguageArray = names;
    return names;
}

bool LanguageOperation::languageIsSupported(const QString &name)
{
    return !name.isEmpty() && getSupportLanguageArray().contains(name);
}

QString LanguageOperation::getSystemLanguageFullName(const QString &systemCode)
{
    for (const auto &pair : systemLanguagePairs()) {
        if (pair.first == systemCode && languageIsSupported(pair.second))
            return pair.second;
    }
    return QString();
}

QString LanguageOperation::findInSupportLanguages(const QString &name)
{
    if (languageIsSupported(name)) {
        store()->setConfigurationByModule(kCurrentLanguage, name);
        return tokenListPathOf(name);
    }
    store()->setConfigurationByModule(kCurrentLanguage, kEnglish);
    return fallbackTokenListPath();
}

void LanguageOperation::loadTokenListByFirstInstall()
{
    QString tokenList;
    bool decided = false;
    for (const QString &code : systemLanguages()) {
        const QString name = getSystemLanguageFullName(code);
        if (!name.isEmpty()) {
            tokenList = findInSupportLanguages(name);
            decided = true;
            break;
        }
    }
    if (!decided) {
        const QStringList offered = getSupportLanguageArray();
        if (offered.isEmpty()) {
            tokenList = fallbackTokenListPath();
        } else {
            const QString name = offered.contains(kEnglish) ? kEnglish : offered.first();
            store()->setConfigurationByModule(kCurrentLanguage, name);
            tokenList = tokenListPathOf(name);
        }
    }
    store()->setConfigurationByModule(kFirstInstallFlag, false);
    if (!store()->writeToFile())
        qCWarning(lcLanguage) << "The language choice could not be written to settings.plist";
    Lingrove_Init(tokenList);
}

void LanguageOperation::loadTokenList()
{
    const QString current = yov::nsString(store()->getConfigurationByModule(kCurrentLanguage));
    if (selectableLanguages().contains(current))
        Lingrove_Init(tokenListPathOf(current));
    else
        Lingrove_Init(fallbackTokenListPath());
    Lingrove_Dump();
}

void LanguageOperation::initLanguage()
{
    if (yov::nsBool(store()->getConfigurationByModule(kFirstInstallFlag))) {
        loadTokenListByFirstInstall();
        return;
    }
    if (!store()->getConfigurationByModule(kSupportLanguages).isValid()) {
        Lingrove_Init(fallbackTokenListPath());
        Lingrove_Dump();
        return;
    }
    loadTokenList();
}

} // namespace ostrel
