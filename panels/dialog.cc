#include "panels/dialog.h"

#include "module/option_store.h"

namespace mint {

int runDialog(GlobalFunc *global, void *record, PanelFunction *panel) {
  const NamingLists lists = {kPrefixList, kSuffixList, kColourList};
  return panel(global, record, &lists);
}

}  // namespace mint
