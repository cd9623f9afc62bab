#pragma once
// The rename-group window of the phonebook tab, built in code: the old name (read only), the new
// name, OK and Cancel. What it does belongs to PBRecordActions.
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace ostrel {

class PBRenameGroupWindow : public QDialog {
    Q_OBJECT
public:
    explicit PBRenameGroupWindow(QWidget *parent = nullptr);

    QLineEdit *oldGroupNameField_ = nullptr;
    QLineEdit *newGroupNameField_ = nullptr;
    QPushButton *renameGroupOkBtn_ = nullptr;
    QPushButton *renameGroupCancelBtn_ = nullptr;

signals:
    void okClicked();
    void cancelClicked();

protected:
    void reject() override { emit cancelClicked(); }
};

} // namespace ostrel
