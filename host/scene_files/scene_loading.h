// Loading a scene file of either format from a path, as the command line
// does: a JSON scene is read from a mapping of the file, a Layout scene is
// parsed while a second thread reads it, and standard input ("-") is read
// whole first, a Layout scene being told by its first word.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/host.h"
#include "host/scene_files/lws_document.h"
#include "host/scene_files/scene_file.h"

namespace layout {

struct SceneLoad {
  std::optional<FileError> error;  // a mistake in the file; the host keeps its scene then
  bool lws = false;                // a Layout scene file, now held in the document
};

// Replaces the host's scene with the file's; a Layout scene's document goes
// into `lws`, which is left as it was for a JSON scene or an error. Messages
// name standard input "standard input". Throws FileProblem when the file
// cannot be read.
SceneLoad loadSceneFrom(const std::string &path, Host &host, std::unique_ptr<LwsDocument> &lws);

}  // namespace layout
