#pragma once
// One move-only owner for every kind of system handle. Traits supply the
// empty value and how to close:
//
//   struct KeyTraits {
//     static HKEY Invalid() noexcept { return nullptr; }
//     static void Close(HKEY key) noexcept { RegCloseKey(key); }
//   };
//   using UniqueHkey = UniqueHandle<KeyTraits>;
//
// The template itself needs no <windows.h>, so it is tested natively too.
#include <utility>

namespace tavrel {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = decltype(Traits::Invalid());

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  ~UniqueHandle() { Reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  [[nodiscard]] Handle Get() const noexcept { return handle_; }
  [[nodiscard]] bool IsValid() const noexcept { return handle_ != Traits::Invalid(); }
  explicit operator bool() const noexcept { return IsValid(); }

  // Gives up ownership without closing.
  [[nodiscard]] Handle Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
  // Closes the held handle (if any) and holds the new one.
  void Reset(Handle handle = Traits::Invalid()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For API calls that hand out a handle through a pointer: closes the held
  // one first, so nothing leaks when the same owner is filled twice.
  [[nodiscard]] Handle* Put() noexcept {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

}  // namespace tavrel

#ifdef _WIN32
#include <windows.h>

namespace tavrel {

// Kernel objects whose failure value is null (mutexes, events, threads).
struct WinHandleTraits {
  static HANDLE Invalid() noexcept { return nullptr; }
  static void Close(HANDLE handle) noexcept { CloseHandle(handle); }
};
using UniqueWinHandle = UniqueHandle<WinHandleTraits>;

// File handles, whose failure value is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) noexcept { CloseHandle(handle); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

}  // namespace tavrel
#endif
