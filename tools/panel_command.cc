// layout-sim panel: a server's panel as a person sees it once it is open (and
// after any panel actions given), drawn as SVG or PNG or listed as text. The
// panel is then cancelled, so nothing is sent.
#include <CLI/CLI.hpp>
#include <iostream>

#include "host/pictures/panel_picture.h"
#include "tools/action_options.h"
#include "tools/cli_error.h"
#include "tools/files.h"
#include "tools/host_options.h"
#include "tools/panel_snapshot.h"
#include "tools/png_output.h"
#include "tools/run_report.h"
#include "tools/subcommand.h"

namespace sim {
namespace {

struct PanelOptions {
  std::string server;
  HostOptions host;
  std::string svg;
  std::string png;
  bool force = false;
};

int showPanel(const CLI::App &app, const PanelOptions &options) {
  const std::vector<PanelAction> actions = collectActions(app);
  std::ostream &out = claimStandardStreams({{"--scene", options.host.scene}},
                                           {{"--svg", options.svg}, {"--png", options.png}});
  Simulator simulator;
  prepareHost(simulator, options.host, true);
  const RunOutcome outcome = simulator.run({options.server, actions, Finish::kInspect});
  if (std::optional<CliError> error = runError(outcome)) throw *error;
  if (!outcome.panel) {
    const std::string why = outcome.panelsShown == 0
                                ? options.server + " showed no panel"
                                : "the panel of " + options.server + " closed before it could be drawn";
    throw badInput(why + (outcome.commandsSent() ? " (and the module went on to send its commands)" : ""));
  }
  const layout::PanelView &panel = *outcome.panel;
  if (options.svg.empty() && options.png.empty()) {
    std::cout << describePanel(panel, simulator.host().build());
    return kExitDone;
  }
  const std::string svg = layout::renderSvg(pictureOf(panel, simulator.host().build()));
  // A picture on standard output is not followed by a word about it.
  if (!options.svg.empty()) {
    writeFileAtomically(options.svg, svg, options.force);
    if (options.svg != kStandardStream) out << "Wrote " << options.svg << "\n";
  }
  if (!options.png.empty()) {
    writePng(options.png, svg, options.force);
    if (options.png != kStandardStream) out << "Wrote " << options.png << "\n";
  }
  return kExitDone;
}

}  // namespace

SubcommandMain setUpPanel(CLI::App &app) {
  auto options = std::make_shared<PanelOptions>();
  app.add_option("server", options->server, "Mint_Pivots or Mint_Joints")->required()->type_name("SERVER");
  addHostOptions(app, options->host, true);
  addActionOptions(app, false);
  app.add_option("--svg", options->svg, "Draw the panel as an SVG picture in FILE (- for standard output)")
      ->type_name("FILE");
  app.add_option("--png", options->png,
                 "Draw the panel as a PNG picture in FILE (- for standard output; needs rsvg-convert)")
      ->type_name("FILE");
  addForceOption(app, options->force);
  app.footer(
      "Panel actions, if given, are carried out first, so the picture shows their effect. Without --svg\n"
      "or --png the panel's controls are listed as text.");
  return [&app, options] { return showPanel(app, *options); };
}

}  // namespace sim
