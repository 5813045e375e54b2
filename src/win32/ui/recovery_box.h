#pragma once
// The box that closes a run Varnel's end cut off: what the run was and how
// far it came, and three buttons, one of which must be pressed (Escape and
// the close box do nothing; Finish is disabled when it cannot be done).
#include <windows.h>

#include <optional>

#include "app/recovery_question.h"
#include "app/run_request.h"

namespace varnel::win {

// The choice made; nothing when the box could not be shown.
std::optional<app::Recovery> askRecovery(HWND owner, const app::RecoveryQuestion& question);

}  // namespace varnel::win
