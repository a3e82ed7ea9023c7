// What the validation checks share: a fresh host with the module loaded on
// the default scene, a front-end the check drives by hand, and one run of a
// server with everything a check looks at afterwards.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/panels/front_end.h"
#include "tools/validation.h"

namespace sim {

// The host builds at which a module's behaviour may change, and either side.
inline constexpr std::array<uint32_t, 8> kBehaviourBuilds = {0, 598, 599, 1165, 1166, 1446, 1447, 4095};

// A front-end that hands each panel to the check: onPanel works the panel
// (returning with it open counts as Cancel; unset: OK at once) and onMenu
// answers context menus (unset: dismissed).
class ProbeFrontEnd : public layout::FrontEnd {
 public:
  std::function<void(layout::OpenPanel &)> onPanel;
  std::function<int(const layout::MenuView &)> onMenu;

  void run(layout::OpenPanel &panel) override;
  int chooseMenuItem(const layout::MenuView &menu) override;
};

struct ProbeRun {
  std::string what;  // "Mint_Pivots at build 599", for messages
  int result = 0;
  std::vector<std::string> commands;
  std::vector<std::string> rejections;
  std::vector<std::string> misuse;
  std::string escaped;  // what an exception that left the module said
  size_t panels = 0;
};

class Probe {
 public:
  // A host with the default scene and the module; on a load failure the
  // context is told and ok() is false.
  explicit Probe(CheckContext &context);
  ~Probe();

  bool ok() const { return loaded_; }
  layout::Host &host() { return *host_; }
  ProbeFrontEnd &frontEnd() { return frontEnd_; }
  std::vector<std::string> servers() const;

  // Puts the default scene back (its selection, its build) and then the build.
  void resetScene(uint32_t build);
  // Runs a server with the front-end as it is set.
  ProbeRun run(const std::string &server, std::string what);

 private:
  std::unique_ptr<layout::Host> host_;
  ProbeFrontEnd frontEnd_;
  bool loaded_ = false;
  size_t panelsBefore_ = 0;
};

// Fails the context for anything wrong with a run: an escaped exception, a
// result other than 0 (done) or 2 (missing service), misuse, refused commands.
void expectSound(CheckContext &context, const ProbeRun &run);
// "Mint_Pivots at build 599"
std::string at(const std::string &server, uint32_t build);

}  // namespace sim
