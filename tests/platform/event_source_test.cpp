#include "platform/event_source.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

// Event Viewer shows the low word as the event ID (1 to 4), the top bits as the severity.
TEST(EventSource, EachKindOfScanIsFiledUnderItsIdAndType) {
  using enum ScanEventKind;
  const std::pair<ScanEventKind, EventClass> table[] = {{Clean, {EventType::Information, 0x40000001}},
                                                        {ChangesKept, {EventType::Information, 0x40000002}},
                                                        {ChangesUndoneOrFlagged, {EventType::Warning, 0x80000003}},
                                                        {Failure, {EventType::Error, 0xC0000004}}};
  for (const auto& [kind, want] : table)
    EXPECT_EQ(std::pair(ClassifyScanEvent(kind).type, ClassifyScanEvent(kind).id), std::pair(want.type, want.id));
}

TEST(EventSource, OnlyTheExactFirstWordIsACommand) {
  EXPECT_EQ(ParseEventSourceCommand(L"/register-eventsource"), EventSourceCommand::Register);
  EXPECT_EQ(ParseEventSourceCommand(L"/unregister-eventsource\tnow"), EventSourceCommand::Unregister);
  for (const wchar_t* text : {L"/Register-EventSource", L"/register-eventsources", L" /register-eventsource",
                              L"/scannow key=/register-eventsource /register-eventsource"})
    EXPECT_EQ(ParseEventSourceCommand(text), EventSourceCommand::None) << text;
}

}  // namespace
}  // namespace tavrel
