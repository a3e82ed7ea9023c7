/*
 * "ContextMenuServices": a pop-up list of items shown over a panel.
 */
#ifndef LAYOUT_MENU_H
#define LAYOUT_MENU_H

#include "panel.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LAYOUT_CONTEXT_MENU_SERVICES "ContextMenuServices"

/* MenuDesc.type of the menus the module makes: the popup code. */
#define LAYOUT_MENU_DESC_TYPE LAYOUT_TYPE_POPUP

typedef struct Menu Menu;

/* 24 bytes. The host reads the items through the two functions while deploy()
 * runs. */
typedef struct {
  int type;
  int width; /* pixels */
  /* Number of items. */
  int (*count)(void *userData);
  /* Text of item `index` (module-owned), or NULL when there is none. */
  char *(*name)(void *userData, int index);
} MenuDesc;

/* 24 bytes. */
typedef struct {
  /* A menu over the descriptor (copied) and user data. May be NULL. */
  Menu *(*create)(MenuDesc *, void *userData);
  /* Shows the menu over the panel with `item` as the initial item; returns the
   * chosen item's index, or -1 when the user dismissed it. panel-open. */
  int (*deploy)(Menu *, Panel *, int item);
  void (*destroy)(Menu *);
} ContextMenuServices;

#ifdef __cplusplus
}
#endif

#endif
