// The user data the module hands the host with its callbacks, and reads back
// when the host calls them. Every kind of callback has its setter and its
// reader here, so a pointer the host carries comes back as the type it was
// given as: these are the only casts from the host's untyped user data.
#pragma once

#include <cstdint>

#include "layout.h"
#include "panels/panel_context.h"

namespace mint {

// The panel functions (key, mouse, placement) and the naming controls get the
// panel services table; its own user-data field holds the panel context while
// the panel function runs.
void attachContext(PanelServices *services, PanelContext *context);
void detachContext(PanelServices *services);
void setServicesData(Control *control, PanelServices *services);

inline PanelServices *servicesOf(void *userData) { return static_cast<PanelServices *>(userData); }

// The context behind a callback whose user data is the panel services table;
// NULL when either is missing.
inline PanelContext *contextOf(void *servicesUserData) {
  const PanelServices *services = servicesOf(servicesUserData);
  return services == nullptr ? nullptr : static_cast<PanelContext *>(services->userData);
}

// The menu functions get the panel context itself.
inline const PanelContext *menuContextOf(void *userData) {
  return static_cast<const PanelContext *>(userData);
}

// "Parent (x)" gets the run of null check boxes that starts at activeBool.
void setBoxesData(Control *parent, Control *const *boxes);
inline Control *const *boxesOf(void *userData) { return static_cast<Control *const *>(userData); }

// The "icon" choice gets the control its event draws.
void setControlData(Control *control, Control *target);
inline Control *controlOf(void *userData) { return static_cast<Control *>(userData); }

// The count and start fields get their minimum, a number carried in the
// pointer slot.
void setMinimumData(Control *field, int32_t minimum);
inline int32_t minimumOf(void *userData) {
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(userData));
}

}  // namespace mint
