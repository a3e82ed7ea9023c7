// Writing scene files: every property of every item, one item a line, so a
// saved file reads and compares well and does not depend on the defaults.
#include <charconv>
#include <cmath>

#include "host/file_problem.h"
#include "host/scene_file.h"
#include "host/scene_keys.h"
#include "host/scene_values.h"

namespace layout {
namespace {

// The shortest text that reads back as the same double, always with a point
// or an exponent so it reads back as a real number, "-0.0" included.
void appendReal(std::string &out, double value) {
  if (!std::isfinite(value)) {
    out += "null";  // JSON has no infinity; no command can set one
    return;
  }
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end);
  if (std::string_view(buffer, end - buffer).find_first_of(".e") == std::string_view::npos) out += ".0";
}

void appendId(std::string &out, ItemID id) { out += id ? '"' + hexId(id) + '"' : "null"; }

// Names are UTF-8 in the file; a byte that is not valid UTF-8 is written as
// U+FFFD rather than making the whole file unreadable.
void appendString(std::string &out, std::string_view text) {
  out += Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

void appendFlag(std::string &out, const Item &item, std::string_view key, ItemFlag flag) {
  out += ", \"";
  out += key;
  out += item.has(flag) ? "\": true" : "\": false";
}

void appendItem(std::string &out, const Scene &scene, const Item &item) {
  const ItemType type = item.type();
  out += "    {\"id\": ";
  appendId(out, item.id);
  out += ", \"type\": \"";
  out += itemTypeName(type);
  out += "\", \"name\": ";
  appendString(out, scene.name(item));
  if (type == ItemType::kObject) appendFlag(out, item, "null", kItemNull);
  if (type == ItemType::kBone) {
    out += ", \"owner\": ";
    appendId(out, item.owner);
  }
  out += ", \"parent\": ";
  appendId(out, item.parent);
  appendFlag(out, item, "active", kItemActive);
  out += ", \"visibility\": " + std::to_string(item.visibility);
  out += ", \"colour\": " + std::to_string(item.colour);
  out += ", \"position\": [";
  for (int axis = 0; axis < 3; ++axis) {
    if (axis > 0) out += ", ";
    appendReal(out, item.position[axis]);
  }
  out += "], \"iconScale\": ";
  appendReal(out, item.iconScale);
  out += ", \"alpha\": " + std::to_string(item.alphaMode);
  // The shadow and render switches, which every type has.
  for (const FlagKey &flag : kItemFlagKeys) {
    if (!flag.key.only && flag.flag != kItemActive) appendFlag(out, item, flag.key.name, flag.flag);
  }
  if (type == ItemType::kBone) {
    out += ", \"restLength\": ";
    appendReal(out, item.restLength);
    out += ", \"strength\": ";
    appendReal(out, item.strength);
    appendFlag(out, item, "multiply", kItemBoneMultiply);
    out += ", \"boneType\": " + std::to_string(item.boneType);
  }
  out += '}';
}

}  // namespace

std::string writeScene(const Host &host) {
  const Scene &scene = host.scene();
  std::string out = "{\n  \"format\": \"" + std::string(kSceneFormat) +
                    "\",\n  \"version\": " + std::to_string(kSceneVersion) +
                    ",\n  \"build\": " + std::to_string(host.build()) +
                    ",\n  \"dynamicUpdate\": " + std::to_string(host.interfaceState().dynamicUpdate) +
                    ",\n  \"items\": [";
  const char *separator = "\n";
  for (ItemType type : kFileTypeOrder) {
    for (const Item &item : scene.items(type)) {
      out += separator;
      appendItem(out, scene, item);
      separator = ",\n";
    }
  }
  out += scene.itemCount() ? "\n  ],\n  \"selection\": [" : "],\n  \"selection\": [";
  // A long selection wraps, eight IDs a line.
  const auto selection = scene.selection();
  for (size_t i = 0; i < selection.size(); ++i) {
    if (i > 0) out += i % 8 == 0 ? ",\n    " : ", ";
    appendId(out, selection[i]);
  }
  out += "],\n  \"current\": ";
  appendId(out, scene.current());
  out += "\n}\n";
  return out;
}

std::optional<std::string> saveSceneFile(const std::string &path, const Host &host, OutputOptions options) {
  try {
    writeFileAtomically(path, writeScene(host), options);
  } catch (const FileProblem &problem) {
    return "cannot save " + problem.path() + ": " + problem.reason();
  }
  return std::nullopt;
}

}  // namespace layout
