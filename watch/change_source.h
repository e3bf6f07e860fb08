#pragma once
// Where the watcher learns that a key changed: registry notifications on
// Windows, events fired by hand in the native build. Every call and callback
// happens on the one GUI thread.
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace tavrel {

struct WatchTarget {
  RootHandle root = kNoRoot;
  std::wstring keyPath;
  bool operator==(const WatchTarget&) const = default;
};

class ChangeSource {
 public:
  virtual ~ChangeSource() = default;
  // Watches each target's key (its values and subkeys) and its parent's
  // subkeys, so that the key deleted and made again is still seen; a missing
  // key is watched through its nearest existing parent. Replaces what was
  // watched before; an empty list stops watching.
  virtual void Watch(const std::vector<WatchTarget>& targets) = 0;
  // Starts the one timer, or starts it again from now.
  virtual void StartTimer(std::chrono::milliseconds delay) = 0;
  // A steady clock for spacing events (not the time of day).
  [[nodiscard]] virtual std::chrono::milliseconds Now() const = 0;

  // A target's key or its parent changed (by index into the last Watch list);
  // the notification is armed again before this runs.
  std::function<void(std::size_t target)> OnChange;
  std::function<void()> OnTimer;
};

}  // namespace tavrel
