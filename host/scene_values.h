// Reading one value of a scene file: its JSON type, its range, and a message
// that names the value's place in the document when it is wrong.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "host/item_id.h"
#include "host/json_location.h"

namespace layout {

using Json = nlohmann::json;

// A problem with the document, thrown by the checks and caught where the
// text is at hand to give it a line and column.
struct SceneProblem {
  JsonPath path;
  std::string message;
};

[[noreturn]] void fail(const JsonPath &path, std::string message);

// A value as a message shows it: 12, "Bone", true, null, an array, an object.
std::string describe(const Json &value);

const std::string &readString(const Json &value, const JsonPath &path);
bool readBool(const Json &value, const JsonPath &path);
// `context` follows the range in the message, e.g. "for a light".
int readInteger(const Json &value, const JsonPath &path, int min, int max, std::string_view context = {});
// Always finite: the parser refuses a number too large for a double.
double readReal(const Json &value, const JsonPath &path);
// Eight hexadecimal digits, with or without 0x, in a string.
ItemID readItemId(const Json &value, const JsonPath &path);

// "an object", "a light", ...
std::string withArticle(ItemType type);

}  // namespace layout
