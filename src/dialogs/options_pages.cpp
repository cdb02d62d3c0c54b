// The options sheet's Background and Players pages.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/dialog_style.h"
#include "dialogs/options_host.h"
#include "dialogs/options_sheet.h"
#include "dialogs/small_dialogs.h"
#include "player/settings.h"

namespace {

using clMode = clBackgroundChoice::Mode;

// Whether a choice shows another background: another mode, or in the same
// mode another colour or picture (what the mode does not use does not count).
bool Differs(const clBackgroundChoice& a, const clBackgroundChoice& b) {
    if (a.mode != b.mode) return true;
    if (a.mode == clMode::Solid) return a.colour != b.colour;
    if (a.mode == clMode::Stretched || a.mode == clMode::Tiled) return a.image != b.image;
    return false;
}

// The picture files among the shipped data, by name.
QStringList PictureFiles(const std::filesystem::path& folder) {
    QDir dir(QString::fromStdString(folder.string()));
    return dir.entryList(
        {QStringLiteral("*.bmp"), QStringLiteral("*.jpg"), QStringLiteral("*.png")}, QDir::Files,
        QDir::Name | QDir::IgnoreCase);
}

}  // namespace

clBackgroundPage::clBackgroundPage(clOptionsSheet& sheet, clOptionsHost& host)
    : clPage(sheet, host),
      modeButtons{new QRadioButton(QStringLiteral("Solid Color"), this),
                  new QRadioButton(QStringLiteral("Stretched Image"), this),
                  new QRadioButton(QStringLiteral("Tiled Image"), this)},
      useGlobal(new QCheckBox(QStringLiteral("Use Global Background"), this)),
      globalTitle(
          new QLabel(QStringLiteral("Set Background for All Games (Global Background)"), this)),
      colourButton(new QPushButton(QStringLiteral("Color"), this)),
      swatch(new QLabel(this)),
      images(new QComboBox(this)),
      browseButton(new QPushButton(QStringLiteral("Browse"), this)),
      allGamesButton(new QPushButton(this)) {
    swatch->setFixedSize(48, 24);
    swatch->setAutoFillBackground(true);
    swatch->setFrameShape(QFrame::Box);
    auto* grid = new QGridLayout;
    grid->addWidget(modeButtons[0], 0, 0);
    grid->addWidget(colourButton, 0, 1);
    grid->addWidget(swatch, 0, 2);
    grid->addWidget(modeButtons[1], 1, 0);
    grid->addWidget(modeButtons[2], 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("Image:"), this), 3, 0);
    grid->addWidget(images, 3, 1, 1, 2);
    grid->addWidget(browseButton, 3, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(globalTitle);
    layout->addWidget(useGlobal);
    layout->addLayout(grid);
    layout->addWidget(allGamesButton);
    layout->addStretch();
    images->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    images->setMinimumContentsLength(24);

    for (QRadioButton* button : modeButtons)
        connect(button, &QRadioButton::toggled, this, [this] { OnChange(); });
    connect(useGlobal, &QCheckBox::toggled, this, [this] { OnChange(); });
    connect(images, &QComboBox::currentIndexChanged, this, [this] { OnChange(); });
    connect(colourButton, &QPushButton::clicked, this, [this] { ChooseColour(); });
    connect(browseButton, &QPushButton::clicked, this, [this] { Browse(); });
    connect(allGamesButton, &QPushButton::clicked, this, [this] { SetAllGames(); });
}

QRadioButton* clBackgroundPage::ModeButton(clMode mode) const {
    const auto index = static_cast<std::size_t>(mode);
    return index < modeButtons.size() ? modeButtons[index] : nullptr;
}

// The chooser edits the player's global background; a game its own.
clBackgroundChoice& clBackgroundPage::Edited() {
    clDisplayOptions& options = host.DisplayOptions();
    return host.IsChooser() ? options.global : options.current;
}

clBackgroundChoice clBackgroundPage::Shown() const {
    clBackgroundChoice choice;
    choice.colour = colour;
    choice.image = images->currentText().toStdString();
    choice.mode = clMode::Stretched;
    for (std::size_t i = 0; i < modeButtons.size(); ++i) {
        if (modeButtons[i]->isChecked()) choice.mode = static_cast<clMode>(i);
    }
    if (!host.IsChooser() && useGlobal->isChecked()) choice.mode = clMode::Global;
    return choice;
}

