#include "shell/game_list.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <random>

#include "cards/random.h"
#include "dialogs/qt_picture.h"
#include "engine/catalogue.h"
#include "graphics/interface_cache.h"
#include "graphics/interface_layout.h"
#include "player/file_time.h"
#include "player/settings_layout.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "toolkit/date_format.h"
#include "toolkit/product.h"
#include "toolkit/qt_date_format.h"
#include "variants/registry.h"

namespace {

constexpr const char* kColumnHeaders[clGameListModel::kColumns] = {
    "Name", "Category", "Games", "Best", "Average", "Worst", "Last Played"};
constexpr int kButtonColumn = 160;  // the filter buttons' column at the left
constexpr std::uint32_t kNoTileColour = 0x900078;

// The icons' sizes: Large Icons (the game's table), and the other three
// views (a card of its category).
constexpr QSize kLargeIcon(96, 72);
constexpr QSize kSmallIcon(18, 24);
constexpr int kPreviewWidth = clGamePreviews::kSize.width() + 20;

// A picture for an icon of that size, with a small green mark at its corner
// for a game with a saved game in progress.
QPixmap IconPicture(const QImage& source, QSize size, bool saved) {
    QImage picture = source.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (saved) {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        const int d = std::max(7, std::min(picture.width(), picture.height()) / 2);
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(QColor(0x1f, 0x9d, 0x3a));
        painter.drawEllipse(QRectF(picture.width() - d - 0.5, picture.height() - d - 0.5, d, d));
    }
    return QPixmap::fromImage(picture);
}

// What an empty filter says instead of a blank pane.
const char* EmptyFilterHint(int filter) {
    switch (static_cast<clGameFilter>(filter)) {
        case clGameFilter::Favorites:
            return "No favourites yet: mark a game with Add to Favorites";
        case clGameFilter::MostPlayed:
            return "No games finished yet: the games you play most will be listed here";
        case clGameFilter::MostRecent:
            return "No games played yet: the games you played last will be listed here";
        case clGameFilter::All:
        case clGameFilter::Recommended:
            break;
    }
    return "No games to list";
}

}  // namespace

clGameList::clGameList(clMainWindow& window, clProgram& program)
    : window(window), program(program) {}

clGameList::~clGameList() {
    previews.reset();
    delete previewPane;
    delete emptyHint;
    delete dailyButton;
    delete details;
    delete icons;
    delete items;
}

