#include "app/program.h"

#include <gtest/gtest.h>

#include "scan/backup_key.h"
#include "tests/fakes/world.h"

namespace tavrel::test {
namespace {

enum class Seed { Nothing, Ordinary, Flagged };
// Another instance holds on past a start-up scan's 5 s wait (kHeld) or lets go just in time (kLetsGo).
enum How { kScanNow, kClose, kFrame, kHeld, kLetsGo };
constexpr wchar_t kHost[] = L"Software\\Host";
constexpr wchar_t kWindow[] = L"x key=Software\\Host";
constexpr wchar_t kStartup[] = L"/scannow key=Software\\Host";

// Nothing: the key is as backed up. Ordinary: one value changed, one created,
// none flagged. Flagged: only a watched value, present.
void Plant(World& world, Seed seed) {
  const std::wstring run = world.Key(L"Run");
  world.Set(run, {{L"Keep", L"k"}, {L"Old", L"changed"}, {L"Updater", L"u"}});
  if (seed == Seed::Flagged) return world.WatchValue(L"Bad", run, L"Keep");
  world.WatchKey(run);
  world.Set(BackupKeyFor(run), {{L"Keep", L"k"}, {L"Old", seed == Seed::Nothing ? L"changed" : L"o"}});
  if (seed == Seed::Nothing) world.Set(BackupKeyFor(run), L"Updater", L"u");
}

// A whole run, by how it starts, what the scan finds and the host's settings: the box, the alert, the dialog, the rows
// applied at once or after the count-down, "Silent Mode", and the status values and where they go. Clicks made while
// the scan runs reach the window at the finish's one pump: a second Scan Now, Close and the frame's close are dropped.
TEST(ProgramTest, HowARunEnds) {
  const wchar_t* const no = nullptr;
  const struct {
    const wchar_t* args;
    Seed seed;
    const wchar_t *autoRepair, *silent;
    How how;
    bool box, sound, dialog, applied, appliedLater;
    const wchar_t *silentMode, *statusKey;
    int exit;  // as Run answers it, before a dialog still open has decided
  } cases[] = {
      {kWindow, Seed::Nothing, no, no, kScanNow, true, false, false, false, false, kAbsent, kProgramKey, 0},
      {kWindow, Seed::Flagged, no, no, kScanNow, true, false, false, true, true, L"0", kProgramKey, 0},
      {kWindow, Seed::Ordinary, no, L"1", kScanNow, false, true, true, false, true, kAbsent, kProgramKey, 0},
      {kWindow, Seed::Ordinary, L"0", no, kScanNow, false, true, true, false, false, kAbsent, kProgramKey, 0},
      {kWindow, Seed::Ordinary, no, no, kClose, false, false, false, false, false, kAbsent, kProgramKey, 0},
      {kWindow, Seed::Ordinary, no, no, kFrame, false, false, false, false, false, kAbsent, kProgramKey, 0},
      {kStartup, Seed::Ordinary, no, no, kHeld, false, false, false, false, false, kAbsent, kHost, 6},
      {kWindow, Seed::Ordinary, no, no, kLetsGo, false, false, false, false, false, kAbsent, kHost, 0},
      {kStartup, Seed::Ordinary, no, no, kLetsGo, false, false, false, true, true, L"1", kHost, 1},
      {kStartup, Seed::Ordinary, no, no, kScanNow, false, false, false, true, true, L"1", kHost, 1},
      {kStartup, Seed::Ordinary, L"0", no, kScanNow, false, false, false, false, false, L"1", kHost, 1},
      {kStartup, Seed::Ordinary, L"yes", L"", kScanNow, false, false, false, true, true, L"1", kHost, 1},
      {kStartup, Seed::Ordinary, no, L"0", kScanNow, false, true, true, false, true, kAbsent, kHost, 0},
      {kStartup, Seed::Ordinary, no, L"2", kScanNow, false, false, true, false, true, kAbsent, kHost, 0},
      {L"silentscan x=Software\\Host", Seed::Flagged, L"0", no, kScanNow, false, false, false, false, false, L"1",
       kHost, 2},
      {kStartup, Seed::Nothing, no, L"0", kScanNow, false, false, false, false, false, kAbsent, kHost, 0},
      {L"/scannow Software\\Host", Seed::Nothing, no, no, kScanNow, false, false, false, false, false, kAbsent, L"", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
    World world;
    const std::wstring run = world.Key(L"Run");
    Plant(world, c.seed);
    if (c.autoRepair) world.Set(kHost, L"AutoRepair", c.autoRepair);
    if (c.silent) world.Set(kHost, L"Tavrel Silent Mode", c.silent);
    world.lock.otherInstanceLetsGoAfter = std::chrono::milliseconds(c.how < kHeld ? 0 : c.how == kHeld ? 5001 : 5000);
    bool windowShown = false;
    world.toolkit.Post([&] {
      windowShown = world.ScanForm() && world.ScanForm()->IsVisible();
      const auto click = [form = world.ScanForm()](How how) {
        if (form && how <= kFrame) how == kFrame ? form->CloseFromFrame() : form->buttons.at(how)->ClickWithMouse();
      };
      for (const How late : {kScanNow, kClose, kFrame}) world.toolkit.Post([click, late] { click(late); });
      click(c.how);
    });
    EXPECT_EQ(world.New(c.args).Run(), c.exit);
    const auto applied = [&] {
      if (c.seed == Seed::Flagged) return world.Get(run, L"Keep") == kAbsent;
      return c.seed == Seed::Ordinary && world.Get(BackupKeyFor(run), L"Old") == L"changed";
    };
    EXPECT_EQ(world.toolkit.messageBoxes.size(), c.box ? 1u : 0u);
    EXPECT_EQ(world.sound.played,
              c.sound ? std::vector<std::wstring>{L"C:\\Tavrel\\alert.wav"} : std::vector<std::wstring>{});
    EXPECT_EQ(world.DialogForm() && world.DialogForm()->IsVisible(), c.dialog);
    const bool written = c.how == kScanNow || (c.how == kLetsGo && c.args == kStartup);
    EXPECT_EQ(windowShown, c.args == kWindow && c.how <= kFrame) << "only an interactive run shows the scan window";
    EXPECT_EQ(world.ScanForm(), nullptr);
    if (c.args == kWindow && c.how == kScanNow) {  // the scan locked the combo, grew the window and moved the bar
      const HeadlessForm& window = *world.toolkit.Forms().front();
      EXPECT_TRUE(window.combos.at(0)->IsLocked() && window.outerHeight);
      EXPECT_EQ(window.progressBars.at(0)->maximum, 0);
      EXPECT_EQ(window.progressBars.at(0)->positions, std::vector<int>{0});
    }
    EXPECT_EQ(applied(), c.applied);
    EXPECT_EQ(world.Get(kProgramKey, L"Silent Mode", kLocalMachine), c.silentMode);
    const std::wstring key = c.statusKey, prefix = key == kProgramKey ? L"" : L"Tavrel ";
    const bool flagged = c.seed == Seed::Flagged, red = written ? flagged : c.how == kHeld && c.args == kStartup;
    EXPECT_EQ(world.Get(key, prefix + L"Status"), red ? L"255" : written ? L"65280" : kAbsent);
    EXPECT_EQ(world.Get(key, prefix + L"Found"), !written ? kAbsent : flagged ? L"1" : L"0");
    EXPECT_EQ(world.Get(key, prefix + L"Last Check"), written ? L"2027-03-05 09:05:07" : kAbsent);
    world.toolkit.AdvanceClock(30'000);
    EXPECT_EQ(applied(), c.appliedLater);
    EXPECT_EQ(world.toolkit.LoadedFormCount(), 0);
    EXPECT_EQ(world.eventLog.records.size(), written ? 1u : 0u) << "one record per scan";
    const std::wstring defaultReport = L"C:\\Users\\U\\AppData\\Local\\Tavrel\\tavrel-report.jsonl";
    EXPECT_EQ(world.files.contents.contains(defaultReport), written && c.args == kWindow);
  }
}

// "/?" shows the usage text with the exit codes, and runs nothing.
TEST(ProgramTest, SlashQuestionMarkShowsTheUsage) {
  World world;
  EXPECT_EQ(world.New(L"/? key=Software\\Host").Run(), 0);
  ASSERT_EQ(world.toolkit.messageBoxes.size(), 1u);
  EXPECT_NE(world.toolkit.messageBoxes[0].text.find(L"6 another Tavrel held on"), std::wstring::npos);
  EXPECT_EQ(world.toolkit.LoadedFormCount(), 0);
  EXPECT_EQ(world.eventLog.records.size(), 0u);
}

}  // namespace
}  // namespace tavrel::test
