// Save (F6) and Open (F5) in the game window, worked through the file
// dialogs as a player would: where they start, the folder they remember, and
// the automatic save they never take.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "engine/saved_game.h"
#include "player/player_folders.h"
#include "shell/window_fixture.h"

namespace {

class SavedGameDialogsTest : public clWindowTest {
protected:
    void SetUp() override {
        clWindowTest::SetUp();
        std::filesystem::create_directories(documents);
        ASSERT_TRUE(Open("Klondike", 4242));
    }

    // Presses a key that opens a file dialog; once it shows, notes the folder
    // it starts in and the name it offers, goes to `visit` when given, types
    // `name` and clicks the Save or Open button.
    void WithFileDialog(Qt::Key key, const std::string& name,
                        const std::filesystem::path& visit = {}) {
        int shown = 0;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no file dialog";
                return;
            }
            ++shown;
            startFolder = std::filesystem::path(dialog->directory().absolutePath().toStdString());
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!edit) {
                ADD_FAILURE() << "no file name box";
                dialog->reject();
                return;
            }
            offeredName = edit->text().toStdString();
            if (!visit.empty()) dialog->setDirectory(QString::fromStdString(visit.string()));
            edit->clear();
            QTest::keyClicks(edit, QString::fromStdString(name));
            auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            QPushButton* accept =
                buttons ? buttons->button(dialog->acceptMode() == QFileDialog::AcceptSave
                                              ? QDialogButtonBox::Save
                                              : QDialogButtonBox::Open)
                        : nullptr;
            if (accept && accept->isEnabled()) QTest::mouseClick(accept, Qt::LeftButton);
            if (dialog->isVisible()) dialog->reject();
        });
        Press(key);
        EXPECT_EQ(shown, 1);
    }

    std::filesystem::path Canonical(const std::filesystem::path& path) const {
        return std::filesystem::weakly_canonical(path);
    }

    std::filesystem::path documents = folder.Path() / "Documents";
    std::filesystem::path startFolder;
    std::string offeredName;
};

// A daily challenge plays the day's deals only: Open brings the saved game
// up as an ordinary game.
TEST_F(SavedGameDialogsTest, OpeningASavedGameLeavesTheDailyChallenge) {
    WithFileDialog(Qt::Key_F6, "mine");
    ASSERT_TRUE(window->StartDailyChallenge("Klondike"));
    ASSERT_TRUE(window->IsDailyChallenge());
    WithFileDialog(Qt::Key_F5, "mine.qarvel");
    QApplication::processEvents();
    EXPECT_FALSE(window->IsDailyChallenge());
    EXPECT_EQ(window->PlayingScreen()->DealNumber(), 4242);
}

TEST_F(SavedGameDialogsTest, SaveStartsInTheDocumentsFolderAndOpenFollowsTheFolderUsedLast) {
    WithFileDialog(Qt::Key_F6, "mine");
    EXPECT_EQ(Canonical(startFolder), Canonical(documents));
    EXPECT_EQ(offeredName, "");
    const std::optional<clSavedGame> saved = clSavedGameFile::Read(documents / "mine.qarvel");
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->dealNumber, 4242);

    // Another folder: the next dialogs start there.
    const std::filesystem::path elsewhere = folder.Path() / "kept games";
    std::filesystem::create_directories(elsewhere);
    WithFileDialog(Qt::Key_F6, "other", elsewhere);
    EXPECT_EQ(Canonical(startFolder), Canonical(documents));
    ASSERT_TRUE(std::filesystem::exists(elsewhere / "other.qarvel"));

    Game().StartDeal(7);
    WithFileDialog(Qt::Key_F5, "other.qarvel");
    EXPECT_EQ(Canonical(startFolder), Canonical(elsewhere));
    EXPECT_EQ(Game().DealNumber(), 4242);
    // Kept with the player.
    EXPECT_EQ(Canonical(program->Settings().ReadGameFolder().value_or("")), Canonical(elsewhere));
}

// A folder used last that is gone, and no documents folder: the home folder.
TEST_F(SavedGameDialogsTest, WithoutItsFoldersSaveStartsAtHome) {
    ASSERT_TRUE(program->Settings().WriteGameFolder((folder.Path() / "gone").string()));
    std::filesystem::remove(documents);
    WithFileDialog(Qt::Key_F6, "");
    EXPECT_EQ(Canonical(startFolder), Canonical(QDir::homePath().toStdString()));
}

// The next automatic save would replace the file, and game over delete it.
TEST_F(SavedGameDialogsTest, SaveRefusesTheAutomaticSaveFile) {
    const std::filesystem::path player =
        *program->Players().Folders().MakeFolder(program->Settings().Player());
    const std::filesystem::path own = player / "klondike.qarvel";
    WithFileDialog(Qt::Key_F6, "klondike", player);
    EXPECT_FALSE(std::filesystem::exists(own));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("automatic save"), std::string::npos) << dialogs.messages[0];
    EXPECT_EQ(dialogs.questions, 0);
}

}  // namespace
