#include "support/ScriptedFileChooser.h"

#include <QFileInfo>

namespace testing_support {

void ScriptedFileChooser::chooseNext(const QString &path, const QString &fileType)
{
    script_.append(Scripted{true, path, fileType});
}

void ScriptedFileChooser::cancelNext() { script_.append(Scripted{}); }

void ScriptedFileChooser::chooseFileToSave(const yov::FileChooserRequest &request, yov::FileChooserCallback onAnswer)
{
    answer(request, true, onAnswer);
}

void ScriptedFileChooser::chooseFileToOpen(const yov::FileChooserRequest &request, yov::FileChooserCallback onAnswer)
{
    answer(request, false, onAnswer);
}

void ScriptedFileChooser::answer(const yov::FileChooserRequest &request, bool save,
                                 const yov::FileChooserCallback &onAnswer)
{
    requests_.append(request);
    const Scripted next = script_.isEmpty() ? Scripted{} : script_.takeFirst();
    yov::FileChooserAnswer a;
    if (next.accept) {
        const QString type = !next.fileType.isEmpty() ? next.fileType
                             : request.fileTypes.isEmpty() ? QFileInfo(next.path).suffix()
                                                           : request.fileTypes.first();
        a.accepted = true;
        a.path = save ? yov::FileChooser::pathWithFileType(next.path, type, request.fileTypes) : next.path;
        a.fileType = type;
    }
    if (onAnswer)
        onAnswer(a);
}

} // namespace testing_support
