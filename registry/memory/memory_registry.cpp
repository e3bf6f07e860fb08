#include "registry/memory/memory_registry.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/text.h"

namespace tavrel {

struct MemoryRegistry::Key {
  std::wstring name;                // as created; looked up case-insensitively
  std::vector<StoredValue> values;  // in creation order, the order Windows lists them
  std::vector<KeyPtr> subkeys;
  Key* parent = nullptr;
  bool deleted = false;

  // Values are found through an open-addressing table of their folded-name
  // hashes, so that reading every value of a key with thousands of them
  // stays linear, as it is on Windows.
  std::vector<StoredValue>::iterator FindValue(std::wstring_view valueName) {
    if (slots.empty()) return values.end();
    const std::size_t hash = FoldedHash(valueName);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = hash & mask; slots[i].position != kNoPosition; i = (i + 1) & mask) {
      const auto value = values.begin() + static_cast<std::ptrdiff_t>(slots[i].position);
      if (slots[i].hash == hash && EqualsNoCase(value->name, valueName)) return value;
    }
    return values.end();
  }
  void AddValue(StoredValue value) {
    if ((values.size() + 1) * 2 > slots.size()) Reindex(std::max<std::size_t>(16, slots.size() * 2), kNoPosition);
    Insert(FoldedHash(value.name), values.size());
    values.push_back(std::move(value));
  }
  void EraseValue(std::vector<StoredValue>::iterator value) {
    const auto position = static_cast<std::size_t>(value - values.begin());
    values.erase(value);
    Reindex(slots.size(), position);
  }
  void ClearValues() {
    values.clear();
    slots.clear();
  }

 private:
  static constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);
  struct Slot {
    std::size_t hash = 0;
    std::size_t position = kNoPosition;  // in values
  };
  static std::size_t FoldedHash(std::wstring_view name) noexcept {
    std::size_t hash = 14695981039346656037ull;  // FNV-1a over the folded characters
    for (const wchar_t c : name) {
      hash ^= static_cast<std::size_t>(FoldCase(c));
      hash *= 1099511628211ull;
    }
    return hash;
  }
  void Insert(std::size_t hash, std::size_t position) {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = hash & mask;
    while (slots[i].position != kNoPosition) i = (i + 1) & mask;
    slots[i] = Slot{hash, position};
  }
  // A table of `size` slots (a power of two) holding the same values, less
  // the one at position `removed` (the values after it have moved down one).
  void Reindex(std::size_t size, std::size_t removed) {
    std::vector<Slot> old = std::exchange(slots, std::vector<Slot>(size));
    for (const Slot& slot : old) {
      if (slot.position == kNoPosition || slot.position == removed) continue;
      Insert(slot.hash, slot.position > removed ? slot.position - 1 : slot.position);
    }
  }

  std::vector<Slot> slots;
};

