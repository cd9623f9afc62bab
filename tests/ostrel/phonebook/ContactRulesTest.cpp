// The rules of adds, edits and copies: live cuts, the checks of the dialog's OK, group names,
// uniqueness, the renaming of duplicates and the free-space tests.
#include "PhonebookHarness.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace pbtest;

namespace {

ContactDialogValues dialog(const QString &name, const QString &mobile, const QString &group = QString(), int savePosition = 0)
{
    ContactDialogValues values;
    values.fields.name = name;
    values.fields.mobile = mobile;
    values.groupName = group;
    values.savePosition = savePosition;
    return values;
}

TEST(ContactChecks, ContentInFieldOrderWithTheFailingFieldAndText)
{
    const QString invalid = QStringLiteral("The item contains invalid charactor(s)!");
    const struct {
        const char *label;
        ContactFieldTexts texts;
        ContactField field;
        QString message;
    } cases[] = {
        {"a dialable number", {"Tom", "+12*3#", "", "", ""}, ContactField::None, QString()},
        {"a plus inside", {"Tom", "1+2", "", "", ""}, ContactField::Mobile, invalid},
        {"a letter", {"Tom", "12a", "", "", ""}, ContactField::Mobile, invalid},
        {"a bar", {"Tom", "12|3", "", "", ""}, ContactField::Mobile, invalid},
        {"no name comes first", {"", "x", "", "", ""}, ContactField::Name, QStringLiteral("The name should not be null!")},
        {"a blank before the name", {" Tom", "1", "", "", ""}, ContactField::Name, invalid},
        {"a blank after the name", {"Tom\t", "1", "", "", ""}, ContactField::Name, invalid},
        {"no mobile", {"Tom", "", "", "", ""}, ContactField::Mobile, QStringLiteral("The mobilephone should not be null!")},
        {"a bad home number", {"Tom", "1", "12a", "", ""}, ContactField::Home, invalid},
        {"a bad office number", {"Tom", "1", "", "0-1", ""}, ContactField::Office, invalid},
        {"an e-mail without @", {"Tom", "1", "", "", "tom.example.org"}, ContactField::Email, QStringLiteral("Mail address should contain '@'!")},
        {"everything filled in", {"Tom", "1", "2", "3", "t@example.org"}, ContactField::None, QString()},
    };
    for (const auto &c : cases) {
        const FieldCheck check = ContactFieldRules::checkTextFieldContent(c.texts);
        EXPECT_EQ(check.field, c.field) << c.label;
        EXPECT_EQ(check.message, c.message) << c.label;
    }
}

TEST(ContactChecks, ConfiguredMinimumLengthsWithTheirValueInTheText)
{
    Harness h({{QStringLiteral("PhoneBook_UserMobilePhoneLen"), 10}, {QStringLiteral("PhoneBook_UserHomePhoneLen"), 5}});
    PBController &pb = h.start();
    const struct {
        const char *label;
        QString mobile;
        QString home;
        ContactField field;
        QString text;
    } cases[] = {
        {"short mobile", "12345", "", ContactField::Mobile, QStringLiteral("MobilePhone Number is less than 10")},
        {"long enough, empty home", "1234567890", "", ContactField::None, QString()},
        {"short home", "1234567890", "123", ContactField::Home, QStringLiteral("HomePhone Number is less than 5 !")},
    };
    for (const auto &c : cases) {
        ContactDialogValues values = dialog(QStringLiteral("Tom"), c.mobile);
        values.fields.home = c.home;
        const FieldCheck check = pb.checkTextFieldLength(values);
        EXPECT_EQ(check.field, c.field) << c.label;
        EXPECT_EQ(check.passed() ? QString() : check.localizedMessage(), c.text) << c.label;
    }
}

TEST(ContactChecks, GroupNames)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("Family")), group(QStringLiteral("Work"))}));
    PBController &pb = h.start();
    const struct {
        const char *label;
        QString name;
        int row;
        QString message;
    } cases[] = {
        {"empty", QString(), 0, QStringLiteral("The item should not be null!")},
        {"above 40 bytes", QString(41, QLatin1Char('g')), 0, QStringLiteral("The groupname is too long!")},
        {"14 characters of 3 bytes", QString(14, QChar(0x4E2D)), 0, QStringLiteral("The groupname is too long!")},
        {"a leading blank", QStringLiteral(" Club"), 0, QStringLiteral("The item contains invalid charactor(s)!")},
        {"a trailing blank", QStringLiteral("Club "), 0, QStringLiteral("The item contains invalid charactor(s)!")},
        {"another group's name", QStringLiteral("Work"), 0, QStringLiteral("The groupname has existed!")},
        {"the group's own name", QStringLiteral("Work"), 1, QString()},
        {"a new name of 40 bytes", QString(40, QLatin1Char('g')), 0, QString()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pb.checkGroupName(c.name, c.row).message, c.message) << c.label;
}

