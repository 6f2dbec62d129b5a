#include "ui/history_charts.h"

#include <qcustomplot.h>
#include <algorithm>

namespace orvell {

using namespace Qt::StringLiterals;
using std::chrono::sys_seconds;

namespace {

constexpr double kDaySeconds = 86'400;
// Sittings in the speed's moving average.
constexpr int kAverageOver = 10;
// Up to this span the time axis names days, beyond it months.
constexpr double kDaysNamedUpTo = 100 * kDaySeconds;

// The time axes count seconds since 1970, as QCustomPlot's date ticker does.
double key(sys_seconds t) { return static_cast<double>(t.time_since_epoch().count()); }

QCustomPlot* chart(const char* name, const QString& valueLabel) {
    auto* plot = new QCustomPlot;
    plot->setObjectName(QString::fromLatin1(name));
    plot->setLocale(QLocale(QLocale::Russian));
    plot->xAxis->setTicker(QSharedPointer<QCPAxisTickerDateTime>::create());
    plot->xAxis->setLabel(u"Дата"_s);
    plot->yAxis->setLabel(valueLabel);
    return plot;
}

QCPGraph* line(QCustomPlot& plot, const QString& name, const QPen& pen) {
    QCPGraph* graph = plot.addGraph();
    graph->setName(name);
    graph->setPen(pen);
    return graph;
}

// Shows [from, to] on the time axis and [0, top] above it. The drawing waits for the event
// loop, so that a window being laid out draws each chart once, at its size.
void frame(QCustomPlot& plot, double from, double to, double top) {
    auto ticker = plot.xAxis->ticker().dynamicCast<QCPAxisTickerDateTime>();
    ticker->setDateTimeFormat(to - from <= kDaysNamedUpTo ? u"dd.MM"_s : u"MM.yyyy"_s);
    plot.xAxis->setRange(from, to);
    plot.yAxis->setRange(0, std::max(top, 1.0) * 1.1);
    plot.replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace

HistoryCharts::HistoryCharts(QWidget* parent)
    : QTabWidget(parent),
      wordsChart_(chart("wordsChart", u"Слов"_s)),
      speedChart_(chart("speedChart", u"Слов в минуту"_s)),
      rootsChart_(chart("rootsChart", u"Корней"_s)),
      dayWords_(new QCPBars(wordsChart_->xAxis, wordsChart_->yAxis)),
      speeds_(line(*speedChart_, u"За сеанс"_s, QPen(QColor(90, 90, 90, 170)))),
      average_(line(*speedChart_, u"Среднее"_s, QPen(QColor(30, 90, 200), 2))),
      chosen_(line(*speedChart_, u"Выбранная"_s, QPen(QColor(210, 40, 40), 1.5))),
      roots_(line(*rootsChart_, u"Корней"_s, QPen(QColor(40, 140, 60), 2))) {
    setObjectName(u"historyCharts"_s);
    dayWords_->setWidth(0.8 * kDaySeconds);
    dayWords_->setPen(Qt::NoPen);
    dayWords_->setBrush(QColor(30, 90, 200));
    speeds_->setLineStyle(QCPGraph::lsNone);
    speeds_->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, 5));
    // Plain discs: over years of sittings, smoothing each one took a sixth of the drawing.
    speeds_->setAntialiasedScatters(false);
    chosen_->setLineStyle(QCPGraph::lsStepLeft);
    roots_->setLineStyle(QCPGraph::lsStepLeft);
    speedChart_->legend->setVisible(true);
    speedChart_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    addTab(wordsChart_, u"Слов в день"_s);
    addTab(speedChart_, u"Скорость"_s);
    addTab(rootsChart_, u"Словарь"_s);
}

void HistoryCharts::draw(const ReadingHistory& history, std::optional<sys_seconds> from,
                         sys_seconds to, std::chrono::minutes utcOffset) {
    const std::vector<Sitting> sittings = history.sittings(from.value_or(sys_seconds{}), to);
    const sys_seconds start = from               ? *from
                              : sittings.empty() ? to - std::chrono::days(30)
                                                 : sittings.front().startedAt;

    // A day's bar stands over its local noon.
    const std::vector<DayWords> days = history.wordsPerDay(start, to, utcOffset);
    QVector<double> dayKeys;
    QVector<double> words;
    dayKeys.reserve(std::ssize(days));
    words.reserve(std::ssize(days));
    for (const DayWords& day : days) {
        dayKeys.push_back(
            key(sys_seconds(std::chrono::sys_days(day.day)) + std::chrono::hours(12) - utcOffset));
        words.push_back(static_cast<double>(day.words));
    }
    dayWords_->setData(dayKeys, words, true);

    QVector<double> at;
    QVector<double> speeds;
    QVector<double> averages;
    QVector<double> chosen;
    for (const Sitting& s : sittings) {
        if (s.activeMs <= 0 || s.words <= 0) continue;  // nothing read: no speed
        at.push_back(key(s.startedAt));
        speeds.push_back(static_cast<double>(s.words) * 60'000 / static_cast<double>(s.activeMs));
        chosen.push_back(static_cast<double>(s.speed));
    }
    // The mean of the sittings so far, at most kAverageOver of them.
    averages.reserve(speeds.size());
    double sum = 0;
    for (qsizetype i = 0; i < speeds.size(); ++i) {
        sum += speeds[i];
        if (i >= kAverageOver) sum -= speeds[i - kAverageOver];
        averages.push_back(sum / static_cast<double>(std::min<qsizetype>(i + 1, kAverageOver)));
    }
    speeds_->setData(at, speeds, true);
    average_->setData(at, averages, true);
    chosen_->setData(at, chosen, true);

    const std::vector<RootsPoint> points = history.rootsOverTime(start, to);
    QVector<double> rootsAt;
    QVector<double> roots;
    rootsAt.reserve(std::ssize(points));
    roots.reserve(std::ssize(points));
    for (const RootsPoint& p : points) {
        rootsAt.push_back(key(p.at));
        roots.push_back(static_cast<double>(p.roots));
    }
    roots_->setData(rootsAt, roots, true);

    const auto top = [](const QVector<double>& values) {
        return values.isEmpty() ? 0.0 : *std::ranges::max_element(values);
    };
    // The days' bars whole, the first and the last included.
    const double half = kDaySeconds / 2;
    frame(*wordsChart_, dayKeys.isEmpty() ? key(start) : dayKeys.front() - half,
          dayKeys.isEmpty() ? key(to) : std::max(dayKeys.back() + half, key(to)), top(words));
    frame(*speedChart_, key(start), key(to), std::max(top(speeds), top(chosen)));
    frame(*rootsChart_, key(start), key(to), top(roots));
}

}  // namespace orvell
