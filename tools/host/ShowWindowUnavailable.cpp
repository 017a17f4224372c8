// Builds without a window system of their own for `show` yet: the command says so and stops.
#include "tools/host/ShowWindow.h"

namespace quilhost {

std::unique_ptr<ShowWindow> ShowWindow::create(int, int, const std::string&, std::string& error) {
    error = "this build of the host cannot open windows";
    return nullptr;
}

} // namespace quilhost
