#include "tools/located_json.h"

#include <iterator>
#include <vector>

#include "host/json_location.h"
#include "tools/cli_error.h"

namespace sim {
namespace {

// An iterator over the text that records how far the parser has read, so the
// reader below knows where each token ended.
class TrackingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char *;
  using reference = const char &;

  TrackingIterator(const char *at, const char **furthest) : at_(at), furthest_(furthest) {}
  reference operator*() const { return *at_; }
  TrackingIterator &operator++() {
    ++at_;
    if (at_ > *furthest_) *furthest_ = at_;
    return *this;
  }
  TrackingIterator operator++(int) {
    TrackingIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const TrackingIterator &other) const { return at_ == other.at_; }
  bool operator!=(const TrackingIterator &other) const { return at_ != other.at_; }

 private:
  const char *at_;
  const char **furthest_;
};

Location locationOf(std::string_view text, size_t offset) {
  Location where{1, 1};
  for (size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++where.line;
      where.column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {  // columns count characters
      ++where.column;
    }
  }
  return where;
}

std::string escapeKey(const std::string &key) {
  std::string out;
  for (char c : key) {
    if (c == '~') {
      out += "~0";
    } else if (c == '/') {
      out += "~1";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string childPointer(const std::string &pointer, const std::string &key) {
  return pointer + "/" + escapeKey(key);
}

std::string childPointer(const std::string &pointer, size_t index) {
  return pointer + "/" + std::to_string(index);
}

// Builds the document from the parser's events. Every event comes right after
// the parser read its token, so a token starts at the first character after
// the previous event's end that is not blank, ',' or ':'.
class LocatedJson::Reader : public nlohmann::json_sax<nlohmann::json> {
 public:
  explicit Reader(LocatedJson &document) : document_(document), furthest_(document.text_.data()) {}

  const char **furthest() { return &furthest_; }
  const std::string &syntaxError() const { return syntaxError_; }
  size_t errorOffset() const { return errorOffset_; }

  bool null() override { return add(nullptr); }
  bool boolean(bool value) override { return add(value); }
  bool number_integer(number_integer_t value) override { return add(value); }
  bool number_unsigned(number_unsigned_t value) override { return add(value); }
  bool number_float(number_float_t value, const string_t &) override { return add(value); }
  bool string(string_t &value) override { return add(value); }
  bool binary(binary_t &value) override { return add(nlohmann::json::binary(value)); }

  bool start_object(std::size_t) override {
    frames_.push_back({place(nlohmann::json::object()), pointer_, 0});
    return true;
  }
  bool key(string_t &key) override {
    key_ = key;
    document_.keys_[childPointer(frames_.back().pointer, key)] = tokenStart();
    return true;
  }
  bool end_object() override { return end(); }
  bool start_array(std::size_t) override {
    frames_.push_back({place(nlohmann::json::array()), pointer_, 0});
    return true;
  }
  bool end_array() override { return end(); }

  bool parse_error(std::size_t position, const std::string &,
                   const nlohmann::json::exception &error) override {
    errorOffset_ = position > 0 ? position - 1 : 0;
    // "[json.exception.parse_error.101] parse error at line 1, column 2: syntax error ..."
    std::string message = error.what();
    const size_t detail = message.find(": ", message.find("column"));
    syntaxError_ = detail == std::string::npos ? message : message.substr(detail + 2);
    return false;
  }

 private:
  struct Frame {
    nlohmann::json *container;
    std::string pointer;
    size_t nextIndex;
  };

  Location tokenStart() {
    const std::string &text = document_.text_;
    size_t at = static_cast<size_t>(eventEnd_ - text.data());
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r' ||
                                text[at] == ',' || text[at] == ':')) {
      ++at;
    }
    eventEnd_ = furthest_;
    return locationOf(text, at);
  }

  // Puts a new value into its container and notes where it starts; returns
  // it. Containers on the frame stack are never moved: a value is added only
  // to the innermost one.
  nlohmann::json *place(nlohmann::json value) {
    const Location where = tokenStart();
    nlohmann::json *slot = nullptr;
    if (frames_.empty()) {
      pointer_.clear();
      document_.root_ = std::move(value);
      slot = &document_.root_;
    } else if (Frame &parent = frames_.back(); parent.container->is_array()) {
      pointer_ = childPointer(parent.pointer, parent.nextIndex++);
      parent.container->push_back(std::move(value));
      slot = &parent.container->back();
    } else {
      pointer_ = childPointer(parent.pointer, key_);
      slot = &(*parent.container)[key_];
      *slot = std::move(value);
    }
    document_.values_[pointer_] = where;
    return slot;
  }

  bool add(nlohmann::json value) {
    place(std::move(value));
    return true;
  }

  bool end() {
    eventEnd_ = furthest_;
    frames_.pop_back();
    return true;
  }

  LocatedJson &document_;
  const char *furthest_;
  const char *eventEnd_ = document_.text_.data();
  std::vector<Frame> frames_;
  std::string key_;
  std::string pointer_;
  std::string syntaxError_;
  size_t errorOffset_ = 0;
};

LocatedJson::LocatedJson(std::string text, std::string fileName)
    : text_(std::move(text)), fileName_(std::move(fileName)) {
  Reader reader(*this);
  const char *begin = text_.data();
  const char *end = begin + text_.size();
  const bool parsed = nlohmann::json::sax_parse(TrackingIterator(begin, reader.furthest()),
                                                TrackingIterator(end, reader.furthest()), &reader,
                                                nlohmann::json::input_format_t::json, true);
  if (!parsed) throw badInput(located(locationOf(text_, reader.errorOffset()), reader.syntaxError()));
}

Location LocatedJson::valueAt(const std::string &pointer) const {
  const auto found = values_.find(pointer);
  return found == values_.end() ? Location{1, 1} : found->second;
}

Location LocatedJson::keyAt(const std::string &pointer) const {
  const auto found = keys_.find(pointer);
  return found == keys_.end() ? valueAt(pointer) : found->second;
}

std::string LocatedJson::located(Location where, const std::string &message) const {
  std::string result =
      fileName_ + ":" + std::to_string(where.line) + ":" + std::to_string(where.column) + ": " + message;
  if (where.line < 1) return result;
  return result + "\n" + layout::caretExcerpt(layout::lineOf(text_, where.line), where.column);
}

}  // namespace sim
