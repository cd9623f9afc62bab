#pragma once
// The process-wide alert-sound state that every controller shares: one sound at a time.
//
// It holds the sound backend (Qt Multimedia by default; tests install a fake), the type of the
// current sound (-1 when none), and the blocking wait used while the quit sound plays.
#include "platform/sound/SoundBackend.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace ostrel {

class AlertSounds {
public:
    // Sound types.
    enum Type { Online = 0, Offline = 1, SmsArrived = 2, IncomingCall = 3, QuitUI = 4 };
    static constexpr int kTypeCount = 5;
    static constexpr int kNone = -1;

    static AlertSounds &shared();

    // The settings keys of the sound files and of their mute flags, by type.
    static const QStringList &soundKeySet();
    static const QStringList &soundMuteKeySet();

    yov::SoundBackend &backend();
    // Replaces the backend (owned); null puts a new Qt Multimedia backend on the next use.
    // The current sound is forgotten.
    void setBackend(std::unique_ptr<yov::SoundBackend> backend);

    int currentType() const { return currentType_; }
    void setCurrentType(int type) { currentType_ = type; }
    // The controller that started the current sound (null when none).
    const void *owner() const { return owner_; }
    void setOwner(const void *owner) { owner_ = owner; }
    bool hasCurrent() const { return currentType_ != kNone; }
    // The current sound exists and is heard.
    bool isCurrentPlaying();

    // Loads the sound files ahead of their first play (once per path).
    void preload(const QStringList &paths);

    // Blocks the calling thread for the given milliseconds (the sound plays on regardless).
    void block(int ms);
    void setBlocker(std::function<void(int)> blocker) { blocker_ = std::move(blocker); }

private:
    AlertSounds() = default;
    std::unique_ptr<yov::SoundBackend> backend_;
    int currentType_ = kNone;
    const void *owner_ = nullptr;
    QStringList preloaded_;
    std::function<void(int)> blocker_;
};

} // namespace ostrel
