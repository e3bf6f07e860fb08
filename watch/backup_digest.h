#pragma once
// Digests of the backup copies: what a report keeps off the host, so that a
// baseline changed with no matching "kept" decision is seen later, and what
// the watcher compares to notice a change it did not make.
#include <string>
#include <vector>

#include "registry/registry.h"
#include "report/json.h"
#include "watchlist/watch_list.h"

namespace tavrel {

struct BackupDigest {
  RootHandle root = kNoRoot;
  std::wstring key;     // the backup copy, below root
  std::wstring sha256;  // 64 hex digits
  bool operator==(const BackupDigest&) const = default;
};

// SHA-256 over the copy's values sorted by registry name (the same on Windows,
// which lists values in creation order, and under Wine, which sorts them):
// per value its name (UTF-16LE), type and data, each length-prefixed. A value
// whose name holds a NUL counts with its name and type only, as it cannot be
// read. A missing key digests like an empty one.
[[nodiscard]] std::wstring DigestOfKey(Registry& registry, RootHandle root, const std::wstring& key);

// One digest per monitor entry's backup copy, in watch-list order, each once.
[[nodiscard]] std::vector<BackupDigest> BackupDigests(Registry& registry, const WatchList& watchList);

// For every scan summary's "backups": [{"key":"HKCU\\...","sha256":"..."},...]
[[nodiscard]] std::string BackupsJson(const std::vector<BackupDigest>& digests);

// What the alert line of a backup copy changed while Tavrel did not write it
// adds to its tavrel object: "baseline":"untrusted" and the copy's new digest.
[[nodiscard]] JsonObject BaselineUntrustedJson(const BackupDigest& changed);

// "HKCU\\Software\\X" for a root and a path.
[[nodiscard]] std::wstring ShortKeyName(RootHandle root, const std::wstring& key);

}  // namespace tavrel
