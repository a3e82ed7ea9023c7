#include "tools/simulator.h"

#include <unistd.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <filesystem>
#include <variant>

#include "host/scene_files/lws_file.h"
#include "host/scene_files/scene_file.h"
#include "host/scene_files/scene_loading.h"
#include "host/services/services.h"
#include "tools/cli_error.h"
#include "tools/files.h"
#include "tools/suggest.h"

namespace sim {

#ifdef _WIN32
constexpr const char *kModuleFile = "mint.p";

std::filesystem::path runningProgram(std::error_code &error) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length == sizeof path) error = std::make_error_code(std::errc::filename_too_long);
  return std::filesystem::path(std::string(path, length));
}
#else
constexpr const char *kModuleFile = "mint.so";

std::filesystem::path runningProgram(std::error_code &error) {
  return std::filesystem::read_symlink("/proc/self/exe", error);
}
#endif

const char *moduleFileName() { return kModuleFile; }

std::string loadFailure(const std::string &path, const layout::LoadError &error) {
  return "cannot load the module " + (path.empty() ? std::string() : path + " ") + "(" +
         layout::loadStepName(error.step) + "): " + error.message;
}

std::string moduleBesideProgram() {
  std::error_code error;
  const std::filesystem::path program = runningProgram(error);
  if (error) return kModuleFile;
  return (program.parent_path() / kModuleFile).string();
}

ItemCounts countItems(const layout::Scene &scene) {
  ItemCounts counts{};
  for (int type = 1; type <= layout::kItemTypeCount; ++type) {
    const auto itemType = static_cast<layout::ItemType>(type);
    counts[static_cast<size_t>(layout::typeSlot(itemType))] = scene.items(itemType).size();
  }
  return counts;
}

Simulator::Simulator()
    : host_(std::make_unique<layout::Host>()), progress_(stderr, isatty(STDERR_FILENO) != 0) {
  host_->commands().setStatusObserver([this](const layout::StatusMessage &message) {
    if (showProgress_) progress_.status(message.text, message.progress);
  });
}

Simulator::~Simulator() = default;

void Simulator::loadModule(const std::string &path) {
  if (path == kStandardStream) {
    throw badInput("a module cannot be read from standard input (-); give the path of its file, such as " +
                   std::string(kModuleFile));
  }
  if (const std::optional<layout::LoadError> error = host_->loadModule(path)) {
    throw CliError(kExitRefused, loadFailure(path, *error));
  }
}

void Simulator::loadScene(const std::string &path) {
  std::optional<layout::FileError> error;
  bool lws = false;
  if (path.empty()) {
    error = layout::readScene(layout::defaultScene(), "default scene", *host_);
  } else {
    try {
      layout::SceneLoad load = layout::loadSceneFrom(path, *host_, lws_);
      error = std::move(load.error);
      lws = load.lws;
    } catch (const layout::FileProblem &problem) {
      throw cannotRead(problem, "scene");
    }
  }
  if (error) throw badInput(error->formatWithSource());
  if (!lws) lws_.reset();
}

// A Layout scene file is written over the one read, if any, so that what
// the host does not model is kept.
void Simulator::saveScene(const std::string &path, bool force) const {
  std::string lws;
  if (layout::isLwsPath(path)) {
    try {
      lws = layout::writeLwsScene(*host_, lws_.get());
    } catch (const layout::LwsWriteError &error) {
      throw badInput("cannot save the scene: " + path + ": " + error.what());
    }
  }
  makeParentFolders(path);
  try {
    layout::OutputFile file(path, {.replaceWriteProtected = force});
    if (layout::isLwsPath(path)) {
      file.write(lws);
    } else {
      layout::writeScene(file, *host_);  // streamed: a large scene is never held whole
    }
    file.commit();
  } catch (const layout::FileProblem &problem) {
    const std::string reason = fileError(problem).what();
    throw badInput("cannot save the scene to " + reason.substr(reason.find(problem.path())));
  }
}

void Simulator::setBuild(int64_t build, const std::string &typed) {
  if (build < 0 || build > 0xFFF) {
    throw badInput("host build " + (typed.empty() ? std::to_string(build) : typed) +
                   " out of range: builds are 0 to 4095");
  }
  host_->setBuild(static_cast<uint32_t>(build));
}

void Simulator::setDynamicUpdate(int64_t setting, const std::string &typed) {
  if (setting < 0 || setting > 2) {
    throw badInput("dynamic update " + (typed.empty() ? std::to_string(setting) : typed) +
                   " out of range: 0 off, 1 delayed, 2 interactive");
  }
  host_->setDynamicUpdate(static_cast<int>(setting));
}

