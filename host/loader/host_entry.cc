#include "host/loader/host_entry.h"

#include "host/host.h"
#include "host/loader/binding.h"

namespace layout {

void reportHostFailure(const char *call, const char *what) noexcept {
  Host *host = Binding<Host>::active();
  if (!host) host = Binding<Host>::last();
  (host ? host->diagnostics() : unboundDiagnostics()).hostFailure(call, what);
}

}  // namespace layout
