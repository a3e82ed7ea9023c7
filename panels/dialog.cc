#include "panels/dialog.h"

#include "module/option_store.h"
#include "panels/callback_failure.h"

namespace mint {

int runDialog(GlobalFunc *global, void *record, PanelFunction *panel) {
  const NamingLists lists = {kPrefixList, kSuffixList, kColourList};
  takeCallbackFailure();
  const int confirmed = panel(global, record, &lists);
  // A failure caught in a callback, or while the panel was taken down, ends
  // the run as cancelled.
  if (takeCallbackFailure()) return 0;
  return confirmed;
}

}  // namespace mint