void clBackgroundPage::OnInit() {
    const bool chooser = host.IsChooser();
    const clBackgroundChoice edited = Edited();
    const clBackgroundChoice& global = host.DisplayOptions().global;
    useGlobal->setVisible(!chooser);
    globalTitle->setVisible(chooser);
    allGamesButton->setText(
        chooser ? QStringLiteral("Set All Games to Global Background")
                : QStringLiteral("Change Background for All Games (Global Background)"));
    // A game that uses the global background shows the global choice under its box.
    const clBackgroundChoice& shown = edited.mode == clMode::Global ? global : edited;
    colour = shown.colour;
    {
        const QSignalBlocker quietBox(useGlobal);
        useGlobal->setChecked(edited.mode == clMode::Global);
        for (std::size_t i = 0; i < modeButtons.size(); ++i) {
            const QSignalBlocker quiet(modeButtons[i]);
            modeButtons[i]->setChecked(static_cast<std::size_t>(shown.mode) == i);
        }
        const QSignalBlocker quietImages(images);
        images->clear();
        images->addItems(PictureFiles(host.DataFolder()));
        SelectImage(shown.image);
    }
    ShowSwatch();
    OnChange();
}

void clBackgroundPage::SelectImage(const std::string& name) {
    const QString text = QString::fromStdString(name);
    int index = images->findText(text);
    if (index < 0 && !text.isEmpty()) {
        images->addItem(text);
        index = images->count() - 1;
    }
    images->setCurrentIndex(index);
}

void clBackgroundPage::ShowSwatch() {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, ColourOf(colour));
    swatch->setPalette(palette);
}

void clBackgroundPage::OnChange() {
    const clBackgroundChoice shown = Shown();
    const bool global = shown.mode == clMode::Global;
    const bool solid = shown.mode == clMode::Solid;
    for (QRadioButton* button : modeButtons)
        button->setEnabled(!global);
    colourButton->setEnabled(solid);
    images->setEnabled(!global && !solid);
    browseButton->setEnabled(!global && !solid);
    allGamesButton->setEnabled(!global);

    MarkChanged(Differs(shown, Edited()));
}

bool clBackgroundPage::OnApply() {
    const clBackgroundChoice shown = Shown();
    clBackgroundChoice& edited = Edited();
    if (Differs(shown, edited)) {
        // A game that uses the global background keeps its own colour and
        // picture for when it stops.
        if (shown.mode == clMode::Global) {
            edited.mode = clMode::Global;
        } else {
            edited = shown;
        }
        host.StoreDisplaySettings();
        host.ApplyBackground();
        host.RefreshInterface();
    }
    OnInit();
    return true;
}

void clBackgroundPage::ChooseColour() {
    if (const auto chosen = host.ChooseColour(this, colour)) {
        colour = *chosen;
        ShowSwatch();
        OnChange();
    }
}

void clBackgroundPage::Browse() {
    if (const auto file = host.ChooseImageFile(this)) {
        SelectImage(*file);
        OnChange();
    }
}

// On a game: the page's choice becomes the global background. On the
// chooser: every game goes back to the global background.
void clBackgroundPage::SetAllGames() {
    if (host.IsChooser()) {
        host.Settings().SetAllGamesToGlobal();
    } else {
        const clBackgroundChoice shown = Shown();
        if (shown.mode == clMode::Global) return;
        host.DisplayOptions().global = shown;
        host.StoreDisplaySettings();
    }
    host.ApplyBackground();
}

