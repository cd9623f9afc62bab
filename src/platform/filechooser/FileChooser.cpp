#include "platform/filechooser/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace yov {

namespace {

FileChooser *g_chooser = nullptr;

// "TXT files (*.txt)" for each type; "All files (*)" without types; with a name, one filter
// "Name (*.a *.b)" holding every type.
QStringList nameFilters(const QStringList &fileTypes, const QString &name)
{
    QStringList filters;
    if (!name.isEmpty() && !fileTypes.isEmpty()) {
        QStringList patterns;
        for (const QString &type : fileTypes)
            patterns << QStringLiteral("*.") + type;
        return {QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' ')))};
    }
    for (const QString &type : fileTypes)
        filters << QStringLiteral("%1 (*.%2)").arg(type.toUpper(), type);
    if (filters.isEmpty())
        filters << QStringLiteral("* (*)");
    return filters;
}

// Keeps the folders and the programs of the dialog's file list.
class ProgramFilter final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (!files)
            return true;
        const QModelIndex index = files->index(row, 0, parent);
        return files->isDir(index) || FileChooser::isProgram(files->filePath(index));
    }
};

void runDialog(const FileChooserRequest &request, QFileDialog::AcceptMode mode, FileChooserCallback onAnswer)
{
    auto *dialog = new QFileDialog(request.parent, request.title,
                                   request.directory.isEmpty() ? QDir::homePath() : request.directory);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const bool oneFilter = mode == QFileDialog::AcceptOpen && !request.fileTypesName.isEmpty();
    const QStringList filters = nameFilters(request.fileTypes, oneFilter ? request.fileTypesName : QString());
    dialog->setNameFilters(filters);
    if (request.programsOnly && mode == QFileDialog::AcceptOpen) {
        // A program has no fixed extension: the list itself is filtered (Qt's own dialog only).
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setProxyModel(new ProgramFilter(dialog));
    }
    if (!request.fileTypes.isEmpty())
        dialog->setDefaultSuffix(request.fileTypes.first());
    if (mode == QFileDialog::AcceptSave && !request.suggestedName.isEmpty())
        dialog->selectFile(request.suggestedName);
    dialog->setWindowModality(request.parent ? Qt::WindowModal : Qt::ApplicationModal);
    const QStringList types = request.fileTypes;
    QObject::connect(dialog, &QFileDialog::finished, dialog,
                     [dialog, filters, types, mode, onAnswer = std::move(onAnswer)](int result) {
                         FileChooserAnswer answer;
                         const QStringList files = dialog->selectedFiles();
                         if (result == QDialog::Accepted && !files.isEmpty()) {
                             const int filter = int(filters.indexOf(dialog->selectedNameFilter()));
                             const QString type = filter >= 0 && filter < types.size() ? types.at(filter) : QString();
                             answer.accepted = true;
                             answer.path = mode == QFileDialog::AcceptSave
                                               ? FileChooser::pathWithFileType(files.first(), type, types)
                                               : files.first();
                             answer.fileType = type.isEmpty() ? QFileInfo(answer.path).suffix() : type;
                         }
                         if (onAnswer)
                             onAnswer(answer);
                     });
    dialog->open();
}

} // namespace

FileChooser &FileChooser::shared()
{
    static DialogFileChooser dialogs;
    return g_chooser ? *g_chooser : dialogs;
}

void FileChooser::setShared(FileChooser *chooser) { g_chooser = chooser; }

QString FileChooser::pathWithFileType(const QString &path, const QString &fileType, const QStringList &fileTypes)
{
    if (fileTypes.isEmpty() || fileType.isEmpty())
        return path;
    const QString suffix = QFileInfo(path).suffix();
    for (const QString &type : fileTypes) {
        if (suffix.compare(type, Qt::CaseInsensitive) == 0)
            return path;
    }
    return path + QLatin1Char('.') + fileType;
}

bool FileChooser::isProgram(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    return info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0 || info.isExecutable();
}

void DialogFileChooser::chooseFileToSave(const FileChooserRequest &request, FileChooserCallback onAnswer)
{
    runDialog(request, QFileDialog::AcceptSave, std::move(onAnswer));
}

void DialogFileChooser::chooseFileToOpen(const FileChooserRequest &request, FileChooserCallback onAnswer)
{
    runDialog(request, QFileDialog::AcceptOpen, std::move(onAnswer));
}

ScopedFileChooser::ScopedFileChooser(FileChooser *chooser) : previous_(g_chooser) { FileChooser::setShared(chooser); }

ScopedFileChooser::~ScopedFileChooser() { FileChooser::setShared(previous_); }

} // namespace yov
