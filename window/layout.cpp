#include "window/layout.h"

#include <QFontMetrics>
#include <QStringList>

#include <cmath>

namespace {

int Scale(int value, double scale) {
    return static_cast<int>(std::lround(value * scale));
}

} // namespace

QFont MakeFont(const FontSpec& wanted, double scale) {
    QFont font;
    if (wanted.face == Face::Arial) {
        font.setFamilies({"Arial", "Liberation Sans"});
    } else {
        font.setFamilies({"MS Sans Serif", "Liberation Sans", "DejaVu Sans"});
    }
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, Scale(wanted.pixels, scale)));
    font.setBold(wanted.bold);
    return font;
}

double MeasuredLayoutScale() {
    return QFontMetrics(MakeFont(kWindowFont, 1.0)).height() /
           static_cast<double>(kDesignCellHeight);
}

QRect Scaled(const QRect& rect, double scale) {
    return {Scale(rect.left(), scale), Scale(rect.top(), scale), Scale(rect.width(), scale),
            Scale(rect.height(), scale)};
}

QSize Scaled(const QSize& size, double scale) {
    return {Scale(size.width(), scale), Scale(size.height(), scale)};
}
