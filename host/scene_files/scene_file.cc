#include "host/scene_files/scene_file.h"

#include "host/files/file_problem.h"
#include "host/files/input_file.h"
#include "host/scene_files/json_reader.h"
#include "host/scene_files/scene_reader.h"

namespace layout {
namespace {

FileError errorAt(std::string_view text, const std::string &fileName, size_t offset, std::string message) {
  const TextPosition position = textPosition(text, offset);
  return {fileName, position.line, position.column, std::move(message),
          std::string(lineOf(text, position.line))};
}

}  // namespace

std::string FileError::format() const {
  const std::string where = fileLocation(file, line, column);
  return (where.empty() ? "" : where + ": ") + message;
}

std::string FileError::formatWithSource() const {
  return formatLocated(file, line, column, message, lineText);
}

namespace {

// The file's scene into `reader`, or where and why it is not one.
std::optional<FileError> parseScene(std::string_view text, const std::string &fileName, SceneReader &reader) {
  try {
    reader.read(text);
  } catch (const SceneProblem &problem) {
    const std::string where = problem.path.text();
    return errorAt(text, fileName, locateInJson(text, problem.path),
                   where.empty() ? problem.message : where + ": " + problem.message);
  } catch (const JsonSyntaxError &error) {
    // The general parser words a syntax error the way users know it.
    const JsonTextError explained = explainJsonError(text);
    if (explained.message.empty()) return errorAt(text, fileName, error.offset, "not valid JSON");
    if (explained.offset == std::string_view::npos) return FileError{fileName, 0, 0, explained.message, {}};
    return errorAt(text, fileName, explained.offset, explained.message);
  } catch (const JsonTextError &error) {
    return errorAt(text, fileName, error.offset, error.message);
  }
  return std::nullopt;
}

void takeScene(SceneReader &reader, Host &host) {
  host.scene().replace(std::move(reader.scene()));
  host.setBuild(reader.build());
  host.setDynamicUpdate(reader.dynamicUpdate());
}

}  // namespace

std::optional<FileError> readScene(std::string_view text, const std::string &fileName, Host &host) {
  SceneReader reader;
  std::optional<FileError> error = parseScene(text, fileName, reader);
  if (!error) takeScene(reader, host);
  return error;
}

std::optional<FileError> readScene(const InputBytes &bytes, const std::string &fileName, Host &host) {
  SceneReader reader;
  std::optional<FileError> error = parseScene(bytes.view(), fileName, reader);
  // Bytes lost to a shortened file read as zeros: neither the scene nor the
  // error found in them is the file's.
  if (bytes.cutShort()) throw FileProblem(FileProblem::Kind::kSystem, "read", fileName, kFileChangedSize);
  if (!error) takeScene(reader, host);
  return error;
}

std::optional<FileError> loadSceneFile(const std::string &path, Host &host) {
  try {
    return readScene(readInputBytes(path), path, host);
  } catch (const FileProblem &problem) {
    return FileError{path, 0, 0, "cannot read: " + problem.reason(), {}};
  }
}

}  // namespace layout
