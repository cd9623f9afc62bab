#include "platform/process/UnixSignalWatcher.h"

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace yov {

namespace {

int g_fds[2] = {-1, -1};

void onSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] ssize_t n = ::write(g_fds[0], &byte, 1);
}

} // namespace

UnixSignalWatcher::UnixSignalWatcher(QObject *parent) : QObject(parent)
{
    if (g_fds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_fds) == 0) {
        ::fcntl(g_fds[0], F_SETFL, O_NONBLOCK);
        ::fcntl(g_fds[1], F_SETFL, O_NONBLOCK);
    }
    if (g_fds[1] >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(g_fds[1], QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &UnixSignalWatcher::readPending);
    }
}

UnixSignalWatcher::~UnixSignalWatcher() = default;

bool UnixSignalWatcher::watch(int signalNumber)
{
    if (g_fds[0] < 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(signalNumber, &action, nullptr) == 0;
}

void UnixSignalWatcher::readPending()
{
    unsigned char byte = 0;
    while (::read(g_fds[1], &byte, 1) == 1)
        emit unixSignal(int(byte));
}

} // namespace yov
