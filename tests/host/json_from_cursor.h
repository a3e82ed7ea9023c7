// A document rebuilt from what a JsonCursor reads, to hold the cursor to the
// general parser: the same text must give the same value, kinds included.
#pragma once

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

#include "host/scene_files/json_cursor.h"

namespace layout::testing {

inline nlohmann::json jsonFromCursor(JsonCursor &in) {
  std::string scratch;
  switch (in.peek()) {
    case '{': {
      nlohmann::json object = nlohmann::json::object();
      in.enterObject();
      for (bool more = in.firstMember(); more; more = in.nextMember()) {
        const std::string key(in.key(scratch));
        object[key] = jsonFromCursor(in);  // the last of a name given twice, as the parser keeps
      }
      return object;
    }
    case '[': {
      nlohmann::json array = nlohmann::json::array();
      in.enterArray();
      for (bool more = in.firstElement(); more; more = in.nextElement()) array.push_back(jsonFromCursor(in));
      return array;
    }
    default:
      break;
  }
  const JsonValue value = in.value(scratch);
  switch (value.kind) {
    case JsonValue::Kind::kNull:
      return nullptr;
    case JsonValue::Kind::kBool:
      return value.boolean;
    case JsonValue::Kind::kUnsigned:
      return value.unsignedValue;
    case JsonValue::Kind::kInteger:
      return value.integer;
    case JsonValue::Kind::kReal:
      return value.real;
    default:
      return std::string(value.text);
  }
}

// The whole text as one document, or JsonSyntaxError / JsonTextError.
inline nlohmann::json jsonFromText(std::string_view text) {
  JsonCursor in(text);
  nlohmann::json document = jsonFromCursor(in);
  in.finish();
  return document;
}

// Equal with the same kind of number everywhere, which == does not check.
inline bool sameJson(const nlohmann::json &a, const nlohmann::json &b) {
  if (a.type() != b.type()) return false;
  if (a.is_object()) {
    if (a.size() != b.size()) return false;
    for (auto it = a.begin(); it != a.end(); ++it) {
      if (!b.contains(it.key()) || !sameJson(it.value(), b.at(it.key()))) return false;
    }
    return true;
  }
  if (a.is_array()) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      if (!sameJson(a[i], b[i])) return false;
    }
    return true;
  }
  if (a.is_number_float()) return std::signbit(a.get<double>()) == std::signbit(b.get<double>()) && a == b;
  return a == b;
}

}  // namespace layout::testing
