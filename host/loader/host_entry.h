// The boundary between the module and the host: every function the module
// calls through the host's tables (global look-up, information services,
// evaluate, panel, control and menu services) is wrapped in guarded<>, so
// nothing thrown inside the host unwinds through the module's frames. The
// exception stops at the boundary and is recorded as a host failure of the
// running host; the call answers as a refusal would (null, 0 or nothing).
// Only a HostFault planted by the fault plan passes on into the module: it is
// thrown there on purpose, to prove the module survives a throwing host.
//
//   PanelServices table = {guarded<"LWPanelServices.create", &createPanel>, ...};
#pragma once

#include <exception>
#include <type_traits>

#include "host/loader/fault_plan.h"
#include "host/loader/refused_call.h"

namespace layout {

// Records the failure with the running host (or the last one). Never throws.
void reportHostFailure(const char *call, const char *what) noexcept;

template <CallName Name, auto Function>
struct Guard;

template <CallName Name, typename Result, typename... Args, Result (*Function)(Args...)>
struct Guard<Name, Function> {
  static Result call(Args... args) {
    try {
      return Function(args...);
    } catch (const HostFault &) {
      throw;
    } catch (const std::exception &error) {
      reportHostFailure(Name.name, error.what());
    } catch (...) {
      reportHostFailure(Name.name, "an unknown exception");
    }
    if constexpr (!std::is_void_v<Result>) return Result{};
  }
};

template <CallName Name, auto Function>
inline constexpr auto guarded = &Guard<Name, Function>::call;

}  // namespace layout
