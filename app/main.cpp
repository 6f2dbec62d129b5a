#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "app/command_line.h"
#include "ui/Unit1.h"
#include "ui/end_requests.h"
#include "ui/platform/termination.h"
#include "ui/qt_translations.h"
#include "ui/window_icon.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvell"));
    QApplication::setWindowIcon(orvell::programIcon());
    orvell::translateQtIntoRussian();
    const orvell::CommandLine commandLine = orvell::parseCommandLine(QApplication::arguments());
    if (!commandLine.error.isEmpty()) {
        // UTF-8 on every system: a Windows code page other than a Russian one has no Cyrillic.
        std::fprintf(stderr, "%s\n", commandLine.error.toUtf8().constData());
        return 2;
    }
    orvell::platform::TerminationRequests termination;
    // The reader window is the main window and owns the task-bar button; closing it ends the
    // message loop and its destruction saves the vocabulary.
    orvell::TForm1 form;
    form.show();
    orvell::answerEndRequests(termination, form);
    // Once the window is up, so that an error box about the file has a window to stand over.
    if (!commandLine.file.isEmpty())
        QTimer::singleShot(0, &form, [&form, &commandLine] { form.openFile(commandLine.file); });
    return QApplication::exec();
}
