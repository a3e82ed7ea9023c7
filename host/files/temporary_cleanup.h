// Temporaries that a signal must not leave behind: while one is registered,
// SIGINT, SIGTERM and SIGHUP remove it before the signal takes its usual
// course. A signal the process ignores stays ignored.
#pragma once

#include <string>

namespace layout {

// Returns the registration, or -1 when every slot is taken or the path is too
// long to keep (the temporary is then only removed on the normal paths).
int registerTemporary(const std::string &path);
void unregisterTemporary(int registration);

}  // namespace layout
