#pragma once
// The contact dialog of the phonebook tab, built in code: name, mobile, home, office and e-mail
// fields, the remark with its label, the group pop-up with its label, OK and Cancel. What it does
// belongs to PBRecordActions; this class only builds the controls (each named after its role for
// the skin and tests) and reports the buttons and the pop-up. Closing it from the title bar is a
// Cancel.
#include "ostrel/phonebook/PBContact.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ostrel {

class PBUserWin : public QDialog {
    Q_OBJECT
public:
    explicit PBUserWin(QWidget *parent = nullptr);

    // The field of a contact field (name, mobile, home, office, e-mail).
    QLineEdit *field(ContactField which) const;
    ContactFieldTexts texts() const;
    // Sets the texts of the five fields.
    void setTexts(const ContactFieldTexts &texts);
    // Sets the field labels and buttons in the active language.
    void applyWording(const std::function<QString(const QString &)> &localized);

    QLineEdit *username = nullptr;
    QLineEdit *mobilephone = nullptr;
    QLineEdit *homephone = nullptr;
    QLineEdit *officephone = nullptr;
    QLineEdit *useremail = nullptr;
    QLineEdit *tfdUSerRemark_ = nullptr;
    QLabel *tfdUSerRemarkLabel_ = nullptr;
    QComboBox *usergroup = nullptr;
    QLabel *usergrplabel = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *cancelButton = nullptr;

signals:
    void okClicked();
    void cancelClicked();
    // The group pop-up's selection changed by the user.
    void groupSelected(int index);

protected:
    void reject() override;

private:
    QList<QPair<QLabel *, QString>> labels_;
};

} // namespace ostrel
