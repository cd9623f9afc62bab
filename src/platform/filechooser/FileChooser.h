#pragma once
// The one place where the dashboard asks the user for a file to save to or to open.
//
// Code that needs a file builds a FileChooserRequest and hands it to FileChooser::shared(). The
// dialog is window-modal on the request's parent window (application-modal without one) and does
// not block: the call returns at once and the answer reaches a callback later, on the main thread,
// exactly once, so a device record being handled meanwhile is never held up.
//
// The program uses the desktop's own file dialog (QFileDialog); tests install a scripted chooser
// (tests/support/ScriptedFileChooser) that answers without showing anything.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace yov {

struct FileChooserRequest {
    QString title;
    QString directory;     // where the dialog starts; empty: the user's home folder
    QString suggestedName; // the file name offered ("save as" only)
    // The file types offered, as extensions without the dot ("txt", "csv"); the first is selected.
    // Empty: any file. A saved file always ends with one of them: a name without it gets the
    // selected type's extension.
    QStringList fileTypes;
    QPointer<QWidget> parent; // the window the dialog belongs to; null: none
    // When set (opening only), the types form one filter under this name, "Audio files (*.wav *.mp3)",
    // matched without regard to case, instead of one filter per type.
    QString fileTypesName;
    // When set (opening only), the dialog lists folders and programs only: executable files and
    // desktop entries (".desktop" files).
    bool programsOnly = false;
};

struct FileChooserAnswer {
    bool accepted = false; // false: the user cancelled
    QString path;          // the chosen file
    QString fileType;      // the chosen file type (one of the request's types), else the path's suffix
};

using FileChooserCallback = std::function<void(const FileChooserAnswer &answer)>;

class FileChooser {
public:
    virtual ~FileChooser() = default;

    // "Save as": a file that may not exist yet.
    virtual void chooseFileToSave(const FileChooserRequest &request, FileChooserCallback onAnswer) = 0;
    // "Open": an existing file.
    virtual void chooseFileToOpen(const FileChooserRequest &request, FileChooserCallback onAnswer) = 0;

    // The installed chooser; the desktop's file dialog when none is installed.
    static FileChooser &shared();
    // Installs a chooser (not owned); null restores the desktop's file dialog.
    static void setShared(FileChooser *chooser);

    // The path with the extension of fileType added unless it already ends with one of the types
    // (compared without regard to case). An empty type list leaves the path as it is.
    static QString pathWithFileType(const QString &path, const QString &fileType, const QStringList &fileTypes);
    // Whether the path names a program the desktop can start: an executable file or a desktop entry.
    static bool isProgram(const QString &path);
};

// The desktop's file dialog.
class DialogFileChooser final : public FileChooser {
public:
    void chooseFileToSave(const FileChooserRequest &request, FileChooserCallback onAnswer) override;
    void chooseFileToOpen(const FileChooserRequest &request, FileChooserCallback onAnswer) override;
};

// Installs a chooser for the lifetime of the guard and puts back the previous one afterwards.
class ScopedFileChooser {
public:
    explicit ScopedFileChooser(FileChooser *chooser);
    ~ScopedFileChooser();
    ScopedFileChooser(const ScopedFileChooser &) = delete;
    ScopedFileChooser &operator=(const ScopedFileChooser &) = delete;

private:
    FileChooser *previous_;
};

} // namespace yov
