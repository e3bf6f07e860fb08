#pragma once
// Just enough JSON for the scan report: UTF-8 text, one object per line.
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// The text as a JSON string, quotes included, in UTF-8. Control characters,
// quotes and backslashes are escaped; a surrogate without its partner (a
// registry name may hold one) is kept as its \uXXXX escape, so the line stays
// valid JSON and says exactly what the name held.
[[nodiscard]] std::string JsonString(std::wstring_view text);

// Members in the order they are added; values that are already JSON go in as
// they are.
class JsonObject {
 public:
  JsonObject& Text(std::string_view name, std::wstring_view value);
  JsonObject& Ascii(std::string_view name, std::string_view value);
  JsonObject& Number(std::string_view name, long long value);
  JsonObject& Bool(std::string_view name, bool value);
  JsonObject& Raw(std::string_view name, std::string_view json);
  // Another object's members, after these.
  JsonObject& Members(const JsonObject& other);
  [[nodiscard]] std::string Json() const { return "{" + body_ + "}"; }

 private:
  std::string body_;
};

// Items that are already JSON, as an array.
[[nodiscard]] std::string JsonArray(const std::vector<std::string>& items);

}  // namespace tavrel
