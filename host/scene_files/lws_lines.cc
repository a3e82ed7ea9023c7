#include "host/scene_files/lws_lines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace layout {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Keywords Layout writes for the whole scene: frame range, lighting,
// backdrop, fog, rendering and the views.
constexpr std::array<std::string_view, 47> kSceneWideKeywords = {"FirstFrame",
                                                                 "LastFrame",
                                                                 "FrameStep",
                                                                 "PreviewFirstFrame",
                                                                 "PreviewLastFrame",
                                                                 "PreviewFrameStep",
                                                                 "CurrentFrame",
                                                                 "FramesPerSecond",
                                                                 "AmbientColor",
                                                                 "AmbientIntensity",
                                                                 "GlobalLightIntensity",
                                                                 "GlobalLensFlareIntensity",
                                                                 "EnableLensFlares",
                                                                 "EnableShadowMaps",
                                                                 "DoubleSidedAreaLights",
                                                                 "RadiosityType",
                                                                 "RadiosityIntensity",
                                                                 "SolidBackdrop",
                                                                 "BackdropColor",
                                                                 "ZenithColor",
                                                                 "SkyColor",
                                                                 "GroundColor",
                                                                 "NadirColor",
                                                                 "FogType",
                                                                 "FogMinDistance",
                                                                 "FogMaxDistance",
                                                                 "FogMinAmount",
                                                                 "FogMaxAmount",
                                                                 "FogColor",
                                                                 "BackdropFog",
                                                                 "DitherIntensity",
                                                                 "AnimatedDither",
                                                                 "RenderMode",
                                                                 "RayTraceEffects",
                                                                 "DataOverlayLabel",
                                                                 "SaveRGB",
                                                                 "SaveAlpha",
                                                                 "ViewConfiguration",
                                                                 "DefineView",
                                                                 "GridNumber",
                                                                 "GridSize",
                                                                 "CameraViewBG",
                                                                 "ShowMotionPath",
                                                                 "ShowSafeAreas",
                                                                 "CurrentObject",
                                                                 "CurrentLight",
                                                                 "CurrentCamera"};

struct NamedKeyword {
  std::string_view name;
  LwsKeyword keyword;
};

constexpr std::array<NamedKeyword, 25> kModelledKeywords = {{
    {"LoadObjectLayer", LwsKeyword::kLoadObjectLayer},
    {"LoadObject", LwsKeyword::kLoadObject},
    {"AddNullObject", LwsKeyword::kAddNullObject},
    {"AddBone", LwsKeyword::kAddBone},
    {"AddLight", LwsKeyword::kAddLight},
    {"AddCamera", LwsKeyword::kAddCamera},
    {"ShadowOptions", LwsKeyword::kShadowOptions},
    {"UnseenByRays", LwsKeyword::kUnseenByRays},
    {"UnseenByCamera", LwsKeyword::kUnseenByCamera},
    {"UnseenByRadiosity", LwsKeyword::kUnseenByRadiosity},
    {"UnaffectedByFog", LwsKeyword::kUnaffectedByFog},
    {"ObjectAlphaMode", LwsKeyword::kObjectAlphaMode},
    {"ParentItem", LwsKeyword::kParentItem},
    {"ShowObject", LwsKeyword::kShowObject},
    {"BoneName", LwsKeyword::kBoneName},
    {"ShowBone", LwsKeyword::kShowBone},
    {"BoneActive", LwsKeyword::kBoneActive},
    {"BoneRestLength", LwsKeyword::kBoneRestLength},
    {"BoneStrength", LwsKeyword::kBoneStrength},
    {"ScaleBoneStrength", LwsKeyword::kScaleBoneStrength},
    {"BoneType", LwsKeyword::kBoneType},
    {"LightName", LwsKeyword::kLightName},
    {"ShowLight", LwsKeyword::kShowLight},
    {"CameraName", LwsKeyword::kCameraName},
    {"ShowCamera", LwsKeyword::kShowCamera},
}};

// Every line's keyword is looked up in files of millions of lines, so the
// table first goes by first letter and length, which tells most keywords
// apart, and compares only the few that share both.
class KeywordTable {
 public:
  constexpr KeywordTable() {
    for (std::string_view name : kSceneWideKeywords) add(name, LwsKeyword::kSceneWide);
    for (const NamedKeyword &named : kModelledKeywords) add(named.name, named.keyword);
  }
  LwsKeyword find(std::string_view word) const {
    if (word.empty() || word.size() >= kLongest) return LwsKeyword::kOther;
    for (uint8_t at = first_[slot(word)]; at != 0; at = entries_[at - 1].next) {
      if (sameBytes(entries_[at - 1].name.data(), word.data(), word.size())) return entries_[at - 1].keyword;
    }
    return LwsKeyword::kOther;
  }

