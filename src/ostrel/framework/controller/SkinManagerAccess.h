#pragma once
// What the controllers need of the skin manager: registration of their controls under skin item
// keys, re-application of an item, lookups, and run-time image changes. The skin manager itself
// implements it (or is adapted to it); tests use a recording fake.
#include <QObject>
#include <QString>

namespace ostrel {

class SkinManagerAccess {
public:
    virtual ~SkinManagerAccess() = default;

    // Binds the control to the item (and applies the item now with needReload); false without a
    // skin, for an unknown key, a null control or key, or a control already registered.
    virtual bool registerController(QObject *control, const QString &key, bool needReload) = 0;
    // Re-applies the control's item; false for an unregistered control.
    virtual bool updateItem(QObject *control) = 0;
    // The first control registered under the key; null for none.
    virtual QObject *controllerByKey(const QString &key) const = 0;
    // Whether the loaded skin has an item for the key.
    virtual bool hasKey(const QString &key) const = 0;
    // Switches the item's image to the one named in its ImageDict; re-applies with needUpdate.
    virtual bool setImageForKey(const QString &key, const QString &imageName, bool needUpdate) = 0;
    // Gives the item the size (or the place in its superview) of its entry named itemName in
    // SizeInfoArray (or LocationInSuperviewArray); re-applies with needUpdate. The default has no
    // skin and changes nothing.
    virtual bool setNewSizeForKey(const QString &key, const QString &itemName, bool needUpdate)
    {
        (void)key, (void)itemName, (void)needUpdate;
        return false;
    }
    virtual bool setNewLocationInSuperviewForKey(const QString &key, const QString &itemName, bool needUpdate)
    {
        (void)key, (void)itemName, (void)needUpdate;
        return false;
    }
    // The skin manager as an object, for plug-ins (may be null).
    virtual QObject *managerObject() { return nullptr; }
};

} // namespace ostrel
