#include "runs/null_run.h"

#include <cstdint>

#include "module/host_build.h"
#include "runs/command_buffer.h"
#include "runs/run_frame.h"

namespace mint {

namespace {

// The null that the name command has just added is the first selected object
// at or after `start`. Returns 0 when there is none.
ItemID findNewNull(const RunHost &host, ItemID start) {
  for (ItemID id = start; id != LAYOUT_ITEM_NONE; id = host.itemInfo->next(id)) {
    if (host.interfaceInfo->itemFlags(id) & LAYOUT_ITEMF_SELECTED) return id;
  }
  return LAYOUT_ITEM_NONE;
}

}  // namespace

void sendRenderFlags(const GenericLocal *local, const NullOptions &options) {
  // A new null has the three shadow options on and the others off.
  if (options.selfShadow == 0) sendCommand(local, "SelfShadow");
  if (options.castShadow == 0) sendCommand(local, "CastShadow");
  if (options.receiveShadow == 0) sendCommand(local, "ReceiveShadow");
  if (options.unseenByRays != 0) sendCommand(local, "UnseenByRays");
  if (options.unseenByRadiosity != 0) sendCommand(local, "UnseenByRadiosity");
  if (options.unseenByCamera != 0) sendCommand(local, "UnseenByCamera");
  if (options.unaffectedByFog != 0) sendCommand(local, "UnaffectedByFog");
  if (options.alphaMode != 0) {
    if (!buildAtLeast(static_cast<uint32_t>(options.hostBuild), kBuildModernSelection)) {
      // Older hosts know only the on/off toggle.
      sendCommand(local, "UnseenByAlphaChannel");
    } else {
      static const char *const kAlphaTexts[3] = {nullptr, "UnseenByAlphaChannel 1", "UnseenByAlphaChannel 2"};
      if (options.alphaMode > 0 && options.alphaMode < 3) sendCommand(local, kAlphaTexts[options.alphaMode]);
    }
  }
}

int runNulls(const RunHost &host, NullOptions &options, const char *baseName) {
  const GenericLocal *local = host.local;
  const bool modernHost = buildAtLeast(static_cast<uint32_t>(options.hostBuild), kBuildModernSelection);

  CommandText nameFormat;
  setNameFormat(nameFormat, "AddNull ", options.prefixCode, baseName, options.suffixCode);

  // A single null (or none) is already the selection when the run ends.
  if (options.count <= 1) options.selectAfter = 0;
  const bool keepIds = options.count >= 1 && (options.selectAfter != 0 || options.hierarchy != 0);

  // Entry `count` stays 0: the list is also read as a 0-terminated ID list.
  const size_t listSize = keepIds ? static_cast<size_t>(options.count) + 1 : 0;
  IdList created(host, listSize);
  if (keepIds && created.get() == nullptr) return 0;
  ItemID *ids = created.get();
  if (keepIds) ids[options.count] = LAYOUT_ITEM_NONE;

  // The parent is the first selected item as the host reports it now.
  CommandText parentText;
  if (options.parent != 0) {
    setHead(parentText, "ParentItem ");
    setItemId(parentText, host.interfaceInfo->selItems[0]);
  }
  const char *visibilityText = options.visibility != 0 ? "ItemVisibility 2" : "ItemVisibility 0";
  const bool setColour = options.colourCode != kColourLeaveHost;
  CommandText colourText;
  if (setColour) {
    setHead(colourText, "ItemColor ");
    setDecimal(colourText, options.colourCode);
  }

  RunFrame frame(host, modernHost, options.count);
  // New nulls are handled as selected objects only while objects are edited.
  if (LAYOUT_ITEM_TYPE(host.interfaceInfo->selItems[0]) != LAYOUT_ITEM_OBJECT) {
    sendCommand(local, "EditObjects");
  }

  CommandText nameCommand;
  for (int32_t i = 0; i < options.count; ++i) {
    const int64_t number = int64_t{options.startNumber} + i;
    formatName(nameCommand.text, sizeof nameCommand.text, nameFormat.text, number);
    sendCommand(local, nameCommand.text);
    if (options.itemActive == 0) sendCommand(local, "ItemActive 0");
    sendCommand(local, visibilityText);
    if (setColour) sendCommand(local, colourText.text);
    if (options.selectAfter == 0 || !modernHost) sendRenderFlags(local, options);
    if (keepIds) {
      const ItemID start =
          i == 0 ? host.itemInfo->first(LAYOUT_ITEMTYPE_OBJECT, LAYOUT_ITEM_NONE) : ids[i - 1];
      ids[i] = start == LAYOUT_ITEM_NONE ? LAYOUT_ITEM_NONE : findNewNull(host, start);
    }
    if (options.parent != 0) {
      if (i > 0 && options.hierarchy != 0) setItemId(parentText, ids[i - 1]);
      sendCommand(local, parentText.text);
      if (options.localZero != 0) sendCommand(local, "Position 0 0 0");
    }
    frame.itemDone();
  }

  if (options.selectAfter != 0) {
    frame.selecting();
    CommandText selectText;
    setHead(selectText, "SelectItem ");
    setItemId(selectText, ids[0]);
    sendCommand(local, selectText.text);
    setHead(selectText, "AddToSelection ");
    for (int32_t j = 0; j < options.count; ++j) {
      setItemId(selectText, ids[j]);
      sendCommand(local, selectText.text);
    }
    if (modernHost) sendRenderFlags(local, options);
  }

  frame.close();
  return 0;
}

}  // namespace mint
