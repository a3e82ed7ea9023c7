#include "tools/command_file.h"

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>

#include "host/commands/command_args.h"
#include "host/text/json_location.h"
#include "tools/cli_error.h"
#include "tools/files.h"

namespace sim {
namespace {

constexpr std::string_view kItemPrefix = "#item ";
constexpr std::string_view kCreated = "new ";

std::string_view verbOf(std::string_view text) { return text.substr(0, text.find(' ')); }

}  // namespace

bool takesItemId(std::string_view verb) {
  return verb == "SelectItem" || verb == "AddToSelection" || verb == "ParentItem";
}

std::vector<std::string> itemPath(const layout::Scene &scene, const layout::Item &item) {
  std::vector<std::string> path;
  // The scene refuses parent links that would make a loop.
  for (const layout::Item *at = &item; at; at = scene.find(scene.effectiveParent(*at))) {
    path.emplace_back(scene.name(*at));
  }
  std::reverse(path.begin(), path.end());
  return path;
}

std::string pathText(const std::vector<std::string> &path) {
  std::string text;
  for (const std::string &name : path) text += (text.empty() ? "" : "/") + name;
  return text;
}

void writeCommandFile(const std::string &path, const layout::Host &host, const RunOutcome &run, bool force) {
  const layout::Scene &scene = host.scene();
  std::string declarations, commands;
  std::map<layout::ItemID, bool> declared;
  layout::CommandLog::Reader reader(host.commandLog(), run.firstCommand);
  for (size_t i = run.firstCommand; i < run.endCommand; ++i) {
    const std::string_view command = reader.next().text;
    if (command.find_first_of("\r\n") != std::string_view::npos) {
      throw badInput("cannot write " + path + ": command " + std::to_string(i - run.firstCommand + 1) +
                     " holds a line break, so it cannot stand on one line");
    }
    commands.append(command);
    commands += '\n';
    if (!takesItemId(verbOf(command))) continue;
    layout::ItemID id = 0;
    const std::string_view argument = command.substr(std::min(command.size(), verbOf(command).size() + 1));
    if (!layout::parseItemId(argument, id) || id == 0 || declared.count(id)) continue;
    declared[id] = true;
    const layout::Item *item = scene.find(id);
    if (!item) continue;  // the host refused it; a replay refuses it too
    const size_t type = static_cast<size_t>(layout::typeSlot(item->type()));
    const bool created = layout::itemIndex(id) >= run.itemsBefore[type];
    declarations += std::string(kItemPrefix) + layout::hexId(id) + " " +
                    (created ? std::string(kCreated) : "") +
                    nlohmann::json(itemPath(scene, *item))
                        .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) +
                    "\n";
  }
  writeFileAtomically(path, std::string(kCommandFileHeader) + "\n" + declarations + commands, force);
}

CommandFile readCommandFile(std::string_view text, const std::string &fileName) {
  CommandFile file;
  size_t line = 0, offset = 0;
  while (offset < text.size()) {
    ++line;
    const size_t end = std::min(text.find('\n', offset), text.size());
    std::string_view content = text.substr(offset, end - offset);
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    const size_t at = offset;
    offset = end + 1;
    if (line == 1 && content == kCommandFileHeader) file.declaresItems = true;
    if (content.substr(0, kItemPrefix.size()) == kItemPrefix && file.declaresItems) {
      const auto fail = [&](size_t column, const std::string &message) {
        throw badInput(layout::locatedMessage(fileName, text, at + column, message));
      };
      CommandFile::Declared item;
      std::string_view rest = content.substr(kItemPrefix.size());
      const std::string_view id = rest.substr(0, rest.find(' '));
      if (!layout::parseItemId(id, item.id) || item.id == 0)
        fail(kItemPrefix.size(), "expected an item ID of eight hexadecimal digits");
      rest.remove_prefix(std::min(rest.size(), id.size() + 1));
      item.created = rest.substr(0, kCreated.size()) == kCreated;
      if (item.created) rest.remove_prefix(kCreated.size());
      item.offset = at + static_cast<size_t>(rest.data() - content.data());
      const nlohmann::json names = nlohmann::json::parse(rest, nullptr, false);
      if (!names.is_array() || names.empty() ||
          !std::all_of(names.begin(), names.end(), [](const auto &n) { return n.is_string(); })) {
        fail(item.offset - at,
             "expected the item's path: a list of names from the scene's top, such as [\"Body\", "
             "\"Pivot_01\"]");
      }
      for (const auto &name : names) item.path.push_back(name.get<std::string>());
      file.items.push_back(std::move(item));
      continue;
    }
    if (content.empty() || content.front() == '#') continue;
    file.commands.push_back({content, line, at});
  }
  return file;
}

}  // namespace sim
