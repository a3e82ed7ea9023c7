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

struct NullOptions;
struct BoneOptions;

// A panel function shows its panel and, on OK, fills `record` (its hostBuild
// is set beforehand) and the option store. Returns the panel's open result:
// non-zero for OK, 0 for Cancel or when no panel could be shown.
template <typename Record>
using PanelFunction = int(GlobalFunc *global, Record &record, const NamingLists *lists);

// Shows a panel and returns its result, or 0 when one of its callbacks
// failed while it was open.
int runDialog(GlobalFunc *global, NullOptions &record, PanelFunction<NullOptions> *panel);
int runDialog(GlobalFunc *global, BoneOptions &record, PanelFunction<BoneOptions> *panel);

// The two panels.
int nullPanel(GlobalFunc *global, NullOptions &record, const NamingLists *lists);
int bonePanel(GlobalFunc *global, BoneOptions &record, const NamingLists *lists);

}  // namespace mint
