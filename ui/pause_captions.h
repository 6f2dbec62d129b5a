#pragma once

#include <QString>

namespace orvell {

// The two captions of the pause button; the step back reads the caption to know whether a
// reading can be paused.
inline const QString kPauseCaption = QStringLiteral("Пауза [пробел]");
inline const QString kResumeCaption = QStringLiteral("Продолжить [пробел]");

}  // namespace orvell
