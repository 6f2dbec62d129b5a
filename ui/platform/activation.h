#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace orvell::platform {

// The program's activation events: the whole program becoming active or inactive, and one
// window losing the activation to another window of the program (a message box, say).
class Activation : public QObject {
    Q_OBJECT

  public:
    explicit Activation(QWidget& window);

    // Follows the application's active and inactive states from now on.
    void connectApplication(std::function<void()> activate, std::function<void()> deactivate);
    void onWindowDeactivate(std::function<void()> deactivate);

    // What a change of the application's state runs; public so that tests can drive it.
    void applicationStateChanged(Qt::ApplicationState state);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    std::function<void()> activate_;
    std::function<void()> deactivate_;
    std::function<void()> windowDeactivate_;
};

}  // namespace orvell::platform
