#pragma once
// A file chooser for tests: it records every request and answers from a script instead of showing
// a dialog. Install it with yov::ScopedFileChooser.
//
// Answers come at once (inside the call), in the order queued; with nothing queued the request is
// cancelled. A "save as" answer goes through the same file-type rule as the real dialog.
#include "platform/filechooser/FileChooser.h"

#include <QList>

namespace testing_support {

class ScriptedFileChooser final : public yov::FileChooser {
public:
    // The next request chooses this path (with the first offered type unless fileType is given).
    void chooseNext(const QString &path, const QString &fileType = QString());
    // The next request is cancelled.
    void cancelNext();

    void chooseFileToSave(const yov::FileChooserRequest &request, yov::FileChooserCallback onAnswer) override;
    void chooseFileToOpen(const yov::FileChooserRequest &request, yov::FileChooserCallback onAnswer) override;

    const QList<yov::FileChooserRequest> &requests() const { return requests_; }

private:
    struct Scripted {
        bool accept = false;
        QString path;
        QString fileType;
    };
    void answer(const yov::FileChooserRequest &request, bool save, const yov::FileChooserCallback &onAnswer);

    QList<Scripted> script_;
    QList<yov::FileChooserRequest> requests_;
};

} // namespace testing_support
