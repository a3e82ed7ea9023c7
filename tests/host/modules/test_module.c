/*
 * A small module for the loader tests, built in several variants. The good
 * variant serves one LayoutGeneric command; each other variant breaks one
 * thing the loader must catch. Events go to loader_test_event in the test
 * program, found at run time so the module loads in any process.
 */
#include <stddef.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "layout.h"

typedef void EventFunc(const char *event, void *value);

static EventFunc *eventRecorder(void) {
#ifdef _WIN32
  return (EventFunc *)(void (*)(void))GetProcAddress(GetModuleHandleA(NULL), "loader_test_event");
#else
  return (EventFunc *)dlsym(RTLD_DEFAULT, "loader_test_event");
#endif
}

static void report(const char *event, void *value) {
  EventFunc *record = eventRecorder();
  if (record) record(event, value);
}

static int startupToken;

static void *moduleStartup(void) {
  report("startup", &startupToken);
#ifdef TEST_MODULE_STARTUP_FAILS
  return NULL;
#else
  return &startupToken;
#endif
}

static void moduleShutdown(void *startupResult) { report("shutdown", startupResult); }

/* Adds a null named after the build number it reads, and returns 7. */
static int activate(int version, GlobalFunc *global, void *local, void *serverData) {
  (void)version;
  report("activate", serverData);
  GenericLocal *generic = (GenericLocal *)local;
  unsigned build = LAYOUT_BUILD_FROM_PRODUCT((uintptr_t)global(LAYOUT_PRODUCT_INFO, 0));
  generic->evaluate(generic->data, build == 599 ? "AddNull Build 599" : "AddNull Other build");
  return 7;
}

static const ServerTag tags[] = {{"Test", 0x20000}, {NULL, 0}};

#ifdef TEST_MODULE_NO_END
/* Records without the all-zero end record. */
static const ServerRecord servers[1100] = {[0 ... 1099] = {LAYOUT_CLASS_GENERIC, "Runaway", activate, tags}};
#else
static const ServerRecord servers[] = {
    {LAYOUT_CLASS_GENERIC, "Test_Generic", activate, tags},
    {LAYOUT_CLASS_GENERIC, "Test_Untagged", activate, NULL},
    {NULL, NULL, NULL, NULL},
};
#endif

#if defined(TEST_MODULE_BAD_SYNC)
#define SYNC 0x12345678u
#else
#define SYNC LAYOUT_MODULE_SYNC
#endif

#if defined(TEST_MODULE_BAD_VERSION)
#define VERSION 2u
#else
#define VERSION LAYOUT_MODULE_VERSION
#endif

ModuleDescriptor _mod_descrip = {SYNC,          VERSION,        LAYOUT_MODULE_MACHINE,
                                 moduleStartup, moduleShutdown, servers};
