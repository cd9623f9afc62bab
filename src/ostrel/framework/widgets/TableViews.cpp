#include "ostrel/framework/widgets/TableViews.h"

#include "ostrel/framework/widgets/Items.h"
#include "platform/NotificationCenter.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace ostrel {

namespace {

class ColumnDelegate : public QStyledItemDelegate {
public:
    explicit ColumnDelegate(NSTableViewExt *table) : QStyledItemDelegate(table), table_(table) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        bool found = false;
        const QFont font = table_->fontOfColumn(index.column(), &found);
        if (found)
            option->font = font;
        const QColor color = table_->foreGroundColorOfColumn(index.column());
        if (color.isValid()) {
            option->palette.setColor(QPalette::Text, color);
            option->palette.setColor(QPalette::HighlightedText, color);
        }
        if (!table_->useSystemDraw())
            option->state &= ~QStyle::State_Selected;
    }

private:
    NSTableViewExt *table_;
};

} // namespace

RowAndColumn tableViewRowAndColumnOfEvent(const QPointF &globalPos, const QTableView *table)
{
    RowAndColumn rc;
    if (!table)
        return rc;
    const QPoint p = table->viewport()->mapFromGlobal(globalPos.toPoint());
    if (!table->viewport()->rect().contains(p))
        return rc;
    rc.row = table->rowAt(p.y());
    rc.column = rc.row < 0 ? -1 : table->columnAt(p.x());
    return rc;
}

NSTableViewExt::NSTableViewExt(QWidget *parent) : QTableView(parent)
{
    setItemDelegate(new ColumnDelegate(this));
}

NSTableViewExt::~NSTableViewExt() = default;

void NSTableViewExt::setUseSystemDraw(bool on)
{
    bUseSystemDraw_ = on;
    viewport()->update();
}

void NSTableViewExt::setMouseMovedNotification(const QString &name)
{
    if (name.isEmpty())
        return;
    auto &center = yov::NotificationCenter::defaultCenter();
    if (!mouseMovedNotification_.isEmpty())
        center.removeObserver(this, mouseMovedNotification_);
    mouseMovedNotification_ = name;
    center.addObserver(this, &NSTableViewExt::superWindowMouseMoved, name);
}

void NSTableViewExt::superWindowMouseMoved(const yov::Notification &n)
{
    const QVariant event = n.userInfo.value(QStringLiteral("theEvent"));
    if (event.canConvert<QPointF>())
        processMouseEvent(event.toPointF());
}

void NSTableViewExt::setForeGroundColor(const QColor &color, int column)
{
    if (!color.isValid() || !model() || column < 0 || column >= model()->columnCount())
        return;
    columnForeGroundColorSet_.insert(QString::number(column), color);
    viewport()->update();
}

void NSTableViewExt::setFont(const QFont &font, int column)
{
    if (!model() || column < 0 || column >= model()->columnCount())
        return;
    columnFontSet_.insert(QString::number(column), font);
    viewport()->update();
}

QColor NSTableViewExt::foreGroundColorOfColumn(int column) const
{
    return columnForeGroundColorSet_.value(QString::number(column));
}

QFont NSTableViewExt::fontOfColumn(int column, bool *found) const
{
    const auto it = columnFontSet_.constFind(QString::number(column));
    if (found)
        *found = it != columnFontSet_.constEnd();
    return it != columnFontSet_.constEnd() ? *it : font();
}

void NSTableViewExt::setDataCell(int column, NSTextFieldCell *cell)
{
    if (!cell || column < 0)
        return;
    auto apply = [this, column, cell] {
        if (cell->textColor().isValid())
            setForeGroundColor(cell->textColor(), column);
        setColumnHidden(column, cell->isHidden());
    };
    connect(cell, &NSTextFieldCell::changed, this, apply);
    apply();
}

void NSTableViewExt::processMouseEvent(const QPointF &globalPos)
{
    if (!dataSource_)
        return;
    const RowAndColumn rc = tableViewRowAndColumnOfEvent(globalPos, this);
    if (rc.row != lastFocusedRow_) {
        lastFocusedRow_ = rc.row;
        dataSource_->tableViewExt_mouseMovedAtRow(this, rc.row);
    }
    if (rc.column != lastFocusedColumn_) {
        lastFocusedColumn_ = rc.column;
        dataSource_->tableViewExt_mouseMovedAtRowAndColumn(this, rc.row, rc.column);
    }
}

int NSTableViewExt::selectedRow() const
{
    if (!mouseMovedNotification_.isEmpty())
        return lastFocusedRow_;
    const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    if (!rows.isEmpty())
        return rows.first().row();
    const QModelIndex current = selectionModel() ? selectionModel()->currentIndex() : QModelIndex();
    return selectionModel() && selectionModel()->isSelected(current) ? current.row() : -1;
}

NSOutlineViewExt::NSOutlineViewExt(QWidget *parent) : QTreeView(parent)
{
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

int NSOutlineViewExt::visibleRowOf(const QModelIndex &index) const
{
    if (!model() || !index.isValid())
        return -1;
    int row = 0;
    for (QModelIndex i = model()->index(0, 0, rootIndex()); i.isValid(); i = indexBelow(i), ++row)
        if (i == index.siblingAtColumn(0))
            return row;
    return -1;
}

void NSOutlineViewExt::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton) {
        QTreeView::mousePressEvent(event);
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    itemAtMouseRightDown_ = index.isValid() ? index.siblingAtColumn(0) : QModelIndex();
    rowAtMouseRightDown_ = visibleRowOf(index);
    if (index.isValid() && selectionModel() && !selectionModel()->isRowSelected(index.row(), index.parent())) {
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        yov::NotificationCenter::defaultCenter().post(QStringLiteral("NSOutlineViewSelectionIsChangingNotification"),
                                                      this);
    }
}

void NSOutlineViewExt::contextMenuEvent(QContextMenuEvent *event)
{
    if (!indexAt(event->pos()).isValid()) {
        event->accept(); // no item under the mouse: no context menu
        return;
    }
    QTreeView::contextMenuEvent(event);
}

} // namespace ostrel