TEST(ContactChecks, PlugInCharacterTests)
{
    EXPECT_TRUE(ContactFieldRules::checkNameItem(QStringLiteral("Tom_1")));
    EXPECT_FALSE(ContactFieldRules::checkNameItem(QStringLiteral("Tom 1")));
    EXPECT_FALSE(ContactFieldRules::checkNameItem(QString()));
    const struct {
        const char *number;
        bool refused;
    } numbers[] = {{"", false}, {"+49301", false}, {"*100#", false}, {"+", true}, {"1+2", true}, {"12a", true}, {"++1", true}};
    for (const auto &n : numbers)
        EXPECT_EQ(ContactFieldRules::checkAddFlag(QLatin1String(n.number)), n.refused) << n.number;
}

TEST(LiveCuts, EachFieldToItsLimitByTargetStorage)
{
    const QString longName = QStringLiteral("Alexandra of the House of Nobody in Particular, Esq.");
    {
        Harness h;
        PBController &pb = h.start();
        pb.simNameMaxLen_ = 14;
        pb.simNumberMaxLen_ = 4;
        pb.simNumber2MaxLen_ = 0; // this SIM keeps no second number
        EXPECT_EQ(pb.limitTextFieldLength(ContactField::Name, longName, 0), longName.left(40));
        EXPECT_EQ(pb.limitTextFieldLength(ContactField::Name, QString::fromUtf8("中文名字测试小明大华"), 1), QString::fromUtf8("中文名字测试"));
        EXPECT_EQ(pb.limitTextFieldLength(ContactField::Name, longName, 3), longName) << "no limit for another storage";
        EXPECT_EQ(pb.limitTextFieldLength(ContactField::Mobile, QStringLiteral("123456"), 1), QStringLiteral("1234"));
        EXPECT_EQ(pb.limitTextFieldLength(ContactField::Home, QStringLiteral("123456"), 1), QString());
        EXPECT_EQ(pb.limitTextFieldLength(ContactField::Email, QString(50, QLatin1Char('e')), 0), QString(40, QLatin1Char('e')));
    }
    Harness h({{QStringLiteral("PhoneBook_UserNameLen"), 5}, {QStringLiteral("PhoneBook_UserMobilePhoneLen"), 10}});
    PBController &pb = h.start();
    pb.simNumberMaxLen_ = 4;
    EXPECT_EQ(pb.limitTextFieldLength(ContactField::Name, longName, 3), QStringLiteral("Alexa"));
    EXPECT_EQ(pb.limitTextFieldLength(ContactField::Mobile, QStringLiteral("123456"), 1), QStringLiteral("123456"))
        << "a configured length is a minimum: the text stays as typed";
}

TEST(FieldFlags, TheDialogsFieldsFollowTheDeviceFlags)
{
    EXPECT_EQ(ContactFieldRules::CONTACT_FIELD_MASKLIST(), (std::array<int, 5>{1, 2, 4, 8, 16}));
    const QVariantMap stored = contact("Ann", "1", {{QStringLiteral("homephone"), QStringLiteral("2")}, {QStringLiteral("email"), QStringLiteral("a@b")}});
    const ContactFieldTexts texts = ContactFieldRules::rearrangeEditDialogTextfieldsByContact(stored, 3);
    EXPECT_EQ(texts.name, QStringLiteral("Ann"));
    EXPECT_EQ(texts.mobile, QStringLiteral("1"));
    EXPECT_TRUE(texts.home.isEmpty() && texts.email.isEmpty());
    EXPECT_FALSE(ContactFieldRules::isFieldEnabled(3, ContactField::Home));

    QVariantMap collected;
    ContactFieldRules::collectContactFields(collected, {"Bo", "9", "8", "7", ""}, 1 | 2 | 16);
    EXPECT_EQ(collected, (QVariantMap{{QStringLiteral("username"), QStringLiteral("Bo")}, {QStringLiteral("mobilephone"), QStringLiteral("9")},
                                      {QStringLiteral("email"), QString()}}));
}

