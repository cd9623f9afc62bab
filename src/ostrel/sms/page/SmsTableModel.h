#pragma once
// The Qt model of the SMS page's message table. Rows, values and fonts come from the page; the
// model keeps the columns ("mobilephone", "username", "date", "stat"), their header titles and
// their sort indicators ("NSAscendingSortIndicator", "NSDescendingSortIndicator" or none).
#include <QAbstractTableModel>
#include <QFont>
#include <QHash>
#include <QStringList>

#include <functional>
#include <optional>

namespace ostrel {

class SmsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Source {
        std::function<int()> rows;
        std::function<QVariant(const QString &column, int row)> value;
        std::function<std::optional<QFont>(int row)> font;
    };

    explicit SmsTableModel(Source source, QObject *parent = nullptr);

    static const QStringList &columnIdentifiers();
    QString identifierOfColumn(int column) const { return columnIdentifiers().value(column); }
    int columnOfIdentifier(const QString &identifier) const { return int(columnIdentifiers().indexOf(identifier)); }

    void setHeaderTitle(const QString &identifier, const QString &title);
    QString headerTitle(const QString &identifier) const { return titles_.value(identifier); }
    // "NSAscendingSortIndicator", "NSDescendingSortIndicator", or empty to remove it.
    void setIndicatorImage(const QString &identifier, const QString &indicator);
    QString indicatorImage(const QString &identifier) const { return indicators_.value(identifier); }

    // Every value asked again; the selection stays while the row count does.
    void reloadData();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void indicatorsChanged();

private:
    Source source_;
    QHash<QString, QString> titles_;
    QHash<QString, QString> indicators_;
    int shownRows_ = 0;
};

} // namespace ostrel
