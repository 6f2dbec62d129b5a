#include <QApplication>

#include "ui/Unit1.h"
#include "ui/window_icon.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvell"));
    QApplication::setWindowIcon(orvell::programIcon());
    // The reader window is the main window and owns the task-bar button; closing it ends the
    // message loop and its destruction saves the vocabulary.
    orvell::TForm1 form;
    form.show();
    return QApplication::exec();
}
