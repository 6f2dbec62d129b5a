#pragma once

#include <QString>
#include <QStringList>

namespace orvell {

// What the command line asks for: `orvell` alone, or `orvell FILE` to open a book.
struct CommandLine {
    QString file;   // empty: no file to open
    QString error;  // for standard error; empty when the arguments are usable
};

// `arguments` as QCoreApplication::arguments() gives them, the program first and Qt's own
// options already taken out.
CommandLine parseCommandLine(const QStringList& arguments);

}  // namespace orvell
