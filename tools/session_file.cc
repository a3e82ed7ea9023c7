#include "tools/session_file.h"

#include <algorithm>
#include <filesystem>

#include "tools/cli_error.h"
#include "tools/files.h"
#include "tools/suggest.h"

namespace sim {
namespace {

using Json = nlohmann::json;

struct StepKind {
  const char *key;
  SessionStep::Kind kind;
  std::vector<std::string> keys;  // every key a step of this kind may have
};

const std::vector<StepKind> &stepKinds() {
  static const std::vector<StepKind> kinds = {
      {"run",
       SessionStep::Kind::kRun,
       {"run", "select", "build", "dynamicUpdate", "actions", "commands", "note"}},
      {"load", SessionStep::Kind::kLoad, {"load", "note"}},
      {"select", SessionStep::Kind::kSelect, {"select", "note"}},
      {"replay", SessionStep::Kind::kReplay, {"replay", "strict", "keepGoing", "byId", "note"}},
      {"save", SessionStep::Kind::kSave, {"save", "note"}},
  };
  return kinds;
}

class Reader {
 public:
  Reader(const LocatedJson &json, std::string folder) : json_(json), folder_(std::move(folder)) {}

  Session read() {
    const Json &root = json_.root();
    if (!root.is_object()) fail("", "a session is an object with a \"steps\" list");
    checkKeys("", {"steps", "description"});
    Session session;
    if (root.contains("description")) session.description = text("/description");
    if (!root.contains("steps")) fail("", "the session has no \"steps\" list");
    const Json &steps = root.at("steps");
    if (!steps.is_array() || steps.empty()) fail("/steps", "\"steps\" is a list of at least one step");
    for (size_t i = 0; i < steps.size(); ++i) session.steps.push_back(step(childPointer("/steps", i)));
    return session;
  }

 private:
  [[noreturn]] void fail(const std::string &pointer, const std::string &message) const {
    throw badInput(json_.located(json_.valueAt(pointer), message));
  }
  [[noreturn]] void failAtKey(const std::string &pointer, const std::string &message) const {
    throw badInput(json_.located(json_.keyAt(pointer), message));
  }

  const Json &at(const std::string &pointer) const { return json_.root().at(Json::json_pointer(pointer)); }

  void checkKeys(const std::string &pointer, const std::vector<std::string> &allowed) const {
    for (const auto &[key, value] : at(pointer).items()) {
      if (std::find(allowed.begin(), allowed.end(), key) != allowed.end()) continue;
      std::string list;
      for (const std::string &name : allowed) list += (list.empty() ? "\"" : ", \"") + name + "\"";
      failAtKey(childPointer(pointer, key),
                "unknown key \"" + key + "\"" + didYouMean(key, allowed) + "; allowed here: " + list);
    }
  }

  std::string text(const std::string &pointer) const {
    const Json &value = at(pointer);
    if (!value.is_string()) fail(pointer, "expected a text in quotes");
    return value.get<std::string>();
  }

  Located<std::string> locatedText(const std::string &pointer) const {
    return {text(pointer), json_.valueAt(pointer)};
  }

  Located<int64_t> wholeNumber(const std::string &pointer) const {
    const Json &value = at(pointer);
    if (!value.is_number_integer()) fail(pointer, "expected a whole number");
    if (value.is_number_unsigned() && value.get<uint64_t>() > uint64_t{INT64_MAX}) {
      fail(pointer, "the whole number " + value.dump() + " is out of range");
    }
    return {value.get<int64_t>(), json_.valueAt(pointer)};
  }

  // A member that is true or false; false when left out.
  bool flag(const std::string &object, const std::string &key) const {
    const std::string pointer = childPointer(object, key);
    if (!at(object).contains(key)) return false;
    if (!at(pointer).is_boolean()) fail(pointer, "expected true or false");
    return at(pointer).get<bool>();
  }

  std::string path(const std::string &pointer) const {
    const std::string written = text(pointer);
    if (written.empty()) fail(pointer, "expected a file name");
    if (written == kStandardStream) return written;  // standard input or output, in no folder
    const std::filesystem::path file(written);
    return file.is_absolute() || folder_.empty() ? written : (std::filesystem::path(folder_) / file).string();
  }

