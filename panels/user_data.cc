#include "panels/user_data.h"

#include "panels/control_values.h"

namespace mint {

void attachContext(PanelServices *services, PanelContext *context) { services->userData = context; }

void detachContext(PanelServices *services) { services->userData = nullptr; }

void setServicesData(Control *control, PanelServices *services) { setUserPointer(control, services); }

void setBoxesData(Control *parent, Control *const *boxes) { setUserPointer(parent, boxes); }

void setControlData(Control *control, Control *target) { setUserPointer(control, target); }

void setMinimumData(Control *field, int32_t minimum) {
  setUserPointer(field, reinterpret_cast<const void *>(static_cast<intptr_t>(minimum)));
}

}  // namespace mint
