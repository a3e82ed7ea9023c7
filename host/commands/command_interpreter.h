// Carries out Layout command texts on the scene: the generic's evaluate
// operation. The command word comes first and is case-sensitive; a name is the
// rest of the text after one space, verbatim; item IDs are hexadecimal.
// Property commands act on the current item, render-flag switches on every
// selected item. Each text is accepted (1) or refused (0) with a reason, and
// every text is logged in order.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/commands/command_args.h"
#include "host/commands/command_log.h"
#include "host/scene/interface_state.h"
#include "host/scene/item.h"
#include "host/scene/scene.h"

namespace layout {

struct Rejection {
  static constexpr size_t kNotLogged = static_cast<size_t>(-1);

  size_t command;   // position among all texts evaluated, counted also while the log is off
  size_t logEntry;  // position in the command log, or kNotLogged
  std::string text;
  std::string reason;

  // "ItemColor 15: colour out of range 0-14"
  std::string message() const { return text + ": " + reason; }
};

// A "StatusMsg" text; "{0.25} Creating" carries the progress 0.25.
struct StatusMessage {
  std::string_view text;  // without the progress part
  std::optional<double> progress;
};

class CommandInterpreter {
 public:
  using StatusObserver = std::function<void(const StatusMessage &)>;

  CommandInterpreter(Scene &scene, InterfaceState &state) : scene_(scene), state_(state) {}

  // 1 when the command was carried out, 0 when it was refused.
  int evaluate(std::string_view text);
  // Logs the text as refused for `reason` without looking at it; returns 0.
  int refuse(std::string_view text, std::string reason);

  const CommandLog &log() const { return log_; }
  CommandLog &log() { return log_; }
  const std::vector<Rejection> &rejections() const { return rejections_; }
  size_t commandCount() const { return commandCount_; }
  void setStatusObserver(StatusObserver observer) { statusObserver_ = std::move(observer); }

 private:
  // Each handler gets the text behind the command word and one space, and
  // returns why it refused the command, or nothing when it carried it out.
  using Handler = std::string (CommandInterpreter::*)(std::string_view args);
  struct Command {
    std::string_view word;
    Handler run;
  };
  static std::span<const Command> commandTable();
  static const Command *findCommand(std::string_view word);
  static std::string unknownCommand(std::string_view word);

  // A form of text the log recognised and this interpreter carried out
  // recently: the command its word names, where its arguments start, and for
  // a whole text the values its arguments were read as. Forms come and go,
  // so a few slots by form index are enough for the cycle a run repeats.
  struct KnownForm {
    uint32_t form = 0;  // the log's form index + 1; 0: empty
    uint32_t argsAt = 0;
    const Command *command = nullptr;
    ArgMemo memo;
  };
  static constexpr size_t kKnownForms = 256;
  KnownForm &knownForm(uint32_t form) {
    if (!knownForms_ || knownGeneration_ != log_.generation()) forgetKnownForms();
    return knownForms_[form % kKnownForms];
  }
  void forgetKnownForms();
  int refuse(std::string_view text, std::string reason, const CommandLog::Identified *identified);
  // Reads a handler's arguments, from the memo of the text when it has one.
  ArgReader argsOf(std::string_view args) const { return ArgReader(args, memo_); }

  // The current item (bone), or null with why in `reason`.
  Item *currentItem(const char *&reason);
  Item *currentBone(const char *&reason);

  std::string addNull(std::string_view name);
  std::string addBone(std::string_view name);
  std::string addChildBone(std::string_view name);
  std::string selectItem(std::string_view args);
  std::string addToSelection(std::string_view args);
  std::string parentItem(std::string_view args);
  template <EditMode mode>
  std::string edit(std::string_view args);
  std::string itemActive(std::string_view args);
  std::string itemVisibility(std::string_view args);
  std::string itemColor(std::string_view args);
  std::string position(std::string_view args);
  std::string boneRestLength(std::string_view args);
  std::string boneStrength(std::string_view args);
  std::string itemIconScale(std::string_view args);
  std::string boneType(std::string_view args);
  template <ItemFlag flag>
  std::string toggle(std::string_view args);
  std::string boneStrengthMultiply(std::string_view args);
  std::string unseenByAlphaChannel(std::string_view args);
  std::string dynamicUpdate(std::string_view args);
  std::string statusMsg(std::string_view args);

  Scene &scene_;
  InterfaceState &state_;
  CommandLog log_;
  std::vector<Rejection> rejections_;
  std::unique_ptr<KnownForm[]> knownForms_;
  uint32_t knownGeneration_ = 0;  // the log's generation the known forms belong to
  ArgMemo *memo_ = nullptr;       // the running handler's memo, if any
  size_t commandCount_ = 0;
  StatusObserver statusObserver_;
};

}  // namespace layout
