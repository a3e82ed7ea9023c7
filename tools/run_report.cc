#include "tools/run_report.h"

#include <algorithm>
#include <cstring>
#include <future>
#include <system_error>
#include <unordered_map>

#include "host/commands/numbered_text.h"
#include "host/scene/scene_tree_order.h"
#include "host/scene_files/scene_file.h"
#include "host/scene_files/scene_keys.h"
#include "host/text/printable.h"

namespace sim {
namespace {

std::string quotedList(const std::vector<std::string> &names) {
  std::string list;
  for (const std::string &name : names) list += (list.empty() ? "\"" : ", \"") + name + "\"";
  return list;
}

std::string selectionText(const layout::Host &host) {
  const auto selection = host.scene().selection();
  if (selection.empty()) return "nothing is selected";
  std::string text = "selected: ";
  for (size_t i = 0; i < selection.size(); ++i) {
    const layout::Item *item = host.scene().find(selection[i]);
    text += (i ? ", " : "") + layout::printable(item ? host.scene().name(*item) : "?") + " (" +
            layout::hexId(selection[i]) + ")";
  }
  return text;
}

// A service the module looked up and went without: which one, and what the
// run did without it.
std::string missingServiceMessage(const RunOutcome &outcome) {
  std::string message = outcome.server + " lacked a host service: the host does not provide " +
                        quotedList(outcome.missingServices);
  const auto &missing = outcome.missingServices;
  if (outcome.panelsShown == 0 && outcome.commandsSent() == 0) {
    message += "; it showed no panel and sent no command";
  } else if (std::find(missing.begin(), missing.end(), LAYOUT_PRODUCT_INFO) != missing.end()) {
    message += "; the module took the host for build 0";
  }
  if (outcome.failure) message += "\n  " + outcome.failure->message;
  return message;
}

// An entry's text, escaped as writePrintable() does, written piece by piece
// without putting it together first.
void writeEntryText(layout::TextWriter &out, const layout::CommandLog::Parts &parts) {
  constexpr size_t kNumberBytes = layout::NumberedText::kMaxDigits + 1;
  const size_t bytes = parts.before.size() + parts.after.size() + kNumberBytes;
  if (parts.plain && bytes <= layout::TextWriter::kBufferBytes) {
    char *at = out.reserve(bytes);
    std::memcpy(at, parts.before.data(), parts.before.size());
    at += parts.before.size();
    if (parts.digits) at = layout::writeNumber(at, parts.value, parts.digits, parts.decimals);
    std::memcpy(at, parts.after.data(), parts.after.size());
    out.commit(at + parts.after.size());
    return;
  }
  layout::writePrintable(out, parts.before);
  if (parts.digits) {
    char *at = out.reserve(kNumberBytes);
    out.commit(layout::writeNumber(at, parts.value, parts.digits, parts.decimals));
  }
  layout::writePrintable(out, parts.after);
}

// The lines of accepted entries, kept ready for the forms met last: "  ok  "
// with the text before the number, and the text after it with the line's
// end, each in room of a fixed size. A line is then two copies of a known
// size and the number, written straight into the buffer.
class AcceptedLines {
 public:
  // False, writing nothing, when the entry's form does not fit the room or
  // has control bytes to escape.
  bool write(layout::TextWriter &out, const layout::CommandLog::Parts &entry) {
    Line &line = lines_[entry.form % kLines];
    if (line.form != entry.form + 1 && !line.keep(entry)) return false;
    char *at = out.reserve(kLineBytes);
    std::memcpy(at, line.head, sizeof line.head);
    at += line.headBytes;
    if (entry.digits) at = layout::writeNumber(at, entry.value, entry.digits, entry.decimals);
    std::memcpy(at, line.tail, sizeof line.tail);
    out.commit(at + line.tailBytes);
    return true;
  }

 private:
  static constexpr std::string_view kOk = "  ok  ";
  struct Line {
    uint32_t form = 0;  // + 1; 0: none
    uint8_t headBytes = 0;
    uint8_t tailBytes = 0;
    char head[48];
    char tail[24];

