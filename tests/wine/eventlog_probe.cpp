// For tests/wine/eventlog-e2e: record KIND JSON writes one record through the real backend; message ID TEXT
// prints the text Event Viewer would show for ID with TEXT as %1, found as it finds it (the source's
// registered EventMessageFile, loaded as data), in UTF-8.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/system.h"

namespace {

int Message(DWORD id, const std::wstring& text) {
  wchar_t file[MAX_PATH] = {};
  DWORD size = sizeof(file);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Tavrel",
                   L"EventMessageFile", RRF_RT_REG_SZ, nullptr, file, &size) != ERROR_SUCCESS)
    return 1;
  const HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>(text.c_str())};
  wchar_t* message = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY, module, id, 0,
      reinterpret_cast<wchar_t*>(&message), 0, reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(arguments)));
  std::string utf8(length * 3, '\0');
  utf8.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, message, static_cast<int>(length), utf8.data(),
                                                      static_cast<int>(utf8.size()), nullptr, nullptr)));
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  LocalFree(message);
  if (module != nullptr) FreeLibrary(module);
  return length == 0 ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc == 4 ? argv[1] : L"";
  if (command == L"record")
    tavrel::MakeSystemEventLog()->Record(static_cast<tavrel::ScanEventKind>(_wtoi(argv[2])), argv[3]);
  else if (command == L"message")
    return Message(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 0)), argv[3]);
  return command.empty() ? 2 : 0;
}
