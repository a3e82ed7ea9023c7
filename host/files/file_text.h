// A file's bytes held in memory: either a string handed in, or a block of
// the file's size that a reader fills in place. The block is never cleared
// first, so its pages are first touched by whoever writes the bytes into
// them, which can be another thread than the one that allocated it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace layout {

class FileText {
 public:
  FileText() = default;
  explicit FileText(std::string text) : string_(std::move(text)) {}
  // `size` bytes whose contents are left as they come: to be written
  // through data() before they are read.
  static FileText forFilling(size_t size) {
    FileText text;
    text.block_ = std::make_unique_for_overwrite<char[]>(size);
    text.blockSize_ = size;
    return text;
  }

  char *data() { return block_ ? block_.get() : string_.data(); }
  const char *data() const { return block_ ? block_.get() : string_.data(); }
  size_t size() const { return block_ ? blockSize_ : string_.size(); }
  std::string_view view() const { return {data(), size()}; }
  operator std::string_view() const { return view(); }

 private:
  std::string string_;
  std::unique_ptr<char[]> block_;
  size_t blockSize_ = 0;
};

}  // namespace layout
