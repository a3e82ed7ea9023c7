#include "panels/panel_keys.h"

#include "module/host_build.h"
#include "panels/bone_panel.h"
#include "panels/callback_failure.h"
#include "panels/control_values.h"
#include "panels/naming_row.h"
#include "panels/null_panel.h"
#include "panels/panel_context.h"
#include "panels/user_data.h"
#include "runs/text_builders.h"

namespace mint {
namespace {

constexpr int32_t kLastCode = 15;
constexpr int32_t kColourLeaveHostCode = 15;

bool isSeparator(int32_t code) { return code == 4 || code == 8 || code == 12; }

// Numbering popups step over the separator entries in both directions.
int32_t numberingForward(int32_t code) {
  if (code == kLastCode) return 0;
  const int32_t next = code + 1;
  return isSeparator(next) ? next + 1 : next;
}

int32_t numberingBackward(int32_t code) {
  if (code == 0) return kLastCode;
  const int32_t next = code - 1;
  return isSeparator(next) ? next - 1 : next;
}

void stepValue(Control *control, int32_t (*step)(int32_t)) { setValue(control, step(getValue(control))); }

// Arrow keys: the step is 10 (100 with the step qualifier) sideways and 1 up
// and down; the qualifier leaves up and down at the current value.
int32_t steppedCount(uint32_t key, int32_t count, bool large) {
  switch (key) {
    case LAYOUT_KEY_LEFT:
      return large ? (count >= 101 ? count - 100 : 1) : (count >= 11 ? count - 10 : 1);
    case LAYOUT_KEY_RIGHT:
      return large ? (count <= 899 ? count + 100 : 1000) : (count <= 989 ? count + 10 : 1000);
    case LAYOUT_KEY_UP:
      return large ? count : (count <= 999 ? count + 1 : 1000);
    default:  // LAYOUT_KEY_DOWN
      return large ? count : (count >= 2 ? count - 1 : 1);
  }
}

void stepCount(PanelServices &services, Panel *panel, Control *countEdit, uint32_t key) {
  int32_t qualifiers = 0;
  services.get(panel, LAYOUT_PAN_QUALIFIERS, &qualifiers);
  char text[kNumberText];
  getText(countEdit, text, kNumberText);
  const bool large = (static_cast<uint32_t>(qualifiers) & LAYOUT_QUALIFIER_STEP) != 0;
  writeDecimal(steppedCount(key, parseLeadingDecimal(text), large), text, kTerminate);
  setText(countEdit, text, kNumberText);
}

// "h" and "z" act only while "Parent (x)" is ticked.
void toggleUnderParent(const PanelContext &context, NullBool box) {
  if (getValue(context.nullBools[kParentBool]) != 0) toggleValue(context.nullBools[box]);
}

// Null-panel letters; false when the key is not one of them.
bool nullKey(PanelContext &c, uint32_t key) {
  switch (key) {
    case 'a':
      toggleValue(c.nullBools[kActiveBool]);
      return true;
    case 'h':
      toggleUnderParent(c, kHierarchyBool);
      return true;
    case 's':
      toggleValue(c.nullBools[kSelectBool]);
      return true;
    case 'v':
      toggleValue(c.visPopup);
      return true;
    case 'x':
      toggleValue(c.nullBools[kParentBool]);
      parentEffect(c.nullBools[kParentBool], c.nullBools);
      return true;
    case 'z':
      toggleUnderParent(c, kZeroBool);
      return true;
    case 'b':
    case 'm':
      return true;  // bone-panel letters: handled, nothing to do here
    default:
      return false;
  }
}

// Bone-panel letters; the icon and joint controls exist only from their build.
bool boneKey(const PanelContext &c, uint32_t key) {
  const bool icons = buildAtLeast(c.hostBuild, kBuildBoneIcons);
  switch (key) {
    case 'a':
      toggleValue(c.individualBool);
      return true;
    case 'b':
      if (icons) toggleValue(c.jointBool);
      return true;
    case 'm':
      toggleValue(c.multiplyBool);
      return true;
    case 's':
      if (icons) {
        const int32_t mode = getValue(c.iconChoice);
        setValue(c.iconChoice, mode <= 1 ? mode + 1 : 0);
        iconModeEvent(c.iconChoice, c.iconPercent);
      }
      return true;
    case 'h':
    case 'v':
    case 'x':
    case 'z':
      return true;  // null-panel letters: handled, nothing to do here
    default:
      return false;
  }
}

bool handleKey(PanelServices &services, Panel *panel, PanelContext &c, uint32_t key) {
  if (key >= '1' && key <= '9') {
    const char digit[2] = {static_cast<char>(key), '\0'};
    setNumberText(c.countEdit, digit);
    return true;
  }
  switch (key) {
    case 0x09:
      setTag(c.nameEdit, LAYOUT_CTL_ACTIVATE, 0);
      return true;
    case 'n':
      setTag(c.countEdit, LAYOUT_CTL_ACTIVATE, 0);
      return true;
    case 0x0D:
    case 'd':
      services.close(panel);
      return true;
    case '0':
      setNumberText(c.countEdit, "10");
      return true;
    case 'C':
      setValue(c.colourPopup, kColourLeaveHostCode);
      return true;
    case 'E':
    case 'R':
      setValue(c.suffixPopup, 0);
      return true;
    case 'Q':
    case 'W':
      setValue(c.prefixPopup, 0);
      return true;
    case 'c':
      stepValue(c.colourPopup, [](int32_t v) { return v <= 14 ? v + 1 : 0; });
      return true;
    case 'e':
      stepValue(c.suffixPopup, numberingForward);
      return true;
    case 'r':
      stepValue(c.suffixPopup, numberingBackward);
      return true;
    case 'q':
      stepValue(c.prefixPopup, numberingForward);
      return true;
    case 'w':
      stepValue(c.prefixPopup, numberingBackward);
      return true;
    case LAYOUT_KEY_LEFT:
    case LAYOUT_KEY_RIGHT:
    case LAYOUT_KEY_UP:
    case LAYOUT_KEY_DOWN:
      stepCount(services, panel, c.countEdit, key);
      return true;
    default:
      break;
  }
  if (c.panelKind == kNullPanelKind) return nullKey(c, key);
  if (c.panelKind == kBonePanelKind) return boneKey(c, key);
  return false;
}

}  // namespace

int panelKey(Panel *panel, void *userData, unsigned short key) {
  try {
    PanelContext *context = contextOf(userData);
    if (context == nullptr) return 0;
    return handleKey(*servicesOf(userData), panel, *context, key) ? 1 : 0;
  } catch (...) {
    noteCallbackFailure();
    return 0;
  }
}

}  // namespace mint
