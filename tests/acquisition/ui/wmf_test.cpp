// The metafile device: a well-formed placeable file whose records are the painted lines,
// shapes and texts, with their pens, brushes, fonts and clipping.
#include "ui/wmf_device.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPainterPath>
#include <functional>

#include "testkit/gui_app.h"
#include "wmf_reading.h"

namespace qtl {
namespace {

using testing::readWmf;
using testing::WmfFile;

constexpr std::uint16_t kPolyline = 0x0325;
constexpr std::uint16_t kPolygon = 0x0324;
constexpr std::uint16_t kPolyPolygon = 0x0538;
constexpr std::uint16_t kTextOut = 0x0521;
constexpr std::uint16_t kCreatePen = 0x02FA;
constexpr std::uint16_t kCreateFont = 0x02FB;
constexpr std::uint16_t kCreateBrush = 0x02FC;
constexpr std::uint16_t kSetTextColor = 0x0209;
constexpr std::uint16_t kIntersectClip = 0x0416;
constexpr std::uint16_t kEllipse = 0x0418;
constexpr std::uint16_t kStretchDib = 0x0F43;

// 400 x 300 pixels: 40 logical units a pixel would pass the 16-bit room, so each is 10 units.
constexpr int kUnits = 10;

WmfFile paint(const std::function<void(QPainter&)>& draw, QSize size = {400, 300}) {
    testkit::application();
    WmfDevice device(size);
    {
        QPainter painter(&device);
        draw(painter);
    }
    return readWmf(device.file());
}

std::size_t indexOf(const WmfFile& f, const testing::WmfRecord* r) {
    return static_cast<std::size_t>(r - f.records.data());
}

TEST(WmfDevice, LargePicturesKeepCoordinatesInSixteenBits) {
    const WmfFile f = paint([](QPainter& p) { p.drawLine(0, 0, 4000, 3000); }, {4000, 3000});
    ASSERT_EQ(f.error, "");
    // 4 units a pixel, the window extent and the bounds alike, 96 pixels to the inch.
    EXPECT_EQ(f.right, 16000);
    EXPECT_EQ(f.unitsPerInch, 96 * 4);
    EXPECT_EQ(f.all(0x020C).at(0)->i16(1), 16000);
    ASSERT_EQ(f.all(kPolyline).size(), 1U);
    EXPECT_EQ(testing::points(*f.all(kPolyline)[0]),
              (std::vector<std::pair<int, int>>{{0, 0}, {16000, 12000}}));
}

TEST(WmfDevice, LinesBecomePolylinesWithTheirPen) {
    const WmfFile f = paint([](QPainter& p) {
        QPen pen(QColor(255, 0, 0));
        pen.setWidth(2);
        pen.setStyle(Qt::DashLine);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        const QPointF line[] = {{10, 20}, {30.5, 40}, {50, 10}};
        p.drawPolyline(line, 3);
        // Continuing segments join into one polyline; a separate one starts another.
        p.setPen(QPen(Qt::blue, 0));
        p.drawLines(QList<QLineF>{{0, 0, 5, 5}, {5, 5, 10, 0}, {20, 20, 30, 20}});
    });
    ASSERT_EQ(f.error, "");
    const auto lines = f.all(kPolyline);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(testing::points(*lines[0]),
              (std::vector<std::pair<int, int>>{{100, 200}, {305, 400}, {500, 100}}));
    const auto* pen = f.selectedBefore(indexOf(f, lines[0]), kCreatePen);
    ASSERT_NE(pen, nullptr);
    EXPECT_EQ(pen->u16(0), 0x1000 | 0x0200 | 1);  // bevel joins, flat ends, dashes
    EXPECT_EQ(pen->i16(1), 2 * kUnits);
    EXPECT_EQ(pen->u32(3), 0x0000FFU);  // red as 0x00BBGGRR

    EXPECT_EQ(testing::points(*lines[1]),
              (std::vector<std::pair<int, int>>{{0, 0}, {50, 50}, {100, 0}}));
    EXPECT_EQ(testing::points(*lines[2]),
              (std::vector<std::pair<int, int>>{{200, 200}, {300, 200}}));
    const auto* cosmetic = f.selectedBefore(indexOf(f, lines[1]), kCreatePen);
    ASSERT_NE(cosmetic, nullptr);
    EXPECT_EQ(cosmetic->i16(1), kUnits);  // a cosmetic pen is one pixel wide
    EXPECT_EQ(cosmetic->u32(3), 0xFF0000U);
}

TEST(WmfDevice, FilledShapesUseTheBrushAndTransforms) {
    const WmfFile f = paint([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 255));
        p.translate(100, 50);
        p.scale(2, 2);
        p.drawRect(QRectF(0, 0, 10, 5));
        p.setBrush(Qt::NoBrush);
        p.setPen(Qt::black);
        p.drawEllipse(QRectF(0, 0, 4, 4));
        p.setBrush(QBrush(Qt::green, Qt::CrossPattern));
        QPainterPath two;
        two.addRect(0, 0, 1, 1);
        two.addRect(3, 3, 1, 1);
        p.drawPath(two);
    });
    ASSERT_EQ(f.error, "");
    const auto polygons = f.all(kPolygon);
    ASSERT_EQ(polygons.size(), 1U);
    EXPECT_EQ(
        testing::points(*polygons[0]),
        (std::vector<std::pair<int, int>>{{1000, 500}, {1200, 500}, {1200, 600}, {1000, 600}}));
    const auto* brush = f.selectedBefore(indexOf(f, polygons[0]), kCreateBrush);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->u16(0), 0);  // solid
    EXPECT_EQ(brush->u32(1), 0xFF0000U);
    EXPECT_EQ(f.selectedBefore(indexOf(f, polygons[0]), kCreatePen)->u16(0), 5);  // no outline

    const auto ellipses = f.all(kEllipse);
    ASSERT_EQ(ellipses.size(), 1U);
    // Bottom, right, top, left.
    EXPECT_EQ(ellipses[0]->i16(0), 580);
    EXPECT_EQ(ellipses[0]->i16(1), 1080);
    EXPECT_EQ(ellipses[0]->i16(2), 500);
    EXPECT_EQ(ellipses[0]->i16(3), 1000);
    EXPECT_EQ(f.selectedBefore(indexOf(f, ellipses[0]), kCreateBrush)->u16(0), 1);  // hollow

    const auto multi = f.all(kPolyPolygon);
    ASSERT_EQ(multi.size(), 1U);
    EXPECT_EQ(multi[0]->u16(0), 2);
    const auto* hatch = f.selectedBefore(indexOf(f, multi[0]), kCreateBrush);
    EXPECT_EQ(hatch->u16(0), 2);  // hatched
    EXPECT_EQ(hatch->u16(3), 4);  // cross
}

