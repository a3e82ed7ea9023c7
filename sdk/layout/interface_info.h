/*
 * "LW Interface Info 3": the interface's state. The host fills the record when
 * the service is looked up; its data fields keep the values of that moment.
 */
#ifndef LAYOUT_INTERFACE_INFO_H
#define LAYOUT_INTERFACE_INFO_H

#include "base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LAYOUT_INTERFACE_INFO "LW Interface Info 3"

/* itemFlags bits. */
#define LAYOUT_ITEMF_SELECTED 1u
#define LAYOUT_ITEMF_SHOWCHILDREN 2u
#define LAYOUT_ITEMF_SHOWCHANNELS 4u
#define LAYOUT_ITEMF_LOCKED 8u

/* dynaUpdate settings. */
#define LAYOUT_DYNAMIC_UPDATE_OFF 0
#define LAYOUT_DYNAMIC_UPDATE_DELAYED 1
#define LAYOUT_DYNAMIC_UPDATE_INTERACTIVE 2

/* 88 bytes. */
typedef struct {
  double curTime;
  /* Selected items in selection order, ended by a NULL ID; never NULL.
   * Host-owned. Hosts of build 599 and later keep the array unchanged until
   * the activation returns; older hosts rewrite it in place whenever the
   * selection changes, so a caller that changes the selection must copy it. */
  const ItemID *selItems;
  /* Flag word of an item (LAYOUT_ITEMF_*); 0 for an unknown item. */
  unsigned int (*itemFlags)(ItemID item);
  int previewStart;
  int previewEnd;
  int previewStep;
  /* Dynamic-update setting (LAYOUT_DYNAMIC_UPDATE_*). */
  int dynaUpdate;
  void (*schemaPos)(ItemID item, double *x, double *y);
  int (*itemVis)(ItemID item);
  unsigned int displayFlags;
  unsigned int generalFlags;
  int boxThreshold;
  int (*itemColor)(ItemID item);
  int alertLevel;
} InterfaceInfo;

#ifdef __cplusplus
}
#endif

#endif
