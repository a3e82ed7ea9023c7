// The descriptor the host reads after loading the module: identification
// words, start-up and shut-down, and the server table.
#include "module/activation.h"
#include "module/server_table.h"

namespace mint {

namespace {

const ServerTag kTags[] = {{"Ketchtools", 0x20000u}, {nullptr, 0}};

// The module has nothing to set up; the host only needs a non-null token.
void *startup() { return reinterpret_cast<void *>(uintptr_t{4}); }

void shutdown(void *) {}

}  // namespace

const ServerRecord kServerTable[3] = {
    {LAYOUT_CLASS_GENERIC, "Mint_Pivots", activateNulls, kTags},
    {LAYOUT_CLASS_GENERIC, "Mint_Joints", activateBones, kTags},
    {nullptr, nullptr, nullptr, nullptr},
};

}  // namespace mint

// C linkage comes from the declaration in the interface header. On Windows
// the module definition file exports it; elsewhere its visibility does.
#ifdef _WIN32
#define MINT_EXPORT
#else
#define MINT_EXPORT __attribute__((visibility("default")))
#endif
MINT_EXPORT ModuleDescriptor _mod_descrip = {
    LAYOUT_MODULE_SYNC, LAYOUT_MODULE_VERSION, LAYOUT_MODULE_MACHINE,
    mint::startup,      mint::shutdown,        mint::kServerTable,
};
