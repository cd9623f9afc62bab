#pragma once
// A silent sound backend for tests: it plays nothing and records "play:<path>" and "stop" in the
// list it is given.
#include "platform/sound/SoundBackend.h"

#include <QString>
#include <QStringList>

namespace testing_support {

class RecordingSound final : public yov::SoundBackend {
public:
    explicit RecordingSound(QStringList *events) : events_(events) {}
    void preload(const QString &) override {}
    bool play(const QString &path) override
    {
        *events_ << QStringLiteral("play:") + path;
        playing_ = true;
        return true;
    }
    void stop() override
    {
        *events_ << QStringLiteral("stop");
        playing_ = false;
    }
    bool isPlaying() const override { return playing_; }

private:
    QStringList *events_;
    bool playing_ = false;
};

} // namespace testing_support
