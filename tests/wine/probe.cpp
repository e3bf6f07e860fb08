// What the end-to-end script (tests/wine/guard-e2e) needs and reg.exe cannot do:
//   probe link KEY TARGET           KEY becomes a registry link to TARGET (both "HKCU\..." or "HKLM\...")
//   probe nul-value KEY NAME DATA   a REG_SZ value whose name has a NUL where NAME has '|'
//   probe names KEY                 the key's value names, a NUL shown as '|', other non-ASCII as \uXXXX
//   probe mutex owned|unowned SEC   holds the instance name for SEC seconds
//   probe lock FILE SEC             holds FILE open without sharing for SEC seconds
// The holders print "ready" once they hold, so the script waits for that, not for a fixed time.
#include <windows.h>
#include <sddl.h>
#include <winternl.h>

#include <cstdio>
#include <string>

#include "platform/system.h"

extern "C" NTSTATUS NTAPI NtSetValueKey(HANDLE, PUNICODE_STRING, ULONG, ULONG, PVOID, ULONG);

namespace {

struct Key {
  HKEY handle = nullptr;
  ~Key() {
    if (handle) RegCloseKey(handle);
  }
};

HKEY RootOf(const std::wstring& key) { return key.starts_with(L"HKLM") ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// The native name of a key: HKCU is the user's own hive, found by the user's SID.
std::wstring NativePath(const std::wstring& key) {
  if (key.starts_with(L"HKLM")) return L"\\Registry\\Machine" + key.substr(4);
  HANDLE token = nullptr;
  BYTE buffer[256] = {};
  DWORD size = 0;
  wchar_t* sid = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
  GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size);
  CloseHandle(token);
  ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid);
  std::wstring path = L"\\Registry\\User\\" + std::wstring(sid) + key.substr(4);
  LocalFree(sid);
  return path;
}

bool Create(const std::wstring& key, DWORD options, Key& out) {
  return RegCreateKeyExW(RootOf(key), key.substr(5).c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &out.handle,
                         nullptr) == ERROR_SUCCESS;
}

int Link(const std::wstring& key, const std::wstring& target) {
  Key link;
  if (!Create(key, REG_OPTION_CREATE_LINK, link)) return 1;
  const std::wstring native = NativePath(target);  // no NUL: a link's target is counted, not terminated
  return RegSetValueExW(link.handle, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(native.data()),
                        static_cast<DWORD>(native.size() * sizeof(wchar_t)));
}

int NulValue(const std::wstring& key, std::wstring name, std::wstring data) {
  for (wchar_t& c : name) c = c == L'|' ? L'\0' : c;
  Key open;
  if (!Create(key, 0, open)) return 1;
  UNICODE_STRING native{static_cast<USHORT>(name.size() * 2), static_cast<USHORT>(name.size() * 2), name.data()};
  return NtSetValueKey(open.handle, &native, 0, REG_SZ, data.data(), static_cast<ULONG>((data.size() + 1) * 2));
}

int Names(const std::wstring& key) {
  Key open;
  if (RegOpenKeyExW(RootOf(key), key.substr(5).c_str(), 0, KEY_READ, &open.handle)) return 1;
  wchar_t name[16384];
  for (DWORD i = 0, length = 16384;
       RegEnumValueW(open.handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, length = 16384) {
    for (DWORD c = 0; c < length; ++c) {
      if (name[c] == 0)
        std::printf("|");
      else if (name[c] < 128)
        std::printf("%c", static_cast<char>(name[c]));
      else
        std::printf("\\u%04X", name[c]);
    }
    std::printf("\n");
  }
  return 0;
}

int Hold(HANDLE held, const wchar_t* seconds) {
  if (held == nullptr || held == INVALID_HANDLE_VALUE) return 1;
  std::printf("ready\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(_wtoi(seconds)) * 1000);
  CloseHandle(held);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"link" && argc == 4) return Link(argv[2], argv[3]);
  if (command == L"nul-value" && argc == 5) return NulValue(argv[2], argv[3], argv[4]);
  if (command == L"names" && argc == 3) return Names(argv[2]);
  if (command == L"mutex" && argc == 4) {
    const std::wstring name = std::wstring(L"Local\\") + tavrel::kInstanceName;
    return Hold(CreateMutexW(nullptr, std::wstring(argv[2]) == L"owned", name.c_str()), argv[3]);
  }
  if (command == L"lock" && argc == 4) {
    return Hold(CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr), argv[3]);
  }
  std::fprintf(stderr, "usage: see probe.cpp\n");
  return 2;
}
