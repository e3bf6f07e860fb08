#include "platform/event_source.h"

namespace tavrel {

EventSourceCommand ParseEventSourceCommand(std::wstring_view argumentText) noexcept {
  const std::wstring_view word = argumentText.substr(0, argumentText.find_first_of(L" \t"));
  if (word == L"/register-eventsource") return EventSourceCommand::Register;
  if (word == L"/unregister-eventsource") return EventSourceCommand::Unregister;
  return EventSourceCommand::None;
}

}  // namespace tavrel
