#include "ostrel/framework/controller/AlertSounds.h"

#include <QCoreApplication>
#include <QThread>

namespace ostrel {

AlertSounds &AlertSounds::shared()
{
    static AlertSounds sounds;
    return sounds;
}

const QStringList &AlertSounds::soundKeySet()
{
    static const QStringList keys{QStringLiteral("onlineSoundFileName"), QStringLiteral("offlineSoundFileName"),
                                  QStringLiteral("smsSoundFileName"), QStringLiteral("callSoundFileName"),
                                  QStringLiteral("quitUISoundFileName")};
    return keys;
}

const QStringList &AlertSounds::soundMuteKeySet()
{
    static const QStringList keys{QStringLiteral("onlineSoundMute"), QStringLiteral("offlineSoundMute"),
                                  QStringLiteral("smsSoundMute"), QStringLiteral("callSoundMute"),
                                  QStringLiteral("quitUISoundMute")};
    return keys;
}

yov::SoundBackend &AlertSounds::backend()
{
    if (!backend_) {
        backend_ = yov::createQtSoundBackend();
        // The sound thread and its effects end with the application object, not after it (at
        // static destruction the multimedia layer is already gone).
        static bool cleanupRegistered = false;
        if (!cleanupRegistered && QCoreApplication::instance()) {
            cleanupRegistered = true;
            qAddPostRoutine([] { AlertSounds::shared().backend_.reset(); });
        }
    }
    return *backend_;
}

void AlertSounds::setBackend(std::unique_ptr<yov::SoundBackend> backend)
{
    backend_ = std::move(backend);
    currentType_ = kNone;
    preloaded_.clear();
}

bool AlertSounds::isCurrentPlaying()
{
    return currentType_ != kNone && backend().isPlaying();
}

void AlertSounds::preload(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (path.isEmpty() || preloaded_.contains(path))
            continue;
        preloaded_.append(path);
        backend().preload(path);
    }
}

void AlertSounds::block(int ms)
{
    if (blocker_)
        blocker_(ms);
    else
        QThread::msleep(ulong(ms));
}

} // namespace ostrel
