#pragma once
// The small sheet of the number-plan update and the restore: a message, an indeterminate progress
// bar while the work runs, and OK once the result is shown. Window-modal on the main window; it
// never runs an event loop of its own.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ostrel {

class UpdatePhonebookWindow : public QDialog {
    Q_OBJECT
public:
    explicit UpdatePhonebookWindow(QWidget *parent = nullptr);

    void setMsg(const QString &message);
    QString msg() const;
    // OK hidden, the bar running; opens on the parent (when one is given).
    void beginToCheckUpdate(QWidget *parent);
    // The message with OK, the bar stopped and hidden.
    void showResult(const QString &message);
    // Closes the sheet (OK shown and the bar stopped first).
    void endModalWindow();
    void applyWording(QString (*localized)(const QString &));

    QLabel *tfdMsg_ = nullptr;
    QProgressBar *piIndicator_ = nullptr;
    QPushButton *btnOk_ = nullptr;

private:
    void ok() { endModalWindow(); }
    void setRunning(bool running);
};

} // namespace ostrel
