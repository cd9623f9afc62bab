#include "WidgetTestUtil.h"

#include "ostrel/framework/widgets/TableViews.h"
#include "platform/NotificationCenter.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <gtest/gtest.h>

using namespace widget_test;

namespace {

struct RecordingSource : ostrel::NSTableViewExtDataSource {
    QList<int> rows;
    QList<QPair<int, int>> cells;
    void tableViewExt_mouseMovedAtRow(ostrel::NSTableViewExt *, int row) override { rows << row; }
    void tableViewExt_mouseMovedAtRowAndColumn(ostrel::NSTableViewExt *, int row, int column) override
    {
        cells << qMakePair(row, column);
    }
};

QStandardItemModel *grid(int rows, int columns, QObject *parent)
{
    auto *m = new QStandardItemModel(rows, columns, parent);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            m->setItem(r, c, new QStandardItem(QStringLiteral("%1/%2").arg(r).arg(c)));
    return m;
}

} // namespace

TEST(NSTableViewExt, FollowsTheMouseThroughTheNotification)
{
    ostrel::NSTableViewExt table;
    table.setModel(grid(5, 2, &table));
    table.resize(300, 200);
    table.show();
    table.selectRow(4);
    EXPECT_EQ(table.selectedRow(), 4); // no notification: the platform's selection

    RecordingSource source;
    table.setDataSource(&source);
    table.setMouseMovedNotification(QStringLiteral("superWindowMouseMoved"));
    const QRect cell = table.visualRect(table.model()->index(2, 1));
    const QPointF global = table.viewport()->mapToGlobal(QPointF(cell.center()));
    yov::NotificationCenter::defaultCenter().post(QStringLiteral("superWindowMouseMoved"), nullptr,
                                                  {{QStringLiteral("theEvent"), global}});
    EXPECT_EQ(table.selectedRow(), 2);
    EXPECT_EQ(source.rows, QList<int>{2});
    EXPECT_EQ(source.cells, (QList<QPair<int, int>>{{2, 1}}));

    // the same cell again: nothing new; outside the table: -1 for both
    yov::NotificationCenter::defaultCenter().post(QStringLiteral("superWindowMouseMoved"), nullptr,
                                                  {{QStringLiteral("theEvent"), global}});
    EXPECT_EQ(source.rows.size(), 1);
    yov::NotificationCenter::defaultCenter().post(QStringLiteral("superWindowMouseMoved"), nullptr,
                                                  {{QStringLiteral("theEvent"), QPointF(-5000, -5000)}});
    EXPECT_EQ(source.rows, (QList<int>{2, -1}));
    EXPECT_EQ(source.cells.last(), qMakePair(-1, -1));
    EXPECT_EQ(table.selectedRow(), -1);
}

TEST(NSTableViewExt, ColumnAttributesOnlyForExistingColumns)
{
    ostrel::NSTableViewExt table;
    table.setModel(grid(2, 2, &table));
    table.setForeGroundColor(Qt::red, 1);
    table.setForeGroundColor(Qt::blue, 2);      // beyond the column count
    table.setForeGroundColor(QColor(), 0);      // no colour
    QFont f(QStringLiteral("Sans"));
    f.setPixelSize(17);
    table.setFont(f, 0);
    EXPECT_EQ(table.foreGroundColorOfColumn(1), QColor(Qt::red));
    EXPECT_FALSE(table.foreGroundColorOfColumn(2).isValid());
    EXPECT_FALSE(table.foreGroundColorOfColumn(0).isValid());
    bool found = false;
    EXPECT_EQ(table.fontOfColumn(0, &found).pixelSize(), 17);
    EXPECT_TRUE(found);
    table.fontOfColumn(1, &found);
    EXPECT_FALSE(found);
}

TEST(NSOutlineViewExt, RightClickSelectsTheRowUnderTheMouse)
{
    ostrel::NSOutlineViewExt outline;
    auto *model = new QStandardItemModel(&outline);
    auto *inbox = new QStandardItem(QStringLiteral("Inbox"));
    inbox->appendRow(new QStandardItem(QStringLiteral("Local")));
    model->appendRow(inbox);
    model->appendRow(new QStandardItem(QStringLiteral("Outbox")));
    outline.setModel(model);
    outline.expandAll();
    outline.resize(200, 200);
    outline.show();
    outline.setCurrentIndex(model->index(0, 0));

    int changing = 0;
    QObject observer;
    yov::NotificationCenter::defaultCenter().addObserver(
        &observer, QStringLiteral("NSOutlineViewSelectionIsChangingNotification"), &outline,
        [&](const yov::Notification &) { ++changing; });

    const QModelIndex local = model->index(0, 0, model->index(0, 0));
    press(outline.viewport(), outline.visualRect(local).center(), Qt::RightButton);
    EXPECT_EQ(outline.itemAtMouseRightDown(), local);
    EXPECT_EQ(outline.rowAtMouseRightDown(), 1);
    EXPECT_EQ(outline.selectionModel()->selectedRows(), QModelIndexList{local});
    EXPECT_EQ(changing, 1);

    // again on the selected row: no change
    press(outline.viewport(), outline.visualRect(local).center(), Qt::RightButton);
    EXPECT_EQ(changing, 1);

    // below the last row: no item, selection kept
    press(outline.viewport(), QPoint(5, 190), Qt::RightButton);
    EXPECT_FALSE(outline.itemAtMouseRightDown().isValid());
    EXPECT_EQ(outline.rowAtMouseRightDown(), -1);
    EXPECT_EQ(outline.selectionModel()->selectedRows(), QModelIndexList{local});
}
