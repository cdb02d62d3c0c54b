#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dialogs/dialog_base.h"
#include "graphics/card_set_info.h"
#include "toolkit/name_prompt.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// A Yes/No question: Yes is OK, No is Cancel. It beeps when asked to. With
// an `option` text it also offers that choice as a check box, off at first,
// whose caption wraps like the question.
class clPromptDialog final : public clDialog {
public:
    clPromptDialog(QWidget* parent, const std::string& text, const std::string& caption, bool beep,
                   const std::string& option = {});

    QLabel* Message() const { return message; }
    QPushButton* YesButton() const { return yesButton; }
    QPushButton* NoButton() const { return noButton; }
    // Null without an option.
    QCheckBox* OptionBox() const { return optionBox; }
    QLabel* OptionCaption() const { return optionCaption; }
    bool OptionChosen() const;

protected:
    void OnInit() override;

private:
    QLabel* message;
    QPushButton* yesButton;
    QPushButton* noButton;
    QCheckBox* optionBox = nullptr;
    QLabel* optionCaption = nullptr;
    bool beep;
};

// A player's name: up to 64 characters, never empty.
class clNameDialog final : public clDialog {
public:
    static constexpr int kMaxLength = 64;
    // The first start's dialog and "Add Player".
    static constexpr const char* kFirstStartText =
        "Please enter a player name.  Settings, statistics, and games are saved for each player.";
    static constexpr const char* kAddPlayerText = "Please enter a player name.";

    clNameDialog(QWidget* parent, const std::string& caption, const std::string& prompt,
                 const std::string& text);

    std::string Text() const;
    QLineEdit* Edit() const { return edit; }

protected:
    void OnInit() override;
    bool OnOK() override;

private:
    QLineEdit* edit;
};

// The first start's question for a player's name, starting from the login
// name: "Qarvel"'s name dialog, centred over `over` (the splash window, above
// which it stays) or, without it, on the screen.
class clFirstPlayerPrompt final : public clNamePrompt {
public:
    QWidget* over = nullptr;
    std::optional<std::string> AskPlayerName(std::string_view suggestion) override;
};

// "Custom Card Size": one of the card-set file's own sizes, or a typed one.
class clCustomSizeDialog final : public clDialog {
public:
    // The player's last choice between the two, for the run (not stored).
    static bool lastChoiceNative;

    // `cardSet` lists the native sizes (none when null); `current` is the
    // card size in use.
    clCustomSizeDialog(QWidget* parent, const clCardSetInfo* cardSet, clPictureSize current);

    bool IsNative() const { return native; }
    int NativeSet() const { return nativeSet; }
    clPictureSize CustomSize() const { return customSize; }

    QRadioButton* NativeButton() const { return nativeButton; }
    QRadioButton* CustomButton() const { return customButton; }
    QComboBox* Sets() const { return sets; }
    QSpinBox* WidthBox() const { return widthBox; }
    QSpinBox* HeightBox() const { return heightBox; }

protected:
    void OnInit() override;
    bool OnOK() override;

private:
    void UpdateEnabling();

    QRadioButton* nativeButton;
    QRadioButton* customButton;
    QComboBox* sets;
    QSpinBox* widthBox;
    QSpinBox* heightBox;
    clPictureSize current;
    bool native = true;
    int nativeSet = 0;
    clPictureSize customSize;
};

// A game's own options: its favourite mark and, for games that have it,
// AutoPlay. A game without AutoPlay leaves that flag alone.
class clSolitaireDialog final : public clDialog {
public:
    clSolitaireDialog(QWidget* parent, const std::string& gameName, bool favorite,
                      bool offersAutoPlay, bool autoPlay);

    bool Favorite() const;
    bool AutoPlay() const;
    QCheckBox* FavoriteBox() const { return favoriteBox; }
    QCheckBox* AutoPlayBox() const { return autoPlayBox; }

protected:
    void OnInit() override;

private:
    QCheckBox* favoriteBox;
    QCheckBox* autoPlayBox;
    bool favorite;
    bool offersAutoPlay;
    bool autoPlay;
};
