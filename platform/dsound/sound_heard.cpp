#include "platform/api/sound_output.h"
#include "platform/core/backend.h"

namespace platform {

bool SoundCanBeHeard() { return GetBackend().AudioHeard(); }

}  // namespace platform
