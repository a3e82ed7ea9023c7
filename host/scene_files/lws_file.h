// Scene files in Layout's own format (.lws, versions 3 to 5). Reading one
// fills the host's scene with what it models and keeps everything else in an
// LwsDocument; saving with that document gives back the file's own bytes for
// every line no change touched. docs/scene-format.md describes both.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "host/files/streamed_input.h"
#include "host/host.h"
#include "host/scene_files/lws_document.h"
#include "host/scene_files/scene_file.h"

namespace layout {

// Whether a path names a Layout scene file: it ends in ".lws", any case.
bool isLwsPath(std::string_view path);

// Replaces the host's scene with the file's, sets the build number and
// dynamic update to their defaults (the file holds neither) and selects
// nothing. On error the host keeps what it had and `document` is untouched.
std::optional<FileError> readLwsScene(std::string text, const std::string &fileName, Host &host,
                                      std::unique_ptr<LwsDocument> &document);
// The same for a file still being read: its lines are read as they come in,
// and the document keeps its bytes. Throws FileProblem when the file cannot
// be read to its end, in place of any error in its text.
std::optional<FileError> readLwsScene(StreamedInput &input, const std::string &fileName, Host &host,
                                      std::unique_ptr<LwsDocument> &document);

// A scene the file format cannot number, such as an object with more than
// 4096 bones.
struct LwsWriteError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The host's scene as a scene file: over `document` when the scene was read
// from one, else as a new version 5 file. Throws LwsWriteError.
std::string writeLwsScene(const Host &host, const LwsDocument *document);

}  // namespace layout
