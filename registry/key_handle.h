#pragma once
// Owns one key handle opened through the registry seam and closes it on every
// path. Move-only; a handle of 0 owns nothing.
#include <utility>

#include "registry/registry_api.h"

namespace tavrel {

class ScopedKey {
 public:
  ScopedKey(RegistryApi& api, KeyHandle key) noexcept : api_(&api), key_(key) {}
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ScopedKey(ScopedKey&& other) noexcept : api_(other.api_), key_(std::exchange(other.key_, 0)) {}
  ScopedKey& operator=(ScopedKey&& other) noexcept {
    if (this != &other) {
      Reset();
      api_ = other.api_;
      key_ = std::exchange(other.key_, 0);
    }
    return *this;
  }
  ~ScopedKey() { Reset(); }

  [[nodiscard]] KeyHandle Get() const noexcept { return key_; }

  void Reset() noexcept {
    // A failed close cannot be acted on: the handle is given up either way.
    if (key_ != 0) api_->CloseKey(std::exchange(key_, 0));
  }

 private:
  RegistryApi* api_;
  KeyHandle key_ = 0;
};

}  // namespace tavrel
