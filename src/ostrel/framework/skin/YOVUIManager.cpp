#include "ostrel/framework/skin/YOVUIManager.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/tree/Node.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "platform/NotificationCenter.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QPixmap>

namespace ostrel {

Q_DECLARE_LOGGING_CATEGORY(lcSkin)

using yov::nsArray;
using yov::nsDict;
using yov::nsString;

namespace {
const QString kUIConfig = QStringLiteral("UIConfig");
const QString kCurrentSkinName = QStringLiteral("CurrentSkinName");
const QString kSupportSkinArray = QStringLiteral("SupportSkinArray");
} // namespace

YOVUIManager::YOVUIManager(QObject *parent) : YOVUIManager(Options(), parent)
{
}

YOVUIManager::YOVUIManager(const Options &options, QObject *parent)
    : UIManager(parent), skinsFolder_(options.skinsFolder), skinVersionForDEdorud_(options.skinVersionForDEdorud)
{
    if (options.config)
        setConfigManager(options.config);
    if (options.language)
        setLanguageProvider(options.language);
    yov::NotificationCenter::defaultCenter().addObserver(this, QStringLiteral("UpdateLanguage"), nullptr,
                                                         [this](const yov::Notification &) { reloadForLanguage(); });
    if (options.loadLastUsedSkin)
        loadLastUsedUIResource();
}

YOVUIManager::~YOVUIManager()
{
    if (nodeImageResolver_)
        Node::setImageResolver({});
}

bool YOVUIManager::reloadForLanguage()
{
    if (!hasSkin() || descriptionFileFor(skinPath()) == skinInfoFile())
        return false;
    if (!loadUIResource(skinPath()))
        return false;
    qCInfo(lcSkin).noquote() << QStringLiteral("the language changed: the skin is dressed from %1").arg(skinInfoFile());
    updateUI();
    return true;
}

QImage YOVUIManager::imageNamed(const QString &name) const
{
    const QImage image = ResourcePaths::imageInFolder(skinPath(), name);
    return image.isNull() ? ResourcePaths::applicationImage(name) : image;
}

void YOVUIManager::installNodeImageResolver()
{
    nodeImageResolver_ = true;
    Node::setImageResolver([this](const QString &name) {
        const QImage image = imageNamed(name);
        return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
    });
}

QString YOVUIManager::skinsFolder() const
{
    return skinsFolder_.isEmpty() ? ResourcePaths::resourcesPath() + QStringLiteral("/skin") : skinsFolder_;
}

QVariantMap YOVUIManager::configDictionaryOfUI() const
{
    ConfigManager *config = configManager();
    return config ? nsDict(config->getConfigurationByModule(kUIConfig)) : QVariantMap();
}

bool YOVUIManager::loadLastUsedUIResource()
{
    const QString stored = nsString(configDictionaryOfUI().value(kCurrentSkinName));
    if (!stored.isEmpty()) {
        if (loadUIResource(stored))
            return true;
        qCWarning(lcSkin).noquote() << QStringLiteral("the stored skin %1 does not load; using %2")
                                           .arg(stored, defaultSkinName());
    }
    return loadUIResourceBySkinName(defaultSkinName());
}

bool YOVUIManager::loadUIResourceBySkinName(const QString &name)
{
    if (name.isEmpty())
        return false;
    return loadUIResource(skinsFolder() + QLatin1Char('/') + name);
}

bool YOVUIManager::loadUIResource(const QString &path)
{
    if (!UIManager::loadUIResource(path))
        return false;
    if (!isSkinVersionForDEdorud())
        saveCurrentSkinPathToConfig(skinPath());
    return true;
}

bool YOVUIManager::isSkinVersionForDEdorud() const
{
    if (skinVersionForDEdorud_)
        return skinVersionForDEdorud_();
    ConfigManager *config = configManager();
    return config && yov::nsBool(config->getConfigurationByModule(QStringLiteral("DifferentWorkingMothodForDedorud")));
}

bool YOVUIManager::saveCurrentSkinPathToConfig(const QString &path)
{
    ConfigManager *config = configManager();
    if (!config || path.isEmpty())
        return false;
    QVariantMap ui = configDictionaryOfUI();
    QVariantList skins = nsArray(ui.value(kSupportSkinArray));
    const bool known = skins.contains(QVariant(path));
    if (known && nsString(ui.value(kCurrentSkinName)) == path
        && ui.value(kSupportSkinArray).typeId() == QMetaType::QVariantList)
        return true; // already recorded: nothing to write
    if (!known)
        skins.append(path);
    ui.insert(kSupportSkinArray, skins);
    ui.insert(kCurrentSkinName, path);
    config->setConfigurationByModule(kUIConfig, ui);
    return config->writeToFile();
}

QString YOVUIManager::currentSkinName() const
{
    const QString path = nsString(configDictionaryOfUI().value(kCurrentSkinName));
    if (path.isEmpty())
        return defaultSkinName();
    return QFileInfo(path).fileName();
}

int YOVUIManager::skinCount() const
{
    return int(nsArray(configDictionaryOfUI().value(kSupportSkinArray)).size());
}

QString YOVUIManager::skinNameByIndex(int index) const
{
    const QVariantList skins = nsArray(configDictionaryOfUI().value(kSupportSkinArray));
    if (index < 0 || index >= skins.size())
        return {};
    return QFileInfo(nsString(skins.at(index))).fileName();
}

} // namespace ostrel
