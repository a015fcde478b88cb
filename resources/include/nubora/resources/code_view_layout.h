// Where the controls of the code view (template 132) stand, in client
// pixels of its 600 × 600 client area. The background picture 199 is painted
// to fit them: its labels stand level with the lines of the information box.
#pragma once

#include <QRect>

namespace nubora::res::layout::codeView {

inline constexpr int kClientSide = 600;

// Picture area 1018; the symbol is drawn inside it at kSymbolOffset, two
// pixels per module, so a version-15 symbol (85 modules with its quiet zone)
// takes 170 × 170 pixels and still fits.
inline constexpr QRect kPicture(16, 64, 204, 212);
inline constexpr QPoint kSymbolOffset(11, 24);
inline constexpr int kSymbolPixelsPerModule = 2;

// Information box 1027: five lines, no frame, no margin.
inline constexpr QRect kInformation(336, 92, 168, 80);
// Symbol number box 1043 and its spinner 1045. The box is wide enough for
// the widest "n/N", "16/16".
inline constexpr QRect kSymbolNumber(336, 196, 52, 20);
inline constexpr QRect kSymbolSpinner(388, 196, 16, 20);
// The read-back line and the reader advice 1072: below the information
// panel, right of the picture panel and above the input summary, where no
// control stands.
inline constexpr QRect kCheckNotes(232, 231, 283, 76);
// Input summary 1004, with its vertical scroll bar.
inline constexpr QRect kInputSummary(16, 310, 494, 188);
// The hidden exit button 1012: in the gap of the bottom row.
inline constexpr QRect kExit(176, 512, 126, 61);

}  // namespace nubora::res::layout::codeView
