#include "host/scene_files/lws_lines.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace layout {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t'; }

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

constexpr std::array<std::string_view, 6> kObjectKeywordsAfterBones = {"ShadowOptions",   "UnseenByRays",
                                                                       "UnseenByCamera",  "UnseenByRadiosity",
                                                                       "UnaffectedByFog", "ObjectAlphaMode"};

constexpr std::array<std::string_view, 6> kDeclarations = {"LoadObjectLayer", "LoadObject", "AddNullObject",
                                                           "AddBone",         "AddLight",   "AddCamera"};

// Keywords are looked up for every line of a file of millions, so each list
// first rules out a word by its first letter and length, which tells most
// words apart, and compares only when a listed keyword could match.
template <size_t N>
class KeywordSet {
 public:
  constexpr explicit KeywordSet(const std::array<std::string_view, N> &list) : list_(list) {
    for (std::string_view keyword : list) candidates_[slot(keyword)] = true;
  }
  bool contains(std::string_view word) const {
    if (word.empty() || word.size() >= kLongest || !candidates_[slot(word)]) return false;
    return std::find(list_.begin(), list_.end(), word) != list_.end();
  }

 private:
  static constexpr size_t kLongest = 32;
  static constexpr size_t slot(std::string_view word) {
    return static_cast<unsigned char>(word.front()) % 64 * kLongest + word.size() % kLongest;
  }
  std::array<std::string_view, N> list_;
  std::array<bool, 64 * kLongest> candidates_{};
};

constexpr KeywordSet kSceneWide(kSceneWideKeywords);
constexpr KeywordSet kAfterBones(kObjectKeywordsAfterBones);
constexpr KeywordSet kDeclaring(kDeclarations);

}  // namespace

bool LwsLineCutter::next(LwsLine &line) {
  if (at_ >= text_.size()) return false;
  const size_t newline = text_.find('\n', at_);
  const size_t end = newline == std::string_view::npos ? text_.size() : newline + 1;
  size_t textEnd = newline == std::string_view::npos ? text_.size() : newline;
  if (textEnd > at_ && text_[textEnd - 1] == '\r') --textEnd;
  line = {text_.substr(at_, textEnd - at_), at_, end};
  at_ = end;
  ++number_;
  return true;
}

LwsWords::LwsWords(std::string_view line) {
  size_t at = 0;
  while (at < line.size() && count < kMax) {
    while (at < line.size() && isSpace(line[at])) ++at;
    if (at == line.size()) break;
    size_t end = at;
    if (count + 1 == kMax) {
      end = line.size();
    } else {
      while (end < line.size() && !isSpace(line[end])) ++end;
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

std::optional<double> parseLwsReal(std::string_view word) {
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<long> parseLwsInteger(std::string_view word) {
  long value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

std::optional<ItemID> parseLwsId(std::string_view word) {
  if (word.size() != 8) return std::nullopt;
  ItemID value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

bool declaresItem(std::string_view keyword) { return kDeclaring.contains(keyword); }
bool isSceneWideKeyword(std::string_view keyword) { return kSceneWide.contains(keyword); }
bool isObjectKeywordAfterBones(std::string_view keyword) { return kAfterBones.contains(keyword); }

std::string_view trimmedStart(std::string_view line) {
  size_t at = 0;
  while (at < line.size() && isSpace(line[at])) ++at;
  return line.substr(at);
}

std::string_view keywordOf(std::string_view line) {
  const std::string_view text = trimmedStart(line);
  size_t end = 0;
  while (end < text.size() && !isSpace(text[end])) ++end;
  return text.substr(0, end);
}

std::optional<LwsBlocks::Role> LwsBlocks::see(std::string_view line) {
  const std::string_view text = trimmedStart(line);
  if (!text.empty() && text.front() == '{') {
    if (depth_ == 0 && channel_ >= 0 && keywordOf(text.substr(1)) == "Envelope") {
      inEnvelope_ = true;
      keySeen_ = false;
    }
    ++depth_;
    return Role::kOpen;
  }
  const std::string_view keyword = keywordOf(text);
  if (keyword == "}") {
    if (depth_ == 0) return std::nullopt;
    if (--depth_ == 0 && inEnvelope_) {
      inEnvelope_ = false;
      channel_ = -1;
    }
    return Role::kClose;
  }
  if (depth_ > 0) {
    if (inEnvelope_ && depth_ == 1 && channel_ < 3 && !keySeen_ && keyword == "Key") {
      keySeen_ = true;
      return Role::kPositionKey;
    }
    return Role::kInBlock;
  }
  if (keyword == "Channel") {
    const std::optional<long> channel = parseLwsInteger(LwsWords(text)[1]);
    channel_ = channel && *channel >= 0 && *channel < 9 ? static_cast<int>(*channel) : -1;
  }
  return Role::kTopLevel;
}

}  // namespace layout
