/*
 * "LWPanelServices": modal panels, their tags and the functions a module
 * attaches to them.
 */
#ifndef LAYOUT_PANEL_H
#define LAYOUT_PANEL_H

#include "base.h"
#include "control.h"
#include "control_desc.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LAYOUT_PANEL_SERVICES "LWPanelServices"

typedef struct Panel Panel;

/* Key press (panel-open). Returns 1 when the key was handled, 0 otherwise.
 * A 16-bit argument may arrive with undefined upper register bits; taking
 * it as unsigned short uses only the low 16. */
typedef int PanelKeyFunc(Panel *, void *userData, unsigned short key);
/* Mouse button (panel-open): code LAYOUT_MOUSE_MENU for the menu click; x, y
 * in pixels from the panel's left and top edges. */
typedef void PanelMouseFunc(Panel *, void *userData, int code, int x, int y);
/* Open, close and placement hooks (panel-open). */
typedef void PanelHookFunc(Panel *, void *userData);
typedef PanelHookFunc PanelPlaceFunc;

/* Panel tags (set/get). For X, Y, W and H the value points to an int; for a
 * function or user data it is the pointer itself. */
#define LAYOUT_PAN_X 0
#define LAYOUT_PAN_Y 1
#define LAYOUT_PAN_W 2
#define LAYOUT_PAN_H 3
#define LAYOUT_PAN_FLAGS 6
#define LAYOUT_PAN_USERDRAW 7
#define LAYOUT_PAN_USERACTIVATE 8
#define LAYOUT_PAN_PLACE 9 /* set: a PanelPlaceFunc, called when the host places the panel */
#define LAYOUT_PAN_USERCLOSE 10
#define LAYOUT_PAN_TITLE 11
#define LAYOUT_PAN_USERDATA 12 /* set: the user data of all panel functions */
#define LAYOUT_PAN_KEY 13      /* set: a PanelKeyFunc */
#define LAYOUT_PAN_MOUSE 15    /* set: a PanelMouseFunc */
#define LAYOUT_PAN_MOUSEMOVE 16
#define LAYOUT_PAN_RESULT 19
#define LAYOUT_PAN_KEYUP 21
#define LAYOUT_PAN_QUALIFIERS 22 /* get: value points to an int: qualifier bits of the key press */

/* open() flags: blocking 1, OK/Cancel buttons 2, window frame 4, mouse
 * callbacks 8, pass all keys 16. The module passes blocking + buttons + mouse. */
#define LAYOUT_PANEL_OPEN_FLAGS 11

/* Qualifier bits: Ctrl 1, Shift 2 (the larger count step), Alt 4. */
#define LAYOUT_QUALIFIER_STEP 2
/* Mouse code of the menu click: right button (96) + button down (128). */
#define LAYOUT_MOUSE_MENU 224

/* Key codes beyond ASCII. */
#define LAYOUT_KEY_LEFT 0x1010u
#define LAYOUT_KEY_RIGHT 0x1011u
#define LAYOUT_KEY_UP 0x1012u
#define LAYOUT_KEY_DOWN 0x1013u

/* 104 bytes. Later hosts publish longer records under other names; this
 * prefix never changed. */
typedef struct {
  /* A new panel titled `title` (copied); the module passes NULL data. May be NULL. */
  Panel *(*create)(char *title, void *data);
  /* Destroys the panel and its controls. */
  void (*destroy)(Panel *);
  /* Shows the panel modally; blocks until it closes. Non-zero: OK. */
  int (*open)(Panel *, int flags);
  /* Event loop and drawing of a non-blocking panel. Not for the module. */
  int (*handle)(Panel *, int eventFlags);
  void (*draw)(Panel *, int mode);
  /* Closes an open panel; open() then returns (non-zero). panel-open. */
  void (*close)(Panel *);
  /* Panel settings (LAYOUT_PAN_*); see each tag for what `value` is. */
  void (*get)(Panel *, int tag, void *value);
  void (*set)(Panel *, int tag, void *value);
  /* Adds a control; descriptor and texts are copied. May be NULL. */
  Control *(*addControl)(Panel *, char *typeName, ControlDesc *, char *label);
  /* Walks a panel's controls. Not for the module. */
  Control *(*nextControl)(Panel *, Control *);
  /* The host's drawing functions. Not for the module. */
  void *drawFuncs;
  /* Free for the module: it stores its panel context here for its callbacks. */
  void *userData;
  /* Free for the module: it stores the activation's global look-up here. */
  GlobalFunc *globalFun;
} PanelServices;

#ifdef __cplusplus
}
#endif

#endif
