// The shipped default skin: in step with the controls the configuration and the code register,
// every image present and of the size its item expects, and equal to what its generator makes.
#include "SkinTestSupport.h"
#include "support/TestPaths.h"

#include "ostrel/framework/skin/YOVUIManager.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/NSWindowExt.h"
#include "ostrel/framework/widgets/SkinFrame.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace ostrel;

namespace {

// Skin items that the code registers by fixed name (controller base, main window, alert panel).
// Extend this list when code registers another fixed name.
const char *const kCodeRegisteredNames[] = {
    "wndMain", "wndMainTitlebar", "rightbar", "wndMainStatusView", "wndMainTabviewBack",
    "viewTopFixed", "viewMiddleChangeable", "drawContentView",
    "wndYOVAlertPanel", "labelYOVAlertPanelTitle", "labelYOVAlertPanelMsg", "btnAlertOK", "btnAlertCancel",
};

// Every control name a UIConfig description registers: itemName and menuItemName wherever they
// stand (lists, pop-up menus, drawer items), and the skin keys of image-view lists.
void collectNames(const QVariant &value, const QString &key, QSet<QString> &names)
{
    if (value.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it) {
            if ((it.key() == QLatin1String("itemName") || it.key() == QLatin1String("menuItemName"))
                && it.value().typeId() == QMetaType::QString)
                names.insert(it.value().toString());
            else
                collectNames(it.value(), it.key(), names);
        }
    } else if (value.typeId() == QMetaType::QVariantList) {
        for (const QVariant &v : value.toList()) {
            if (v.typeId() == QMetaType::QString && key.endsWith(QLatin1String("ImageViews")))
                names.insert(v.toString());
            else
                collectNames(v, key, names);
        }
    }
}

// The names of the UIConfig module (and the fixed names) that the skin has no item for.
QStringList missingItems(const QVariantMap &uiConfig, const QVariantMap &skinInfo, bool withCodeNames)
{
    QSet<QString> names;
    collectNames(uiConfig, QStringLiteral("UIConfig"), names);
    if (withCodeNames)
        for (const char *n : kCodeRegisteredNames)
            names.insert(QString::fromLatin1(n));
    QStringList missing;
    for (const QString &n : names)
        if (skinInfo.value(n).typeId() != QMetaType::QVariantMap)
            missing << n;
    missing.sort();
    return missing;
}

QVariantMap shippedSkinInfo()
{
    return yov::PlistBridge::readFile(skin_test::shippedSkins() + QStringLiteral("/defaultSkin/SkinInfo"))
        .value_or(QVariant())
        .toMap();
}

} // namespace

TEST(DefaultSkinLint, LintFindsAControlWithoutAnItem)
{
    const QVariantMap ui{
        {QStringLiteral("btnsInViewTopFixed"),
         QVariantList{QVariantMap{{QStringLiteral("itemName"), QStringLiteral("btnKnown")},
                                  {QStringLiteral("popupMenu"),
                                   QVariantList{QVariantMap{{QStringLiteral("menuItemName"), QStringLiteral("menuGone")}}}}}}},
        {QStringLiteral("MiniUIImageViews"), QVariantList{QStringLiteral("imgKnown"), QStringLiteral("imgGone")}},
        {QStringLiteral("SupportSkinArray"), QVariantList{QStringLiteral("/some/path")}},
    };
    const QVariantMap skin{{QStringLiteral("btnKnown"), QVariantMap{}}, {QStringLiteral("imgKnown"), QVariantMap{}}};
    EXPECT_EQ(missingItems(ui, skin, false), (QStringList{QStringLiteral("imgGone"), QStringLiteral("menuGone")}));
}

TEST(DefaultSkinLint, EveryRegisteredControlHasAnItem)
{
    const auto settings = yov::PlistBridge::readFile(testing_paths::sourceResources() + QStringLiteral("/ModemList/settings.plist"));
    ASSERT_TRUE(settings.has_value()) << "resources/ModemList/settings.plist does not read";
    const QVariantMap ui = settings->toMap().value(QStringLiteral("UIConfig")).toMap();
    const QVariantMap skin = shippedSkinInfo();
    ASSERT_FALSE(skin.isEmpty());
    EXPECT_EQ(missingItems(ui, skin, true), QStringList()) << "add these items to scripts/make-default-skin";
}

TEST(DefaultSkinLint, EveryImageLoadsAndFitsItsItem)
{
    const QString folder = skin_test::shippedSkins() + QStringLiteral("/defaultSkin/");
    const QVariantMap skin = shippedSkinInfo();
    for (auto it = skin.begin(); it != skin.end(); ++it) {
        const QVariantMap item = it.value().toMap();
        QStringList files;
        if (item.contains(QStringLiteral("ImageName")))
            files << item.value(QStringLiteral("ImageName")).toString();
        for (const QVariant &v : item.value(QStringLiteral("ImageDict")).toMap())
            files << v.toString();
        for (const QVariant &v : item.value(QStringLiteral("ImageArray")).toList())
            files << v.toString();
        for (const QString &f : files) {
            const QImage img(folder + f);
            ASSERT_FALSE(img.isNull()) << it.key().toStdString() << ": " << f.toStdString();
            const QString order = item.value(QStringLiteral("BtnImageOrder")).toString();
            const int slices = order.isEmpty() ? 1 : int(order.split(QLatin1Char(',')).size());
            const bool vertical = item.value(QStringLiteral("BtnStyle")).toString() == QLatin1String("Vertical");
            EXPECT_EQ((vertical ? img.height() : img.width()) % slices, 0) << it.key().toStdString();
            if (item.contains(QStringLiteral("Width")) && !item.contains(QStringLiteral("Rescale"))) {
                const QSize face = vertical ? QSize(img.width(), img.height() / slices)
                                            : QSize(img.width() / slices, img.height());
                EXPECT_EQ(face, QSize(item.value(QStringLiteral("Width")).toInt(), item.value(QStringLiteral("Height")).toInt()))
                    << it.key().toStdString();
            }
        }
    }
}

