#include "tools/host/RenderSetup.h"

#include "tools/host/ParameterAssignments.h"
#include "tools/host/RenderIo.h"

namespace quilhost {

bool openRenderJob(const CommandOptions& options, RenderJob& job, std::string& error) {
    if (!loadRenderInput(options, job.input, error)) return false;
    job.session = HostSession::open(options.bundle, error);
    if (!job.session) return false;
    job.settings = renderSettingsFor(options, job.input);
    return resolveAssignments(job.session->instance(), options.assignments, job.settings.changes, error);
}

} // namespace quilhost
