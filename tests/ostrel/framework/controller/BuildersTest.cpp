// Controls built from the UIConfig module and registered with the skin.
#include "ControllerTestSupport.h"

#include "ostrel/framework/controller/UIManagerSkinAccess.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/skin/UIManager.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTabWidget>

using namespace controller_test;
using ostrel::YOVUIController;

namespace {

class ActionController : public YOVUIController {
    Q_OBJECT
public:
    using YOVUIController::YOVUIController;
    QStringList calls;
    Q_INVOKABLE void plainAction() { calls << "plainAction"; }
    Q_INVOKABLE void drawerAction(QObject *sender) { calls << "drawerAction:" + sender->property("itemIdentifier").toString(); }
};

QVariantMap entry(std::initializer_list<std::pair<QString, QVariant>> items)
{
    QVariantMap m;
    for (const auto &[k, v] : items)
        m.insert(k, v);
    return m;
}

QVariantMap uiConfig()
{
    const QVariantList menu{
        entry({{"menuItemTitle", "Open"}, {"menuItemAction", "plainAction"}, {"menuItemName", "menuOpen"},
               {"menuItemTag", 3}, {"keyEquiv", "o"}}),
        entry({{"separatorItem", true}, {"menuItemTitle", "ignored"}}),
        entry({{"menuItemTitle", "More"}, {"popupMenu", QVariantList{entry({{"menuItemTitle", "Sub"}, {"menuItemName", "menuSub"}})}}}),
    };
    return {
        {"btnsInViewTopFixed",
         QVariantList{entry({{"itemIdentifier", "Internet"}, {"itemName", "btnInternet"}, {"itemAction", "plainAction"},
                             {"itemToolTip", "Go"}, {"itemBtnTitle", "Connect"}, {"urlLabel", "home"}, {"popupMenu", menu}}),
                      entry({{"itemName", "btnNoIdentifier"}, {"itemAction", "plainAction"}}),
                      entry({{"itemIdentifier", "SMS"}, {"itemName", "btnNotInSkin"}, {"itemAction", "plainAction"}}),
                      "not a dictionary"}},
        {"labesInViewTopFixed",
         QVariantList{entry({{"itemName", "labelStatus"}, {"width", 120}, {"height", "20"}, {"isEditable", "YES"},
                             {"isBordered", "NO"}, {"textAlignmentStyle", 2}, {"itemStringValue", "Ready"}}),
                      entry({{"itemName", "labelPlain"}, {"width", 50}, {"height", 10}, {"itemStringValue", "%s%n"}}),
                      entry({{"width", 5}})}},
        {"tabViewItemArray", QVariantList{entry({{"itemName", "tabInternet"}, {"itemIdentifier", "Internet"}}),
                                          entry({{"itemName", "tabSMS"}})}},
        {"MiniUIImageViews", QVariantList{"imgSignal", "imgNotInSkin"}},
        {"matrices", QVariantList{entry({{"Name", "matrixMode"}}), entry({{"Title", "x"}})}},
        {"boxes", QVariantList{entry({{"Name", "boxNet"}, {"Title", "Network"}}), entry({{"Name", "boxNoTitle"}})}},
        {"ToolbarItems", QVariantList{entry({{"itemIdentifier", "Internet"}})}},
        {"TitlebarItems", QVariantList{entry({{"itemName", "btnTitle"}})}},
        {"RightbarItems", QVariantList{entry({{"itemName", "btnRight"}}), entry({{"itemName", "notBuilt"}})}},
        {"DrawerInfoDict", entry({{"OriginWidth", 100}, {"OriginHeight", 200}, {"MinWidth", 50}, {"MinHeight", 60},
                                  {"MaxWidth", 300}, {"MaxHeight", 400}, {"LeadingOffset", 10}, {"TrailingOffset", 20},
                                  {"OffsetInfoArray", QVariantList{entry({{"ItemName", "wndSimple"}, {"LeadingOffset", 5}, {"TrailingOffset", 6}})}}})},
        {"DrawerItems", QVariantList{entry({{"itemIdentifier", "Fav"}, {"itemName", "btnDrawer"}, {"itemAction", "drawerAction:"}})}},
        {"changeWndInfo", entry({{"SMS", entry({{"viewMiddleChangeableHeight", 300}, {"viewTopFixedLeft", 10},
                                                {"viewTopFixedBottom", 400}, {"wndWidth", 640}, {"wndHeight", 2000}})},
                                 {"Small", entry({{"viewMiddleChangeableHeight", 100}, {"viewTopFixedLeft", 0},
                                                  {"viewTopFixedBottom", 0}, {"wndWidth", 500}, {"wndHeight", 200}})}})},
    };
}

class BuildersTest : public ControllerFixture {
protected:
    void SetUp() override
    {
        ControllerFixture::SetUp();
        useSettings({{"UIConfig", uiConfig()}, {"toolBarItems", QVariantList{entry({{"itemIdentifier", "Call"}})}}});
        skin.keys = {"btnInternet", "labelStatus", "labelPlain", "tabInternet", "imgSignal", "matrixMode", "boxNet",
                     "menuOpen", "menuSub", "drawContentView", "btnDrawer", "btnTitle", "btnRight",
                     "viewMiddleChangeable", "viewTopFixed", "btnNoIdentifier"};
    }
    void TearDown() override
    {
        ostrel::Lingrove_Init(QString());
        ControllerFixture::TearDown();
    }
};

} // namespace

