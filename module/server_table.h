// The module's two commands as the host sees them.
#pragma once

#include "layout.h"

namespace mint {

// Index of each command in the server table.
enum ServerIndex { kNullServer = 0, kBoneServer = 1 };

// The server table ends with an all-zero record.
extern const ServerRecord kServerTable[3];

// A command's name, which is also the title of its options panel.
inline const char *serverName(ServerIndex index) { return kServerTable[index].serverName; }

}  // namespace mint
