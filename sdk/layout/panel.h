/*
 * Panel services: modal panels, their controls and the value record that
 * carries every control value.
 */
#ifndef LAYOUT_PANEL_H
#define LAYOUT_PANEL_H

#include <stddef.h>

#include "base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LAYOUT_PANEL_SERVICES "LWPanelServices"

/* PanelValue.type */
#define LAYOUT_VALUE_TEXT 1
#define LAYOUT_VALUE_INTEGER 2
#define LAYOUT_VALUE_FLOAT 3

/*
 * Value record handed to a control's get and set. The payload starts at
 * offset 8. Pointers (event functions, user data) travel in `integer`.
 * Text: on get the host copies at most length - 1 bytes and a NUL into the
 * caller's buffer; on set it copies the NUL-terminated buffer.
 */
typedef struct {
  int32_t type;
  union {
    intptr_t integer;
    struct {
      char *buffer;
      int32_t length; /* bytes, terminator included */
    } text;
    double real;
  };
} PanelValue;

typedef struct Control Control;
/* A control. Host-owned; valid from add-control until its panel is destroyed.
 * Every operation takes the control itself as first argument. */
struct Control {
  /* Draw with a mode (LAYOUT_DRAW_*). */
  void (*draw)(Control *, int mode);
  /* Read the value of a tag (LAYOUT_CTL_*) into the record. */
  void (*get)(Control *, uint32_t tag, PanelValue *);
  /* Write the value of a tag from the record. */
  void (*set)(Control *, uint32_t tag, PanelValue *);
  void *host; /* host-private; the module never touches it */
};

/* Control descriptor; `type` selects the union member. */
typedef struct {
  int32_t type;
  union {
    struct {
      int32_t width; /* characters */
    } edit; /* LAYOUT_DESC_EDIT */
    struct {
      const char *const *items; /* NULL-terminated, module-owned, static */
      int32_t width;            /* pixels; 0 = host default */
    } list; /* LAYOUT_DESC_LIST */
    struct {
      int32_t width, min, max; /* width 0 = host default */
    } range; /* LAYOUT_DESC_RANGE */
    struct {
      int32_t width, height;
    } border; /* LAYOUT_DESC_BORDER */
  };
} ControlDesc;

#define LAYOUT_DESC_EDIT 1
#define LAYOUT_DESC_FLOAT 4
#define LAYOUT_DESC_BOOL 8
#define LAYOUT_DESC_LIST 9
#define LAYOUT_DESC_RANGE 15
#define LAYOUT_DESC_BORDER 19

/* Control type names for addControl. */
#define LAYOUT_CONTROL_EDIT "EditControl"
#define LAYOUT_CONTROL_POPUP "PopupControl"
#define LAYOUT_CONTROL_CHOICE "ChoiceControl"
#define LAYOUT_CONTROL_BOOL "BoolControl"
#define LAYOUT_CONTROL_FLOAT "FloatControl"
#define LAYOUT_CONTROL_PERCENT "PercentControl"
#define LAYOUT_CONTROL_BORDER "BorderControl"

/* Control tags (get/set). */
#define LAYOUT_CTL_X 0u         /* integer: left edge within the panel */
#define LAYOUT_CTL_Y 1u         /* integer: top edge within the panel */
#define LAYOUT_CTL_W 2u         /* integer: width, pixels */
#define LAYOUT_CTL_VALUE 4u     /* integer, text or float: the value */
#define LAYOUT_CTL_EVENT 14u    /* integer holding a ControlEventFunc */
#define LAYOUT_CTL_USERDATA 16u /* integer holding the event's user data */
#define LAYOUT_CTL_ACTIVATE 21u /* integer 0: put a text field into editing */

/* Draw modes. */
#define LAYOUT_DRAW_NORMAL 1
#define LAYOUT_DRAW_GHOST 2

typedef struct Panel Panel;

/* Called (panel-open) when the user changes a control. */
typedef void ControlEventFunc(Control *, void *userData);
/* Key press (panel-open): key code, of which the module compares the low 16
 * bits. Returns 1 when the key was handled, 0 otherwise. */
typedef int PanelKeyFunc(Panel *, void *userData, uint32_t key);
/* Mouse button (panel-open): code LAYOUT_MOUSE_MENU for the menu click; x, y
 * in pixels from the panel's left and top edges. */
typedef void PanelMouseFunc(Panel *, void *userData, int code, int x, int y);
/* Placement: the host calls it whenever it places the panel, at least once
 * after open() and before the user acts. */
typedef void PanelPlaceFunc(Panel *, void *userData);

/* Panel tags (set/get). */
#define LAYOUT_PAN_X 0u        /* set: value points to an int: left edge on screen */
#define LAYOUT_PAN_Y 1u        /* set: value points to an int: top edge on screen */
#define LAYOUT_PAN_W 2u        /* set: value points to an int: width */
#define LAYOUT_PAN_H 3u        /* set: value points to an int: height */
#define LAYOUT_PAN_PLACE 9u    /* set: value is a PanelPlaceFunc */
#define LAYOUT_PAN_USERDATA 12u /* set: value is the user data of all panel functions */
#define LAYOUT_PAN_KEY 13u     /* set: value is a PanelKeyFunc */
#define LAYOUT_PAN_MOUSE 15u   /* set: value is a PanelMouseFunc */
#define LAYOUT_PAN_QUALIFIERS 22u /* get: value points to an int: qualifier bits of the key press */

/* open() flags the module passes. */
#define LAYOUT_PANEL_OPEN_FLAGS 11
/* Qualifier bit for the larger count step. */
#define LAYOUT_QUALIFIER_STEP 2u
/* Mouse code of the menu click. */
#define LAYOUT_MOUSE_MENU 224

/* Key codes beyond ASCII. */
#define LAYOUT_KEY_LEFT 0x1010u
#define LAYOUT_KEY_RIGHT 0x1011u
#define LAYOUT_KEY_UP 0x1012u
#define LAYOUT_KEY_DOWN 0x1013u

typedef struct {
  /* A new panel titled `title` (copied); reserved must be NULL. May be NULL. */
  Panel *(*create)(const char *title, void *reserved);
  /* Destroys the panel and its controls. */
  void (*destroy)(Panel *);
  /* Shows the panel modally; blocks until it closes. Non-zero: OK. */
  int (*open)(Panel *, int flags);
  /* Closes an open panel; open() then returns (non-zero). panel-open. */
  void (*close)(Panel *);
  /* Panel settings (LAYOUT_PAN_*); see each tag for what `value` is. */
  void (*set)(Panel *, uint32_t tag, void *value);
  void (*get)(Panel *, uint32_t tag, void *value);
  /* Adds a control; descriptor and label are copied. May be NULL. */
  Control *(*addControl)(Panel *, const char *typeName, ControlDesc *, const char *label);
  /* Free for the module: it stores its panel context here for its callbacks. */
  void *userData;
  /* Free for the module: it stores the activation's global look-up here. */
  GlobalFunc *globalFun;
} PanelServices;

#ifdef __cplusplus
}
#endif

#endif
