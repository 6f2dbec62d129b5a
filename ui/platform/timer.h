#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>

namespace orvell::platform {

// A window timer: an enabled flag and an interval in milliseconds. Enabling starts a full
// period; writing the flag or the interval with the value it already has changes nothing;
// a new interval on a running timer restarts its period from that moment.
class Timer : public QObject {
    Q_OBJECT

  public:
    Timer(const QString& name, std::uint32_t interval, QObject* parent);

    bool enabled() const { return timer_.isActive(); }
    void setEnabled(bool on);

    std::uint32_t interval() const { return interval_; }
    void setInterval(std::uint32_t ms);

  signals:
    void tick();

  private:
    QTimer timer_;
    std::uint32_t interval_;
};

}  // namespace orvell::platform
