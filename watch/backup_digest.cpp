#include "watch/backup_digest.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "platform/text.h"
#include "registry/utf16.h"
#include "scan/backup_key.h"
#include "watch/sha256.h"

namespace tavrel {
namespace {

void AddCounted(Sha256& hash, std::span<const std::byte> bytes) {
  const auto size = static_cast<std::uint32_t>(bytes.size());
  const std::byte prefix[4] = {std::byte(size), std::byte(size >> 8), std::byte(size >> 16), std::byte(size >> 24)};
  hash.Add(prefix);
  hash.Add(bytes);
}

}  // namespace

std::wstring DigestOfKey(Registry& registry, RootHandle root, const std::wstring& key) {
  const Registry::KeepKeysOpen keep(registry);
  ValueTable values = registry.EnumValues(root, key);
  std::ranges::sort(values, [](const ValueRow& a, const ValueRow& b) {
    const std::wstring fa = ToLower(a.name), fb = ToLower(b.name);
    return fa != fb ? fa < fb : a.name < b.name;
  });
  Sha256 hash;
  for (const ValueRow& row : values) {
    AddCounted(hash, EncodeUtf16Le(row.name));
    const auto value = IsNameable(row.name) ? registry.ReadRawValue(root, key, row.name) : std::nullopt;
    const std::uint32_t type = value ? value->type : row.type;
    const std::byte typeBytes[4] = {std::byte(type), std::byte(type >> 8), std::byte(type >> 16),
                                    std::byte(type >> 24)};
    hash.Add(typeBytes);
    AddCounted(hash, value ? std::span<const std::byte>(value->bytes) : std::span<const std::byte>());
  }
  return HexDigest(hash.Finish());
}

std::vector<BackupDigest> BackupDigests(Registry& registry, const WatchList& watchList) {
  std::vector<BackupDigest> digests;
  std::set<std::pair<RootHandle, std::wstring>> seen;
  for (const WatchEntry& entry : watchList.WatchEntries) {
    if (entry.Label != kMonitorLabel || entry.Root == kNoRoot) continue;
    const std::wstring key = BackupKeyFor(entry.KeyPath);
    if (!seen.insert({entry.Root, ToLower(key)}).second) continue;
    digests.push_back({entry.Root, key, DigestOfKey(registry, entry.Root, key)});
  }
  return digests;
}

std::wstring ShortKeyName(RootHandle root, const std::wstring& key) {
  static constexpr std::pair<RootHandle, const wchar_t*> kShort[] = {
      {kClassesRoot, L"HKCR"}, {kCurrentUser, L"HKCU"}, {kLocalMachine, L"HKLM"}, {kUsers, L"HKU"}};
  for (const auto& [handle, name] : kShort) {
    if (handle == root) return key.empty() ? name : std::wstring(name) + L"\\" + key;
  }
  return RootName(root) + (key.empty() ? L"" : L"\\" + key);
}

std::wstring JsonString(const std::wstring& text) {
  std::wstring out = L"\"";
  for (const wchar_t c : text) {
    if (c == L'"' || c == L'\\') {
      out += L'\\';
      out += c;
    } else if (c < 0x20) {
      out += L"\\u" + Hex(static_cast<std::uint64_t>(c), 4);
    } else {
      out += c;
    }
  }
  return out + L"\"";
}

std::wstring BackupsJson(const std::vector<BackupDigest>& digests) {
  std::wstring json = L"\"backups\":[";
  for (const BackupDigest& d : digests) {
    if (&d != digests.data()) json += L',';
    json += L"{\"key\":" + JsonString(ShortKeyName(d.root, d.key)) + L",\"sha256\":\"" + d.sha256 + L"\"}";
  }
  return json + L"]";
}

std::wstring BaselineUntrustedJson(const BackupDigest& changed) {
  return L"{\"event\":{\"kind\":\"alert\",\"category\":[\"registry\"],\"type\":[\"change\"],"
         L"\"action\":\"baseline-changed\",\"outcome\":\"unknown\"},\"registry\":{\"path\":" +
         JsonString(ShortKeyName(changed.root, changed.key)) + L"},\"tavrel\":{\"mode\":\"watch\"," +
         BackupsJson({changed}) + L",\"baseline\":\"untrusted\"}}";
}

}  // namespace tavrel
