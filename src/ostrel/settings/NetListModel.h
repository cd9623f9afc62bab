#pragma once
// The result sheet's table model: one row per operator found, the columns "state",
// "lalpha_oper", "numeric_oper" and "nettype". The texts come from the owner (the controller's
// cell rules); a highlighted row is drawn blue in a 15-point font.
#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

namespace ostrel {

class NetListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The text of a cell, by row and column key; whether a row is highlighted.
    using CellText = std::function<QString(int row, const QString &key)>;
    using Highlighted = std::function<bool(int row)>;

    NetListModel(CellText cell, Highlighted highlighted, QObject *parent = nullptr);

    // Tells the views that the list changed (rows and texts).
    void reload(int rows);
    void setHeaders(const QStringList &titles);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The column key of a column.
    static QString keyOfColumn(int column);

private:
    CellText cell_;
    Highlighted highlighted_;
    QStringList headers_;
    int rows_ = 0;
};

} // namespace ostrel
