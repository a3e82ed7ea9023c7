/*
 * "LW Item Info 3": walking and reading the scene's items. The module uses
 * only `first` and `next`.
 */
#ifndef LAYOUT_ITEM_INFO_H
#define LAYOUT_ITEM_INFO_H

#include "base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LAYOUT_ITEM_INFO "LW Item Info 3"

/* Item types of `first` and `type`: the host's item kinds, counted from 0. */
#define LAYOUT_ITEMTYPE_OBJECT 0
#define LAYOUT_ITEMTYPE_LIGHT 1
#define LAYOUT_ITEMTYPE_CAMERA 2
#define LAYOUT_ITEMTYPE_BONE 3

/* 168 bytes: 21 functions. */
typedef struct {
  /* First item of a type in scene order (parent NULL: the whole scene); NULL
   * when there is none. */
  ItemID (*first)(int itemType, ItemID parent);
  /* The next item of the same type in scene order, or NULL at the end. */
  ItemID (*next)(ItemID item);
  ItemID (*firstChild)(ItemID parent);
  ItemID (*nextChild)(ItemID parent, ItemID previousChild);
  ItemID (*parent)(ItemID item);
  ItemID (*target)(ItemID item);
  ItemID (*goal)(ItemID item);
  int (*type)(ItemID item);
  const char *(*name)(ItemID item);
  void (*param)(ItemID item, int parameter, double time, double vector[3]);
  unsigned int (*limits)(ItemID item, int parameter, double minimum[3], double maximum[3]);
  const char *(*getTag)(ItemID item, int index);
  void (*setTag)(ItemID item, int index, const char *tag);
  void *(*chanGroup)(ItemID item);
  const char *(*server)(ItemID item, const char *serverClass, int index);
  unsigned int (*serverFlags)(ItemID item, const char *serverClass, int index);
  void (*controller)(ItemID item, int parameter, int types[3]);
  unsigned int (*flags)(ItemID item);
  double (*lookAhead)(ItemID item);
  double (*goalStrength)(ItemID item, double time);
  void (*stiffness)(ItemID item, int parameter, double vector[3]);
} ItemInfo;

#ifdef __cplusplus
}
#endif

#endif
