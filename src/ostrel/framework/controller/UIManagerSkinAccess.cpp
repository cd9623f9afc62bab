#include "ostrel/framework/controller/UIManagerSkinAccess.h"

#include "ostrel/framework/skin/UIManager.h"

namespace ostrel {

bool UIManagerSkinAccess::registerController(QObject *control, const QString &key, bool needReload)
{
    return manager_ && manager_->registerController(control, key, needReload);
}

bool UIManagerSkinAccess::updateItem(QObject *control)
{
    return manager_ && manager_->updateItem(control);
}

QObject *UIManagerSkinAccess::controllerByKey(const QString &key) const
{
    return manager_ ? manager_->controllerByKey(key) : nullptr;
}

bool UIManagerSkinAccess::hasKey(const QString &key) const
{
    return manager_ && manager_->hasKey(key);
}

bool UIManagerSkinAccess::setImageForKey(const QString &key, const QString &imageName, bool needUpdate)
{
    return manager_ && manager_->setImageForKey(key, imageName, needUpdate);
}

bool UIManagerSkinAccess::setNewSizeForKey(const QString &key, const QString &itemName, bool needUpdate)
{
    return manager_ && manager_->setNewSizeForKey(key, itemName, needUpdate);
}

bool UIManagerSkinAccess::setNewLocationInSuperviewForKey(const QString &key, const QString &itemName,
                                                          bool needUpdate)
{
    return manager_ && manager_->setNewLocationInSuperviewForKey(key, itemName, needUpdate);
}

QObject *UIManagerSkinAccess::managerObject()
{
    return manager_;
}

} // namespace ostrel
