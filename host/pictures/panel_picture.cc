#include "host/pictures/panel_picture.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "host/pictures/panel_font.h"

namespace layout {
namespace {

// The frame around the module's area.
constexpr int kTitleBar = 22;
constexpr int kMargin = 8;
constexpr int kButtonRow = 30;
// Controls.
constexpr int kHeight = 19;  // every control is one row high
constexpr double kFontSize = 11;
constexpr int kBaseline = 13;  // from a control's top
constexpr int kLabelGap = 4;   // between a label and its field
constexpr int kCharWidth = 5;  // a text field's width per character, as the host sizes them
constexpr int kPercentWidth = 58;
constexpr int kFloatWidth = 64;
constexpr int kArrowRoom = 16;  // a popup's arrow

struct Palette {
  const char *text;
  const char *button;
  const char *field;
  const char *edge;
  const char *check;
};

constexpr Palette kNormal{"#161616", "#cfcfcf", "#ececec", "#5c5c5c", "#1f5fbf"};
constexpr Palette kGhosted{"#7c7c7c", "#b9b9b9", "#c2c2c2", "#8e8e8e", "#8e8e8e"};

// Layout's fifteen item colours, the host's icons 152 to 166 in list texts.
constexpr const char *kItemColours[15] = {"#000000", "#00007f", "#007f00", "#007f7f", "#7f0000",
                                          "#7f007f", "#7f7f00", "#7f7f7f", "#0000ff", "#00ff00",
                                          "#00ffff", "#ff0000", "#ff00ff", "#ff7f00", "#ffffff"};
constexpr int kFirstColourIcon = 152;

int textWidth(std::string_view text) { return static_cast<int>(panelTextWidth(text, kFontSize) + 0.999); }

// Length of the well-formed UTF-8 character at the start of `text` that XML
// allows, or 0 for a byte that starts none.
size_t xmlCharacterLength(std::string_view text) {
  const auto byte = [&text](size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
  const auto continues = [&byte](size_t i) { return (byte(i) & 0xC0) == 0x80; };
  const unsigned lead = byte(0);
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return continues(1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned second = byte(1);
    if (lead == 0xE0 && second < 0xA0) return 0;                                           // overlong
    if (lead == 0xED && second > 0x9F) return 0;                                           // surrogates
    if (lead == 0xEF && second == 0xBF && (byte(2) == 0xBE || byte(2) == 0xBF)) return 0;  // U+FFFE, U+FFFF
    return continues(1) && continues(2) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned second = byte(1);
    if ((lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) return 0;
    return continues(1) && continues(2) && continues(3) ? 4 : 0;
  }
  return 0;
}

// XML text: markup characters as entities, control bytes left out (XML has
// no place for them), and a byte that is not part of a well-formed character
// as U+FFFD, as the scene writer does with names.
std::string escape(std::string_view text) {
  std::string out;
  while (!text.empty()) {
    const char c = text.front();
    const size_t length = xmlCharacterLength(text);
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (static_cast<unsigned char>(c) < 0x20) {
      // left out
    } else if (length == 0) {
      out += "\xEF\xBF\xBD";
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length == 0 ? 1 : length);
  }
  return out;
}

// How much a text may be condensed to fit its room before it is cut instead.
constexpr double kMostCondensed = 0.85;

// The longest start of `text` that fits `width` pixels, with "…" when cut.
std::string fitted(std::string_view text, int width) {
  if (textWidth(text) <= width) return std::string(text);
  const int room = width - textWidth("\xE2\x80\xA6");
  size_t keep = text.size();
  while (keep > 0 && textWidth(text.substr(0, keep)) > room) {
    --keep;
    while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80) --keep;  // whole characters
  }
  return std::string(text.substr(0, keep)) + "\xE2\x80\xA6";
}

// The host's icon code of a list entry: "\x03(i:140,157) Purple" has icon 157.
std::optional<int> entryIcon(const std::string &entry) {
  if (entry.size() < 4 || entry[0] != '\x03' || entry.compare(1, 3, "(i:") != 0) return std::nullopt;
  const size_t close = entry.find(')');
  const size_t comma = entry.rfind(',', close);
  if (close == std::string::npos || comma == std::string::npos || comma < 4) return std::nullopt;
  int icon = 0;
  for (size_t i = comma + 1; i < close; ++i) {
    if (entry[i] < '0' || entry[i] > '9') return std::nullopt;
    icon = icon * 10 + (entry[i] - '0');
  }
  return icon;
}

class Svg {
 public:
  void rect(int x, int y, int w, int h, const char *fill, const char *stroke, int radius = 2,
            double strokeWidth = 1) {
    char text[300];
    std::snprintf(
        text, sizeof text,
        "<rect x=\"%.1f\" y=\"%.1f\" width=\"%d\" height=\"%d\" rx=\"%d\" fill=\"%s\" stroke=\"%s\" "
        "stroke-width=\"%g\"/>\n",
        x + 0.5, y + 0.5, std::max(w - 1, 0), std::max(h - 1, 0), radius, fill, stroke, strokeWidth);
    body_ += text;
  }
  void line(int x1, int y1, int x2, int y2, const char *stroke) {
    char text[200];
    std::snprintf(text, sizeof text, "<line x1=\"%d\" y1=\"%.1f\" x2=\"%d\" y2=\"%.1f\" stroke=\"%s\"/>\n",
                  x1, y1 + 0.5, x2, y2 + 0.5, stroke);
    body_ += text;
  }
  void path(const std::string &d, const char *fill, const char *stroke, double strokeWidth = 1) {
    body_ += "<path d=\"" + d + "\" fill=\"" + fill + "\" stroke=\"" + stroke + "\" stroke-width=\"" +
             number(strokeWidth) + "\"/>\n";
  }
  void text(int x, int y, std::string_view content, const char *fill, const char *anchor = "start",
            const char *weight = "normal", int condensedTo = 0) {
    char head[300];
    if (condensedTo > 0) {  // narrowed by a horizontal scale, which every renderer honours
      std::snprintf(head, sizeof head,
                    "<text transform=\"translate(%d %d) scale(%.3f 1)\" fill=\"%s\" text-anchor=\"%s\" "
                    "font-weight=\"%s\">",
                    x, y, condensedTo / panelTextWidth(content, kFontSize), fill, anchor, weight);
    } else {
      std::snprintf(head, sizeof head,
                    "<text x=\"%d\" y=\"%d\" fill=\"%s\" text-anchor=\"%s\" font-weight=\"%s\">", x, y, fill,
                    anchor, weight);
    }
    body_ += head + escape(content) + "</text>\n";
  }
  // A text in at most `width` pixels: condensed a little when it is slightly
  // too wide, cut with "…" when condensing would not do.
  void textIn(int x, int y, int width, std::string_view content, const char *fill) {
    const int natural = textWidth(content);
    if (natural <= width) return text(x, y, content, fill);
    if (width >= natural * kMostCondensed) return text(x, y, content, fill, "start", "normal", width);
    text(x, y, fitted(content, width), fill);
  }
  // A note for whoever reads the SVG text: which control the shapes below draw.
  void comment(std::string_view content) {
    std::string text;
    for (char c : content) {
      if (c == '-' && !text.empty() && text.back() == '-') continue;  // "--" may not stand in a comment
      if (static_cast<unsigned char>(c) >= 0x20) text += c;
    }
    body_ += "<!-- " + text + " -->\n";
  }
  const std::string &body() const { return body_; }

  static std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
  }

 private:
  std::string body_;
};

// A label in front of a field; returns where the field starts.
int label(Svg &svg, const PictureControl &c, int x, int y, const Palette &p) {
  if (c.label.empty()) return x;
  svg.text(x, y + kBaseline, c.label, p.text);
  return x + textWidth(c.label) + kLabelGap;
}

// The width a control takes for its own field: what is left of its width
// after the label, or `natural` when the host sizes it.
int fieldWidth(const PictureControl &c, int labelEnd, int x, int natural) {
  return c.width >= 0 ? std::max(c.width - (labelEnd - x), 12) : natural;
}

void sunkenField(Svg &svg, int x, int y, int w, const Palette &p, bool focused) {
  svg.rect(x, y, w, kHeight, p.field, focused ? "#d07a00" : p.edge, 1, focused ? 1.6 : 1);
  svg.line(x + 2, y + 1, x + w - 3, y + 1, "#9a9a9a");  // the inner shadow of a sunken field
}

void checkBox(Svg &svg, const PictureControl &c, int x, int y, const Palette &p) {
  const int w = c.width >= 0 ? c.width : textWidth(c.label) + 24;
  svg.rect(x, y, w, kHeight, p.button, p.edge);
  svg.rect(x + 4, y + 4, 12, 12, "#f6f6f6", p.edge, 1);
  if (c.index != 0) {
    char d[100];
    std::snprintf(d, sizeof d, "M%d %d l3 3.5 l5.5 -7", x + 6, y + 10);
    svg.path(d, "none", p.check, 2);
  }
  svg.textIn(x + 20, y + kBaseline, w - 22, c.label, p.text);
}

void textField(Svg &svg, const PictureControl &c, int x, int y, const Palette &p) {
  const int fieldX = label(svg, c, x, y, p);
  const int w = fieldWidth(c, fieldX, x, c.editWidthChars * kCharWidth + 4);
  sunkenField(svg, fieldX, y, w, p, c.focused);
  svg.textIn(fieldX + 3, y + kBaseline, w - 6, c.text, p.text);
}

void popup(Svg &svg, const PictureControl &c, int x, int y, const Palette &p) {
  const int fieldX = label(svg, c, x, y, p);
  int natural = 0;
  for (const std::string &item : c.items) natural = std::max(natural, textWidth(displayText(item)));
  const bool icons = !c.items.empty() && entryIcon(c.items[0]).has_value();
  const int w =
      c.listWidth > 0 ? c.listWidth : fieldWidth(c, fieldX, x, natural + 10 + kArrowRoom + (icons ? 13 : 0));
  svg.rect(fieldX, y, w, kHeight, p.button, p.edge);
  int textX = fieldX + 5;
  if (c.index >= 0 && c.index < static_cast<int>(c.items.size())) {
    const std::string &entry = c.items[static_cast<size_t>(c.index)];
    const std::optional<int> icon = entryIcon(entry);
    if (icon && *icon >= kFirstColourIcon && *icon < kFirstColourIcon + 15) {
      svg.rect(textX, y + 5, 10, 10, kItemColours[*icon - kFirstColourIcon], p.edge, 0);
      textX += 13;
    }
    svg.textIn(textX, y + kBaseline, fieldX + w - kArrowRoom - textX, displayText(entry), p.text);
  }
  char d[120];
  const int ax = fieldX + w - 12;
  std::snprintf(d, sizeof d, "M%d %d h8 l-4 5 z", ax, y + 8);
  svg.path(d, p.text, "none");
}

void choice(Svg &svg, const PictureControl &c, int x, int y, const Palette &p) {
  const int fieldX = label(svg, c, x, y, p);
  std::vector<int> widths;
  int natural = 0;
  for (const std::string &item : c.items) {
    widths.push_back(textWidth(displayText(item)) + 12);
    natural += widths.back();
  }
  const int total = fieldWidth(c, fieldX, x, natural);
  int bx = fieldX;
  for (size_t i = 0; i < c.items.size(); ++i) {
    // Spread the room the host gives over the buttons, in proportion to their texts.
    const int w = i + 1 == c.items.size() ? fieldX + total - bx : widths[i] * total / std::max(natural, 1);
    const bool chosen = static_cast<int>(i) == c.index;
    svg.rect(bx, y, w, kHeight, chosen ? (c.ghosted ? "#c9b57a" : "#f0c64a") : p.button, p.edge);
    svg.text(bx + w / 2, y + kBaseline, displayText(c.items[i]), p.text, "middle");
    bx += w;
  }
}

void numberField(Svg &svg, const PictureControl &c, int x, int y, const Palette &p, bool percent) {
  const int fieldX = label(svg, c, x, y, p);
  const int w = fieldWidth(c, fieldX, x, percent ? kPercentWidth : kFloatWidth);
  sunkenField(svg, fieldX, y, w, p, false);
  svg.text(fieldX + 3, y + kBaseline, fitted(Svg::number(c.number) + (percent ? " %" : ""), w - 6), p.text);
  if (percent) {  // the slider under the number
    const int filled = static_cast<int>((w - 4) * std::clamp(c.number, 0.0, 100.0) / 100.0);
    svg.rect(fieldX + 2, y + kHeight - 4, filled, 3, p.check, "none", 0);
  }
}

void divider(Svg &svg, const PictureControl &c, int x, int y) {
  if (c.borderHeight > 0) {
    svg.rect(x, y, c.borderWidth, c.borderHeight, "none", "#6e6e6e", 0);
    return;
  }
  svg.line(x, y, x + c.borderWidth, y, "#6e6e6e");
  svg.line(x, y + 1, x + c.borderWidth, y + 1, "#f2f2f2");
}

void drawControl(Svg &svg, const PictureControl &c, int originX, int originY) {
  const Palette &p = c.ghosted ? kGhosted : kNormal;
  const int x = originX + c.x;
  const int y = originY + c.y;
  svg.comment(c.typeName + (c.label.empty() ? "" : " \"" + c.label + "\"") + (c.ghosted ? ", ghosted" : ""));
  if (c.typeName == "BorderControl") {
    divider(svg, c, x, y);
  } else if (c.typeName == "BoolControl") {
    checkBox(svg, c, x, y, p);
  } else if (c.typeName == "EditControl") {
    textField(svg, c, x, y, p);
  } else if (c.typeName == "PopupControl") {
    popup(svg, c, x, y, p);
  } else if (c.typeName == "ChoiceControl") {
    choice(svg, c, x, y, p);
  } else if (c.typeName == "FloatControl" || c.typeName == "PercentControl") {
    numberField(svg, c, x, y, p, c.typeName == "PercentControl");
  } else {
    svg.rect(x, y, c.width >= 0 ? c.width : 80, kHeight, "none", "#c02020", 0);
    svg.text(x + 3, y + kBaseline, c.typeName, "#c02020");
  }
}

}  // namespace

std::string displayText(const std::string &entry) {
  std::string_view text = entry;
  if (!text.empty() && text.front() == '\x03') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '(') {
      const size_t close = text.find(')');
      text.remove_prefix(close == std::string_view::npos ? text.size() : close + 1);
    }
  }
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return std::string(text);
}

