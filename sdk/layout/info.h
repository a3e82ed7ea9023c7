/*
 * Scene information services: selection, item walking, bone flags.
 * All tables are host-owned and valid for the activation that looked them up.
 */
#ifndef LAYOUT_INFO_H
#define LAYOUT_INFO_H

#include "base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LAYOUT_INTERFACE_INFO "LW Interface Info 3"
#define LAYOUT_ITEM_INFO "LW Item Info 3"
#define LAYOUT_BONE_INFO "LW Bone Info 3"

/* itemFlags bit: the item is selected. */
#define LAYOUT_ITEMF_SELECTED 1u
/* BoneInfo flags bit: strength is multiplied by rest length. */
#define LAYOUT_BONEF_MULTIPLY 4u

typedef struct {
  /* Selected items in selection order, ended by a 0 entry; never NULL.
   * Host-owned. Hosts of build 599 and later keep the returned array unchanged
   * until the activation returns; older hosts rewrite it in place whenever the
   * selection changes, so a caller that changes the selection must copy it. */
  const ItemID *(*selectedItems)(void);
  /* Flag word of an item (LAYOUT_ITEMF_*); 0 for an unknown item. */
  uint32_t (*itemFlags)(ItemID item);
  /* Dynamic-update setting: 0 off, 1 delayed, 2 interactive. */
  int (*dynamicUpdate)(void);
} InterfaceInfo;

/* itemType of ItemInfo.first: the host's item kinds, counted from 0. */
#define LAYOUT_ITEMTYPE_OBJECT 0
#define LAYOUT_ITEMTYPE_LIGHT 1
#define LAYOUT_ITEMTYPE_CAMERA 2
#define LAYOUT_ITEMTYPE_BONE 3

typedef struct {
  /* First item of a kind in scene order (parent 0: the whole scene); 0 when
   * there is none. */
  ItemID (*first)(int itemType, ItemID parent);
  /* The next item of the same kind in scene order, or 0 at the end. */
  ItemID (*next)(ItemID item);
} ItemInfo;

typedef struct {
  /* Flag word of a bone (LAYOUT_BONEF_*); 0 for an unknown item. */
  uint32_t (*flags)(ItemID bone);
} BoneInfo;

#ifdef __cplusplus
}
#endif

#endif
