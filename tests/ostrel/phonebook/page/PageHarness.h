#pragma once
// The phonebook page over a controller on the in-process transport (DeviceLinkHarness.h): the
// page is built and becomes the controller's page before the controller wakes, as the dashboard
// does it.
#include "DeviceLinkHarness.h"

#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/phonebook/page/PBSource.h"
#include "ostrel/phonebook/page/PBWindow.h"

#include <QItemSelectionModel>
#include <QPushButton>

namespace pagetest {

using pbtest::contact;
using pbtest::group;

// The toolbar of the settings (used without a skin): the Call and SMS buttons are governed.
inline QVariantMap toolbarWithCallAndSms()
{
    return {{QStringLiteral("toolBarItems"),
             QVariantList{QVariantMap{{QStringLiteral("itemIdentifier"), QStringLiteral("SMS")}},
                          QVariantMap{{QStringLiteral("itemIdentifier"), QStringLiteral("Call")}}}}};
}

class PageHarness : public pbtest::LinkHarness {
public:
    explicit PageHarness(const QVariantMap &phoneBook = {}, const QVariantMap &topLevel = {})
        : LinkHarness(phoneBook, topLevel)
    {
    }
    ~PageHarness() { window.reset(); }

    ostrel::PBWindow &open(const ostrel::PBPage::Layout &layout = {})
    {
        ostrel::ControllerContext context;
        context.config = store.get();
        context.notificationCenter = &notifications;
        context.msgCenter = msgCenter;
        context.clock = clock;
        pb = std::make_unique<ostrel::PBController>(context);
        window = std::make_unique<ostrel::PBWindow>(pb.get(), layout);
        window->page()->resize(1000, 640);
        window->page()->show();
        pb->awakeFromNib();
        return *window;
    }

    ostrel::PBPage &page() const { return *window->page(); }
    ostrel::PBTableModel &users() const { return *window->userModel(); }
    ostrel::PBTableModel &groups() const { return *window->groupModel(); }

    // A click on a save-position cell, as the user makes it.
    void clickCell(int tag) const
    {
        for (QAbstractButton *cell : page().m_SavePosition->cells())
            if (cell->property("tag").toInt() == tag)
                cell->click();
    }
    // Selects rows of a table as the user would.
    void selectRows(QTableView *table, const QList<int> &rows) const
    {
        QItemSelectionModel *selection = table->selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(table->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList columnIds() const
    {
        QStringList ids;
        for (const ostrel::ContactColumn &c : users().columns())
            ids << c.identifier;
        return ids;
    }
    // The six buttons of buttonControl, in its order (contact buttons as m_AddUserBtn...).
    std::array<bool, 6> sixButtons() const
    {
        const ostrel::PBPage &p = page();
        return {p.m_AddGroupBtn->isEnabled(), p.m_DeleteGroupBtn->isEnabled(), p.m_EditGroupBtn->isEnabled(),
                p.m_AddUserBtn->isEnabled(),  p.m_DeleteUserBtn->isEnabled(), p.m_EditUserBtn->isEnabled()};
    }

    std::unique_ptr<ostrel::PBWindow> window;
};

} // namespace pagetest