std::string renderSvg(const PanelPicture &picture) {
  const int width = picture.width + 2 * kMargin;
  const int height = kTitleBar + kMargin + picture.height + kButtonRow + kMargin;
  Svg svg;
  svg.rect(0, 0, width, height, "#b4b4b4", "#2e2e2e", 3);
  svg.rect(0, 0, width, kTitleBar, "#46566c", "#2e2e2e", 3);
  svg.text(kMargin, 15, picture.title, "#ffffff", "start", "bold");
  const int originY = kTitleBar + kMargin;
  for (const PictureControl &control : picture.controls) drawControl(svg, control, kMargin, originY);

  // The host's own row under the module's controls: OK and Cancel, and the caption.
  const int rowY = originY + picture.height + 6;
  svg.line(kMargin / 2, rowY - 3, width - kMargin / 2, rowY - 3, "#7a7a7a");
  const int buttonWidth = 64;
  const int cancelX = width - kMargin - buttonWidth;
  const int okX = cancelX - 6 - buttonWidth;
  svg.rect(okX, rowY, buttonWidth, 21, kNormal.button, kNormal.edge);
  svg.text(okX + buttonWidth / 2, rowY + 15, "OK", kNormal.text, "middle");
  svg.rect(cancelX, rowY, buttonWidth, 21, kNormal.button, kNormal.edge);
  svg.text(cancelX + buttonWidth / 2, rowY + 15, "Cancel", kNormal.text, "middle");
  if (!picture.caption.empty())
    svg.text(kMargin, rowY + 15, fitted(picture.caption, okX - 2 * kMargin), "#3a3a3a");

  char head[400];
  std::snprintf(head, sizeof head,
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" "
                "font-family=\"%s\" font-size=\"%g\">\n",
                width, height, width, height, kPanelFontFamily, kFontSize);
  return std::string(head) + "<title>" + escape(picture.title) + " (" + std::to_string(picture.width) +
         " x " + std::to_string(picture.height) + " pixels)</title>\n" + svg.body() + "</svg>\n";
}

}  // namespace layout
