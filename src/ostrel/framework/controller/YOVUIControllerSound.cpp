// The alert sounds of the controller base: one sound at a time in the whole program, and a
// ringing call never cut by another sound.
#include "ostrel/framework/controller/YOVUIController.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/AlertSounds.h"
#include "platform/Clock.h"

#include <cmath>
#include <memory>

namespace ostrel {

namespace {
bool validType(int type)
{
    return type >= 0 && type < AlertSounds::kTypeCount;
}

bool ringing(AlertSounds &sounds)
{
    return sounds.currentType() == AlertSounds::IncomingCall && sounds.isCurrentPlaying();
}
} // namespace

void YOVUIController::cancelDelayedStops()
{
    for (int id : std::as_const(delayedStops_))
        clock_->cancel(id);
    delayedStops_.clear();
}

void YOVUIController::playSound(int type)
{
    AlertSounds &sounds = AlertSounds::shared();
    if (ringing(sounds))
        return;
    cancelDelayedStops();
    stopSound();
    if (!validType(type))
        return;
    const QString path = soundFileName(type);
    if (path.isEmpty())
        return;
    sounds.setCurrentType(type);
    sounds.setOwner(this);
    if (isSoundMute(type))
        return; // the muted sound is the current one (it ended the earlier sound) but is not heard
    sounds.backend().play(path);
}

void YOVUIController::playSound(int type, double seconds)
{
    if (seconds < 0 || std::isnan(seconds))
        return;
    playSound(type);
    AlertSounds &sounds = AlertSounds::shared();
    if (ringing(sounds))
        return;
    const int ms = int(std::min(seconds, 24.0 * 3600) * 1000);
    auto id = std::make_shared<int>(0);
    *id = clock_->schedule(ms, this, [this, id] {
        delayedStops_.removeOne(*id);
        stopSound();
    });
    delayedStops_.append(*id);
}

void YOVUIController::playShortSound(int type)
{
    const QVariant stored = setting(QStringLiteral("PlaySoundTime"));
    double seconds = 3;
    if (stored.isValid()) {
        const double value = yov::nsDouble(stored);
        seconds = value > 0 ? value : 0;
    }
    playSound(type, seconds);
}

void YOVUIController::stopSound()
{
    AlertSounds &sounds = AlertSounds::shared();
    if (!sounds.hasCurrent())
        return;
    sounds.backend().stop();
    sounds.setCurrentType(AlertSounds::kNone);
    sounds.setOwner(nullptr);
}

void YOVUIController::stopSound(int type)
{
    if (AlertSounds::shared().currentType() == type)
        stopSound();
}

void YOVUIController::playCloseSound()
{
    playSound(AlertSounds::QuitUI);
    AlertSounds::shared().block(2000);
    stopSound(AlertSounds::QuitUI);
}

void YOVUIController::experienceIncomingcallSond(int type)
{
    AlertSounds &sounds = AlertSounds::shared();
    if (type == AlertSounds::IncomingCall && sounds.isCurrentPlaying())
        stopSound();
    else
        playSound(AlertSounds::IncomingCall);
}

bool YOVUIController::isSoundMute(int type) const
{
    if (!validType(type))
        return false;
    return yov::nsBool(setting(AlertSounds::soundMuteKeySet().at(type)));
}

void YOVUIController::setSoundType(int type, bool mute)
{
    if (!validType(type))
        return;
    const bool invert = yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("AlertNotMuteSet")));
    config_->setConfigurationByModule(AlertSounds::soundMuteKeySet().at(type), invert ? !mute : mute);
    writeSettings();
}

QString YOVUIController::soundFileName(int type) const
{
    if (!validType(type))
        return QString();
    return yov::nsString(setting(AlertSounds::soundKeySet().at(type)));
}

void YOVUIController::setSoundFileName(int type, const QString &path)
{
    if (!validType(type) || path.isNull())
        return;
    config_->setConfigurationByModule(AlertSounds::soundKeySet().at(type), path);
    writeSettings();
    AlertSounds::shared().preload({path});
}

QString YOVUIController::filenameKeyOfSound(int type) const
{
    return validType(type) ? AlertSounds::soundKeySet().at(type) : QString();
}

} // namespace ostrel
