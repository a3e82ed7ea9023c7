// layout-sim validate: runs the checks up to a strictness level against a
// module, each in its own process under a watchdog, and prints a table (or
// JSON). The seed comes first, so any failure replays with --seed.
#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <random>

#include "tools/cli_error.h"
#include "tools/simulator.h"
#include "tools/subcommand.h"
#include "tools/suggest.h"
#include "tools/validation.h"
#include "tools/validation_runner.h"

namespace sim {
namespace {

struct ValidateOptions {
  std::string module;
  int level = 5;
  uint64_t seed = 0;
  bool seedGiven = false;
  int repeat = 1;
  double timeout = 300;
  std::string only;
  bool json = false;
};

std::vector<const Check *> chosenChecks(const ValidateOptions &options) {
  std::vector<const Check *> chosen;
  std::vector<std::string> names;
  for (const Check &check : validationChecks()) {
    names.emplace_back(check.name);
    if (options.only.empty() ? check.level <= options.level : options.only == check.name)
      chosen.push_back(&check);
  }
  if (chosen.empty()) {
    std::string list;
    for (const std::string &name : names) list += (list.empty() ? "" : ", ") + name;
    throw badInput("validate: no check \"" + options.only + "\"" + didYouMean(options.only, names) +
                   "; checks: " + list);
  }
  return chosen;
}

std::string figuresText(const CheckOutcome &outcome) {
  std::string text;
  for (const auto &[name, value] : outcome.figures)
    text += (text.empty() ? "" : ", ") + std::to_string(value) + " " + name;
  return text;
}

void printTable(const std::vector<CheckOutcome> &outcomes) {
  std::printf("\n%-5s %-19s %-6s %9s  %s\n", "level", "check", "result", "seconds", "figures");
  for (const CheckOutcome &outcome : outcomes) {
    std::printf("%-5d %-19s %-6s %9.2f  %s\n", outcome.check->level, outcome.check->name,
                checkStatusName(outcome.status), outcome.seconds, figuresText(outcome).c_str());
  }
}

nlohmann::json toJson(const ValidateOptions &options, const std::vector<CheckOutcome> &outcomes,
                      bool passed) {
  nlohmann::json checks = nlohmann::json::array();
  for (const CheckOutcome &outcome : outcomes) {
    nlohmann::json figures = nlohmann::json::object();
    for (const auto &[name, value] : outcome.figures) figures[name] = value;
    checks.push_back({{"name", outcome.check->name},
                      {"level", outcome.check->level},
                      {"result", checkStatusName(outcome.status)},
                      {"passed", outcome.status == CheckStatus::kPassed},
                      {"seconds", outcome.seconds},
                      {"failureCount", outcome.failureCount},
                      {"failures", outcome.failures},
                      {"figures", figures}});
  }
  return {{"module", options.module}, {"seed", options.seed}, {"level", options.level},
          {"repeat", options.repeat}, {"passed", passed},     {"checks", checks}};
}

int validate(ValidateOptions options) {
  if (options.module.empty()) options.module = moduleBesideProgram();
  // A bare file name would send the loader searching the library path.
  std::error_code error;
  if (std::filesystem::exists(options.module, error)) {
    options.module = std::filesystem::absolute(options.module, error).string();
  }
  if (!options.seedGiven) options.seed = std::random_device()() & 0xFFFFFFFFu;
  const std::vector<const Check *> checks = chosenChecks(options);
  if (!options.json) {
    std::printf("seed %llu (replay with --seed %llu)\n", static_cast<unsigned long long>(options.seed),
                static_cast<unsigned long long>(options.seed));
    std::printf("validating %s at level %d\n", options.module.c_str(), options.level);
    std::fflush(stdout);
  }
  const CheckContext context(options.module, options.seed, options.repeat);
  std::vector<CheckOutcome> outcomes;
  bool passed = true;
  for (const Check *check : checks) {
    CheckOutcome outcome = runIsolated(*check, context, options.timeout);
    passed = passed && outcome.status == CheckStatus::kPassed;
    if (!options.json) {
      std::printf("%-19s %s (%.2f s)\n", check->name, checkStatusName(outcome.status), outcome.seconds);
      for (const std::string &failure : outcome.failures) std::printf("  %s\n", failure.c_str());
      if (outcome.failureCount > outcome.failures.size()) {
        std::printf("  ... and %zu more\n", outcome.failureCount - outcome.failures.size());
      }
      std::fflush(stdout);
    }
    outcomes.push_back(std::move(outcome));
  }
  if (options.json) {
    std::cout << toJson(options, outcomes, passed).dump(2) << "\n";
  } else {
    printTable(outcomes);
    std::printf("%s\n", passed ? "all checks passed" : "some checks failed");
  }
  return passed ? kExitDone : kExitRefused;
}

}  // namespace

SubcommandMain setUpValidate(CLI::App &app) {
  auto options = std::make_shared<ValidateOptions>();
  app.add_option("module", options->module,
                 std::string("The module to check (default: ") + moduleFileName() + " beside layout-sim)")
      ->type_name("MODULE");
  app.add_option("--level", options->level, "Strictness: run the checks of levels 1 to N (default 5)")
      ->check(CLI::Range(1, kMaxValidationLevel))
      ->type_name("1-10");
  app.add_option_function<uint64_t>(
         "--seed",
         [options](uint64_t seed) {
           options->seed = seed;
           options->seedGiven = true;
         },
         "Seed of the random checks (default: a fresh one, printed first)")
      ->type_name("S");
  app.add_option("--repeat", options->repeat, "Repeat the randomised work K times (default 1)")
      ->check(CLI::Range(1, 100000))
      ->type_name("K");
  app.add_option("--timeout", options->timeout,
                 "Seconds each check may run before it counts as a hang (default 300)")
      ->check(CLI::Range(0.1, 86400.0))
      ->type_name("S");
  app.add_option("--only", options->only, "Run only the check named CHECK, whatever its level")
      ->type_name("CHECK");
  app.add_flag("--json", options->json, "Print the results as JSON");
  std::string levels = "Checks, by level:";
  for (const Check &check : validationChecks()) {
    levels += "\n  " + std::to_string(check.level) + (check.level < 10 ? "  " : " ") + check.name +
              std::string(20 - std::string(check.name).size(), ' ') + check.summary;
  }
  app.footer(levels + "\nExit status 2 here means a check failed, crashed or hung.");
  return [options] { return validate(*options); };
}

}  // namespace sim
