#include "host/pictures/panel_font.h"

namespace layout {
namespace {

constexpr int kUnitsPerEm = 2048;
// Advance widths of DejaVu Sans for the characters ' ' to '~', in font units.
constexpr int kAdvances[95] = {
    651,  821,  942,  1716, 1303, 1946, 1597, 563,  799,  799,  1024, 1716, 651,  739,  651,  690,
    1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 690,  690,  1716, 1716, 1716, 1087,
    2048, 1401, 1405, 1430, 1577, 1294, 1178, 1587, 1540, 604,  604,  1343, 1141, 1767, 1532, 1612,
    1235, 1612, 1423, 1300, 1251, 1499, 1401, 2025, 1403, 1251, 1403, 799,  690,  799,  1716, 1024,
    1024, 1255, 1300, 1126, 1300, 1260, 721,  1300, 1298, 569,  569,  1186, 569,  1995, 1298, 1253,
    1300, 1300, 842,  1067, 803,  1298, 1212, 1675, 1212, 1212, 1075, 1303, 690,  1303, 1716,
};
// Any other character: the width of a digit, a fair middle.
constexpr int kOtherAdvance = 1303;

}  // namespace

double panelTextWidth(std::string_view text, double size) {
  int units = 0;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      units += kAdvances[byte - 0x20];
    } else if ((byte & 0xC0) != 0x80 && byte >= 0x80) {  // the first byte of a multi-byte character
      units += kOtherAdvance;
    }
  }
  return units * size / kUnitsPerEm;
}

}  // namespace layout
