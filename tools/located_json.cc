#include "tools/located_json.h"

#include <cstdlib>

#include "host/scene_files/json_reader.h"
#include "tools/cli_error.h"

namespace sim {
namespace {

std::string escapeKey(const std::string &key) {
  std::string out;
  for (char c : key) {
    if (c == '~') {
      out += "~0";
    } else if (c == '/') {
      out += "~1";
    } else {
      out += c;
    }
  }
  return out;
}

std::string unescapeKey(std::string_view key) {
  std::string out;
  for (size_t i = 0; i < key.size(); ++i) {
    if (key[i] == '~' && i + 1 < key.size()) {
      out += key[++i] == '1' ? '/' : '~';
    } else {
      out += key[i];
    }
  }
  return out;
}

}  // namespace

std::string childPointer(const std::string &pointer, const std::string &key) {
  return pointer + "/" + escapeKey(key);
}

std::string childPointer(const std::string &pointer, size_t index) {
  return pointer + "/" + std::to_string(index);
}

LocatedJson::LocatedJson(std::string text, std::string fileName)
    : text_(std::move(text)), fileName_(std::move(fileName)) {
  try {
    root_ = layout::parseJsonText(text_);
  } catch (const layout::JsonTextError &error) {
    throw badInput(layout::locatedMessage(fileName_, text_, error.offset, error.message));
  }
}

// The steps of a pointer, each taken as an element when the value it is
// applied to is a list (the document says which), else as a member.
layout::JsonPath LocatedJson::pathOf(const std::string &pointer) const {
  layout::JsonPath path;
  const nlohmann::json *value = &root_;
  size_t at = pointer.empty() ? std::string::npos : 1;
  while (at != std::string::npos && at <= pointer.size()) {
    const size_t end = pointer.find('/', at);
    const std::string step = unescapeKey(std::string_view(pointer).substr(at, end - at));
    if (value && value->is_array()) {
      const size_t index = std::strtoul(step.c_str(), nullptr, 10);
      path = path.element(index);
      value = index < value->size() ? &(*value)[index] : nullptr;
    } else {
      path = path.member(step);
      value = value && value->is_object() && value->contains(step) ? &value->at(step) : nullptr;
    }
    at = end == std::string::npos ? end : end + 1;
  }
  return path;
}

layout::TextPosition LocatedJson::position(const Location &where) const {
  const layout::JsonPlace place = where.key ? layout::JsonPlace::kName : layout::JsonPlace::kValue;
  return layout::textPosition(text_, layout::locateInJson(text_, pathOf(where.pointer), place));
}

std::string LocatedJson::located(const Location &where, const std::string &message) const {
  const layout::TextPosition at = position(where);
  return layout::formatLocated(fileName_, at.line, at.column, message, layout::lineOf(text_, at.line));
}

}  // namespace sim
