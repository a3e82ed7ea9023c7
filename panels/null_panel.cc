#include "panels/null_panel.h"

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

const char *const kVisibilityList[] = {"Hidden", "Verticle", nullptr};
const char *const kAlphaList[] = {"Use Surface Settings", "Unaffected by Objects", "Constant Black", nullptr};

constexpr int32_t kHeight = 248;
constexpr int kDividerCount = 5;

// The panel's own record: the options it fills, and the controls that only
// the panel function needs, the divider lines.
struct NullState {
  NullOptions &options;
  Control *dividers[kDividerCount];
};

bool hasRadiosity(const PanelContext &context) { return buildAtLeast(context.hostBuild, kBuildRadiosity); }
// From this build the alpha channel is a three-way popup instead of a check box.
bool hasAlphaPopup(const PanelContext &context) {
  return buildAtLeast(context.hostBuild, kBuildModernSelection);
}

int32_t wordBit(uint32_t word, uint32_t shift) { return static_cast<int32_t>(wordField(word, shift, 1)); }

void prepare(PanelRun &run, NullState &state) {
  // Older hosts have no radiosity flag: the box is left out everywhere.
  if (!hasRadiosity(*run.context)) state.options.unseenByRadiosity = 0;
}

bool addOwnControls(const PanelRun &run, NullState &state) {
  PanelContext &c = *run.context;
  Control **boxes = c.nullBools;
  Control **flags = c.renderBools;
  Control **dividers = state.dividers;
  const bool alphaPopup = hasAlphaPopup(c);
  ControlEntry entries[] = {
      {true, &c.visPopup, LAYOUT_CONTROL_POPUP, listDesc(kVisibilityList, 70), "Vis"},
      {true, &boxes[kActiveBool], LAYOUT_CONTROL_BOOL, boolDesc(), "item Active"},
      {true, &boxes[kSelectBool], LAYOUT_CONTROL_BOOL, boolDesc(), "after Select"},
      {true, &boxes[kParentBool], LAYOUT_CONTROL_BOOL, boolDesc(), "Parent (x)"},
      {true, &boxes[kZeroBool], LAYOUT_CONTROL_BOOL, boolDesc(), "local Zero"},
      {true, &boxes[kHierarchyBool], LAYOUT_CONTROL_BOOL, boolDesc(), "Hierarchy"},
      {hasRadiosity(c), &flags[kRadiosityBool], LAYOUT_CONTROL_BOOL, boolDesc(), "Unseen by Radiosity"},
      {true, &flags[kRaysBool], LAYOUT_CONTROL_BOOL, boolDesc(), "Unseen by Rays"},
      {true, &flags[kSelfShadowBool], LAYOUT_CONTROL_BOOL, boolDesc(), "Self Shadow"},
      {true, &flags[kCameraBool], LAYOUT_CONTROL_BOOL, boolDesc(), "Unseen by Camera"},
      {true, &flags[kFogBool], LAYOUT_CONTROL_BOOL, boolDesc(), "Unaffected by Fog"},
      {true, &flags[kCastShadowBool], LAYOUT_CONTROL_BOOL, boolDesc(), "Cast Shadow"},
      {true, &flags[kReceiveShadowBool], LAYOUT_CONTROL_BOOL, boolDesc(), "Receive Shadow"},
      {!alphaPopup, &c.alphaControl, LAYOUT_CONTROL_BOOL, boolDesc(), "Unseen by Alpha Channel"},
      {alphaPopup, &c.alphaControl, LAYOUT_CONTROL_POPUP, listDesc(kAlphaList, 0), "Alpha Channel"},
      {true, &dividers[0], LAYOUT_CONTROL_BORDER, borderDesc(311, 0), ""},
      {true, &dividers[1], LAYOUT_CONTROL_BORDER, borderDesc(311, 0), ""},
      {true, &dividers[2], LAYOUT_CONTROL_BORDER, borderDesc(311, 0), ""},
      {true, &dividers[3], LAYOUT_CONTROL_BORDER, borderDesc(311, 0), ""},
      {true, &dividers[4], LAYOUT_CONTROL_BORDER, borderDesc(311, 0), ""},
  };
  return addControls(run.services, run.panel, entries);
}

