/* The sizes of every record of the host interface and the offsets of every
 * field the module or the substitute host touches, as the real host lays them
 * out. Included by a C and a C++ translation unit, so both languages and
 * every target (Linux, Windows) compile the same checks. */
#ifndef RECORD_LAYOUT_H
#define RECORD_LAYOUT_H

#include <stddef.h>

#include "layout.h"

#ifdef __cplusplus
#define LAYOUT_CHECK(condition) static_assert(condition, #condition)
#define LAYOUT_ALIGN(type) alignof(type)
#else
#define LAYOUT_CHECK(condition) _Static_assert(condition, #condition)
#define LAYOUT_ALIGN(type) _Alignof(type)
#endif

#define LAYOUT_AT(record, field, offset) LAYOUT_CHECK(offsetof(record, field) == (offset))

LAYOUT_CHECK(sizeof(ItemID) == 8);
LAYOUT_CHECK(sizeof(void *) == 8);

/* Module descriptor, server record, tag record. */
LAYOUT_CHECK(sizeof(ModuleDescriptor) == 40);
LAYOUT_AT(ModuleDescriptor, sync, 0);
LAYOUT_AT(ModuleDescriptor, version, 4);
LAYOUT_AT(ModuleDescriptor, machine, 8);
LAYOUT_AT(ModuleDescriptor, startup, 16);
LAYOUT_AT(ModuleDescriptor, shutdown, 24);
LAYOUT_AT(ModuleDescriptor, servers, 32);
LAYOUT_CHECK(sizeof(ServerRecord) == 32);
LAYOUT_AT(ServerRecord, className, 0);
LAYOUT_AT(ServerRecord, serverName, 8);
LAYOUT_AT(ServerRecord, activate, 16);
LAYOUT_AT(ServerRecord, tags, 24);
LAYOUT_CHECK(sizeof(ServerTag) == 16);
LAYOUT_AT(ServerTag, text, 0);
LAYOUT_AT(ServerTag, tag, 8);

/* LayoutGeneric local record. */
LAYOUT_CHECK(sizeof(GenericLocal) == 48);
LAYOUT_AT(GenericLocal, saveScene, 0);
LAYOUT_AT(GenericLocal, loadScene, 8);
LAYOUT_AT(GenericLocal, data, 16);
LAYOUT_AT(GenericLocal, lookup, 24);
LAYOUT_AT(GenericLocal, execute, 32);
LAYOUT_AT(GenericLocal, evaluate, 40);

/* "LW Interface Info 3". */
LAYOUT_CHECK(sizeof(InterfaceInfo) == 88);
LAYOUT_AT(InterfaceInfo, curTime, 0);
LAYOUT_AT(InterfaceInfo, selItems, 8);
LAYOUT_AT(InterfaceInfo, itemFlags, 16);
LAYOUT_AT(InterfaceInfo, previewStart, 24);
LAYOUT_AT(InterfaceInfo, previewEnd, 28);
LAYOUT_AT(InterfaceInfo, previewStep, 32);
LAYOUT_AT(InterfaceInfo, dynaUpdate, 36);
LAYOUT_AT(InterfaceInfo, schemaPos, 40);
LAYOUT_AT(InterfaceInfo, itemVis, 48);
LAYOUT_AT(InterfaceInfo, displayFlags, 56);
LAYOUT_AT(InterfaceInfo, generalFlags, 60);
LAYOUT_AT(InterfaceInfo, boxThreshold, 64);
LAYOUT_AT(InterfaceInfo, itemColor, 72);
LAYOUT_AT(InterfaceInfo, alertLevel, 80);

/* "LW Item Info 3" and "LW Bone Info 3". */
LAYOUT_CHECK(sizeof(ItemInfo) == 168);
LAYOUT_AT(ItemInfo, first, 0);
LAYOUT_AT(ItemInfo, next, 8);
LAYOUT_AT(ItemInfo, type, 56);
LAYOUT_AT(ItemInfo, flags, 136);
LAYOUT_AT(ItemInfo, stiffness, 160);
LAYOUT_CHECK(sizeof(BoneInfo) == 72);
LAYOUT_AT(BoneInfo, flags, 0);
LAYOUT_AT(BoneInfo, muscleFlex, 64);

