#pragma once
// Turns Unix signals into a Qt signal on the event loop (self-pipe): the handler itself only writes
// one byte, everything else runs on the main thread.

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace yov {

class UnixSignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit UnixSignalWatcher(QObject *parent = nullptr);
    ~UnixSignalWatcher() override;

    // Starts watching a signal (e.g. SIGTERM); false when the handler cannot be installed.
    bool watch(int signalNumber);

signals:
    void unixSignal(int signalNumber);

private:
    void readPending();
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace yov
