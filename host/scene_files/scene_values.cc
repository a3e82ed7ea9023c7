#include "host/scene_files/scene_values.h"

#include <algorithm>

#include "host/commands/command_args.h"

namespace layout {
namespace {

[[noreturn]] void wrongType(const ValuePlace &place, std::string_view expected, const JsonValue &value) {
  fail(place, "expected " + std::string(expected) + ", got " + describe(value));
}

}  // namespace

void fail(const JsonPath &path, std::string message) { throw SceneProblem{path, std::move(message)}; }

void fail(const ValuePlace &place, std::string message) { fail(place.path(), std::move(message)); }

JsonPath ValuePlace::path() const {
  if (!parent_) return *root_;
  const JsonPath parent = parent_->path();
  return step_ == Step::kKey ? parent.member(key_) : parent.element(index_);
}

std::string describe(const JsonValue &value) {
  switch (value.kind) {
    case JsonValue::Kind::kArray:
      return "an array";
    case JsonValue::Kind::kObject:
      return "an object";
    case JsonValue::Kind::kNull:
      return "null";
    case JsonValue::Kind::kBool:
      return value.boolean ? "true" : "false";
    case JsonValue::Kind::kUnsigned:
      return std::to_string(value.unsignedValue);
    case JsonValue::Kind::kInteger:
      return std::to_string(value.integer);
    case JsonValue::Kind::kReal:
      return Json(value.real).dump();
    case JsonValue::Kind::kString:
      break;
  }
  // Long strings are cut: the message points at the place anyway.
  constexpr size_t kLongest = 40;
  std::string text = Json(std::string(value.text)).dump(-1, ' ', false, Json::error_handler_t::replace);
  if (text.size() > kLongest) text = text.substr(0, kLongest - 3) + "...";
  return text;
}

std::string_view readString(const JsonValue &value, const ValuePlace &place) {
  if (value.kind != JsonValue::Kind::kString) wrongType(place, "a string", value);
  return value.text;
}

bool readBool(const JsonValue &value, const ValuePlace &place) {
  if (value.kind != JsonValue::Kind::kBool) wrongType(place, "true or false", value);
  return value.boolean;
}

int readInteger(const JsonValue &value, const ValuePlace &place, int min, int max, std::string_view context) {
  if (!value.isInteger()) wrongType(place, "an integer", value);
  // Compared in 64 bits, so a huge value reads as out of range, not wrapped.
  const bool inRange = value.kind == JsonValue::Kind::kUnsigned
                           ? value.unsignedValue <= static_cast<uint64_t>(max) &&
                                 static_cast<int64_t>(value.unsignedValue) >= min
                           : value.integer >= min && value.integer <= max;
  if (!inRange) {
    std::string message =
        describe(value) + " is out of range " + std::to_string(min) + "-" + std::to_string(max);
    if (!context.empty()) message += " " + std::string(context);
    fail(place, std::move(message));
  }
  return static_cast<int>(value.kind == JsonValue::Kind::kUnsigned ? static_cast<int64_t>(value.unsignedValue)
                                                                   : value.integer);
}

double readReal(const JsonValue &value, const ValuePlace &place) {
  if (!value.isNumber()) wrongType(place, "a number", value);
  return value.number();
}

ItemID readItemId(const JsonValue &value, const ValuePlace &place) {
  constexpr std::string_view kExpected = "an ID of eight hexadecimal digits";
  if (value.kind != JsonValue::Kind::kString) wrongType(place, kExpected, value);
  std::string_view text = value.text;
  if (text.size() == 10 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  // parseItemId would take "0x" once more.
  ItemID id = 0;
  if (text.size() != 8 || text[1] == 'x' || text[1] == 'X' || !parseItemId(text, id)) {
    wrongType(place, kExpected, value);
  }
  return id;
}

std::string withArticle(ItemType type) {
  const std::string name = itemTypeName(type);
  return (type == ItemType::kObject ? "an " : "a ") + name;
}

}  // namespace layout
