// Choices remembered from one confirmed panel to the next for the life of the
// host process, and the constant choice lists of the naming controls.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mint {

// Longest base name a panel accepts, and its buffer with the terminator.
inline constexpr size_t kBaseNameMax = 63;
inline constexpr size_t kBaseNameBuffer = kBaseNameMax + 1;

struct OptionStore {
  char nullName[kBaseNameBuffer];
  char boneName[kBaseNameBuffer];
  float restLength;
  // Packed option word; the bit layout is below.
  uint32_t word;
};

// The module's one piece of state, initialised statically at load.
extern OptionStore gOptionStore;

inline constexpr uint32_t kInitialOptionWord = 0xFF014800u;

// Bits of the packed option word.
inline constexpr uint32_t kWordSuffixShift = 0;       // bits 0-3
inline constexpr uint32_t kWordPrefixShift = 4;       // bits 4-7
inline constexpr uint32_t kWordIndividualShift = 10;  // bone: siblings
inline constexpr uint32_t kWordMultiplyShift = 11;    // bone: multiply strength
inline constexpr uint32_t kWordActiveShift = 13;      // null: item active
inline constexpr uint32_t kWordSelectShift = 14;      // null: select afterwards
inline constexpr uint32_t kWordParentShift = 15;      // null: parent
inline constexpr uint32_t kWordZeroShift = 16;        // null: local zero
inline constexpr uint32_t kWordNullColourShift = 24;  // bits 24-27
inline constexpr uint32_t kWordBoneColourShift = 28;  // bits 28-31
// What each panel keeps of the word when it writes it back: the other panel's bits.
inline constexpr uint32_t kNullPanelKeeps = 0xF0001F00u;
inline constexpr uint32_t kBonePanelKeeps = 0x0F01E000u;

inline uint32_t wordField(uint32_t word, uint32_t shift, uint32_t mask) { return (word >> shift) & mask; }

// Choice lists: position is the stored code; each ends with a NULL entry.
inline constexpr int kColourLeaveHost = 15;
extern const char *const kColourList[17];
extern const char *const kPrefixList[17];
extern const char *const kSuffixList[17];

}  // namespace mint