// Left edges, then top edges, then widths. The radiosity box is NULL below
// its build, which setEach skips.
void placeControls(const PanelRun &run, const NullState &state) {
  const PanelContext &c = *run.context;
  Control *const *boxes = c.nullBools;
  Control *const *flags = c.renderBools;
  Control *const *lines = state.dividers;
  const bool alphaPopup = hasAlphaPopup(c);
  setEach(LAYOUT_CTL_X, {{c.visPopup, 104},
                         {boxes[kZeroBool], 104},
                         {c.colourPopup, 205},
                         {boxes[kHierarchyBool], 205},
                         {flags[kRadiosityBool], 5},
                         {flags[kRaysBool], 5},
                         {flags[kSelfShadowBool], 5},
                         {boxes[kActiveBool], 5},
                         {boxes[kSelectBool], 5},
                         {boxes[kParentBool], 5},
                         {c.alphaControl, alphaPopup ? 82 : 5},
                         {flags[kCameraBool], 162},
                         {flags[kFogBool], 162},
                         {flags[kCastShadowBool], 162},
                         {flags[kReceiveShadowBool], 162},
                         {lines[0], 3},
                         {lines[1], 3},
                         {lines[2], 3},
                         {lines[3], 3},
                         {lines[4], 3}});
  setEach(LAYOUT_CTL_Y, {{boxes[kSelectBool], 28},
                         {c.alphaControl, 57},
                         {lines[0], 22},
                         {lines[1], 51},
                         {lines[2], 80},
                         {flags[kRaysBool], 86},
                         {flags[kCameraBool], 86},
                         {flags[kRadiosityBool], 108},
                         {flags[kFogBool], 108},
                         {lines[3], 131},
                         {flags[kSelfShadowBool], 137},
                         {flags[kCastShadowBool], 137},
                         {flags[kReceiveShadowBool], 159},
                         {lines[4], 182},
                         {boxes[kActiveBool], 188},
                         {c.visPopup, 188},
                         {c.colourPopup, 188},
                         {boxes[kParentBool], 210},
                         {boxes[kZeroBool], 210},
                         {boxes[kHierarchyBool], 210}});
  // The alpha-channel popup keeps the host's width.
  setEach(LAYOUT_CTL_W, {{boxes[kActiveBool], 93},
                         {boxes[kSelectBool], 93},
                         {boxes[kParentBool], 93},
                         {boxes[kZeroBool], 93},
                         {boxes[kHierarchyBool], 93},
                         {alphaPopup ? nullptr : c.alphaControl, 150},
                         {flags[kRadiosityBool], 150},
                         {flags[kRaysBool], 150},
                         {flags[kSelfShadowBool], 150},
                         {flags[kCameraBool], 150},
                         {flags[kFogBool], 150},
                         {flags[kCastShadowBool], 150},
                         {flags[kReceiveShadowBool], 150}});
}

// Remembered choices from the option store; everything else opens at its
// fixed default.
void setInitialValues(const PanelContext &c) {
  const uint32_t word = gOptionStore.word;
  Control *const *boxes = c.nullBools;
  Control *const *flags = c.renderBools;
  setNamingValues(c, gOptionStore.nullName, word, kWordNullColourShift);
  setEach(LAYOUT_CTL_VALUE, {{boxes[kActiveBool], wordBit(word, kWordActiveShift)},
                             {boxes[kSelectBool], wordBit(word, kWordSelectShift)},
                             {boxes[kParentBool], wordBit(word, kWordParentShift)},
                             {boxes[kZeroBool], wordBit(word, kWordZeroShift)},
                             {c.alphaControl, 1},
                             {flags[kRadiosityBool], 1},
                             {flags[kRaysBool], 1},
                             {flags[kCameraBool], 1},
                             {flags[kFogBool], 1},
                             {c.visPopup, 1},
                             {flags[kSelfShadowBool], 0},
                             {flags[kCastShadowBool], 0},
                             {flags[kReceiveShadowBool], 0},
                             {boxes[kHierarchyBool], 0}});
}

