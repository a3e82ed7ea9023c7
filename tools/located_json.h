// JSON with the place of every value and key in the text, so that a problem
// found after parsing can still be shown where it is:
//
//   demo.json:12:18: unknown server "Mint_Pivot" (did you mean "Mint_Pivots"?)
//      {"run": "Mint_Pivot"},
//              ^
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace sim {

struct Location {
  int line = 0;  // 1-based; 0 when unknown
  int column = 0;
};

class LocatedJson {
 public:
  // Throws CliError (bad input) with a located message for a syntax error.
  LocatedJson(std::string text, std::string fileName);

  const nlohmann::json &root() const { return root_; }
  const std::string &fileName() const { return fileName_; }

  // Where the value at a JSON pointer ("/steps/2/run") starts, and where the
  // key of an object member starts; unknown pointers give the document start.
  Location valueAt(const std::string &pointer) const;
  Location keyAt(const std::string &pointer) const;

  // "file:line:column: message", then the line and a caret under the column.
  std::string located(Location where, const std::string &message) const;

 private:
  class Reader;

  std::string text_;
  std::string fileName_;
  nlohmann::json root_;
  std::map<std::string, Location> values_;
  std::map<std::string, Location> keys_;
};

// A member's pointer: pointer + "/" + the escaped key or index.
std::string childPointer(const std::string &pointer, const std::string &key);
std::string childPointer(const std::string &pointer, size_t index);

}  // namespace sim
