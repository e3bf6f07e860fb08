#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string_view>

#include "scan/backup_key.h"
#include "tests/fakes/world.h"
#include "watch/backup_digest.h"
#include "watch/native/manual_change_source.h"
#include "watch/native/recording_tray_icon.h"
#include "watch/sha256.h"

namespace tavrel::test {
namespace {

using namespace std::chrono_literals;

// A key path as a JSON string holds it: each backslash doubled.
std::string JsonPath(const std::wstring& key) {
  std::string out;
  for (const char c : ToAnsi(key)) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

std::wstring Sha(std::string_view text) {
  Sha256 hash;
  hash.Add(std::as_bytes(std::span(text.data(), text.size())));
  return HexDigest(hash.Finish());
}

// Standard vectors (one block, and a message whose padding needs a second block); a backup copy's digest is the
// same whatever order its values were made in (Windows lists them so, Wine by name), and changes with a value's name
// or type.
TEST(WatchTest, Digests) {
  EXPECT_EQ(Sha("abc"), L"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            L"248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  World world;
  const std::wstring a = world.Key(L"Run"), b = world.Key(L"Other");
  world.Set(a, {{L"x", L"1"}, {L"Y", L"2"}});
  world.Set(b, {{L"Y", L"2"}, {L"x", L"1"}});
  EXPECT_EQ(DigestOfKey(world.registry, kCurrentUser, a), DigestOfKey(world.registry, kCurrentUser, b));
  world.Set(world.Key(L"Renamed"), {{L"x2", L"1"}, {L"Y", L"2"}});
  EXPECT_NE(DigestOfKey(world.registry, kCurrentUser, a),
            DigestOfKey(world.registry, kCurrentUser, world.Key(L"Renamed")));
  (void)world.registry.WriteRawValue(kCurrentUser, b, L"x", {kRegExpandSz, Sz(L"1").bytes});
  EXPECT_NE(DigestOfKey(world.registry, kCurrentUser, a), DigestOfKey(world.registry, kCurrentUser, b));
  // What a scan's summary carries: each monitored key's backup copy once, a value entry's key never.
  for (const auto& key : {a, b, a}) world.WatchKey(key);
  world.WatchValue(L"Unwanted", a, L"x");
  std::string want = "[";           // appended to: GCC 12 at -O3 warns about a literal plus a string
  for (const auto& key : {a, b}) {  // none was made: each digests as no values at all
    want.append(want.size() > 1 ? ",{\"key\":\"" : "{\"key\":\"").append(JsonPath(L"HKCU\\" + BackupKeyFor(key)));
    want.append("\",\"sha256\":\"").append(ToAnsi(Sha(""))).append("\"}");
  }
  EXPECT_EQ(BackupsJson(BackupDigests(world.registry, world.watchList)), want + "]");
}

// One watcher's day, step by step: the first full Compare; changes settle before one Compare of the keys they touched;
// Tavrel's own writes bring back no dialog and no alarm; a flagged value put back again and again is undone four
// times, then left alone with a warning; resuming after a pause compares everything; another program's change to a
// backup copy is an alarm and an error record; Exit ends it all, a pending decision applying nothing.
TEST(WatchTest, OneDay) {
  World world;
  const std::wstring run = world.Key(L"Run"), other = world.Key(L"Other"), backup = BackupKeyFor(run);
  world.WatchKey(run);
  world.WatchKey(other);
  world.WatchValue(L"Unwanted", world.Key(L"Probe"), L"Dropper");
  for (const auto& key : {run, backup, other, BackupKeyFor(other)}) world.Set(key, L"Keep", L"k");
  ManualChangeSource changes;
  RecordingTrayIcon tray;
  WatchServices watch{changes, tray};
  FakeProcess process;
  process.argumentText = L"/watch";
  process.programFolder = kFolder;
  Program program(
      {process, world.lock, world.files, world.clock, world.sound, world.eventLog, world.api, world.toolkit}, &watch);
  world.Set(run, L"Early", L"e");  // made while no watcher ran
  int exitCode = 0;
  ASSERT_TRUE(program.Start(exitCode));
  EXPECT_TRUE(tray.shown);
  ASSERT_TRUE(world.DialogForm() && world.DialogForm()->IsVisible()) << "the first full Compare";
  world.DialogForm()->buttons.at(0)->ClickWithMouse();
  EXPECT_EQ(world.Get(backup, L"Early"), L"e");
  auto settle = [&] {
    changes.Advance(Watcher::kSettleTime);
    return world.DialogForm() ? world.DialogForm()->lists.at(0)->rows.size() : 0u;
  };
  auto ownWrites = [&] {  // what the registry tells of Tavrel's own writes
    for (const auto& key : {run, backup}) changes.Touch(kCurrentUser, key);
    EXPECT_EQ(settle(), 0u);
  };
  ownWrites();

  world.Set(run, L"New", L"n");
  world.Set(other, L"Quiet", L"q");  // no notification: not compared
  changes.Touch(kCurrentUser, run);
  changes.Advance(Watcher::kSettleTime - 1ms);
  changes.Touch(kCurrentUser, run);
  EXPECT_EQ(world.DialogForm(), nullptr) << "still settling";
  ASSERT_EQ(settle(), 1u);
  EXPECT_EQ(world.DialogForm()->lists.at(0)->rows.at(0).text.substr(0, 11), L"Created\tNew");
  world.toolkit.AdvanceClock(30'000);  // the count-down keeps it
  EXPECT_EQ(world.Get(backup, L"New"), L"n");
  ownWrites();
  auto failures = [&] {  // the error records: every scan leaves one record, these only the alarm
    std::vector<std::wstring> texts;
    for (const auto& [kind, text] : world.eventLog.records)
      if (kind == ScanEventKind::Failure) texts.push_back(text);
    return texts;
  };
  EXPECT_TRUE(failures().empty());

  for (int round = 1; round <= 6; ++round) {
    SCOPED_TRACE(round);
    world.Set(run, L"Dropper", L"evil");
    changes.Touch(kCurrentUser, run);
    changes.Advance(1min);
    EXPECT_EQ(world.Get(run, L"Dropper"), round <= 4 ? kAbsent : L"evil");
    EXPECT_EQ(tray.balloons.back().kind, round <= 4 ? BalloonKind::Info : BalloonKind::Warning);
    EXPECT_EQ(tray.balloons.size(), static_cast<unsigned>(std::min(round, 5))) << "one warning";
    if (round <= 4) ownWrites();
  }
  EXPECT_EQ(world.DialogForm(), nullptr);
  // Every scan is in the report as a watch scan; the value left alone is there as skipped, and why.
  const std::string& report = world.files.contents[L"C:\\Users\\U\\AppData\\Local\\Tavrel\\tavrel-report.jsonl"];
  auto count = [&](std::string_view what) {
    int n = 0;
    for (std::size_t at = report.find(what); at != std::string::npos; at = report.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("\"mode\":\"watch\""), count("\n"));
  EXPECT_EQ(count("\"result\":\"skipped\",\"reason\":\"tug-of-war\""), 2);
  EXPECT_TRUE(tray.tooltip.ends_with(L"1 finding(s): 0 kept, 0 undone, 1 skipped")) << tray.tooltip;

  tray.OnCommand(TrayCommand::PauseResume);
  EXPECT_TRUE(tray.paused && changes.Targets().empty());
  EXPECT_EQ(tray.tooltip.substr(0, 14), L"Tavrel: paused");
  world.Set(other, L"Late", L"l");
  tray.OnCommand(TrayCommand::PauseResume);
  ASSERT_TRUE(world.DialogForm());
  EXPECT_EQ(world.DialogForm()->lists.at(0)->rows.size(), 2u) << "resuming compares all: Quiet and Late";
  world.toolkit.AdvanceClock(30'000);

  world.Set(backup, L"Keep", L"tampered");
  changes.Touch(kCurrentUser, backup);
  EXPECT_EQ(settle(), 1u) << "its key is compared against it: the difference is shown";
  ASSERT_EQ(failures().size(), 1u);
  EXPECT_NE(failures()[0].find(L"\"kind\":\"alert\""), std::wstring::npos);
  EXPECT_EQ(count("\"action\":\"baseline-untrusted\""), 1);
  EXPECT_EQ(tray.balloons.back().kind, BalloonKind::Error);
  EXPECT_EQ(world.Get(kProgramKey, kBaselineAlarmValue), L"2027-03-05 09:05:07 HKCU\\" + backup);
  EXPECT_NE(tray.tooltip.find(L"BACKUP CHANGED"), std::wstring::npos);

  tray.OnCommand(TrayCommand::Exit);
  EXPECT_FALSE(tray.shown);
  EXPECT_TRUE(changes.Targets().empty());
  EXPECT_EQ(world.toolkit.LoadedFormCount(), 0) << "nothing keeps the process";
  EXPECT_EQ(world.Get(backup, L"Keep"), L"tampered");
}

}  // namespace
}  // namespace tavrel::test
