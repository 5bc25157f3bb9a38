// The data file commands as the user meets them: the save dialog, the box with the chosen
// name, the file written, the error box; "&Ouvrir" and "lirefichier" reading a file.
#include <gtest/gtest.h>

#include <QAction>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/data_file_error.h"
#include "files/data_file_writer.h"
#include "graph/windows/graph_commands.h"
#include "graph/windows/graph_windows.h"
#include "graph/windows/urepere13.h"
#include "settings/program_settings.h"
#include "settings/windows/Main13.h"
#include "settings/windows/program_windows.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"
#include "ui/qtl_application.h"

namespace qtl {
namespace {

namespace fs = std::filesystem;
using Kind = testkit::RecordedExchange::Kind;

class FileCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        resetProgramSettings();
        createProgramWindows();
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir = fs::temp_directory_path() / ("qtl_file_commands_" + std::to_string(stamp));
        fs::create_directories(dir);
    }
    void TearDown() override {
        destroyGraphWindows();
        destroyProgramWindows();
        resetProgramSettings();
        fs::remove_all(dir);
    }

    static Trepere* windowWithPoints() {
        Trepere* w = openGraphWindow();
        w->model().addPoint(Channel::P, 0.5, 1.25);
        w->model().addPoint(Channel::P, 1, -2);
        return w;
    }
    static void run(Trepere& w, const char* objectName) {
        findCommand(graphCommands(), objectName)->handler(w);
    }
    static std::string bytesOf(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    QString path(const char* name) const { return QString::fromStdString((dir / name).string()); }

    fs::path dir;
    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
};

TEST_F(FileCommands, SaveShowsTheDialogThenTheNameThenWrites) {
    Trepere* w = windowWithPoints();
    w->model().bottomAxis().setTitle("t");
    w->model().leftAxis().setTitle("U");
    user.queueFile(path("m.csv"));
    w->command("sauvegardervirgule")->trigger();

    ASSERT_EQ(user.exchanges().size(), 2u);
    const auto& dialog = user.exchanges()[0];
    EXPECT_EQ(dialog.kind, Kind::SaveFile);
    EXPECT_EQ(dialog.file.title, "Sauvegarde des données dans un fichier");
    EXPECT_EQ(dialog.file.filter,
              "fichier texte CSV (. /,)|*.csv|fichier texte TAB ( . / tabulations)|*.tab|"
              "fichier DIF|*.dif");
    EXPECT_EQ(dialog.file.defaultExtension, "tab");
    EXPECT_EQ(user.exchanges()[1].kind, Kind::Information);
    EXPECT_EQ(user.exchanges()[1].text, path("m.csv"));
    EXPECT_EQ(bytesOf(dir / "m.csv"), "t;U\r\n0,50000000;1,25000000\r\n1,00000000;-2,00000000\r\n");
    EXPECT_EQ(programSettings().decimalSeparator, '.');

    // Each save command through its table entry; a cancelled dialog writes nothing.
    const std::pair<const char*, const char*> saves[] = {
        {"sauvegarder1", "t\tU\r\n0.50000000\t1.25000000\r\n1.00000000\t-2.00000000\r\n"},
        {"sauvavecdtails1",
         "t\tU\r\n0.50000000\t1.25000000\r\n1.00000000\t-2.00000000\r\n\r\n"
         "TITREG=Mesures effectu\xE9"
         "es\r\n"},
        {"exportersanstitres1", "0.50000000\t1.25000000\r\n1.00000000\t-2.00000000\r\n"}};
    for (const auto& [command, expected] : saves) {
        user.queueFile(path("m.tab"));
        run(*w, command);
        EXPECT_EQ(bytesOf(dir / "m.tab"), expected) << command;
        user.queueFile(QString());
        run(*w, command);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(FileCommands, AnIoErrorEndsTheSaveInTheErrorBoxAndResetsTheFlags) {
    Trepere* w = windowWithPoints();
    user.queueFile(path("absent/m.tab"));
    try {
        run(*w, "sauvegardervirgule");
        ADD_FAILURE() << "no error";
    } catch (const DataFileError& e) {
        reportCommandError(e);
    }
    ASSERT_EQ(user.messages().size(), 1);
    EXPECT_TRUE(user.messages()[0].startsWith("impossible de créer le fichier : "))
        << user.messages()[0].toStdString();
    EXPECT_EQ(programSettings().decimalSeparator, '.');
    EXPECT_TRUE(programSettings().exportTitles);
}

TEST_F(FileCommands, OuvrirReadsAFileIntoANewWindow) {
    GraphModel source;
    source.aActive = true;
    source.bottomAxis().setTitle("temps");
    source.addPoint(Channel::P, 1, 2);
    source.addPoint(Channel::A, 1, 3);
    writeDataFile(dir / "m.dif", source, {});
    user.queueFile(path("m.dif"));
    programWindows().MainForm->Ouvrir1->trigger();

    const auto windows = graphWindows();
    ASSERT_EQ(windows.size(), 1u);
    const GraphModel& m = windows[0]->model();
    EXPECT_FALSE(programSettings().pointTimerMode);
    EXPECT_EQ(m.bottomAxis().title(), "temps");
    EXPECT_EQ(m.points(Channel::A).count(), 1u);
    EXPECT_TRUE(m.aActive);
    EXPECT_TRUE(m.rightAxis().visible());
    ASSERT_EQ(user.exchanges().size(), 1u);
    EXPECT_EQ(user.exchanges()[0].kind, Kind::OpenFile);
    EXPECT_EQ(user.exchanges()[0].file.filter, "fichier texte (, ; ou TAB)|*.*");

    // A missing file: the box, and nothing read.
    user.clear();
    user.queueFile(path("absent.tab"));
    windows[0]->command("lirefichier1")->trigger();
    ASSERT_EQ(user.exchanges().size(), 2u);
    EXPECT_EQ(user.exchanges()[1].kind, Kind::Information);
    EXPECT_EQ(user.exchanges()[1].text, "fichier inexistant : " + path("absent.tab"));
    EXPECT_EQ(m.points(Channel::P).count(), 1u);
}

}  // namespace
}  // namespace qtl
