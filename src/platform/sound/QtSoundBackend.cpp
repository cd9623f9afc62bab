#include "platform/sound/QtSoundBackend.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>

#include <algorithm>

Q_LOGGING_CATEGORY(lcSound, "ostrel.sound")

namespace yov {

std::unique_ptr<SoundBackend> createQtSoundBackend()
{
    return std::make_unique<QtSoundBackend>();
}

QtSoundBackend::QtSoundBackend()
{
    thread_.setObjectName(QStringLiteral("sound"));
    worker_ = new QtSoundWorker(this);
    worker_->moveToThread(&thread_);
    thread_.start();
}

QtSoundBackend::~QtSoundBackend()
{
    QMetaObject::invokeMethod(worker_, [w = worker_] { w->clear(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    delete worker_;
}

void QtSoundBackend::preload(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    QMetaObject::invokeMethod(worker_, [w = worker_, path] { w->preload(path); }, Qt::QueuedConnection);
}

bool QtSoundBackend::play(const QString &path)
{
    const quint64 generation = ++generation_;
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        playing_ = false;
        QMetaObject::invokeMethod(worker_, [w = worker_] { w->stop(); }, Qt::QueuedConnection);
        qCInfo(lcSound) << "no sound file at" << path;
        return false;
    }
    playing_ = true;
    QMetaObject::invokeMethod(worker_, [w = worker_, path, generation] { w->play(path, generation); },
                              Qt::QueuedConnection);
    return true;
}

void QtSoundBackend::stop()
{
    ++generation_;
    playing_ = false;
    QMetaObject::invokeMethod(worker_, [w = worker_] { w->stop(); }, Qt::QueuedConnection);
}

bool QtSoundBackend::isPlaying() const
{
    return playing_;
}

// Reports about an earlier play() must not change the state of a later one.
void QtSoundBackend::playbackEnded(quint64 generation)
{
    if (generation_.load() == generation)
        playing_ = false;
}

void QtSoundBackend::playbackStarted(quint64 generation)
{
    if (generation_.load() == generation)
        playing_ = true;
}

QSoundEffect *QtSoundWorker::effectFor(const QString &path)
{
    if (QSoundEffect *effect = effects_.value(path))
        return effect;
    auto *effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(path));
    effects_.insert(path, effect);
    connect(effect, &QSoundEffect::statusChanged, this, [this, effect] {
        if (effect->status() == QSoundEffect::Error) {
            qCWarning(lcSound) << "cannot load sound" << effect->source().toLocalFile();
            if (effect == current_)
                backend_->playbackEnded(currentGeneration_);
        } else if (effect->status() == QSoundEffect::Ready && effect == current_
                   && effect->property("ostrelPlayWhenReady").toBool()) {
            effect->setProperty("ostrelPlayWhenReady", false);
            effect->play();
        }
    });
    connect(effect, &QSoundEffect::playingChanged, this, [this, effect] {
        if (effect != current_)
            return;
        if (effect->isPlaying())
            backend_->playbackStarted(currentGeneration_);
        else if (!effect->property("ostrelPlayWhenReady").toBool())
            backend_->playbackEnded(currentGeneration_);
    });
    return effect;
}

void QtSoundWorker::preload(const QString &path)
{
    effectFor(path);
}

void QtSoundWorker::play(const QString &path, quint64 generation)
{
    stop();
    if (QMediaDevices::audioOutputs().isEmpty()) {
        // Without an output the effect would stay "playing" for ever and hold back every later
        // sound; nothing can be heard, so the sound is over at once.
        qCInfo(lcSound) << "no audio output: not playing" << path;
        backend_->playbackEnded(generation);
        return;
    }
    QSoundEffect *effect = effectFor(path);
    current_ = effect;
    currentGeneration_ = generation;
    startWhenReady(effect, generation);
}

void QtSoundWorker::startWhenReady(QSoundEffect *effect, quint64 generation)
{
    switch (effect->status()) {
    case QSoundEffect::Ready:
        effect->play();
        break;
    case QSoundEffect::Error:
        backend_->playbackEnded(generation);
        break;
    default: // still loading: started by statusChanged
        effect->setProperty("ostrelPlayWhenReady", true);
        break;
    }
}

void QtSoundWorker::stop()
{
    if (!current_)
        return;
    QSoundEffect *effect = current_;
    current_ = nullptr;
    effect->setProperty("ostrelPlayWhenReady", false);
    effect->stop();
}

void QtSoundWorker::clear()
{
    // Qt Multimedia's sample cache is a global whose destructor, at process exit, waits for its
    // loader thread while holding the lock that thread needs to finish a sample still loading: the
    // process would never end. So the samples this worker asked for finish loading first (the
    // loader's reports arrive on this thread's event loop), for at most two seconds.
    const QDeadlineTimer deadline(2000);
    const auto loading = [this] {
        return std::any_of(effects_.cbegin(), effects_.cend(),
                           [](const QSoundEffect *e) { return e->status() == QSoundEffect::Loading; });
    };
    while (loading() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    stop();
    qDeleteAll(effects_);
    effects_.clear();
}

} // namespace yov
