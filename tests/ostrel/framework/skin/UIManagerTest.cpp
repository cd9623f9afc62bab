#include "SkinTestSupport.h"

#include "ostrel/framework/skin/UIManager.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/Items.h"
#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/NSWindowExt.h"
#include "ostrel/framework/widgets/SkinFrame.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QStandardItemModel>
#include <gtest/gtest.h>

using namespace ostrel;
using skin_test::TempConfig;

namespace {

QColor pixel(const QImage &img, int x, int y) { return img.pixelColor(x, y); }

struct Loaded : ::testing::Test {
    TempConfig cfg;
    UIManager skin;
    void SetUp() override
    {
        skin.setConfigManager(cfg.config.get());
        ASSERT_TRUE(skin.loadUIResource(skin_test::fixtureSkin()));
    }
};

} // namespace

TEST(UIManagerLoad, MissingOrBrokenSkinKeepsThePreviousOne)
{
    TempConfig cfg;
    UIManager skin;
    skin.setConfigManager(cfg.config.get());
    EXPECT_FALSE(skin.hasSkin());
    EXPECT_FALSE(skin.loadUIResource(QString()));
    EXPECT_FALSE(skin.loadUIResource(QStringLiteral("/no/such/skin")));
    ASSERT_TRUE(skin.loadUIResource(skin_test::fixtureSkin()));
    EXPECT_FALSE(skin.loadUIResource(skin_test::brokenSkin()));
    EXPECT_EQ(skin.skinPath(), skin_test::fixtureSkin());
    EXPECT_TRUE(skin.hasKey(QStringLiteral("wndTest")));
    skin.unloadUIResource();
    EXPECT_FALSE(skin.hasSkin());
    EXPECT_FALSE(skin.hasKey(QStringLiteral("wndTest")));
}

TEST(UIManagerLoad, LanguageSpecificDescription)
{
    struct Case { const char *language; bool supportLanguages; const char *which; } cases[] = {
        {"English", false, "English"},   // SkinInfo_English exists and is used
        {"French", false, "base"},       // no SkinInfo_French: SkinInfo
        {"", false, "base"},             // no language known
        {"English", true, "base"},       // the operator offers languages: never SkinInfo_<language>
    };
    for (const Case &c : cases) {
        QVariantMap settings;
        if (c.supportLanguages)
            settings.insert(QStringLiteral("SupportLanguages"), QVariantList{QStringLiteral("English")});
        TempConfig cfg(settings);
        UIManager skin;
        skin.setConfigManager(cfg.config.get());
        const QString language = QString::fromLatin1(c.language);
        skin.setLanguageProvider([language] { return language; });
        ASSERT_TRUE(skin.loadUIResource(skin_test::fixtureSkin()));
        EXPECT_EQ(skin.skinInfo().value(QStringLiteral("which")).toString(), QString::fromLatin1(c.which))
            << c.language << " " << c.supportLanguages;
    }
}

