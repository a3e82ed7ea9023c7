#include "host/host_entry.h"

#include "host/binding.h"
#include "host/host.h"

namespace layout {

void reportHostFailure(const char *call, const char *what) noexcept {
  Host *host = Binding<Host>::active();
  if (!host) host = Binding<Host>::last();
  (host ? host->diagnostics() : unboundDiagnostics()).hostFailure(call, what);
}

}  // namespace layout
