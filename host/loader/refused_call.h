// Functions for the record fields a module must not call (scene saving in the
// generic's local record, event loops of the panel services, the item and bone
// functions Mint has no use for...). Each is a real function that names the
// call as misuse and answers zero, so a test fails if a module calls it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <type_traits>

#include "host/loader/diagnostics.h"

namespace layout {

// A call's name as a template argument: "LW Item Info 3 firstChild".
template <size_t N>
struct CallName {
  constexpr CallName(const char (&text)[N]) { std::copy_n(text, N, name); }
  char name[N];
};

// Where a refused call is reported: the diagnostics of the component bound to
// the running activation.
using DiagnosticsOf = Diagnostics &();

// Taken by address into a record field; the field's type fixes Result and Args.
template <CallName Name, DiagnosticsOf *Report, typename Result, typename... Args>
Result refusedCall(Args...) {
  Report().misuse(std::string(Name.name) + " is not for modules, yet it was called");
  if constexpr (!std::is_void_v<Result>) return Result{};
}

}  // namespace layout
