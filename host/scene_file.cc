#include "host/scene_file.h"

#include "host/file_problem.h"
#include "host/input_file.h"
#include "host/scene_reader.h"

namespace layout {
namespace {

FileError errorAt(std::string_view text, const std::string &fileName, size_t offset, std::string message) {
  const TextPosition position = textPosition(text, offset);
  return {fileName, position.line, position.column, std::move(message),
          std::string(lineOf(text, position.line))};
}

// The parser's message without its own "[json.exception...] parse error at
// line 1, column 5: " prefix, as the place is given the usual way.
std::string parserMessage(const Json::exception &error) {
  const std::string_view what = error.what();
  const size_t column = what.find(", column ");
  const size_t start = column != std::string_view::npos ? what.find(": ", column) : what.find("] ");
  return std::string(start == std::string_view::npos ? what : what.substr(start + 2));
}

// A number too large for a double has no offset in the parser's error, but
// the message quotes it: the first place the text has it is a fair guess.
size_t quotedLiteralOffset(std::string_view text, std::string_view message) {
  const size_t open = message.find('\'');
  const size_t close = message.rfind('\'');
  if (open == std::string_view::npos || close <= open + 1) return std::string_view::npos;
  return text.find(message.substr(open + 1, close - open - 1));
}

}  // namespace

std::string FileError::format() const {
  std::string result = file;
  if (line > 0) result += ":" + std::to_string(line) + ":" + std::to_string(column);
  return (result.empty() ? "" : result + ": ") + message;
}

std::string FileError::formatWithSource() const {
  if (line < 1) return format();
  return format() + "\n" + caretExcerpt(lineText, column);
}

std::optional<FileError> readScene(std::string_view text, const std::string &fileName, Host &host) {
  SceneReader reader;
  try {
    const Json document =
        Json::parse(text.begin(), text.end(), [&reader](int depth, Json::parse_event_t event, Json &parsed) {
          return reader.onEvent(depth, event, parsed);
        });
    reader.finish(document);
  } catch (const SceneProblem &problem) {
    const std::string where = problem.path.text();
    return errorAt(text, fileName, locateInJson(text, problem.path),
                   where.empty() ? problem.message : where + ": " + problem.message);
  } catch (const Json::parse_error &error) {
    // `byte` counts the characters read, the offending one last.
    return errorAt(text, fileName, error.byte > 0 ? error.byte - 1 : 0, parserMessage(error));
  } catch (const Json::exception &error) {
    const std::string message = parserMessage(error);
    const size_t offset = quotedLiteralOffset(text, message);
    if (offset == std::string_view::npos) return FileError{fileName, 0, 0, message, {}};
    return errorAt(text, fileName, offset, message);
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
