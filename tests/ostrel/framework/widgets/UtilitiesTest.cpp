#include "WidgetTestUtil.h"

#include "ostrel/framework/widgets/IPAddressFormatter.h"
#include "ostrel/framework/widgets/Items.h"
#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/SkinFrame.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace ostrel;

TEST(IPAddressFormatter, NormalisesDottedText)
{
    struct Case { QVariant in; const char *out; } cases[] = {
        {QStringLiteral("10.1"), "10.1.0.0"},
        {QStringLiteral("300.-5.1.2"), "255.0.1.2"},
        {QStringLiteral("192.168.1.1"), "192.168.1.1"},
        {QStringLiteral("1.2.3.4.5"), "1.2.3.4"},
        {QStringLiteral("a.7b.008.x"), "0.7.8.0"},
        {QStringLiteral(""), "0.0.0.0"},
        {QVariant(42), "0.0.0.0"},
        {QVariant(), "0.0.0.0"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(IPAddressFormatter::stringForObjectValue(c.in), QString::fromLatin1(c.out)) << c.in.toString().toStdString();
    QVariant object;
    EXPECT_TRUE(IPAddressFormatter().getObjectValue(&object, QStringLiteral("10.1")));
    EXPECT_EQ(object.toString(), QStringLiteral("10.1.0.0"));
}

TEST(IPAddressFormatter, AcceptsAndRefusesTyping)
{
    IPAddressFormatter f;
    struct Case { const char *text; QValidator::State state; } cases[] = {
        {"192.168.1.1", QValidator::Acceptable}, {"192.168", QValidator::Intermediate},
        {"", QValidator::Intermediate},          {"256.1.1.1", QValidator::Intermediate},
        {"1.2.3.4.", QValidator::Invalid},       {"1a", QValidator::Invalid},
        {"1234", QValidator::Invalid},           {"-1.2.3.4", QValidator::Invalid},
    };
    for (const Case &c : cases) {
        QString text = QString::fromLatin1(c.text);
        int pos = 0;
        EXPECT_EQ(f.validate(text, pos), c.state) << c.text;
    }
    QLineEdit edit;
    edit.setValidator(&f);
    QString text = QStringLiteral("10.1");
    f.fixup(text);
    EXPECT_EQ(text, QStringLiteral("10.1.0.0"));
}

TEST(WidgetUtilities, ColourFromString)
{
    EXPECT_EQ(colorWithNSString(QStringLiteral("1 0 0 1")), QColor(255, 0, 0, 255));
    EXPECT_NEAR(colorWithNSString(QStringLiteral("0 0 1 0.5")).alphaF(), 0.5, 0.001);
    EXPECT_EQ(colorWithNSString(QStringLiteral("[0 1 0 1]")), QColor(0, 255, 0));
    EXPECT_EQ(colorWithNSString(QStringLiteral("0 1 0")), QColor(0, 255, 0));
    for (const char *bad : {"", "red", "1 0", "1 0 0 1 1", "1 x 0 1"})
        EXPECT_FALSE(colorWithNSString(QString::fromLatin1(bad)).isValid()) << bad;
}

TEST(WidgetUtilities, CutAndRescale)
{
    QImage img(40, 30, QImage::Format_ARGB32);
    img.fill(Qt::white);
    img.setPixelColor(10, 0, Qt::red); // top row, measured from the top left
    const QImage cut = cutImageInRect(img, QRectF(10, 0, 10, 5));
    ASSERT_FALSE(cut.isNull());
    EXPECT_EQ(cut.size(), QSize(10, 5));
    EXPECT_EQ(cut.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_TRUE(cutImageInRect(img, QRectF(35, 0, 10, 5)).isNull()); // past the right edge
    EXPECT_TRUE(cutImageInRect(img, QRectF(0, 26, 10, 5)).isNull());
    EXPECT_TRUE(cutImageInRect(img, QRectF(-1, 0, 10, 5)).isNull());
    EXPECT_FALSE(cutImageInRect(img, QRectF(0, 0, 40, 30)).isNull());

    EXPECT_EQ(rescaleImage(img, QSizeF(80, 15)).size(), QSize(80, 15));
    EXPECT_TRUE(rescaleImage(img, QSizeF(0, 15)).isNull());
    EXPECT_TRUE(rescaleImage(img, QSizeF(10, -1)).isNull());
}

TEST(WidgetUtilities, DigitsAndPhoneNumbers)
{
    struct Case { QString text; bool digital; bool phone; } cases[] = {
        {QStringLiteral("0123"), true, true},   {QStringLiteral("+"), false, true},
        {QStringLiteral("+12a"), false, false}, {QStringLiteral(""), false, false},
        {QStringLiteral("+4930"), false, true}, {QStringLiteral("12+3"), false, false},
        {QStringLiteral("1 2"), false, false},  {QString::fromUtf16(u"\u0661\u0662"), false, false},
        {QString::fromUtf16(u"1\u0131"), false, false}, // U+0131 ends in 0x31 but is no digit
    };
    for (const Case &c : cases) {
        EXPECT_EQ(isDigitalString(c.text), c.digital) << c.text.toStdString();
        EXPECT_EQ(isValidPhoneNumber(c.text), c.phone) << c.text.toStdString();
    }
}

TEST(WidgetUtilities, TabViewHelpers)
{
    QTabWidget tabs;
    NSTabViewItem sms(QStringLiteral("SMS"), new QWidget);
    sms.setLabel(QStringLiteral("Messages"));
    sms.addToTabView(&tabs);
    NSTabViewItem pb(QStringLiteral("PB"), new QWidget);
    pb.addToTabView(&tabs);
    EXPECT_EQ(tabViewItemOfIdentifier(&tabs, QStringLiteral("PB")), 1);
    EXPECT_EQ(viewOfIdentifier(&tabs, QStringLiteral("SMS")), sms.view());
    EXPECT_EQ(tabs.tabText(0), QStringLiteral("Messages"));
    EXPECT_TRUE(setTabViewItemLabel(&tabs, QStringLiteral("Contacts"), QStringLiteral("PB")));
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("Contacts"));
    EXPECT_FALSE(setTabViewItemLabel(&tabs, QString(), QStringLiteral("PB")));
    EXPECT_FALSE(setTabViewItemLabel(&tabs, QStringLiteral("x"), QStringLiteral("None")));
    EXPECT_TRUE(removeTabViewItemWithIdentifier(&tabs, QStringLiteral("SMS")));
    EXPECT_FALSE(removeTabViewItemWithIdentifier(&tabs, QStringLiteral("SMS")));
    EXPECT_EQ(viewOfIdentifier(&tabs, QStringLiteral("SMS")), nullptr);
    EXPECT_EQ(tabs.count(), 1);
}

TEST(WidgetUtilities, DictionaryFrames)
{
    QWidget parent;
    parent.resize(200, 100);
    auto *view = new QWidget(&parent);
    const QVariantMap dict{
        {QStringLiteral("box"), QVariantMap{{QStringLiteral("X"), 10}, {QStringLiteral("Y"), QStringLiteral("5")},
                                            {QStringLiteral("W"), 50}, {QStringLiteral("H"), 20.0},
                                            {QStringLiteral("Hidden"), QStringLiteral("YES")}}},
        {QStringLiteral("size"), QVariantMap{{QStringLiteral("W"), 300}, {QStringLiteral("H"), 150}}},
        {QStringLiteral("scalar"), 3},
    };
    EXPECT_TRUE(setItemFrame(dict, view, QStringLiteral("box")));
    EXPECT_EQ(SkinFrame::frame(view), QRectF(10, 5, 50, 20));
    EXPECT_FALSE(setItemFrame(dict, view, QStringLiteral("missing")));
    EXPECT_FALSE(setItemFrame(dict, view, QStringLiteral("scalar")));
    EXPECT_FALSE(setItemFrame(dict, nullptr, QStringLiteral("box")));
    EXPECT_TRUE(setItemFrameInfo(dict, view, QStringLiteral("box")));
    EXPECT_TRUE(view->isHidden());
    EXPECT_FALSE(setItemFrameInfo(dict, view, QStringLiteral("missing")));

    QWidget window;
    window.setGeometry(100, 100, 200, 100);
    const int bottom = window.geometry().bottom();
    EXPECT_TRUE(setWindowContentSize(dict, &window, QStringLiteral("size")));
    EXPECT_EQ(window.size(), QSize(300, 150));
    EXPECT_EQ(window.geometry().bottom(), bottom);
}

TEST(WidgetUtilities, CreateFontFallsBackWhenTheFamilyIsMissing)
{
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    const QString real = families.first();
    auto named = createFont(real, 14, BoldFontMask, nullptr);
    ASSERT_TRUE(named.has_value());
    EXPECT_EQ(named->family(), real);
    EXPECT_EQ(named->pixelSize(), 14);
    EXPECT_TRUE(named->bold());

    QFont fallback(real);
    fallback.setItalic(false);
    auto missing = createFont(QStringLiteral("No Such Family 4711"), 11, ItalicFontMask, &fallback);
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->family(), real);
    EXPECT_EQ(missing->pixelSize(), 11);
    EXPECT_TRUE(missing->italic());
    EXPECT_FALSE(fontFamilyExists(QStringLiteral("No Such Family 4711")));

    auto unnamed = createFont(QString(), 9, 0, nullptr);
    ASSERT_TRUE(unnamed.has_value());
    EXPECT_EQ(unnamed->family(), QApplication::font().family());
    EXPECT_FALSE(createFont(real, 0, 0, nullptr).has_value());
}

TEST(WidgetUtilities, SetTextFieldString)
{
    QLineEdit field;
    field.setText(QStringLiteral("abc"));
    setTextFieldString(&field, QStringLiteral("def"), false);
    EXPECT_EQ(field.text(), QStringLiteral("abcdef"));
    setTextFieldString(&field, QStringLiteral("xyz"), true);
    EXPECT_EQ(field.text(), QStringLiteral("xyz"));
    setTextFieldString(&field, QString(), true);
    EXPECT_EQ(field.text(), QStringLiteral("xyz"));
    setTextFieldString(static_cast<QLineEdit *>(nullptr), QStringLiteral("x"), true);

    // while being edited: the selection is replaced
    QWidget window;
    auto *edit = new QLineEdit(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    edit->setText(QStringLiteral("hello world"));
    ASSERT_TRUE(edit->hasFocus());
    {
        edit->setSelection(0, 5);
        setTextFieldString(edit, QStringLiteral("HELLO"), false);
        EXPECT_EQ(edit->text(), QStringLiteral("HELLO world"));
        EXPECT_EQ(edit->cursorPosition(), edit->text().size());
    }
    QLabel label(QStringLiteral("a"));
    setTextFieldString(&label, QStringLiteral("b"), false);
    EXPECT_EQ(label.text(), QStringLiteral("ab"));
}
