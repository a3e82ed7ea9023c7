#include "tools/key_names.h"

#include <cctype>
#include <charconv>
#include <string>
#include <vector>

#include "host/text/spelling.h"
#include "layout.h"
#include "tools/cli_error.h"
#include "tools/suggest.h"

namespace sim {
namespace {

struct NamedKey {
  const char *name;
  uint32_t code;
};

constexpr NamedKey kNamedKeys[] = {
    {"Tab", 0x09},
    {"Enter", 0x0D},
    {"Return", 0x0D},
    {"Left", LAYOUT_KEY_LEFT},
    {"Right", LAYOUT_KEY_RIGHT},
    {"Up", LAYOUT_KEY_UP},
    {"Down", LAYOUT_KEY_DOWN},
};

struct NamedQualifier {
  const char *name;
  uint32_t bits;
};

constexpr NamedQualifier kQualifiers[] = {{"shift", LAYOUT_QUALIFIER_STEP}};

std::string keyList() {
  std::string list;
  for (const NamedKey &key : kNamedKeys) list += std::string(list.empty() ? "" : ", ") + key.name;
  return list + ", a single character or a code such as 0x1012";
}

uint32_t keyCode(std::string_view name, std::string_view whole) {
  if (name.size() == 1) {
    const unsigned char c = static_cast<unsigned char>(name[0]);
    if (c < 0x20 || c > 0x7E) throw badInput("key \"" + std::string(whole) + "\": not a printable character");
    return c;
  }
  if (name.size() > 2 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X')) {
    uint32_t code = 0;
    const char *end = name.data() + name.size();
    const auto [ptr, error] = std::from_chars(name.data() + 2, end, code, 16);
    if (error != std::errc() || ptr != end || code > 0xFFFF) {
      throw badInput("key \"" + std::string(whole) + "\": a key code is 0x0 to 0xFFFF");
    }
    return code;
  }
  for (const NamedKey &key : kNamedKeys) {
    if (layout::sameIgnoringCase(name, key.name)) return key.code;
  }
  std::vector<std::string> names;
  for (const NamedKey &key : kNamedKeys) names.emplace_back(key.name);
  throw badInput("unknown key \"" + std::string(name) + "\"" + didYouMean(name, names) + "; keys are " +
                 keyList());
}

}  // namespace

KeyPress parseKey(std::string_view name) {
  KeyPress press;
  std::string_view rest = name;
  // "shift++" is shift with the "+" key: a qualifier needs a key after it.
  for (size_t plus = rest.find('+'); plus != std::string_view::npos && plus > 0 && plus + 1 < rest.size();
       plus = rest.find('+')) {
    const std::string_view qualifier = rest.substr(0, plus);
    bool known = false;
    for (const NamedQualifier &q : kQualifiers) {
      if (layout::sameIgnoringCase(qualifier, q.name)) {
        press.qualifiers |= q.bits;
        known = true;
      }
    }
    if (!known) {
      throw badInput("key \"" + std::string(name) + "\": unknown qualifier \"" + std::string(qualifier) +
                     "\" (the panels know only shift)");
    }
    rest.remove_prefix(plus + 1);
  }
  if (rest.empty()) throw badInput("missing key name; keys are " + keyList());
  press.code = keyCode(rest, name);
  return press;
}

}  // namespace sim
