#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>
#include <functional>

namespace orvell::platform {

// The user's long time format without its time-zone field: a bare time of day has no zone,
// and a zone field would neither print nor parse back sensibly.
QString longTimeFormat();
QString withoutZone(const QString& format);

QString formatLongTime(const QTime& t);
// An invalid QTime when text is not a time in that format.
QTime parseLongTime(const QString& text);

// The local clock. Tests may replace it; an empty function restores the real clock.
QDateTime now();
void setClockForTesting(std::function<QDateTime()> clock);

}  // namespace orvell::platform
