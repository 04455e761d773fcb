#include "tools/virtual_printer/receipt_renderer.h"

#include "tools/virtual_printer/cp437.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

constexpr int kDefaultLineSpacing = 30;
// The glyph box the monospace font is drawn into before it is scaled to a cell.
constexpr int kGlyphWidth = 12;
constexpr int kGlyphHeight = 24;

QFont GlyphFont(bool bold) {
    QFont font;
    font.setFamilies({"DejaVu Sans Mono", "Liberation Mono"});
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(20);
    font.setBold(bold);
    return font;
}

QString CharacterOf(unsigned char code) {
    if (code < 0x80) {
        return QString(QChar(code));
    }
    return QString(QChar(kCp437High[code - 0x80]));
}

unsigned Param(const Event& event, size_t index) {
    return static_cast<unsigned char>(event.bytes.at(index));
}

} // namespace

ReceiptRenderer::ReceiptRenderer() {
    Reset();
}

void ReceiptRenderer::Reset() {
    page_ = QImage(kWidth, 1024, QImage::Format_RGB32);
    page_.fill(Qt::white);
    y_ = 0;
    line_.clear();
    lineWidth_ = 0;
    anythingPrinted_ = false;
}

void ReceiptRenderer::Apply(const Event& event) {
    switch (event.kind) {
    case Kind::Text:
        AddText(event.bytes);
        break;
    case Kind::Initialise:
        line_.clear(); // ESC @ clears the print buffer and every mode
        lineWidth_ = 0;
        fontB_ = doubleHeight_ = doubleWidth_ = bold_ = underline_ = false;
        lineSpacing_ = kDefaultLineSpacing;
        break;
    case Kind::LineSpacing:
        lineSpacing_ = static_cast<int>(Param(event, 2));
        break;
    case Kind::FeedLines: {
        int lines = static_cast<int>(Param(event, 2));
        if (!line_.empty()) {
            PrintLine();
            --lines;
        }
        Feed(std::max(0, lines) * lineSpacing_);
        break;
    }
    case Kind::PrintMode: {
        const unsigned n = Param(event, 2);
        fontB_ = n & 0x01;
        bold_ = n & 0x08;
        doubleHeight_ = n & 0x10;
        doubleWidth_ = n & 0x20;
        underline_ = n & 0x80;
        break;
    }
    case Kind::LineFeed:
        PrintLine();
        break;
    case Kind::DrawerPulse:
        DrawMarker(QString("drawer pulse, pin %1").arg((Param(event, 2) & 1) ? 5 : 2));
        break;
    case Kind::Cut: {
        const unsigned m = Param(event, 2);
        Cut((m == 'A' || m == 'B') ? static_cast<int>(Param(event, 3)) : 0);
        break;
    }
    default: // CR, ESC U, vendor sequences and unknown bytes print nothing
        break;
    }
}

void ReceiptRenderer::AddText(const Bytes& text) {
    const int width = (fontB_ ? 9 : 12) * (doubleWidth_ ? 2 : 1);
    const int height = (fontB_ ? 17 : 24) * (doubleHeight_ ? 2 : 1);
    for (unsigned char code : text) {
        if (lineWidth_ + width > kWidth) {
            PrintLine(); // the line is full: the printer wraps
        }
        line_.push_back({code, width, height, bold_, underline_});
        lineWidth_ += width;
    }
}

void ReceiptRenderer::PrintLine() {
    int height = lineSpacing_;
    for (const Cell& cell : line_) {
        height = std::max(height, cell.height);
    }
    EnsureHeight(y_ + height);
    int x = 0;
    for (const Cell& cell : line_) {
        DrawCell(cell, x, y_ + height);
        x += cell.width;
    }
    anythingPrinted_ = anythingPrinted_ || !line_.empty();
    line_.clear();
    lineWidth_ = 0;
    y_ += height;
}

void ReceiptRenderer::DrawCell(const Cell& cell, int x, int bottom) {
    QPainter painter(&page_);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setPen(Qt::black);
    painter.setFont(GlyphFont(cell.bold));
    painter.translate(x, bottom - cell.height);
    painter.scale(cell.width / double(kGlyphWidth), cell.height / double(kGlyphHeight));
    painter.drawText(QRect(0, 0, kGlyphWidth, kGlyphHeight), Qt::AlignCenter,
                     CharacterOf(cell.code));
    if (cell.underline) {
        painter.drawLine(0, kGlyphHeight - 1, kGlyphWidth, kGlyphHeight - 1);
    }
}

void ReceiptRenderer::Feed(int dots) {
    EnsureHeight(y_ + dots);
    y_ += dots;
}

void ReceiptRenderer::DrawMarker(const QString& text) {
    constexpr int kMarkerHeight = 20;
    EnsureHeight(y_ + kMarkerHeight);
    QPainter painter(&page_);
    painter.fillRect(QRect(0, y_ + 2, kWidth, kMarkerHeight - 4), QColor(200, 200, 200));
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, y_, kWidth, kMarkerHeight), Qt::AlignCenter, "[ " + text + " ]");
    y_ += kMarkerHeight;
    anythingPrinted_ = true;
}

void ReceiptRenderer::Cut(int feedDots) {
    if (!line_.empty()) {
        PrintLine();
    }
    Feed(feedDots);
    EnsureHeight(y_ + 8);
    QPainter painter(&page_);
    QPen pen(Qt::black, 2, Qt::DashLine);
    painter.setPen(pen);
    painter.drawLine(0, y_ + 4, kWidth, y_ + 4);
    painter.end();
    finished_.push_back(page_.copy(0, 0, kWidth, y_ + 8));
    Reset();
}

void ReceiptRenderer::EnsureHeight(int height) {
    if (height <= page_.height()) {
        return;
    }
    QImage larger(kWidth, std::max(height, page_.height() * 2), QImage::Format_RGB32);
    larger.fill(Qt::white);
    QPainter(&larger).drawImage(0, 0, page_);
    page_ = larger;
}

std::vector<QImage> ReceiptRenderer::TakeFinishedJobs() {
    return std::exchange(finished_, {});
}

std::optional<QImage> ReceiptRenderer::TakeUnfinishedJob() {
    if (!line_.empty()) {
        PrintLine();
    }
    if (!anythingPrinted_) {
        return std::nullopt;
    }
    QImage job = page_.copy(0, 0, kWidth, std::max(1, y_));
    Reset();
    return job;
}
