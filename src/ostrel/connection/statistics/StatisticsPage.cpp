#include "ostrel/connection/statistics/StatisticsPage.h"

#include "ostrel/connection/statistics/statisticSource.h"
#include "ostrel/connection/statistics/statisticsView.h"
#include "ostrel/connection/statistics/transferSource.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ostrel {

statisticsView *installStatisticsPage(QTabWidget *tabView, statisticSource *statistics, transferSource *transfer)
{
    if (!tabView)
        return nullptr;
    const QString identifier = QStringLiteral("Statistics");
    QWidget *page = viewOfIdentifier(tabView, identifier);
    if (!page) {
        page = new QWidget;
        setTabViewItemIdentifier(page, identifier);
        tabView->addTab(page, identifier);
    }
    auto *layout = qobject_cast<QVBoxLayout *>(page->layout());
    if (!layout) {
        delete page->layout();
        layout = new QVBoxLayout(page);
    }
    layout->setContentsMargins(0, 0, 0, 0);

    auto *content = new QWidget(page);
    content->setObjectName(QStringLiteral("viewStatistics"));
    auto *outlines = new QHBoxLayout;
    outlines->setSpacing(12);
    for (StatisticsOutlineSource *source : std::initializer_list<StatisticsOutlineSource *>{statistics, transfer}) {
        auto *outline = new NSOutlineViewExt(content);
        outline->setObjectName(source == statistics ? QStringLiteral("outlineStatistics") : QStringLiteral("outlineTransfer"));
        source->setOutlineView(outline);
        outlines->addWidget(outline, 1);
    }
    auto *graph = new statisticsView(content);
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(12, 10, 12, 6);
    column->setSpacing(10);
    column->addLayout(outlines);
    column->addWidget(graph, 1);
    layout->addWidget(content, 1);

    // A language change renames the rows and redraws the graph's legend.
    for (StatisticsOutlineSource *source : std::initializer_list<StatisticsOutlineSource *>{statistics, transfer})
        QObject::connect(source, &StatisticsOutlineSource::wordingChanged, graph, &statisticsView::reloadSettings);
    return graph;
}

} // namespace ostrel
