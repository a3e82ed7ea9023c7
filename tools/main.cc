// layout-sim: Layout's side of the Mint commands on the command line. It
// loads the module into the substitute host, drives its panels as a person
// would and shows exactly which commands reach the scene.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#include <CLI/CLI.hpp>
#include <iostream>
#include <new>
#include <regex>
#include <string>

#include "tools/cli_error.h"
#include "tools/standard_output.h"
#include "tools/subcommand.h"
#include "tools/suggest.h"

namespace sim {
namespace {

constexpr Subcommand kSubcommands[] = {
    {"run", "Run a server: drive its panel, print the commands sent and the scene", &setUpRun},
    {"session", "Run the steps of a session file in one host, remembered choices carrying over",
     &setUpSession},
    {"panel", "Show a server's panel as a person sees it: text, SVG or PNG; nothing is sent", &setUpPanel},
    {"replay", "Carry out a file of command texts on a scene, like a macro", &setUpReplay},
    {"convert", "Write a scene file in another format: JSON or a Layout scene (.lws)", &setUpConvert},
#ifndef _WIN32
    {"validate", "Check a module at a strictness level 1-10: each check isolated, seeded, watched",
     &setUpValidate},
#endif
};

constexpr const char *kExitCodes =
    "Exit status: 0 done (a cancelled panel is done too); 1 bad usage or input (arguments, files,\n"
    "panel actions, standard output), a replayed command the host rejected (unless --keep-going) or a\n"
    "value the panel corrected under --strict; 2 the module refused: it failed to load, lacked a host\n"
    "service or misused the host; 3 the host rejected command texts of a run (unless --allow-rejected);\n"
    "4 the host itself failed (such as running out of memory), which is not the module's fault.";

void checkSubcommand(const std::string &name) {
  std::vector<std::string> names;
  for (const Subcommand &subcommand : kSubcommands) {
    if (name == subcommand.name) return;
    names.emplace_back(subcommand.name);
  }
  std::string list;
  for (const std::string &known : names) list += (list.empty() ? "" : ", ") + known;
  throw badInput("unknown subcommand \"" + name + "\"" + didYouMean(name, names) + "; subcommands: " + list +
                 " (see layout-sim --help)");
}

// What CLI11 did not expect, said plainly: the first such argument, with a
// suggestion when it looks like a misspelt option of `app`.
std::string unexpected(const CLI::App &app, const CLI::Error &error) {
  const std::vector<std::string> extras = app.remaining();
  if (extras.empty()) return error.what();
  const std::string &first = extras.front();
  if (first.size() < 2 || first[0] != '-')
    return "unexpected argument \"" + first + "\" (options take one value each)";
  const std::string typed = first.substr(0, first.find('='));
  std::vector<std::string> names;
  for (const CLI::Option *option : app.get_options()) {
    for (const std::string &name : option->get_lnames()) names.push_back("--" + name);
    for (const std::string &name : option->get_snames()) names.push_back("-" + name);
  }
  return "unknown option " + typed + didYouMean(typed, names);
}

// CLI11's wordings for a value it cannot convert and an option given too
// often, said plainly; other messages pass through.
std::string plainly(const CLI::Error &error) {
  const std::string what = error.what();
  // Only the numeric options have values that can fail to convert.
  static const std::regex conversion("Could not convert: (\\S+) = (.*)");
  static const std::regex repeated("(\\S+): At Most 1 required but received (\\d+)");
  std::smatch match;
  if (std::regex_match(what, match, conversion))
    return match[1].str() + ": \"" + match[2].str() + "\" is not a number";
  if (std::regex_match(what, match, repeated))
    return match[1].str() + " is given " + match[2].str() + " times; give it once";
  return what;
}

std::string version() { return std::string("layout-sim ") + MINT_VERSION; }

int run(int argc, char **argv) {
  CLI::App app("layout-sim: run the Mint commands in a substitute Layout and see what they do.",
               "layout-sim");
  app.get_formatter()->column_width(24);
  app.set_version_flag("--version", version());
  app.require_subcommand(1);
  app.footer(kExitCodes);
  // Errors name the subcommand whose help explains the usage.
  app.failure_message([](const CLI::App *failed, const CLI::Error &error) {
    std::string name = failed->get_name();
    const CLI::App *deepest = failed;
    for (const CLI::App *sub : failed->get_subcommands({})) {
      if (!sub->parsed()) continue;
      name += " " + sub->get_name();
      deepest = sub;
    }
    const bool extras = dynamic_cast<const CLI::ExtrasError *>(&error) != nullptr;
    return name + ": " + (extras ? unexpected(*deepest, error) : plainly(error)) + " (see " + name +
           " --help)\n";
  });
  std::vector<SubcommandMain> mains;
  std::vector<CLI::App *> apps;
  for (const Subcommand &subcommand : kSubcommands) {
    CLI::App *sub = app.add_subcommand(subcommand.name, subcommand.summary);
    mains.push_back(subcommand.setUp(*sub));
    if (sub->get_footer().empty()) {
      sub->footer(kExitCodes);
    } else {
      sub->footer(sub->get_footer() + "\n\n" + kExitCodes);
    }
    apps.push_back(sub);
  }
  if (argc > 1 && argv[1][0] != '-') checkSubcommand(argv[1]);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &error) {
    const int status = app.exit(error);
    return status == static_cast<int>(CLI::ExitCodes::Success) ? kExitDone : kExitBadInput;
  }
  for (size_t i = 0; i < apps.size(); ++i) {
    if (apps[i]->parsed()) return mains[i]();
  }
  return kExitBadInput;
}

}  // namespace
}  // namespace sim

namespace sim {
namespace {

int runReportingErrors(int argc, char **argv) {
  try {
    return run(argc, argv);
  } catch (const CliError &error) {
    std::cout.flush();
    std::cerr << "layout-sim: " << error.what() << "\n";
    return error.exitCode();
  } catch (const std::bad_alloc &) {
    std::cout.flush();
    std::cerr << "layout-sim: out of memory\n";
    return kExitHostFailed;
  } catch (const std::exception &error) {
    std::cout.flush();
    std::cerr << "layout-sim: " << error.what() << "\n";
    return kExitBadInput;
  }
}

}  // namespace
}  // namespace sim

int main(int argc, char **argv) {
  // Nothing here writes through C's stdio, so the streams need not keep in
  // step with it, which costs a call per piece written. First, as it replaces
  // the streams' buffers.
  std::ios::sync_with_stdio(false);
#ifdef _WIN32
  // The same bytes on every system: text mode would end each line with \r\n.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  sim::StandardOutput output;
  int status = sim::runReportingErrors(argc, argv);
  // Output that never arrived is a failure, whatever else happened.
  if (const std::optional<std::string> problem = output.finish()) {
    std::cerr << "layout-sim: " << *problem << "\n";
    if (status == sim::kExitDone) status = sim::kExitBadInput;
  }
  return status;
}
