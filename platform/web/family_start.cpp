#include "platform/api/family_programs.h"
#include "platform/core/command_line.h"
#include "platform/core/input.h"
#include "platform/core/windowing.h"
#include "platform/web/web_backend.h"

namespace platform {

std::optional<FamilyStart> TakeFamilyStart() {
    ResetWindowing();
    input::Reset();
    const std::optional<web::StartRequest> request = web::Instance().TakeStartRequest();
    if (!request) return std::nullopt;
    return FamilyStart{request->program, SplitCommandLine(request->arguments.c_str())};
}

}  // namespace platform
