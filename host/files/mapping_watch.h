// A mapped file that another program shortens while it is read would end the
// process with a bus error (SIGBUS) at the first page past the file's new
// end. While a mapping is watched, such a fault puts zero-filled pages in
// place of the lost ones instead and marks the mapping as cut short, so the
// reader runs to its end and the caller reports that the file changed.
#pragma once

#include <cstddef>

namespace layout {

// Starts watching the bytes [begin, begin + size), which must be a whole
// mapping: the lost pages are replaced to its end. Returns the watch, or -1
// when no more mappings can be watched at once (the caller then reads the
// file instead of mapping it). Not available on Windows, where files are read.
int watchMapping(const char *begin, size_t size);

// Whether pages of the watched mapping were lost since it was watched.
bool mappingCutShort(int watch);

// Stops watching; call before the mapping is unmapped.
void unwatchMapping(int watch);

}  // namespace layout
