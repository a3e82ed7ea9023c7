/*
 * Desktop rectangle for centring panels. On Windows the module calls user32's
 * GetDesktopWindow and GetClientRect. Elsewhere the process hosting the module
 * may provide functions of the same names and shapes as exported C symbols,
 * which the module finds at call time; a process without them is taken to
 * have a 1920 by 1080 desktop.
 */
#ifndef LAYOUT_DESKTOP_H
#define LAYOUT_DESKTOP_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The shape of a Windows RECT: four 32-bit ints. */
typedef struct {
  int32_t left, top, right, bottom;
} Rect;

#define LAYOUT_DESKTOP_WINDOW_SYMBOL "GetDesktopWindow"
#define LAYOUT_CLIENT_RECT_SYMBOL "GetClientRect"

/* Handle of the desktop window. */
typedef void *GetDesktopWindowFunc(void);
/* Client rectangle of a window; non-zero on success. */
typedef int GetClientRectFunc(void *window, Rect *rect);

#define LAYOUT_DEFAULT_DESKTOP_WIDTH 1920
#define LAYOUT_DEFAULT_DESKTOP_HEIGHT 1080

#ifdef __cplusplus
}
#endif

#endif
