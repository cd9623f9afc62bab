#pragma once
// Starts a program the user chose (a favourite application), detached from the dashboard.
//
// A program is always started from its path and an argument list, never through a shell, so no
// text the user typed is ever read as a command. A desktop entry (a ".desktop" file) is started
// the way the desktop starts it, through "gio launch <file> [document]"; any other file is started
// directly, with the document as its one argument.
//
// The program uses QProcess::startDetached; tests install a launcher that records the requests.
#include <QString>
#include <QStringList>

namespace yov {

struct LaunchCommand {
    QString program;
    QStringList arguments;
};

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;

    // Starts the program with the arguments, detached; false when it could not be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;

    // The installed launcher; the detached-process one when none is installed.
    static ProgramLauncher &shared();
    // Installs a launcher (not owned); null restores the detached-process one.
    static void setShared(ProgramLauncher *launcher);

    // The command that starts the application at path with the document (empty: none).
    static LaunchCommand commandFor(const QString &path, const QString &document);
    // Starts the application at path with the document through the installed launcher; false for
    // an empty path or when it could not be started.
    static bool launchApplication(const QString &path, const QString &document = QString());
};

// Installs a launcher for the life of a scope.
class ScopedProgramLauncher {
public:
    explicit ScopedProgramLauncher(ProgramLauncher *launcher);
    ~ScopedProgramLauncher();
    ScopedProgramLauncher(const ScopedProgramLauncher &) = delete;
    ScopedProgramLauncher &operator=(const ScopedProgramLauncher &) = delete;

private:
    ProgramLauncher *previous_;
};

} // namespace yov
