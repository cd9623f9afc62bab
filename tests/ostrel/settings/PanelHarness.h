#pragma once
// What the tests of the System, Connect, Alert, Browser and FavoriteLinks panels add to the
// settings fixture: recording connection and phonebook neighbours, a recording program launcher,
// a recording URL opener, a scripted file chooser and a silent sound backend that records.
#include "SettingsHarness.h"

#include "ostrel/framework/controller/AlertSounds.h"
#include "ostrel/framework/neighbours/DialControllerInterface.h"
#include "ostrel/framework/neighbours/PBControllerInterface.h"
#include "platform/process/ProgramLauncher.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingSound.h"
#include "support/ScriptedFileChooser.h"

#include <QUrl>

namespace settingstest {

struct RecordingDial : ostrel::DefaultDialController {
    bool GetisDialNow() const override { return dialling; }
    void reconnect(bool reset) override { calls << QStringLiteral("reconnect:%1").arg(reset); }
    void setApnCycleEnable(bool enable) override { calls << QStringLiteral("setApnCycleEnable:%1").arg(enable); }
    void loadFavoritesLinkPropeties() override { calls << QStringLiteral("loadFavoritesLinkPropeties"); }
    bool dialling = false;
    QStringList calls;
};

struct RecordingPhonebook : ostrel::DefaultPBController {
    void setCurDefGrpName() override { calls << QStringLiteral("setCurDefGrpName"); }
    void popupAlertOk(const QString &message) override { calls << QStringLiteral("popupAlertOk:") + message; }
    QStringList calls;
};

// A skin manager that knows no key: a skin is there, its items are not.
struct EmptySkin final : ostrel::SkinManagerAccess {
    bool registerController(QObject *, const QString &, bool) override { return false; }
    bool updateItem(QObject *) override { return false; }
    QObject *controllerByKey(const QString &) const override { return nullptr; }
    bool hasKey(const QString &) const override { return false; }
    bool setImageForKey(const QString &, const QString &, bool) override { return false; }
};

using testing_support::RecordingLauncher;
using testing_support::RecordingSound;

class PanelFixture : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        ostrel::Neighbours::setDial(&dial);
        ostrel::Neighbours::setPhonebook(&phonebook);
        ostrel::YOVUIController::setUrlOpener([this](const QUrl &url) {
            opened << url.toString();
            return true;
        });
        ostrel::AlertSounds::shared().setBackend(std::make_unique<RecordingSound>(&soundEvents));
    }
    void TearDown() override
    {
        SettingsFixture::TearDown();
        ostrel::YOVUIController::setUrlOpener({});
        ostrel::AlertSounds::shared().setBackend(std::make_unique<RecordingSound>(&silentEvents));
    }
    QString modemFile(const QString &name) const { return dir.filePath(name); }
    QVariantMap stored() const
    {
        ostrel::ConfigManager fresh(dir.path());
        return fresh.getConfiguration();
    }

    RecordingDial dial;
    RecordingPhonebook phonebook;
    RecordingLauncher launcher;
    yov::ScopedProgramLauncher launcherGuard{&launcher};
    testing_support::ScriptedFileChooser chooser;
    yov::ScopedFileChooser chooserGuard{&chooser};
    QStringList opened;
    QStringList soundEvents;
    static inline QStringList silentEvents;
};

} // namespace settingstest
