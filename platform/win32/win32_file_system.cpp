#include "platform/win32/win32_file_system.h"

#include <windows.h>
// After windows.h: declares RtlGenRandom (advapi32's SystemFunction036).
#include <ntsecapi.h>

#include <algorithm>

#include "platform/win32/unique_handle.h"

namespace tavrel {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kChunk = 1u << 20;

}  // namespace

std::optional<std::uint64_t> Win32FileSystem::FileLength(const std::wstring& path) const {
  // No data access is asked for, so a file another program holds open without
  // sharing still answers its length; a folder cannot be opened this way.
  const UniqueFileHandle file(
      CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size)) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<std::string> Win32FileSystem::ReadAll(const std::wstring& path) const {
  const UniqueFileHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size)) return std::nullopt;
  std::string content;
  content.reserve(static_cast<std::size_t>(size.QuadPart));
  std::string buffer(kChunk, '\0');
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer.data(), kChunk, &got, nullptr)) return std::nullopt;
    if (got == 0) return content;
    content.append(buffer.data(), got);
  }
}

bool Win32FileSystem::WriteNew(const std::wstring& path, const std::string& bytes) {
  // CREATE_NEW fails on any name already there, a link included; the handle
  // can delete the file, so a failed write removes exactly what it made.
  const UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) break;
    done += written;
  }
  if (done == bytes.size() && FlushFileBuffers(file.Get())) return true;
  FILE_DISPOSITION_INFO dispose{TRUE};
  SetFileInformationByHandle(file.Get(), FileDispositionInfo, &dispose, sizeof dispose);
  return false;
}

bool Win32FileSystem::ReplaceWith(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32FileSystem::Append(const std::wstring& path, const std::string& bytes) {
  // Append access alone: every write goes to the end and nothing can cut the
  // file. Others may read it meanwhile (a collecting agent tails it).
  const UniqueFileHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return FlushFileBuffers(file.Get()) != FALSE;
}

bool Win32FileSystem::MakeFolder(const std::wstring& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void Win32FileSystem::Remove(const std::wstring& path) { DeleteFileW(path.c_str()); }

// RtlGenRandom lives in advapi32, which the registry calls load anyway.
std::optional<std::uint64_t> Win32FileSystem::RandomBits() {
  std::uint64_t bits = 0;
  if (!RtlGenRandom(&bits, sizeof bits)) return std::nullopt;
  return bits;
}

}  // namespace tavrel
