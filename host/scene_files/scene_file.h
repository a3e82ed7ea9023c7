// Scene files: the substitute host's scene, build number and dynamic-update
// setting as JSON, and the small rig every command works on when no file is
// given. The format is documented in docs/scene-format.md.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "host/files/input_file.h"
#include "host/files/output_file.h"
#include "host/host.h"
#include "host/text/text_writer.h"

namespace layout {

class SceneTreeOrder;

// What went wrong in a file, and where: "rig.json:12:5: items[3].parent: no item 10000009".
// Line and column are 1-based; 0 when the problem has no place in the text.
struct FileError {
  std::string file;
  int line = 0;
  int column = 0;
  std::string message;
  std::string lineText;  // the line of the file the place is on, when known

  std::string format() const;
  // format(), then the line and a caret under the column.
  std::string formatWithSource() const;
};

// Replaces the host's scene, build number and dynamic-update setting with the
// file's. On error the host keeps what it had.
std::optional<FileError> readScene(std::string_view text, const std::string &fileName, Host &host);
// As readScene, from a file's bytes as read or mapped. Throws FileProblem,
// the host unchanged, when the mapped file was shortened while it was read.
std::optional<FileError> readScene(const InputBytes &bytes, const std::string &fileName, Host &host);
std::optional<FileError> loadSceneFile(const std::string &path, Host &host);

// The host's scene, build number and dynamic-update setting as a file.
void writeScene(TextWriter &out, const Host &host);
std::string writeScene(const Host &host);
// Streams the scene into `file`, which the caller commits. Throws FileProblem.
void writeScene(OutputFile &file, const Host &host);
// Saves through OutputFile, so a failed save leaves the old file whole.
// Returns the error message, if any.
std::optional<std::string> saveSceneFile(const std::string &path, const Host &host,
                                         OutputOptions options = {});

// The embedded default scene: a few objects, a bone chain, a light and a
// camera, with a sensible selection.
std::string_view defaultScene();

// The scene as an indented tree, one item a line: ID, name, key properties.
void writeSceneTree(TextWriter &out, const Host &host);
// The same in an order worked out before, of the host's scene as it is now.
void writeSceneTree(TextWriter &out, const Host &host, const SceneTreeOrder &order);
std::string sceneTree(const Host &host);

// An item named on the command line: by ID (eight hexadecimal digits, with or
// without 0x) or by name. An unknown or ambiguous name gives an error message
// that lists the candidates with their IDs.
std::variant<ItemID, std::string> resolveItem(const Scene &scene, std::string_view nameOrId);

}  // namespace layout
