#pragma once
// Table and outline views of the skin.
//
// NSTableViewExt: per-column fonts and text colours, and a mouse-over row: when a mouse-moved
// notification name is set, the table follows the mouse positions posted under that name (user
// info "theEvent": global position) and tells its data source when the row or column under the
// mouse changes; selectedRow() is then the row under the mouse. With system drawing off the
// selection highlight is not drawn (rows are shown by the mouse-over instead).
// NSOutlineViewExt: a right click selects the row under the mouse (when it was not selected) and
// remembers it; the context menu follows only when there is an item there.

#include <QHash>
#include <QPersistentModelIndex>
#include <QTableView>
#include <QTreeView>

namespace yov { struct Notification; }

namespace ostrel {

class NSTableViewExt;
class NSTextFieldCell;

// Optional calls of a table's data source (the values themselves come from the Qt model).
class NSTableViewExtDataSource {
public:
    virtual ~NSTableViewExtDataSource() = default;
    virtual void tableViewExt_mouseMovedAtRow(NSTableViewExt *table, int row) { (void)table; (void)row; }
    virtual void tableViewExt_mouseMovedAtRowAndColumn(NSTableViewExt *table, int row, int column)
    {
        (void)table; (void)row; (void)column;
    }
};

// The row and column under a global position, each -1 outside the visible area or on no row.
struct RowAndColumn {
    int row = -1;
    int column = -1;
};
RowAndColumn tableViewRowAndColumnOfEvent(const QPointF &globalPos, const QTableView *table);

class NSTableViewExt : public QTableView {
    Q_OBJECT
public:
    explicit NSTableViewExt(QWidget *parent = nullptr);
    ~NSTableViewExt() override;

    void setDataSource(NSTableViewExtDataSource *source) { dataSource_ = source; }
    void setUseSystemDraw(bool on);
    bool useSystemDraw() const { return bUseSystemDraw_; }

    // Nothing for an empty name.
    void setMouseMovedNotification(const QString &name);
    QString mouseMovedNotification() const { return mouseMovedNotification_; }

    // Ignored for a column not below the column count or an invalid value.
    void setForeGroundColor(const QColor &color, int column);
    void setFont(const QFont &font, int column);
    QColor foreGroundColorOfColumn(int column) const;
    QFont fontOfColumn(int column, bool *found = nullptr) const;

    // The text cell of a column (not owned): the column shows in the cell's text colour and is
    // hidden while the cell is, following the cell's changes (as the skin dresses it).
    void setDataCell(int column, NSTextFieldCell *cell);

    void processMouseEvent(const QPointF &globalPos);
    int selectedRow() const;
    int lastFocusedRow() const { return lastFocusedRow_; }

    using QTableView::setFont;

private:
    void superWindowMouseMoved(const yov::Notification &n);

    QString mouseMovedNotification_;
    QHash<QString, QFont> columnFontSet_;
    QHash<QString, QColor> columnForeGroundColorSet_;
    int lastFocusedRow_ = -1;
    int lastFocusedColumn_ = -1;
    bool bUseSystemDraw_ = true;
    NSTableViewExtDataSource *dataSource_ = nullptr;
};

class NSOutlineViewExt : public QTreeView {
    Q_OBJECT
public:
    explicit NSOutlineViewExt(QWidget *parent = nullptr);

    QModelIndex itemAtMouseRightDown() const { return itemAtMouseRightDown_; }
    int rowAtMouseRightDown() const { return rowAtMouseRightDown_; }
    // Row of an index counted over the visible (expanded) items, -1 when not shown.
    int visibleRowOf(const QModelIndex &index) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QPersistentModelIndex itemAtMouseRightDown_;
    int rowAtMouseRightDown_ = -1;
};

} // namespace ostrel
