#include "ostrel/sms/page/SmsTableModel.h"

namespace ostrel {

SmsTableModel::SmsTableModel(Source source, QObject *parent) : QAbstractTableModel(parent), source_(std::move(source))
{
    shownRows_ = source_.rows ? qMax(0, source_.rows()) : 0;
}

const QStringList &SmsTableModel::columnIdentifiers()
{
    static const QStringList ids{QStringLiteral("mobilephone"), QStringLiteral("username"), QStringLiteral("date"),
                                 QStringLiteral("stat")};
    return ids;
}

void SmsTableModel::setHeaderTitle(const QString &identifier, const QString &title)
{
    const int column = columnOfIdentifier(identifier);
    if (column < 0 || titles_.value(identifier) == title)
        return;
    titles_.insert(identifier, title);
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void SmsTableModel::setIndicatorImage(const QString &identifier, const QString &indicator)
{
    if (columnOfIdentifier(identifier) < 0)
        return;
    if (indicator.isEmpty())
        indicators_.remove(identifier);
    else
        indicators_.insert(identifier, indicator);
    emit indicatorsChanged();
}

void SmsTableModel::reloadData()
{
    const int rows = source_.rows ? qMax(0, source_.rows()) : 0;
    if (rows != shownRows_) {
        beginResetModel();
        shownRows_ = rows;
        endResetModel();
        return;
    }
    if (rows > 0)
        emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
}

int SmsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : shownRows_;
}

int SmsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columnIdentifiers().size());
}

QVariant SmsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= shownRows_)
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return source_.value ? source_.value(identifierOfColumn(index.column()), index.row()) : QVariant();
    if (role == Qt::FontRole && source_.font) {
        const std::optional<QFont> font = source_.font(index.row());
        return font ? QVariant(*font) : QVariant();
    }
    return {};
}

QVariant SmsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return titles_.value(identifierOfColumn(section));
}

Qt::ItemFlags SmsTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace ostrel