TEST_F(BuildersTest, ButtonsAreBuiltFromCompleteEntriesRegisteredAndWiredToTheirAction)
{
    ActionController controller(context);
    QWidget view;
    EXPECT_FALSE(controller.initializeBtnsOfView(nullptr, "btnsInViewTopFixed"));
    EXPECT_FALSE(controller.initializeBtnsOfView(&view, "noSuchList"));
    EXPECT_TRUE(controller.initializeBtnsOfView(&view, "btnsInViewTopFixed"));

    // Only the complete entry whose item the skin has survives.
    EXPECT_EQ(skin.registeredKeys(), (QStringList{"menuOpen", "menuSub", "btnInternet"}));
    const auto buttons = view.findChildren<QAbstractButton *>();
    ASSERT_EQ(buttons.size(), 1);
    auto *button = qobject_cast<ostrel::NSFlickerButton *>(buttons.first());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->itemIdentifier(), "Internet");
    EXPECT_EQ(button->itemLabel(), "Connect");
    EXPECT_EQ(button->urlLabel(), "home");
    EXPECT_EQ(button->toolTip(), "Go");
    EXPECT_TRUE(skin.registrations.last().reload);
    ASSERT_NE(button->popupMenu(), nullptr);

    button->click();
    EXPECT_EQ(controller.calls, (QStringList{"plainAction"}));
}

TEST_F(BuildersTest, PopUpMenusKeepTheirOrderSeparatorsTagsAndSubmenus)
{
    ActionController controller(context);
    EXPECT_EQ(controller.createPopUpMenuFromConfig({}), nullptr);
    const QVariantList entries = uiConfig().value("btnsInViewTopFixed").toList().first().toMap().value("popupMenu").toList();
    std::unique_ptr<QMenu> menu(controller.createPopUpMenuFromConfig(entries));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "popupMenu");
    const auto actions = menu->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), "Open");
    EXPECT_EQ(actions[0]->data(), QVariant(3));
    EXPECT_EQ(actions[0]->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_TRUE(actions[1]->isSeparator());
    ASSERT_NE(actions[2]->menu(), nullptr);
    EXPECT_EQ(actions[2]->menu()->actions().first()->text(), "Sub");
    EXPECT_EQ(skin.registeredKeys(), (QStringList{"menuOpen", "menuSub"}));

    actions[0]->trigger();
    EXPECT_EQ(controller.calls, (QStringList{"plainAction"}));
}

