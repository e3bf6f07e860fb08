// For tests/wine/guard-e2e and report-e2e, what reg.exe cannot do (keys "HKCU\..."): link KEY TARGET;
// nul-value KEY NAME DATA ('|' in NAME is a NUL); deny-write KEY (made so that nobody may set its values);
// mutex owned|unowned SEC, lock FILE SEC: holds it, printing "ready" once it does.
// For tests/wine/eventlog-e2e: record KIND JSON writes one record through the real backend; message FILE ID TEXT
// prints (UTF-8) the text Event Viewer shows for a record: message ID of FILE, loaded as data, with TEXT as %1.
// For tests/wine/watch-e2e: rows (the review dialog's row count, -1 when none is shown), ok (clicks its OK),
// menu (opens the watcher's icon menu as a right click does), choose CHAR (types a menu item's letter),
// window CLASS (exit 0 when a visible top-level window of that class exists).
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
  ~Key() { RegCloseKey(handle); }  // a null handle is refused, harmlessly
};

// The native name of a key: HKCU is the hive named by the user's SID.
std::wstring NativePath(const std::wstring& key) {
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
  return RegCreateKeyExW(HKEY_CURRENT_USER, key.substr(5).c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr,
                         &out.handle, nullptr) == ERROR_SUCCESS;
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

int DenyWrite(const std::wstring& key) {
  Key made;
  PSECURITY_DESCRIPTOR sd = nullptr;
  // Everyone is denied KEY_SET_VALUE and KEY_CREATE_SUB_KEY, and allowed the rest.
  if (!Create(key, 0, made) || !ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x6;;;WD)(A;;KA;;;WD)",
                                                                                     SDDL_REVISION_1, &sd, nullptr)) {
    return 1;
  }
  const LONG status = RegSetKeySecurity(made.handle, DACL_SECURITY_INFORMATION, sd);
  LocalFree(sd);
  return status;
}

int Hold(HANDLE held, const wchar_t* seconds) {
  if (held == nullptr || held == INVALID_HANDLE_VALUE) return 1;
  std::printf("ready\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(_wtoi(seconds)) * 1000);
  CloseHandle(held);
  return 0;
}

void Click(HWND window) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

int Watcher(const std::wstring& command, const wchar_t* argument) {
  HWND dialog = FindWindowW(nullptr, L"Brix Tavrel:  Registry Question");
  if (dialog && !IsWindowVisible(dialog)) dialog = nullptr;
  if (command == L"rows")
    std::printf("%d\n", dialog ? static_cast<int>(SendMessageW(FindWindowExW(dialog, nullptr, L"ListBox", nullptr),
                                                               LB_GETCOUNT, 0, 0))
                               : -1);
  if (command == L"ok" && dialog) Click(FindWindowExW(dialog, nullptr, L"TavrelGradientButton", nullptr));
  if (command == L"menu") PostMessageW(FindWindowW(L"TavrelTray", nullptr), WM_APP + 2, 1, WM_RBUTTONUP);
  if (command == L"choose") PostMessageW(FindWindowW(L"#32768", nullptr), WM_CHAR, argument[0], 0);
  if (command == L"window") return IsWindowVisible(FindWindowW(argument, nullptr)) ? 0 : 1;
  return 0;
}

int Message(const wchar_t* file, const wchar_t* id, const wchar_t* text) {
  const HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>(text)};
  wchar_t message[4096] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, module, std::wcstoul(id, nullptr, 0),
                     0, message, 4096, reinterpret_cast<va_list*>(arguments));
  char utf8[3 * 4096] = {};
  WideCharToMultiByte(CP_UTF8, 0, message, -1, utf8, sizeof(utf8), nullptr, nullptr);
  std::fputs(utf8, stdout);
  return length == 0;  // the module goes with the process
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"link" && argc == 4) return Link(argv[2], argv[3]);
  if (command == L"nul-value" && argc == 5) return NulValue(argv[2], argv[3], argv[4]);
  if (command == L"deny-write" && argc == 3) return DenyWrite(argv[2]);
  const std::wstring mutex = std::wstring(L"Local\\") + tavrel::kInstanceName;
  if (command == L"mutex" && argc == 4)
    return Hold(CreateMutexW(nullptr, std::wstring(argv[2]) == L"owned", mutex.c_str()), argv[3]);
  if (command == L"lock" && argc == 4)
    return Hold(CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr), argv[3]);
  if (command == L"rows" || command == L"ok" || command == L"menu") return Watcher(command, L"");
  if ((command == L"choose" || command == L"window") && argc == 3) return Watcher(command, argv[2]);
  if (command == L"message" && argc == 5) return Message(argv[2], argv[3], argv[4]);
  if (command == L"record" && argc == 4)
    return tavrel::MakeSystemEventLog()->Record(static_cast<tavrel::ScanEventKind>(_wtoi(argv[2])), argv[3]), 0;
  return 2;  // usage: see the top of this file
}
