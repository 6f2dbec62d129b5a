#pragma once

#include <QObject>
#include <functional>
#include <set>

namespace orvell::platform {

// Keys taken from the normal keyboard input while registered: their presses, anywhere in the
// program, go to the handler with the key's identifier and never to the focused control.
// Only this program's windows are watched; nothing is grabbed from other programs.
class HotKeys : public QObject {
    Q_OBJECT

  public:
    static constexpr int kSpace = 32;
    static constexpr int kKeypadPlus = 107;
    static constexpr int kKeypadMinus = 109;
    // The keys that move a reading, by their virtual-key codes as well.
    static constexpr int kPageUp = 33;
    static constexpr int kPageDown = 34;
    static constexpr int kLeft = 37;
    static constexpr int kUp = 38;
    static constexpr int kRight = 39;
    static constexpr int kDown = 40;

    explicit HotKeys(std::function<void(int)> handler, QObject* parent = nullptr);

    // Fails for a key already registered or one this class does not know.
    bool registerHotKey(int id);
    // Does nothing for a key not registered.
    void unregisterHotKey(int id);
    bool isRegistered(int id) const { return registered_.contains(id); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(int)> handler_;
    std::set<int> registered_;
};

}  // namespace orvell::platform
