#pragma once

#include "tools/virtual_printer/escpos_decoder.h"

#include <QImage>

#include <optional>
#include <vector>

// Draws what an 80 mm receipt printer at 203 dpi would print: 576 dots a line, font A in
// 12x24 cells, font B in 9x17, double height and width, code page 437, line spacing from
// ESC 3, feeds from ESC d, the cut as a dashed line and a drawer pulse as a marker.
// A job ends at a cut; each finished job is one image.
class ReceiptRenderer {
public:
    static constexpr int kWidth = 576;

    ReceiptRenderer();
    void Apply(const Event& event);
    // The jobs finished since the last call.
    std::vector<QImage> TakeFinishedJobs();
    // What has been printed since the last cut, if anything.
    std::optional<QImage> TakeUnfinishedJob();

private:
    struct Cell {
        unsigned char code;
        int width, height;
        bool bold, underline;
    };

    void Reset();
    void AddText(const Bytes& text);
    void PrintLine();
    void Feed(int dots);
    void EnsureHeight(int height);
    void DrawCell(const Cell& cell, int x, int bottom);
    void DrawMarker(const QString& text);
    void Cut(int feedDots);

    QImage page_;
    int y_ = 0;
    std::vector<Cell> line_;
    int lineWidth_ = 0;
    bool anythingPrinted_ = false;
    std::vector<QImage> finished_;
    // Print modes
    bool fontB_ = false, doubleHeight_ = false, doubleWidth_ = false, bold_ = false,
         underline_ = false;
    int lineSpacing_ = 30;
};
