#include "app/PictureTables.h"

namespace game {

namespace {

Shade Argb(int paint, uint32_t argb) { return Shade{paint, ShadeKind::Argb, argb}; }
Shade Brush(int paint) { return Shade{paint, ShadeKind::BrushColour}; }
Shade NoTint(int paint) { return Shade{paint, ShadeKind::NoTint}; }

// Every paint with its own shade, in paint order.
std::vector<Shade> AllPaints(const std::array<uint32_t, kPaintCount>& argb) {
  std::vector<Shade> shades;
  for (int p = 0; p < kPaintCount; ++p) shades.push_back(Argb(p, argb[p]));
  return shades;
}

}  // namespace

std::optional<Shade> RegionRow::ShadeFor(int paint) const {
  for (const Shade& shade : shades) {
    if (shade.paint == paint) return shade;
  }
  return std::nullopt;
}

const std::array<PaintRow, kPaintCount> kPaints = {{
    {"red", 0xFFFF0C0C, 164, 163, 75, 495},
    {"orange", 0xFFFF6600, 162, 161, 140, 495},
    {"yellow", 0xFFFEFE00, 200, 199, 205, 495},
    {"green", 0xFF15CC00, 155, 154, 270, 495},
    {"light blue", 0xFF0099FF, 174, 173, 335, 495},
    {"blue", 0xFF0000CC, 114, 113, 400, 495},
    {"purple", 0xFF9900CC, 194, 193, 465, 495},
    {"brown", 0xFF5E2F00, 125, 124, 530, 495},
    {"white", 0xFFFFFFFF, 198, 197, 595, 495},
    {"black", 0xFF010101, 112, 111, 660, 495},
}};

// clang-format off
const std::array<RegionRow, kRegionCount> kRegions = {{
    // depicts                                   blank fill  size       position  layer  shades
    {"sky",                                        171, 172, 712, 185,  44,  17,  0, {NoTint(kLightBlue)}},
    {"meadow left of the road",                    144, 145, 472, 200,  44, 257,  3, {Argb(kYellow, 0xFFEEE24D), Argb(kGreen, 0xFF29CE00), Argb(kBrown, 0xFF49270C)}},
    {"ground under the apple tree",                146, 147, 392, 242, 364, 215,  4, {Argb(kYellow, 0xFFEEE24D), Argb(kGreen, 0xFF26BF00), Argb(kBrown, 0xFF49270C)}},
    {"meadow under the dog",                       148, 149, 212, 126, 544, 331,  6, {Argb(kYellow, 0xFFDDCE44), Argb(kGreen, 0xFF47D909), Argb(kBrown, 0xFF49270C)}},
    {"road",                                       195, 196, 712, 254,  44, 203,  8, {Argb(kYellow, 0xFFF3DD10), Argb(kBrown, 0xFF593A02), Argb(kBlack, 0xFF343225)}},
    {"sandy ground below the small fir",           142, 143, 366, 116,  44, 341, 10, {Argb(kYellow, 0xFFF3DD10), Argb(kGreen, 0xFF47D909), Argb(kBrown, 0xFF5E2F00)}},
    {"ground in the bottom-left corner",           140, 141, 238, 100,  44, 357, 12, {Argb(kYellow, 0xFFDDCE44), Argb(kGreen, 0xFF4DC637), Argb(kBrown, 0xFF49270C)}},
    {"field behind the car",                       150, 151, 714,  88,  43, 179,  2, {Argb(kYellow, 0xFFDDCE44), Argb(kGreen, 0xFF41DD20), Argb(kBrown, 0xFF5E2F00)}},
    {"hills behind the houses",                    152, 153, 714, 106,  43, 134, 16, {Argb(kYellow, 0xFFEEE24D), Argb(kGreen, 0xFF31C100), Argb(kBrown, 0xFF5E2F00)}},
    {"river",                                      165, 166, 210,  36, 305, 215, 18, {Argb(kBlue, 0xFF0000FF)}},
    {"small fir",                                  137, 138,  68,  92, 256, 322, 20, {NoTint(kGreen)}},
    {"big fir",                                    135, 136, 164, 240,  48, 200, 22, {NoTint(kGreen)}},
    {"squirrel",                                   109, 110,  52,  46, 197, 366, 24, {NoTint(kOrange)}},
    {"sun",                                        175, 176, 108, 108, 366,  26, 26, {NoTint(kYellow)}},
    {"cloud",                                      131, 132, 182,  62, 173,  52, 28, {NoTint(kWhite)}},
    {"bush in the distance",                       178, 179,  70,  60, 434, 137, 30, {NoTint(kGreen)}},
    {"crown of the apple tree",                    177, 191, 264, 240, 486,  73, 32, {NoTint(kGreen)}},
    {"trunk of the apple tree",                    180, 190, 170, 276, 542, 138, 34, {NoTint(kBrown)}},
    {"apples on the left of the crown",            103, 104,  66,  70, 514, 221, 36, {Argb(kRed, 0xFFF91300), Argb(kOrange, 0xFFFF6600), Argb(kYellow, 0xFFF8F107), Argb(kGreen, 0xFF86ED3A)}},
    {"apples on the right of the crown",           105, 106, 134,  82, 580, 134, 38, {Argb(kRed, 0xFFF91300), Argb(kOrange, 0xFFFF6600), Argb(kYellow, 0xFFF8F107), Argb(kGreen, 0xFF86ED3A)}},
    {"traffic-light housing and post",             168, 169,  46, 138, 297, 170, 40, {Argb(kWhite, 0xFFFFFFFF), Argb(kBlack, 0xFF384447)}},
    {"lower traffic-light lamp",                   167, 170,  20,  20, 310, 228, 42, {Brush(kGreen)}},
    {"middle traffic-light lamp",                  167, 170,  20,  20, 310, 207, 42, {Brush(kYellow)}},
    {"upper traffic-light lamp",                   167, 167,  20,  20, 310, 185, 42, {Brush(kRed)}},
    {"house walls",                                156, 156, 190,  64,  59, 121, 44, AllPaints({0xFFFF0000, 0xFFFE9F36, 0xFFF3E63A, 0xFF2DE100, 0xFF00CCFF, 0xFF2D2DFF, 0xFFA200D7, 0xFF581B0C, 0xFFF4F5CF, 0xFF384447})},
    {"house roofs",                                157, 158, 184,  42,  58, 120, 46, AllPaints({0xFFBF0000, 0xFFCA570B, 0xFFFFFF00, 0xFF33CB00, 0xFF0098FD, 0xFF0000CC, 0xFF9900CC, 0xFF5E2F00, 0xFFEEFCFD, 0xFF151A1E})},
    {"dog",                                        133, 134,  88,  68, 643, 358, 48, {Argb(kOrange, 0xFFE16804), Argb(kBrown, 0xFF5A371B), Argb(kWhite, 0xFFEFEFEF), Argb(kBlack, 0xFF282828)}},
    {"apples in the basket",                       101, 102,  54,  26, 443, 402, 48, {Argb(kRed, 0xFFF91300), Argb(kOrange, 0xFFFF6600), Argb(kYellow, 0xFFF8F107), Argb(kGreen, 0xFF86ED3A)}},
    {"basket",                                     107, 108,  54,  50, 443, 398, 50, {Argb(kYellow, 0xFFFFFF00), Argb(kBrown, 0xFF804000)}},
    {"car wheels",                                 129, 130, 116,  26, 171, 258, 50, {NoTint(kBlack)}},
    {"car body",                                   126, 127, 130,  54, 166, 222, 52, {Brush(kRed), Brush(kOrange), Brush(kYellow), Brush(kGreen), Brush(kLightBlue), Brush(kBlue), Brush(kPurple), Brush(kBrown), Brush(kWhite), Brush(kBlack)}},
    {"boy's shoes",                                116, 117,  52,  28, 495, 422, 52, AllPaints({0xFFFF0000, 0xFFFF6600, 0xFFF3E63A, 0xFF2DE100, 0xFF00CCFF, 0xFF2D2DFF, 0xFFA200D7, 0xFF581B0C, 0xFFFFFFFF, 0xFF222222})},
    {"boy's trousers",                             122, 123,  44,  74, 504, 362, 52, AllPaints({0xFFD90000, 0xFFFE9F36, 0xFFFFFF00, 0xFF1B8400, 0xFF0099FF, 0xFF0000C6, 0xFF6F0093, 0xFF644328, 0xFFEAE9D9, 0xFF070707})},
    {"boy's hair",                                 118, 119,  36,  40, 505, 293, 52, {Brush(kOrange), Brush(kYellow), Brush(kBrown), Brush(kBlack)}},
    {"boy's shirt",                                120, 121,  58,  68, 491, 325, 52, AllPaints({0xFFFF0000, 0xFFFF6600, 0xFFF3E63A, 0xFF2DE100, 0xFF00CCFF, 0xFF2D2DFF, 0xFFA200D7, 0xFF581B0C, 0xFFFFFFFF, 0xFF222222})},
}};

const std::array<OverlayRow, 3> kOverlays = {{
    // depicts                                      picture  size      position  layer
    {"windows of the houses (light-blue panes)",     159,   134, 32,   90, 142,  48},
    {"windows and headlight of the car",             128,   130, 44,  166, 226,  52},
    {"the boy's face and hand",                      115,    58, 88,  482, 305,  52},
}};
// clang-format on

}  // namespace game
