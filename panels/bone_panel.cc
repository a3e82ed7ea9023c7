#include "panels/bone_panel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "module/host_build.h"
#include "module/option_store.h"
#include "module/server_table.h"
#include "panels/callback_failure.h"
#include "panels/control_builder.h"
#include "panels/control_values.h"
#include "panels/frame.h"
#include "panels/naming_row.h"
#include "panels/user_data.h"
#include "runs/options.h"

namespace mint {
namespace {

const char *const kIconSizeList[] = {"def", "val", "auto", nullptr};

constexpr int32_t kHeight = 142;
constexpr int32_t kHeightWithIcons = 166;
constexpr double kFullPercent = 100.0;
constexpr int kDividerCount = 3;

// The panel's own record: the options it fills, and the controls that only
// the panel function needs.
struct BoneState {
  BoneOptions &options;
  Control *restLength;
  Control *strength;
  Control *dividers[kDividerCount];
};

bool hasIcons(const PanelContext &context) { return buildAtLeast(context.hostBuild, kBuildBoneIcons); }

int32_t wordBit(uint32_t word, uint32_t shift) { return static_cast<int32_t>(wordField(word, shift, 1)); }

// Value rules of the float fields, so that no run and no later panel meets
// a number that is not finite: a NaN keeps the previous valid value, and a
// value beyond the largest finite one (infinity included) is clamped to it.
// The rest length is stored as a float, so its largest is the float's.
double finiteValue(double read, double previous, double largest) {
  if (std::isnan(read)) return previous;
  return std::clamp(read, -largest, largest);
}

double readRestLength(Control *field) {
  const double largest = static_cast<double>(std::numeric_limits<float>::max());
  return finiteValue(getFloat(field), static_cast<double>(gOptionStore.restLength), largest);
}

// A percentage field opens at 100%, its previous valid value.
double readPercent(Control *field) {
  return finiteValue(getFloat(field), kFullPercent, std::numeric_limits<double>::max());
}

void prepare(PanelRun &run, BoneState &) {
  run.context->iconChoice = nullptr;
  run.context->iconPercent = nullptr;
  run.context->jointBool = nullptr;
}

bool addOwnControls(const PanelRun &run, BoneState &state) {
  PanelContext &c = *run.context;
  const bool icons = hasIcons(c);
  ControlEntry entries[] = {
      {true, &state.restLength, LAYOUT_CONTROL_FLOAT, floatDesc(), "Rest Length"},
      {icons, &c.iconChoice, LAYOUT_CONTROL_CHOICE, listDesc(kIconSizeList, 0), "icon"},
      {icons, &c.iconPercent, LAYOUT_CONTROL_PERCENT, percentDesc(), ""},
      {true, &state.strength, LAYOUT_CONTROL_PERCENT, percentDesc(), "Strength"},
      {true, &c.individualBool, LAYOUT_CONTROL_BOOL, boolDesc(), "individual"},
      {true, &c.multiplyBool, LAYOUT_CONTROL_BOOL, boolDesc(), "Multiply Str by RestLength"},
      {icons, &c.jointBool, LAYOUT_CONTROL_BOOL, boolDesc(), "joint Bone"},
      {true, &state.dividers[0], LAYOUT_CONTROL_BORDER, borderDesc(311, 0), ""},
      {true, &state.dividers[1], LAYOUT_CONTROL_BORDER, borderDesc(311, 0), ""},
      {icons, &state.dividers[2], LAYOUT_CONTROL_BORDER, borderDesc(311, 0), ""},
  };
  return addControls(run.services, run.panel, entries);
}

// Left edges, then top edges, then widths; controls of a later build are
// NULL on older hosts, which setEach skips.
void placeControls(const PanelRun &run, const BoneState &state) {
  const PanelContext &c = *run.context;
  setEach(LAYOUT_CTL_X, {{c.colourPopup, 8},
                         {state.restLength, 161},
                         {c.iconChoice, 103},
                         {c.iconPercent, 223},
                         {state.strength, 180},
                         {c.individualBool, 5},
                         {c.multiplyBool, 5},
                         {c.jointBool, 5},
                         {state.dividers[0], 3},
                         {state.dividers[1], 3},
                         {state.dividers[2], 3}});
  setEach(LAYOUT_CTL_Y, {{c.colourPopup, 57},
                         {state.restLength, 57},
                         {c.iconChoice, 108},
                         {c.iconPercent, 108},
                         {state.strength, 79},
                         {c.individualBool, 28},
                         {c.multiplyBool, 79},
                         {c.jointBool, 108},
                         {state.dividers[0], 22},
                         {state.dividers[1], 51},
                         {state.dividers[2], 102}});
  setEach(LAYOUT_CTL_W,
          {{state.restLength, 151}, {c.iconChoice, 120}, {c.individualBool, 92}, {c.jointBool, 92}});
}

// The icon mode and "joint Bone" are not remembered: they open at 0.
void setInitialValues(const PanelRun &run, const BoneState &state) {
  const PanelContext &c = *run.context;
  const uint32_t word = gOptionStore.word;
  setNamingValues(c, gOptionStore.boneName, word, kWordBoneColourShift);
  setValue(c.individualBool, wordBit(word, kWordIndividualShift));
  setValue(c.multiplyBool, wordBit(word, kWordMultiplyShift));
  if (hasIcons(c)) {
    setValue(c.iconChoice, kIconModeDefault);
    setValue(c.jointBool, 0);
    setFloat(c.iconPercent, kFullPercent);
  }
  setFloat(state.restLength, static_cast<double>(gOptionStore.restLength));
  setFloat(state.strength, kFullPercent);
}

bool build(PanelRun &run, BoneState &state) {
  if (!addOwnControls(run, state)) return false;
  placeControls(run, state);
  setInitialValues(run, state);
  return true;
}

void wire(PanelRun &run, BoneState &) {
  const PanelContext &c = *run.context;
  if (!hasIcons(c)) return;
  setControlData(c.iconChoice, c.iconPercent);
  setEvent(c.iconChoice, iconModeEvent);
  // The percentage opens ghosted, as "def" is chosen.
  iconModeEvent(c.iconChoice, c.iconPercent);
}

int32_t height(const PanelRun &run, const BoneState &) {
  return hasIcons(*run.context) ? kHeightWithIcons : kHeight;
}

void readBack(PanelRun &run, BoneState &state) {
  BoneOptions &options = state.options;
  const PanelContext &c = *run.context;
  getText(c.nameEdit, gOptionStore.boneName, static_cast<int32_t>(kBaseNameBuffer));
  options.count = readNumberField(c.countEdit);
  options.startNumber = readNumberField(c.startEdit);
  const double restLength = readRestLength(state.restLength);
  gOptionStore.restLength = static_cast<float>(restLength);
  options.strength = readPercent(state.strength) * 0.01;

  // The null panel's bits survive; the values go in as read.
  uint32_t word = gOptionStore.word & kBonePanelKeeps;
  options.prefixCode = getValue(c.prefixPopup);
  options.suffixCode = getValue(c.suffixPopup);
  options.colourCode = getValue(c.colourPopup);
  options.individual = getValue(c.individualBool);
  options.multiplyStrength = getValue(c.multiplyBool);
  const auto bits = [](int32_t value, uint32_t shift) { return static_cast<uint32_t>(value) << shift; };
  word |= bits(options.suffixCode, kWordSuffixShift) | bits(options.prefixCode, kWordPrefixShift) |
          bits(options.individual, kWordIndividualShift) | bits(options.colourCode, kWordBoneColourShift) |
          bits(options.multiplyStrength, kWordMultiplyShift);

  if (hasIcons(c)) {
    options.iconMode = getValue(c.iconChoice);
    options.jointBone = getValue(c.jointBool);
    // "auto" sizes the icon by the rest length as read, not as stored.
    options.iconScale = options.iconMode == kIconModeAuto ? restLength : readPercent(c.iconPercent) * 0.01;
  }
  gOptionStore.word = word;
}

}  // namespace

void iconModeEvent(Control *choice, void *userData) {
  try {
    if (userData == nullptr) return;
    drawControl(controlOf(userData), drawModeFor(getValue(choice) == kIconModeValue));
  } catch (...) {
    noteCallbackFailure();
  }
}

int bonePanel(GlobalFunc *global, BoneOptions &record, const NamingLists *lists) {
  try {
    if (global == nullptr || lists == nullptr) return 0;
    BoneState state{record, nullptr, nullptr, {}};
    // The title is the command's server name.
    const PanelSteps<BoneState> steps = {
        serverName(kBoneServer), kBonePanelKind, prepare, build, wire, height, readBack};
    return runPanel(global, record.hostBuild, lists, steps, state);
  } catch (...) {
    return 0;
  }
}

}  // namespace mint
