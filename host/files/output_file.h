// Writing a user's file so that it is replaced whole or not at all, and only
// when it is a file to replace. The text goes to a fresh temporary beside the
// target (created exclusively, so nothing planted there can redirect it),
// which is synced, given the target's permissions and renamed over it; the
// folder is synced last. "-" is standard output. A symbolic link is written
// through: its target is replaced and the link stays. A folder, FIFO, device
// or socket is refused, and so is a write-protected file unless forced.
// SIGINT, SIGTERM and SIGHUP during a write remove the temporary.
//
//   layout::OutputFile file("out/rig.json");
//   file.write(header);
//   for (...) file.write(line);
//   file.commit();  // without it, the destructor removes the temporary
#pragma once

#include <string>
#include <string_view>

namespace layout {

// The path that means standard output.
inline constexpr std::string_view kStandardStream = "-";

struct OutputOptions {
  bool replaceWriteProtected = false;
};

class OutputFile {
 public:
  // Checks the target and opens the temporary. Throws FileProblem.
  explicit OutputFile(std::string path, OutputOptions options = {});
  // Without commit() the temporary is removed and the target is untouched.
  ~OutputFile();
  OutputFile(const OutputFile &) = delete;
  OutputFile &operator=(const OutputFile &) = delete;

  // Buffered; throws FileProblem.
  void write(std::string_view text);
  // Makes the text the target's content. Throws FileProblem, after which the
  // target is untouched (or, for standard output, partly written).
  void commit();

  // The open temporary, for a program that writes the content itself; what
  // was written before is flushed first. Standard output's is 1.
  int descriptor();
  const std::string &path() const { return path_; }
  bool isStandardOutput() const { return path_ == kStandardStream; }

 private:
  void flush();
  void discard();
  [[noreturn]] void fail(const std::string &reason);

  std::string path_;       // as the user gave it, for messages
  std::string target_;     // the file replaced: path_ with links followed
  std::string temporary_;  // empty for standard output
  std::string buffer_;
  int fd_ = -1;
  int registration_ = -1;  // for removal on a signal
  bool committed_ = false;
};

// The whole content in one go. Throws FileProblem.
void writeFileAtomically(const std::string &path, std::string_view content, OutputOptions options = {});

}  // namespace layout
