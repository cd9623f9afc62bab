#pragma once
// The skin manager as the controllers see it.
#include "ostrel/framework/controller/SkinManagerAccess.h"

#include <QPointer>

namespace ostrel {

class UIManager;

class UIManagerSkinAccess final : public SkinManagerAccess {
public:
    explicit UIManagerSkinAccess(UIManager *manager) : manager_(manager) {}

    bool registerController(QObject *control, const QString &key, bool needReload) override;
    bool updateItem(QObject *control) override;
    QObject *controllerByKey(const QString &key) const override;
    bool hasKey(const QString &key) const override;
    bool setImageForKey(const QString &key, const QString &imageName, bool needUpdate) override;
    bool setNewSizeForKey(const QString &key, const QString &itemName, bool needUpdate) override;
    bool setNewLocationInSuperviewForKey(const QString &key, const QString &itemName, bool needUpdate) override;
    QObject *managerObject() override;

private:
    QPointer<UIManager> manager_;
};

} // namespace ostrel