TEST(WmfDevice, TextsKeepTheirAccentsFontAndAngle) {
    const WmfFile f = paint([](QPainter& p) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(0, 128, 0));
        p.drawText(QPointF(20, 30), QStringLiteral("Température €"));
        p.translate(10, 200);
        p.rotate(-90);
        p.drawText(QPointF(0, 0), QStringLiteral("tension"));
    });
    ASSERT_EQ(f.error, "");
    std::string all;
    std::vector<const testing::WmfRecord*> texts = f.all(kTextOut);
    for (const auto* t : texts) all += testing::textOf(*t);
    EXPECT_NE(all.find("Temp\xE9rature"), std::string::npos) << all;
    EXPECT_NE(all.find('\x80'), std::string::npos) << "euro sign in Windows-1252";
    EXPECT_NE(all.find("tension"), std::string::npos);

    const auto* first = texts.front();
    const std::size_t n = static_cast<std::size_t>(first->i16(0));
    // Start on the base line, after the padded string: y then x.
    EXPECT_EQ(first->i16(1 + (n + 1) / 2), 30 * kUnits);
    EXPECT_EQ(first->i16(2 + (n + 1) / 2), 20 * kUnits);
    const auto* font = f.selectedBefore(indexOf(f, first), kCreateFont);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->i16(0), -12 * kUnits);
    EXPECT_EQ(font->i16(4), 700);
    EXPECT_EQ(font->i16(2), 0);
    const std::string face(font->params.begin() + 18, font->params.begin() + 29);
    EXPECT_EQ(face, "DejaVu Sans");
    ASSERT_FALSE(f.all(kSetTextColor).empty());
    EXPECT_EQ(f.all(kSetTextColor).back()->u32(0), 0x008000U);

    const auto* rotated = f.selectedBefore(indexOf(f, texts.back()), kCreateFont);
    EXPECT_EQ(rotated->i16(2), 900);  // a quarter turn counter-clockwise
}

