// The copy, print and picture commands as the user meets them: dialogs answered by the
// scripted interaction, the clipboard, the files written and the error box.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include "graph/windows/graph_windows.h"
#include "graph/windows/urepere13.h"
#include "settings/program_settings.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"
#include "ui/chart.h"

namespace qtl {
namespace {

class GraphExport : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
        programSettings().channelA.active = true;
        window = openGraphWindow();
        window->show();
        window->model().addPoint(Channel::P, 0.5, 1.25);
        window->model().addPoint(Channel::P, 1, 2);
        window->model().addPoint(Channel::A, 0.5, -3);
        window->model().addPoint(Channel::A, 1, -4);
        testkit::processEvents();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override {
        destroyGraphWindows();
        resetProgramSettings();
    }

    void run(const char* caption) {
        QAction* action = testkit::findAction(*window, QString::fromUtf8(caption));
        ASSERT_NE(action, nullptr) << caption;
        action->trigger();
    }
    QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
    Trepere* window = nullptr;
    QTemporaryDir dir;
};

TEST_F(GraphExport, CopyCommandsPutTheNumbersOnTheClipboard) {
    struct Case {
        const char* caption;
        const char* text;
    };
    const Case cases[] = {
        {"copier (virgule decimale)",
         "0,50000000\t1,25000000\t-3,00000000\r1,00000000\t2,00000000\t-4,00000000\r"},
        {"copier (point decimal)",
         "0.50000000\t1.25000000\t-3.00000000\r1.00000000\t2.00000000\t-4.00000000\r"},
    };
    for (const Case& c : cases) {
        QGuiApplication::clipboard()->setText(QStringLiteral("avant"));
        run(c.caption);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8(c.text)) << c.caption;
        EXPECT_EQ(programSettings().decimalSeparator, '.') << c.caption;
    }
    EXPECT_TRUE(user.messages().isEmpty());
}

TEST_F(GraphExport, PictureCommandsSaveTheChartOrDoNothingWhenCancelled) {
    struct Case {
        const char* caption;
        const char* filter;
        const char* extension;
        QByteArray magic;
    };
    const Case cases[] = {
        {"sauver graphe bmp", "Fichier image .bmp|*.bmp", "bmp", "BM"},
        {"sauver graphe wmf", "image vectorielle WMF|*.wmf", "wmf",
         QByteArray("\xD7\xCD\xC6\x9A", 4)},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QStringLiteral("graphe.") + QLatin1String(c.extension));
        user.clear();
        user.queueFile(QString());  // cancelled
        run(c.caption);
        EXPECT_FALSE(QFile::exists(path));
        user.queueFile(path);
        run(c.caption);
        ASSERT_EQ(user.exchanges().size(), 2U);
        const FileDialogRequest& asked = user.exchanges()[1].file;
        EXPECT_EQ(asked.filter, QString::fromUtf8(c.filter));
        EXPECT_EQ(asked.defaultExtension, QLatin1String(c.extension));
        EXPECT_TRUE(read(path).startsWith(c.magic)) << c.caption;
        EXPECT_TRUE(user.messages().isEmpty()) << c.caption;
    }
    // A 24-bit bitmap of the chart's current size.
    const QString bmp = dir.filePath(QStringLiteral("graphe.bmp"));
    EXPECT_EQ(read(bmp).at(28), 24);
    EXPECT_EQ(QImage(bmp).size(), window->Chart1->size());
}

TEST_F(GraphExport, FileSystemErrorsShowTheErrorBox) {
    for (const char* caption : {"sauver graphe bmp", "sauver graphe wmf"}) {
        user.clear();
        const QString path = dir.filePath(QStringLiteral("absent/graphe"));
        user.queueFile(path);
        run(caption);
        ASSERT_EQ(user.messages().size(), 1) << caption;
        EXPECT_TRUE(user.messages()[0].contains(path)) << user.messages()[0].toStdString();
    }
}

TEST_F(GraphExport, PrintingGoesThroughThePrinterDialog) {
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    // Cancelled: nothing printed, nothing said.
    run("imprimer graphe");
    ASSERT_EQ(user.exchanges().size(), 1U);
    EXPECT_EQ(user.exchanges()[0].kind, testkit::RecordedExchange::Kind::Dialog);

    bool landscape = false;
    user.queueDialog([&](QDialog& d) {
        QPrinter* printer = dynamic_cast<QPrintDialog&>(d).printer();
        landscape = printer->pageLayout().orientation() == QPageLayout::Landscape;
        printer->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    });
    run("imprimer graphe");
    EXPECT_TRUE(landscape) << "the dialog proposes a landscape page";
    EXPECT_TRUE(read(pdf).startsWith("%PDF-"));
    EXPECT_TRUE(user.messages().isEmpty());

    user.queueDialog([&](QDialog& d) {
        dynamic_cast<QPrintDialog&>(d).printer()->setOutputFileName(dir.filePath("absent/p.pdf"));
        return int(QDialog::Accepted);
    });
    run("imprimer graphe");
    ASSERT_EQ(user.messages().size(), 1);
    EXPECT_TRUE(user.messages()[0].startsWith(QStringLiteral("Impression impossible")));
}

}  // namespace
}  // namespace qtl
