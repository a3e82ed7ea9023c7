/*
 * Desktop rectangle for centring panels. On this platform the hosting process
 * provides the two functions below as exported C symbols; the module finds
 * them at call time with dlsym(RTLD_DEFAULT, ...). A process without them is
 * taken to have a 1920 by 1080 desktop.
 */
#ifndef LAYOUT_DESKTOP_H
#define LAYOUT_DESKTOP_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

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
