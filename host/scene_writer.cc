// Writing scene files: every property of every item, one item a line, so a
// saved file reads and compares well and does not depend on the defaults.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#endif

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

#include "host/replace_file.h"
#include "host/scene_file.h"
#include "host/scene_keys.h"
#include "host/scene_values.h"

namespace layout {
namespace {

// The shortest text that reads back as the same double, always with a point
// or an exponent so it reads back as a real number, "-0.0" included.
void writeReal(TextWriter &out, double value) {
  if (!std::isfinite(value)) {
    out << "null";  // JSON has no infinity; no command can set one
    return;
  }
  char buffer[32];
  const std::string_view text(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
  out << text;
  if (text.find_first_of(".e") == std::string_view::npos) out << ".0";
}

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

void writeItem(TextWriter &out, const Scene &scene, const Item &item) {
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
    writeReal(out, item.position[axis]);
  }
  out << "], \"iconScale\": ";
  writeReal(out, item.iconScale);
  out << ", \"alpha\": " << unsigned{item.alphaMode};
  // The shadow and render switches, which every type has.
  for (const FlagKey &flag : kItemFlagKeys) {
    if (!flag.key.only && flag.flag != kItemActive) writeFlag(out, item, flag.key.name, flag.flag);
  }
  if (type == ItemType::kBone) {
    out << ", \"restLength\": ";
    writeReal(out, item.restLength);
    out << ", \"strength\": ";
    writeReal(out, item.strength);
    writeFlag(out, item, "multiply", kItemBoneMultiply);
    out << ", \"boneType\": " << unsigned{item.boneType};
  }
  out << '}';
}

// Whichever step failed, the user saved `path`; the reason says the rest.
std::string cannotSave(const std::string &path) {
  return "cannot save " + path + ": " + std::strerror(errno);
}

#ifdef _WIN32

int createTemporary(const std::string &path) {
  return ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                 _S_IREAD | _S_IWRITE);
}
// Windows files carry no permission bits to keep.
void keepPermissions(int, const std::string &) {}
int flushToDisk(int fd) { return ::_commit(fd); }

#else

int createTemporary(const std::string &path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}
// A file saved over keeps its permissions.
void keepPermissions(int fd, const std::string &path) {
  struct stat old;
  if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
}
int flushToDisk(int fd) { return ::fsync(fd); }

#endif

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
  out << "{\n  \"format\": \"" << kSceneFormat << "\",\n  \"version\": " << kSceneVersion
      << ",\n  \"build\": " << host.build()
      << ",\n  \"dynamicUpdate\": " << host.interfaceState().dynamicUpdate << ",\n  \"items\": [";
  const char *separator = "\n";
  for (ItemType type : kFileTypeOrder) {
    for (const Item &item : scene.items(type)) {
      out << separator;
      writeItem(out, scene, item);
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

std::optional<std::string> saveSceneFile(const std::string &path, const Host &host) {
  // Beside the target, so the rename cannot cross file systems; named for
  // this process, so two savers do not share it.
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  const int fd = createTemporary(temporary);
  if (fd < 0) return cannotSave(path);
  keepPermissions(fd, path);
  std::optional<std::string> error;
  bool written = false;
  {
    TextWriter out(fd);
    writeScene(out, host);
    out.flush();
    written = !out.failed();
  }
  if (!written || flushToDisk(fd) != 0) error = cannotSave(path);
  if (::close(fd) != 0 && !error) error = cannotSave(path);
  if (!error && (errno = replaceFile(temporary, path)) != 0) error = cannotSave(path);
  if (error) ::unlink(temporary.c_str());
  return error;
}

}  // namespace layout
