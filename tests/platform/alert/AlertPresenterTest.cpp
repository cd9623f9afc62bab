#include "platform/alert/AlertPresenter.h"
#include "support/ScriptedAlertPresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using testing_support::ScriptedAlertPresenter;
using yov::AlertPresenter;
using yov::AlertRequest;

namespace {

// Presses the button with the given text on the modal message box as soon as it is shown, and
// reports the texts of the buttons it saw.
void pressWhenShown(const QString &buttonText, QStringList *seenButtons)
{
    QTimer::singleShot(0, [buttonText, seenButtons] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        QPushButton *target = nullptr;
        for (QAbstractButton *b : box->buttons()) {
            seenButtons->append(b->text());
            if (b->text() == buttonText)
                target = qobject_cast<QPushButton *>(b);
        }
        if (target)
            target->click();
        else
            box->reject();
    });
}

} // namespace

TEST(AlertPresenter, SharedIsTheSystemAlertUntilOneIsInstalledAndTheGuardRestoresIt)
{
    AlertPresenter &system = AlertPresenter::shared();
    EXPECT_NE(dynamic_cast<yov::SystemAlertPresenter *>(&system), nullptr);
    ScriptedAlertPresenter scripted;
    {
        yov::ScopedAlertPresenter guard(&scripted);
        EXPECT_EQ(&AlertPresenter::shared(), &scripted);
        ScriptedAlertPresenter inner;
        {
            yov::ScopedAlertPresenter innerGuard(&inner);
            EXPECT_EQ(&AlertPresenter::shared(), &inner);
        }
        EXPECT_EQ(&AlertPresenter::shared(), &scripted);
    }
    EXPECT_EQ(&AlertPresenter::shared(), &system);
}

TEST(ScriptedAlertPresenter, AnswersFromItsScriptAndRecordsEveryAlert)
{
    ScriptedAlertPresenter scripted;
    scripted.pressNext(ScriptedAlertPresenter::Alternate);
    scripted.pressNext(ScriptedAlertPresenter::Alternate);
    EXPECT_EQ(scripted.runAlert({"Warning", "Close?", "OK", "Cancel"}), 0);
    // No alternate button: the only answer is the default one.
    EXPECT_EQ(scripted.runAlert({"Warning", "Done", "OK", {}}), 1);
    // Empty script: default.
    EXPECT_EQ(scripted.runAlert({"Warning", "Again", "OK", "Cancel"}), 1);
    ASSERT_EQ(scripted.count(), 3);
    EXPECT_EQ(scripted.shown()[1].message, "Done");
}

TEST(SystemAlertPresenter, ReturnsOneForTheDefaultAndZeroForTheAlternateButton)
{
    yov::SystemAlertPresenter system;
    struct Case {
        AlertRequest request;
        QString press;
        int expected;
        QStringList buttons;
    } cases[] = {
        {{"Warning", "Close the software?", "OK", "Cancel"}, "Cancel", 0, {"OK", "Cancel"}},
        {{"Warning", "Close the software?", "OK", "Cancel"}, "OK", 1, {"OK", "Cancel"}},
        {{"Warning", "Only one button", "Fine", {}}, "Fine", 1, {"Fine"}},
        {{"Warning", "No title given", {}, {}}, "OK", 1, {"OK"}},
    };
    for (const Case &c : cases) {
        QStringList seen;
        pressWhenShown(c.press, &seen);
        EXPECT_EQ(system.runAlert(c.request), c.expected) << c.request.message.toStdString();
        seen.sort();
        QStringList expectedButtons = c.buttons;
        expectedButtons.sort();
        EXPECT_EQ(seen, expectedButtons);
    }
}
