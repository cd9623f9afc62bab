#include "support/ScriptedAlertPresenter.h"

#include "platform/RecordDispatch.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace testing_support {

ScriptedAlertPresenter::ScriptedAlertPresenter() = default;
ScriptedAlertPresenter::~ScriptedAlertPresenter() = default;

int ScriptedAlertPresenter::answerFor(const yov::AlertRequest &request, std::optional<Choice> choice)
{
    if (!choice)
        choice = script_.isEmpty() ? Default : script_.takeFirst();
    // An alternate answer makes sense only when the alert has an alternate button.
    if (*choice == Alternate && !request.alternateButton.isEmpty())
        return AlternateReturn;
    return DefaultReturn;
}

int ScriptedAlertPresenter::presentBlocking(const yov::AlertRequest &request)
{
    if (yov::RecordDispatchScope::active())
        ADD_FAILURE() << "blocking alert \"" << request.title.toStdString() << ": " << request.message.toStdString()
                      << "\" raised while device record " << yov::RecordDispatchScope::current().toStdString()
                      << " is being handled; a record handler must use the non-blocking form";
    shown_.append(request);
    return answerFor(request, std::nullopt);
}

void ScriptedAlertPresenter::presentNonBlocking(const yov::AlertRequest &request, yov::AlertAnswer onAnswer)
{
    shown_.append(request);
    open_.append({request, std::move(onAnswer)});
    if (!holdOpen_)
        QTimer::singleShot(0, &context_, [this] { answerOpen(); });
}

bool ScriptedAlertPresenter::answerOpen(std::optional<Choice> choice)
{
    if (open_.isEmpty())
        return false;
    Open alert = open_.takeFirst();
    const int answer = answerFor(alert.request, choice);
    if (alert.onAnswer)
        alert.onAnswer(answer);
    return true;
}

QStringList ScriptedAlertPresenter::messages() const
{
    QStringList texts;
    for (const yov::AlertRequest &r : shown_)
        texts << r.message;
    return texts;
}

void ScriptedAlertPresenter::answerAllOpen()
{
    while (answerOpen()) {
    }
}

} // namespace testing_support
