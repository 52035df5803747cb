#include "cadhost/scenario/dialog_actions.h"

#include "cadhost/scenario/control_actions.h"
#include "cadhost/scenario/view_automation.h"

#include <QWidget>

namespace cadhost::scenario {

// The window's controls are reached by name through the view's control access, as the runner
// reaches them, so the desktop's scenario player and the runner act alike.
std::string RunDialogAction(QWidget& window, const Step& action) {
    return RunControlAction(TheViewAutomation(), window.objectName().toStdString(), action);
}

} // namespace cadhost::scenario
