// Writing scene files: every property of every item, one item a line, so a
// saved file reads and compares well and does not depend on the defaults.
#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

#include "host/files/file_problem.h"
#include "host/scene_files/scene_file.h"
#include "host/scene_files/scene_keys.h"
#include "host/scene_files/scene_values.h"
#include "host/text/real_texts.h"

namespace layout {
namespace {

// The shortest text that reads back as the same double, always with a point
// or an exponent so it reads back as a real number, "-0.0" included.
size_t jsonReal(double value, char (&text)[32]) {
  if (!std::isfinite(value)) {
    std::memcpy(text, "null", 4);  // JSON has no infinity; no command can set one
    return 4;
  }
  char *end = std::to_chars(text, text + sizeof text - 2, value).ptr;
  if (std::find_if(text, end, [](char c) { return c == '.' || c == 'e'; }) == end) {
    *end++ = '.';
    *end++ = '0';
  }
  return static_cast<size_t>(end - text);
}

using Reals = RealTexts<jsonReal>;

void writeId(TextWriter &out, ItemID id) {
  if (id == 0) {
    out << "null";
    return;
  }
  char text[10] = {'"'};
  hexId(id, text + 1);
  text[9] = '"';
  out << std::string_view(text, sizeof text);
}

// Names are UTF-8 in the file; a byte that is not valid UTF-8 is written as
// U+FFFD rather than making the whole file unreadable. Printable ASCII, what
// nearly every name is, needs no escaping.
void writeString(TextWriter &out, std::string_view text) {
  const bool plain = std::all_of(text.begin(), text.end(),
                                 [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
  if (plain) {
    out << '"' << text << '"';
  } else {
    out << Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
  }
}

void writeFlag(TextWriter &out, const Item &item, std::string_view key, ItemFlag flag) {
  out << ", \"" << key << (item.has(flag) ? "\": true" : "\": false");
}

void writeItem(TextWriter &out, Reals &real, const Scene &scene, const Item &item) {
  const ItemType type = item.type();
  out << "    {\"id\": ";
  writeId(out, item.id);
  out << ", \"type\": \"" << itemTypeName(type) << "\", \"name\": ";
  writeString(out, scene.name(item));
  if (type == ItemType::kObject) writeFlag(out, item, "null", kItemNull);
  if (type == ItemType::kBone) {
    out << ", \"owner\": ";
    writeId(out, item.owner);
  }
  out << ", \"parent\": ";
  writeId(out, item.parent);
  writeFlag(out, item, "active", kItemActive);
  out << ", \"visibility\": " << unsigned{item.visibility};
  out << ", \"colour\": " << unsigned{item.colour};
  out << ", \"position\": [";
  for (int axis = 0; axis < 3; ++axis) {
    if (axis > 0) out << ", ";
    out << real(item.position[axis]);
  }
  out << "], \"iconScale\": ";
  out << real(item.iconScale);
  out << ", \"alpha\": " << unsigned{item.alphaMode};
  // The shadow and render switches, which every type has.
  for (const FlagKey &flag : kItemFlagKeys) {
    if (!flag.key.only && flag.flag != kItemActive) writeFlag(out, item, flag.key.name, flag.flag);
  }
  if (type == ItemType::kBone) {
    out << ", \"restLength\": ";
    out << real(item.restLength);
    out << ", \"strength\": ";
    out << real(item.strength);
    writeFlag(out, item, "multiply", kItemBoneMultiply);
    out << ", \"boneType\": " << unsigned{item.boneType};
  }
  out << '}';
}

}  // namespace

std::string writeScene(const Host &host) {
  std::string text;
  {
    TextWriter out(text);
    writeScene(out, host);
  }
  return text;
}

void writeScene(TextWriter &out, const Host &host) {
  const Scene &scene = host.scene();
  Reals real;
  out << "{\n  \"format\": \"" << kSceneFormat << "\",\n  \"version\": " << kSceneVersion
      << ",\n  \"build\": " << host.build()
      << ",\n  \"dynamicUpdate\": " << host.interfaceState().dynamicUpdate << ",\n  \"items\": [";
  const char *separator = "\n";
  for (ItemType type : kFileTypeOrder) {
    for (const Item &item : scene.items(type)) {
      out << separator;
      writeItem(out, real, scene, item);
      separator = ",\n";
    }
  }
  out << (scene.itemCount() ? "\n  ],\n  \"selection\": [" : "],\n  \"selection\": [");
  // A long selection wraps, eight IDs a line.
  const auto selection = scene.selection();
  for (size_t i = 0; i < selection.size(); ++i) {
    if (i > 0) out << (i % 8 == 0 ? ",\n    " : ", ");
    writeId(out, selection[i]);
  }
  out << "],\n  \"current\": ";
  writeId(out, scene.current());
  out << "\n}\n";
}

void writeScene(OutputFile &file, const Host &host) {
  TextWriter out(file.descriptor());
  writeScene(out, host);
  out.flush();
  if (out.failed()) {
    throw FileProblem(FileProblem::Kind::kSystem, "write",
                      file.isStandardOutput() ? "standard output" : file.path(), std::strerror(errno));
  }
}

std::optional<std::string> saveSceneFile(const std::string &path, const Host &host, OutputOptions options) {
  try {
    OutputFile file(path, options);
    writeScene(file, host);
    file.commit();
  } catch (const FileProblem &problem) {
    return "cannot save " + problem.path() + ": " + problem.reason();
  }
  return std::nullopt;
}

}  // namespace layout
