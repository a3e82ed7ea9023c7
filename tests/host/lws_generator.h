// A large Layout scene file as a production rig has them, made on the spot
// for the tests and the benchmark: objects with long bone chains, nulls in
// deep chains below them, every item with a full still motion block.
#pragma once

#include <cstdio>
#include <string>

namespace layout::testing {

// `objects` geometry objects, each with `nullsPerObject` nulls in chains of
// ten and `bonesPerObject` bones in chains of ten (at most 4096).
inline std::string generatedLwsScene(int objects, int nullsPerObject, int bonesPerObject) {
  std::string text = "LWSC\n5\n\nFirstFrame 1\nLastFrame 240\nFrameStep 1\nFramesPerSecond 24\n\n";
  char line[128];
  const auto motion = [&line](std::string &out, const char *keyword, double x, double y, double z) {
    out += keyword;
    out += "\nNumChannels 9\n";
    const double values[9] = {x, y, z, 0, 0, 0, 1, 1, 1};
    for (int channel = 0; channel < 9; ++channel) {
      std::snprintf(line, sizeof line,
                    "Channel %d\n{ Envelope\n  1\n  Key %g 0 0 0 0 0 0 0 0\n  Behaviors 1 1\n}\n", channel,
                    values[channel]);
      out += line;
    }
  };
  int nullNumber = objects;
  std::string nulls;
  for (int object = 0; object < objects; ++object) {
    std::snprintf(line, sizeof line, "LoadObjectLayer 1 %08X Objects/Prop %05d.lwo\nShowObject 6 7\n",
                  0x10000000 + object, object);
    text += line;
    motion(text, "ObjectMotion", object, 0, 0);
    text += "SubPatchLevel 3 3\n\nBoneFalloffType 5\nFasterBones 1\n";
    for (int bone = 0; bone < bonesPerObject; ++bone) {
      const unsigned id = 0x40000000u | (static_cast<unsigned>(bone) << 16) | static_cast<unsigned>(object);
      std::snprintf(line, sizeof line,
                    "\nAddBone %08X\nBoneName Bone %d\nShowBone 1 -1 0.3 0.8 0.3\nBoneActive 1\n", id, bone);
      text += line;
      text +=
          "BoneRestPosition 0 0 0.1\nBoneRestDirection 0 0 0\nBoneRestLength 0.1\nScaleBoneStrength "
          "1\nBoneStrength 1\n";
      motion(text, "BoneMotion", 0, 0, 0.1);
      const unsigned parent = bone % 10 ? id - 0x10000u : 0x10000000u + static_cast<unsigned>(object);
      std::snprintf(line, sizeof line, "ParentItem %08X\n", parent);
      text += line;
    }
    text += "\nShadowOptions 7\n\n";
    for (int null = 0; null < nullsPerObject; ++null, ++nullNumber) {
      std::snprintf(line, sizeof line, "AddNullObject %08X Pivot %d of %d\nShowObject 1 3\n",
                    0x10000000 + nullNumber, null, object);
      nulls += line;
      motion(nulls, "ObjectMotion", 0, 0.5, 0);
      std::snprintf(line, sizeof line, "ParentItem %08X\nShadowOptions 7\n\n",
                    null % 10 ? 0x10000000 + nullNumber - 1 : 0x10000000 + object);
      nulls += line;
    }
  }
  text += nulls;
  text += "AmbientColor 1 1 1\nAmbientIntensity 0.05\n\nAddLight 20000000\nLightName Light\nShowLight 1 13\n";
  motion(text, "LightMotion", -2, 2, -2);
  text += "LightType 0\n\nAddCamera 30000000\nCameraName Camera\nShowCamera 1 10\n";
  motion(text, "CameraMotion", 0, 1, -5);
  text += "ZoomFactor 3.2\n\nSolidBackdrop 1\n";
  return text;
}

}  // namespace layout::testing
