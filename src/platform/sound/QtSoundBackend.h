#pragma once
// SoundBackend over QSoundEffect. The effects live on a worker thread with its own event loop;
// the caller's calls are queued to it. The playing state is kept here so that isPlaying() is
// true as soon as play() returns, not only once the worker has started the effect.
#include "platform/sound/SoundBackend.h"

#include <QHash>
#include <QObject>
#include <QThread>

#include <atomic>

class QSoundEffect;

namespace yov {

class QtSoundWorker;

class QtSoundBackend final : public SoundBackend {
public:
    QtSoundBackend();
    ~QtSoundBackend() override;

    void preload(const QString &path) override;
    bool play(const QString &path) override;
    void stop() override;
    bool isPlaying() const override;

private:
    friend class QtSoundWorker;
    void playbackEnded(quint64 generation);
    void playbackStarted(quint64 generation);

    QThread thread_;
    QtSoundWorker *worker_ = nullptr;
    std::atomic<quint64> generation_{0};
    std::atomic<bool> playing_{false};
};

// Lives on the backend's thread.
class QtSoundWorker final : public QObject {
    Q_OBJECT
public:
    explicit QtSoundWorker(QtSoundBackend *backend) : backend_(backend) {}

    void preload(const QString &path);
    void play(const QString &path, quint64 generation);
    void stop();
    void clear();

private:
    QSoundEffect *effectFor(const QString &path);
    void startWhenReady(QSoundEffect *effect, quint64 generation);

    QtSoundBackend *backend_;
    QHash<QString, QSoundEffect *> effects_;
    QSoundEffect *current_ = nullptr;
    quint64 currentGeneration_ = 0;
};

} // namespace yov
