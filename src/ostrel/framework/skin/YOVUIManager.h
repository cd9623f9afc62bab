#pragma once
// The dashboard's skin manager: keeps the skin in use in the settings module UIConfig
// (CurrentSkinName, SupportSkinArray) and loads the last used skin when it is made.
//
// Skins live in <resources>/skin/<name>; "defaultSkin" is used when no skin is recorded, and
// also when the recorded skin no longer loads, so that no window is left without its controls.
//
// On a language change ("UpdateLanguage") the skin's description is read again when the change
// makes another file apply (SkinInfo_<language>, UIManager.h), and every registered control is
// dressed anew from it.

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
        // Load the last used skin when made (off where no skin files are wanted).
        bool loadLastUsedSkin = true;
    };

    explicit YOVUIManager(QObject *parent = nullptr);
    explicit YOVUIManager(const Options &options, QObject *parent = nullptr);
    ~YOVUIManager() override;

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

    // Reads the description again when another file applies now (after a language change) and
    // re-applies every registration; false when nothing changed.
    bool reloadForLanguage();

    // An image by name: from the skin in use, then from the program's resources; null for none.
    QImage imageNamed(const QString &name) const;
    // Makes this manager the tree nodes' image resolver (Node::imageNamed) for its lifetime.
    void installNodeImageResolver();

private:
    bool isSkinVersionForDEdorud() const;

    QString skinsFolder_;
    std::function<bool()> skinVersionForDEdorud_;
    bool nodeImageResolver_ = false;
};

} // namespace ostrel
