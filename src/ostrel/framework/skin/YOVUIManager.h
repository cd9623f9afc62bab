#pragma once
// The dashboard's skin manager: keeps the skin in use in the settings module UIConfig
// (CurrentSkinName, SupportSkinArray) and loads the last used skin when it is made.
//
// Skins live in <resources>/skin/<name>; "defaultSkin" is used when no skin is recorded, and
// also when the recorded skin no longer loads, so that no window is left without its controls.

#include "ostrel/framework/skin/UIManager.h"

#include <QStringList>

namespace ostrel {

class YOVUIManager : public UIManager {
    Q_OBJECT
public:
    struct Options {
        ConfigManager *config = nullptr;   // null: the shared store
        LanguageProvider language;         // empty: the process-wide default
        QString skinsFolder;               // empty: <resources>/skin
        // The operator switch isSkinVersionForDEdorud; empty: the top-level
        // DifferentWorkingMothodForDedorud of the store.
        std::function<bool()> skinVersionForDEdorud;
    };

    explicit YOVUIManager(QObject *parent = nullptr);
    explicit YOVUIManager(const Options &options, QObject *parent = nullptr);

    static QString defaultSkinName() { return QStringLiteral("defaultSkin"); }
    QString skinsFolder() const;

    QVariantMap configDictionaryOfUI() const;
    bool loadLastUsedUIResource();
    bool loadUIResourceBySkinName(const QString &name);
    bool loadUIResource(const QString &path) override;
    bool saveCurrentSkinPathToConfig(const QString &path);

    QString currentSkinName() const;
    int skinCount() const;
    QString skinNameByIndex(int index) const;

private:
    bool isSkinVersionForDEdorud() const;

    QString skinsFolder_;
    std::function<bool()> skinVersionForDEdorud_;
};

} // namespace ostrel
