#pragma once
// `aaxhost show`: the effect's editor object shown in a top-level window of the host's, as an AAX
// host on Windows shows it (a view container around the window's HWND).

#include "tools/aaxhost/AaxModule.h"
#include "tools/host/Commands.h"

namespace aaxhost {

// The command's exit status; failures are printed.
int showEditorWindow(AaxModule& module, const quilhost::CommandOptions& options);

} // namespace aaxhost
