#include "host/scene_files/scene_values.h"

#include <algorithm>

#include "host/commands/command_args.h"

namespace layout {
namespace {

[[noreturn]] void wrongType(const ValuePlace &place, std::string_view expected, const Json &value) {
  fail(place.path(), "expected " + std::string(expected) + ", got " + describe(value));
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

}  // namespace

void fail(const JsonPath &path, std::string message) { throw SceneProblem{path, std::move(message)}; }

JsonPath ValuePlace::path() const {
  switch (step_) {
    case Step::kKey:
      return parent_.member(key_);
    case Step::kIndex:
      return parent_.element(index_);
    case Step::kNone:
      break;
  }
  return parent_;
}

std::string describe(const Json &value) {
  if (value.is_array()) return "an array";
  if (value.is_object()) return "an object";
  // Long strings are cut: the message points at the place anyway.
  constexpr size_t kLongest = 40;
  std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  if (text.size() > kLongest) text = text.substr(0, kLongest - 3) + "...";
  return text;
}

const std::string &readString(const Json &value, const ValuePlace &place) {
  if (!value.is_string()) wrongType(place, "a string", value);
  return value.get_ref<const std::string &>();
}

bool readBool(const Json &value, const ValuePlace &place) {
  if (!value.is_boolean()) wrongType(place, "true or false", value);
  return value.get<bool>();
}

int readInteger(const Json &value, const ValuePlace &place, int min, int max, std::string_view context) {
  if (!value.is_number_integer()) wrongType(place, "an integer", value);
  // Compared in 64 bits, so a huge value reads as out of range, not wrapped.
  const bool inRange = value.is_number_unsigned()
                           ? value.get<uint64_t>() <= static_cast<uint64_t>(max) &&
                                 static_cast<int64_t>(value.get<uint64_t>()) >= min
                           : value.get<int64_t>() >= min && value.get<int64_t>() <= max;
  if (!inRange) {
    std::string message =
        value.dump() + " is out of range " + std::to_string(min) + "-" + std::to_string(max);
    if (!context.empty()) message += " " + std::string(context);
    fail(place.path(), std::move(message));
  }
  return static_cast<int>(value.get<int64_t>());
}

double readReal(const Json &value, const ValuePlace &place) {
  if (!value.is_number()) wrongType(place, "a number", value);
  return value.get<double>();
}

ItemID readItemId(const Json &value, const ValuePlace &place) {
  constexpr std::string_view kExpected = "an ID of eight hexadecimal digits";
  if (!value.is_string()) wrongType(place, kExpected, value);
  std::string_view text = value.get_ref<const std::string &>();
  if (text.size() == 10 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  ItemID id = 0;
  if (text.size() != 8 || !std::all_of(text.begin(), text.end(), isHexDigit) || !parseItemId(text, id)) {
    wrongType(place, kExpected, value);
  }
  return id;
}

std::string withArticle(ItemType type) {
  const std::string name = itemTypeName(type);
  return (type == ItemType::kObject ? "an " : "a ") + name;
}

}  // namespace layout
