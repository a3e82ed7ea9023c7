/*
 * Base vocabulary of the Layout host interface: item IDs and the global
 * service look-up.
 *
 * Contract words used on every pointer in these headers:
 *   host-owned    memory belongs to the host; the module never frees it.
 *   activation    valid only while the activation call that obtained it runs.
 *   panel-open    called by the host only while the panel is open (nested in open()).
 *   may be NULL   a NULL result is a normal answer the caller must handle.
 *
 * Records use natural alignment (no packing); every size and offset is the
 * same on Windows x64 (LLP64) and on LP64 systems, because no record holds a
 * `long`. There is no calling-convention keyword: each platform's one 64-bit
 * convention applies.
 */
#ifndef LAYOUT_BASE_H
#define LAYOUT_BASE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Item identifier: a pointer-sized opaque value. Its low 32 bits carry the
 * host's 32-bit ID, whose top four bits give the type (LAYOUT_ITEM_*); the
 * upper bits are zero. NULL means "no item". */
typedef void *ItemID;

#define LAYOUT_ITEM_NONE ((void *)0)
#define LAYOUT_ITEM_TYPE_SHIFT 28
#define LAYOUT_ITEM_OBJECT 1u
#define LAYOUT_ITEM_LIGHT 2u
#define LAYOUT_ITEM_CAMERA 3u
#define LAYOUT_ITEM_BONE 4u

/* The 32-bit ID an item ID carries, and the item ID of a 32-bit ID. */
#define LAYOUT_ITEM_BITS(id) ((uint32_t)(uintptr_t)(id))
#define LAYOUT_ITEM_FROM_BITS(bits) ((void *)(uintptr_t)(uint32_t)(bits))
/* Item type of an ID: the top four bits of its 32-bit ID. */
#define LAYOUT_ITEM_TYPE(id) (LAYOUT_ITEM_BITS(id) >> LAYOUT_ITEM_TYPE_SHIFT)

/*
 * Global service look-up. The module always passes LAYOUT_USE_TRANSIENT.
 * Result: the service's record (host-owned, lives as long as the host), or
 * NULL (may be NULL) when the host does not offer the service. "Product Info"
 * is the exception: it answers with the value itself, (void *)(uintptr_t)value.
 */
typedef void *GlobalFunc(const char *serviceName, int useMode);

#define LAYOUT_USE_TRANSIENT 0
#define LAYOUT_USE_ACQUIRE 1
#define LAYOUT_USE_RELEASE 2

#ifdef __cplusplus
}
#endif

#endif
