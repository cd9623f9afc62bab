#pragma once
// A PBController over a ModemList folder of its own (settings.plist and the phonebook files the
// test writes), with scripted alerts and a notification center of its own.
#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/phonebook/PBController.h"
#include "platform/NotificationCenter.h"
#include "platform/alert/AlertPresenter.h"
#include "support/ScriptedAlertPresenter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace pbtest {

inline QVariantMap contact(const QString &name, const QString &mobile = QString(), const QVariantMap &more = {})
{
    QVariantMap c = more;
    if (!name.isNull())
        c.insert(QStringLiteral("username"), name);
    if (!mobile.isNull())
        c.insert(QStringLiteral("mobilephone"), mobile);
    return c;
}

inline QVariantList group(const QString &name, const QVariantList &contacts = {})
{
    QVariantList g{QVariantMap{{QStringLiteral("groupname"), name}}};
    g.append(contacts);
    return g;
}

class Harness {
public:
    // Module "PhoneBook" and top-level keys of settings.plist.
    explicit Harness(const QVariantMap &phoneBook = {}, const QVariantMap &topLevel = {})
    {
        QVariantMap settings = topLevel;
        settings.insert(QStringLiteral("PhoneBook"), phoneBook);
        yov::PlistBridge::writeFile(path(QStringLiteral("settings.plist")), settings);
        store = std::make_unique<ostrel::ConfigManager>(dir.path());
        ostrel::ConfigManager::setSharedConfigManager(store.get());
    }

    ~Harness()
    {
        pb.reset();
        ostrel::ConfigManager::setSharedConfigManager(nullptr);
    }

    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }
    bool writeList(const QVariant &root, const QString &name = QStringLiteral("phoneBook.plist")) const
    {
        return yov::PlistBridge::writeFile(path(name), root);
    }
    bool writeBytes(const QByteArray &bytes, const QString &name = QStringLiteral("phoneBook.plist")) const
    {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    }
    QVariant readList(const QString &name = QStringLiteral("phoneBook.plist")) const
    {
        return yov::PlistBridge::readFile(path(name)).value_or(QVariant());
    }

    // Creates and wakes the controller: it reads its configuration and "phoneBook.plist".
    ostrel::PBController &start()
    {
        ostrel::ControllerContext context;
        context.config = store.get();
        context.notificationCenter = &notifications;
        context.msgCenter = msgCenter;
        context.clock = clock;
        pb = std::make_unique<ostrel::PBController>(context);
        pb->awakeFromNib();
        return *pb;
    }

    // Lets the alerts raised after the current event show.
    void settle() { QTest::qWait(20); }

    QTemporaryDir dir;
    std::unique_ptr<ostrel::ConfigManager> store;
    testing_support::ScriptedAlertPresenter presenter;
    yov::ScopedAlertPresenter scoped{&presenter};
    yov::NotificationCenter notifications;
    // A message center and a clock for the controller, when the test sets them before start().
    ostrel::YOVMsgCenter *msgCenter = nullptr;
    yov::Clock *clock = nullptr;
    std::unique_ptr<ostrel::PBController> pb;
};

} // namespace pbtest