bool clGameList::Initialize() {
    clSettings& settings = program.Settings();
    view = std::clamp(settings.Number(clNumber::View), 0, 3);
    filter = settings.Number(clNumber::Filter);
    sort = settings.Number(clNumber::Sort);
    // The table is drawn in device pixels: on a doubled screen the buttons
    // and the backdrop's tile are drawn doubled, so that they keep their size.
    scale = program.HasDisplay() ? program.Display().Scale() : 1.0;
    const auto scaled = [this](clImage picture) {
        if (scale == 1.0 || picture.IsEmpty()) return picture;
        clImage larger;
        if (!larger.Resample(picture, static_cast<int>(std::lround(picture.Width() * scale)),
                             static_cast<int>(std::lround(picture.Height() * scale)))) {
            return picture;
        }
        return larger;
    };
    for (int i = 0; i < clInterfaceLayout::kFilterCount; ++i) {
        for (int j = 0; j < clInterfaceLayout::kFilterStates; ++j) {
            buttons[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] =
                scaled(program.InterfaceView(clInterfaceLayout::FilterButton(i, j)));
        }
    }
    tile = scaled(program.InterfaceView(clInterfaceLayout::kBackgroundTile));

    QWidget* area = window.Table()->viewport();
    items = new QStandardItemModel(0, clGameListModel::kColumns);
    for (int c = 0; c < clGameListModel::kColumns; ++c) {
        items->setHeaderData(c, Qt::Horizontal, QString::fromLatin1(kColumnHeaders[c]));
    }
    details = new QTreeView(area);
    details->setModel(items);
    details->setRootIsDecorated(false);
    details->setUniformRowHeights(true);
    details->setEditTriggers(QAbstractItemView::NoEditTriggers);
    details->setSelectionBehavior(QAbstractItemView::SelectRows);
    details->header()->setSectionsClickable(true);
    details->header()->setSortIndicatorShown(false);
    QObject::connect(details->header(), &QHeaderView::sectionClicked, details,
                     [this](int column) { SortByColumn(column); });
    icons = new QListView(area);
    icons->setModel(items);
    // One selection for both views.
    selection = details->selectionModel();
    icons->setSelectionModel(selection);
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, details,
                     [this] { UpdateStatus(); });
    icons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A click or an arrow key selects the whole row, as in Details, so that
    // every view has the same selection.
    icons->setSelectionBehavior(QAbstractItemView::SelectRows);
    icons->setResizeMode(QListView::Adjust);
    icons->setUniformItemSizes(false);
    details->setIconSize(kSmallIcon);
    previewPane = new QFrame(area);
    auto* paneFrame = static_cast<QFrame*>(previewPane.data());
    paneFrame->setFrameShape(QFrame::StyledPanel);
    paneFrame->setAutoFillBackground(true);
    paneFrame->setBackgroundRole(QPalette::Base);
    auto* paneLayout = new QVBoxLayout(previewPane);
    previewPicture = new QLabel(previewPane);
    previewPicture->setFixedSize(clGamePreviews::kSize);
    previewPicture->setAlignment(Qt::AlignCenter);
    previewText = new QLabel(previewPane);
    previewText->setWordWrap(true);
    previewText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    previewText->setTextFormat(Qt::RichText);
    paneLayout->addWidget(previewPicture, 0, Qt::AlignHCenter);
    paneLayout->addWidget(previewText, 1);
    previewPane->hide();
    previews = std::make_unique<clGamePreviews>(
        previewPane, [this](const std::string& name, const QImage&) { PreviewReady(name); });
    dailyButton = new QPushButton(QStringLiteral("Daily Challenge"), area);
    dailyButton->setToolTip(
        QStringLiteral("Today's deals of the selected game, the same for every player"));
    dailyButton->setEnabled(false);
    QObject::connect(dailyButton, &QPushButton::clicked, dailyButton, [this] {
        if (const clGameRecord* game = Selected())
            window.RequestDailyChallenge(std::string(game->row->displayName));
    });
    emptyHint = new QLabel(area);
    emptyHint->setAlignment(Qt::AlignCenter);
    emptyHint->setWordWrap(true);
    emptyHint->setAutoFillBackground(true);
    emptyHint->hide();
    for (QAbstractItemView* list : {static_cast<QAbstractItemView*>(details.data()),
                                    static_cast<QAbstractItemView*>(icons.data())}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(
            list, &QWidget::customContextMenuRequested, list,
            [this, list](const QPoint& at) { ShowContextMenu(list->mapToGlobal(at)); });
        // A double click or Enter (a style that also activates on the double
        // click asks twice; the window starts one game).
        QObject::connect(list, &QAbstractItemView::doubleClicked, list,
                         [this](const QModelIndex& index) { StartSelected(index); });
        QObject::connect(list, &QAbstractItemView::activated, list,
                         [this](const QModelIndex& index) { StartSelected(index); });
    }
    const std::array<std::int32_t, 7> widths = settings.LoadColumnWidths();
    for (int c = 0; c < clGameListModel::kColumns; ++c) {
        details->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    }

    window.ShowChooserFrame(true);
    FillPlayerBox();
    Fill();
    SetView(view);
    LayOut();
    Repaint();
    initialized = true;
    return true;
}

void clGameList::Shutdown() {
    if (initialized) StoreColumnWidths();
    initialized = false;
    window.ShowChooserFrame(false);
    if (details) details->hide();
    if (icons) icons->hide();
    if (emptyHint) emptyHint->hide();
    if (dailyButton) dailyButton->hide();
    if (previewPane) previewPane->hide();
}

void clGameList::StoreColumnWidths() {
    if (view != 3 || !details) return;
    std::array<std::int32_t, 7> widths{};
    for (int c = 0; c < clGameListModel::kColumns; ++c) {
        widths[static_cast<std::size_t>(c)] = details->columnWidth(c);
    }
    program.Settings().SaveColumnWidths(widths);
}

