#include "ui/platform/clock.h"

#include <QLocale>

namespace orvell::platform {

namespace {
std::function<QDateTime()>& clock() {
    static std::function<QDateTime()> instance;
    return instance;
}
}  // namespace

QString withoutZone(const QString& format) {
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') continue;
        out += c;
    }
    // The zone field usually stands apart from the time by a blank or two.
    return out.simplified();
}

QString longTimeFormat() { return withoutZone(QLocale::system().timeFormat(QLocale::LongFormat)); }

QString formatLongTime(const QTime& t) { return QLocale::system().toString(t, longTimeFormat()); }

QTime parseLongTime(const QString& text) {
    return QLocale::system().toTime(text, longTimeFormat());
}

QDateTime now() { return clock() ? clock()() : QDateTime::currentDateTime(); }

void setClockForTesting(std::function<QDateTime()> c) { clock() = std::move(c); }

}  // namespace orvell::platform
