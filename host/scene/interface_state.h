// Layout's interface settings that commands change and the information
// services report, apart from the scene itself.
#pragma once

namespace layout {

enum class EditMode { kObjects, kBones, kLights, kCameras };

struct InterfaceState {
  // 0 off, 1 delayed, 2 interactive. Off by default, so a run's transcript
  // holds only its own work unless a test switches it on.
  int dynamicUpdate = 0;
  EditMode editMode = EditMode::kObjects;
};

}  // namespace layout
