// The guide opened from the program: which address F1 and each dialog's help button would
// open (the opener is replaced, no browser starts), the messages when it cannot be opened, and
// that every section the program opens has its anchor in the guide.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "graph/windows/udcadrages10.h"
#include "outputs/windows/udmatsf.h"
#include "outputs/windows/udmatsl.h"
#include "outputs/windows/udmatsv.h"
#include "settings/program_places.h"
#include "settings/program_settings.h"
#include "settings/windows/Main13.h"
#include "settings/windows/program_windows.h"
#include "settings/windows/udmatp10.h"
#include "testkit/gui_app.h"
#include "testkit/scripted_interaction.h"
#include "ui/user_guide.h"

namespace qtl {
namespace {

void writeFile(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("<html></html>");
}

// A build tree in a scratch folder (bin/, pilotes/, doc/) whose places the process takes.
class UserGuide : public ::testing::Test {
  protected:
    void SetUp() override {
        testkit::application();
        ASSERT_TRUE(tree.isValid());
        const QDir root(tree.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("bin")) && root.mkpath(QStringLiteral("pilotes")) &&
                    root.mkpath(QStringLiteral("doc")));
        previousFolder = programPlaces().programFolder;
        setProgramFolder(root.filePath(QStringLiteral("bin")).toStdString());
        page = root.filePath(QStringLiteral("doc/guide-utilisateur.html"));
        writeFile(page);
        previousOpener = setUrlOpener([this](const QUrl& url) {
            opened.push_back(url);
            return browserWorks;
        });
    }
    void TearDown() override {
        setUrlOpener(std::move(previousOpener));
        setProgramFolder(previousFolder);
    }

    QTemporaryDir tree;
    QString page;
    std::string previousFolder;
    UrlOpener previousOpener;
    std::vector<QUrl> opened;
    bool browserWorks = true;
    testkit::ScriptedInteraction user;
    ScopedInteraction scope{user};
};

TEST_F(UserGuide, EachDialogsHelpButtonOpensItsSection) {
    resetProgramSettings();
    const struct {
        const char* dialog;
        std::function<std::unique_ptr<QDialog>()> make;
        const char* section;
    } cases[] = {
        {"voie P", [] { return std::make_unique<Tfdmatp>('P'); }, guide::kChannels},
        {"voie A", [] { return std::make_unique<Tfdmatp>('A'); }, guide::kChannels},
        {"cadrages", [] { return std::make_unique<TcadrageDlg>(); }, guide::kFraming},
        {"sorties logiques", [] { return std::make_unique<TFsortieslogiques>(); },
         guide::kLogicOutputs},
        {"sorties fixes", [] { return std::make_unique<Tfsortiesfixes>(); }, guide::kFixedOutputs},
        {"sortie variable", [] { return std::make_unique<Tfsortiev>(); }, guide::kVariableOutputs},
    };
    for (const auto& c : cases) {
        opened.clear();
        const std::unique_ptr<QDialog> dialog = c.make();
        auto* help = dialog->findChild<QPushButton*>(QStringLiteral("HelpBtn"));
        ASSERT_NE(help, nullptr) << c.dialog;
        help->click();
        ASSERT_EQ(opened.size(), 1u) << c.dialog;
        EXPECT_EQ(opened.front().toLocalFile(), page) << c.dialog;
        EXPECT_EQ(opened.front().fragment(), QString::fromLatin1(c.section)) << c.dialog;
    }
    EXPECT_TRUE(user.exchanges().empty());
}

TEST_F(UserGuide, F1OpensTheGuideFromTheMainWindow) {
    resetProgramSettings();
    createProgramWindows();
    QAction* entry = programWindows().MainForm->command("Modedemploi1");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->shortcut(), QKeySequence(Qt::Key_F1));
    entry->trigger();
    destroyProgramWindows();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.front(), QUrl::fromLocalFile(page));
    EXPECT_TRUE(opened.front().fragment().isEmpty());
}

TEST_F(UserGuide, MissingGuideOrBrowserIsToldAndMarkdownStandsIn) {
    browserWorks = false;
    openUserGuide(QString::fromLatin1(guide::kFraming));
    ASSERT_EQ(user.exchanges().size(), 1u);
    EXPECT_TRUE(user.exchanges()[0].text.contains(QStringLiteral("Aucun navigateur")));
    EXPECT_TRUE(user.exchanges()[0].text.contains(QDir::toNativeSeparators(page)));

    // Without the HTML page the Markdown page is opened; without both nothing is opened.
    browserWorks = true;
    user.clear();
    opened.clear();
    QFile::remove(page);
    const QString markdown = QDir(tree.path()).filePath(QStringLiteral("doc/guide-utilisateur.md"));
    writeFile(markdown);
    openUserGuide(QString::fromLatin1(guide::kChannels));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.front().toLocalFile(), markdown);
    EXPECT_TRUE(user.exchanges().empty());

    QFile::remove(markdown);
    opened.clear();
    EXPECT_TRUE(userGuideUrl().isEmpty());
    openUserGuide();
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(user.exchanges().size(), 1u);
    EXPECT_EQ(user.exchanges()[0].title, QStringLiteral("Mode d'emploi"));
    EXPECT_TRUE(
        user.exchanges()[0].text.startsWith(QStringLiteral("Le mode d'emploi est introuvable")));
    EXPECT_TRUE(user.exchanges()[0].text.contains(
        QDir::toNativeSeparators(QDir(tree.path()).filePath(QStringLiteral("doc")))));
}

TEST(UserGuideText, EverySectionTheProgramOpensHasItsAnchor) {
    QFile file(QStringLiteral(QTL_GUIDE_SOURCE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << QTL_GUIDE_SOURCE;
    const QString text = QString::fromUtf8(file.readAll());
    std::set<std::string> seen;
    for (const char* section : guide::sections()) {
        EXPECT_TRUE(seen.insert(section).second) << "twice in the list: " << section;
        const QString anchor =
            QStringLiteral("<a id=\"%1\"></a>").arg(QString::fromLatin1(section));
        EXPECT_EQ(text.count(anchor), 1) << section;
    }
    EXPECT_FALSE(seen.empty());
}

}  // namespace
}  // namespace qtl
