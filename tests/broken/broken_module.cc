// A small module built once sound and once per planted fault (BROKEN_*), for
// proving that each validation check catches the fault it was written for.
// The sound build serves "Broken_Nulls": a panel with a name field that it
// remembers between runs; OK adds a null of that name.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>

#include "layout.h"

namespace {

char gName[64] = "Null";
#if defined(BROKEN_LEAKS_PER_RUN)
char *volatile gLeak;
#endif

struct Run {
  PanelServices *panels;
  GenericLocal *local;
  Control *name;
};

// Destroys the panel on every way out, a host call that threw included.
struct PanelGuard {
  PanelServices *panels;
  Panel *panel;
  ~PanelGuard() {
    try {
      if (panel) panels->destroy(panel);
    } catch (...) {
    }
  }
};

int key(Panel *, void *, unsigned short code) {
#if defined(BROKEN_HANGS_IN_KEY)
  // Loops forever on one key.
  volatile bool stuck = code == 'z';
  while (stuck) {
  }
#endif
  (void)code;
  return 0;
}

void send(const Run &run, const char *command) { run.local->evaluate(run.local->data, command); }

void readName(Run &run, char *into, int32_t size) {
  PanelValue value = {};
  value.text.type = LAYOUT_VALUE_TEXT;
  value.text.buffer = into;
  value.text.length = size;
  run.name->get(run.name, LAYOUT_CTL_VALUE, &value);
}

int activate(int, GlobalFunc *global, void *local, void *) {
  auto *panels = static_cast<PanelServices *>(global(LAYOUT_PANEL_SERVICES, 0));
  const auto *info = static_cast<const InterfaceInfo *>(global(LAYOUT_INTERFACE_INFO, 0));
#if !defined(BROKEN_NO_NULL_CHECK)
  if (panels == nullptr || info == nullptr) return LAYOUT_AF_BADGLOBAL;
#endif
  (void)info;
  Run run = {panels, static_cast<GenericLocal *>(local), nullptr};
#if defined(BROKEN_CRASHES_ON_ALLOCATION_FAILURE)
  char *scratch = new (std::nothrow) char[64];
  scratch[0] = 1;  // unchecked
  delete[] scratch;
#endif
#if defined(BROKEN_LEAKS_PER_RUN)
  gLeak = new char[20000];  // the previous run's block is lost
  gLeak[0] = 1;
#endif
  char title[] = "Broken";
  Panel *panel = panels->create(title, nullptr);
  if (panel == nullptr) return LAYOUT_AF_OK;
  PanelGuard guard = {panels, panel};
  ControlDesc desc = {};
  desc.edit.type = LAYOUT_DESC_EDIT;
  desc.edit.width = 20;
  char type[] = LAYOUT_CONTROL_EDIT, label[] = "Name";
  run.name = panels->addControl(panel, type, &desc, label);
#if !defined(BROKEN_IGNORES_HOST_FAILURE)
  if (run.name == nullptr) return LAYOUT_AF_OK;
#endif
  PanelValue value = {};
  value.text.type = LAYOUT_VALUE_TEXT;
  value.text.buffer = gName;
  value.text.length = sizeof gName;
  run.name->set(run.name, LAYOUT_CTL_VALUE, &value);
  panels->set(panel, LAYOUT_PAN_KEY, reinterpret_cast<void *>(&key));
  const int ok = panels->open(panel, LAYOUT_PANEL_OPEN_FLAGS);
  char name[64] = "";
#if defined(BROKEN_OVERFLOWS_TEXT)
  readName(run, name, 1 << 22);  // claims a far larger buffer than it has
#else
  readName(run, name, sizeof name);
#endif
  guard.panel = nullptr;
  panels->destroy(panel);
#if defined(BROKEN_READ_AFTER_DESTROY)
  readName(run, name, sizeof name);
#endif
  if (!ok) {
#if defined(BROKEN_SENDS_AFTER_CANCEL)
    send(run, "AddNull Cancelled");
#endif
    return LAYOUT_AF_OK;
  }
#if defined(BROKEN_OK_CRASHES)
  if (std::strcmp(name, "Null") == 0) *static_cast<volatile int *>(nullptr) = 1;
#endif
  if (name[0] == '\0') return LAYOUT_AF_OK;
  std::strcpy(gName, name);
#if defined(BROKEN_GARBLES_MEMORY)
  gName[3] = '\0';  // remembers only the start of the name
#endif
  char command[96];
#if defined(BROKEN_NONDETERMINISTIC)
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::snprintf(command, sizeof command, "AddNull %s%ld", name, now.tv_nsec % 1000);
#elif defined(BROKEN_BAD_COMMAND)
  std::snprintf(command, sizeof command, "%s %s", info->selItems[0] ? "AddNull" : "AddNul", name);
#else
  std::snprintf(command, sizeof command, "AddNull %s", name);
#endif
  send(run, command);
  return LAYOUT_AF_OK;
}

int guarded(int version, GlobalFunc *global, void *local, void *serverData) {
#if defined(BROKEN_LETS_EXCEPTION_ESCAPE)
  return activate(version, global, local, serverData);
#else
  try {
    return activate(version, global, local, serverData);
  } catch (...) {
    return LAYOUT_AF_OK;
  }
#endif
}

int startupToken;
void *startup() { return &startupToken; }
void shutdown(void *) {}

const ServerTag kTags[] = {{"Broken", 0x20000u}, {nullptr, 0}};

#if defined(BROKEN_NO_END)
// No all-zero end record: the host reads on until its limit.
struct Table {
  ServerRecord records[1100];
};
constexpr Table endless() {
  Table table{};
  for (ServerRecord &record : table.records) record = {LAYOUT_CLASS_GENERIC, "Broken_Nulls", guarded, kTags};
  return table;
}
constexpr Table kTable = endless();
const ServerRecord *const kServers = kTable.records;
#else
const ServerRecord kServers[] = {
    {LAYOUT_CLASS_GENERIC, "Broken_Nulls", guarded, kTags},
    {nullptr, nullptr, nullptr, nullptr},
};
#endif

#if defined(BROKEN_WRONG_SYNC)
constexpr uint32_t kSync = 0x04121995u;
#else
constexpr uint32_t kSync = LAYOUT_MODULE_SYNC;
#endif

}  // namespace

__attribute__((visibility("default"))) ModuleDescriptor _mod_descrip = {
    kSync, LAYOUT_MODULE_VERSION, LAYOUT_MODULE_MACHINE, startup, shutdown, kServers};
