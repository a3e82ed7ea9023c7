// Command files: the texts a run sent, one per line, which replay carries out
// again through the host's interpreter, like a macro. Each item ID the texts
// use is declared above them with what it named when they were recorded (the
// item's path of names from the scene root, and whether the run created it),
// so a replay on another scene can find the same items there. The format is
// documented in docs/command-format.md.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "host/host.h"
#include "tools/simulator.h"

namespace sim {

inline constexpr std::string_view kCommandFileHeader = "#mint-commands 1";

// SelectItem, AddToSelection and ParentItem: the commands whose one argument
// is an item ID.
bool takesItemId(std::string_view verb);

// The names from the top of the scene down to the item, the item's last.
std::vector<std::string> itemPath(const layout::Scene &scene, const layout::Item &item);
// "Body/Spine", for messages.
std::string pathText(const std::vector<std::string> &path);

// Writes the texts the run sent, with their items declared. Throws CliError
// (bad input); `force` replaces a write-protected file.
void writeCommandFile(const std::string &path, const layout::Host &host, const RunOutcome &run,
                      bool force = false);

struct CommandFile {
  struct Declared {
    layout::ItemID id = 0;
    bool created = false;  // made by the recorded commands themselves
    std::vector<std::string> path;
    size_t offset = 0;  // of the path in the text, for messages
  };
  struct Command {
    std::string_view text;
    size_t line = 0;    // 1-based
    size_t offset = 0;  // of the line in the text
  };
  bool declaresItems = false;  // starts with kCommandFileHeader
  std::vector<Declared> items;
  std::vector<Command> commands;
};

// Splits a command file into declarations and commands; blank lines and
// other lines starting with '#' are skipped. Throws CliError (bad input),
// located, for a declaration it cannot read.
CommandFile readCommandFile(std::string_view text, const std::string &fileName);

}  // namespace sim
