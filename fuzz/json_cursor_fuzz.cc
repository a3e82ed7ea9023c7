// The scene reader's own JSON reading against the general parser: any text
// is either a document both read the same, or one both refuse, and then the
// parser has a message for it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/scene_files/json_reader.h"
#include "tests/host/json_from_cursor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  nlohmann::json expected;
  bool accepted = true;
  try {
    expected = nlohmann::json::parse(text);
  } catch (const nlohmann::json::exception &) {
    accepted = false;
  }
  if (accepted && layout::nestingTooDeepAt(text) != std::string_view::npos) return 0;  // refused by depth
  try {
    const nlohmann::json read = layout::testing::jsonFromText(text);
    if (!accepted || !layout::testing::sameJson(read, expected)) __builtin_trap();
  } catch (const layout::JsonSyntaxError &) {
    if (accepted || layout::explainJsonError(text).message.empty()) __builtin_trap();
  } catch (const layout::JsonTextError &) {
    if (layout::nestingTooDeepAt(text) == std::string_view::npos) __builtin_trap();
  }
  return 0;
}
