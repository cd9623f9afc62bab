#include "platform/process/ProgramLauncher.h"

#include <QLoggingCategory>
#include <QProcess>

namespace yov {

namespace {

Q_LOGGING_CATEGORY(lcLauncher, "yov.launcher")

class DetachedProcessLauncher final : public ProgramLauncher {
public:
    bool startDetached(const QString &program, const QStringList &arguments) override
    {
        const bool started = QProcess::startDetached(program, arguments);
        if (!started)
            qCWarning(lcLauncher).noquote() << "could not start" << program;
        return started;
    }
};

ProgramLauncher *g_launcher = nullptr;

} // namespace

ProgramLauncher &ProgramLauncher::shared()
{
    static DetachedProcessLauncher detached;
    return g_launcher ? *g_launcher : detached;
}

void ProgramLauncher::setShared(ProgramLauncher *launcher) { g_launcher = launcher; }

LaunchCommand ProgramLauncher::commandFor(const QString &path, const QString &document)
{
    LaunchCommand command;
    if (path.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive)) {
        command.program = QStringLiteral("gio");
        command.arguments << QStringLiteral("launch") << path;
    } else {
        command.program = path;
    }
    if (!document.isEmpty())
        command.arguments << document;
    return command;
}

bool ProgramLauncher::launchApplication(const QString &path, const QString &document)
{
    if (path.isEmpty())
        return false;
    const LaunchCommand command = commandFor(path, document);
    return shared().startDetached(command.program, command.arguments);
}

ScopedProgramLauncher::ScopedProgramLauncher(ProgramLauncher *launcher) : previous_(g_launcher)
{
    ProgramLauncher::setShared(launcher);
}

ScopedProgramLauncher::~ScopedProgramLauncher() { ProgramLauncher::setShared(previous_); }

} // namespace yov
