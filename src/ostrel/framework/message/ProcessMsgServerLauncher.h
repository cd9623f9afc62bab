#pragma once
// Starts the device-service program as a child process (which ends when this process dies) and
// ends processes by their id.

#include "ostrel/framework/message/MsgTransport.h"

#include <QProcess>

#include <memory>

namespace ostrel {

class ProcessMsgServerLauncher final : public MsgServerLauncher {
public:
    ProcessMsgServerLauncher();
    ~ProcessMsgServerLauncher() override;

    bool launch(const QString &path) override;
    bool isRunning() const override;
    void terminate(int graceMs) override;
    void forgetLost(int graceMs) override;
    bool endProcess(qint64 pid, int graceMs) override;

    qint64 processId() const;

private:
    std::unique_ptr<QProcess> process_;
};

} // namespace ostrel
