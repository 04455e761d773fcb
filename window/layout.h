#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include <span>

// The window's geometry at a window font whose character cell is 20 pixels high; at any other
// height every position, size and font height is scaled by (measured height / 20).
inline constexpr int kDesignCellHeight = 20;
inline constexpr QSize kClientArea{653, 286};

enum class Face { Arial, MsSansSerif };

struct FontSpec {
    Face face;
    int pixels; // character height, without internal leading
    bool bold = false;
};

inline constexpr FontSpec kWindowFont{Face::MsSansSerif, 16};

struct ControlPlace {
    const char* name; // the control's object name
    QRect rect;       // left, top, width, height
    FontSpec font;
};

inline constexpr FontSpec kArialBig{Face::Arial, 19};
inline constexpr FontSpec kArialBold{Face::Arial, 16, true};

inline constexpr ControlPlace kLayout[] = {
    {"Label1", {29, 8, 157, 22}, kArialBig},
    {"Label4", {205, 8, 140, 22}, kArialBig},
    {"dk", {26, 36, 159, 30}, kArialBig},
    {"sd", {207, 36, 146, 30}, kArialBig},
    {"szt", {16, 79, 153, 40}, kArialBold},
    {"ph", {160, 79, 153, 41}, kArialBold},
    {"st", {312, 79, 97, 41}, kArialBold},
    {"cs", {408, 85, 49, 27}, kArialBold},
    {"Label5", {464, 80, 178, 16}, {Face::MsSansSerif, 13}},
    {"ad", {464, 96, 169, 17}, kWindowFont},
    {"szt0", {16, 128, 161, 25}, kArialBold},
    {"pt", {160, 120, 153, 41}, kArialBold},
    {"st0", {312, 120, 97, 41}, kArialBold},
    {"cst", {408, 126, 49, 27}, kArialBold},
    {"Button1", {16, 216, 135, 45}, kArialBig},
    {"Open", {168, 216, 135, 45}, kArialBig},
    {"cut", {320, 216, 135, 45}, kArialBig},
    {"QButton", {472, 216, 135, 45}, kArialBig},
};

// A font of the face at `pixels` high. "Arial" is served by Liberation Sans (same metrics);
// "MS Sans Serif" by the nearest sans the system has.
QFont MakeFont(const FontSpec& wanted, double scale);

// The measured cell height of the unscaled window font over the design height.
double MeasuredLayoutScale();

QRect Scaled(const QRect& rect, double scale);
QSize Scaled(const QSize& size, double scale);
