// UserRegistrationSheet: the registration sheet and its SMS.
#include "ostrel/device/main/UserRegistrationSheet.h"

#include "common/ValueConversion.h"
#include "common/util/Regex.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/main/MainControllerText.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QVBoxLayout>

Q_DECLARE_LOGGING_CATEGORY(lcMainController)

namespace ostrel {

using main_text::tr_;

namespace {

const QString kRegistrationModule = QStringLiteral("Main");
const QString kDobPlaceholder = QStringLiteral("dd/mm/yyyy");

// The patterns are matched anywhere in the text. The contact and date fields never hold more than
// ten characters, so their patterns check the whole text; the e-mail pattern is left open at the
// end so that a domain with two dots ("mail.example.com") passes.
const QString kEmailPattern = QStringLiteral("^([a-zA-Z0-9%_.+\\-]+)@([a-zA-Z0-9\\-]+?\\.[a-zA-Z]{2,6})");
const QString kContactPattern = QStringLiteral("^[0-9]{10,10}");
const QString kDobPattern = QStringLiteral("(0[1-9]|[1-2][0-9]|31|30)/(0[1-9]|1[0-2])/"
                                           "([0-9]{3}[1-9]|[0-9]{2}[1-9][0-9]{1}|[0-9]{1}[1-9][0-9]{2}|[1-9][0-9]{3})");

} // namespace

UserRegistrationSheet::UserRegistrationSheet(MainController &main) : main_(main) {}

UserRegistrationSheet::~UserRegistrationSheet()
{
    for (int id : std::as_const(pendingSends_))
        main_.clock().cancel(id);
    delete wndUserRegiste_.data();
}

UserRegistrationSheet::Check UserRegistrationSheet::checkUserInfoValidity(const QString &email, const QString &contact,
                                                                           const QString &dob)
{
    if (email.isEmpty())
        return {Field::Email, QStringLiteral("Email address information is not input!")};
    if (!yov::Regex::isMatchedByRegex(email, kEmailPattern))
        return {Field::Email, QStringLiteral("Mail address incorrect format!")};
    if (contact.isEmpty())
        return {Field::Contact, QStringLiteral("Contact information is not input!")};
    if (!yov::Regex::isMatchedByRegex(contact, kContactPattern))
        return {Field::Contact, QStringLiteral("Contact incorrect format!")};
    if (dob.isEmpty())
        return {Field::Dob, QStringLiteral("Dob information is not input!")};
    if (!yov::Regex::isMatchedByRegex(dob, kDobPattern))
        return {Field::Dob, QStringLiteral("Dob incorrect format!")};
    return {};
}

bool UserRegistrationSheet::registrationPending()
{
    const ConfigManager &config = main_.config();
    auto value = [&config](const char *key) {
        return config.getConfigurationByModuleAndKey(kRegistrationModule, QString::fromLatin1(key));
    };
    if (!yov::nsBool(value("Main_RegisteUserInfo_IfNeeded")) || yov::nsBool(value("Main_SendUserInfoOK")))
        return false;
    const QString number = yov::nsString(value("Main_sendUserInfoToNumber_IfNeeded")).trimmed();
    if (number.isEmpty())
        return false;
    sendUserInfoto_ = number;
    return true;
}

void UserRegistrationSheet::openUserRegisteWndIfNeedRegiste(QWidget *mainWindow)
{
    if (!registrationPending())
        return;
    if (!yov::nsBool(main_.config().getConfigurationByModuleAndKey(kRegistrationModule,
                                                                   QStringLiteral("Main_FirstTimeSendUserInfo"))))
        return;
    if (!wndUserRegiste_)
        buildSheet(mainWindow);
    wndUserRegiste_->open();
    wndUserRegiste_->raise();
    if (tfdEmail_)
        tfdEmail_->setFocus();
}

void UserRegistrationSheet::buildSheet(QWidget *mainWindow)
{
    auto *sheet = new QDialog(mainWindow, Qt::Sheet);
    sheet->setObjectName(QStringLiteral("wndUserRegiste"));
    sheet->setWindowModality(mainWindow ? Qt::WindowModal : Qt::ApplicationModal);
    sheet->setWindowTitle(tr_("User registration"));
    auto *layout = new QVBoxLayout(sheet);
    auto *form = new QFormLayout;
    tfdEmail_ = new QLineEdit(sheet);
    tfdEmail_->setObjectName(QStringLiteral("tfdEmail"));
    tfdEmail_->setMaxLength(256);
    tfdContact_ = new QLineEdit(sheet);
    tfdContact_->setObjectName(QStringLiteral("tfdContact"));
    tfdDob_ = new QLineEdit(sheet);
    tfdDob_->setObjectName(QStringLiteral("tfdDob"));
    tfdDob_->setPlaceholderText(kDobPlaceholder);
    btnCalendar_ = new QPushButton(tr_("Calendar"), sheet);
    btnCalendar_->setObjectName(QStringLiteral("btnCalendar"));
    auto *dobRow = new QHBoxLayout;
    dobRow->addWidget(tfdDob_, 1);
    dobRow->addWidget(btnCalendar_);
    form->addRow(tr_("Email"), tfdEmail_);
    form->addRow(tr_("Contact"), tfdContact_);
    form->addRow(tr_("DOB"), dobRow);
    DateCalendar_ = new QCalendarWidget(sheet);
    DateCalendar_->setObjectName(QStringLiteral("DateCalendar"));
    DateCalendar_->setVisible(false);
    auto *ok = new QPushButton(tr_("OK"), sheet);
    ok->setObjectName(QStringLiteral("btnRegisteOK"));
    ok->setDefault(true);
    auto *exit = new QPushButton(tr_("Exit"), sheet);
    exit->setObjectName(QStringLiteral("btnRegisteExit"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exit);
    buttons->addWidget(ok);
    auto *intro = new QLabel(tr_("User registration"), sheet);
    intro->setObjectName(QStringLiteral("labelUserRegiste"));
    QFont bold = intro->font();
    bold.setBold(true);
    intro->setFont(bold);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(DateCalendar_);
    layout->addLayout(buttons);

    for (QLineEdit *field : {tfdContact_.data(), tfdDob_.data()})
        connect(field, &QLineEdit::textChanged, this, [this, field] { limitTextFiledLength(field); });
    connect(btnCalendar_, &QPushButton::clicked, this, [this] { openCalendarWnd(); });
    connect(DateCalendar_, &QCalendarWidget::clicked, this, [this] { setCalendarDateTime(); });
    connect(ok, &QPushButton::clicked, this, [this] { clickOKofUserRegisteWnd(); });
    connect(exit, &QPushButton::clicked, this, [this] { clickOKofUserExitWnd(); });
    // Escape is "Exit".
    connect(sheet, &QDialog::rejected, this, [this] { endSheet(); });
    wndUserRegiste_ = sheet;
}

void UserRegistrationSheet::limitTextFiledLength(QLineEdit *field)
{
    if (!field)
        return;
    const QString cut = Neighbours::phonebook().deleteExtraContent(field->text(), kFieldMaxLength);
    if (cut != field->text())
        field->setText(cut);
}

void UserRegistrationSheet::openCalendarWnd()
{
    if (DateCalendar_)
        DateCalendar_->setVisible(!DateCalendar_->isVisible());
}

void UserRegistrationSheet::setCalendarDateTime()
{
    if (DateCalendar_ && tfdDob_)
        tfdDob_->setText(DateCalendar_->selectedDate().toString(QStringLiteral("dd/MM/yyyy")));
}

void UserRegistrationSheet::clickOKofUserRegisteWnd()
{
    if (!tfdEmail_ || !tfdContact_ || !tfdDob_)
        return;
    const Check check = checkUserInfoValidity(tfdEmail_->text(), tfdContact_->text(), tfdDob_->text());
    if (check.field != Field::None) {
        Neighbours::phonebook().popupAlertOk(check.message);
        QLineEdit *field = check.field == Field::Email ? tfdEmail_.data()
                           : check.field == Field::Contact ? tfdContact_.data()
                                                           : tfdDob_.data();
        if (check.field == Field::Dob && check.message == QLatin1String("Dob incorrect format!"))
            tfdDob_->setText(kDobPlaceholder);
        if (field)
            field->setFocus();
        return;
    }
    userRegisteInfoArray_ = {QStringLiteral("Email ") + tfdEmail_->text(), QStringLiteral("Contact ") + tfdContact_->text(),
                             QStringLiteral("DOB ") + tfdDob_->text()};
    saveUserInfoIntoFile();
    endSheet();
    sendLines(userRegisteInfoArray_);
    ConfigManager &config = main_.config();
    config.setConfigurationByModuleKeyAndValue(kRegistrationModule, QStringLiteral("Main_FirstTimeSendUserInfo"), false);
    if (!config.writeToFile())
        qCWarning(lcMainController) << "the registration state could not be stored in the settings";
}

void UserRegistrationSheet::clickOKofUserExitWnd() { endSheet(); }

void UserRegistrationSheet::endSheet()
{
    if (QDialog *sheet = wndUserRegiste_) {
        sheet->hide();
        sheet->deleteLater();
    }
    wndUserRegiste_ = nullptr;
}

void UserRegistrationSheet::saveUserInfoIntoFile()
{
    ConfigManager &config = main_.config();
    static const char *const keys[] = {"Main_UserMailInfo", "Main_UserContactInfo", "Main_UserDOBInfo"};
    for (int i = 0; i < 3; ++i)
        config.setConfigurationByModuleKeyAndValue(kRegistrationModule, QString::fromLatin1(keys[i]),
                                                   userRegisteInfoArray_.value(i));
    if (!config.writeToFile())
        qCWarning(lcMainController) << "the registration lines could not be stored in the settings";
}

QStringList UserRegistrationSheet::readUserInfoFromFile() const
{
    QStringList lines;
    for (const char *key : {"Main_UserMailInfo", "Main_UserContactInfo", "Main_UserDOBInfo"})
        lines << yov::nsString(main_.config().getConfigurationByModuleAndKey(kRegistrationModule, QString::fromLatin1(key)));
    return lines;
}

void UserRegistrationSheet::sendLines(const QStringList &lines)
{
    if (sendUserInfoto_.isEmpty() || lines.isEmpty())
        return;
    Neighbours::smsService().setUnshowInfoWndWhenSendSmsByFlag(true);
    const QString number = sendUserInfoto_;
    for (int i = 0; i < lines.size(); ++i) {
        const QString text = lines.at(i);
        auto send = [number, text] {
            if (!Neighbours::sms().sendSmsTo(number, text, false, true, false))
                qCWarning(lcMainController) << "a registration SMS could not be handed to the SMS area";
        };
        if (i == 0) {
            send();
            continue;
        }
        const int id = main_.clock().schedule(i * kSmsIntervalMs, this, [this, send] {
            pendingSends_.removeFirst();
            send();
        });
        pendingSends_ << id;
    }
    main_.setIsSendingUserInfo(true);
    Neighbours::sms().setSendSMSBtnStatWhenSendUserInfo(false);
}

void UserRegistrationSheet::sendUserInfoIfNeededAndSendFailedBefore()
{
    if (!registrationPending())
        return;
    if (yov::nsBool(main_.config().getConfigurationByModuleAndKey(kRegistrationModule,
                                                                  QStringLiteral("Main_FirstTimeSendUserInfo"))))
        return;
    if (!pendingSends_.isEmpty())
        return; // the earlier sends are still going out
    const QStringList lines = readUserInfoFromFile();
    if (lines.contains(QString())) {
        qCWarning(lcMainController) << "the stored registration lines are incomplete: nothing is sent again";
        return;
    }
    userRegisteInfoArray_ = lines;
    sendLines(lines);
}

} // namespace ostrel
