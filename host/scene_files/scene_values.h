// Reading one value of a scene file: its JSON type, its range, and a message
// that names the value's place in the document when it is wrong.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "host/scene/item_id.h"
#include "host/scene_files/json_cursor.h"
#include "host/text/json_location.h"

namespace layout {

using Json = nlohmann::json;

// A problem with the document, thrown by the checks and caught where the
// text is at hand to give it a line and column.
struct SceneProblem {
  JsonPath path;
  std::string message;
};

[[noreturn]] void fail(const JsonPath &path, std::string message);

// Where a value is: a path, or the place of the object or array holding it
// plus its key or index. The full path is only built for a message, since a
// path costs an allocation and a scene has millions of values.
class ValuePlace {
 public:
  ValuePlace(const JsonPath &path) : root_(&path) {}  // the value at `path` itself
  ValuePlace(const ValuePlace &object, std::string_view key)
      : parent_(&object), key_(key), step_(Step::kKey) {}
  ValuePlace(const ValuePlace &array, size_t index) : parent_(&array), index_(index), step_(Step::kIndex) {}

  JsonPath path() const;

 private:
  enum class Step { kNone, kKey, kIndex };
  const JsonPath *root_ = nullptr;
  const ValuePlace *parent_ = nullptr;
  std::string_view key_;
  size_t index_ = 0;
  Step step_ = Step::kNone;
};

[[noreturn]] void fail(const ValuePlace &place, std::string message);

// A value as a message shows it: 12, "Bone", true, null, an array, an object.
std::string describe(const JsonValue &value);

std::string_view readString(const JsonValue &value, const ValuePlace &place);
bool readBool(const JsonValue &value, const ValuePlace &place);
// `context` follows the range in the message, e.g. "for a light".
int readInteger(const JsonValue &value, const ValuePlace &place, int min, int max,
                std::string_view context = {});
// Always finite: a number too large for a double is a syntax error.
double readReal(const JsonValue &value, const ValuePlace &place);
// Eight hexadecimal digits, with or without 0x, in a string.
ItemID readItemId(const JsonValue &value, const ValuePlace &place);

// "an object", "a light", ...
std::string withArticle(ItemType type);

}  // namespace layout
