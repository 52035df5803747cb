// A picture of the window as a person sees it: the main window with the macro's floating
// windows over it, each with a title bar, the same on every platform (the offscreen platform
// and a bare X server draw no window frames of their own).
#pragma once

#include <QImage>

namespace cadhost::window {

class HostWindow;

QImage ComposeScreenshot(HostWindow& window);

} // namespace cadhost::window
