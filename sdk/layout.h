/* Umbrella header of the Layout host interface. */
#ifndef LAYOUT_H
#define LAYOUT_H

#include "layout/base.h"
#include "layout/bone_info.h"
#include "layout/control.h"
#include "layout/control_desc.h"
#include "layout/desktop.h"
#include "layout/generic.h"
#include "layout/interface_info.h"
#include "layout/item_info.h"
#include "layout/menu.h"
#include "layout/module.h"
#include "layout/panel.h"
#include "layout/value.h"

#endif