void clGameList::FillPlayerBox() {
    playerBox = window.PlayerBox();
    if (!playerBox) return;
    const QSignalBlocker quiet(playerBox);
    playerBox->clear();
    std::vector<std::string> names = program.Players().List();
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        playerBox->addItem(QString::fromStdString(name));
    playerBox->setCurrentText(QString::fromStdString(program.Settings().Player()));
}

// Reads the player's figures again and lists what the filter shows.
void clGameList::Fill() {
    model.Fill(program.Settings(), program.Clock().LocalTime());
    listed = model.Shown(filter);
    clGameListModel::Sort(listed, sort);
    const clQtDateFormat dates;
    items->removeRows(0, items->rowCount());
    saved.clear();
    for (const clGameRecord* game : listed) {
        saved.push_back(HasSavedGame(*game));
        QList<QStandardItem*> row;
        for (int c = 0; c < clGameListModel::kColumns; ++c) {
            auto* item = new QStandardItem(
                QString::fromStdString(clGameListModel::CellText(*game, c, dates)));
            if (c >= 2 && c <= 5) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (c == 0) item->setIcon(GameIcon(*game, saved.back()));
            if (saved.back()) item->setToolTip(QStringLiteral("A game in progress is saved"));
            row.append(item);
        }
        items->appendRow(row);
    }
    if (emptyHint) emptyHint->setText(QString::fromLatin1(EmptyFilterHint(filter)));
    if (previews) {
        std::vector<std::string> names;
        for (const clGameRecord* game : listed)
            names.emplace_back(game->row->displayName);
        previews->Request(names, program.DataFolder(), program.DisplayOptions().cardSet);
    }
    LayOut();
    UpdateStatus();
}

// Large Icons shows the game's table once its picture is made, the other
// views (and Large Icons until then) a card of the game's category.
QIcon clGameList::GameIcon(const clGameRecord& game, bool saved) const {
    const std::string name(game.row->displayName);
    if (view == 0 && previews) {
        if (const QImage* table = previews->Find(name)) {
            return QIcon(IconPicture(*table, kLargeIcon, saved));
        }
    }
    if (!program.HasDisplay()) return {};
    const clImage* face = program.Display().Cards().Face((game.row->family * 17 + 12) % 52);
    if (!face || face->IsEmpty()) return {};
    return QIcon(IconPicture(ImageView(*face), view == 0 ? QSize(54, 72) : kSmallIcon, saved));
}

// A picture arrived: the game's icon in Large Icons, and the pane when it
// shows that game.
void clGameList::PreviewReady(const std::string& name) {
    for (std::size_t row = 0; row < listed.size(); ++row) {
        if (listed[row]->row->displayName != name) continue;
        if (view == 0) RefreshIcon(row);
    }
    if (const clGameRecord* game = Selected(); game && game->row->displayName == name) {
        UpdatePreview();
    }
}

// A listed game's icon again, with the mark its fill found.
void clGameList::RefreshIcon(std::size_t row) {
    if (row >= listed.size() || row >= saved.size()) return;
    if (QStandardItem* item = items->item(static_cast<int>(row), 0)) {
        item->setIcon(GameIcon(*listed[row], saved[row]));
    }
}

void clGameList::TogglePreview() {
    clSettings& settings = program.Settings();
    settings.SetFlag(clFlag::Preview, !settings.Flag(clFlag::Preview));
    window.SetChooserView(view);
    LayOut();
    UpdatePreview();
}

