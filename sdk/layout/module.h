/*
 * Module descriptor, server table and activation. The host reads the exported
 * data symbol _mod_descrip after loading the module.
 */
#ifndef LAYOUT_MODULE_H
#define LAYOUT_MODULE_H

#include "base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LAYOUT_MODULE_SYNC 0x04121994u
#define LAYOUT_MODULE_VERSION 3u
/* Machine word: 0x300 for Windows hosts (and the Linux build, which the
 * substitute host loads), 0x400 for macOS hosts. */
#ifdef __APPLE__
#define LAYOUT_MODULE_MACHINE 0x400u
#else
#define LAYOUT_MODULE_MACHINE 0x300u
#endif

/* Name under which a module exports its descriptor (C linkage, no extra
 * underscore on 64-bit Windows). */
#define LAYOUT_DESCRIPTOR_SYMBOL "_mod_descrip"

/* Server class of both of the module's commands. */
#define LAYOUT_CLASS_GENERIC "LayoutGeneric"

/* "Product Info": the look-up answers with the product value itself. Bits
 * 0-3 product, 4-15 build, 16-19 minor and 20-23 major revision. */
#define LAYOUT_PRODUCT_INFO "Product Info"
#define LAYOUT_BUILD_FROM_PRODUCT(value) (((uint32_t)(value) >> 4) & 0xFFFu)

/* One (text, tag) pair of a server's tag list (16 bytes); the list ends with
 * {NULL, 0}. */
typedef struct {
  const char *text;
  unsigned int tag;
} ServerTag;

/* Activation results. */
#define LAYOUT_AF_OK 0 /* done, cancelled, or nothing to do */
#define LAYOUT_AF_BADVERSION 1
#define LAYOUT_AF_BADGLOBAL 2 /* a required service is missing */
#define LAYOUT_AF_BADLOCAL 3
#define LAYOUT_AF_BADAPP 4

/*
 * Activation of a server. Called by the host on its UI thread, one at a time.
 *   version     host's interface version; the module ignores it.
 *   global      service look-up; valid for the activation.
 *   local       for LayoutGeneric: a GenericLocal (host-owned, activation).
 *   serverData  ignored.
 */
typedef int ActivateFunc(int version, GlobalFunc *global, void *local, void *serverData);

/* One server (32 bytes); the table ends with an all-zero record. All strings
 * module-owned and static. */
typedef struct {
  const char *className;
  const char *serverName;
  ActivateFunc *activate;
  const ServerTag *tags;
} ServerRecord;

/* The descriptor (40 bytes). */
typedef struct {
  unsigned int sync;    /* LAYOUT_MODULE_SYNC */
  unsigned int version; /* LAYOUT_MODULE_VERSION */
  unsigned int machine; /* LAYOUT_MODULE_MACHINE */
  /* Called once by the host after loading; the result is handed to shutdown. */
  void *(*startup)(void);
  /* Called once by the host before unloading, with startup's result. */
  void (*shutdown)(void *);
  const ServerRecord *servers; /* ends with an all-zero record */
} ModuleDescriptor;

extern ModuleDescriptor _mod_descrip;

#ifdef __cplusplus
}
#endif

#endif
