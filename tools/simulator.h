// One substitute Layout for the length of a layout-sim command: the host, the
// module loaded into it, the scene, and runs of the module's servers driven by
// panel actions. A session keeps one simulator for all its steps, so the
// module's remembered choices carry from one run to the next.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/panels/panel_view.h"
#include "host/scene_files/lws_document.h"
#include "tools/action_front_end.h"
#include "tools/panel_actions.h"
#include "tools/progress.h"

namespace sim {

// The module's file name on this system: mint.so, or mint.p on Windows.
const char *moduleFileName();

// The module's file in the folder of the running program.
std::string moduleBesideProgram();

// "cannot load the module PATH (sync): descriptor sync word is ...": the
// path named once; without it when `path` is empty, for a report that has
// named the module already.
std::string loadFailure(const std::string &path, const layout::LoadError &error);

struct RunRequest {
  std::string server;
  std::vector<PanelAction> actions;
  Finish finish = Finish::kConfirm;
  bool strict = false;  // a value the panel corrects fails the run
};

// Items of each type in a scene, by layout::typeSlot.
using ItemCounts = std::array<size_t, layout::kItemTypeCount>;
ItemCounts countItems(const layout::Scene &scene);

struct RunOutcome {
  std::string server;
  int result = 0;  // the activation's result
  size_t panelsShown = 0;
  bool cancelled = false;  // the panel closed with Cancel: by the user, a failed action or inspection
  // The first action that could not be carried out: it failed, or the
  // panel had closed before it (closedBy names the action that closed it).
  std::optional<ActionFailure> failure;
  std::optional<size_t> closedBy;
  size_t firstCommand = 0;  // this run's texts in the host's command log: [firstCommand, endCommand)
  size_t endCommand = 0;
  ItemCounts itemsBefore{};                  // how many items of each type the scene had before the run
  std::vector<std::string> missingServices;  // looked up during the run but not provided
  std::vector<std::string> misuse;           // the module's misuse of the host during the run
  std::vector<std::string> hostFailures;     // failures of the host itself during the run
  std::optional<layout::PanelView> panel;    // Finish::kInspect: the panel as it was

  size_t commandsSent() const { return endCommand - firstCommand; }
};

class Simulator {
 public:
  // Progress of runs goes to stderr.
  Simulator();
  ~Simulator();

  layout::Host &host() { return *host_; }
  const layout::Host &host() const { return *host_; }

  // Throws CliError (refused) naming the step that failed; bad input for
  // "-", as a module is loaded from a file of its own.
  void loadModule(const std::string &path);
  // A scene file (a Layout scene when it ends in .lws), or the embedded
  // default scene when `path` is empty. Throws CliError (bad input) with the
  // file's located error.
  void loadScene(const std::string &path);
  // Throws CliError (bad input) for a build or setting out of range.
  // Saves the scene, creating a missing folder; a .lws file keeps what the
  // Layout scene last loaded held; `force` replaces a write-protected file.
  // Throws CliError (bad input).
  void saveScene(const std::string &path, bool force = false) const;
  // `typed` is the number as the user wrote it, quoted when it is out of
  // range (a number too large for int64_t arrives clamped).
  void setBuild(int64_t build, const std::string &typed = "");
  void setDynamicUpdate(int64_t setting, const std::string &typed = "");

  // Makes the global look-up answer null for a service; throws CliError (bad
  // input) for a name the host does not know.
  void switchOff(const std::string &service);

  // Progress of runs is shown on stderr unless switched off (--quiet).
  void showProgress(bool shown) { showProgress_ = shown; }

  void clearSelection();
  // An item by ID or name; throws CliError (bad input) for an unknown or
  // ambiguous name, listing candidates with their IDs.
  void addToSelection(const std::string &nameOrId);

  // Throws CliError (bad input) for a server the module lacks.
  RunOutcome run(const RunRequest &request);
  // Names the server the module lacks, or does nothing.
  void checkServer(const std::string &server) const;
  std::vector<std::string> serverNames() const;

 private:
  bool provides(const std::string &service) const;

  std::unique_ptr<layout::Host> host_;
  std::unique_ptr<layout::LwsDocument> lws_;  // of the last scene loaded, when a Layout scene
  Progress progress_;
  bool showProgress_ = true;
};

}  // namespace sim
