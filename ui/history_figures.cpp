#include "ui/history_figures.h"

#include <QDateTime>
#include <QLocale>

namespace orvell {

using namespace Qt::StringLiterals;

namespace {

const QLocale& russian() {
    static const QLocale locale(QLocale::Russian);
    return locale;
}

}  // namespace

QString russianCount(std::int64_t n) { return russian().toString(static_cast<qlonglong>(n)); }

QString readingTime(std::int64_t ms) {
    const std::int64_t minutes = ms / 60'000;
    if (minutes < 60) return u"%1 мин"_s.arg(minutes);
    return u"%1 ч %2 мин"_s.arg(russianCount(minutes / 60)).arg(minutes % 60, 2, 10, QChar(u'0'));
}

QString localMoment(std::optional<std::chrono::sys_seconds> at) {
    if (!at) return u"—"_s;
    const QDateTime local = QDateTime::fromSecsSinceEpoch(at->time_since_epoch().count());
    return russian().toString(local, QLocale::ShortFormat);
}

QString russianDecimal(double value) { return russian().toString(value, 'f', 1); }

}  // namespace orvell
