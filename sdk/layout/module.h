/*
 * Module descriptor, server table and the LayoutGeneric activation.
 * The host reads the exported _mod_descrip after loading the module.
 */
#ifndef LAYOUT_MODULE_H
#define LAYOUT_MODULE_H

#include "base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LAYOUT_MODULE_SYNC 0x04121994u
#define LAYOUT_MODULE_VERSION 3u
#define LAYOUT_MODULE_MACHINE 0x300u

/* Name under which a module exports its descriptor. */
#define LAYOUT_DESCRIPTOR_SYMBOL "_mod_descrip"

/* Server class of both of the module's commands. */
#define LAYOUT_CLASS_GENERIC "LayoutGeneric"

/* "Product Info": the look-up answers with the product value itself; the host
 * build number is (value >> 4) & 0xFFF. */
#define LAYOUT_PRODUCT_INFO "Product Info"
#define LAYOUT_BUILD_FROM_PRODUCT(value) (((uint32_t)(value) >> 4) & 0xFFFu)

/* One (text, tag) pair of a server's tag list; the list ends with {NULL, 0}. */
typedef struct {
  const char *text;
  uint32_t tag;
} ServerTag;

/* Activation results. */
#define LAYOUT_AF_OK 0          /* done, cancelled, or nothing to do */
#define LAYOUT_AF_BADGLOBAL 2   /* a required service is missing */

/*
 * Activation of a server. Called by the host on its UI thread, one at a time.
 *   version     host's interface version; the module ignores it.
 *   global      service look-up; valid for the activation.
 *   local       for LayoutGeneric: a GenericLocal (host-owned, activation).
 *   serverData  ignored.
 */
typedef int ActivateFunc(int version, GlobalFunc *global, void *local, void *serverData);

/* One server; the table ends with an all-zero record. All strings module-owned
 * and static. */
typedef struct {
  const char *className;
  const char *serverName;
  ActivateFunc *activate;
  const ServerTag *tags;
} ServerRecord;

typedef struct {
  uint32_t sync;    /* LAYOUT_MODULE_SYNC */
  uint32_t version; /* LAYOUT_MODULE_VERSION */
  uint32_t machine; /* LAYOUT_MODULE_MACHINE */
  /* Called once by the host after loading; the result is handed to shutdown. */
  void *(*startup)(void);
  /* Called once by the host before unloading, with startup's result. */
  void (*shutdown)(void *);
  const ServerRecord *servers; /* ends with an all-zero record */
} ModuleDescriptor;

extern ModuleDescriptor _mod_descrip;

/*
 * Local record of a LayoutGeneric activation (host-owned, activation).
 * evaluate(data, command) carries out one Layout command text (NUL-terminated,
 * module-owned, read only during the call) and returns non-zero on success.
 */
typedef struct {
  void *data;
  int (*evaluate)(void *data, const char *command);
} GenericLocal;

#ifdef __cplusplus
}
#endif

#endif
