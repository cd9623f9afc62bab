#include "ostrel/settings/NetListModel.h"

#include "ostrel/settings/NetworkSelection.h"

#include <QColor>
#include <QFont>

namespace ostrel {

NetListModel::NetListModel(CellText cell, Highlighted highlighted, QObject *parent)
    : QAbstractTableModel(parent), cell_(std::move(cell)), highlighted_(std::move(highlighted))
{
    for (const char *title : netsel::kColumnTitles)
        headers_ << QLatin1String(title);
}

void NetListModel::reload(int rows)
{
    beginResetModel();
    rows_ = qMax(0, rows);
    endResetModel();
}

void NetListModel::setHeaders(const QStringList &titles)
{
    headers_ = titles;
    emit headerDataChanged(Qt::Horizontal, 0, netsel::kColumnCount - 1);
}

int NetListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : rows_; }

int NetListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : netsel::kColumnCount; }

QString NetListModel::keyOfColumn(int column)
{
    return column >= 0 && column < netsel::kColumnCount ? QLatin1String(netsel::kColumns[column]) : QString();
}

QVariant NetListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cell_ ? cell_(index.row(), keyOfColumn(index.column())) : QString();
    case Qt::ForegroundRole:
        if (highlighted_ && highlighted_(index.row()))
            return QColor(Qt::blue);
        return {};
    case Qt::FontRole:
        if (highlighted_ && highlighted_(index.row())) {
            QFont font;
            font.setPointSizeF(15.0);
            return font;
        }
        return {};
    default:
        return {};
    }
}

QVariant NetListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < headers_.size())
        return headers_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace ostrel