TEST_F(BuildersTest, LabelsTabItemsImageViewsMatricesAndBoxes)
{
    YOVUIController controller(context);
    QWidget view;
    EXPECT_TRUE(controller.initializeLabelsOfView(&view, "labesInViewTopFixed"));
    auto *status = qobject_cast<QLineEdit *>(skin.controllerByKey("labelStatus"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "Ready");
    EXPECT_FALSE(status->hasFrame());
    EXPECT_EQ(status->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(status->size(), QSize(120, 20));
    auto *plain = qobject_cast<QLabel *>(skin.controllerByKey("labelPlain"));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->text(), "%s%n"); // configured text shown as it stands
    EXPECT_EQ(plain->parentWidget(), &view);

    QTabWidget tabs;
    EXPECT_TRUE(controller.initializeTabViewItemOfView(&tabs, "tabViewItemArray"));
    ASSERT_EQ(tabs.count(), 1);
    EXPECT_EQ(ostrel::tabViewItemOfIdentifier(&tabs, "Internet"), 0);
    EXPECT_EQ(skin.registeredKeys().count("tabInternet"), 2); // the page's view and the tab item

    EXPECT_FALSE(controller.initializeImageViewOfView(&view, "MiniUIImageViews")); // NO always
    EXPECT_NE(skin.controllerByKey("imgSignal"), nullptr);
    EXPECT_EQ(skin.controllerByKey("imgNotInSkin"), nullptr);

    EXPECT_TRUE(controller.initializeNSMatrixOfView(&view, "matrices"));
    EXPECT_NE(qobject_cast<ostrel::NSMatrix *>(skin.controllerByKey("matrixMode")), nullptr);
    EXPECT_TRUE(controller.initializeNSBoxOfView(&view, "boxes"));
    auto *box = qobject_cast<QGroupBox *>(skin.controllerByKey("boxNet"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title(), "Network");

    // Without a skin nothing can be registered, so nothing is kept.
    context.skinManager = nullptr;
    YOVUIController skinless(context);
    QWidget other;
    EXPECT_FALSE(skinless.initializeLabelsOfView(&other, "labesInViewTopFixed"));
    EXPECT_TRUE(other.children().isEmpty());
}

TEST_F(BuildersTest, DynamicItemsAreRelocalisedReskinnedAndEnabled)
{
    QTemporaryDir tokens;
    QFile list(tokens.filePath("LanguageTokenList.txt"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("\"Connect\" = \"Verbinden\";\n\"Go\" = \"Los\";\n\"Sub\" = \"Unter\";\n");
    list.close();

    YOVUIController controller(context);
    QWidget view;
    controller.initializeBtnsOfView(&view, "btnsInViewTopFixed");
    ASSERT_TRUE(ostrel::Lingrove_Init(list.fileName()));
    controller.updateLanguagesOfDynamicItem("btnsInViewTopFixed");
    auto *button = qobject_cast<QAbstractButton *>(skin.controllerByKey("btnInternet"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Verbinden");
    EXPECT_EQ(button->toolTip(), "Los");
    EXPECT_EQ(qobject_cast<QAction *>(skin.controllerByKey("menuSub"))->text(), "Unter");

    controller.setDynamicControllersEnabledByKey("btnsInViewTopFixed", false);
    EXPECT_FALSE(button->isEnabled());

    QWidget bar;
    skin.registerController(new QWidget(&bar), "btnTitle", true);
    skin.registerController(new QWidget(&bar), "btnRight", true);
    skin.log.clear();
    controller.updateDynamicItemsByModule("Internet");
    EXPECT_EQ(skin.log, (QStringList{"image:wndMain=Internet", "image:wndMainTitlebar=Internet", "update:btnTitle",
                                     "image:rightbar=Internet", "update:btnRight", "image:wndMainStatusView=Internet"}));
}

TEST_F(BuildersTest, HasModuleWithSearchesTheToolbarOfTheSkinOrTheTopLevelList)
{
    YOVUIController controller(context);
    EXPECT_TRUE(controller.hasModuleWith("Internet"));
    EXPECT_FALSE(controller.hasModuleWith("Call"));

    QVariantMap ui = uiConfig();
    ui.insert("NoToolbar", "YES");
    useSettings({{"UIConfig", ui}, {"toolBarItems", QVariantList{entry({{"itemIdentifier", "Call"}})}}});
    YOVUIController noToolbar(context);
    EXPECT_TRUE(noToolbar.hasModuleWith("Call"));
    EXPECT_FALSE(noToolbar.hasModuleWith("Internet"));

    useSettings({{"UIConfig", uiConfig()}, {"toolBarItems", QVariantList{entry({{"itemIdentifier", "Call"}})}}});
    context.skinManager = nullptr;
    YOVUIController skinless(context);
    EXPECT_TRUE(skinless.hasModuleWith("Call"));

    // A skin without its own toolbar list: the main window shows the top-level one, so it decides.
    QVariantMap noList = uiConfig();
    noList.remove("ToolbarItems");
    useSettings({{"UIConfig", noList}, {"toolBarItems", QVariantList{entry({{"itemIdentifier", "Call"}})}}});
    context.skinManager = &skin;
    YOVUIController skinWithoutList(context);
    EXPECT_TRUE(skinWithoutList.hasModuleWith("Call"));
    EXPECT_FALSE(skinWithoutList.hasModuleWith("Internet"));
}

TEST_F(BuildersTest, DrawerTakesItsSizesOffsetsAndButtons)
{
    ActionController controller(context);
    QWidget window;
    window.setGeometry(100, 100, 400, 300);
    controller.wndMain = &window;
    controller.initializeDrawer();
    ostrel::Drawer *drawer = controller.drawerMain;
    ASSERT_NE(drawer, nullptr);
    EXPECT_EQ(drawer->contentSize(), QSizeF(100, 200));
    EXPECT_EQ(drawer->minContentSize(), QSizeF(50, 60));
    EXPECT_EQ(drawer->maxContentSize(), QSizeF(300, 400));
    EXPECT_EQ(drawer->leadingOffset(), 10);
    EXPECT_EQ(drawer->trailingOffset(), 20);
    EXPECT_EQ(drawer->parentWindow(), &window);
    EXPECT_EQ(skin.controllerByKey("drawContentView"), drawer->contentView());
    auto *button = qobject_cast<QAbstractButton *>(skin.controllerByKey("btnDrawer"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget(), drawer->contentView());
    button->click();
    EXPECT_EQ(controller.calls, (QStringList{"drawerAction:Fav"}));

    controller.updateDrawerOffsetByWindow("wndComplete"); // no entry: unchanged
    EXPECT_EQ(drawer->leadingOffset(), 10);
    // The buttons are placed from the content's bottom, and stay there when the drawer's height
    // follows new offsets or a taller window.
    const int heightBefore = drawer->contentView()->height();
    const int fromBottom = drawer->contentView()->height() - button->geometry().top();
    controller.updateDrawerOffsetByWindow("wndSimple");
    EXPECT_EQ(drawer->leadingOffset(), 5);
    EXPECT_EQ(drawer->trailingOffset(), 6);
    EXPECT_NE(drawer->contentView()->height(), heightBefore);
    EXPECT_EQ(drawer->contentView()->height() - button->geometry().top(), fromBottom);
    // An open drawer is on screen only with its window.
    drawer->open();
    EXPECT_TRUE(drawer->isOpen());
    EXPECT_FALSE(drawer->isVisible()) << "the window is not shown yet";
    window.show();
    EXPECT_TRUE(drawer->isVisible());
    window.hide();
    EXPECT_FALSE(drawer->isVisible());
    EXPECT_TRUE(drawer->isOpen());
    window.show();
    EXPECT_TRUE(drawer->isVisible());
    window.resize(400, 420);
    EXPECT_EQ(drawer->contentView()->height(), window.frameGeometry().height() - 5 - 6);
    EXPECT_EQ(drawer->contentView()->height() - button->geometry().top(), fromBottom);
    drawer->close();
    EXPECT_FALSE(drawer->isVisible());
    window.hide();
    window.show();
    EXPECT_FALSE(drawer->isVisible()) << "a closed drawer stays closed";

    useSettings({{"UIConfig", QVariantMap{}}});
    YOVUIController noDrawer(context);
    noDrawer.initializeDrawer();
    EXPECT_EQ(noDrawer.drawerMain, nullptr);
}

TEST_F(BuildersTest, TabSizeChangesKeepTheWindowBelowTheTopOfTheScreen)
{
    YOVUIController controller(context);
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.setGeometry(avail.left() + 100, avail.top() + 50, 400, 300);
    auto *content = new QWidget(&window);
    content->setGeometry(0, 0, 400, 500);
    auto *middle = new QWidget(content);
    middle->setGeometry(0, 100, 400, 200); // bottom edge at 300
    auto *top = new QWidget(content);
    top->setGeometry(0, 0, 400, 50);
    skin.registerController(middle, "viewMiddleChangeable", true);
    skin.registerController(top, "viewTopFixed", true);
    controller.wndMain = &window;

    controller.changeMainTabViewItemSize("Unknown"); // no entry: nothing
    EXPECT_EQ(window.geometry(), QRect(avail.left() + 100, avail.top() + 50, 400, 300));

    // Small: the window keeps its bottom edge.
    controller.changeMainTabViewItemSize("Small");
    EXPECT_EQ(window.geometry(), QRect(avail.left() + 100, avail.top() + 150, 500, 200));
    // Tall: the top meets the top of the visible area.
    controller.changeMainTabViewItemSize("SMS");
    EXPECT_EQ(window.geometry().top(), avail.top());
    EXPECT_EQ(window.geometry().size(), QSize(640, 2000));
    // Items: the changeable view keeps its bottom-left corner, the top view moves to (10, 400)
    // measured from the bottom of its 500-high superview.
    EXPECT_EQ(middle->geometry(), QRect(0, 0, 400, 300)); // bottom edge still at 300
    EXPECT_EQ(top->geometry(), QRect(10, 500 - 400 - 50, 400, 50));
}

TEST_F(BuildersTest, TheSkinManagerPlacesTheBuiltControls)
{
    ostrel::UIManager manager;
    manager.setConfigManager(config.get());
    manager.setSkinInfo({{"btnInternet", entry({{"Left", 10}, {"Bottom", 20}, {"Width", 80}, {"Height", 30}})}});
    manager.setSkinPath(dir.path());
    ostrel::UIManagerSkinAccess access(&manager);
    context.skinManager = &access;
    YOVUIController controller(context);
    QWidget view;
    view.resize(300, 200);
    ASSERT_TRUE(controller.initializeBtnsOfView(&view, "btnsInViewTopFixed"));
    auto *button = qobject_cast<QAbstractButton *>(manager.controllerByKey("btnInternet"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget(), &view);
    EXPECT_EQ(button->geometry(), QRect(10, 200 - 20 - 30, 80, 30)); // bottom-left origin of the skin
    EXPECT_EQ(access.managerObject(), &manager);
}

#include "BuildersTest.moc"