void clGameList::UpdatePreview() {
    if (!previewPane || previewPane->isHidden()) return;
    const clGameRecord* game = Selected();
    if (game == nullptr) {
        previewPicture->clear();
        previewText->setText(QStringLiteral("<p>Select a game to see its table.</p>"));
        return;
    }
    const std::string name(game->row->displayName);
    const QImage* table = previews ? previews->Find(name) : nullptr;
    if (table) {
        previewPicture->setPixmap(QPixmap::fromImage(*table));
    } else {
        previewPicture->clear();
    }
    const clQtDateFormat dates;
    QString figures;
    if (game->gamesPlayed == 0) {
        figures = QStringLiteral("Not played yet.");
    } else {
        for (int c = 2; c < clGameListModel::kColumns; ++c) {
            figures += QStringLiteral("%1: %2<br>")
                           .arg(QString::fromLatin1(c == 2 ? "Games played" : kColumnHeaders[c]),
                                QString::fromStdString(clGameListModel::CellText(*game, c, dates))
                                    .toHtmlEscaped());
        }
    }
    const std::string summary = GameSummary(program.DataFolder() / "help", game->row->helpTopic);
    previewText->setText(
        QStringLiteral("<p><b style=\"font-size:large\">%1</b><br>%2</p><p>%3</p><p>%4</p>")
            .arg(QString::fromUtf8(name.data(), static_cast<int>(name.size())).toHtmlEscaped(),
                 QString::fromUtf8(game->row->category.data(),
                                   static_cast<int>(game->row->category.size()))
                     .toHtmlEscaped(),
                 QString::fromStdString(summary).toHtmlEscaped(), figures));
}

// The automatic save that starting the game would resume.
bool clGameList::HasSavedGame(const clGameRecord& game) const {
    const std::optional<std::filesystem::path> folder = window.PlayerFolder();
    if (!folder || !program.Settings().Flag(clFlag::Autosave)) return false;
    const char* extension = program.Settings().Flag(clFlag::Practice) ? ".tmp" : ".qarvel";
    std::error_code error;
    return std::filesystem::is_regular_file(*folder / (std::string(game.row->key) + extension),
                                            error);
}

// The selected game: the list's selection (both views share it), not the
// item that merely has the keyboard focus.
const clGameRecord* clGameList::Selected() const {
    if (!selection) return nullptr;
    const QModelIndexList cells = selection->selectedIndexes();
    if (cells.isEmpty() || cells.front().row() >= static_cast<int>(listed.size())) return nullptr;
    return listed[static_cast<std::size_t>(cells.front().row())];
}

void clGameList::Select(int row) {
    if (!selection) return;
    const QModelIndex index = items->index(row, 0);
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    UpdateStatus();
}

std::string clGameList::StatusText() const {
    return clGameListModel::StatusText(Selected(), static_cast<int>(listed.size()));
}

void clGameList::UpdateStatus() {
    window.SetStatusText(StatusText());
    window.SetChooserSelection(Selected() != nullptr);
    if (dailyButton) dailyButton->setEnabled(Selected() != nullptr);
    UpdatePreview();
}

void clGameList::SetView(int newView) {
    view = std::clamp(newView, 0, 3);
    program.Settings().SetNumber(clNumber::View, view);
    if (!details || !icons) return;
    if (view == 3) {
        icons->hide();
        details->show();
        details->setFocus();
    } else {
        details->hide();
        icons->setViewMode(view == 0 ? QListView::IconMode : QListView::ListMode);
        icons->setFlow(view == 1 ? QListView::TopToBottom : QListView::LeftToRight);
        icons->setWrapping(true);
        // Large Icons: two lines of the name under the icon; the others
        // give each name the width it needs.
        icons->setWordWrap(view == 0);
        icons->setGridSize(view == 0 ? QSize(150, kLargeIcon.height() + 48) : QSize());
        icons->setIconSize(view == 0 ? kLargeIcon : kSmallIcon);
        icons->setSpacing(view == 0 ? 0 : 2);
        icons->show();
        icons->setFocus();
    }
    window.SetChooserView(view);
    // Large Icons shows the tables, the others the category cards.
    if (initialized) {
        for (std::size_t row = 0; row < listed.size(); ++row)
            RefreshIcon(row);
    }
    LayOut();
}

