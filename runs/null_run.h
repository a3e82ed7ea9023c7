// The null creation run: turns a confirmed NullOptions record into the
// command texts that add, name, flag, parent and select the new nulls.
#pragma once

#include "runs/options.h"
#include "runs/run_host.h"

namespace mint {

// Sends the whole run through host.local. `options` is adjusted in place
// (count 1 or less never selects). Returns the activation result: 0.
int runNulls(const RunHost &host, NullOptions &options, const char *baseName);

// The render-flag toggles for the current item or selection, in their fixed
// order; only flags that differ from a new null's start are sent.
void sendRenderFlags(const GenericLocal *local, const NullOptions &options);

}  // namespace mint