  SessionStep step(const std::string &pointer) const {
    const Json &value = at(pointer);
    if (!value.is_object()) fail(pointer, "a step is an object such as {\"run\": \"Mint_Pivots\"}");
    SessionStep step;
    const StepKind *kind = nullptr;
    for (const StepKind &candidate : stepKinds()) {
      if (value.contains(candidate.key)) {
        kind = &candidate;
        break;
      }
    }
    if (!kind) {
      std::vector<std::string> keys;
      for (const StepKind &candidate : stepKinds()) keys.emplace_back(candidate.key);
      std::string hint;
      for (const auto &[key, member] : value.items()) {
        if (hint.empty()) hint = didYouMean(key, keys);
      }
      fail(pointer, "a step needs one of \"load\", \"select\", \"run\", \"replay\" or \"save\"" + hint);
    }
    checkKeys(pointer, kind->keys);
    step.kind = kind->kind;
    step.where = json_.keyAt(childPointer(pointer, kind->key));
    if (value.contains("note")) step.note = text(childPointer(pointer, "note"));
    switch (step.kind) {
      case SessionStep::Kind::kLoad: {
        const std::string where = childPointer(pointer, "load");
        step.path = {text(where) == "default" ? std::string() : path(where), json_.valueAt(where)};
        break;
      }
      case SessionStep::Kind::kReplay:
        step.path = {path(childPointer(pointer, "replay")), json_.valueAt(childPointer(pointer, "replay"))};
        // "strict" is what stopping at the first rejected command was
        // called before it became the default; it is still read.
        flag(pointer, "strict");
        step.keepGoing = flag(pointer, "keepGoing");
        step.byId = flag(pointer, "byId");
        break;
      case SessionStep::Kind::kSave:
        step.path = {path(childPointer(pointer, "save")), json_.valueAt(childPointer(pointer, "save"))};
        break;
      case SessionStep::Kind::kSelect:
        step.select = selection(childPointer(pointer, "select"));
        break;
      case SessionStep::Kind::kRun:
        run(pointer, step);
        break;
    }
    return step;
  }

  void run(const std::string &pointer, SessionStep &step) const {
    const Json &value = at(pointer);
    step.server = locatedText(childPointer(pointer, "run"));
    if (value.contains("select")) step.select = selection(childPointer(pointer, "select"));
    if (value.contains("build")) step.build = wholeNumber(childPointer(pointer, "build"));
    if (value.contains("dynamicUpdate"))
      step.dynamicUpdate = wholeNumber(childPointer(pointer, "dynamicUpdate"));
    if (value.contains("commands")) {
      const std::string where = childPointer(pointer, "commands");
      step.commands = {path(where), json_.valueAt(where)};
    }
    if (!value.contains("actions")) return;
    const std::string list = childPointer(pointer, "actions");
    if (!value.at("actions").is_array())
      fail(list, "\"actions\" is a list such as [{\"set\": \"Num=3\"}, \"ok\"]");
    for (size_t i = 0; i < value.at("actions").size(); ++i) {
      step.actions.push_back(action(childPointer(list, i)));
      step.actionPlaces.push_back(json_.valueAt(childPointer(list, i)));
    }
    try {
      checkClosingActionIsLast(step.actions);
    } catch (const CliError &error) {
      for (size_t i = 0; i + 1 < step.actions.size(); ++i) {
        const PanelAction::Kind kind = step.actions[i].kind;
        if (kind == PanelAction::Kind::kOk || kind == PanelAction::Kind::kCancel) {
          fail(childPointer(list, i), error.what());
        }
      }
      throw;
    }
  }

  PanelAction action(const std::string &pointer) const {
    const Json &value = at(pointer);
    const std::vector<std::string> verbs = actionVerbs();
    if (value.is_string()) {
      const std::string verb = value.get<std::string>();
      if (isActionVerb(verb) && !actionTakesArgument(verb)) return parseAction(verb, "", verb);
      fail(pointer, "\"" + verb +
                        "\" is not an action on its own; write \"ok\", \"cancel\" or an object such "
                        "as {\"key\": \"Enter\"}" +
                        didYouMean(verb, verbs));
    }
    if (!value.is_object() || value.size() != 1) {
      fail(pointer,
           "an action is \"ok\", \"cancel\" or an object with one key, such as {\"set\": \"Num=3\"}");
    }
    const std::string verb = value.begin().key();
    const std::string where = childPointer(pointer, verb);
    if (!isActionVerb(verb)) failAtKey(where, "unknown action \"" + verb + "\"" + didYouMean(verb, verbs));
    if (!actionTakesArgument(verb)) {
      fail(pointer, "\"" + verb + "\" takes nothing: write it as the text \"" + verb + "\"");
    }
    const std::string argument = text(where);
    try {
      return parseAction(verb, argument, verb + " " + argument);
    } catch (const CliError &error) {
      fail(where, error.what());
    }
  }

  std::vector<Located<std::string>> selection(const std::string &pointer) const {
    const Json &value = at(pointer);
    if (value.is_string()) return {locatedText(pointer)};
    if (!value.is_array()) fail(pointer, "\"select\" is an item, or a list of items, by name or ID");
    std::vector<Located<std::string>> items;
    for (size_t i = 0; i < value.size(); ++i) items.push_back(locatedText(childPointer(pointer, i)));
    return items;
  }

  const LocatedJson &json_;
  std::string folder_;
};

}  // namespace

Session readSession(const LocatedJson &json, const std::string &folder) {
  return Reader(json, folder).read();
}

}  // namespace sim
