// The options sheet and the Options menu's small dialogs, worked through
// their controls in the real window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "dialogs/help_center.h"
#include "dialogs/options_sheet.h"
#include "dialogs/qt_picture.h"
#include "dialogs/select_back.h"
#include "dialogs/small_dialogs.h"
#include "graphics/chunk.h"
#include "shell/commands.h"
#include "shell/game_list.h"
#include "shell/window_fixture.h"
#include "support/card_set_files.h"

namespace {

using clMode = clBackgroundChoice::Mode;

// The pointer moves over a widget with no button down.
void MoveMouse(QWidget& widget, const QPoint& at) {
    QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

class clOptionsTest : public clWindowTest {
protected:
    void ShowChooser() {
        ASSERT_TRUE(window->Start({}));
        window->resize(900, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // Opens the sheet and works it while it is open.
    void WithOptions(std::function<void(clOptionsSheet&)> work) {
        dialogs.onOptions = std::move(work);
        window->ExecuteCommand(clCommand::kOptions);
        dialogs.onOptions = nullptr;
    }
    // Runs a command that opens a dialog of type D and works it: true from
    // `work` ends the dialog with OK, false with Cancel.
    template <class D>
    void WithDialog(int command, std::function<bool(D&)> work) {
        int seen = 0;
        dialogs.onDialog = [&](clDialog& dialog) {
            auto* typed = dynamic_cast<D*>(&dialog);
            EXPECT_NE(typed, nullptr);
            ++seen;
            return typed ? work(*typed) : false;
        };
        window->ExecuteCommand(command);
        dialogs.onDialog = nullptr;
        EXPECT_EQ(seen, 1);
    }
    clSettings& Settings() const { return program->Settings(); }
    clDisplayOptions& Options() const { return program->DisplayOptions(); }
    // An installed card-set file of `count` backs: the catalogue lists the
    // test's folder of them after the shipped ones.
    std::string BackFile(int count) {
        const std::filesystem::path cards = folder.Path() / "cards";
        std::filesystem::create_directories(cards);
        const std::string name = "backs" + std::to_string(count) + ".cards";
        WriteCardSetFile(cards / name, {{clTag::kBacks, count, 40, 56}});
        clCardSetList& catalogue = program->Catalogue();
        catalogue.Build(QARVEL_BUILD_DATA_DIR, {cards});
        for (int i = 0; i < catalogue.Count(); ++i) {
            if (catalogue.Entry(i).Path().ends_with(name)) return catalogue.Entry(i).Path();
        }
        ADD_FAILURE() << name << " is not listed";
        return {};
    }
};

TEST_F(clOptionsTest, GeneralPageStoresItsBoxesAndCountsAndTheWindowFollows) {
    ASSERT_TRUE(Open("Klondike", 1));
    ASSERT_FALSE(Settings().Flag(clFlag::Keyboard));
    ASSERT_TRUE(window->ToolBar()->isVisible());
    WithOptions([](clOptionsSheet& sheet) {
        clOptionsPage* page = sheet.General();
        EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
        page->Box(clFlag::Toolbar)->click();
        EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
        page->Box(clFlag::Toolbar)->click();  // as stored again
        EXPECT_FALSE(sheet.ApplyButton()->isEnabled());

        page->Box(clFlag::Toolbar)->click();
        page->Box(clFlag::Keyboard)->click();
        page->Box(clFlag::Prompt)->click();
        page->MostPlayed()->setText("-3");
        page->MostRecent()->setText("12");
        sheet.OkButton()->click();
    });
    EXPECT_FALSE(Settings().Flag(clFlag::Toolbar));
    EXPECT_FALSE(window->ToolBar()->isVisible());
    EXPECT_TRUE(Settings().Flag(clFlag::Keyboard));
    EXPECT_TRUE(Game().Graphics().ShowKeyLabels());
    EXPECT_FALSE(Settings().Flag(clFlag::Prompt));
    EXPECT_FALSE(Game().Options().promptBeforeResign);
    // A negative count is stored as 0.
    EXPECT_EQ(Settings().Number(clNumber::Played), 0);
    EXPECT_EQ(Settings().Number(clNumber::Recent), 12);
}

TEST_F(clOptionsTest, CancelStoresNothing) {
    ASSERT_TRUE(Open("Klondike", 1));
    WithOptions([](clOptionsSheet& sheet) {
        sheet.General()->Box(clFlag::Sounds)->click();
        sheet.General()->MostPlayed()->setText("9");
        sheet.ShowPage(1);
        sheet.Graphics()->CardSizes()->setCurrentIndex(4);
        sheet.reject();
    });
    EXPECT_TRUE(Settings().Flag(clFlag::Sounds));
    EXPECT_EQ(Settings().Number(clNumber::Played), 5);
    EXPECT_EQ(Options().minSize, 0);
}

TEST_F(clOptionsTest, GraphicsPageShowsACustomPairAndAppliesAMenuSize) {
    ASSERT_TRUE(Open("Klondike", 1));
    Options().minSize = 2;
    Options().maxSize = 4;
    WithOptions([](clOptionsSheet& sheet) {
        sheet.ShowPage(1);
        QComboBox* sizes = sheet.Graphics()->CardSizes();
        ASSERT_EQ(sizes->count(), 7);
        EXPECT_EQ(sizes->currentText(), "custom");
        EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
        sizes->setCurrentIndex(2);  // "large"
        EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
        sheet.OkButton()->click();
    });
    EXPECT_EQ(Options().minSize, 2);
    EXPECT_EQ(Options().maxSize, 2);
    EXPECT_EQ(Settings().Number(clNumber::MinSize), 2);
    EXPECT_EQ(Settings().Number(clNumber::MaxSize), 2);
    EXPECT_TRUE(window->Action(clCommand::kCardSizeFirst + 2)->isChecked());
    EXPECT_FALSE(window->Action(clCommand::kCustomSize)->isChecked());
}

TEST_F(clOptionsTest, GraphicsPageLoadsAnotherCardSetAndStoresAnimation) {
    ASSERT_TRUE(Open("Klondike", 1));
    const std::optional<int> other = program->Catalogue().Find("qarvel_four_colour.cards");
    ASSERT_TRUE(other.has_value());
    const bool animation = Settings().Flag(clFlag::Animation);
    WithOptions([&](clOptionsSheet& sheet) {
        sheet.ShowPage(1);
        sheet.Graphics()->CardSets()->setCurrentIndex(*other);
        sheet.Graphics()->Animation()->click();
        sheet.ApplyButton()->click();
        EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
        sheet.OkButton()->click();
    });
    EXPECT_EQ(Options().cardSet, "qarvel_four_colour.cards");
    EXPECT_EQ(Settings().Text(clText::CardSet), "qarvel_four_colour.cards");
    EXPECT_EQ(program->Catalogue().CurrentIndex(clCardFile::Cards), *other);
    EXPECT_TRUE(window->Action(clCommand::kCardSetFirst + *other)->isChecked());
    EXPECT_EQ(Settings().Flag(clFlag::Animation), !animation);
}

TEST_F(clOptionsTest, BackgroundPageGivesAGameItsOwnColourAndAllGamesTheGlobalOne) {
    ASSERT_TRUE(Open("Klondike", 1));
    ASSERT_EQ(Options().current.mode, clMode::Global);
    dialogs.colour = 0x0000FF;  // red
    WithOptions([](clOptionsSheet& sheet) {
        sheet.ShowPage(2);
        clBackgroundPage* page = sheet.Background();
        EXPECT_TRUE(page->UseGlobal()->isVisible());
        EXPECT_FALSE(page->GlobalTitle()->isVisible());
        EXPECT_TRUE(page->UseGlobal()->isChecked());
        EXPECT_FALSE(page->ColourButton()->isEnabled());
        EXPECT_FALSE(page->AllGamesButton()->isEnabled());

        page->UseGlobal()->click();
        page->ModeButton(clMode::Solid)->click();
        EXPECT_TRUE(page->ColourButton()->isEnabled());
        EXPECT_FALSE(page->Images()->isEnabled());
        page->ColourButton()->click();
        EXPECT_EQ(page->Colour(), 0x0000FFu);
        sheet.OkButton()->click();
    });
    EXPECT_EQ(Options().current.mode, clMode::Solid);
    EXPECT_EQ(Options().current.colour, 0x0000FFu);
    EXPECT_EQ(Settings().CurrentBackgroundMode(), clBackgroundMode::Solid);
    EXPECT_EQ(ImageView(program->Display().Background()).pixel(3, 3) & 0xFFFFFFu, 0xFF0000u);
    EXPECT_NE(Options().global.mode, clMode::Solid);

    WithOptions([](clOptionsSheet& sheet) {
        sheet.ShowPage(2);
        EXPECT_EQ(sheet.Background()->AllGamesButton()->text(),
                  "Change Background for All Games (Global Background)");
        sheet.Background()->AllGamesButton()->click();
        sheet.reject();
    });
    EXPECT_EQ(Options().global.mode, clMode::Solid);
    EXPECT_EQ(Options().global.colour, 0x0000FFu);
    EXPECT_EQ(Settings().Number(clNumber::Background), 0);
}

TEST_F(clOptionsTest, BackgroundPageOnTheChooserEditsTheGlobalBackground) {
    // Klondike has a background of its own.
    Settings().LoadGameValues("Klondike", true);
    Settings().SetCurrentBackground(clBackgroundMode::Solid, 0xFF, "qarvel.bmp");
    Settings().SaveGameValues("Klondike", true);
    ShowChooser();
    const std::filesystem::path picture = folder.Path() / "mine.bmp";
    std::filesystem::copy_file(std::filesystem::path(QARVEL_BUILD_DATA_DIR) / "qarvel.bmp",
                               picture);
    dialogs.imageFile = picture.string();
    WithOptions([&](clOptionsSheet& sheet) {
        sheet.ShowPage(2);
        clBackgroundPage* page = sheet.Background();
        EXPECT_FALSE(page->UseGlobal()->isVisible());
        EXPECT_TRUE(page->GlobalTitle()->isVisible());
        EXPECT_EQ(page->AllGamesButton()->text(), "Set All Games to Global Background");
        page->AllGamesButton()->click();

        page->ModeButton(clMode::Tiled)->click();
        page->BrowseButton()->click();
        EXPECT_EQ(page->Images()->currentText().toStdString(), picture.string());
        sheet.OkButton()->click();
    });
    EXPECT_EQ(Options().global.mode, clMode::Tiled);
    EXPECT_EQ(Options().global.image, picture.string());
    EXPECT_EQ(Settings().Number(clNumber::Background), 2);
    EXPECT_EQ(Settings().Text(clText::Image), picture.string());
    Settings().LoadGameValues("Klondike", true);
    EXPECT_EQ(Settings().CurrentBackgroundMode(), clBackgroundMode::Global);
}

TEST_F(clOptionsTest, PlayersPageAddsSwitchesAndStoresTheOnlineIdentity) {
    ASSERT_TRUE(Open("Klondike", 1));
    Settings().SetFlag(clFlag::Toolbar, false);  // Tester's own setting
    dialogs.playerName = "Second";
    WithOptions([](clOptionsSheet& sheet) {
        sheet.ShowPage(3);
        clPlayersPage* page = sheet.Players();
        page->AddButton()->click();
        EXPECT_EQ(page->List()->count(), 2);
        EXPECT_EQ(page->List()->currentItem()->text(), "Second");
        EXPECT_FALSE(page->DeleteButton()->isEnabled());
        sheet.OkButton()->click();
    });
    EXPECT_EQ(Settings().Player(), "Second");
    EXPECT_TRUE(Settings().Flag(clFlag::Toolbar));  // a new player's defaults

    // A name already taken, in another case, switches back without a reset;
    // the identity typed is stored, a timeout of 0 as 15.
    dialogs.playerName = "TESTER";
    WithOptions([](clOptionsSheet& sheet) {
        sheet.ShowPage(3);
        clPlayersPage* page = sheet.Players();
        page->AddButton()->click();
        EXPECT_EQ(page->List()->currentItem()->text(), "Tester");
        QTest::keyClicks(page->NameEdit(), "Ann");
        QTest::keyClicks(page->LocationEdit(), "Oslo");
        page->TimeoutEdit()->clear();
        QTest::keyClicks(page->TimeoutEdit(), "0");
        EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
        sheet.OkButton()->click();
    });
    EXPECT_EQ(Settings().Player(), "Tester");
    EXPECT_FALSE(Settings().Flag(clFlag::Toolbar));
    const clOnlineInfo info = Settings().ReadOnlineInfo("Tester");
    EXPECT_EQ(info.name, "Ann");
    EXPECT_EQ(info.location, "Oslo");
    EXPECT_EQ(info.timeout, 15);

    // Apply with another player selected switches to that player.
    WithOptions([](clOptionsSheet& sheet) {
        sheet.ShowPage(3);
        QListWidget* list = sheet.Players()->List();
        list->setCurrentItem(list->findItems("Second", Qt::MatchExactly).front());
        sheet.OkButton()->click();
    });
    EXPECT_EQ(Settings().Player(), "Second");
}

// The question offers the removal of the player's files as a choice of its
// own; without it their statistics and saved games stay on disk.
TEST_F(clOptionsTest, PlayersPageDeletesAnotherPlayerKeepingTheirFilesUnlessAsked) {
    enum class clAnswer { No, Yes, YesAndFiles };
    struct clCase {
        clAnswer answer;
        bool playerStays;
        bool filesStay;
    };
    const clCase cases[] = {
        {clAnswer::No, true, true},
        {clAnswer::Yes, false, true},
        {clAnswer::YesAndFiles, false, false},
    };
    ShowChooser();
    for (const clCase& test : cases) {
        SCOPED_TRACE(static_cast<int>(test.answer));
        ASSERT_TRUE(Settings().WritePlayerDefaults("Gone & Co"));
        const std::filesystem::path files = *program->Players().Folders().Folder("Gone & Co");
        std::filesystem::create_directories(files);
        std::ofstream(files / "klondike.log") << "a log\n";
        std::ofstream(files / "klondike.qarvel") << "a game\n";
        std::string question;
        std::string choice;
        dialogs.onDialog = [&](clDialog& dialog) {
            auto* prompt = dynamic_cast<clPromptDialog*>(&dialog);
            EXPECT_NE(prompt, nullptr);
            if (!prompt || !prompt->OptionBox()) return false;
            question = prompt->Message()->text().toStdString();
            choice = prompt->OptionCaption()->text().toStdString();
            EXPECT_FALSE(prompt->OptionBox()->isChecked());
            // A click on the caption works the box.
            if (test.answer == clAnswer::YesAndFiles) {
                QTest::mouseClick(prompt->OptionCaption(), Qt::LeftButton);
            }
            QTest::mouseClick(
                test.answer == clAnswer::No ? prompt->NoButton() : prompt->YesButton(),
                Qt::LeftButton);
            return test.answer != clAnswer::No;
        };
        WithOptions([&](clOptionsSheet& sheet) {
            sheet.ShowPage(3);
            clPlayersPage* page = sheet.Players();
            QListWidget* list = page->List();
            EXPECT_FALSE(page->DeleteButton()->isEnabled());  // the current player
            const QRect gone = list->visualItemRect(
                list->findItems(QStringLiteral("Gone & Co"), Qt::MatchExactly).front());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, gone.center());
            ASSERT_TRUE(page->DeleteButton()->isEnabled());
            QTest::mouseClick(page->DeleteButton(), Qt::LeftButton);
            EXPECT_EQ(list->count(), test.playerStays ? 2 : 1);
            EXPECT_EQ(list->currentItem()->text(),
                      test.playerStays ? QStringLiteral("Gone & Co") : QStringLiteral("Tester"));
            sheet.reject();
        });
        dialogs.onDialog = nullptr;
        EXPECT_EQ(question, "Are you sure that you want to delete 'Gone & Co'?");
        EXPECT_EQ(choice, "Also delete the statistics and saved games of 'Gone & Co'");
        EXPECT_EQ(Settings().PlayerExists("Gone & Co"), test.playerStays);
        EXPECT_EQ(std::filesystem::exists(files / "klondike.log"), test.filesStay);
        EXPECT_EQ(std::filesystem::exists(files / "klondike.qarvel"), test.filesStay);
        EXPECT_EQ(Settings().Player(), "Tester");
        if (!test.playerStays) {
            EXPECT_EQ(window->PlayerBox()->count(), 1);
        }
        Settings().DeletePlayer("Gone & Co");
    }
}

TEST(clNameDialog, RefusesAnEmptyName) {
    clNameDialog dialog(nullptr, "Add Player", clNameDialog::kAddPlayerText, "");
    dialog.Prepare();
    for (const char* refused : {"", "   "}) {
        dialog.Edit()->setText(QString::fromLatin1(refused));
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted) << '"' << refused << '"';
    }
    dialog.Edit()->setText(QStringLiteral("Ann"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Text(), "Ann");
    EXPECT_EQ(dialog.Edit()->maxLength(), 64);
}

TEST(clSelectBack, FirstVisibleBack) {
    struct clCase {
        int selected;
        int count;
        int first;
    };
    const clCase cases[] = {{0, 10, 0}, {5, 10, 0},  {6, 12, 5}, {9, 10, 4},
                            {7, 12, 6}, {11, 12, 6}, {5, 6, 0}};
    for (const clCase& c : cases) {
        EXPECT_EQ(FirstVisibleBack(c.selected, c.count), c.first)
            << c.selected << " of " << c.count;
    }
}

TEST_F(clOptionsTest, CardBackStripScrollsAndTheChosenBackIsStored) {
    ASSERT_TRUE(Open("Klondike", 1));
    struct clCase {
        int count;
        int selected;
        int first;
        bool scrolls;
    };
    for (const clCase c : {clCase{6, 5, 0, false}, clCase{10, 9, 4, true}}) {
        Options().backs = BackFile(c.count);
        Options().cardBack = c.selected;
        ASSERT_TRUE(program->Display().ChangeCardSet());
        WithDialog<clSelectBack>(clCommand::kCardBacks, [&](clSelectBack& dialog) {
            EXPECT_EQ(dialog.Strip()->First(), c.first) << c.count;
            EXPECT_EQ(dialog.Selected(), c.selected);
            EXPECT_EQ(dialog.ScrollBar()->isEnabled(), c.scrolls);
            return false;
        });
    }

    Options().backs = BackFile(12);
    Options().cardBack = 3;
    ASSERT_TRUE(program->Display().ChangeCardSet());
    WithDialog<clSelectBack>(clCommand::kCardBacks, [](clSelectBack& dialog) {
        EXPECT_EQ(dialog.Strip()->First(), 0);
        dialog.ScrollBar()->setValue(3);
        dialog.ScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(dialog.ScrollBar()->value(), 6);  // 3 + 6 would show fewer than six
        EXPECT_EQ(dialog.Strip()->First(), 6);
        const int cell = dialog.Strip()->CellWidth();
        QTest::mouseClick(dialog.Strip(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(cell + cell / 2, 10));
        EXPECT_EQ(dialog.Selected(), 7);
        return true;
    });
    EXPECT_EQ(Options().cardBack, 7);
    EXPECT_EQ(Settings().Number(clNumber::CardBack), 7);
}

// The backs show as the table shows its cards: as large on the desktop, and
// pixel for pixel, so just as sharp on a doubled screen.
TEST_F(clOptionsTest, CardBackStripShowsTheBacksAsTheTableDoes) {
    ASSERT_TRUE(Open("Klondike", 1));
    const clImage* back = program->Display().Backs().Picture(0);
    ASSERT_NE(back, nullptr);
    WithDialog<clSelectBack>(clCommand::kCardBacks, [&](clSelectBack& dialog) {
        clBackStrip& strip = *dialog.Strip();
        EXPECT_NEAR(strip.CellWidth() - 4, back->Width() / Ratio(), 1.0);
        EXPECT_EQ(strip.width(), kVisibleBacks * strip.CellWidth());
        // The first back lies 2 pixels of the desktop in from the strip's corner.
        const QImage shown = strip.grab().toImage();
        const int y = back->Height() / 2;
        int differing = 0;
        for (int x = back->Width() / 8; x < back->Width() - back->Width() / 8; ++x) {
            differing += (shown.pixel(ToDevice(2) + x, ToDevice(2) + y) & 0xFFFFFF) !=
                         (back->PixelValue(x, y) & 0xFFFFFF);
        }
        EXPECT_EQ(differing, 0);
        return false;
    });
}

TEST_F(clOptionsTest, CardBackChooserCancelPutsTheOpeningSetBack) {
    ASSERT_TRUE(Open("Klondike", 1));
    const std::string opening = Options().backs;
    WithDialog<clSelectBack>(clCommand::kCardBacks, [&](clSelectBack& dialog) {
        QComboBox* sets = dialog.Sets();
        EXPECT_GE(sets->count(), 2);
        sets->setCurrentIndex(sets->currentIndex() == 0 ? 1 : 0);
        EXPECT_NE(Options().backs, opening);  // loaded at once
        return false;
    });
    EXPECT_EQ(Options().backs, opening);
    EXPECT_EQ(Settings().Text(clText::Backs), opening);
}

TEST_F(clOptionsTest, CustomSizeDialogSetsATypedOrANativeSize) {
    clCustomSizeDialog::lastChoiceNative = true;
    ASSERT_TRUE(Open("Klondike", 1));
    WithDialog<clCustomSizeDialog>(clCommand::kCustomSize, [](clCustomSizeDialog& dialog) {
        EXPECT_TRUE(dialog.NativeButton()->isChecked());
        EXPECT_FALSE(dialog.WidthBox()->isEnabled());
        dialog.CustomButton()->click();
        EXPECT_TRUE(dialog.WidthBox()->isEnabled());
        EXPECT_FALSE(dialog.Sets()->isEnabled());
        dialog.WidthBox()->setValue(100);
        dialog.HeightBox()->setValue(140);
        return true;
    });
    // Typed in desktop pixels.
    ASSERT_TRUE(WaitForCards());
    EXPECT_EQ(program->Display().CardWidth(), ToDevice(100));
    EXPECT_EQ(program->Display().CardHeight(), ToDevice(140));
    EXPECT_EQ(Settings().Number(clNumber::MinSize), 0);
    EXPECT_TRUE(window->Action(clCommand::kCustomSize)->isChecked());
    EXPECT_FALSE(window->Action(clCommand::kCardSizeFirst)->isChecked());

    const clCardSetInfo* cards = program->Catalogue().Current(clCardFile::Cards);
    ASSERT_NE(cards, nullptr);
    ASSERT_GE(cards->CardSetCount(), 2);
    WithDialog<clCustomSizeDialog>(clCommand::kCustomSize, [&](clCustomSizeDialog& dialog) {
        EXPECT_TRUE(dialog.CustomButton()->isChecked());  // the last choice
        EXPECT_EQ(dialog.Sets()->count(), cards->CardSetCount());
        EXPECT_EQ(dialog.WidthBox()->value(), 100);
        dialog.NativeButton()->click();
        dialog.Sets()->setCurrentIndex(1);
        return true;
    });
    // A set's own size is as large on the desktop at every pixel ratio.
    ASSERT_TRUE(WaitForCards());
    EXPECT_EQ(program->Display().CardWidth(), ToDevice(cards->CardSize(1)->width));
    EXPECT_EQ(program->Display().CardHeight(), ToDevice(cards->CardSize(1)->height));
}

TEST_F(clOptionsTest, GameOptionsStoreFavouriteAndAutoPlay) {
    ASSERT_TRUE(Open("Klondike", 1));
    ASSERT_TRUE(Settings().CurrentAutoPlay());
    WithDialog<clSolitaireDialog>(clCommand::kGameOptions, [](clSolitaireDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Klondike");
        EXPECT_TRUE(dialog.AutoPlayBox()->isEnabled());
        dialog.FavoriteBox()->click();
        dialog.AutoPlayBox()->click();
        return true;
    });
    EXPECT_TRUE(Settings().CurrentFavorite());
    EXPECT_FALSE(Settings().CurrentAutoPlay());
    EXPECT_FALSE(Game().Options().autoPlay);
}

TEST_F(clOptionsTest, GameOptionsLeaveAutoPlayAloneForAGameWithoutIt) {
    ASSERT_TRUE(Open("Pyramid", 1));
    const bool autoPlay = Settings().CurrentAutoPlay();
    WithDialog<clSolitaireDialog>(clCommand::kGameOptions, [](clSolitaireDialog& dialog) {
        EXPECT_FALSE(dialog.AutoPlayBox()->isEnabled());
        dialog.AutoPlayBox()->setChecked(!dialog.AutoPlayBox()->isChecked());
        dialog.FavoriteBox()->click();
        return true;
    });
    EXPECT_EQ(Settings().CurrentAutoPlay(), autoPlay);
    EXPECT_TRUE(Settings().CurrentFavorite());
}

// Where each place opens is the help window's test; here the pointer and the box.
TEST_F(clOptionsTest, HelpCenterShowsItsPlacesAndStoresItsBox) {
    ASSERT_TRUE(Open("Klondike", 1));
    ASSERT_TRUE(Settings().Help());
    WithDialog<clHelpCenter>(clCommand::kHelpCenter, [](clHelpCenter& dialog) {
        for (const auto& hot : clInterfaceLayout::kHelpHotRectangles) {
            const QPoint middle((hot.rect.left + hot.rect.right) / 2,
                                (hot.rect.top + hot.rect.bottom) / 2);
            MoveMouse(dialog, middle);
            EXPECT_EQ(dialog.cursor().shape(), Qt::PointingHandCursor) << hot.caption;
        }
        MoveMouse(dialog, QPoint(5, 520));
        EXPECT_NE(dialog.cursor().shape(), Qt::PointingHandCursor);
        dialog.ShowAtStartBox()->click();
        dialog.PlayButton()->click();
        return true;
    });
    EXPECT_FALSE(Settings().Help());
}

// Pictures of the sheet's pages and the dialogs, to look at (build/screenshots).
TEST_F(clOptionsTest, Screenshots) {
    ASSERT_TRUE(Open("Klondike", 1));
    const QString shots = QStringLiteral(QARVEL_SCREENSHOT_DIR);
    QDir().mkpath(shots);
    auto save = [&](QWidget& widget, const char* name) {
        const QString file = shots + QStringLiteral("/%1.png").arg(QString::fromLatin1(name));
        EXPECT_TRUE(widget.grab().save(file)) << file.toStdString();
    };
    WithOptions([&](clOptionsSheet& sheet) {
        const char* names[] = {"options-general", "options-graphics", "options-background",
                               "options-players"};
        for (int page = 0; page < 4; ++page) {
            sheet.ShowPage(page);
            QApplication::processEvents();
            save(sheet, names[page]);
        }
        sheet.reject();
    });
    WithDialog<clSelectBack>(clCommand::kCardBacks, [&](clSelectBack& dialog) {
        save(dialog, "select-card-back");
        return false;
    });
    WithDialog<clCustomSizeDialog>(clCommand::kCustomSize, [&](clCustomSizeDialog& dialog) {
        save(dialog, "custom-card-size");
        return false;
    });
    WithDialog<clSolitaireDialog>(clCommand::kGameOptions, [&](clSolitaireDialog& dialog) {
        save(dialog, "game-options");
        return false;
    });
    WithDialog<clHelpCenter>(clCommand::kHelpCenter, [&](clHelpCenter& dialog) {
        save(dialog, "help-center");
        return false;
    });
}

}  // namespace
