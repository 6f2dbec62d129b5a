#include "app/command_line.h"

namespace orvell {

using namespace Qt::StringLiterals;

namespace {

const QString kUsage =
    u"Использование: orvell [ФАЙЛ]\n"
    u"Открывает книгу или текст (.txt, .fb2, .fb2.zip, .epub) для чтения."_s;

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    const QStringList given = arguments.mid(1);
    if (given.isEmpty()) return {};
    if (given.size() > 1)
        return {{},
                u"orvell: можно открыть только один файл, а указано %1.\n"_s.arg(given.size()) +
                    kUsage};
    const QString& file = given.front();
    // A file whose name starts with a dash is given as ./-name.
    if (file.startsWith(u'-'))
        return {{}, u"orvell: неизвестный параметр «%1».\n"_s.arg(file) + kUsage};
    return {file, {}};
}

}  // namespace orvell