/* "LWPanelServices". */
LAYOUT_CHECK(sizeof(PanelServices) == 104);
LAYOUT_AT(PanelServices, create, 0);
LAYOUT_AT(PanelServices, destroy, 8);
LAYOUT_AT(PanelServices, open, 16);
LAYOUT_AT(PanelServices, handle, 24);
LAYOUT_AT(PanelServices, draw, 32);
LAYOUT_AT(PanelServices, close, 40);
LAYOUT_AT(PanelServices, get, 48);
LAYOUT_AT(PanelServices, set, 56);
LAYOUT_AT(PanelServices, addControl, 64);
LAYOUT_AT(PanelServices, nextControl, 72);
LAYOUT_AT(PanelServices, drawFuncs, 80);
LAYOUT_AT(PanelServices, userData, 88);
LAYOUT_AT(PanelServices, globalFun, 96);

/* Control record. */
LAYOUT_CHECK(sizeof(Control) == 32);
LAYOUT_AT(Control, draw, 0);
LAYOUT_AT(Control, get, 8);
LAYOUT_AT(Control, set, 16);
LAYOUT_AT(Control, host, 24);

/* Value record: integers at 4, pointers at 8. */
LAYOUT_CHECK(sizeof(PanelValue) == 40);
LAYOUT_CHECK(LAYOUT_ALIGN(PanelValue) == 8);
LAYOUT_AT(PanelValue, type, 0);
LAYOUT_AT(PanelValue, integer.value, 4);
LAYOUT_AT(PanelValue, integer.defaultValue, 8);
LAYOUT_AT(PanelValue, pointer.value, 8);
LAYOUT_AT(PanelValue, text.buffer, 8);
LAYOUT_AT(PanelValue, text.length, 16);
LAYOUT_AT(PanelValue, real.value, 8);
LAYOUT_AT(PanelValue, real.defaultValue, 16);
LAYOUT_AT(PanelValue, intVector.value, 4);
LAYOUT_AT(PanelValue, intVector.defaultValue, 16);
LAYOUT_AT(PanelValue, realVector.value, 8);
LAYOUT_AT(PanelValue, realVector.defaultValue, 32);

/* Control descriptor. */
LAYOUT_CHECK(sizeof(ControlDesc) == 48);
LAYOUT_CHECK(LAYOUT_ALIGN(ControlDesc) == 8);
LAYOUT_AT(ControlDesc, type, 0);
LAYOUT_AT(ControlDesc, edit.width, 4);
LAYOUT_AT(ControlDesc, list.items, 8);
LAYOUT_AT(ControlDesc, list.width, 16);
LAYOUT_AT(ControlDesc, range.width, 4);
LAYOUT_AT(ControlDesc, range.min, 8);
LAYOUT_AT(ControlDesc, range.max, 12);
LAYOUT_AT(ControlDesc, border.width, 4);
LAYOUT_AT(ControlDesc, border.height, 8);

/* "ContextMenuServices" and its descriptor. */
LAYOUT_CHECK(sizeof(MenuDesc) == 24);
LAYOUT_AT(MenuDesc, type, 0);
LAYOUT_AT(MenuDesc, width, 4);
LAYOUT_AT(MenuDesc, count, 8);
LAYOUT_AT(MenuDesc, name, 16);
LAYOUT_CHECK(sizeof(ContextMenuServices) == 24);
LAYOUT_AT(ContextMenuServices, create, 0);
LAYOUT_AT(ContextMenuServices, deploy, 8);
LAYOUT_AT(ContextMenuServices, destroy, 16);

/* Desktop rectangle: a Windows RECT. */
LAYOUT_CHECK(sizeof(Rect) == 16);
LAYOUT_AT(Rect, right, 8);
LAYOUT_AT(Rect, bottom, 12);

/* Identification words and codes. */
LAYOUT_CHECK(LAYOUT_MODULE_SYNC == 0x04121994u);
LAYOUT_CHECK(LAYOUT_MODULE_VERSION == 3u);
#ifdef __APPLE__
LAYOUT_CHECK(LAYOUT_MODULE_MACHINE == 0x400u);
#else
LAYOUT_CHECK(LAYOUT_MODULE_MACHINE == 0x300u);
#endif
LAYOUT_CHECK(LAYOUT_CTL_EVENT == 14 && LAYOUT_CTL_USERDATA == 16 && LAYOUT_CTL_ACTIVATE == 21);
LAYOUT_CHECK(LAYOUT_PAN_PLACE == 9 && LAYOUT_PAN_USERDATA == 12 && LAYOUT_PAN_KEY == 13);
LAYOUT_CHECK(LAYOUT_PAN_MOUSE == 15 && LAYOUT_PAN_QUALIFIERS == 22);

#endif
