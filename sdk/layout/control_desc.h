/*
 * Control descriptor handed to addControl (48 bytes, 8-aligned). `type`
 * selects the member; the host copies the descriptor.
 */
#ifndef LAYOUT_CONTROL_DESC_H
#define LAYOUT_CONTROL_DESC_H

#include "value.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef union {
  int type;
  struct {
    int type;  /* LAYOUT_DESC_EDIT */
    int width; /* characters */
  } edit;
  struct {
    int type;           /* LAYOUT_DESC_LIST */
    const char **items; /* NULL-terminated, module-owned, static */
    int width;          /* pixels for a popup (0: host default); orientation for a choice */
  } list;
  struct {
    int type;            /* LAYOUT_DESC_RANGE */
    int width, min, max; /* width 0: host default */
  } range;
  struct {
    int type; /* LAYOUT_DESC_BORDER */
    int width, height;
  } border;
  /* Descriptors of controls the module does not make fill the rest. */
  void *reserved[6];
} ControlDesc;

#define LAYOUT_DESC_EDIT LAYOUT_TYPE_STRING
/* The float control's descriptor word is the distance code; hosts accept it
 * for a plain number field. */
#define LAYOUT_DESC_FLOAT LAYOUT_TYPE_DISTANCE
#define LAYOUT_DESC_BOOL LAYOUT_TYPE_BOOL
#define LAYOUT_DESC_LIST LAYOUT_TYPE_CHOICE
#define LAYOUT_DESC_RANGE LAYOUT_TYPE_RANGE
#define LAYOUT_DESC_BORDER LAYOUT_TYPE_AREA

/* Control type names for addControl. */
#define LAYOUT_CONTROL_EDIT "EditControl"
#define LAYOUT_CONTROL_POPUP "PopupControl"
#define LAYOUT_CONTROL_CHOICE "ChoiceControl"
#define LAYOUT_CONTROL_BOOL "BoolControl"
#define LAYOUT_CONTROL_FLOAT "FloatControl"
#define LAYOUT_CONTROL_PERCENT "PercentControl"
#define LAYOUT_CONTROL_BORDER "BorderControl"

#ifdef __cplusplus
}
#endif

#endif
