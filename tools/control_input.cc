#include "tools/control_input.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <vector>

#include "host/pictures/panel_picture.h"
#include "tools/cli_error.h"
#include "tools/suggest.h"

namespace sim {
namespace {

std::string lowered(std::string_view text) {
  std::string out;
  for (char c : text) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

std::optional<int64_t> wholeNumber(std::string_view text) {
  int64_t value = 0;
  const char *end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::string entryList(const layout::ControlView &control) {
  std::string list;
  for (size_t i = 0; i < control.items.size(); ++i) {
    list += (i ? ", " : "") + std::to_string(i) + " \"" + layout::displayText(control.items[i]) + "\"";
  }
  return list;
}

// An entry by its index, or by the text the popup shows: exactly, then
// ignoring surrounding blanks, then ignoring case too; it must be unique.
int64_t entryIndex(const layout::ControlView &control, const std::string &address, std::string_view typed) {
  const std::string name = "\"" + address + "\"";
  if (const std::optional<int64_t> index = wholeNumber(typed)) {
    if (*index < 0 || *index >= static_cast<int64_t>(control.items.size())) {
      throw badInput(name + " has entries 0 to " + std::to_string(control.items.size() - 1) + ", not " +
                     std::to_string(*index) + " (" + entryList(control) + ")");
    }
    return *index;
  }
  using Match = bool (*)(const std::string &shown, std::string_view typed);
  const Match matches[] = {
      [](const std::string &shown, std::string_view t) { return shown == t; },
      [](const std::string &shown, std::string_view t) { return trimmed(shown) == trimmed(t); },
      [](const std::string &shown, std::string_view t) {
        return lowered(trimmed(shown)) == lowered(trimmed(t));
      },
  };
  for (Match match : matches) {
    std::vector<int64_t> found;
    for (size_t i = 0; i < control.items.size(); ++i) {
      if (match(layout::displayText(control.items[i]), typed)) found.push_back(static_cast<int64_t>(i));
    }
    if (found.size() == 1) return found[0];
    if (found.size() > 1) {
      throw badInput(name + " shows \"" + std::string(typed) + "\" " + std::to_string(found.size()) +
                     " times; choose one by index (" + entryList(control) + ")");
    }
  }
  std::vector<std::string> shown;
  for (const std::string &item : control.items) shown.push_back(layout::displayText(item));
  throw badInput(name + " has no entry \"" + std::string(typed) + "\"" + didYouMean(typed, shown) + " (" +
                 entryList(control) + ")");
}

int64_t checkBoxState(const std::string &address, std::string_view typed) {
  const std::string word = lowered(trimmed(typed));
  for (const char *on : {"on", "1", "true", "yes"}) {
    if (word == on) return 1;
  }
  for (const char *off : {"off", "0", "false", "no"}) {
    if (word == off) return 0;
  }
  throw badInput("check box \"" + address + "\" is on or off, not \"" + std::string(typed) + "\"");
}

double number(const layout::ControlView &control, const std::string &address, std::string_view typed) {
  std::string text = trimmed(typed);
  const bool percent = control.type == "PercentControl";
  if (percent && !text.empty() && text.back() == '%') text = trimmed(text.substr(0, text.size() - 1));
  double value = 0;
  const char *end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end) {
    throw badInput("\"" + address + "\" takes a number" + (percent ? " of percent" : "") + ", not \"" +
                   std::string(typed) + "\"");
  }
  return value;
}

}  // namespace

layout::ControlValue controlInput(const layout::ControlView &control, const std::string &address,
                                  std::string_view typed) {
  if (control.type == "EditControl") {
    if (typed.find_first_of("\r\n") != std::string_view::npos) {
      throw badInput("text field \"" + address + "\" holds one line; the text has a line break");
    }
    return std::string(typed);
  }
  if (control.type == "PopupControl" || control.type == "ChoiceControl")
    return entryIndex(control, address, typed);
  if (control.type == "BoolControl") return checkBoxState(address, typed);
  if (control.type == "FloatControl" || control.type == "PercentControl")
    return number(control, address, typed);
  throw badInput("\"" + address + "\" (" + control.type + ") takes no value");
}

}  // namespace sim
