// The editor's formatter and the address validator.
#include "SmsPageHarness.h"

#include "ostrel/sms/page/MessageTextFormatter.h"
#include "ostrel/sms/page/TPAddressFormatter.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

using namespace ostrel;
using namespace sms_page_test;

namespace {

struct FormatterRig {
    explicit FormatterRig(const QVariantMap &sms)
    {
        yov::PlistBridge::writeFile(dir.filePath("settings.plist"), QVariantMap{{"SMS", sms}});
        store = std::make_unique<ConfigManager>(dir.path());
        formatter = std::make_unique<MessageTextFormatter>(store.get());
        formatter->setHost(&editor);
        formatter->setTextCount(&count);
        formatter->setSendNumInfo(&info);
    }
    void type(const QString &text)
    {
        editor.setPlainText(text);
    }
    QTemporaryDir dir;
    std::unique_ptr<ConfigManager> store;
    QTextEdit editor;
    QLabel count;
    QLabel info;
    std::unique_ptr<MessageTextFormatter> formatter;
    testing_support::ScriptedAlertPresenter alerts;
    yov::ScopedAlertPresenter guard{&alerts};
};

} // namespace

TEST(MessageTextFormatter, TheTextIsCutToTheMaximumPartsWithOneWarningAfterThePass)
{
    FormatterRig rig({});
    rig.type(QString(765, 'a'));
    EXPECT_EQ(rig.editor.toPlainText().size(), 765);
    EXPECT_EQ(rig.count.text(), "info: 765/5");
    rig.alerts.setHoldOpen(true);
    rig.type(QString(766, 'a'));
    EXPECT_EQ(rig.editor.toPlainText().size(), 765);
    EXPECT_EQ(rig.alerts.count(), 0) << "the warning waits for the pass to end";
    rig.type(QString(767, 'a'));
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.alerts.messages(), QStringList{"SMS content exceeds the max length!"}) << "never twice at once";
    EXPECT_TRUE(rig.formatter->isPopWarningWindow());
    rig.alerts.answerOpen();
    EXPECT_FALSE(rig.formatter->isPopWarningWindow());
    EXPECT_TRUE(rig.formatter->concatSms());

    rig.type(QString());
    EXPECT_EQ(rig.count.text(), "");
}

TEST(MessageTextFormatter, LimitsPerAlphabetAndReplacements)
{
    {
        FormatterRig rig({{"smsMaxPack", 1}});
        rig.type(QString(170, 'a'));
        EXPECT_EQ(rig.editor.toPlainText().size(), 153);
        EXPECT_EQ(rig.formatter->packNum(), 1);
    }
    {
        FormatterRig rig({{"smsMaxPack", 2}});
        rig.type(QString(200, QChar(0x4e2d)));
        EXPECT_EQ(rig.editor.toPlainText().size(), 2 * 67);
        EXPECT_EQ(rig.count.text(), "info: 134/2");
    }
    {
        FormatterRig rig({{"SpecialChar", true}});
        rig.type(QString(QChar(0x2122)) + "x");
        EXPECT_EQ(rig.editor.toPlainText(), "?x");
        EXPECT_EQ(rig.count.text(), "info: 2/1") << "the replaced text is counted";
    }
    {
        FormatterRig rig({{"ReplaceSpecialChar", QVariantMap{{"e9", "e"}}}});
        rig.type(QString::fromUtf8("caf\u00e9"));
        EXPECT_EQ(rig.editor.toPlainText(), "cafe");
    }
    // The counter of a 161-character text.
    FormatterRig rig({});
    rig.type(QString(161, 'a'));
    EXPECT_EQ(rig.count.text(), "info: 161/2");
    EXPECT_EQ(rig.formatter->packNum(), 2);
}

TEST(MessageTextFormatter, TheAddressValidatorKeepsTheDialableStart)
{
    EXPECT_EQ(TPAddressFormatter::stringForObjectValue("12a3-4"), "12a3");
    EXPECT_EQ(TPAddressFormatter::stringForObjectValue("-123"), "");
    EXPECT_EQ(TPAddressFormatter::stringForObjectValue("*#0"), "*#0");
    QLineEdit field;
    field.setValidator(new TPAddressFormatter(&field));
    field.insert("12a3-4");
    EXPECT_EQ(field.text(), "12a3");
}
