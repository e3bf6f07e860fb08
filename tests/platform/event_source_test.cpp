#include "platform/event_source.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tavrel {
namespace {

// Event Viewer shows the identifier's low word as the event ID and the severity in its top bits beside the type.
TEST(EventSource, EachKindOfScanIsFiledUnderItsIdAndType) {
  const std::tuple<ScanEventKind, EventType, std::uint32_t> table[] = {
      {ScanEventKind::Clean, EventType::Information, 0x40000001},
      {ScanEventKind::ChangesKept, EventType::Information, 0x40000002},
      {ScanEventKind::ChangesUndoneOrFlagged, EventType::Warning, 0x80000003},
      {ScanEventKind::Failure, EventType::Error, 0xC0000004}};
  for (const auto& [kind, type, id] : table) {
    const EventClass event = ClassifyScanEvent(kind);
    EXPECT_EQ(std::pair(event.type, event.id), std::pair(type, id)) << static_cast<int>(kind);
  }
}

TEST(EventSource, OnlyTheExactFirstWordIsACommand) {
  const std::pair<const wchar_t*, EventSourceCommand> table[] = {
      {L"/register-eventsource", EventSourceCommand::Register},
      {L"/register-eventsource\tkey=x", EventSourceCommand::Register},
      {L"/unregister-eventsource now", EventSourceCommand::Unregister},
      {L"/Register-EventSource", EventSourceCommand::None},
      {L"/register-eventsources", EventSourceCommand::None},
      {L" /register-eventsource", EventSourceCommand::None},
      {L"/scannow key=/register-eventsource", EventSourceCommand::None},
      {L"", EventSourceCommand::None}};
  for (const auto& [text, command] : table) EXPECT_EQ(ParseEventSourceCommand(text), command) << text;
}

}  // namespace
}  // namespace tavrel
