#include "watch/backup_digest.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "platform/text.h"
#include "registry/utf16.h"
#include "report/report_lines.h"
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
  // Each value comes with the listing: one pass over the key, as the scan reads it.
  ValueTable values = registry.ReadValues(root, key);
  std::ranges::sort(values, [](const ValueRow& a, const ValueRow& b) {
    const std::wstring fa = ToLower(a.name), fb = ToLower(b.name);
    return fa != fb ? fa < fb : a.name < b.name;
  });
  Sha256 hash;
  for (ValueRow& row : values) {
    AddCounted(hash, EncodeUtf16Le(row.name));
    auto value = TakeValue(row);
    // Data the listing could not hold is read by name, as before.
    if (!value && IsNameable(row.name)) value = registry.ReadRawValue(root, key, row.name);
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
  const std::string hive = HiveName(root);
  const std::wstring name = hive.empty() ? RootName(root) : FromAnsi(hive);
  return key.empty() ? name : name + L"\\" + key;
}

std::string BackupsJson(const std::vector<BackupDigest>& digests) {
  std::vector<std::string> items;
  for (const BackupDigest& d : digests)
    items.push_back(JsonObject().Text("key", ShortKeyName(d.root, d.key)).Text("sha256", d.sha256).Json());
  return JsonArray(items);
}

JsonObject BaselineUntrustedJson(const BackupDigest& changed) {
  JsonObject details;
  details.Ascii("baseline", "untrusted").Raw("backups", BackupsJson({changed}));
  return details;
}

}  // namespace tavrel
