#pragma once
#include <string>

namespace tavrel {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Starts playing a wave file and returns at once; a missing file is not checked.
  virtual void PlayAsync(const std::wstring& path) = 0;
};

}  // namespace tavrel
