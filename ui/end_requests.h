#pragma once

#include <QApplication>

#include "ui/Unit1.h"
#include "ui/platform/termination.h"

namespace orvell {

// How the program meets a request from outside to end it (a kill, a logout, Ctrl+C): the
// windows close as their close buttons do, an open message box included, so the vocabulary is
// saved and the program ends normally. At the end of a Windows session, which may end the
// process before that, the window saves first.
inline void answerEndRequests(platform::TerminationRequests& requests, TForm1& form) {
    requests.handle([] { QApplication::closeAllWindows(); }, [&form] { form.saveBeforeExit(); });
}

}  // namespace orvell