TEST(WmfDevice, ClipRectanglesAreSavedAndRestored) {
    const WmfFile f = paint([](QPainter& p) {
        p.setClipRect(QRect(10, 10, 100, 50));
        p.drawLine(0, 0, 200, 200);
        p.setClipping(false);
        p.drawLine(0, 10, 200, 10);
        p.setClipRect(QRect(20, 20, 10, 10));
        p.drawLine(0, 20, 200, 20);
    });
    // The reader checks that every save is restored and selections stay valid.
    ASSERT_EQ(f.error, "");
    const auto clips = f.all(kIntersectClip);
    ASSERT_EQ(clips.size(), 2U);
    EXPECT_EQ(clips[0]->i16(0), 600);   // bottom
    EXPECT_EQ(clips[0]->i16(1), 1100);  // right
    EXPECT_EQ(clips[0]->i16(2), 100);   // top
    EXPECT_EQ(clips[0]->i16(3), 100);   // left
    EXPECT_EQ(f.all(kPolyline).size(), 3U);
}

TEST(WmfDevice, LongPolylinesAreCutIntoConnectedRecords) {
    QPolygonF line;
    for (int i = 0; i < 70000; ++i) line << QPointF(i * 0.005, (i % 2) * 100.0);
    const WmfFile f = paint([&](QPainter& p) { p.drawPolyline(line); });
    ASSERT_EQ(f.error, "");
    const auto records = f.all(kPolyline);
    ASSERT_EQ(records.size(), 3U);
    std::size_t total = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto pts = testing::points(*records[i]);
        total += pts.size();
        if (i > 0) {
            EXPECT_EQ(testing::points(*records[i - 1]).back(), pts.front());
        }
    }
    EXPECT_EQ(total, 70000U + 2);
}

TEST(WmfDevice, ManyColoursReuseTheObjectTable) {
    const WmfFile f = paint([](QPainter& p) {
        for (int i = 0; i < 1000; ++i) {
            p.setPen(QColor(i % 256, i / 256, 0));
            p.drawLine(0, i % 300, 10, i % 300);
        }
    });
    ASSERT_EQ(f.error, "");
    EXPECT_EQ(f.all(kCreatePen).size(), 1000U);
    EXPECT_LE(f.numberOfObjects, 210);
}

TEST(WmfDevice, PicturesBecomeDeviceIndependentBitmaps) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    const WmfFile f = paint([&](QPainter& p) { p.drawImage(QRectF(5, 5, 30, 20), image); });
    ASSERT_EQ(f.error, "");
    const auto dibs = f.all(kStretchDib);
    ASSERT_EQ(dibs.size(), 1U);
    const auto& r = *dibs[0];
    EXPECT_EQ(r.i16(3), 2);  // source height, width
    EXPECT_EQ(r.i16(4), 3);
    EXPECT_EQ(r.i16(7), 200);  // destination height, width
    EXPECT_EQ(r.i16(8), 300);
    EXPECT_EQ(r.u32(11), 40U);  // bitmap information header
    EXPECT_EQ(r.u16(18), 24);
    // Rows bottom-up, 12 bytes each: the top-left red pixel opens the second row.
    const std::size_t pixels = 22 + 40;
    EXPECT_EQ(r.params[pixels + 12 + 2], 255);
    EXPECT_EQ(r.params[pixels + 12 + 0], 0);
    EXPECT_EQ(r.params[pixels + 0], 30);  // blue of the bottom-left pixel
}

}  // namespace
}  // namespace qtl