clPlayersPage::clPlayersPage(clOptionsSheet& sheet, clOptionsHost& host)
    : clPage(sheet, host),
      list(new QListWidget(this)),
      nameEdit(new QLineEdit(this)),
      locationEdit(new QLineEdit(this)),
      emailEdit(new QLineEdit(this)),
      timeoutEdit(new QLineEdit(this)),
      addButton(new QPushButton(QStringLiteral("Add"), this)),
      deleteButton(new QPushButton(QStringLiteral("Delete"), this)) {
    for (QLineEdit* edit : {nameEdit, locationEdit, emailEdit}) {
        edit->setMaxLength(static_cast<int>(clSettings::kNameLength));
        connect(edit, &QLineEdit::textEdited, this, [this] { OnChange(); });
    }
    timeoutEdit->setMaxLength(10);
    FitToDigits(timeoutEdit);
    connect(timeoutEdit, &QLineEdit::textEdited, this, [this] { OnChange(); });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(addButton);
    buttons->addWidget(deleteButton);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(list);
    top->addLayout(buttons);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name:"), nameEdit);
    form->addRow(QStringLiteral("City, state, and country:"), locationEdit);
    form->addRow(QStringLiteral("Email address:"), emailEdit);
    form->addRow(QStringLiteral("Timeout:"), timeoutEdit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(form);
    connect(list, &QListWidget::currentRowChanged, this, [this] {
        ShowSelected();
        OnChange();
    });
    connect(addButton, &QPushButton::clicked, this, [this] { Add(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { Delete(); });
}

std::string clPlayersPage::Selected() const {
    const QListWidgetItem* item = list->currentItem();
    return item ? item->text().toStdString() : std::string();
}

void clPlayersPage::Fill(const std::string& select) {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const std::string& player : host.Settings().ListPlayers()) {
        list->addItem(QString::fromStdString(player));
        if (player == select) list->setCurrentRow(list->count() - 1);
    }
}

void clPlayersPage::ShowSelected() {
    const std::string selected = Selected();
    const clOnlineInfo info = host.Settings().ReadOnlineInfo(selected);
    nameEdit->setText(QString::fromStdString(info.name));
    locationEdit->setText(QString::fromStdString(info.location));
    emailEdit->setText(QString::fromStdString(info.email));
    timeoutEdit->setText(QString::number(info.timeout));
}

void clPlayersPage::OnInit() {
    Fill(host.Settings().Player());
    ShowSelected();
}

// A timeout that is not a number of seconds from 1 up reads the default.
std::int32_t clPlayersPage::TypedTimeout() const {
    bool ok = false;
    const int value = timeoutEdit->text().trimmed().toInt(&ok);
    return ok && value >= 1 ? value : clOnlineInfo{}.timeout;
}

void clPlayersPage::OnChange() {
    const clSettings& settings = host.Settings();
    const std::string selected = Selected();
    const bool current = selected == settings.Player();
    deleteButton->setEnabled(!selected.empty() && !current);
    const clOnlineInfo info = settings.ReadOnlineInfo(selected);
    MarkChanged(!current || nameEdit->text().toStdString() != info.name ||
                locationEdit->text().toStdString() != info.location ||
                emailEdit->text().toStdString() != info.email || TypedTimeout() != info.timeout);
}

bool clPlayersPage::OnApply() {
    clSettings& settings = host.Settings();
    const std::string selected = Selected();
    if (selected.empty()) return true;
    const clOnlineInfo info{nameEdit->text().toStdString(), locationEdit->text().toStdString(),
                            emailEdit->text().toStdString(), TypedTimeout()};
    settings.WriteOnlineInfo(selected, info);
    if (selected != settings.Player()) host.ChangePlayer(selected);
    sheet.ReloadPages();
    host.RefreshInterface();
    return true;
}

// A new player becomes current at once; a name already taken makes that
// player current.
void clPlayersPage::Add() {
    const auto name = host.AskNewPlayer(this);
    if (!name) return;
    if (!host.AddPlayer(*name)) {
        host.ShowMessage(this, "\"" + *name + "\" cannot be used as a player name.", "Add Player");
        return;
    }
    sheet.ReloadPages();
    host.RefreshInterface();
}

// The player's statistics and saved games stay on disk unless the player
// asks for their removal too.
void clPlayersPage::Delete() {
    const std::string selected = Selected();
    if (selected.empty() || selected == host.Settings().Player()) return;
    clPromptDialog question(this, "Are you sure that you want to delete '" + selected + "'?",
                            "Delete Player", host.Settings().Flag(clFlag::Sounds),
                            "Also delete the statistics and saved games of '" + selected + "'");
    if (!host.RunDialog(question)) return;
    host.DeletePlayer(selected,
                      question.OptionChosen() ? clPlayerFiles::Remove : clPlayerFiles::Keep);
    Fill(host.Settings().Player());
    ShowSelected();
    OnChange();
    host.RefreshInterface();
}
