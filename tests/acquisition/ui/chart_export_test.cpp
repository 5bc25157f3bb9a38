// What the chart hands to other programs: a metafile of vector records (read back here and,
// when installed, by libwmf's converter) and a printed page in a PDF file.
#include <gtest/gtest.h>

#include <qcustomplot.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

#include "graph/graph_setup.h"
#include "settings/program_settings.h"
#include "testkit/gui_app.h"
#include "ui/chart.h"
#include "wmf_reading.h"

namespace qtl {
namespace {

constexpr std::uint16_t kPolyline = 0x0325;
constexpr std::uint16_t kTextOut = 0x0521;
constexpr std::uint16_t kCreatePen = 0x02FA;
constexpr std::size_t kPoints = 60;

class ChartExport : public ::testing::Test {
  protected:
    // The chart below is a widget: the application comes first.
    static void SetUpTestSuite() { testkit::application(); }
    void SetUp() override {
        resetProgramSettings();
        ProgramSettings s;
        s.channelA.active = true;
        s.showPoints = false;
        s.channelP.title = "tension (V)";
        setUpGraphFromSettings(model, s);
        for (std::size_t i = 0; i < kPoints; ++i) {
            const double t = static_cast<double>(i) * 0.2;
            model.addPoint(Channel::P, t, 500 + 400 * std::sin(t));
            model.addPoint(Channel::A, t, 20 * std::cos(t));
        }
        chart.resize(600, 400);
        chart.redraw();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { resetProgramSettings(); }

    QByteArray read(const QString& name) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // QTL_GUIDE_IMAGES names a folder that receives the files the guide shows.
    void keepForTheGuide(const char* name, const char* as) {
        const QString folder = qEnvironmentVariable("QTL_GUIDE_IMAGES");
        if (folder.isEmpty()) return;
        const QString target = QDir(folder).filePath(QString::fromLatin1(as));
        QFile::remove(target);
        QFile::copy(dir.filePath(QString::fromLatin1(name)), target);
    }

    GraphModel model;
    Chart chart{model};
    QTemporaryDir dir;
};

// The longest polyline drawn with a pen of the given colour (0x00BBGGRR).
std::size_t longestPolyline(const testing::WmfFile& f, std::uint32_t colour) {
    std::size_t longest = 0;
    for (std::size_t i = 0; i < f.records.size(); ++i) {
        if (f.records[i].function != kPolyline) continue;
        const auto* pen = f.selectedBefore(i, kCreatePen);
        if (pen != nullptr && pen->u32(3) == colour)
            longest = std::max(longest, testing::points(f.records[i]).size());
    }
    return longest;
}

TEST_F(ChartExport, MetafileHoldsTheCurvesAxesAndTitlesAsRecords) {
    const QString file = dir.filePath("graphe.wmf");
    ASSERT_TRUE(chart.saveMetafile(file));
    const testing::WmfFile f = testing::readWmf(read("graphe.wmf"));
    ASSERT_EQ(f.error, "");
    // The picture has the chart's size at 96 dots per inch.
    EXPECT_DOUBLE_EQ(double(f.right - f.left) / f.unitsPerInch, 600.0 / 96);
    EXPECT_DOUBLE_EQ(double(f.bottom - f.top) / f.unitsPerInch, 400.0 / 96);
    // Each curve is one polyline through its points, in its own colour.
    EXPECT_GE(longestPolyline(f, 0x0000FF), kPoints - 5);
    EXPECT_GE(longestPolyline(f, 0x008000), kPoints - 5);
    std::string texts;
    for (const auto* t : f.all(kTextOut)) texts += testing::textOf(*t) + "|";
    EXPECT_NE(texts.find("Mesures effectu\xE9"
                         "es"),
              std::string::npos)
        << texts;
    EXPECT_NE(texts.find("tension (V)"), std::string::npos);
    EXPECT_NE(texts.find("temps"), std::string::npos);
    EXPECT_NE(texts.find("|800|"), std::string::npos) << "tick labels of the left axis";
    // No picture hides inside.
    EXPECT_TRUE(f.all(0x0F43).empty());
}

TEST_F(ChartExport, AnotherProgramReadsTheMetafile) {
    const QString converter = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
    if (converter.isEmpty()) GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    const QString file = dir.filePath("graphe.wmf");
    ASSERT_TRUE(chart.saveMetafile(file));
    QProcess convert;
    convert.start(converter, {QStringLiteral("-o"), dir.filePath("graphe.svg"), file});
    ASSERT_TRUE(convert.waitForFinished(60000));
    EXPECT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
    // The converter passes the texts' Windows-1252 bytes through as they stand.
    const QString svg = QString::fromLatin1(read("graphe.svg"));
    ASSERT_FALSE(svg.isEmpty());
    EXPECT_TRUE(svg.contains(QStringLiteral(">Mesures effectuées<")))
        << "the title, accent included";
    EXPECT_TRUE(svg.contains(QStringLiteral(">tension (V)<")));
    EXPECT_TRUE(svg.contains(QStringLiteral(">800<")));
    // The red and the green curve come out as drawn lines through all their points.
    const QRegularExpression point(QStringLiteral("[-0-9.]+,[-0-9.]+"));
    for (const char* colour : {"(red|#ff0000)", "(green|#008000)"}) {
        const QRegularExpression line(
            QStringLiteral("<polyline points=\"([^\"]*)\"[^>]*stroke:%1[;\"]")
                .arg(QLatin1String(colour)));
        qsizetype longest = 0;
        for (auto it = line.globalMatch(svg); it.hasNext();) {
            const QString pts = it.next().captured(1);
            qsizetype n = 0;
            for (auto p = point.globalMatch(pts); p.hasNext(); p.next()) ++n;
            longest = std::max(longest, n);
        }
        EXPECT_GE(longest, static_cast<qsizetype>(kPoints - 5)) << colour;
    }
}

TEST_F(ChartExport, PrintsOneLandscapePageToPdf) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    printer.setPageOrientation(QPageLayout::Landscape);
    const QFont tickFont = chart.findChild<QCustomPlot*>()->xAxis->tickLabelFont();
    ASSERT_TRUE(chart.print(printer));
    EXPECT_EQ(chart.findChild<QCustomPlot*>()->xAxis->tickLabelFont(), tickFont);
    const QByteArray pdf = read("page.pdf");
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    const auto m = box.match(QString::fromLatin1(pdf));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_GT(m.captured(1).toDouble(), m.captured(2).toDouble()) << "landscape";
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
              1);
    keepForTheGuide("page.pdf", "page_imprimee.pdf");

    // Seen on the page (when poppler's renderer is installed): the curves fill the width and
    // the texts keep their size next to the chart, at the printer's high resolution too.
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (renderer.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    QProcess render;
    render.start(renderer,
                 {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"),
                  QStringLiteral("-singlefile"), dir.filePath("page.pdf"), dir.filePath("page")});
    ASSERT_TRUE(render.waitForFinished(60000));
    const QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height());
    int dark = 0;
    int redLeft = page.width();
    int redRight = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() < 90 && c.green() < 90 && c.blue() < 90) ++dark;
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80) {
                redLeft = std::min(redLeft, x);
                redRight = std::max(redRight, x);
            }
        }
    }
    EXPECT_GT(redRight - redLeft, page.width() * 6 / 10);
    EXPECT_LT(dark, page.width() * page.height() / 40) << "texts outgrow the chart";
}

}  // namespace
}  // namespace qtl
