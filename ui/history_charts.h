#pragma once

#include <QTabWidget>
#include <chrono>
#include <optional>

#include "history/reading_history.h"

class QCPBars;
class QCPGraph;
class QCustomPlot;

namespace orvell {

// The history window's three charts, a tab each: the words read each day, the speed of each
// sitting against the one chosen, and the vocabulary's size over time.
class HistoryCharts : public QTabWidget {
    Q_OBJECT

  public:
    explicit HistoryCharts(QWidget* parent = nullptr);

    // Draws the history from `from` (none: from its first sitting) to `to`, the days counted
    // at `utcOffset` from UTC.
    void draw(const ReadingHistory& history, std::optional<std::chrono::sys_seconds> from,
              std::chrono::sys_seconds to, std::chrono::minutes utcOffset);

  private:
    QCustomPlot* wordsChart_;
    QCustomPlot* speedChart_;
    QCustomPlot* rootsChart_;
    QCPBars* dayWords_;
    QCPGraph* speeds_;
    QCPGraph* average_;
    QCPGraph* chosen_;
    QCPGraph* roots_;
};

}  // namespace orvell
