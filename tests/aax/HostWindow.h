#pragma once
// The host's own top-level window for the editor object to open in, as a real AAX host hands one
// over: the Windows module's editor becomes a child window of it; the Linux module's editor is the
// window-less one and only keeps the handle.

#include "tools/host/ShowWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace fenwoxquil_aax_test {

inline std::unique_ptr<quilhost::ShowWindow> OpenHostWindow() {
    std::string error;
    auto window = quilhost::ShowWindow::create(410, 460, "AAX host", error);
    EXPECT_TRUE(window) << error;
    return window;
}

} // namespace fenwoxquil_aax_test