// The list lies right of the filter buttons, 4 pixels in from the area's edges.
void clGameList::LayOut() {
    const QSize area = window.Table()->viewport()->size();
    int left = kButtonColumn + 8;
    if (area.width() - kButtonColumn < kButtonColumn) {
        left -= (kButtonColumn - (area.width() - kButtonColumn)) / 2;
    }
    QRect place(left, 4, std::max(1, area.width() - 4 - left), std::max(1, area.height() - 8));
    // The preview pane takes the right of the area when the list keeps room.
    const bool pane = previewPane && program.Settings().Flag(clFlag::Preview) && details &&
                      (!details->isHidden() || !icons->isHidden()) &&
                      place.width() >= kPreviewWidth + 300;
    if (previewPane) {
        if (pane) {
            previewPane->setGeometry(place.right() + 1 - kPreviewWidth, place.top(), kPreviewWidth,
                                     place.height());
            place.setWidth(place.width() - kPreviewWidth - 6);
        }
        const bool shown = !previewPane->isHidden();
        previewPane->setVisible(pane);
        if (pane && !shown) UpdatePreview();
    }
    if (details) details->setGeometry(place);
    if (icons) icons->setGeometry(place);
    // Below the five filter buttons, as wide as they are.
    if (dailyButton) {
        const int top = 4 + 40 * clInterfaceLayout::kFilterCount + 8;
        dailyButton->setGeometry(4, top, kButtonColumn - 8, 32);
        dailyButton->setVisible(left >= kButtonColumn);
    }
    // The hint lies over the empty list, near its top.
    if (emptyHint && details && icons) {
        emptyHint->setGeometry(place.left() + 8, place.top() + 40, std::max(1, place.width() - 16),
                               48);
        emptyHint->setVisible(listed.empty() && (!details->isHidden() || !icons->isHidden()));
        emptyHint->raise();
    }
}

void clGameList::ShowControls() {
    LayOut();
}

void clGameList::Repaint() {
    if (!program.HasDisplay()) return;
    clDisplay& display = program.Display();
    clImage& screen = display.Screen();
    const int width = display.VirtualWidth(), height = display.VirtualHeight();
    if (backdrop.Width() != width || backdrop.Height() != height) {
        if (!backdrop.CreateImage(width, height)) return;
    }
    if (!tile.IsEmpty()) {
        backdrop.Tile(tile, width, height);
    } else {
        backdrop.Fill(kNoTileColour);
    }
    screen.Copy(backdrop, {0, 0});
    for (int i = 0; i < clInterfaceLayout::kFilterCount; ++i)
        DrawButton(i, i == filter ? 1 : 0);
    display.Invalidate({0, 0, width, height});
}

void clGameList::DrawButton(int button, int state) {
    if (button < 0 || button >= clInterfaceLayout::kFilterCount || !program.HasDisplay()) return;
    const clImage& picture =
        buttons[static_cast<std::size_t>(button)][static_cast<std::size_t>(state)];
    if (picture.IsEmpty()) return;
    const clPoint at{Scaled(4), Scaled(4 + 40 * button)};
    const clRect rect{at.x, at.y, at.x + picture.Width(), at.y + picture.Height()};
    // The button's rounded corners show the backdrop.
    program.Display().Screen().Copy(backdrop, at, rect);
    program.Display().Screen().Draw(picture, at);
    program.Display().Invalidate({at.x, at.y, at.x + picture.Width(), at.y + picture.Height()});
}

int clGameList::ButtonAt(clPoint point) const {
    if (point.x < 0 || point.x >= Scaled(kButtonColumn) || point.y < 0 || point.y >= Scaled(200)) {
        return -1;
    }
    return std::min(4, point.y / Scaled(40));
}

int clGameList::Scaled(int length) const {
    return static_cast<int>(std::lround(length * scale));
}

void clGameList::OnLeftDown(clPoint point) {
    const int button = ButtonAt(point);
    if (button < 0) return;
    pressed = button;
    DrawButton(button, 2);
    if (filter != button) DrawButton(filter, 0);
}

void clGameList::OnMouseMove(clPoint point) {
    if (pressed < 0) return;
    if (ButtonAt(point) == pressed) {
        DrawButton(pressed, 2);
        if (filter != pressed) DrawButton(filter, 0);
    } else {
        DrawButton(pressed, 0);
        DrawButton(filter, 1);
    }
}

// A release over the button that was pressed makes it the filter.
void clGameList::OnLeftUp(clPoint point) {
    if (pressed < 0) return;
    DrawButton(pressed, 0);
    if (ButtonAt(point) == pressed) {
        filter = pressed;
        sort = 0;
        program.Settings().SetNumber(clNumber::Filter, filter);
        program.Settings().SetNumber(clNumber::Sort, sort);
        Fill();
    }
    pressed = -1;
    DrawButton(filter, 1);
}