 private:
  static constexpr size_t kLongest = 32;
  static constexpr size_t kCount = kSceneWideKeywords.size() + kModelledKeywords.size();
  struct Entry {
    std::string_view name;
    LwsKeyword keyword = LwsKeyword::kOther;
    uint8_t next = 0;  // 1-based index of the next entry in the same slot; 0: none
  };
  // Whether the `size` bytes at `a` and `b` are the same, compared eight at
  // a time without a library call; the last eight may overlap the ones
  // before.
  static bool sameBytes(const char *a, const char *b, size_t size) {
    if (size < 8) {
      for (size_t at = 0; at < size; ++at) {
        if (a[at] != b[at]) return false;
      }
      return true;
    }
    const auto eight = [](const char *from) {
      uint64_t bytes;
      std::memcpy(&bytes, from, 8);
      return bytes;
    };
    for (size_t at = 0; at + 8 < size; at += 8) {
      if (eight(a + at) != eight(b + at)) return false;
    }
    return eight(a + size - 8) == eight(b + size - 8);
  }
  static constexpr size_t slot(std::string_view word) {
    return static_cast<unsigned char>(word.front()) % 64 * kLongest + word.size();
  }
  constexpr void add(std::string_view name, LwsKeyword keyword) {
    entries_[used_] = {name, keyword, first_[slot(name)]};
    first_[slot(name)] = static_cast<uint8_t>(++used_);
  }
  std::array<Entry, kCount> entries_{};
  std::array<uint8_t, 64 * kLongest> first_{};
  size_t used_ = 0;
};

constexpr KeywordTable kKeywords;

}  // namespace

LwsWords::LwsWords(std::string_view line) {
  size_t at = 0;
  while (at < line.size() && count < kMax) {
    while (at < line.size() && isLwsBlank(line[at])) ++at;
    if (at == line.size()) break;
    size_t end = at;
    if (count + 1 == kMax) {
      end = line.size();
    } else {
      while (end < line.size() && !isLwsBlank(line[end])) ++end;
    }
    if (count == 0 && end < line.size()) rest = line.substr(end + 1);
    word[count++] = line.substr(at, end - at);
    at = end;
  }
}

std::string lwsNumber(double value) {
  std::string text;
  appendLwsNumber(text, value);
  return text;
}

void appendLwsNumber(std::string &out, double value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end);
}

// Most numbers in a scene file are decimals such as "1", "-2", "0.25" or
// "-94.19895434327705": read by hand, exactly as from_chars reads them, and
// the rest by from_chars. A whole number of at most 2^53 is exact as a
// double, as is a power of ten up to 1e22, so dividing the one by the other
// rounds once, as from_chars does.
std::optional<double> parseLwsReal(std::string_view word) {
  static constexpr double kTens[] = {1,    1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr uint64_t kExactWhole = uint64_t{1} << 53;
  const bool negative = !word.empty() && word.front() == '-';
  const std::string_view digits = word.substr(negative ? 1 : 0);
  // At most 19 digits and a point: the digits fit in 64 bits.
  if (!digits.empty() && digits.size() <= 20 && isDigit(digits.front()) && isDigit(digits.back())) {
    uint64_t whole = 0;
    size_t fraction = 0;
    bool point = false;
    bool plain = true;
    for (const char c : digits) {
      if (isDigit(c)) {
        whole = whole * 10 + static_cast<uint64_t>(c - '0');
        fraction += point;
      } else if (c == '.' && !point) {
        point = true;
      } else {
        plain = false;
        break;
      }
    }
    if (plain && digits.size() - point <= 19 && whole <= kExactWhole) {
      const double value = static_cast<double>(whole) / kTens[fraction];
      return negative ? -value : value;
    }
  }
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<long> parseLwsInteger(std::string_view word) {
  const bool negative = !word.empty() && word.front() == '-';
  const std::string_view digits = word.substr(negative ? 1 : 0);
  // Digits that cannot overflow a long, which has 32 bits on Windows.
  if (!digits.empty() && digits.size() <= static_cast<size_t>(std::numeric_limits<long>::digits10)) {
    long value = 0;
    for (const char c : digits) {
      if (!isDigit(c)) return std::nullopt;
      value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
  }
  long value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

// The value of each byte as a hexadecimal digit, 0xFF for bytes that are not one.
constexpr std::array<uint8_t, 256> kHexDigits = [] {
  std::array<uint8_t, 256> digits{};
  digits.fill(0xFF);
  for (int c = '0'; c <= '9'; ++c) digits[c] = static_cast<uint8_t>(c - '0');
  for (int c = 'a'; c <= 'f'; ++c) digits[c] = static_cast<uint8_t>(c - 'a' + 10);
  for (int c = 'A'; c <= 'F'; ++c) digits[c] = static_cast<uint8_t>(c - 'A' + 10);
  return digits;
}();

std::optional<ItemID> parseLwsId(std::string_view word) {
  if (word.size() != 8) return std::nullopt;
  ItemID value = 0;
  uint8_t invalid = 0;
  for (const char c : word) {
    const uint8_t digit = kHexDigits[static_cast<unsigned char>(c)];
    invalid |= digit;
    value = value << 4 | (digit & 0xF);
  }
  // Only a byte that is no digit has the high bits set.
  if (invalid & 0xF0) return std::nullopt;
  return value;
}

LwsKeyword lwsKeyword(std::string_view word) { return kKeywords.find(word); }

int LwsBlocks::channelOfWords(std::string_view text, std::string_view keyword) {
  const std::optional<long> channel = parseLwsInteger(lwsNextWord(text, keyword, 0));
  return channel && *channel >= 0 && *channel < 9 ? static_cast<int>(*channel) : -1;
}

}  // namespace layout
