#include "panels/naming_row.h"

#include <cstring>

#include "module/option_store.h"
#include "panels/callback_failure.h"
#include "panels/control_builder.h"
#include "panels/control_values.h"
#include "panels/user_data.h"
#include "runs/text_builders.h"

namespace mint {
namespace {

constexpr int32_t kCountMin = 1;
constexpr int32_t kStartMin = 0;

// Copies a short text into a buffer of the field's size and sets it.
template <int32_t Size>
void setFieldText(Control *field, const char *text) {
  char buffer[Size] = {};
  std::strncpy(buffer, text, Size - 1);
  setText(field, buffer, Size);
}

}  // namespace

bool buildNamingRow(PanelServices *services, Panel *panel, const NamingLists *lists) {
  PanelContext *context = contextOf(services);
  if (context == nullptr) return false;
  ControlEntry entries[] = {
      {true, &context->nameEdit, LAYOUT_CONTROL_EDIT, editDesc(36), ""},
      {true, &context->countEdit, LAYOUT_CONTROL_EDIT, editDesc(10), "Num"},
      {true, &context->startEdit, LAYOUT_CONTROL_EDIT, editDesc(10), "CountSt"},
      {true, &context->prefixPopup, LAYOUT_CONTROL_POPUP, listDesc(lists->prefixList, 59), ""},
      {true, &context->suffixPopup, LAYOUT_CONTROL_POPUP, listDesc(lists->suffixList, 62), ""},
      {true, &context->colourPopup, LAYOUT_CONTROL_POPUP, listDesc(lists->colourList, 84), "Col"},
  };
  if (!addControls(services, panel, entries)) return false;
  // First row: prefix popup, name, suffix popup; second row: start left of
  // count. Each panel places the colour popup itself.
  setEach(LAYOUT_CTL_X, {{context->prefixPopup, -1},
                         {context->nameEdit, 59},
                         {context->suffixPopup, 244},
                         {context->startEdit, 115},
                         {context->countEdit, 229}});
  setEach(LAYOUT_CTL_Y, {{context->prefixPopup, 0},
                         {context->suffixPopup, 0},
                         {context->nameEdit, 0},
                         {context->countEdit, 28},
                         {context->startEdit, 28}});
  return true;
}

void setNamingValues(const PanelContext &context, char *storedName, uint32_t word, uint32_t colourShift) {
  setText(context.nameEdit, storedName, static_cast<int32_t>(kBaseNameBuffer));
  setNumberText(context.countEdit, "1");
  setNumberText(context.startEdit, "1");
  setValue(context.suffixPopup, static_cast<int32_t>(wordField(word, kWordSuffixShift, 0xF)));
  setValue(context.prefixPopup, static_cast<int32_t>(wordField(word, kWordPrefixShift, 0xF)));
  setValue(context.colourPopup, static_cast<int32_t>(wordField(word, colourShift, 0xF)));
}

void wireNamingRow(PanelServices *services) {
  const PanelContext *context = contextOf(services);
  if (context == nullptr) return;
  setServicesData(context->prefixPopup, services);
  setServicesData(context->suffixPopup, services);
  setServicesData(context->nameEdit, services);
  setEvent(context->prefixPopup, numberingPopupEvent);
  setEvent(context->suffixPopup, numberingPopupEvent);
  setEvent(context->nameEdit, nameEvent);
  // A number field's user data is its minimum.
  setMinimumData(context->countEdit, kCountMin);
  setMinimumData(context->startEdit, kStartMin);
  setEvent(context->countEdit, numberEvent);
  setEvent(context->startEdit, numberEvent);
}

int32_t readNumberField(Control *field) {
  char text[kNumberText];
  getText(field, text, kNumberText);
  return parseLeadingDecimal(text);
}

void setNumberText(Control *field, const char *text) { setFieldText<kNumberText>(field, text); }

void setNameText(Control *field, const char *text) {
  setFieldText<static_cast<int32_t>(kBaseNameBuffer)>(field, text);
}

const char *defaultName(int32_t panelKind) { return panelKind == kNullPanelKind ? "Null" : "Bone"; }

void numberingPopupEvent(Control *popup, void *) {
  try {
    // Entries 4, 8 and 12 are separator rows, and entry 0 means no number:
    // either way the popup shows entry 0.
    if ((getValue(popup) & 3) == 0) setValue(popup, 0);
  } catch (...) {
    noteCallbackFailure();
  }
}

void nameEvent(Control *field, void *userData) {
  try {
    const PanelContext *context = contextOf(userData);
    if (context == nullptr) return;
    char text[kNameEventText];
    getText(field, text, kNameEventText);
    if (text[0] != '\0') return;
    std::strcpy(text, defaultName(context->panelKind));
    setText(field, text, kNameEventText);
  } catch (...) {
    noteCallbackFailure();
  }
}

void numberEvent(Control *field, void *userData) {
  try {
    const int32_t minimum = minimumOf(userData);
    char text[kNumberText];
    getText(field, text, kNumberText);
    int32_t value = parseLeadingDecimal(text);
    if (value < minimum) value = minimum;
    if (value > kNumberFieldMax) value = kNumberFieldMax;
    writeDecimal(value, text, kTerminate);
    setText(field, text, kNumberText);
  } catch (...) {
    noteCallbackFailure();
  }
}

}  // namespace mint
