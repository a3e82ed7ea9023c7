#include "host/files/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>

#include "host/files/file_problem.h"
#include "host/files/replace_file.h"
#include "host/files/temporary_cleanup.h"

namespace layout {
namespace {

constexpr size_t kBufferSize = 1 << 16;
// Links followed before giving up, as the kernel does.
constexpr int kMostLinks = 40;
// Bytes of the target's name kept in the temporary's, so that
// ".NAME.tmp-XXXXXX" stays within the 255 bytes a name may have.
constexpr size_t kNameBytesKept = 200;

std::string folderOf(const std::string &path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string &path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What is not a regular file, for the message that refuses it.
const char *kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
#ifndef _WIN32
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
#else
  if (S_ISCHR(mode)) return "a device";
#endif
  return "not a file";
}

#ifdef _WIN32
// Windows has no links to follow, no owners or mode bits to keep and no
// folder to sync; the temporary is created exclusively all the same.
int lstat(const char *path, struct stat *status) { return ::stat(path, status); }
bool isLink(mode_t) { return false; }
ssize_t readlink(const char *, char *, size_t) { return -1; }
int createTemporary(std::string &pattern) {
  std::random_device seed;
  std::mt19937 random(seed());
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    for (size_t i = pattern.size() - 6; i < pattern.size(); ++i) pattern[i] = kLetters[random() % 36];
    const int fd = ::_open(pattern.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                           _S_IREAD | _S_IWRITE);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}
int keepOwnerAndMode(int, const struct stat &, bool) { return 0; }
int flushToDisk(int fd) { return ::_commit(fd); }
bool syncFolder(const std::string &, int &) { return true; }
#else
using ::lstat;
using ::readlink;
bool isLink(mode_t mode) { return S_ISLNK(mode); }
int createTemporary(std::string &pattern) { return ::mkostemp(pattern.data(), O_CLOEXEC); }
mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}
// A file saved over keeps its permissions and, where allowed, its owner.
int keepOwnerAndMode(int fd, const struct stat &status, bool exists) {
  if (exists) {
    struct stat own = {};
    if (::fstat(fd, &own) == 0 && (own.st_uid != status.st_uid || own.st_gid != status.st_gid)) {
      if (::fchown(fd, status.st_uid, status.st_gid) != 0) {
        // Not ours to give away: the file becomes the saver's, as with any editor.
      }
    }
  }
  return ::fchmod(fd, exists ? status.st_mode & 07777 : newFileMode());
}
int flushToDisk(int fd) { return ::fsync(fd); }
// The rename itself is made lasting by syncing the folder that holds it.
bool syncFolder(const std::string &folder, int &syncErrno) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return true;
  const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
  syncErrno = errno;
  ::close(fd);
  return synced;
}
#endif

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    if (written == 0) {
      errno = EIO;
      return false;
    }
    text.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

}  // namespace

OutputFile::OutputFile(std::string path, OutputOptions options) : path_(std::move(path)) {
  buffer_.reserve(kBufferSize);
  if (isStandardOutput()) {
    // What the program printed before comes first.
    std::cout.flush();
    std::fflush(stdout);
    fd_ = STDOUT_FILENO;
    return;
  }
  if (path_.empty()) fail("no file name given");
  // Follow links to the file they name; the links stay as they are.
  target_ = path_;
  struct stat status = {};
  bool exists = false;
  for (int links = 0;; ++links) {
    if (lstat(target_.c_str(), &status) != 0) {
      if (errno != ENOENT) fail(std::strerror(errno));
      break;
    }
    if (!isLink(status.st_mode)) {
      exists = true;
      break;
    }
    if (links == kMostLinks) fail(std::strerror(ELOOP));
    std::string link(static_cast<size_t>(status.st_size > 0 ? status.st_size : 4095) + 1, '\0');
    const ssize_t length = readlink(target_.c_str(), link.data(), link.size());
    if (length < 0) fail(std::strerror(errno));
    link.resize(static_cast<size_t>(length));
    target_ = link.front() == '/' ? link : folderOf(target_) + "/" + link;
  }
  const std::string through = target_ == path_ ? "" : " (the link's target " + target_ + ")";
  if (exists && !S_ISREG(status.st_mode)) {
    const bool stream = kindOf(status.st_mode) == std::string_view("a FIFO") || S_ISCHR(status.st_mode);
    throw FileProblem(FileProblem::Kind::kNotRegular, "write", path_,
                      std::string("it is ") + kindOf(status.st_mode) + ", not a regular file" + through +
                          (stream ? "; - writes to standard output" : ""));
  }
  if (exists && !options.replaceWriteProtected &&
      ((status.st_mode & 0222) == 0 || ::access(target_.c_str(), W_OK) != 0)) {
    throw FileProblem(FileProblem::Kind::kWriteProtected, "write", path_, "it is write-protected" + through);
  }

  // Created exclusively, beside the target so the rename stays on one file system.
  std::string name = nameOf(target_);
  if (name.size() > kNameBytesKept) {
    size_t keep = kNameBytesKept;
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;  // whole characters
    name.resize(keep);
  }
  std::string temporary = folderOf(target_) + "/." + name + ".tmp-XXXXXX";
  fd_ = createTemporary(temporary);
  if (fd_ < 0) fail(std::strerror(errno));
  temporary_ = temporary;
  registration_ = registerTemporary(temporary_);
  if (keepOwnerAndMode(fd_, status, exists) != 0) fail(std::strerror(errno));
}

OutputFile::~OutputFile() {
  if (!committed_) discard();
}

void OutputFile::discard() {
  if (temporary_.empty()) return;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  ::unlink(temporary_.c_str());
  unregisterTemporary(registration_);
  registration_ = -1;
  temporary_.clear();
}

void OutputFile::fail(const std::string &reason) {
  discard();
  throw FileProblem(FileProblem::Kind::kSystem, "write", isStandardOutput() ? "standard output" : path_,
                    reason);
}

void OutputFile::flush() {
  if (!buffer_.empty() && !writeAll(fd_, buffer_)) fail(std::strerror(errno));
  buffer_.clear();
}

void OutputFile::write(std::string_view text) {
  if (buffer_.size() + text.size() > kBufferSize) {
    flush();
    if (text.size() > kBufferSize) {
      if (!writeAll(fd_, text)) fail(std::strerror(errno));
      return;
    }
  }
  buffer_.append(text);
}

int OutputFile::descriptor() {
  flush();
  return fd_;
}

void OutputFile::commit() {
  flush();
  committed_ = true;
  if (isStandardOutput()) return;
  committed_ = false;
  if (flushToDisk(fd_) != 0) fail(std::strerror(errno));
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) fail(std::strerror(errno));
  if (const int error = replaceFile(temporary_, target_)) fail(std::strerror(error));
  committed_ = true;
  unregisterTemporary(registration_);
  int syncErrno = 0;
  const bool synced = syncFolder(folderOf(target_), syncErrno);
  if (!synced) {
    throw FileProblem(
        FileProblem::Kind::kSystem, "write", path_,
        std::string("written, but its folder could not be synced: ") + std::strerror(syncErrno));
  }
}

void writeFileAtomically(const std::string &path, std::string_view content, OutputOptions options) {
  OutputFile file(path, options);
  file.write(content);
  file.commit();
}

}  // namespace layout