TEST(Uniqueness, NameAndNumberAgainstTheSwitchesTheOperationAndTheChosenGroup)
{
    const QString same = QStringLiteral("You have saved same Name/MobilePhone before!");
    const struct {
        const char *label;
        QVariantMap switches;
        int operation;
        QString group;
        std::optional<ContactPlace> edited;
        QString message;
    } cases[] = {
        {"both switches off: no test", {}, 3, "B", std::nullopt, QString()},
        {"unique in the storage: add to another group", {{"PBNameAndNumberUnique", true}}, 3, "B", std::nullopt, same},
        {"unique in a group: add to another group", {{"NotAllowSameRecordInOneGroup", true}}, 3, "B", std::nullopt, QString()},
        {"unique in a group: add to the same group", {{"NotAllowSameRecordInOneGroup", true}}, 3, "A", std::nullopt, same},
        {"unique in a group: copy to another group", {{"NotAllowSameRecordInOneGroup", true}}, 6, "B", std::nullopt, QString()},
        {"unique in a group: copy to the same group", {{"NotAllowSameRecordInOneGroup", true}}, 6, "A", std::nullopt, same},
        {"an edit of that very contact", {{"PBNameAndNumberUnique", true}}, 4, "A", ContactPlace{PBStorage::PC, 0, 0}, QString()},
        {"an edit of another contact", {{"PBNameAndNumberUnique", true}}, 4, "B", ContactPlace{PBStorage::PC, 1, 0}, same},
    };
    for (const auto &c : cases) {
        Harness h(c.switches);
        ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("A"), {contact("Tom", "1")}), group(QStringLiteral("B"), {contact("Eve", "2")})}));
        PBController &pb = h.start();
        pb.phonebookOperate_ = c.operation;
        pb.setPcContact(c.edited);
        EXPECT_EQ(pb.validTextFieldContent(dialog(QStringLiteral("Tom"), QStringLiteral("1"), c.group)).message, c.message) << c.label;
    }
}

TEST(Uniqueness, OnTheSimAndByName)
{
    Harness h({{QStringLiteral("PBNameAndNumberUnique"), true}, {QStringLiteral("ContactNameUniqueCheckingEnabled"), true}});
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("A"), {contact("Tom", "1")})}));
    PBController &pb = h.start();
    pb.m_SimPhoneList = {contact("Sam", "5", {{QStringLiteral("index"), 1}})};
    pb.phonebookOperate_ = PBController::OperationAdd;

    EXPECT_EQ(pb.validTextFieldContent(dialog("Tom", "9", "A")).message, QStringLiteral("The name is already exist !"));
    EXPECT_TRUE(pb.validTextFieldContent(dialog("Tom", "9", "A", 1)).passed()) << "no Tom on the SIM";
    EXPECT_EQ(pb.validTextFieldContent(dialog("Sam", "5", QString(), 1)).message, QStringLiteral("The name is already exist !"));
    EXPECT_TRUE(pb.contactNameExist(QStringLiteral("Sam"), 1));
    EXPECT_FALSE(pb.contactNameIsUnique(QStringLiteral("Sam")));
    // The plug-in path: both present, the name new on the computer and the SIM.
    EXPECT_EQ(pb.isUserNameAndMobilePhoneRightful({"Sam", "7", "", "", ""}).message, QStringLiteral("The name is already exist !"));
    EXPECT_EQ(pb.isUserNameAndMobilePhoneRightful({"Ida", "", "", "", ""}).field, ContactField::Mobile);
    EXPECT_TRUE(pb.isUserNameAndMobilePhoneRightful({"Ida", "7", "", "", ""}).passed());

    pb.phonebookOperate_ = PBController::OperationEdit;
    pb.setSimContact(ContactPlace{PBStorage::SIM, -1, 0});
    EXPECT_TRUE(pb.validTextFieldContent(dialog("Sam", "5", QString(), 1)).passed()) << "editing the SIM contact itself";
    pb.setPcContact(ContactPlace{PBStorage::PC, 0, 0});
    EXPECT_TRUE(pb.validTextFieldContent(dialog("Tom", "1", "A")).passed()) << "editing the computer contact itself";
    EXPECT_TRUE(pb.contactNameExist(QStringLiteral("Tom"), 0)) << "the plain test knows no exception";
}

TEST(Renaming, ACopiedDuplicateTakesTheFirstFreeNumber)
{
    Harness h({{QStringLiteral("ContactNameUniqueCheckingEnabled"), true}, {QStringLiteral("D3UDefinedPBItemLength"), true}});
    ASSERT_TRUE(h.writeList(QVariantList{
        group(QStringLiteral("A"), {contact("Tom", "1"), contact("Tom1", "2"), contact("Maximilian Ross", "3"), contact("Maximilian Ros1", "4")})}));
    PBController &pb = h.start();
    pb.simNameMaxLen_ = 6;
    pb.m_SimPhoneList = {contact("Robert", "5")};
    pb.m_AddContactList = {contact("Tom2", "6")};

    const struct {
        const char *name;
        int storage;
        const char *renamed;
    } cases[] = {
        {"Tom", 0, "Tom3"},             // Tom, Tom1 and the pending Tom2 are taken
        {"Maximilian Ross", 0, "Maximilian Ros2"}, // the suffix takes the place of the last characters
        {"Robert", 1, "Rober1"},        // the SIM's name limit
        {"Eve", 0, "Eve"},              // nothing resembles it
        {"Tomas", 0, "Tomas"},          // resembles nothing: only longer names contain a name
    };
    for (const auto &c : cases) {
        QVariantMap copied = contact(QLatin1String(c.name), "9");
        pb.doUniqueCheckIfNeededOfContact(copied, c.storage);
        EXPECT_EQ(contactName(copied), QLatin1String(c.renamed)) << c.name;
    }
    pb.m_AddContactList.clear();
    QVariantMap tom = contact("Tom", "9");
    pb.doUniqueCheckIfNeededOfContact(tom, 0);
    EXPECT_EQ(contactName(tom), QStringLiteral("Tom2"));
}

