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

std::optional<FileError> readScene(std::string_view text, const std::string &fileName, Host &host) {
  SceneReader reader;
  try {
    const Json document = parseJsonText(text, [&reader](int depth, Json::parse_event_t event, Json &parsed) {
      return reader.onEvent(depth, event, parsed);
    });
    reader.finish(document);
  } catch (const SceneProblem &problem) {
    const std::string where = problem.path.text();
    return errorAt(text, fileName, locateInJson(text, problem.path),
                   where.empty() ? problem.message : where + ": " + problem.message);
  } catch (const JsonTextError &error) {
    if (error.offset == std::string_view::npos) return FileError{fileName, 0, 0, error.message, {}};
    return errorAt(text, fileName, error.offset, error.message);
  } catch (const Json::exception &error) {
    const JsonTextError located = jsonTextError(text, error);
    if (located.offset == std::string_view::npos) return FileError{fileName, 0, 0, located.message, {}};
    return errorAt(text, fileName, located.offset, located.message);
  }
  host.scene().replace(std::move(reader.scene()));
  host.setBuild(reader.build());
  host.setDynamicUpdate(reader.dynamicUpdate());
  return std::nullopt;
}

std::optional<FileError> loadSceneFile(const std::string &path, Host &host) {
  std::string text;
  try {
    text = readInputFile(path);
  } catch (const FileProblem &problem) {
    return FileError{path, 0, 0, "cannot read: " + problem.reason(), {}};
  }
  return readScene(text, path, host);
}

}  // namespace layout
