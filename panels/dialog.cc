#include "panels/dialog.h"

#include "module/option_store.h"
#include "panels/callback_failure.h"

namespace mint {

namespace {

template <typename Record>
int confirmed(GlobalFunc *global, Record &record, PanelFunction<Record> *panel) {
  const NamingLists lists = {kPrefixList, kSuffixList, kColourList};
  takeCallbackFailure();
  const int result = panel(global, record, &lists);
  // A failure caught in a callback, or while the panel was taken down, ends
  // the run as cancelled.
  if (takeCallbackFailure()) return 0;
  return result;
}

}  // namespace

int runDialog(GlobalFunc *global, NullOptions &record, PanelFunction<NullOptions> *panel) {
  return confirmed(global, record, panel);
}

int runDialog(GlobalFunc *global, BoneOptions &record, PanelFunction<BoneOptions> *panel) {
  return confirmed(global, record, panel);
}

}  // namespace mint