// The list's own menu: the selected game's commands and the views.
void clGameList::ShowContextMenu(const QPoint& at) {
    QMenu menu;
    const bool selected = Selected() != nullptr;
    struct clItem {
        const char* caption;
        int command;
        bool enabled;
        bool checked;
    };
    const clItem entries[] = {
        {"Play", 40003, selected, false},        {"Rules", 40010, selected, false},
        {"Statistics", 40022, selected, false},  {"Large Icons", 40031, true, view == 0},
        {"Small Icons", 40032, true, view == 1}, {"List", 40033, true, view == 2},
        {"Details", 40034, true, view == 3},     {"Reset", 40030, view == 3, false},
    };
    for (const clItem& entry : entries) {
        QAction* action = menu.addAction(QString::fromLatin1(entry.caption));
        action->setEnabled(entry.enabled);
        action->setCheckable(entry.checked);
        action->setChecked(entry.checked);
        const int command = entry.command;
        QObject::connect(action, &QAction::triggered, &menu,
                         [this, command] { window.ExecuteCommand(command); });
        if (entry.command == 40022) menu.addSeparator();
    }
    menu.exec(at);
}

void clGameList::SortByColumn(int column) {
    sort = clGameListModel::SortAfterClick(sort, column);
    program.Settings().SetNumber(clNumber::Sort, sort);
    Fill();
}

void clGameList::ResetColumns() {
    for (int c = 0; c < clGameListModel::kColumns; ++c) {
        details->setColumnWidth(c, clGameListModel::kDefaultWidths[c]);
    }
    Fill();
}

void clGameList::StartSelected(const QModelIndex& index) {
    if (!index.isValid() || index.row() >= static_cast<int>(listed.size())) return;
    window.RequestGame(
        std::string(listed[static_cast<std::size_t>(index.row())]->row->displayName));
}

void clGameList::NewGame() {
    if (const clGameRecord* game = Selected()) {
        window.RequestGame(std::string(game->row->displayName));
    }
}

// A random game among those listed, drawn from the program's generator.
void clGameList::RandomGame() {
    if (listed.empty()) return;
    std::random_device seed;
    clRandom& random = clRandom::Program();
    random.Seed(static_cast<std::int32_t>(seed() & 0x7fffffff));
    const int pick = random.Next(0, static_cast<std::int32_t>(listed.size()));
    window.RequestGame(std::string(listed[static_cast<std::size_t>(pick)]->row->displayName));
}

void clGameList::TakeScore() {
    if (const clGameRecord* game = Selected()) window.OpenHelpTopic(game->row->helpTopic);
}

void clGameList::ShowRules() {
    window.OpenHelpTopic(1000);
}

void clGameList::ShowStatistics() {
    if (const clGameRecord* game = Selected()) {
        window.ShowGameStatistics(std::string(game->row->displayName));
        Fill();
    }
}

void clGameList::ChangePlayer(const std::string& name) {
    if (name == program.Settings().Player()) return;
    StoreColumnWidths();
    if (!program.Players().ChangePlayer(name)) return;
    window.AfterPlayerChange();
    clSettings& settings = program.Settings();
    view = std::clamp(settings.Number(clNumber::View), 0, 3);
    filter = settings.Number(clNumber::Filter);
    sort = settings.Number(clNumber::Sort);
    FillPlayerBox();
    SetView(view);
    Repaint();
    Fill();
    const std::array<std::int32_t, 7> widths = settings.LoadColumnWidths();
    for (int c = 0; c < clGameListModel::kColumns; ++c) {
        details->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    }
}

void clGameList::Refresh() {
    FillPlayerBox();
    Fill();
    Repaint();
}

// Looks the name up as a display name, then as a key, in any case.
bool clGameList::PlayGame(const std::string& name) {
    const clCatalogueRow* row = LookUpVariant(name, true);
    if (!row || !IsRegistered(row->displayName)) {
        LayOut();
        return false;
    }
    return window.StartGame(std::string(row->displayName));
}
