#pragma once
// A program launcher that records the programs it is asked to start instead of starting them, and
// answers with a chosen result. Install it with yov::ScopedProgramLauncher.
#include "platform/process/ProgramLauncher.h"

#include <QList>
#include <QStringList>

namespace testing_support {

struct RecordingLauncher final : yov::ProgramLauncher {
    QList<yov::LaunchCommand> started;
    bool result = true;
    bool startDetached(const QString &program, const QStringList &arguments) override
    {
        started.append({program, arguments});
        return result;
    }
    // Each start as one list: the program, then its arguments.
    QList<QStringList> commandLines() const
    {
        QList<QStringList> lines;
        for (const yov::LaunchCommand &command : started)
            lines << (QStringList{command.program} + command.arguments);
        return lines;
    }
};

} // namespace testing_support
