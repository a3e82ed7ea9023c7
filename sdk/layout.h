/* Umbrella header of the Layout host interface. */
#ifndef LAYOUT_H
#define LAYOUT_H

#include "layout/base.h"
#include "layout/desktop.h"
#include "layout/info.h"
#include "layout/menu.h"
#include "layout/module.h"
#include "layout/panel.h"

#endif
