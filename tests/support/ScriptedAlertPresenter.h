#pragma once
// An alert presenter for tests: it records every alert and answers from a script instead of
// showing anything. Install it with yov::ScopedAlertPresenter.
//
// Blocking alerts are answered at once. A blocking alert raised while a device record is being
// dispatched fails the running test: record handlers must use the non-blocking form.
// Non-blocking alerts stay open and are answered on the next turn of the event loop, unless the
// test holds them open (setHoldOpen) and answers them itself (answerOpen).
#include "platform/alert/AlertPresenter.h"

#include <QList>
#include <QStringList>
#include <QObject>

#include <optional>

namespace testing_support {

class ScriptedAlertPresenter final : public yov::AlertPresenter {
public:
    enum Choice { Default, Alternate };

    ScriptedAlertPresenter();
    ~ScriptedAlertPresenter() override;

    // Answers queued in order; when the queue is empty the default button is pressed.
    void pressNext(Choice choice) { script_.append(choice); }

    int presentBlocking(const yov::AlertRequest &request) override;
    void presentNonBlocking(const yov::AlertRequest &request, yov::AlertAnswer onAnswer) override;

    // Non-blocking alerts wait for answerOpen() instead of the next turn of the event loop.
    void setHoldOpen(bool hold) { holdOpen_ = hold; }
    bool holdsOpen() const { return holdOpen_; }
    // Non-blocking alerts not answered yet.
    int openCount() const { return int(open_.size()); }
    // Answers the oldest open alert now (with choice, else from the script); false when none is open.
    bool answerOpen(std::optional<Choice> choice = std::nullopt);
    // Answers every open alert now, from the script, oldest first (also those opened meanwhile).
    void answerAllOpen();

    const QList<yov::AlertRequest> &shown() const { return shown_; }
    // The messages of the alerts shown, in order.
    QStringList messages() const;
    int count() const { return int(shown_.size()); }
    void clear() { shown_.clear(); script_.clear(); }

private:
    struct Open {
        yov::AlertRequest request;
        yov::AlertAnswer onAnswer;
    };
    int answerFor(const yov::AlertRequest &request, std::optional<Choice> choice);

    QList<Choice> script_;
    QList<yov::AlertRequest> shown_;
    QList<Open> open_;
    bool holdOpen_ = false;
    QObject context_; // the next-turn answers go with the presenter
};

} // namespace testing_support
