// The bone options panel of the Joints command; its function is bonePanel in
// dialog.h.
#pragma once

#include <cstdint>

#include "layout.h"

namespace mint {

// Icon-size modes of the "icon" choice.
inline constexpr int32_t kIconModeDefault = 0;
inline constexpr int32_t kIconModeValue = 1;
inline constexpr int32_t kIconModeAuto = 2;

// Event of the "icon" choice: the percentage control (user data) is usable
// only in the "val" mode.
void iconModeEvent(Control *choice, void *userData);

}  // namespace mint
