// Waits for a mapped top-level window with the given title and asks it to close the way a
// window manager's close button does: a WM_DELETE_WINDOW message. Without a window manager
// nobody else would send it.
//   close_window TITLE [SECONDS]   exit 0 once asked, 1 if no such window came in time
// Build: c++ -std=c++20 -o close_window tools/close_window.cpp -lX11
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

namespace {

// The title as stored, whatever its encoding: the caller compares plain ASCII titles.
std::string propertyText(Display* display, Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type,
                           &format, &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (format == 8) text.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return text;
}

bool hasTitle(Display* display, Window window, const std::string& title) {
    return propertyText(display, window, XInternAtom(display, "_NET_WM_NAME", False)) == title ||
           propertyText(display, window, XInternAtom(display, "WM_NAME", False)) == title;
}

bool isViewable(Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

std::optional<Window> findWindow(Display* display, const std::string& title) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<Window> found;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0)
        return found;
    for (unsigned int i = 0; i < count && !found; ++i)
        if (isViewable(display, children[i]) && hasTitle(display, children[i], title))
            found = children[i];
    if (children != nullptr) XFree(children);
    return found;
}

bool acceptsDelete(Display* display, Window window, Atom deleteWindow) {
    Atom* protocols = nullptr;
    int count = 0;
    bool accepts = false;
    if (XGetWMProtocols(display, window, &protocols, &count) != 0) {
        for (int i = 0; i < count; ++i) accepts = accepts || protocols[i] == deleteWindow;
        XFree(protocols);
    }
    return accepts;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s TITLE [SECONDS]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    const auto limit = std::chrono::seconds(argc == 3 ? std::atoi(argv[2]) : 60);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "close_window: cannot open the display\n");
        return 1;
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::optional<Window> window;
    while (!(window = findWindow(display, title)) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    if (!window) {
        std::fprintf(stderr, "close_window: no window \"%s\" appeared\n", title.c_str());
        return 1;
    }
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (!acceptsDelete(display, *window, deleteWindow)) {
        std::fprintf(stderr, "close_window: \"%s\" does not take WM_DELETE_WINDOW\n",
                     title.c_str());
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = *window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, *window, False, NoEventMask, &event);
    XCloseDisplay(display);
    std::printf("close_window: asked \"%s\" (0x%lx) to close\n", title.c_str(), *window);
    return 0;
}
