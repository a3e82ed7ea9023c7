// Why a file could not be read or written, with the path the user gave:
// "cannot write out/rig.json: it is a FIFO, not a regular file".
#pragma once

#include <stdexcept>
#include <string>

namespace layout {

class FileProblem : public std::runtime_error {
 public:
  enum class Kind {
    kSystem,          // the system refused (missing folder, no space, no permission...)
    kNotRegular,      // a folder, FIFO, device or socket where a regular file belongs
    kWriteProtected,  // an existing file without write permission, replaced only when forced
    kTooLarge,        // an input over the size limit
  };

  // `verb` is "read" or "write"; what() is "cannot VERB PATH: REASON".
  FileProblem(Kind kind, const std::string &verb, std::string path, std::string reason)
      : std::runtime_error("cannot " + verb + " " + path + ": " + reason),
        kind_(kind),
        path_(std::move(path)),
        reason_(std::move(reason)) {}

  Kind kind() const { return kind_; }
  const std::string &path() const { return path_; }
  const std::string &reason() const { return reason_; }

 private:
  Kind kind_;
  std::string path_;
  std::string reason_;
};

}  // namespace layout
