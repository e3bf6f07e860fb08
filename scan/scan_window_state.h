#pragma once
// The scan window's name for the state it shares with the review dialog.
#include "review/shared_state.h"

namespace tavrel {

using ScanWindowState = SharedState;

}  // namespace tavrel
