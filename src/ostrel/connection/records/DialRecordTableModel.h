#pragma once
// The records table's model: one row per record of the shown list, in file order, one column per
// record key (DialRecordFile::recordFileHeaderKeys(): name, start, end, duration, received,
// sent), cells as DialRecordExport::cellText() gives them. Rows are not edited. UI-free.
#include "ostrel/connection/records/DialRecordExport.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariantList>

namespace ostrel {

class DialRecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DialRecordTableModel(QObject *parent = nullptr);

    // The column of a record key; -1 for another key.
    static int columnOfKey(const QString &key);
    static QString keyOfColumn(int column);

    void setRecords(const QVariantList &records);
    const QVariantList &records() const { return records_; }
    // How dates and data amounts show (the column titles come from columnNames).
    void setFormat(const DialRecordExportFormat &format);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QVariantList records_;
    DialRecordExportFormat format_;
};

} // namespace ostrel
