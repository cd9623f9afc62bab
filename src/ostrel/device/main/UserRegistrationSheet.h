#pragma once
// The user-registration sheet: at launch, when the operator wants it (Main/
// Main_RegisteUserInfo_IfNeeded), it has not been confirmed (Main/Main_SendUserInfoOK), a
// destination number is configured (Main/Main_sendUserInfoToNumber_IfNeeded) and it was never
// filled in (Main/Main_FirstTimeSendUserInfo), the sheet asks for an e-mail address, a contact
// number and a date of birth. Once all three pass, they are stored (Main/Main_UserMailInfo,
// Main_UserContactInfo, Main_UserDOBInfo) and sent as three SMS, 5 s apart, without the progress
// window. While the device is ready again and the SMS area has not confirmed them, the stored
// lines are sent again (sendUserInfoIfNeededAndSendFailedBefore).
#include "ostrel/framework/neighbours/UserRegistrationSheetInterface.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <QCalendarWidget>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace ostrel {

class MainController;

class UserRegistrationSheet : public QObject, public UserRegistrationSheetInterface {
    Q_OBJECT
public:
    static constexpr int kFieldMaxLength = 10;
    static constexpr int kSmsIntervalMs = 5000;

    explicit UserRegistrationSheet(MainController &main);
    ~UserRegistrationSheet() override;

    // The first failing check of the three fields, in order: which field and its alert; None and
    // an empty message when all pass.
    enum class Field { None, Email, Contact, Dob };
    struct Check {
        Field field = Field::None;
        QString message;
    };
    static Check checkUserInfoValidity(const QString &email, const QString &contact, const QString &dob);

    void openUserRegisteWndIfNeedRegiste(QWidget *mainWindow) override;
    void sendUserInfoIfNeededAndSendFailedBefore() override;

    // Whether the operator wants registration and it is not confirmed, with a destination number
    // (kept for the sends).
    bool registrationPending();

    // The sheet's controls (null while no sheet is open).
    QDialog *sheet() const { return wndUserRegiste_; }
    QLineEdit *emailField() const { return tfdEmail_; }
    QLineEdit *contactField() const { return tfdContact_; }
    QLineEdit *dobField() const { return tfdDob_; }
    QCalendarWidget *calendar() const { return DateCalendar_; }
    QPushButton *calendarButton() const { return btnCalendar_; }

    // OK: validates; on success stores, ends the sheet and sends. Exit: ends it without sending.
    void clickOKofUserRegisteWnd();
    void clickOKofUserExitWnd();
    void openCalendarWnd();
    void setCalendarDateTime();
    // The three lines as they were last stored or sent.
    QStringList userRegisteInfo() const { return userRegisteInfoArray_; }

private:
    void buildSheet(QWidget *mainWindow);
    void limitTextFiledLength(QLineEdit *field);
    void saveUserInfoIntoFile();
    QStringList readUserInfoFromFile() const;
    void sendLines(const QStringList &lines);
    void endSheet();

    MainController &main_;
    QPointer<QDialog> wndUserRegiste_;
    QPointer<QLineEdit> tfdEmail_;
    QPointer<QLineEdit> tfdContact_;
    QPointer<QLineEdit> tfdDob_;
    QPointer<QCalendarWidget> DateCalendar_;
    QPointer<QPushButton> btnCalendar_;
    QStringList userRegisteInfoArray_;
    QString sendUserInfoto_;
    QList<int> pendingSends_;
};

} // namespace ostrel
