#include "host/commands/command_interpreter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstring>
#include <vector>

#include "host/commands/command_args.h"
#include "host/text/same_bytes.h"
#include "host/text/short_decimal.h"
#include "host/text/spelling.h"

namespace layout {
namespace {

std::string noItem(ItemID id) { return "no item " + hexId(id); }

std::string noArguments(std::string_view args) {
  ArgReader reader(args);
  return reader.finish() ? std::string() : reader.takeReason();
}

}  // namespace

std::span<const CommandInterpreter::Command> CommandInterpreter::commandTable() {
  using C = CommandInterpreter;
  // Sorted by word, as suggestions list them.
  static constexpr std::array<Command, 29> kCommands = {{
      {"AddBone", &C::addBone},
      {"AddChildBone", &C::addChildBone},
      {"AddNull", &C::addNull},
      {"AddToSelection", &C::addToSelection},
      {"BoneRestLength", &C::boneRestLength},
      {"BoneStrength", &C::boneStrength},
      {"BoneStrengthMultiply", &C::boneStrengthMultiply},
      {"BoneType", &C::boneType},
      {"CastShadow", &C::toggle<kItemCastShadow>},
      {"DynamicUpdate", &C::dynamicUpdate},
      {"EditBones", &C::edit<EditMode::kBones>},
      {"EditCameras", &C::edit<EditMode::kCameras>},
      {"EditLights", &C::edit<EditMode::kLights>},
      {"EditObjects", &C::edit<EditMode::kObjects>},
      {"ItemActive", &C::itemActive},
      {"ItemColor", &C::itemColor},
      {"ItemIconScale", &C::itemIconScale},
      {"ItemVisibility", &C::itemVisibility},
      {"ParentItem", &C::parentItem},
      {"Position", &C::position},
      {"ReceiveShadow", &C::toggle<kItemReceiveShadow>},
      {"SelectItem", &C::selectItem},
      {"SelfShadow", &C::toggle<kItemSelfShadow>},
      {"StatusMsg", &C::statusMsg},
      {"UnaffectedByFog", &C::toggle<kItemUnaffectedByFog>},
      {"UnseenByAlphaChannel", &C::unseenByAlphaChannel},
      {"UnseenByCamera", &C::toggle<kItemUnseenByCamera>},
      {"UnseenByRadiosity", &C::toggle<kItemUnseenByRadiosity>},
      {"UnseenByRays", &C::toggle<kItemUnseenByRays>},
  }};
  static_assert(std::is_sorted(kCommands.begin(), kCommands.end(),
                               [](const Command &a, const Command &b) { return a.word < b.word; }));
  return kCommands;
}

namespace {

// Command words by a hash of their length and three of their bytes, probed
// in order from the word's slot: a text's word is mostly found in one step.
constexpr size_t kWordSlots = 128;

size_t wordSlot(std::string_view word) {
  const auto byte = [&word](size_t at) { return static_cast<size_t>(static_cast<unsigned char>(word[at])); };
  return (word.size() * 131 + byte(0) * 31 + byte(word.size() / 2) * 7 + byte(word.size() - 1)) % kWordSlots;
}

}  // namespace

const CommandInterpreter::Command *CommandInterpreter::findCommand(std::string_view word) {
  static const auto kSlots = [] {
    std::array<const Command *, kWordSlots> slots{};
    for (const Command &command : commandTable()) {
      size_t slot = wordSlot(command.word);
      while (slots[slot]) slot = (slot + 1) % kWordSlots;
      slots[slot] = &command;
    }
    return slots;
  }();
  if (word.empty()) return nullptr;
  for (size_t slot = wordSlot(word); kSlots[slot]; slot = (slot + 1) % kWordSlots) {
    const Command &command = *kSlots[slot];
    if (command.word.size() == word.size() && sameBytes(command.word.data(), word.data(), word.size())) {
      return &command;
    }
  }
  return nullptr;
}

std::string CommandInterpreter::unknownCommand(std::string_view word) {
  if (word.empty()) return "empty command";
  Suggestion suggestion(word);
  for (const Command &known : commandTable()) suggestion.consider(known.word);
  return "unknown command" + suggestion.hint();
}

void CommandInterpreter::forgetKnownForms() {
  knownForms_ = std::make_unique<KnownForm[]>(kKnownForms);
  knownGeneration_ = log_.generation();
}

int CommandInterpreter::evaluate(std::string_view text) {
  // The log recognises the text's form first: a form carried out before
  // names its command without a look-up, and a repeated text has its
  // arguments read already.
  CommandLog::Identified identified;
  const bool logged = log_.identify(text, identified);
  KnownForm *known = logged ? &knownForm(identified.form) : nullptr;
  const Command *command = nullptr;
  std::string_view args;
  if (known && known->form == identified.form + 1) {
    command = known->command;
    args = text.substr(known->argsAt);
  } else {
    const size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    args = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    command = findCommand(word);
    if (!command) return refuse(text, unknownCommand(word), logged ? &identified : nullptr);
    // A numbered form keeps its command only when the number is past the
    // word: "Bone_007" may vary, the word before it may not.
    if (known && (identified.whole || (space != std::string_view::npos && space < identified.numberAt))) {
      *known = {identified.form + 1, static_cast<uint32_t>(text.size() - args.size()), command, {}};
    }
  }
  memo_ = known && identified.whole && known->form == identified.form + 1 ? &known->memo : nullptr;
  // A handler that throws leaves the text unlogged: identifying it changed
  // nothing the log's entries depend on.
  std::string reason = (this->*command->run)(args);
  memo_ = nullptr;
  if (!reason.empty()) return refuse(text, std::move(reason), logged ? &identified : nullptr);
  if (logged) log_.append(identified, true);
  ++commandCount_;
  return 1;
}

int CommandInterpreter::refuse(std::string_view text, std::string reason) {
  CommandLog::Identified identified;
  return refuse(text, std::move(reason), log_.identify(text, identified) ? &identified : nullptr);
}

int CommandInterpreter::refuse(std::string_view text, std::string reason,
                               const CommandLog::Identified *identified) {
  size_t logEntry = Rejection::kNotLogged;
  if (identified) {
    logEntry = log_.size();
    log_.append(*identified, false);
  }
  rejections_.push_back({commandCount_, logEntry, std::string(text), std::move(reason)});
  ++commandCount_;
  return 0;
}

Item *CommandInterpreter::currentItem(const char *&reason) {
  Item *item = scene_.find(scene_.current());
  if (!item) reason = "no current item";
  return item;
}

Item *CommandInterpreter::currentBone(const char *&reason) {
  Item *item = currentItem(reason);
  if (item && item->type() != ItemType::kBone) {
    reason = "the current item is not a bone";
    return nullptr;
  }
  return item;
}

// --- Adding items: the new item becomes the current and only selected item.

std::string CommandInterpreter::addNull(std::string_view name) {
  if (name.empty()) return "missing name";
  const ItemID id = scene_.addNull(name);
  if (!id) return "no room for another object";
  scene_.select(id);
  return {};
}

std::string CommandInterpreter::addBone(std::string_view name) {
  if (name.empty()) return "missing name";
  const char *reason = nullptr;
  const Item *current = currentItem(reason);
  if (!current) return reason;
  // As in Layout, a bone current adds the new bone to that bone's object.
  const ItemID object = current->type() == ItemType::kBone ? current->owner : current->id;
  if (!isItemType(object, ItemType::kObject)) {
    return "the current item is not an object or a bone";
  }
  const ItemID id = scene_.addBone(name, object);
  if (!id) return "no room for another bone";
  scene_.select(id);
  return {};
}

std::string CommandInterpreter::addChildBone(std::string_view name) {
  if (name.empty()) return "missing name";
  const char *reason = nullptr;
  const Item *parent = currentBone(reason);
  if (!parent) return reason;
  const ItemID id = scene_.addBone(name, parent->id);
  if (!id) return "no room for another bone";
  scene_.select(id);
  return {};
}

// --- Selection and parenting.

std::string CommandInterpreter::selectItem(std::string_view args) {
  ArgReader reader = argsOf(args);
  ItemID id = 0;
  if (!reader.itemId(id) || !reader.finish()) return reader.takeReason();
  return scene_.select(id) ? std::string() : noItem(id);
}

std::string CommandInterpreter::addToSelection(std::string_view args) {
  ArgReader reader = argsOf(args);
  ItemID id = 0;
  if (!reader.itemId(id) || !reader.finish()) return reader.takeReason();
  return scene_.addToSelection(id) ? std::string() : noItem(id);
}

std::string CommandInterpreter::parentItem(std::string_view args) {
  ArgReader reader = argsOf(args);
  ItemID parent = 0;
  if (!reader.itemId(parent) || !reader.finish()) return reader.takeReason();
  const char *reason = nullptr;
  const Item *child = currentItem(reason);
  if (!child) return reason;
  switch (scene_.setParent(child->id, parent)) {
    case ParentError::kNone:
      return {};
    case ParentError::kUnknownChild:
      return "no current item";
    case ParentError::kUnknownParent:
      return noItem(parent);
    case ParentError::kSelf:
      return "an item cannot be its own parent";
    case ParentError::kCycle:
      return hexId(parent) + " is below the current item";
    case ParentError::kBoneOfOtherObject:
      return "a bone's parent must be its object or one of its bones";
  }
  return "cannot parent";
}

template <EditMode mode>
std::string CommandInterpreter::edit(std::string_view args) {
  std::string reason = noArguments(args);
  if (reason.empty()) state_.editMode = mode;
  return reason;
}

// --- Properties of the current item.

std::string CommandInterpreter::itemActive(std::string_view args) {
  ArgReader reader = argsOf(args);
  int active = 0;
  if (!reader.integer("active state", 0, 1, active) || !reader.finish()) return reader.takeReason();
  const char *reason = nullptr;
  Item *item = currentItem(reason);
  if (!item) return reason;
  item->set(kItemActive, active != 0);
  return {};
}

std::string CommandInterpreter::itemVisibility(std::string_view args) {
  const char *reason = nullptr;
  Item *item = currentItem(reason);
  if (!item) return reason;
  ArgReader reader = argsOf(args);
  int visibility = 0;
  const int highest = item->type() == ItemType::kObject ? 7 : 1;
  if (!reader.integer("visibility", 0, highest, visibility) || !reader.finish()) return reader.takeReason();
  item->visibility = static_cast<uint8_t>(visibility);
  return {};
}

std::string CommandInterpreter::itemColor(std::string_view args) {
  ArgReader reader = argsOf(args);
  int colour = 0;
  if (!reader.integer("colour", 0, 14, colour) || !reader.finish()) return reader.takeReason();
  const char *reason = nullptr;
  Item *item = currentItem(reason);
  if (!item) return reason;
  item->colour = static_cast<uint8_t>(colour);
  return {};
}

std::string CommandInterpreter::position(std::string_view args) {
  ArgReader reader = argsOf(args);
  double xyz[3];
  if (!reader.real("x", xyz[0]) || !reader.real("y", xyz[1]) || !reader.real("z", xyz[2]) ||
      !reader.finish()) {
    return reader.takeReason();
  }
  const char *reason = nullptr;
  Item *item = currentItem(reason);
  if (!item) return reason;
  std::copy(xyz, xyz + 3, item->position);
  return {};
}

std::string CommandInterpreter::boneRestLength(std::string_view args) {
  ArgReader reader = argsOf(args);
  double length = 0;
  if (!reader.real("rest length", length) || !reader.finish()) return reader.takeReason();
  const char *reason = nullptr;
  Item *bone = currentBone(reason);
  if (!bone) return reason;
  bone->restLength = length;
  return {};
}

std::string CommandInterpreter::boneStrength(std::string_view args) {
  ArgReader reader = argsOf(args);
  double strength = 0;
  if (!reader.real("strength", strength) || !reader.finish()) return reader.takeReason();
  const char *reason = nullptr;
  Item *bone = currentBone(reason);
  if (!bone) return reason;
  bone->strength = strength;
  return {};
}

std::string CommandInterpreter::itemIconScale(std::string_view args) {
  ArgReader reader = argsOf(args);
  double scale = 0;
  if (!reader.real("icon scale", scale) || !reader.finish()) return reader.takeReason();
  const char *reason = nullptr;
  Item *item = currentItem(reason);
  if (!item) return reason;
  item->iconScale = scale;
  return {};
}

std::string CommandInterpreter::boneType(std::string_view args) {
  ArgReader reader = argsOf(args);
  int type = 0;
  if (!reader.integer("bone type", 0, 1, type) || !reader.finish()) return reader.takeReason();
  const char *reason = nullptr;
  Item *bone = currentBone(reason);
  if (!bone) return reason;
  bone->boneType = static_cast<uint8_t>(type);
  return {};
}

// --- Switches that act on every selected item.

template <ItemFlag flag>
std::string CommandInterpreter::toggle(std::string_view args) {
  std::string reason = noArguments(args);
  if (!reason.empty()) return reason;
  if (scene_.selection().empty()) return "nothing is selected";
  for (ItemID id : scene_.selection()) scene_.find(id)->flip(flag);
  return {};
}

std::string CommandInterpreter::boneStrengthMultiply(std::string_view args) {
  std::string reason = noArguments(args);
  if (!reason.empty()) return reason;
  bool anyBone = false;
  for (ItemID id : scene_.selection()) {
    Item *item = scene_.find(id);
    if (item->type() != ItemType::kBone) continue;
    item->flip(kItemBoneMultiply);
    anyBone = true;
  }
  return anyBone ? std::string() : "no bone is selected";
}

// Without an argument it switches between "use surface settings" and
// "unaffected by objects", as older hosts do; with one it sets the mode.
std::string CommandInterpreter::unseenByAlphaChannel(std::string_view args) {
  ArgReader reader = argsOf(args);
  int mode = -1;
  if (!reader.atEnd() && (!reader.integer("alpha mode", 0, 2, mode) || !reader.finish())) {
    return reader.takeReason();
  }
  if (scene_.selection().empty()) return "nothing is selected";
  for (ItemID id : scene_.selection()) {
    Item *item = scene_.find(id);
    if (mode >= 0) {
      item->alphaMode = static_cast<uint8_t>(mode);
    } else {
      item->alphaMode = item->alphaMode == kAlphaUseSurface ? kAlphaUnaffectedByObjects : kAlphaUseSurface;
    }
  }
  return {};
}

// --- Interface.

std::string CommandInterpreter::dynamicUpdate(std::string_view args) {
  ArgReader reader = argsOf(args);
  int setting = 0;
  if (!reader.integer("dynamic update", 0, 2, setting) || !reader.finish()) return reader.takeReason();
  state_.dynamicUpdate = setting;
  return {};
}

std::string CommandInterpreter::statusMsg(std::string_view args) {
  if (args.empty()) return "missing text";
  StatusMessage message{args, std::nullopt};
  if (args.front() == '{') {
    const size_t close = args.find('}');
    if (close == std::string_view::npos) return "progress without a closing '}'";
    const std::string_view number = args.substr(1, close - 1);
    double fraction = 0;
    const auto [end, error] = readShortDecimal(number, fraction)
                                  ? std::from_chars_result{number.data() + number.size(), std::errc()}
                                  : std::from_chars(number.data(), number.data() + number.size(), fraction);
    if (error != std::errc() || end != number.data() + number.size()) {
      return "progress is not a number: '" + std::string(number) + "'";
    }
    if (!(fraction >= 0 && fraction <= 1)) return "progress out of range 0-1";
    message.progress = fraction;
    message.text = args.substr(close + 1);
    if (!message.text.empty() && message.text.front() == ' ') message.text.remove_prefix(1);
  }
  if (statusObserver_) statusObserver_(message);
  return {};
}

}  // namespace layout
