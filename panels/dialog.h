// The dialog runner: how an activation shows its options panel and learns
// whether the user confirmed.
#pragma once

#include "layout.h"

namespace mint {

// The three lists of the naming row, in this order.
struct NamingLists {
  const char *const *prefixList;
  const char *const *suffixList;
  const char *const *colourList;
};

// A panel function shows its panel and, on OK, fills `record` (a NullOptions
// or BoneOptions whose hostBuild is set) and the option store. Returns the
// panel's open result: non-zero for OK, 0 for Cancel or when no panel could
// be shown.
using PanelFunction = int(GlobalFunc *global, void *record, const NamingLists *lists);

int runDialog(GlobalFunc *global, void *record, PanelFunction *panel);

// The two panels.
int nullPanel(GlobalFunc *global, void *record, const NamingLists *lists);
int bonePanel(GlobalFunc *global, void *record, const NamingLists *lists);

}  // namespace mint