void Simulator::switchOff(const std::string &service) {
  std::vector<std::string> names;
  for (int i = 0; i < layout::kServiceCount; ++i) {
    const auto known = static_cast<layout::Service>(i);
    names.emplace_back(layout::serviceName(known));
    if (service == names.back()) {
      host_->setServiceEnabled(known, false);
      return;
    }
  }
  std::string list;
  for (const std::string &name : names) list += (list.empty() ? "\"" : ", \"") + name + "\"";
  throw badInput("the host has no service \"" + service + "\"" + didYouMean(service, names) +
                 "; its services: " + list);
}

void Simulator::clearSelection() { host_->scene().clearSelection(); }

void Simulator::addToSelection(const std::string &nameOrId) {
  const std::variant<layout::ItemID, std::string> found = layout::resolveItem(host_->scene(), nameOrId);
  // The host's message already carries any suggestion, and none for a name
  // that is there but ambiguous.
  if (const std::string *error = std::get_if<std::string>(&found)) throw badInput(*error);
  host_->scene().addToSelection(std::get<layout::ItemID>(found));
}

std::vector<std::string> Simulator::serverNames() const {
  std::vector<std::string> names;
  if (const layout::LoadedModule *module = host_->module()) {
    for (const layout::ServerInfo &server : module->servers()) names.push_back(server.name);
  }
  return names;
}

void Simulator::checkServer(const std::string &server) const {
  const layout::LoadedModule *module = host_->module();
  if (module && module->findServer(server)) return;
  std::string list;
  for (const std::string &name : serverNames()) list += (list.empty() ? "" : ", ") + name;
  throw badInput("the module has no server \"" + server + "\"" + didYouMean(server, serverNames()) +
                 "; its servers: " + (list.empty() ? "none" : list));
}

bool Simulator::provides(const std::string &service) const {
  for (int i = 0; i < layout::kServiceCount; ++i) {
    const auto known = static_cast<layout::Service>(i);
    if (service == layout::serviceName(known)) return host_->services().enabled(known);
  }
  return false;
}

RunOutcome Simulator::run(const RunRequest &request) {
  checkServer(request.server);
  RunOutcome outcome;
  outcome.server = request.server;
  outcome.firstCommand = host_->commandLog().size();
  outcome.itemsBefore = countItems(host_->scene());
  const size_t firstLookup = host_->lookups().size();
  const size_t firstMisuse = host_->diagnostics().messages().size();
  const size_t firstFailure = host_->diagnostics().hostFailureCount();

  ActionFrontEnd frontEnd(request.actions, request.finish, request.strict);
  host_->setFrontEnd(&frontEnd);
  outcome.result = host_->activate(request.server).value_or(0);
  host_->setFrontEnd(nullptr);
  progress_.finish();

  outcome.endCommand = host_->commandLog().size();
  outcome.panelsShown = frontEnd.panelsShown();
  outcome.cancelled = frontEnd.cancelled();
  outcome.failure = frontEnd.failure();
  outcome.closedBy = frontEnd.closedBy();
  outcome.panel = frontEnd.inspected();
  if (!outcome.failure && frontEnd.carriedOut() < request.actions.size()) {
    const size_t left = frontEnd.carriedOut();
    std::string why = outcome.panelsShown == 0 ? "no panel was shown"
                      : outcome.closedBy       ? "the panel had already closed on \"" +
                                               request.actions[*outcome.closedBy].spelling + "\""
                                         : "the panel had already closed";
    outcome.failure = ActionFailure{left, request.actions[left].spelling + ": not carried out: " + why};
  }
  const std::vector<std::string> &lookups = host_->lookups();
  for (size_t i = firstLookup; i < lookups.size(); ++i) {
    if (!provides(lookups[i])) outcome.missingServices.push_back(lookups[i]);
  }
  const std::vector<std::string> &messages = host_->diagnostics().messages();
  outcome.misuse.assign(messages.begin() + static_cast<std::ptrdiff_t>(firstMisuse), messages.end());
  // Counted even when memory ran out before a message could be kept.
  const std::vector<std::string> &failures = host_->diagnostics().hostFailures();
  const size_t failed = host_->diagnostics().hostFailureCount() - firstFailure;
  outcome.hostFailures.assign(failures.end() - static_cast<std::ptrdiff_t>(std::min(failed, failures.size())),
                              failures.end());
  if (failed > outcome.hostFailures.size())
    outcome.hostFailures.emplace_back("(out of memory for the message)");
  return outcome;
}

}  // namespace sim