bool build(PanelRun &run, NullState &state) {
  if (!addOwnControls(run, state)) return false;
  placeControls(run, state);
  setInitialValues(*run.context);
  // "local Zero" and "Hierarchy" open ghosted when "Parent (x)" opens unticked.
  parentEffect(run.context->nullBools[kParentBool], run.context->nullBools);
  return true;
}

void wire(PanelRun &run, NullState &) {
  Control *parent = run.context->nullBools[kParentBool];
  setBoxesData(parent, run.context->nullBools);
  setEvent(parent, parentEffect);
}

int32_t height(const PanelRun &, const NullState &) { return kHeight; }

void readBack(PanelRun &run, NullState &state) {
  NullOptions &options = state.options;
  const PanelContext &c = *run.context;
  Control *const *boxes = c.nullBools;
  Control *const *flags = c.renderBools;
  options.alphaMode = getValue(c.alphaControl);
  if (flags[kRadiosityBool] != nullptr) options.unseenByRadiosity = getValue(flags[kRadiosityBool]);
  options.unseenByRays = getValue(flags[kRaysBool]);
  options.selfShadow = getValue(flags[kSelfShadowBool]);
  options.unseenByCamera = getValue(flags[kCameraBool]);
  options.unaffectedByFog = getValue(flags[kFogBool]);
  options.castShadow = getValue(flags[kCastShadowBool]);
  options.receiveShadow = getValue(flags[kReceiveShadowBool]);
  getText(c.nameEdit, gOptionStore.nullName, static_cast<int32_t>(kBaseNameBuffer));
  options.count = readNumberField(c.countEdit);
  options.startNumber = readNumberField(c.startEdit);
  options.prefixCode = getValue(c.prefixPopup);
  options.suffixCode = getValue(c.suffixPopup);
  options.colourCode = getValue(c.colourPopup);
  options.itemActive = getValue(boxes[kActiveBool]);
  options.selectAfter = getValue(boxes[kSelectBool]);
  options.parent = getValue(boxes[kParentBool]);
  options.localZero = getValue(boxes[kZeroBool]);
  options.visibility = getValue(c.visPopup);
  // "Hierarchy" counts only under a parent; unparented it is not even read.
  options.hierarchy = options.parent != 0 ? getValue(boxes[kHierarchyBool]) : 0;

  // The values go in as read; the bone panel's bits survive.
  const auto bits = [](int32_t value, uint32_t shift) { return static_cast<uint32_t>(value) << shift; };
  gOptionStore.word =
      (gOptionStore.word & kNullPanelKeeps) | bits(options.suffixCode, kWordSuffixShift) |
      bits(options.prefixCode, kWordPrefixShift) | bits(options.itemActive, kWordActiveShift) |
      bits(options.selectAfter, kWordSelectShift) | bits(options.parent, kWordParentShift) |
      bits(options.localZero, kWordZeroShift) | bits(options.colourCode, kWordNullColourShift);
}

}  // namespace

void parentEffect(Control *parent, void *userData) {
  try {
    if (userData == nullptr) return;
    Control *const *boxes = boxesOf(userData);
    const int mode = drawModeFor(getValue(parent) != 0);
    drawControl(boxes[kZeroBool], mode);
    drawControl(boxes[kHierarchyBool], mode);
  } catch (...) {
    noteCallbackFailure();
  }
}

int nullPanel(GlobalFunc *global, NullOptions &record, const NamingLists *lists) {
  try {
    if (global == nullptr || lists == nullptr) return 0;
    NullState state{record, {}};
    // The title is the command's server name.
    const PanelSteps<NullState> steps = {
        serverName(kNullServer), kNullPanelKind, prepare, build, wire, height, readBack};
    return runPanel(global, static_cast<uint32_t>(record.hostBuild), lists, steps, state);
  } catch (...) {
    return 0;
  }
}

}  // namespace mint
