#pragma once
// A grid of link icons: the favourite links, each placed in the cell its "Index" names
// (row = Index / columns, column = Index % columns) with the picture its "Image" names.
//
// The grid shows a list it does not own: the editor of the links keeps the list and hands it over
// with setList(), so that the icons and the editor always see the same entries; refresh() places
// the icons again after the list changed. One cell may be highlighted, the current one
// (curcellIndex, -1 for none); a click on a cell makes it current and emits cellClicked().
#include <QList>
#include <QPointer>
#include <QString>
#include <QVariantList>
#include <QWidget>

class QToolButton;

namespace ostrel {

class IconMatrix : public QWidget {
    Q_OBJECT
public:
    explicit IconMatrix(int rows = 2, int columns = 4, QWidget *parent = nullptr);

    int rows() const { return rows_; }
    int columns() const { return columns_; }
    int cellCount() const { return rows_ * columns_; }

    // The list the icons come from (not owned; null: none).
    void setList(const QVariantList *list) { list_ = list; }
    const QVariantList *list() const { return list_; }
    void setCurcellIndex(int index);
    int curcellIndex() const { return curcellIndex_; }
    // Places every entry with an "Index" inside the grid in its cell; cells without an entry are
    // empty.
    void refresh();

    // The cell's button, its entry's "Image" and its entry's "Name" (empty for an empty cell).
    QToolButton *cell(int index) const;
    QString cellImage(int index) const;
    QString cellName(int index) const;
    // The cell under a point of the matrix (scanning rows, then the columns of a row): true with
    // its row and column, else false with -1 and -1.
    bool findClickedPoint(const QPoint &point, int *row, int *column) const;

signals:
    void cellClicked(int index);

protected:
    // A click between the cells leaves no cell current.
    void mousePressEvent(QMouseEvent *event) override;

private:
    void paintHighlight();

    int rows_;
    int columns_;
    const QVariantList *list_ = nullptr;
    int curcellIndex_ = -1;
    QList<QToolButton *> cells_;
};

} // namespace ostrel
