#include "commands/command_set.h"
#include "tests/support/fake_operator.h"
#include "tools/virtual_printer/receipt_renderer.h"

#include <QColor>
#include <gtest/gtest.h>

namespace {

QImage Render(const Bytes& stream, bool expectCut) {
    ReceiptRenderer renderer;
    for (const Event& event : DecodeStream(stream)) {
        renderer.Apply(event);
    }
    std::vector<QImage> jobs = renderer.TakeFinishedJobs();
    if (expectCut) {
        EXPECT_EQ(jobs.size(), 1u);
        return jobs.empty() ? QImage() : jobs.front();
    }
    EXPECT_TRUE(jobs.empty());
    return renderer.TakeUnfinishedJob().value_or(QImage());
}

bool Ink(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

bool RowHasInk(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x) {
        if (Ink(image, x, y)) {
            return true;
        }
    }
    return false;
}

// Runs of rows with ink, separated by blank rows.
struct Band {
    int top, bottom, left, right;
    int Height() const { return bottom - top + 1; }
    int Width() const { return right - left + 1; }
};

std::vector<Band> Bands(const QImage& image) {
    std::vector<Band> bands;
    for (int y = 0; y < image.height(); ++y) {
        if (!RowHasInk(image, y)) {
            continue;
        }
        if (bands.empty() || bands.back().bottom != y - 1) {
            bands.push_back({y, y, image.width(), -1});
        }
        Band& band = bands.back();
        band.bottom = y;
        for (int x = 0; x < image.width(); ++x) {
            if (Ink(image, x, y)) {
                band.left = std::min(band.left, x);
                band.right = std::max(band.right, x);
            }
        }
    }
    return bands;
}

TEST(ReceiptRendererTest, TestPrintShowsSixLinesOfEqualWidth) {
    const QImage image = Render(StreamOf(&CommandSet::Button1Click), false);
    ASSERT_EQ(image.width(), 576);
    const std::vector<Band> bands = Bands(image);
    ASSERT_EQ(bands.size(), 6u);
    for (const Band& band : bands) {
        EXPECT_EQ(band.Width(), bands[0].Width());
        EXPECT_EQ(band.Height(), bands[0].Height());
        EXPECT_GT(band.Width(), 40 * 12 - 12) << "forty characters of font A";
        EXPECT_LE(band.Width(), 40 * 12);
    }
}

// "HHHH" in each print mode, measured from the pixels.
TEST(ReceiptRendererTest, FontsAndDoubledModesHaveTheirRelativeSizes) {
    std::map<int, Band> ink;
    for (int mode : {0x00, 0x30, 0x01, 0x31}) {
        const Bytes stream = Bytes{0x1B, '!', static_cast<char>(mode)} + "HHHH\n";
        const std::vector<Band> bands = Bands(Render(stream, false));
        ASSERT_EQ(bands.size(), 1u) << mode;
        ink[mode] = bands[0];
    }
    const auto ratio = [](int a, int b) { return double(a) / double(b); };
    EXPECT_NEAR(ratio(ink[0x01].Width(), ink[0x00].Width()), 9.0 / 12.0, 0.08) << "font B width";
    EXPECT_NEAR(ratio(ink[0x01].Height(), ink[0x00].Height()), 17.0 / 24.0, 0.12);
    EXPECT_NEAR(ratio(ink[0x30].Width(), ink[0x00].Width()), 2.0, 0.1) << "double width, A";
    EXPECT_NEAR(ratio(ink[0x30].Height(), ink[0x00].Height()), 2.0, 0.15) << "double height, A";
    EXPECT_NEAR(ratio(ink[0x31].Width(), ink[0x01].Width()), 2.0, 0.1) << "double width, B";
    EXPECT_NEAR(ratio(ink[0x31].Height(), ink[0x01].Height()), 2.0, 0.15) << "double height, B";
}

TEST(ReceiptRendererTest, ChartIsOneJobEndingInADashedCut) {
    const QImage image = Render(StreamOf(&CommandSet::ptClick), true);
    ASSERT_EQ(image.width(), 576);
    // 128 codes a run: 3 lines of font A, 6 doubled, 2 of font B, 4 doubled.
    EXPECT_GE(image.height(), 3 * 24 + 6 * 48 + 2 * 17 + 4 * 34);
    int lastInkRow = image.height() - 1;
    while (lastInkRow > 0 && !RowHasInk(image, lastInkRow)) {
        --lastInkRow;
    }
    int gaps = 0;
    for (int x = 1; x < image.width(); ++x) {
        gaps += Ink(image, x - 1, lastInkRow) && !Ink(image, x, lastInkRow);
    }
    EXPECT_GT(gaps, 20) << "the cut is not drawn dashed across the paper";
}

TEST(ReceiptRendererTest, DrawerPulseLeavesAMarker) {
    const QImage image = Render(StreamOf(&CommandSet::OpenClick), false);
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(Bands(image).size(), 1u);
}

} // namespace
