#include "host/loader/module_loader.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cstdio>

namespace layout {
namespace {

#ifdef _WIN32

void *openLibrary(const std::string &path) { return LoadLibraryA(path.c_str()); }
void *findSymbol(void *library, const char *name) {
  return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void closeLibrary(void *library) { FreeLibrary(static_cast<HMODULE>(library)); }

// The system's text for the last error, with its line break removed.
std::string lastError(const std::string &) {
  const DWORD code = GetLastError();
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      code, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message.empty() ? "error " + std::to_string(code) : message;
}

#else

void *openLibrary(const std::string &path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }
void *findSymbol(void *library, const char *name) { return dlsym(library, name); }
void closeLibrary(void *library) { dlclose(library); }

// The loader's text for the last error, without the path it starts with:
// the caller names the module once.
std::string lastError(const std::string &path) {
  const char *why = dlerror();
  if (!why) return "unknown error";
  const std::string_view text(why);
  const std::string prefix = path + ": ";
  return std::string(text.substr(0, prefix.size()) == prefix ? text.substr(prefix.size()) : text);
}

#endif

std::string hex32(uint32_t value) {
  char text[11];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

bool isEndRecord(const ServerRecord &record) {
  return !record.className && !record.serverName && !record.activate && !record.tags;
}

// Reads the server table; returns an error text, empty when the table is good.
std::string readServers(const ServerRecord *table, std::vector<ServerInfo> &servers) {
  if (!table) return "descriptor has no server table";
  for (size_t i = 0;; ++i) {
    if (i == kMaxServers)
      return "server table has no end record within " + std::to_string(kMaxServers) + " entries";
    const ServerRecord &record = table[i];
    if (isEndRecord(record)) return {};
    if (!record.className || !record.serverName || !record.activate) {
      return "server record " + std::to_string(i) + " lacks its class, name or activation";
    }
    ServerInfo server{record.className, record.serverName, record.activate, {}};
    for (const ServerTag *tag = record.tags; tag && tag->text; ++tag) {
      if (server.tags.size() == kMaxServerTags) return "tag list of server " + server.name + " has no end";
      server.tags.emplace_back(tag->text, tag->tag);
    }
    servers.push_back(std::move(server));
  }
}

}  // namespace

const char *loadStepName(LoadStep step) {
  switch (step) {
    case LoadStep::kOpen:
      return "open";
    case LoadStep::kSymbol:
      return "symbol";
    case LoadStep::kSync:
      return "sync";
    case LoadStep::kVersion:
      return "version";
    case LoadStep::kStartup:
      return "startup";
    case LoadStep::kServerTable:
      return "server table";
  }
  return "?";
}

ModuleLoad loadModule(const std::string &path) {
  ModuleLoad load;
  const auto fail = [&](LoadStep step, const std::string &what) {
    load.error = {step, what};
    load.module.reset();  // the destructor gives back what was taken
    return std::move(load);
  };

  load.module.reset(new LoadedModule());
  LoadedModule &module = *load.module;
  module.path_ = path;
  module.library_ = openLibrary(path);
  if (!module.library_) return fail(LoadStep::kOpen, lastError(path));
  const auto *descriptor =
      static_cast<const ModuleDescriptor *>(findSymbol(module.library_, LAYOUT_DESCRIPTOR_SYMBOL));
  if (!descriptor) return fail(LoadStep::kSymbol, "no " LAYOUT_DESCRIPTOR_SYMBOL " symbol");
  if (descriptor->sync != LAYOUT_MODULE_SYNC) {
    return fail(LoadStep::kSync, "descriptor sync word is " + hex32(descriptor->sync) + ", expected " +
                                     hex32(LAYOUT_MODULE_SYNC));
  }
  if (descriptor->version != LAYOUT_MODULE_VERSION) {
    return fail(LoadStep::kVersion, "descriptor version is " + std::to_string(descriptor->version) +
                                        ", expected " + std::to_string(LAYOUT_MODULE_VERSION));
  }
  if (!descriptor->startup) return fail(LoadStep::kStartup, "descriptor has no startup function");
  void *startupResult = descriptor->startup();
  if (!startupResult) return fail(LoadStep::kStartup, "startup returned NULL");
  // From here on unloading calls shutdown.
  module.descriptor_ = descriptor;
  module.startupResult_ = startupResult;
  const std::string tableError = readServers(descriptor->servers, module.servers_);
  if (!tableError.empty()) return fail(LoadStep::kServerTable, tableError);
  return load;
}

LoadedModule::~LoadedModule() {
  if (descriptor_ && descriptor_->shutdown) descriptor_->shutdown(startupResult_);
  if (library_) closeLibrary(library_);
}

const ServerInfo *LoadedModule::findServer(std::string_view name) const {
  for (const ServerInfo &server : servers_) {
    if (server.name == name) return &server;
  }
  return nullptr;
}

}  // namespace layout
