#pragma once
// An alert presenter for tests: it records every alert and answers from a script instead of
// showing anything. Install it with yov::ScopedAlertPresenter.
#include "platform/alert/AlertPresenter.h"

#include <QList>

namespace testing_support {

class ScriptedAlertPresenter final : public yov::AlertPresenter {
public:
    enum Choice { Default, Alternate };

    // Answers queued in order; when the queue is empty the default button is pressed.
    void pressNext(Choice choice) { script_.append(choice); }

    int runAlert(const yov::AlertRequest &request) override;

    const QList<yov::AlertRequest> &shown() const { return shown_; }
    int count() const { return int(shown_.size()); }
    void clear() { shown_.clear(); script_.clear(); }

private:
    QList<Choice> script_;
    QList<yov::AlertRequest> shown_;
};

} // namespace testing_support
