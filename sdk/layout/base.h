/*
 * Base vocabulary of the Layout host interface: item IDs and the global
 * service look-up.
 *
 * Contract words used on every pointer in these headers:
 *   host-owned    memory belongs to the host; the module never frees it.
 *   activation    valid only while the activation call that obtained it runs.
 *   panel-open    called by the host only while the panel is open (nested in open()).
 *   may be NULL   a NULL result is a normal answer the caller must handle.
 */
#ifndef LAYOUT_BASE_H
#define LAYOUT_BASE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Item identifier. Top four bits give the type (LAYOUT_ITEM_*), the rest the
 * host's index. 0 means "no item". */
typedef uint32_t ItemID;

#define LAYOUT_ITEM_NONE 0u
#define LAYOUT_ITEM_TYPE_SHIFT 28
#define LAYOUT_ITEM_OBJECT 1u
#define LAYOUT_ITEM_LIGHT 2u
#define LAYOUT_ITEM_CAMERA 3u
#define LAYOUT_ITEM_BONE 4u

/* Item type of an ID: the top four bits. */
#define LAYOUT_ITEM_TYPE(id) ((uint32_t)(id) >> LAYOUT_ITEM_TYPE_SHIFT)

/*
 * Global service look-up. The module always passes useMode 0.
 * Result: the service's table of operations (host-owned, lives as long as the
 * host), or NULL (may be NULL) when the host does not offer the service.
 * "Product Info" is the exception: it answers with the value itself,
 * (void *)(uintptr_t)value, never a table.
 */
typedef void *GlobalFunc(const char *service, int useMode);

#ifdef __cplusplus
}
#endif

#endif
