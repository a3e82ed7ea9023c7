// The scene every command works on when none is given: a small rig with
// an object hierarchy, a bone chain, a light and a camera.
#include "host/scene_files/scene_file.h"

namespace layout {

std::string_view defaultScene() {
  return R"({
  "format": "mint-scene",
  "version": 1,
  "build": 2000,
  "dynamicUpdate": 2,
  "items": [
    {"id": "10000000", "type": "object", "name": "Body"},
    {"id": "10000001", "type": "object", "name": "Hips", "null": true, "parent": "10000000",
     "position": [0, 1, 0]},
    {"id": "10000002", "type": "object", "name": "Prop", "position": [1.5, 0, 0]},
    {"id": "20000000", "type": "light", "name": "Key Light", "position": [-2, 3, -2]},
    {"id": "30000000", "type": "camera", "name": "Camera", "position": [0, 1, -5]},
    {"id": "40000000", "type": "bone", "name": "Spine", "owner": "10000000", "position": [0, 1, 0],
     "restLength": 0.5},
    {"id": "40000001", "type": "bone", "name": "Chest", "owner": "10000000", "parent": "40000000",
     "position": [0, 0, 0.5], "restLength": 0.4},
    {"id": "40000002", "type": "bone", "name": "Neck", "owner": "10000000", "parent": "40000001",
     "position": [0, 0, 0.4], "restLength": 0.2}
  ],
  "selection": ["10000000"],
  "current": "10000000"
}
)";
}

}  // namespace layout
