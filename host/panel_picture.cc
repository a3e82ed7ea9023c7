#include "host/panel_picture.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace layout {

namespace {

// The panel's look: a Layout-like grey theme with a title bar.
constexpr int kTitleBar = 24;
constexpr int kMargin = 8;
constexpr int kRowHeight = 19;
constexpr double kCharWidth = 6.6;  // average advance of the 11 px sans-serif face
constexpr const char *kFont = "font-family=\"DejaVu Sans, Arial, sans-serif\" font-size=\"11\"";

int textWidth(std::string_view text) { return static_cast<int>(text.size() * kCharWidth + 0.5); }

std::string escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // Control bytes are not valid in XML text.
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
  }
  return out;
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

struct Svg {
  std::string body;

  void rect(int x, int y, int w, int h, const char *fill, const char *stroke, int radius = 0) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" rx=\"%d\" fill=\"%s\" stroke=\"%s\"/>\n", x,
                  y, w < 0 ? 0 : w, h, radius, fill, stroke);
    body += line;
  }
  void line(int x1, int y1, int x2, int y2, const char *stroke) {
    char text[200];
    std::snprintf(text, sizeof text, "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"%s\"/>\n", x1, y1, x2,
                  y2, stroke);
    body += text;
  }
  void text(int x, int y, std::string_view content, const char *fill, const char *anchor = "start") {
    char head[200];
    std::snprintf(head, sizeof head, "<text x=\"%d\" y=\"%d\" fill=\"%s\" text-anchor=\"%s\" %s>", x, y, fill,
                  anchor, kFont);
    body += head;
    body += escape(content);
    body += "</text>\n";
  }
};

struct Palette {
  const char *text;
  const char *field;
  const char *border;
};

Palette paletteFor(bool ghosted) {
  return ghosted ? Palette{"#8a8a8a", "#b4b4b4", "#9a9a9a"} : Palette{"#101010", "#e8e8e8", "#5a5a5a"};
}

// Label in front of a field; returns where the field starts.
int drawLabel(Svg &svg, const PictureControl &c, int x, int baseline, const Palette &p) {
  if (c.label.empty()) return x;
  svg.text(x, baseline, c.label, p.text);
  return x + textWidth(c.label) + 6;
}

std::string currentEntry(const PictureControl &c) {
  if (c.index < 0 || c.index >= static_cast<int>(c.items.size())) return "";
  return displayText(c.items[static_cast<size_t>(c.index)]);
}

void drawControl(Svg &svg, const PictureControl &c, int originY) {
  const Palette p = paletteFor(c.ghosted);
  const int x = kMargin + c.x;
  const int y = originY + c.y;
  const int baseline = y + 13;
  if (c.typeName == "BorderControl") {
    svg.line(x, y + 2, x + c.borderWidth, y + 2, "#6e6e6e");
    svg.line(x, y + 3, x + c.borderWidth, y + 3, "#f4f4f4");
    return;
  }
  if (c.typeName == "BoolControl") {
    const int w = c.width >= 0 ? c.width : textWidth(c.label) + 24;
    svg.rect(x, y, w, kRowHeight - 1, "#cfcfcf", p.border, 3);
    svg.rect(x + 4, y + 4, 11, 11, c.index ? "#f0c040" : "#f4f4f4", p.border, 2);
    if (c.index) svg.text(x + 9, y + 14, "\xE2\x9C\x93", p.text, "middle");
    svg.text(x + 20, baseline, c.label, p.text);
    return;
  }
  const int fieldX = drawLabel(svg, c, x, baseline, p);
  if (c.typeName == "EditControl") {
    const int w = c.width >= 0 ? c.width : static_cast<int>(c.editWidthChars * kCharWidth) + 8;
    svg.rect(fieldX, y, w, kRowHeight - 1, p.field, p.border, 2);
    svg.text(fieldX + 4, baseline, c.text, p.text);
  } else if (c.typeName == "PopupControl") {
    int w = c.width >= 0 ? c.width : 0;
    if (w <= 0) {
      for (const auto &item : c.items) w = std::max(w, textWidth(displayText(item)) + 26);
    }
    svg.rect(fieldX, y, w, kRowHeight - 1, "#d8d8d8", p.border, 3);
    svg.text(fieldX + 5, baseline, currentEntry(c), p.text);
    svg.text(fieldX + w - 9, baseline, "\xE2\x96\xBE", p.text, "middle");
  } else if (c.typeName == "ChoiceControl") {
    int cx = fieldX;
    for (size_t i = 0; i < c.items.size(); ++i) {
      const std::string entry = displayText(c.items[i]);
      const int w = textWidth(entry) + 14;
      const bool chosen = static_cast<int>(i) == c.index;
      svg.rect(cx, y, w, kRowHeight - 1, chosen ? "#f0c040" : "#d8d8d8", p.border, 3);
      svg.text(cx + w / 2, baseline, entry, p.text, "middle");
      cx += w;
    }
  } else if (c.typeName == "FloatControl" || c.typeName == "PercentControl") {
    const bool percent = c.typeName == "PercentControl";
    const int w = c.width >= 0 ? c.width - (fieldX - x) : 70;
    svg.rect(fieldX, y, std::max(w, 40), kRowHeight - 1, p.field, p.border, 2);
    svg.text(fieldX + 4, baseline, number(c.number) + (percent ? " %" : ""), p.text);
  } else {
    svg.rect(x, y, c.width >= 0 ? c.width : 80, kRowHeight - 1, "none", "#c02020");
    svg.text(x + 3, baseline, c.typeName, "#c02020");
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
  const int height = picture.height + kTitleBar + 2 * kMargin + 28;
  Svg svg;
  svg.rect(0, 0, width, height, "#bdbdbd", "#3c3c3c", 4);
  svg.rect(0, 0, width, kTitleBar, "#4a5a70", "#3c3c3c", 4);
  svg.text(kMargin, 16, picture.title, "#ffffff");
  const int originY = kTitleBar + kMargin;
  for (const auto &control : picture.controls) drawControl(svg, control, originY);
  // The host adds OK and Cancel below the module's controls.
  const int buttonsY = originY + picture.height + 4;
  svg.rect(width - 2 * 64 - kMargin - 6, buttonsY, 64, 20, "#d8d8d8", "#5a5a5a", 3);
  svg.text(width - 64 - kMargin - 6 - 32, buttonsY + 14, "OK", "#101010", "middle");
  svg.rect(width - 64 - kMargin, buttonsY, 64, 20, "#d8d8d8", "#5a5a5a", 3);
  svg.text(width - kMargin - 32, buttonsY + 14, "Cancel", "#101010", "middle");

  char head[256];
  std::snprintf(head, sizeof head,
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n",
                width, height, width, height);
  return std::string(head) + "<title>" + escape(picture.title) + " (" + std::to_string(picture.width) + " x " +
         std::to_string(picture.height) + ")</title>\n" + svg.body + "</svg>\n";
}

}  // namespace layout