    bool keep(const layout::CommandLog::Parts &entry) {
      if (!entry.plain || kOk.size() + entry.before.size() > sizeof head ||
          entry.after.size() + 1 > sizeof tail) {
        return false;
      }
      kOk.copy(head, kOk.size());
      entry.before.copy(head + kOk.size(), entry.before.size());
      headBytes = static_cast<uint8_t>(kOk.size() + entry.before.size());
      entry.after.copy(tail, entry.after.size());
      tail[entry.after.size()] = '\n';
      tailBytes = static_cast<uint8_t>(entry.after.size() + 1);
      form = entry.form + 1;
      return true;
    }
  };
  static constexpr size_t kLines = 1024;
  static constexpr size_t kLineBytes =
      sizeof(Line::head) + layout::NumberedText::kMaxDigits + 1 + sizeof(Line::tail);

  std::vector<Line> lines_ = std::vector<Line>(kLines);
};

void printTree(layout::TextWriter &out, const layout::Host &host, const layout::SceneTreeOrder &order) {
  out << "Scene:\n";
  layout::writeSceneTree(out, host, order);
}

}  // namespace

void printCommands(layout::TextWriter &out, const layout::Host &host, size_t first, size_t end,
                   Detail detail) {
  // The reason of each refused entry; after the log was cleared, the latest
  // rejection at a position is the one the log now holds there.
  std::unordered_map<size_t, const layout::Rejection *> rejected;
  for (const layout::Rejection &rejection : host.rejections()) {
    if (rejection.logEntry != layout::Rejection::kNotLogged) rejected[rejection.logEntry] = &rejection;
  }
  const layout::CommandLog &log = host.commandLog();
  const auto writeEntry = [&](size_t index, const layout::CommandLog::Parts &entry) {
    if (entry.accepted) {
      out << "  ok  ";
      writeEntryText(out, entry);
      out << '\n';
      return;
    }
    const auto found = rejected.find(index);
    out << "  REJECTED  ";
    writeEntryText(out, entry);
    out << ": ";
    layout::writePrintable(out, found != rejected.end() ? found->second->reason : "refused");
    out << '\n';
  };
  if (detail == Detail::kSummary) {
    // Only the refused entries: the reader goes from one to the next.
    const std::span<const size_t> refused = log.refusedEntries();
    layout::CommandLog::Reader reader(log, first);
    for (auto at = std::lower_bound(refused.begin(), refused.end(), first); at != refused.end() && *at < end;
         ++at) {
      reader.moveTo(*at);
      writeEntry(*at, reader.nextParts());
    }
    return;
  }
  AcceptedLines lines;
  layout::CommandLog::Reader reader(log, first);
  for (size_t i = first; i < end; ++i) {
    const layout::CommandLog::Parts entry = reader.nextParts();
    if (!entry.accepted || !lines.write(out, entry)) writeEntry(i, entry);
  }
}

size_t countRejected(const layout::Host &host, size_t first, size_t end) {
  return host.commandLog().refusedBetween(first, end);
}

std::optional<CliError> runError(const RunOutcome &outcome) {
  // The host's own failure first: what the module did after it is no fault of the module.
  if (!outcome.hostFailures.empty()) {
    std::string message =
        "the host failed during " + outcome.server + ", so the run was not carried out whole:";
    for (const std::string &failure : outcome.hostFailures) message += "\n  " + failure;
    return CliError(kExitHostFailed, message);
  }
  if (outcome.result == 2) {
    std::string why = outcome.missingServices.empty()
                          ? "result 2, a required service is missing"
                          : "the host does not provide " + quotedList(outcome.missingServices);
    return CliError(kExitRefused, outcome.server + " refused to run: " + why);
  }
  if (!outcome.misuse.empty()) {
    std::string message = "the module misused the host during " + outcome.server + ":";
    for (const std::string &misuse : outcome.misuse) message += "\n  " + misuse;
    return CliError(kExitRefused, message);
  }
  if (!outcome.missingServices.empty()) return CliError(kExitRefused, missingServiceMessage(outcome));
  if (outcome.failure) return CliError(kExitBadInput, outcome.failure->message);
  return std::nullopt;
}

std::optional<CliError> reportRun(layout::TextWriter &out, const layout::Host &host,
                                  const RunOutcome &outcome, Detail detail) {
  if (outcome.result == 2 && outcome.hostFailures.empty()) return runError(outcome);
  const size_t sent = outcome.commandsSent();
  if (sent > 0) {
    const size_t rejected = countRejected(host, outcome.firstCommand, outcome.endCommand);
    out << outcome.server << " sent " << sent << (sent == 1 ? " command" : " commands");
    if (rejected) out << ", " << rejected << " rejected";
    // A summary lists only the rejected commands, if any.
    out << (detail == Detail::kFull || rejected ? ":\n" : ".\n");
    printCommands(out, host, outcome.firstCommand, outcome.endCommand, detail);
  } else if (outcome.cancelled && !outcome.failure) {
    out << "Cancelled: no command was sent.\n";
  } else if (outcome.panelsShown == 0) {
    out << outcome.server << " showed no panel and sent no command";
    if (!outcome.missingServices.empty()) {
      out << " (the host does not provide " << quotedList(outcome.missingServices) << ")";
    } else {
      out << " (" << selectionText(host) << ")";
    }
    out << ".\n";
  } else if (!outcome.failure) {
    out << outcome.server << " sent no command.\n";
  }
  return runError(outcome);
}

std::optional<CliError> printRun(layout::TextWriter &out, const layout::Host &host, const RunOutcome &outcome,
                                 Verbosity verbosity, SceneAfterRun scene) {
  if (verbosity == Verbosity::kQuiet) return reportRun(out, host, outcome, Detail::kSummary);
  const bool sent = outcome.commandsSent() > 0 && scene == SceneAfterRun::kWhenSent;
  if (!sent && verbosity != Verbosity::kVerbose) return reportRun(out, host, outcome, Detail::kFull);
  // The tree's order is worked out on a thread of its own while the command
  // lines are written, or afterwards when no thread is to be had.
  std::future<layout::SceneTreeOrder> order;
  try {
    order = std::async(std::launch::async, [&host] { return layout::SceneTreeOrder(host.scene()); });
  } catch (const std::system_error &) {
  }
  std::optional<CliError> error = reportRun(out, host, outcome, Detail::kFull);
  printTree(out, host, order.valid() ? order.get() : layout::SceneTreeOrder(host.scene()));
  return error;
}

std::optional<CliError> rejectedError(const layout::Host &host, const RunOutcome &outcome) {
  const size_t rejected = countRejected(host, outcome.firstCommand, outcome.endCommand);
  if (rejected == 0) return std::nullopt;
  return CliError(kExitRejected, "the host rejected " + std::to_string(rejected) + " of the " +
                                     std::to_string(outcome.commandsSent()) + " command texts " +
                                     outcome.server + " sent (--allow-rejected accepts such a run)");
}

void printScene(layout::TextWriter &out, const layout::Host &host, Detail detail) {
  if (detail == Detail::kFull) {
    printTree(out, host, layout::SceneTreeOrder(host.scene()));
    return;
  }
  // "Scene: 1001000 items (1000 objects, 1000000 bones)"
  const layout::Scene &scene = host.scene();
  out << "Scene: " << scene.itemCount() << (scene.itemCount() == 1 ? " item" : " items");
  std::string_view separator = " (";
  for (layout::ItemType type : layout::kFileTypeOrder) {
    const size_t count = scene.items(type).size();
    if (count == 0) continue;
    out << separator << count << ' ' << layout::itemTypeName(type) << (count == 1 ? "" : "s");
    separator = ", ";
  }
  out << (separator == ", " ? ")\n" : "\n");
}

}  // namespace sim
