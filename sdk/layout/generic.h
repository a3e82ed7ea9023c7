/*
 * Local record of a LayoutGeneric activation (host-owned, activation). The
 * prefix below is the same in every host generation; later hosts append
 * members. The module uses only `data` and `evaluate`.
 */
#ifndef LAYOUT_GENERIC_H
#define LAYOUT_GENERIC_H

#include "base.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
  /* Saves or loads the whole scene. Not for the module. */
  int (*saveScene)(const char *file);
  int (*loadScene)(const char *file, const char *name);
  /* Host data handed back with every command. */
  void *data;
  /* Command code of a command name, and a command by code. Not for the module. */
  int (*lookup)(void *data, const char *commandName);
  int (*execute)(void *data, int code, int argc, const void *argv, void *result);
  /* Carries out one Layout command text (NUL-terminated, module-owned, read
   * only during the call); non-zero on success. */
  int (*evaluate)(void *data, const char *command);
} GenericLocal;

#ifdef __cplusplus
}
#endif

#endif