TEST_F(Loaded, RegistrationRules)
{
    QWidget parent;
    parent.resize(300, 200);
    auto *label = new QLabel(&parent);
    EXPECT_TRUE(skin.registerController(label, QStringLiteral("labelHidden"), false));
    EXPECT_EQ(QFontInfo(label->font()).pixelSize(), 13); // allFont

    // a second registration, under the same or another key, fails but sets the common font again
    label->setFont(QFont(QStringLiteral("DejaVu Serif")));
    EXPECT_FALSE(skin.registerController(label, QStringLiteral("labelHidden"), true));
    EXPECT_FALSE(skin.registerController(label, QStringLiteral("labelTitle"), true));
    EXPECT_EQ(label->font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_FALSE(label->isHidden()); // not applied

    auto *other = new QLabel(&parent);
    EXPECT_FALSE(skin.registerController(other, QStringLiteral("noSuchItem"), true));
    EXPECT_FALSE(skin.registerController(other, QStringLiteral("notADictionary"), true));
    EXPECT_FALSE(skin.registerController(other, QString(), true));
    EXPECT_FALSE(skin.registerController(nullptr, QStringLiteral("labelHidden"), true));
    EXPECT_EQ(QFontInfo(other->font()).pixelSize(), 13); // the font came anyway

    // several controls under one key, in registration order
    EXPECT_TRUE(skin.registerController(other, QStringLiteral("labelHidden"), true));
    EXPECT_TRUE(other->isHidden());
    EXPECT_EQ(skin.controllerByKey(QStringLiteral("labelHidden")), label);
    EXPECT_EQ(skin.controllersByKey(QStringLiteral("labelHidden")), (QList<QObject *>{label, other}));
    EXPECT_TRUE(skin.controllersByKey(QStringLiteral("nothing")).isEmpty());
    EXPECT_EQ(skin.controllerByKey(QString()), nullptr);

    // a destroyed control's registration disappears
    delete label;
    EXPECT_EQ(skin.controllerByKey(QStringLiteral("labelHidden")), other);
    EXPECT_EQ(skin.registrations().size(), 1);
    skin.removeController(other);
    EXPECT_TRUE(skin.registrations().isEmpty());
    EXPECT_FALSE(skin.updateUI());

    // a menu item takes only the common font
    QAction action;
    EXPECT_TRUE(skin.registerController(&action, QStringLiteral("labelTitle"), true));
    EXPECT_EQ(action.font().pixelSize(), 13);
}

TEST_F(Loaded, DressesASmallWindow)
{
    NSWindowExt window;
    auto *content = new NSViewExt;
    window.setContentView(content);
    window.resize(400, 300);
    ASSERT_TRUE(skin.registerController(&window, QStringLiteral("wndTest"), true));
    EXPECT_EQ(window.size(), QSize(200, 100));
    EXPECT_EQ(content->size(), QSize(200, 100));
    EXPECT_EQ(pixel(content->image(), 0, 0), QColor(10, 20, 30));

    auto *back = new NSViewExt(content);
    ASSERT_TRUE(skin.registerController(back, QStringLiteral("viewBack"), true));
    // the image sizes the view first, then the item's own Width and Height apply
    EXPECT_EQ(SkinFrame::frame(back), QRectF(10, 20, 5, 5));
    EXPECT_EQ(back->image().size(), QSize(80, 40));

    auto *title = new QLabel(QStringLiteral("Title"), content);
    ASSERT_TRUE(skin.registerController(title, QStringLiteral("labelTitle"), true));
    EXPECT_EQ(SkinFrame::frame(title), QRectF(5, 70, 120, 20));
    EXPECT_EQ(title->geometry(), QRect(5, 10, 120, 20));
    EXPECT_EQ(title->font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(title->font().pixelSize(), 15);
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(Qt::red));

    auto *fallback = new QLabel(QStringLiteral("Fallback"), content);
    ASSERT_TRUE(skin.registerController(fallback, QStringLiteral("labelMissingFont"), true));
    EXPECT_EQ(fallback->font().family(), QStringLiteral("DejaVu Sans")); // its own (common) font
    EXPECT_EQ(fallback->font().pixelSize(), 11);

    auto *hidden = new QLabel(content);
    ASSERT_TRUE(skin.registerController(hidden, QStringLiteral("labelHidden"), true));
    EXPECT_TRUE(hidden->isHidden());
}

TEST_F(Loaded, TextCellTakesColourAndHiddenStateAndDressesItsTableColumn)
{
    QStandardItemModel model(2, 3);
    NSTableViewExt table;
    table.setModel(&model);
    NSTextFieldCell cell;
    table.setDataCell(1, &cell);
    ASSERT_TRUE(skin.registerController(&cell, QStringLiteral("cellText"), true));
    EXPECT_EQ(cell.textColor(), QColor(Qt::blue));
    EXPECT_TRUE(cell.isHidden());
    EXPECT_EQ(table.foreGroundColorOfColumn(1), QColor(Qt::blue));
    EXPECT_TRUE(table.isColumnHidden(1));
    EXPECT_FALSE(table.isColumnHidden(0));
}

TEST_F(Loaded, ButtonStripsAndGroups)
{
    QWidget parent;
    parent.resize(300, 200);
    auto *b1 = new NSFlickerButton(&parent);
    auto *b2 = new NSFlickerButton(&parent);
    ASSERT_TRUE(skin.registerController(b1, QStringLiteral("btnFlicker"), true));
    ASSERT_TRUE(skin.registerController(b2, QStringLiteral("btnFlicker2"), true));
    // 400 x 30, default order: Up, Down, Disable, In from the left, 100 x 30 each
    EXPECT_EQ(b1->imageUp().size(), QSize(100, 30));
    EXPECT_EQ(pixel(b1->imageUp(), 0, 0), QColor(255, 0, 0));
    EXPECT_EQ(pixel(b1->imageDn(), 0, 0), QColor(0, 255, 0));
    EXPECT_EQ(pixel(b1->imageDisable(), 0, 0), QColor(128, 128, 128));
    EXPECT_EQ(pixel(b1->imageIn(), 0, 0), QColor(0, 0, 255));
    EXPECT_EQ(b1->size(), QSize(100, 30));
    EXPECT_EQ(SkinFrame::frame(b1).topLeft(), QPointF(100, 5));
    EXPECT_TRUE(b1->isFlickerButton());
    EXPECT_EQ(b1->imagePosition(), 1);
    // the default member of the group shows its down image
    EXPECT_EQ(b1->image(), b1->imageDn());
    EXPECT_EQ(b2->image(), b2->imageUp());
    EXPECT_EQ(b1->upTitleColor(), QColor(Qt::black));
    EXPECT_EQ(b1->inTitleColor(), QColor(Qt::blue));
    EXPECT_EQ(b1->dnTitleColor(), QColor(Qt::red));
    b2->setGroupButtonChange();
    EXPECT_EQ(b1->image(), b1->imageUp());
    EXPECT_EQ(b2->image(), b2->imageDn());

    // a button extension's order is always Up,Down: the top half is Up
    auto *ext = new NSButtonExt(&parent);
    ext->setText(QStringLiteral("OK"));
    ASSERT_TRUE(skin.registerController(ext, QStringLiteral("btnExt"), true));
    EXPECT_EQ(pixel(ext->image(), 0, 0), QColor(255, 255, 0));
    EXPECT_EQ(pixel(ext->alternateImage(), 0, 0), QColor(0, 255, 255));
    EXPECT_EQ(ext->size(), QSize(60, 20));
    EXPECT_EQ(ext->buttonType(), NSButtonExt::MomentaryChange);
    EXPECT_FALSE(ext->isBordered());
    EXPECT_EQ(ext->titleColor(), QColor(Qt::red));
}

TEST_F(Loaded, ItemImagesCutAndRescaled)
{
    QWidget parent;
    auto *cut = new NSImageView(&parent);
    ASSERT_TRUE(skin.registerController(cut, QStringLiteral("imgCut"), true));
    EXPECT_EQ(cut->image().size(), QSize(20, 10));
    EXPECT_EQ(pixel(cut->image(), 0, 0), QColor(0, 255, 0)); // from x = 110: the second slice

    auto *past = new NSImageView(&parent);
    QImage before(7, 7, QImage::Format_ARGB32);
    before.fill(Qt::magenta);
    past->setImage(before);
    past->resize(7, 7);
    ASSERT_TRUE(skin.registerController(past, QStringLiteral("imgCutPastEdge"), true));
    EXPECT_EQ(past->image(), before); // no image: the old one stays
    EXPECT_EQ(past->size(), QSize(7, 7));

    EXPECT_EQ(skin.itemImage(nullptr, QStringLiteral("imgRescale")).size(), QSize(50, 10));
    QWidget sized;
    sized.resize(33, 9);
    EXPECT_EQ(skin.itemImage(&sized, QStringLiteral("imgRescaleWidth")).size(), QSize(33, 40));
    EXPECT_TRUE(skin.itemImage(nullptr, QStringLiteral("imgMissing")).isNull());
    EXPECT_TRUE(skin.itemImage(nullptr, QStringLiteral("labelTitle")).isNull());
}

TEST_F(Loaded, PlacementRulesFromTheItem)
{
    QWidget parent;
    parent.resize(300, 100);
    auto *row = new QWidget(&parent);
    row->resize(150, 30);
    QList<QWidget *> kids;
    for (int x : {60, 0, 30}) {
        kids << new QWidget(row);
        SkinFrame::setFrame(kids.last(), QRectF(x, 0, 20, 10));
    }
    ASSERT_TRUE(skin.registerController(row, QStringLiteral("viewRow"), true));
    // sorted by x, then lined up from the first with spacing 5
    EXPECT_EQ(SkinFrame::frame(kids[1]).x(), 0);
    EXPECT_EQ(SkinFrame::frame(kids[2]).x(), 25);
    EXPECT_EQ(SkinFrame::frame(kids[0]).x(), 50);
    // right with 8 pixels, then against the top
    EXPECT_EQ(SkinFrame::frame(row), QRectF(142, 70, 150, 30));
}

TEST_F(Loaded, RunTimeItemChanges)
{
    QWidget parent;
    parent.resize(300, 200);
    auto *view = new NSViewExt(&parent);
    ASSERT_TRUE(skin.registerController(view, QStringLiteral("swap"), true));
    EXPECT_EQ(view->size(), QSize(80, 40));

    // the name of the image in use: NO, nothing re-applied
    view->resize(1, 1);
    EXPECT_FALSE(skin.setImageForKey(QStringLiteral("swap"), QStringLiteral("A"), true));
    EXPECT_EQ(view->size(), QSize(1, 1));
    EXPECT_FALSE(skin.setImageForKey(QStringLiteral("swap"), QStringLiteral("Z"), true));

    EXPECT_TRUE(skin.setImageForKey(QStringLiteral("swap"), QStringLiteral("B"), true));
    EXPECT_EQ(view->size(), QSize(30, 20));
    EXPECT_EQ(SkinFrame::frame(view).topLeft(), QPointF(7, 9)); // from LocationArray
    EXPECT_EQ(skin.itemInfoDictForKey(QStringLiteral("swap")).value(QStringLiteral("ImageName")).toString(),
              QStringLiteral("other.png"));

    EXPECT_TRUE(skin.setImageForKey(QStringLiteral("swap"), 0, false));
    EXPECT_EQ(view->size(), QSize(30, 20)); // not re-applied
    EXPECT_TRUE(skin.updateItem(view));
    EXPECT_EQ(view->size(), QSize(80, 40));
    EXPECT_FALSE(skin.setImageForKey(QStringLiteral("swap"), 2, true));
    EXPECT_FALSE(skin.setImageForKey(QStringLiteral("swap"), -1, true));

    EXPECT_TRUE(skin.setNewSizeForKey(QStringLiteral("swap"), QStringLiteral("big"), true));
    EXPECT_EQ(view->size(), QSize(150, 60));
    EXPECT_TRUE(skin.setNewSizeForKey(QStringLiteral("swap"), QStringLiteral("unknown"), false));

    EXPECT_TRUE(skin.setNewLocationInSuperviewForKey(QStringLiteral("swap"), QStringLiteral("right"), true));
    EXPECT_EQ(SkinFrame::frame(view).x(), 150);

    // the file is never changed
    UIManager fresh;
    fresh.setConfigManager(cfg.config.get());
    ASSERT_TRUE(fresh.loadUIResource(skin_test::fixtureSkin()));
    EXPECT_EQ(fresh.itemInfoDictForKey(QStringLiteral("swap")).value(QStringLiteral("ImageName")).toString(),
              QStringLiteral("back.png"));

    UIManager empty;
    EXPECT_FALSE(empty.setImageForKey(QStringLiteral("swap"), QStringLiteral("B"), true));
    EXPECT_FALSE(empty.updateItem(view));
}

TEST_F(Loaded, ItemReadersNeedAllTheirKeys)
{
    QPointF p;
    QSizeF s;
    QRectF r;
    EXPECT_TRUE(skin.getItemRect(&r, QStringLiteral("labelTitle")));
    EXPECT_EQ(r, QRectF(5, 70, 120, 20));
    EXPECT_TRUE(skin.getItemPoint(&p, QStringLiteral("btnFlicker")));
    EXPECT_FALSE(skin.getItemSize(&s, QStringLiteral("btnFlicker")));
    EXPECT_FALSE(skin.getItemRect(&r, QStringLiteral("btnFlicker")));
    EXPECT_TRUE(skin.getItemCutRect(&r, QStringLiteral("imgCut")));
    EXPECT_EQ(r, QRectF(110, 5, 20, 10));
    EXPECT_FALSE(skin.getItemCutRect(&r, QStringLiteral("labelTitle")));
    EXPECT_EQ(skin.textColorForKey(QStringLiteral("labelTitle")), QColor(Qt::red));
    EXPECT_FALSE(skin.textColorForKey(QStringLiteral("viewBack")).isValid());
}

TEST(UIManagerLoad, WithoutASkinTheSettingsFontIsStillApplied)
{
    TempConfig cfg({{QStringLiteral("Main"),
                     QVariantMap{{QStringLiteral("TextFont"),
                                  QVariantMap{{QStringLiteral("FontName"), QStringLiteral("DejaVu Serif")},
                                              {QStringLiteral("FontSize"), 17}}}}}});
    UIManager skin;
    skin.setConfigManager(cfg.config.get());
    QLabel label;
    EXPECT_FALSE(skin.registerController(&label, QStringLiteral("labelTitle"), true));
    EXPECT_EQ(label.font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(label.font().pixelSize(), 17);
    EXPECT_FALSE(skin.updateUI());
    EXPECT_TRUE(skin.itemInfoDictForKey(QStringLiteral("labelTitle")).isEmpty());
}
