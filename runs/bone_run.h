// The bone creation run: turns a confirmed BoneOptions record into the command
// texts that add named bones under every selected object or bone.
#pragma once

#include <cstdint>

#include "runs/options.h"
#include "runs/run_host.h"

namespace mint {

// What the run takes from the option store after the panel confirmed.
struct BoneRunInputs {
  const char *baseName;
  float restLength;
  // The host's selected-items list as read before the panel, with its length.
  const ItemID *selection;
  int32_t selectedCount;
};

// Sends the whole run through host.local. Returns the activation result: 0.
int runBones(const RunHost &host, const BoneOptions &options, const BoneRunInputs &inputs);

}  // namespace mint
