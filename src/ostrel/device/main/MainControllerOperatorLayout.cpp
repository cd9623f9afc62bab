// MainController: the operator layout whose skin asks for it (UIConfig/BraVuzodUI). The Internet
// page uses the skin's "Main" module, every other page its "Other" module: the drawer's offsets,
// the window's dynamic items, the tab view and the broadcast label follow the module, and the
// drawer's page buttons show which page is on.
#include "ostrel/device/main/MainController.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/controller/Drawer.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"

namespace ostrel {

namespace {

struct PageButton {
    const char *key;
    const char *page;
};

constexpr PageButton kVuzodPageButtons[] = {
    {"btnInternet", "Internet"},
    {"btnSMS", "SMS"},
    {"btnPhonebook", "Phonebook"},
    {"btnSetting", "Setting"},
};

} // namespace

bool MainController::hasBraVuzodLayout() const
{
    return yovSkinManager() && yov::nsBool(uiConfigDict().value(QStringLiteral("BraVuzodUI")));
}

QString MainController::braVuzodModuleForPage(const QString &page)
{
    return page == QLatin1String("Internet") ? QStringLiteral("Main") : QStringLiteral("Other");
}

void MainController::updateUIForBraVuzod(const QString &page)
{
    if (page.isEmpty() || !hasBraVuzodLayout())
        return;
    updateControllersForBarVuzod(page);
    changeDrawerBtnStyleForBraVuzod(page);
}

void MainController::updateControllersForBarVuzod(const QString &page)
{
    SkinManagerAccess *skin = yovSkinManager();
    if (!skin)
        return;
    const QString module = braVuzodModuleForPage(page);
    updateDrawerOffsetByWindow(module);
    updateDynamicItemsByModule(module);
    for (const QString &key : {QStringLiteral("wndMainTabview"), QStringLiteral("labelBroadCast")}) {
        skin->setNewSizeForKey(key, module, false);
        skin->setNewLocationInSuperviewForKey(key, module, true);
    }
}

void MainController::changeDrawerBtnStyleForBraVuzod(const QString &page)
{
    SkinManagerAccess *skin = yovSkinManager();
    if (!skin)
        return;
    // The buttons live in the drawer: a closed drawer is opened for the change and closed again.
    const bool reopen = drawerMain && !drawerMain->isOpen();
    if (reopen)
        drawerMain->open();
    for (const PageButton &button : kVuzodPageButtons) {
        const bool chosen = page == QLatin1String(button.page);
        skin->setImageForKey(QLatin1String(button.key), chosen ? QStringLiteral("In") : QStringLiteral("Out"), true);
    }
    if (reopen)
        drawerMain->close();
}

} // namespace ostrel
