#pragma once
// The alerts and sheets of the settings window, one at a time on the window they hang on.
//
// Every alert and sheet of the settings area begins here and the caller returns at once: alerts
// are the non-blocking kind (NSBeginAlertPanelExt), sheets are window-modal dialogs opened with
// open(), never exec(). A record handler that raises one therefore never holds up the device link.
//
// One item shows at a time. Items begun while one shows wait, in order, and show when it ends. An
// item begun on a showing sheet (its parent is that sheet, e.g. an error about the sheet's input)
// shows on top of it at once. An item's end action runs after its answer: an alert's with the
// button pressed (1 default, 0 alternate), a sheet's with the dialog's result code.
#include "platform/alert/AlertPresenter.h"

#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <deque>
#include <functional>

namespace ostrel {

class SettingSheetQueue : public QObject {
    Q_OBJECT
public:
    using EndAction = std::function<void(int)>;

    explicit SettingSheetQueue(QObject *parent = nullptr);
    ~SettingSheetQueue() override;

    // Begins an alert. on: a showing sheet to put it on top of (null: the window's turn).
    void beginAlert(const yov::AlertRequest &request, EndAction onEnd = {}, QWidget *on = nullptr);
    // Begins the sheet (window-modal on its parent window). The sheet is not owned; it ends when
    // it is finished (accept, reject, done).
    void beginSheet(QDialog *sheet, EndAction onEnd = {});

    // The sheet on top (null when none shows or an alert is on top).
    QDialog *showingSheet() const;
    bool isShowing() const { return !showing_.empty(); }
    // Whether the sheet shows or waits its turn.
    bool holdsSheet(const QDialog *sheet) const;
    int waitingCount() const { return int(waiting_.size()); }
    // Closes every showing and waiting sheet (their end actions do not run); for a window change.
    void closeAll();

private:
    struct Item {
        bool isSheet = false;
        yov::AlertRequest request;
        QPointer<QDialog> sheet;
        EndAction onEnd;
        QPointer<QWidget> on;
        quint64 id = 0;
    };
    void show(Item item);
    void ended(quint64 id, int answer);
    void next();
    bool isOnShowingSheet(const Item &item) const;

    std::deque<Item> waiting_;
    QList<Item> showing_; // the base item first, items on top of it after it
    quint64 nextId_ = 1;
    bool closing_ = false;
};

} // namespace ostrel
