#pragma once
#include "platform/event_source.h"

namespace tavrel {

// Registers (or removes) the event source "Tavrel" under
// HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application, naming this
// executable as its message file. Needs administrator rights. Returns the exit
// code: 0 done, 3 refused or failed.
[[nodiscard]] int RunEventSourceCommand(EventSourceCommand command) noexcept;

}  // namespace tavrel
