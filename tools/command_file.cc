#include "tools/command_file.h"

#include "tools/cli_error.h"
#include "tools/files.h"

namespace sim {

void writeCommandFile(const std::string &path, const layout::Host &host, size_t first, size_t end,
                      bool force) {
  std::string text;
  for (size_t i = first; i < end; ++i) {
    const std::string_view command = host.commandLog()[i].text;
    if (command.find_first_of("\r\n") != std::string_view::npos) {
      throw badInput("cannot write " + path + ": command " + std::to_string(i - first + 1) +
                     " holds a line break, so it cannot stand on one line");
    }
    text.append(command);
    text += '\n';
  }
  writeFileAtomically(path, text, force);
}

}  // namespace sim
