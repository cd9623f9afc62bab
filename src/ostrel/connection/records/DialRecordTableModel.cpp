#include "ostrel/connection/records/DialRecordTableModel.h"

#include "ostrel/connection/dial/DialRecordFile.h"

namespace ostrel {

DialRecordTableModel::DialRecordTableModel(QObject *parent) : QAbstractTableModel(parent) {}

int DialRecordTableModel::columnOfKey(const QString &key)
{
    return int(DialRecordFile::recordFileHeaderKeys().indexOf(key));
}

QString DialRecordTableModel::keyOfColumn(int column) { return DialRecordFile::recordFileHeaderKeys().value(column); }

void DialRecordTableModel::setRecords(const QVariantList &records)
{
    beginResetModel();
    records_ = records;
    endResetModel();
}

void DialRecordTableModel::setFormat(const DialRecordExportFormat &format)
{
    format_ = format;
    if (!records_.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int DialRecordTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(records_.size());
}

int DialRecordTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(DialRecordFile::recordFileHeaderKeys().size());
}

QVariant DialRecordTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= records_.size() || role != Qt::DisplayRole)
        return {};
    return DialRecordExport::cellText(records_.at(index.row()), keyOfColumn(index.column()), format_);
}

QVariant DialRecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    const QString title = format_.columnNames.value(section);
    return title.isEmpty() ? keyOfColumn(section) : title;
}

Qt::ItemFlags DialRecordTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace ostrel
