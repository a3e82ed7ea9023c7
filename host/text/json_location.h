// Places in a text, for error messages, and the one form every located
// message of the host and layout-sim takes (scene, session and command files):
//
//   rig.json:3:26: unknown key "selct" (did you mean "select"?)
//     {"run": "Mint_Pivots", "selct": ["Body"]}
//                            ^
//
// For JSON: the path of a value in the document ("items[3].parent") and the
// line and column it is written at. Nothing here is kept while a file is
// read; a place is looked up, in one pass over the text, only when there is
// an error to report.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace layout {

// Where a path that ends in a member points: at the member's name or at
// its value.
enum class JsonPlace { kName, kValue };

class JsonPath {
 public:
  JsonPath member(std::string_view name) const;
  JsonPath element(size_t index) const;

  // "items[3].parent"; empty for the document itself.
  std::string text() const;

 private:
  friend size_t locateInJson(std::string_view text, const JsonPath &path, JsonPlace place);
  std::vector<std::variant<std::string, size_t>> steps_;
};

// 1-based; columns count characters, so a UTF-8 name earlier on the line
// does not push the column past what an editor shows.
struct TextPosition {
  int line = 1;
  int column = 1;
};
TextPosition textPosition(std::string_view text, size_t offset);

// Line `line` (1-based) of `text`, without its line break; empty when there
// is no such line.
std::string_view lineOf(std::string_view text, int line);

// The line indented by two, and under it a caret at `column` (counted in
// characters); tabs before the column are kept so the caret lines up.
std::string caretExcerpt(std::string_view line, int column);

// "file:line:column", or the file alone without a line (0).
std::string fileLocation(std::string_view file, int line, int column);

// "file:line:column: message", then the line and a caret under the column;
// without a line (0), "file: message" alone.
std::string formatLocated(std::string_view file, int line, int column, std::string_view message,
                          std::string_view lineText);
// The same for a byte offset into `text`; npos: "file: message".
std::string locatedMessage(std::string_view file, std::string_view text, size_t offset,
                           std::string_view message);

// The byte offset at which `path` is written in `text`, which must be valid
// JSON: of the member's name (or value, by `place`) when the path ends in a
// name, else of the element. A name given twice counts where it is last
// given, as the parser keeps that one. When a step is not there, the deepest
// value that is.
size_t locateInJson(std::string_view text, const JsonPath &path, JsonPlace place = JsonPlace::kName);

}  // namespace layout
