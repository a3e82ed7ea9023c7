#include "runs/bone_run.h"

#include "module/host_build.h"
#include "runs/command_buffer.h"
#include "runs/run_frame.h"

namespace mint {

namespace {

// Texts that are the same for every bone, composed once before the first command.
struct BoneTexts {
  const char *strength;   // nullptr when not sent
  const char *colour;     // nullptr when not sent
  const char *iconScale;  // nullptr when not sent
  const char *restLength;
  const char *addChildFormat;
  const char *addBoneFormat;  // object path only
  bool jointBone;
};

// Properties every new bone gets right after it was added, in sibling order.
void sendSiblingProperties(const GenericLocal *local, const BoneTexts &texts, bool toggleMultiply) {
  sendCommand(local, texts.restLength);
  if (texts.strength) sendCommand(local, texts.strength);
  if (texts.colour) sendCommand(local, texts.colour);
  if (toggleMultiply) sendCommand(local, "BoneStrengthMultiply");
  if (texts.iconScale) sendCommand(local, texts.iconScale);
  if (texts.jointBone) sendCommand(local, "BoneType 1");
}

void sendChainProperties(const GenericLocal *local, const BoneTexts &texts, bool toggleMultiply) {
  sendCommand(local, texts.restLength);
  if (texts.strength) sendCommand(local, texts.strength);
  if (texts.colour) sendCommand(local, texts.colour);
  if (texts.iconScale) sendCommand(local, texts.iconScale);
  if (texts.jointBone) sendCommand(local, "BoneType 1");
  // Later bones of the chain inherit the corrected flag from their parent.
  if (toggleMultiply) sendCommand(local, "BoneStrengthMultiply");
}

}  // namespace

int runBones(const RunHost &host, const BoneOptions &options, const BoneRunInputs &inputs) {
  const GenericLocal *local = host.local;
  const bool modernHost = buildAtLeast(options.hostBuild, kBuildModernSelection);

  CommandText strengthText;
  CommandText colourText;
  CommandText iconScaleText;
  CommandText restLengthText;
  BoneTexts texts = {};
  // Exactly 1.0 keeps the host's strength; a NaN is not 1.0 and is sent.
  if (!(options.strength == 1.0)) {
    formatFloatCommand(strengthText, "BoneStrength ", options.strength);
    texts.strength = strengthText.text;
  }
  if (options.colourCode != kColourLeaveHost) {
    setHead(colourText, "ItemColor ");
    setDecimal(colourText, options.colourCode);
    texts.colour = colourText.text;
  }
  if (options.iconMode != 0) {
    formatFloatCommand(iconScaleText, "ItemIconScale ", options.iconScale);
    texts.iconScale = iconScaleText.text;
  }
  formatFloatCommand(restLengthText, "BoneRestLength ", static_cast<double>(inputs.restLength));
  texts.restLength = restLengthText.text;
  texts.jointBone = options.jointBone != 0;

  // Older hosts rewrite their selection list as the run selects items, so the
  // run works on a copy there.
  const int32_t selected = inputs.selectedCount;
  IdList copy(host, modernHost ? 0 : static_cast<size_t>(selected) + 1);
  const ItemID *selection = inputs.selection;
  if (!modernHost) {
    if (copy.get() == nullptr) return 0;
    for (int32_t i = 0; i <= selected; ++i) copy.get()[i] = inputs.selection[i];
    selection = copy.get();
  }

  RunFrame frame(host, modernHost, int64_t{selected} * options.count);

  CommandText addChildFormat;
  CommandText addBoneFormat;
  setNameFormat(addChildFormat, "AddChildBone ", options.prefixCode, inputs.baseName, options.suffixCode);
  texts.addChildFormat = addChildFormat.text;
  const bool objectPath = LAYOUT_ITEM_TYPE(selection[0]) == LAYOUT_ITEM_OBJECT;
  if (objectPath) {
    setNameFormat(addBoneFormat, "AddBone ", options.prefixCode, inputs.baseName, options.suffixCode);
    texts.addBoneFormat = addBoneFormat.text;
  }
  const char *firstFormat = objectPath ? texts.addBoneFormat : texts.addChildFormat;

  // A bone added to an object starts with the multiply flag set; a child bone
  // starts with its parent's state.
  const uint32_t wantedFlag = static_cast<uint32_t>(options.multiplyStrength) * LAYOUT_BONEF_MULTIPLY;
  auto multiplyToggleDue = [&](ItemID item) {
    if (objectPath) return wantedFlag == 0;
    return (host.boneInfo->flags(item) & LAYOUT_BONEF_MULTIPLY) != wantedFlag;
  };

  CommandText selectText;
  CommandText addCommand;
  for (int32_t k = selected - 1; k >= 0; --k) {
    const ItemID item = selection[k];
    if (options.individual != 0) {
      const bool toggle = multiplyToggleDue(item);
      setHead(selectText, "SelectItem ");
      setItemId(selectText, item);
      for (int32_t j = 0; j < options.count; ++j) {
        // Selecting the parent again keeps every new bone its direct child.
        sendCommand(local, selectText.text);
        formatName(addCommand.text, sizeof addCommand.text, firstFormat, int64_t{options.startNumber} + j);
        sendCommand(local, addCommand.text);
        sendSiblingProperties(local, texts, toggle);
        frame.itemDone();
      }
    } else {
      setHead(selectText, "SelectItem ");
      setItemId(selectText, item);
      sendCommand(local, selectText.text);
      formatName(addCommand.text, sizeof addCommand.text, firstFormat, options.startNumber);
      const bool toggle = multiplyToggleDue(item);
      for (int32_t j = 0; j < options.count; ++j) {
        sendCommand(local, addCommand.text);
        sendChainProperties(local, texts, toggle && j == 0);
        // The next bone is a child of the one just made.
        formatName(addCommand.text, sizeof addCommand.text, texts.addChildFormat,
                   int64_t{options.startNumber} + j + 1);
        frame.itemDone();
      }
    }
  }

  frame.close();
  return 0;
}

}  // namespace mint
