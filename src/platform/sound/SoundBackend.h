#pragma once
// Short alert sounds (connected, disconnected, SMS, incoming call, quit).
//
// One sound plays at a time: play() stops whatever was playing. Calls return at once; the real
// backend decodes and plays on a thread of its own, so a sound keeps playing while the caller's
// thread is blocked. Every call is safe from any thread.

#include <QString>

#include <memory>

namespace yov {

class SoundBackend {
public:
    virtual ~SoundBackend() = default;

    // Loads a file ahead of its first play, so that play() starts without a decoding delay.
    virtual void preload(const QString &path) = 0;
    // Stops the current sound and starts the file from its beginning. false when the file does not
    // exist (nothing plays then); a file that exists but cannot be decoded plays nothing either and
    // isPlaying() turns false once that is known.
    virtual bool play(const QString &path) = 0;
    virtual void stop() = 0;
    // true from a successful play() until the sound ends, is stopped or fails to load.
    virtual bool isPlaying() const = 0;
};

// The backend over Qt Multimedia (QSoundEffect, uncompressed WAV files), on its own thread.
std::unique_ptr<SoundBackend> createQtSoundBackend();

} // namespace yov
