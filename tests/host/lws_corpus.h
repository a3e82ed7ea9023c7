// The Layout scene files of the test corpus (tests/scenes), by name.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace layout::testing {

inline std::string corpusFile(const std::string &name) {
  std::ifstream in(std::string(LWS_CORPUS_DIR) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace layout::testing
