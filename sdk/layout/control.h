/*
 * A control of a panel: its record of operations, the tags its get and set
 * take, and its event function.
 */
#ifndef LAYOUT_CONTROL_H
#define LAYOUT_CONTROL_H

#include "value.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct Control Control;
/* A control (32 bytes). Host-owned; valid from addControl until its panel is
 * destroyed. Every operation takes the control itself, as addControl returned
 * it, as first argument. */
struct Control {
  /* Draw with a mode (LAYOUT_DRAW_*). */
  void (*draw)(Control *, int mode);
  /* Read the value of a tag (LAYOUT_CTL_*) into the record. */
  void (*get)(Control *, int tag, PanelValue *);
  /* Write the value of a tag from the record. */
  void (*set)(Control *, int tag, PanelValue *);
  void *host; /* host-private; the module never touches it */
};

/* Control tags (get/set) and the slot of the value record each uses. */
#define LAYOUT_CTL_X 0         /* integer: left edge within the panel */
#define LAYOUT_CTL_Y 1         /* integer: top edge within the panel */
#define LAYOUT_CTL_W 2         /* integer: width, pixels */
#define LAYOUT_CTL_H 3         /* integer: height, pixels */
#define LAYOUT_CTL_VALUE 4     /* integer, text or float: the value */
#define LAYOUT_CTL_FLAGS 12    /* integer: LAYOUT_CTLF_* */
#define LAYOUT_CTL_USERDRAW 13 /* pointer */
#define LAYOUT_CTL_EVENT 14    /* pointer: a ControlEventFunc */
#define LAYOUT_CTL_LABEL 15    /* text */
#define LAYOUT_CTL_USERDATA 16 /* pointer: the event's user data */
#define LAYOUT_CTL_ACTIVATE 21 /* integer 0: put a text field into editing */

#define LAYOUT_CTLF_GHOST 0x100
#define LAYOUT_CTLF_INVISIBLE 0x200

/* Draw modes. */
#define LAYOUT_DRAW_ERASE 0
#define LAYOUT_DRAW_NORMAL 1
#define LAYOUT_DRAW_GHOST 2
#define LAYOUT_DRAW_REFRESH 3

/* Called (panel-open) when the user changes a control. */
typedef void ControlEventFunc(Control *, void *userData);

#ifdef __cplusplus
}
#endif

#endif
