#include "platform/alert/AlertPresenter.h"
#include "support/ScriptedAlertPresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
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

TEST(SystemAlertPresenter, TheNonBlockingFormReturnsAtOnceAndAnswersWhenAButtonIsPressed)
{
    yov::SystemAlertPresenter system;
    struct Case {
        AlertRequest request;
        QString press; // empty: closed with Escape
        int expected;
    } cases[] = {
        {{"Warning", "Roaming now", "OK", "Cancel"}, "Cancel", 0},
        {{"Warning", "Roaming now", "OK", "Cancel"}, "OK", 1},
        {{"Warning", "Roaming now", "OK", "Cancel"}, {}, 0},   // closed: the alternate answer
        {{"Warning", "Only one button", "Fine", {}}, {}, 1},    // closed without one: the default
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.request.message.toStdString() + " / " + c.press.toStdString());
        QList<int> answers;
        system.showAlert(c.request, [&](int a) { answers << a; });
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "no alert shown";
        EXPECT_TRUE(answers.isEmpty()) << "answered before the user did";
        EXPECT_EQ(box->text(), c.request.message);
        QAbstractButton *target = nullptr;
        for (QAbstractButton *b : box->buttons())
            if (b->text() == c.press)
                target = b;
        if (target)
            target->click();
        else
            QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_EQ(answers, QList<int>{c.expected});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST(SystemAlertPresenter, ANonBlockingAlertThatGoesWithItsWindowStillAnswersOnce)
{
    // The box belongs to the window that was active; when that window is destroyed (a sheet ended
    // by the program), the box goes with it: its caller still gets the closed answer, once, later.
    yov::SystemAlertPresenter system;
    const struct {
        AlertRequest request;
        int expected;
    } cases[] = {
        {{"Warning", "Roaming now", "YES", "NO"}, 0},
        {{"Warning", "Only one button", "OK", {}}, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.request.message.toStdString());
        auto *window = new QWidget;
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_EQ(QApplication::activeWindow(), window);
        QList<int> answers;
        system.showAlert(c.request, [&](int a) { answers << a; });
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        ASSERT_EQ(box->parentWidget(), window);
        delete window;
        EXPECT_TRUE(answers.isEmpty()) << "answered from inside the window's destruction";
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(answers, QList<int>{c.expected});
    }
}

TEST(ScriptedAlertPresenter, NonBlockingAlertsStayOpenUntilAnsweredOnceEach)
{
    ScriptedAlertPresenter scripted;
    QList<int> answers;
    // Answered on the next turn of the event loop, from the script.
    scripted.pressNext(ScriptedAlertPresenter::Alternate);
    scripted.showAlert({"Warning", "Roaming", "YES", "NO"}, [&](int a) { answers << a; });
    EXPECT_TRUE(answers.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(answers, QList<int>{0});

    // Held open until the test answers.
    scripted.setHoldOpen(true);
    scripted.showAlert({"Warning", "First", "OK", {}}, [&](int a) { answers << 10 + a; });
    scripted.showAlert({"Warning", "Second", "OK", "Cancel"}, [&](int a) { answers << 20 + a; });
    QCoreApplication::processEvents();
    EXPECT_EQ(scripted.openCount(), 2);
    EXPECT_TRUE(scripted.answerOpen());
    EXPECT_TRUE(scripted.answerOpen(ScriptedAlertPresenter::Alternate));
    EXPECT_FALSE(scripted.answerOpen());
    EXPECT_EQ(answers, (QList<int>{0, 11, 20}));
    EXPECT_EQ(scripted.count(), 3);
}
