// The naming row at the top of both panels: base name, prefix and suffix
// numbering, count, start number and colour, with the value rules that run
// whenever the user edits one of its fields.
#pragma once

#include <cstdint>

#include "layout.h"
#include "panels/dialog.h"
#include "panels/panel_context.h"

namespace mint {

// Text buffers: number fields hold at most 7 characters; the name event reads
// one byte more than the stored name holds.
inline constexpr int32_t kNumberText = 8;
inline constexpr int32_t kNameEventText = 65;
// Highest count and start number a field accepts.
inline constexpr int32_t kNumberFieldMax = 1000;

// Creates the six naming controls and stores them in the context found in the
// services' user-data field. False when the host failed to create one.
bool buildNamingRow(PanelServices *services, Panel *panel, const NamingLists *lists);

// Sets the initial values of the naming row: the remembered name, "1" in the
// count and start fields, and the numbering and colour codes of the packed
// option word (the colour at `colourShift`).
void setNamingValues(const PanelContext &context, char *storedName, uint32_t word, uint32_t colourShift);

// Attaches user data and event functions to the naming controls.
void wireNamingRow(PanelServices *services);

// Reads a number field as a leading decimal integer (no digits gives 0).
int32_t readNumberField(Control *field);
// Sets a number field or the name field from a short text.
void setNumberText(Control *field, const char *text);
void setNameText(Control *field, const char *text);

// The default base name of a panel kind.
const char *defaultName(int32_t panelKind);

// Event functions, called as event(control, user data).
// Prefix and suffix popups: a separator entry falls back to entry 0.
void numberingPopupEvent(Control *popup, void *userData);
// Name field (user data: the services table): an empty name gets the default.
void nameEvent(Control *field, void *userData);
// Count and start fields (user data: the field's minimum): clamps the entry.
void numberEvent(Control *field, void *userData);

}  // namespace mint
