#include "runs/run_host.h"

#include <new>

namespace mint {

ItemID *allocateIdList(size_t count) { return new (std::nothrow) ItemID[count]; }

void releaseIdList(ItemID *ids) { delete[] ids; }

}  // namespace mint
