// Loads a Layout module: opens the library, checks its descriptor, starts it
// and lists its servers. Every step is checked; on failure what was taken is
// given back and the error names the step and the path. Unloading (the
// destructor) shuts the module down and closes the library.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "layout.h"

namespace layout {

enum class LoadStep { kOpen, kSymbol, kSync, kVersion, kStartup, kServerTable };
const char *loadStepName(LoadStep step);

struct LoadError {
  LoadStep step;
  // "descriptor sync word is 0x12345678, expected 0x04121994"; the caller
  // names the module's path.
  std::string message;
};

struct ServerInfo {
  std::string className;
  std::string name;
  ActivateFunc *activate;
  std::vector<std::pair<std::string, uint32_t>> tags;
};

// A server table longer than this is taken to lack its all-zero end record.
inline constexpr size_t kMaxServers = 1024;
inline constexpr size_t kMaxServerTags = 1024;

struct ModuleLoad;
// Opens the library (dlopen with RTLD_NOW | RTLD_LOCAL, or LoadLibrary on
// Windows) and takes it through every step.
ModuleLoad loadModule(const std::string &path);

class LoadedModule {
 public:
  ~LoadedModule();
  LoadedModule(const LoadedModule &) = delete;
  LoadedModule &operator=(const LoadedModule &) = delete;

  const std::string &path() const { return path_; }
  const std::vector<ServerInfo> &servers() const { return servers_; }
  const ServerInfo *findServer(std::string_view name) const;
  // What startup returned; the host hands it to activations as server data.
  void *startupResult() const { return startupResult_; }

 private:
  friend ModuleLoad loadModule(const std::string &path);
  LoadedModule() = default;

  std::string path_;
  void *library_ = nullptr;
  const ModuleDescriptor *descriptor_ = nullptr;
  void *startupResult_ = nullptr;
  std::vector<ServerInfo> servers_;
};

// Either a module or why there is none.
struct ModuleLoad {
  std::unique_ptr<LoadedModule> module;
  LoadError error{LoadStep::kOpen, {}};  // meaningful only without a module
  explicit operator bool() const { return module != nullptr; }
};

}  // namespace layout
