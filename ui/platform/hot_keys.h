#pragma once

#include <QObject>
#include <functional>
#include <set>

class QWidget;

namespace orvell::platform {

// Keys taken from the normal keyboard input while registered: their presses in the reader
// window, or in a window that shares its keys, go to the handler with the key's identifier and
// never to the focused control. In every other window of the program (a file dialog, a message
// box) they reach the focused control as usual; nothing is grabbed from other programs.
class HotKeys : public QObject {
    Q_OBJECT

  public:
    static constexpr int kSpace = 32;
    static constexpr int kKeypadPlus = 107;
    static constexpr int kKeypadMinus = 109;
    // Shift with the keypad's plus or minus: a finer step, which arrives while the plain key
    // is registered.
    static constexpr int kShifted = 0x10000;
    static constexpr int kFinePlus = kShifted | kKeypadPlus;
    static constexpr int kFineMinus = kShifted | kKeypadMinus;
    // The keys that move a reading, by their virtual-key codes as well.
    static constexpr int kPageUp = 33;
    static constexpr int kPageDown = 34;
    static constexpr int kLeft = 37;
    static constexpr int kUp = 38;
    static constexpr int kRight = 39;
    static constexpr int kDown = 40;

    // The keys belong to `window`, the reader window, which also owns this object.
    HotKeys(std::function<void(int)> handler, QWidget& window);

    // Fails for a key already registered or one this class does not know.
    bool registerHotKey(int id);
    // Does nothing for a key not registered.
    void unregisterHotKey(int id);
    bool isRegistered(int id) const { return registered_.contains(id); }

    // Lets the keys act in `box` too, a window opened over the reader that keeps it running.
    static void shareWith(QWidget& box);
    // Whether the keys act in the window that is active now.
    bool actInActiveWindow() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool actIn(const QWidget* window) const;

    std::function<void(int)> handler_;
    QWidget& window_;
    std::set<int> registered_;
};

}  // namespace orvell::platform
