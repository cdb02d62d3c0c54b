#include "dialogs/options_sheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>

#include "dialogs/dialog_base.h"
#include "dialogs/dialog_style.h"
#include "dialogs/options_host.h"
#include "graphics/card_set_info.h"
#include "graphics/display.h"
#include "player/settings.h"

clOptionsSheet::clOptionsSheet(clOptionsHost& host, QWidget* parent)
    : QDialog(parent), tabs(new QTabWidget(this)) {
    setWindowTitle(QStringLiteral("Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    general = new clOptionsPage(*this, host);
    graphics = new clGraphicsPage(*this, host);
    background = new clBackgroundPage(*this, host);
    players = new clPlayersPage(*this, host);
    pages = {general, graphics, background, players};
    tabs->addTab(general, QStringLiteral("General"));
    tabs->addTab(graphics, QStringLiteral("Graphics"));
    tabs->addTab(background, QStringLiteral("Background"));
    tabs->addTab(players, QStringLiteral("Players"));

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    okButton = buttons->button(QDialogButtonBox::Ok);
    applyButton = buttons->button(QDialogButtonBox::Apply);
    applyButton->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(applyButton, &QPushButton::clicked, this, [this] { Apply(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);

    for (clPage* page : pages)
        page->OnInit();
    visited.insert(general);
    // Leaving a page brings its enabling and changed state up to date.
    connect(tabs, &QTabWidget::currentChanged, this, [this](int index) {
        for (clPage* page : pages)
            page->OnChange();
        visited.insert(pages[static_cast<std::size_t>(index)]);
    });
}

void clOptionsSheet::Run() {
    ExecCentred(*this);
}

void clOptionsSheet::ShowPage(int index) {
    tabs->setCurrentIndex(index);
}

bool clOptionsSheet::Apply() {
    for (clPage* page : pages) {
        if (!visited.contains(page)) continue;
        if (!page->OnApply()) {
            tabs->setCurrentWidget(page);
            return false;
        }
    }
    changedPages.clear();
    applyButton->setEnabled(false);
    return true;
}

void clOptionsSheet::accept() {
    if (Apply()) QDialog::accept();
}

void clOptionsSheet::ReloadPages() {
    for (clPage* page : pages)
        page->OnInit();
    for (clPage* page : pages)
        page->OnChange();
}

void clOptionsSheet::SetChanged(clPage* page, bool changed) {
    if (changed) {
        changedPages.insert(page);
    } else {
        changedPages.erase(page);
    }
    applyButton->setEnabled(IsChanged());
}

clPage::clPage(clOptionsSheet& sheet, clOptionsHost& host)
    : QWidget(&sheet), sheet(sheet), host(host) {}

void clPage::MarkChanged(bool changed) {
    sheet.SetChanged(this, changed);
}

namespace {

struct clBoxText {
    clFlag flag;
    const char* text;
};

constexpr clBoxText kGeneralBoxes[] = {
    {clFlag::Autosave, "Save games automatically"},
    {clFlag::Prompt, "Prompt before resigning"},
    {clFlag::ScoreButton, "Show 'Take Score' button"},
    {clFlag::Toolbar, "Display game tool bar"},
    {clFlag::DateTime, "Display date/time in statistics"},
    {clFlag::Keyboard, "Display keyboard shortcuts"},
    {clFlag::AutoPause, "Pause game when losing focus"},
    {clFlag::AutoScroll, "Enable automatic scrolling"},
    {clFlag::TaskbarIcon, "Minimize window to taskbar icon"},
    {clFlag::Sounds, "Play game sounds"},
};

// A count as typed: anything that is not a whole number from 0 to the
// largest signed 32-bit value counts as 0.
std::int32_t TypedCount(const QLineEdit* edit) {
    bool ok = false;
    const qulonglong value = edit->text().trimmed().toULongLong(&ok);
    if (!ok || value > static_cast<qulonglong>(std::numeric_limits<std::int32_t>::max())) return 0;
    return static_cast<std::int32_t>(value);
}

}  // namespace

clOptionsPage::clOptionsPage(clOptionsSheet& sheet, clOptionsHost& host)
    : clPage(sheet, host), played(new QLineEdit(this)), recent(new QLineEdit(this)) {
    auto* layout = new QVBoxLayout(this);
    for (const clBoxText& row : kGeneralBoxes) {
        auto* box = new QCheckBox(QString::fromLatin1(row.text), this);
        boxes.push_back({row.flag, box});
        layout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { OnChange(); });
    }
    auto* counts = new QGroupBox(QStringLiteral("Preferred game count:"), this);
    auto* form = new QFormLayout(counts);
    form->addRow(QStringLiteral("Most Played"), played);
    form->addRow(QStringLiteral("Most Recent"), recent);
    for (QLineEdit* edit : {played, recent}) {
        edit->setMaxLength(10);
        FitToDigits(edit);
        connect(edit, &QLineEdit::textChanged, this, [this] { OnChange(); });
    }
    layout->addWidget(counts);
    layout->addStretch();
}

QCheckBox* clOptionsPage::Box(clFlag flag) const {
    for (const clBox& row : boxes) {
        if (row.flag == flag) return row.box;
    }
    return nullptr;
}

void clOptionsPage::OnInit() {
    const clSettings& settings = host.Settings();
    for (const clBox& row : boxes) {
        const QSignalBlocker quiet(row.box);
        row.box->setChecked(settings.Flag(row.flag));
    }
    for (auto [edit, number] : {std::pair{played, clNumber::Played}, {recent, clNumber::Recent}}) {
        const QSignalBlocker quiet(edit);
        edit->setText(QString::number(settings.Number(number)));
    }
}

void clOptionsPage::OnChange() {
    const clSettings& settings = host.Settings();
    bool changed = TypedCount(played) != settings.Number(clNumber::Played) ||
                   TypedCount(recent) != settings.Number(clNumber::Recent);
    for (const clBox& row : boxes)
        changed = changed || row.box->isChecked() != settings.Flag(row.flag);
    MarkChanged(changed);
}

bool clOptionsPage::OnApply() {
    clSettings& settings = host.Settings();
    const bool keyboard = settings.Flag(clFlag::Keyboard);
    for (const clBox& row : boxes)
        settings.SetFlag(row.flag, row.box->isChecked());
    settings.SetNumber(clNumber::Played, TypedCount(played));
    settings.SetNumber(clNumber::Recent, TypedCount(recent));
    // Shown again as stored: a count typed wrongly reads 0.
    OnInit();
    host.RefreshInterface();
    // The key labels on the table appear or go.
    if (keyboard != settings.Flag(clFlag::Keyboard)) host.RefreshScreen();
    return true;
}

clGraphicsPage::clGraphicsPage(clOptionsSheet& sheet, clOptionsHost& host)
    : clPage(sheet, host),
      cardSets(new QComboBox(this)),
      cardSizes(new QComboBox(this)),
      animation(new QCheckBox(QStringLiteral("Animate automatic card movements"), this)) {
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Card Set:"), cardSets);
    form->addRow(QStringLiteral("Card Size:"), cardSizes);
    auto* selectBack = new QPushButton(QStringLiteral("Select Card Back..."), this);
    auto* download = new QPushButton(QStringLiteral("Download Additional Card Sets"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(animation);
    layout->addWidget(selectBack);
    layout->addWidget(download);
    layout->addStretch();
    connect(selectBack, &QPushButton::clicked, this, [this] { this->host.SelectCardBack(this); });
    connect(download, &QPushButton::clicked, this, [this] { this->host.OpenWebPage("cardsets"); });
    connect(cardSets, &QComboBox::currentIndexChanged, this, [this] { OnChange(); });
    connect(cardSizes, &QComboBox::currentIndexChanged, this, [this] { OnChange(); });
    connect(animation, &QCheckBox::toggled, this, [this] { OnChange(); });
}

void clGraphicsPage::OnInit() {
    const clDisplayOptions& options = host.DisplayOptions();
    const clCardSetList& catalogue = host.Catalogue();
    minSize = options.minSize;
    maxSize = options.maxSize;
    const QSignalBlocker quietSets(cardSets);
    const QSignalBlocker quietSizes(cardSizes);
    const QSignalBlocker quietAnimation(animation);
    cardSets->clear();
    for (int i = 0; i < catalogue.Count(); ++i)
        cardSets->addItem(QString::fromStdString(catalogue.Entry(i).ShownDescription()));
    cardSets->setCurrentIndex(catalogue.Find(options.cardSet).value_or(-1));
    cardSizes->clear();
    for (const char* size : {"automatic", "huge", "large", "medium", "small", "tiny"})
        cardSizes->addItem(QString::fromLatin1(size));
    if (minSize != maxSize) {
        cardSizes->addItem(QStringLiteral("custom"));
        cardSizes->setCurrentIndex(kCustomItem);
    } else {
        cardSizes->setCurrentIndex(minSize);
    }
    animation->setChecked(host.Settings().Flag(clFlag::Animation));
}

void clGraphicsPage::OnChange() {
    const int size = cardSizes->currentIndex();
    if (size >= 0 && size != kCustomItem) minSize = maxSize = size;
    const clDisplayOptions& options = host.DisplayOptions();
    const int set = cardSets->currentIndex();
    const bool otherSet = set >= 0 && host.Catalogue().Entry(set).Path() != options.cardSet;
    MarkChanged(otherSet || minSize != options.minSize || maxSize != options.maxSize ||
                animation->isChecked() != host.Settings().Flag(clFlag::Animation));
}

bool clGraphicsPage::OnApply() {
    OnChange();
    clDisplayOptions& options = host.DisplayOptions();
    const clCardSetList& catalogue = host.Catalogue();
    bool changed = false;
    const int set = cardSets->currentIndex();
    if (set >= 0 && catalogue.Entry(set).Path() != options.cardSet) {
        options.cardSet = catalogue.Entry(set).Path();
        changed = true;
    }
    if (minSize != options.minSize || maxSize != options.maxSize) {
        options.minSize = minSize;
        options.maxSize = maxSize;
        changed = true;
    }
    host.Settings().SetFlag(clFlag::Animation, animation->isChecked());
    host.StoreDisplaySettings();
    if (changed) {
        // The menus' paths: the card set loads (its check mark follows), then
        // a fixed size is chosen (the display resizes, the screen redraws).
        if (const auto index = catalogue.Find(options.cardSet)) host.ApplyCardSet(*index);
        if (minSize == maxSize) host.ApplyCardSize(minSize);
        host.RefreshInterface();
    }
    OnInit();
    return true;
}