TEST(DefaultSkinLint, CommittedFilesMatchTheGenerator)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    QProcess p;
    p.start(python, {QDir(testing_paths::sourceResources()).filePath(QStringLiteral("../scripts/make-default-skin")),
                     QStringLiteral("--check")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString() << p.readAllStandardError().toStdString();
}

// Dresses a main window and the alert panel with the default skin, as the controllers do, and
// checks what is drawn. With OSTREL_TEST_SCREENSHOTS set, the picture is saved there as skin.png.
TEST(DefaultSkin, DressesTheMainWindowAndTheAlertPanel)
{
    skin_test::TempConfig cfg;
    YOVUIManager::Options o;
    o.config = cfg.config.get();
    o.skinsFolder = skin_test::shippedSkins();
    YOVUIManager skin(o);
    ASSERT_TRUE(skin.hasSkin());

    NSWindowExt main;
    auto *content = new NSViewExt;
    main.setContentView(content);
    ASSERT_TRUE(skin.registerController(&main, QStringLiteral("wndMain"), true));
    for (const char *key : {"wndMainTitlebar", "wndMainTabviewBack", "rightbar", "wndMainStatusView"})
        ASSERT_TRUE(skin.registerController(new NSViewExt(content), QString::fromLatin1(key), true)) << key;
    auto *top = new QWidget(content);
    ASSERT_TRUE(skin.registerController(top, QStringLiteral("viewTopFixed"), true));
    QList<NSFlickerButton *> buttons;
    for (const char *title : {"Internet", "SMS", "Contacts", "Settings"}) {
        auto *b = new NSFlickerButton(top);
        b->setTitle(QString::fromLatin1(title));
        ASSERT_TRUE(skin.registerController(b, QStringLiteral("btnToolbarTemplate"), true));
        buttons << b;
    }
    SkinFrame::setOrigin(buttons.first(), QPointF(4, 0));
    buttons.last()->setEnabled(false);
    ASSERT_TRUE(skin.updateItem(top)); // line the buttons up
    buttons[0]->setGroupButton(QStringLiteral("tabs"), true);
    main.show();

    NSWindowExt alert;
    auto *alertContent = new NSViewExt;
    alert.setContentView(alertContent);
    ASSERT_TRUE(skin.registerController(&alert, QStringLiteral("wndYOVAlertPanel"), true));
    auto *title = new QLabel(QStringLiteral("Connection"), alertContent);
    auto *msg = new QLabel(QStringLiteral("The device has been disconnected or is unavailable."), alertContent);
    msg->setWordWrap(true);
    auto *ok = new NSButtonExt(alertContent);
    ok->setTitle(QStringLiteral("OK"));
    auto *cancel = new NSButtonExt(alertContent);
    cancel->setTitle(QStringLiteral("Cancel"));
    ASSERT_TRUE(skin.registerController(title, QStringLiteral("labelYOVAlertPanelTitle"), true));
    ASSERT_TRUE(skin.registerController(msg, QStringLiteral("labelYOVAlertPanelMsg"), true));
    ASSERT_TRUE(skin.registerController(ok, QStringLiteral("btnAlertOK"), true));
    ASSERT_TRUE(skin.registerController(cancel, QStringLiteral("btnAlertCancel"), true));
    alert.show();

    EXPECT_EQ(main.size(), QSize(640, 440));
    EXPECT_EQ(alert.size(), QSize(360, 150));
    EXPECT_EQ(ok->size(), QSize(84, 26));
    EXPECT_EQ(SkinFrame::frame(ok), QRectF(256, 14, 84, 26));
    EXPECT_EQ(title->font().pixelSize(), 15);
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(buttons[1]->x() - buttons[0]->x(), 106); // 100 wide, spacing 6
    EXPECT_EQ(SkinFrame::frame(buttons[2]).y(), 3);     // centred in the 36 high bar

    const QImage mainShot = main.grab().toImage();
    const QImage alertShot = alert.grab().toImage();
    // the title bar (skin y 396..432) at its Qt place
    EXPECT_EQ(mainShot.pixelColor(300, 440 - 432 + 10), QColor(20, 38, 64));
    // the pressed (group default) button is darker than its neighbour
    const QPoint b0 = buttons[0]->mapTo(&main, QPoint(50, 5));
    const QPoint b1 = buttons[1]->mapTo(&main, QPoint(50, 5));
    EXPECT_LT(mainShot.pixelColor(b0).lightness(), mainShot.pixelColor(b1).lightness());

    QImage sheet(mainShot.width() + alertShot.width() + 30, mainShot.height() + 20, QImage::Format_ARGB32);
    sheet.fill(QColor(235, 235, 235));
    QPainter painter(&sheet);
    painter.drawImage(10, 10, mainShot);
    painter.drawImage(mainShot.width() + 20, 10, alertShot);
    painter.end();
    if (const QString out = testing_paths::screenshotPath(QStringLiteral("skin.png")); !out.isEmpty()) {
        EXPECT_TRUE(sheet.save(out));
    }
}
