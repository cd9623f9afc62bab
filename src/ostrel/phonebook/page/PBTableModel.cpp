#include "ostrel/phonebook/page/PBTableModel.h"

#include "ostrel/framework/language/Lingrove.h"

namespace ostrel {

PBTableModel::PBTableModel(Kind kind, PBTableDataSource *source, QObject *parent)
    : QAbstractTableModel(parent), kind_(kind), source_(source)
{
}

void PBTableModel::setColumns(const QList<ContactColumn> &columns)
{
    beginResetModel();
    columns_ = columns;
    endResetModel();
}

void PBTableModel::reloadData()
{
    beginResetModel();
    endResetModel();
}

int PBTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : qMax(0, source_->numberOfRowsInTableView(this));
}

int PBTableModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant PBTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= columns_.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return source_->objectValueForTableColumn(this, columns_.at(index.column()).identifier, index.row());
    if (role == Qt::FontRole && font_)
        return *font_;
    return {};
}

bool PBTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() >= columns_.size())
        return false;
    source_->setObjectValue(this, value, columns_.at(index.column()).identifier, index.row());
    return true;
}

QVariant PBTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns_.size())
        return {};
    return Map_Name_Item_of_IndexString(columns_.at(section).title);
}

Qt::ItemFlags PBTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (source_->shouldEditTableColumn(this, columns_.value(index.column()).identifier, index.row()))
        f |= Qt::ItemIsEditable;
    return f;
}

} // namespace ostrel
