// A user's JSON file (a session) with the means to show a problem found after
// parsing where it is written:
//
//   demo.json:12:18: unknown server "Mint_Pivot" (did you mean "Mint_Pivots"?)
//      {"run": "Mint_Pivot"},
//              ^
//
// Places are not recorded while the file is read: a Location names a value by
// its JSON pointer, and only a message that is shown looks its line and
// column up, so reading stays linear in the size of the file.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "host/text/json_location.h"

namespace sim {

struct Location {
  std::string pointer;  // "/steps/2/run"; empty: the document
  bool key = false;     // the member's name rather than its value
};

class LocatedJson {
 public:
  // Throws CliError (bad input) with a located message for a syntax error or
  // nesting deeper than layout::kMaxJsonNesting.
  LocatedJson(std::string text, std::string fileName);

  const nlohmann::json &root() const { return root_; }
  const std::string &fileName() const { return fileName_; }

  static Location valueAt(const std::string &pointer) { return {pointer, false}; }
  static Location keyAt(const std::string &pointer) { return {pointer, true}; }

  // Where a location is written; unknown pointers give the deepest value
  // on the way that is there.
  layout::TextPosition position(const Location &where) const;

  // "file:line:column: message", then the line and a caret under the column.
  std::string located(const Location &where, const std::string &message) const;

 private:
  layout::JsonPath pathOf(const std::string &pointer) const;

  std::string text_;
  std::string fileName_;
  nlohmann::json root_;
};

// A member's pointer: pointer + "/" + the escaped key or index.
std::string childPointer(const std::string &pointer, const std::string &key);
std::string childPointer(const std::string &pointer, size_t index);

}  // namespace sim
