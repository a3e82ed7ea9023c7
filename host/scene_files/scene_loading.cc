#include "host/scene_files/scene_loading.h"

#include "host/files/input_file.h"
#include "host/files/output_file.h"
#include "host/files/streamed_input.h"
#include "host/scene_files/lws_file.h"

namespace layout {
namespace {

// The word a Layout scene file begins with.
constexpr std::string_view kLayoutSceneStart = "LWSC";

}  // namespace

SceneLoad loadSceneFrom(const std::string &path, Host &host, std::unique_ptr<LwsDocument> &lws) {
  SceneLoad load;
  if (path == kStandardStream) {
    InputBytes bytes = readInputBytes(path, kLargestInput, false);
    load.lws = bytes.view().starts_with(kLayoutSceneStart);
    load.error = load.lws ? readLwsScene(bytes.take(), "standard input", host, lws)
                          : readScene(bytes.view(), "standard input", host);
    return load;
  }
  load.lws = isLwsPath(path);
  if (!load.lws) {
    load.error = readScene(readInputBytes(path), path, host);
    return load;
  }
#ifdef _WIN32
  // One thread, and the bytes read before they are parsed.
  load.error = readLwsScene(readInputBytes(path, kLargestInput, false).take(), path, host, lws);
#else
  StreamedInput input(path);
  load.error = readLwsScene(input, path, host, lws);
#endif
  return load;
}

}  // namespace layout
