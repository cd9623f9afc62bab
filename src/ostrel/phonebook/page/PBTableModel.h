#pragma once
// The Qt model of one of the phonebook page's tables (groups or contacts). Its rows, values,
// edits and editability come from the page (PBTableDataSource); the model keeps only the columns.
#include "ostrel/phonebook/ContactColumns.h"

#include <QAbstractTableModel>
#include <QFont>

#include <optional>

namespace ostrel {

class PBTableModel;

class PBTableDataSource {
public:
    virtual ~PBTableDataSource() = default;
    virtual int numberOfRowsInTableView(const PBTableModel *table) const = 0;
    virtual QVariant objectValueForTableColumn(const PBTableModel *table, const QString &identifier, int row) const = 0;
    virtual void setObjectValue(PBTableModel *table, const QVariant &value, const QString &identifier, int row) = 0;
    virtual bool shouldEditTableColumn(const PBTableModel *table, const QString &identifier, int row) const = 0;
};

class PBTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Kind { Groups, Contacts };

    PBTableModel(Kind kind, PBTableDataSource *source, QObject *parent = nullptr);
    Kind kind() const { return kind_; }

    // Columns: identifier (a contact key), English title (shown localised) and width.
    void setColumns(const QList<ContactColumn> &columns);
    const QList<ContactColumn> &columns() const { return columns_; }
    QString identifierOfColumn(int column) const { return columns_.value(column).identifier; }
    // Every value asked again (the table's reloadData).
    void reloadData();
    void setFont(const std::optional<QFont> &font) { font_ = font; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    Kind kind_;
    PBTableDataSource *source_;
    QList<ContactColumn> columns_;
    std::optional<QFont> font_;
};

} // namespace ostrel
