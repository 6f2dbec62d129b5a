#include "ui/platform/progress_state.h"

#include <QProgressBar>
#include <QVariant>

namespace orvell::platform {

namespace {
constexpr const char* kProperty = "barState";

const char* chunkColour(TProgressBarState s) {
    switch (s) {
        case pbsError:
            return "#da2626";
        case pbsPaused:
            return "#dac826";
        case pbsNormal:
            break;
    }
    return "#06b025";
}
}  // namespace

void setBarState(QProgressBar& bar, TProgressBarState state) {
    bar.setProperty(kProperty, static_cast<int>(state));
    bar.setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid #bcbcbc; background: "
                                     "#e6e6e6; } QProgressBar::chunk { background: %1; }")
                          .arg(QLatin1String(chunkColour(state))));
}

TProgressBarState barState(const QProgressBar& bar) {
    return static_cast<TProgressBarState>(bar.property(kProperty).toInt());
}

}  // namespace orvell::platform
