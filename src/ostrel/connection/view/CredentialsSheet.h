#pragma once
// The credentials sheet (checkUernameWin_): between the connect button and the connect road when
// the profile asks for its user name and password. OK hands the typed values to the controller,
// which sends them and resumes the connect; Cancel (or Escape) ends the request. The fields take
// only what a user name or password may hold, as it is typed.
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ostrel {

class DialController;

class CredentialsSheet : public QDialog {
    Q_OBJECT
public:
    explicit CredentialsSheet(DialController *controller, QWidget *parent = nullptr);

    // Fills the fields and shows the sheet on its window, without blocking.
    void beginSheet(const QString &userName, const QString &password, bool save);
    void checkWindowOK();
    void reject() override; // checkWindowCancel
    // Captions in the current language.
    void updateLanguages();

    QLabel *winUernameLabel_ = nullptr;
    QLabel *winPasswordLabel_ = nullptr;
    QLineEdit *winUernameText_ = nullptr;
    QLineEdit *winPasswordText_ = nullptr;
    QCheckBox *winAskUsernameCheck_ = nullptr;
    QPushButton *askWinOK_ = nullptr;
    QPushButton *askWinCancel_ = nullptr;

private:
    void filterField(QLineEdit *field);

    DialController *controller_;
};

} // namespace ostrel