namespace {

constexpr std::size_t kRootCount = 7;
constexpr std::size_t kPerformanceDataIndex = kPerformanceData - kClassesRoot;
constexpr std::size_t kDynDataIndex = kDynData - kClassesRoot;
// Windows' limits: 255 characters for one key name, 16383 for a value name.
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;
constexpr std::uint32_t kAllAccess = 0xFFFFFFFFu;
constexpr KeyHandle kFirstHandle = 0x1000;

// The value calls take a NUL-terminated name: what follows a NUL never reaches the registry.
[[nodiscard]] std::wstring_view UpToNul(const std::wstring& name) noexcept {
  return std::wstring_view(name).substr(0, name.find(L'\0'));
}

[[nodiscard]] bool IsStringType(std::uint32_t type) noexcept {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// Like advapi32: when the caller's buffer has room for two more bytes after
// string data whose last code unit is not NUL, a NUL code unit is put there
// (the reported size stays the stored size).
void CopyData(const StoredValue& value, std::byte* data, std::uint32_t capacity) {
  const std::size_t length = value.bytes.size();
  if (length != 0) std::memcpy(data, value.bytes.data(), length);
  if (IsStringType(value.type) && length >= 2 && length + 2 <= capacity &&
      (value.bytes[length - 2] != std::byte{0} || value.bytes[length - 1] != std::byte{0})) {
    data[length] = std::byte{0};
    data[length + 1] = std::byte{0};
  }
}

}  // namespace

MemoryRegistry::MemoryRegistry() : nextHandle_(kFirstHandle) {
  roots_.reserve(kRootCount);
  for (std::size_t i = 0; i < kRootCount; ++i) roots_.push_back(std::make_shared<Key>());
}

MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::SetFaultHook(FaultHook hook) { faultHook_ = std::move(hook); }

std::optional<RegStatus> MemoryRegistry::InjectedFault(RegCall call) {
  if (faultHook_) return faultHook_(call);
  return std::nullopt;
}

MemoryRegistry::Target MemoryRegistry::Resolve(KeyHandle handle) const {
  if (handle >= kClassesRoot && handle <= kDynData) {
    const std::size_t index = handle - kClassesRoot;
    // HKEY_DYN_DATA exists only on Windows 9x; on NT systems the handle names nothing.
    if (index == kDynDataIndex) return Target{kRegInvalidHandle, nullptr, 0, true};
    // HKEY_PERFORMANCE_DATA is no key of the tree: it can be opened as itself
    // and queried (never with success here), nothing else.
    if (index == kPerformanceDataIndex) return Target{kRegSuccess, nullptr, kAllAccess, true};
    return Target{kRegSuccess, roots_[index], kAllAccess, true};
  }
  const auto open = handles_.find(handle);
  if (open == handles_.end()) return Target{kRegInvalidHandle, nullptr, 0, false};
  if (open->second.key->deleted) return Target{kRegKeyDeleted, nullptr, 0, false};
  return Target{kRegSuccess, open->second.key, open->second.access, false};
}

RegStatus MemoryRegistry::Walk(const KeyPtr& from, const std::wstring& subKey, bool create, KeyPtr& found) {
  // A path may not start with "\"; repeated and trailing separators are
  // skipped, as advapi32 does.
  if (!subKey.empty() && subKey.front() == L'\\') return kRegBadPathname;
  std::vector<std::wstring_view> names;
  const std::wstring_view path(subKey);
  for (std::size_t start = 0; start < path.size();) {
    const std::size_t end = std::min(path.find(L'\\', start), path.size());
    if (end > start) {
      if (end - start > kMaxKeyNameLength) return kRegInvalidParameter;
      names.push_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  KeyPtr key = from;
  for (const std::wstring_view name : names) {
    const auto child = std::find_if(key->subkeys.begin(), key->subkeys.end(),
                                    [&](const KeyPtr& k) { return EqualsNoCase(k->name, name); });
    if (child != key->subkeys.end()) {
      key = *child;
      continue;
    }
    if (!create) return kRegFileNotFound;
    auto made = std::make_shared<Key>();
    made->name = std::wstring(name);
    made->parent = key.get();
    key->subkeys.push_back(made);
    key = std::move(made);
  }
  found = std::move(key);
  return kRegSuccess;
}

KeyHandle MemoryRegistry::NewHandle(KeyPtr key, std::uint32_t access) {
  const KeyHandle handle = nextHandle_;
  nextHandle_ += 4;  // handle values are multiples of four, never reused here
  handles_.emplace(handle, OpenKeyEntry{std::move(key), access});
  return handle;
}

RegStatus MemoryRegistry::OpenPath(KeyHandle parent, const std::wstring& subKey, bool create, std::uint32_t access,
                                   KeyHandle& key) {
  key = 0;
  const Target target = Resolve(parent);
  if (target.status != kRegSuccess) return target.status;
  if (!target.key) return kRegInvalidHandle;  // nothing lies below performance data
  KeyPtr found;
  const RegStatus status = Walk(target.key, subKey, create, found);
  if (status != kRegSuccess) return status;
  key = NewHandle(std::move(found), access);
  return kRegSuccess;
}

RegStatus MemoryRegistry::OpenKeyEx(KeyHandle parent, const std::wstring& subKey, std::uint32_t /*options*/,
                                    std::uint32_t access, KeyHandle& key) {
  if (const auto fault = InjectedFault(RegCall::OpenKeyEx)) {
    key = 0;
    return *fault;
  }
  const Target target = Resolve(parent);
  // A predefined root opened with an empty path is answered with itself; any
  // other key gets a new handle.
  if (subKey.empty() && target.root && target.status == kRegSuccess) {
    key = parent;
    return kRegSuccess;
  }
  return OpenPath(parent, subKey, false, access, key);
}

RegStatus MemoryRegistry::CreateKeyEx(KeyHandle parent, const std::wstring& subKey, std::uint32_t options,
                                      std::uint32_t access, KeyHandle& key) {
  key = 0;
  if (const auto fault = InjectedFault(RegCall::CreateKeyEx)) return *fault;
  // A link is made as a new key only, never over one that exists.
  const Target target = Resolve(parent);
  KeyPtr existing;
  if ((options & kRegOptionCreateLink) != 0 && target.key && Walk(target.key, subKey, false, existing) == kRegSuccess) {
    return kRegAlreadyExists;
  }
  return OpenPath(parent, subKey, true, access, key);
}

RegStatus MemoryRegistry::QueryValue(KeyHandle key, const std::wstring& name, std::uint32_t* type, std::byte* data,
                                     std::uint32_t* size) {
  if (const auto fault = InjectedFault(RegCall::QueryValue)) return *fault;
  const Target target = Resolve(key);
  if (target.status != kRegSuccess) return target.status;
  if (data != nullptr && size == nullptr) return kRegInvalidParameter;
  if (!target.key) {
    // Performance data never fits a size query.
    if (size != nullptr) *size = 0;
    return kRegMoreData;
  }
  if ((target.access & kKeyQueryValue) == 0) return kRegAccessDenied;
  const auto value = target.key->FindValue(UpToNul(name));
  if (value == target.key->values.end()) return kRegFileNotFound;
  const auto length = static_cast<std::uint32_t>(value->bytes.size());
  RegStatus status = kRegSuccess;
  if (data != nullptr) {
    if (length > *size) {
      status = kRegMoreData;  // the buffer is left as it was
    } else {
      CopyData(*value, data, *size);
    }
  }
  if (type != nullptr) *type = value->type;
  if (size != nullptr) *size = length;
  return status;
}

RegStatus MemoryRegistry::SetValue(KeyHandle key, const std::wstring& name, std::uint32_t type, const std::byte* data,
                                   std::uint32_t size) {
  const std::wstring_view stored = UpToNul(name);
  if (const auto fault = InjectedFault(RegCall::SetValue)) return *fault;
  const Target target = Resolve(key);
  if (target.status != kRegSuccess) return target.status;
  if (!target.key) return kRegInvalidHandle;
  if ((target.access & kKeySetValue) == 0) return kRegAccessDenied;
  if (data == nullptr && size != 0) return kRegNoAccess;
  if (stored.size() > kMaxValueNameLength) return kRegInvalidParameter;
  // Exactly size bytes are stored. (advapi32 also counts a NUL that follows
  // unterminated string data in the caller's memory; callers that mean to
  // store data without its NUL make sure none follows.)
  std::vector<std::byte> bytes(data, data + size);
  const auto existing = target.key->FindValue(stored);
  if (existing != target.key->values.end()) {
    // Replaced in place: the name keeps its first spelling and its position.
    existing->type = type;
    existing->bytes = std::move(bytes);
  } else {
    target.key->AddValue(StoredValue{std::wstring(stored), type, std::move(bytes)});
  }
  return kRegSuccess;
}

RegStatus MemoryRegistry::EnumValue(KeyHandle key, std::uint32_t index, wchar_t* name, std::uint32_t* nameLength,
                                    std::uint32_t* type, std::byte* data, std::uint32_t* dataSize) {
  if (const auto fault = InjectedFault(RegCall::EnumValue)) return *fault;
  const Target target = Resolve(key);
  if (target.status != kRegSuccess) return target.status;
  if (!target.key) return kRegInvalidHandle;
  if (name == nullptr || nameLength == nullptr || (data != nullptr && dataSize == nullptr)) {
    return kRegInvalidParameter;
  }
  if ((target.access & kKeyQueryValue) == 0) return kRegAccessDenied;
  if (index >= target.key->values.size()) return kRegNoMoreItems;
  const StoredValue& value = target.key->values[index];
  const auto length = static_cast<std::uint32_t>(value.bytes.size());
  RegStatus status = kRegSuccess;
  // The name needs room for its NUL; when it has none, neither the name nor
  // its length is written, but type and data size still are.
  if (value.name.size() >= *nameLength) {
    status = kRegMoreData;
  } else {
    std::copy(value.name.begin(), value.name.end(), name);
    name[value.name.size()] = L'\0';
    *nameLength = static_cast<std::uint32_t>(value.name.size());
    if (data != nullptr) {
      if (length > *dataSize) {
        status = kRegMoreData;
      } else {
        CopyData(value, data, *dataSize);
      }
    }
  }
  if (type != nullptr) *type = value.type;
  if (dataSize != nullptr) *dataSize = length;
  return status;
}

RegStatus MemoryRegistry::DeleteKey(KeyHandle parent, const std::wstring& subKey) {
  if (const auto fault = InjectedFault(RegCall::DeleteKey)) return *fault;
  const Target target = Resolve(parent);
  if (target.status != kRegSuccess) return target.status;
  if (!target.key) return kRegInvalidHandle;
  KeyPtr doomed;
  const RegStatus status = Walk(target.key, subKey, false, doomed);
  if (status != kRegSuccess) return status;
  // A root cannot be deleted, nor a key that still has subkeys.
  if (doomed->parent == nullptr || !doomed->subkeys.empty()) return kRegAccessDenied;
  auto& siblings = doomed->parent->subkeys;
  siblings.erase(std::find(siblings.begin(), siblings.end(), doomed));
  doomed->deleted = true;
  doomed->parent = nullptr;
  doomed->ClearValues();
  return kRegSuccess;
}

RegStatus MemoryRegistry::DeleteValue(KeyHandle key, const std::wstring& name) {
  if (const auto fault = InjectedFault(RegCall::DeleteValue)) return *fault;
  const Target target = Resolve(key);
  if (target.status != kRegSuccess) return target.status;
  if (!target.key) return kRegInvalidHandle;
  if ((target.access & kKeySetValue) == 0) return kRegAccessDenied;
  const auto value = target.key->FindValue(UpToNul(name));
  if (value == target.key->values.end()) return kRegFileNotFound;
  target.key->EraseValue(value);
  return kRegSuccess;
}

RegStatus MemoryRegistry::CloseKey(KeyHandle key) {
  const auto fault = InjectedFault(RegCall::CloseKey);
  // Closing a predefined root is always accepted and changes nothing.
  if (key >= kClassesRoot && key <= 0xFFFFFFFFu) return fault.value_or(kRegSuccess);
  const auto open = handles_.find(key);
  if (open == handles_.end()) return fault.value_or(kRegInvalidHandle);
  handles_.erase(open);
  return fault.value_or(kRegSuccess);
}

MemoryRegistry::KeyPtr MemoryRegistry::FindKey(RootHandle root, const std::wstring& path) const {
  const Target target = Resolve(root);
  if (target.status != kRegSuccess || !target.key || !target.root) return nullptr;
  KeyPtr found;
  return Walk(target.key, path, false, found) == kRegSuccess ? found : nullptr;
}

void MemoryRegistry::PutValue(RootHandle root, const std::wstring& path, const std::wstring& name, std::uint32_t type,
                              std::vector<std::byte> bytes) {
  const Target target = Resolve(root);
  KeyPtr key;
  if (target.status != kRegSuccess || !target.key || !target.root || Walk(target.key, path, true, key) != kRegSuccess) {
    return;
  }
  const auto existing = key->FindValue(name);
  if (existing != key->values.end()) {
    existing->type = type;
    existing->bytes = std::move(bytes);
  } else {
    key->AddValue(StoredValue{name, type, std::move(bytes)});
  }
}

std::vector<StoredValue> MemoryRegistry::Values(RootHandle root, const std::wstring& path) const {
  const KeyPtr key = FindKey(root, path);
  return key ? key->values : std::vector<StoredValue>{};
}

bool MemoryRegistry::KeyExists(RootHandle root, const std::wstring& path) const {
  return FindKey(root, path) != nullptr;
}

std::size_t MemoryRegistry::OpenHandleCount() const noexcept { return handles_.size(); }

}  // namespace tavrel
