#pragma once
// The "Statistics" page of the main window: the outline of period totals and the outline of the
// running connection side by side, the live speed graph below them.
class QTabWidget;
class QWidget;

namespace ostrel {

class statisticSource;
class statisticsView;
class transferSource;

// Builds the page into the tab whose identifier is "Statistics" (adding that tab when the tab
// view has none) and returns its speed graph; null without a tab view.
statisticsView *installStatisticsPage(QTabWidget *tabView, statisticSource *statistics, transferSource *transfer);

} // namespace ostrel
