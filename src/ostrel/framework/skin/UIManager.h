#pragma once
// The skin manager: loads a skin (a folder of images with one description file, SkinInfo or
// SkinInfo_<language>), keeps the registrations of controls bound to its items and applies an
// item to its control: frame, hidden state, images and image strips, fonts, text colours,
// placement rules. Skin coordinates have their origin at the bottom left (see SkinFrame).
//
// A registration holds its control weakly: when the control is destroyed its registration
// disappears.

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QVariantMap>

#include "ostrel/framework/config/ConfigManager.h"

#include <functional>

class QWidget;

namespace ostrel {


class NSFlickerButton;
class NSButtonExt;
class NSTextFieldCell;

class UINode {
public:
    UINode() = default;
    UINode(QObject *controller, const QString &name) : controller_(controller), name_(name) {}

    QObject *controller() const { return controller_; }
    void setController(QObject *controller) { controller_ = controller; }
    QString name() const { return name_; }
    void setName(const QString &name) { name_ = name; }

private:
    QPointer<QObject> controller_;
    QString name_;
};

class UIManager : public QObject {
    Q_OBJECT
public:
    using LanguageProvider = std::function<QString()>;

    explicit UIManager(QObject *parent = nullptr);
    ~UIManager() override;

    // The name of the language of the program's own token list (for instance "English"), used
    // to pick SkinInfo_<language> when the operator offers no language list. The process-wide
    // default is used by every manager without one of its own.
    static void setDefaultLanguageProvider(LanguageProvider provider);
    void setLanguageProvider(LanguageProvider provider) { languageProvider_ = std::move(provider); }
    QString currentLanguageName() const;

    // The configuration store this manager reads (null: the shared one).
    void setConfigManager(ConfigManager *config) { config_ = config; }
    ConfigManager *configManager() const;

    virtual bool loadUIResource(const QString &path);
    // The description file a load of that skin folder reads now: SkinInfo_<language> when the
    // operator offers no language list and the file exists, else SkinInfo.
    QString descriptionFileFor(const QString &folder) const;
    void unloadUIResource();
    void setSkinInfo(const QVariantMap &info) { skinInfo_ = info; }
    void setSkinPath(const QString &path) { skinPath_ = path; }
    QVariantMap skinInfo() const { return skinInfo_; }
    QString skinPath() const { return skinPath_; }
    // The description file the last successful load read.
    QString skinInfoFile() const { return skinInfoFile_; }
    bool hasSkin() const { return !skinPath_.isNull(); }

    bool registerController(QObject *control, const QString &key, bool needReload);
    void removeController(QObject *control);
    bool updateItem(QObject *control);
    bool updateUI();
    QObject *controllerByKey(const QString &key) const;
    QList<QObject *> controllersByKey(const QString &key) const;
    QList<UINode> registrations() const;

    bool hasKey(const QString &key) const;
    QVariantMap itemInfoDictForKey(const QString &key) const;

    // Run-time changes of the in-memory description; with needUpdate the first control under the
    // key is re-applied.
    bool setImageForKey(const QString &key, int imageID, bool needUpdate);
    bool setImageForKey(const QString &key, const QString &imageName, bool needUpdate);
    bool setNewSizeForKey(const QString &key, const QString &itemName, bool needUpdate);
    bool setNewLocationInSuperviewForKey(const QString &key, const QString &itemName, bool needUpdate);

    bool getItemPoint(QPointF *point, const QString &key) const;
    bool getItemSize(QSizeF *size, const QString &key) const;
    bool getItemRect(QRectF *rect, const QString &key) const;
    bool getItemCutRect(QRectF *rect, const QString &key) const;

    // The item's image prepared for the control (cut or rescaled); null when there is none.
    QImage itemImage(QObject *control, const QString &key) const;

    // Appliers.
    bool updataItem(QObject *control, const QString &key);
    bool setHidden(QWidget *view, const QString &key);
    bool setPosition(QWidget *view, const QString &key);
    bool setSize(QWidget *view, const QString &key);
    bool setFont(QObject *control, const QString &key);
    QColor textColorForKey(const QString &key) const;
    bool setTextColor(QWidget *view, const QString &key);
    bool setMatrixColor(QWidget *matrix, const QString &key);
    bool setGroupFlickerBtn(NSFlickerButton *button, const QString &key);
    bool updateButtonTitleColor(NSButtonExt *button, const QString &key);
    bool placementSubviews(QWidget *view, const QString &key);
    bool placementInSuperview(QWidget *view, const QString &key);

    bool updateNSView(QWidget *view, const QString &key);
    bool updateNSViewExt(QWidget *view, const QString &key);
    bool updateNSImageView(QWidget *view, const QString &key);
    bool updateNSWindow(QWidget *window, const QString &key);
    bool updateNSWindowExt(QWidget *window, const QString &key);
    bool updateNSButton(QWidget *button, const QString &key);
    bool updateNSButtonExt(NSButtonExt *button, const QString &key);
    bool updateNSFlickerButton(NSFlickerButton *button, const QString &key);
    bool updateNSTextField(QWidget *field, const QString &key);
    bool updateNSTextFieldCell(NSTextFieldCell *cell, const QString &key);
    bool updateNSTabViewItem(QObject *item, const QString &key);
    bool updateNSBox(QWidget *box, const QString &key);
    bool updateNSMatrix(QWidget *matrix, const QString &key);
    bool updateNSFlickerButtonImage(NSFlickerButton *button, const QString &key);
    bool updateNSButtonExtImage(NSButtonExt *button, const QString &key);
    bool updateNSFlickerButtonTitleColor(NSFlickerButton *button, const QString &key);

private:
    void applyCommonFont(QObject *control);
    void prune() const;
    int indexOf(const QObject *control) const;
    bool storeItem(const QString &key, const QVariantMap &item, bool needUpdate);

    mutable QList<UINode> controllerList_;
    QVariantMap skinInfo_;
    QString skinPath_;
    QString skinInfoFile_;
    LanguageProvider languageProvider_;
    QPointer<ConfigManager> config_;
};

} // namespace ostrel
