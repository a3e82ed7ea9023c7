// Writing scene files: every property of every item, one item a line, so a
// saved file reads and compares well and does not depend on the defaults.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#endif

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

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<size_t>(written));
  }
  return true;
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

std::optional<std::string> saveSceneFile(const std::string &path, const Host &host) {
  const std::string text = writeScene(host);
  // Beside the target, so the rename cannot cross file systems; named for
  // this process, so two savers do not share it.
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  const int fd = createTemporary(temporary);
  if (fd < 0) return cannotSave(path);
  keepPermissions(fd, path);
  std::optional<std::string> error;
  if (!writeAll(fd, text) || flushToDisk(fd) != 0) error = cannotSave(path);
  if (::close(fd) != 0 && !error) error = cannotSave(path);
  if (!error && (errno = replaceFile(temporary, path)) != 0) error = cannotSave(path);
  if (error) ::unlink(temporary.c_str());
  return error;
}

}  // namespace layout