TEST(Renaming, OnlyWithTheSwitch)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("A"), {contact("Tom", "1")})}));
    PBController &pb = h.start();
    QVariantMap tom = contact("Tom", "9");
    pb.doUniqueCheckIfNeededOfContact(tom, 0);
    EXPECT_EQ(contactName(tom), QStringLiteral("Tom"));
}

TEST(FreeSpace, RoomForOneAndForThePreparedContacts)
{
    using Choice = testing_support::ScriptedAlertPresenter::Choice;
    const QString simQuestion = QStringLiteral(
        "You are copying more contacts than the left capacity of SIM card, would you like to transfer the number of contacts supported by SIM card?");
    const QString meQuestion = QStringLiteral(
        "You are copying more contacts than the left capacity of Data Card, would you like to transfer the number of contacts supported by Data card?");
    const struct {
        const char *label;
        bool tip;
        QString destination;
        int prepared;
        std::optional<Choice> answer;
        bool passes;
        QString alert;
    } cases[] = {
        {"nothing prepared fails silently", false, "(U)SIM", 0, std::nullopt, false, QString()},
        {"the computer always passes", false, "PC", 50, std::nullopt, true, QString()},
        {"the SIM takes them all", false, "(U)SIM", 2, std::nullopt, true, QString()},
        {"too many for the SIM, refused with the tip", true, "(U)SIM", 3, std::nullopt, false,
         QStringLiteral("SIM card has not enough space,Please delete records first!")},
        {"too many for the SIM, asked and OK", false, "(U)SIM", 3, Choice::Default, true, simQuestion},
        {"too many for the SIM, asked and cancelled", false, "(U)SIM", 3, Choice::Alternate, false, simQuestion},
        {"too many for the device, refused with the tip", true, "Data Card", 1, std::nullopt, false,
         QStringLiteral("Data Card has not enough space,Please delete records first!")},
        {"too many for the device, asked and OK", false, "Data Card", 1, Choice::Default, true, meQuestion},
    };
    for (const auto &c : cases) {
        Harness h({{QStringLiteral("D3UNotEnoughSpaceTip"), c.tip}});
        PBController &pb = h.start();
        pb.simMaxIndex_ = 5;
        pb.m_SimPhoneList = {contact("A"), contact("B"), contact("C")};
        pb.meMaxIndex_ = 2;
        pb.m_MePhoneList = {contact("D"), contact("E")};
        if (c.answer)
            h.presenter.pressNext(*c.answer);
        EXPECT_EQ(pb.reCheckFreeSpace(c.destination, c.prepared), c.passes) << c.label;
        ASSERT_EQ(h.presenter.count(), c.alert.isEmpty() ? 0 : 1) << c.label;
        if (!c.alert.isEmpty()) {
            EXPECT_EQ(h.presenter.shown().first().message, c.alert) << c.label;
            EXPECT_EQ(h.presenter.shown().first().title, QStringLiteral("Warning!"));
            EXPECT_EQ(h.presenter.shown().first().alternateButton.isEmpty(), c.tip) << c.label;
        }
    }
}

TEST(FreeSpace, RoomForOneMoreContactInEachStorage)
{
    Harness h;
    PBController &pb = h.start();
    pb.simMaxIndex_ = 2;
    pb.m_SimPhoneList = {contact("A")};
    pb.meMaxIndex_ = 1;
    pb.m_MePhoneList = {contact("B")};
    EXPECT_TRUE(pb.checkFreeSpace(QStringLiteral("(U)SIM")));
    EXPECT_TRUE(pb.checkFreeSpace(QStringLiteral("Group 0")));
    EXPECT_EQ(h.presenter.count(), 0);
    EXPECT_FALSE(pb.checkFreeSpace(QStringLiteral("Data Card")));
    pb.m_SimPhoneList.append(contact("C"));
    EXPECT_FALSE(pb.checkFreeSpace(QStringLiteral("(U)SIM")));
    ASSERT_EQ(h.presenter.count(), 2);
    EXPECT_EQ(h.presenter.shown().at(0).message, QStringLiteral("Data Card Record full,Please delete records first!"));
    EXPECT_EQ(h.presenter.shown().at(1).message, QStringLiteral("SIM Record full,Please delete records first!"));
}

} // namespace
