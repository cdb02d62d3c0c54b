#include "dialogs/help_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <optional>
#include <string>

#include "dialogs/dialog_base.h"
#include "toolkit/file.h"

namespace {

// The first size: a page's text column with its margins, and most of a
// small screen's height.
constexpr QSize kFirstSize(800, 680);
// At most this share of the screen.
constexpr double kScreenShare = 0.9;

constexpr const char* kCaption = "Qarvel Help";

// The largest page, style sheet or picture of the help that is read; the
// shipped ones are a few kilobytes. A larger one is refused, not cut.
constexpr std::size_t kMaxHelpFile = std::size_t{1} << 20;

// A file of the help, read the game's own way: a regular file only (never a
// FIFO or a device, which could stop the game), of at most kMaxHelpFile bytes.
std::optional<QByteArray> ReadHelpFile(const QUrl& url) {
    if (!url.isLocalFile()) return std::nullopt;
    const std::optional<std::string> bytes =
        ReadWholeFile(QFile::encodeName(url.toLocalFile()).toStdString(), kMaxHelpFile);
    if (!bytes) return std::nullopt;
    return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}

bool IsReadablePage(const QUrl& url) {
    return ReadHelpFile(url).has_value();
}

QString MissingText(const QUrl& page) {
    const QFileInfo file(page.toLocalFile());
    return QStringLiteral(
               "The help page \"%1\" could not be found or read in %2.\n\nThe installation "
               "of Qarvel may be damaged; installing it again restores the help.")
        .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()));
}

// The browser takes a page, its style sheet and its pictures from
// ReadHelpFile instead of opening the files itself.
class clHelpBrowser final : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int, const QUrl& name) override {
        const QUrl url = name.isRelative() ? source().resolved(name) : name;
        const std::optional<QByteArray> bytes = ReadHelpFile(url);
        return bytes ? QVariant(*bytes) : QVariant();
    }
};

}  // namespace

clHelpWindow::clHelpWindow(QWidget* owner, const QString& folder, clOpener openElsewhere,
                           clNotice tell)
    : QWidget(owner, Qt::Window),
      folder(folder),
      openElsewhere(std::move(openElsewhere)),
      tell(std::move(tell)),
      browser(new clHelpBrowser(this)) {
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // The desktop's icons where it has them, else the style's.
    const auto command = [&](const char* themeIcon, QStyle::StandardPixmap icon,
                             const char* caption, const char* tip, QKeyCombination key) {
        const QIcon picture =
            QIcon::fromTheme(QString::fromLatin1(themeIcon), style()->standardIcon(icon));
        QAction* action = tools->addAction(picture, QString::fromLatin1(caption));
        action->setShortcut(key);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(
            QString::fromLatin1(tip), action->shortcut().toString(QKeySequence::NativeText)));
        return action;
    };
    back = command("go-previous", QStyle::SP_ArrowBack, "Back", "Back to the page read before",
                   Qt::ALT | Qt::Key_Left);
    forward = command("go-next", QStyle::SP_ArrowForward, "Forward",
                      "Forward to the next page again", Qt::ALT | Qt::Key_Right);
    QAction* contents = command("help-contents", QStyle::SP_FileDialogDetailedView, "Contents",
                                "The contents: how to play Qarvel", Qt::ALT | Qt::Key_Home);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser, &QTextBrowser::forward);
    connect(contents, &QAction::triggered, this,
            [this] { Follow(QUrl::fromLocalFile(this->folder + QStringLiteral("/index.html"))); });
    connect(browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    // Links are followed here, not by the browser itself: only pages of the
    // folder are shown in it.
    browser->setOpenLinks(false);
    browser->setFrameShape(QFrame::NoFrame);
    // The pages keep their own margins: their bar runs from edge to edge.
    browser->document()->setDocumentMargin(0);
    connect(browser, &QTextBrowser::anchorClicked, this, &clHelpWindow::Follow);
    connect(browser, &QTextBrowser::sourceChanged, this, &clHelpWindow::ShowTitle);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(browser, 1);
    setMinimumSize(320, 240);
}

bool clHelpWindow::ShowPage(const QString& page) {
    const QUrl url = QUrl::fromLocalFile(folder + QLatin1Char('/') + page);
    if (!IsReadablePage(url)) {
        // Said where the player asked: over the game, or a dialog of it.
        QWidget* over = QApplication::activeModalWidget();
        tell(over ? over : parentWidget(), MissingText(url));
        return false;
    }
    if (!placed) PlaceOverOwner();
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    KeepUsableOverModalDialog();
    // Also the page shown already: back at its top.
    browser->setSource(url);
    return true;
}

void clHelpWindow::Follow(const QUrl& link) {
    const QUrl url = browser->source().resolved(link);
    if (!url.isLocalFile()) {
        openElsewhere(this, url);
    } else if (!IsReadablePage(url)) {
        tell(this, MissingText(url));
    } else {
        browser->setSource(url);
    }
}

// Centred over the owner's window, the whole window on the owner's screen.
void clHelpWindow::PlaceOverOwner() {
    placed = true;
    QWidget* owner = MainWindowOf(parentWidget());
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), kFirstSize);
    const QSize size(std::min(kFirstSize.width(), static_cast<int>(area.width() * kScreenShare)),
                     std::min(kFirstSize.height(), static_cast<int>(area.height() * kScreenShare)));
    resize(size.expandedTo(minimumSize()));
    CentreOver(*this, owner);
}

// A modal dialog (the Help Center opens pages) blocks every window but its
// own: while it is open the help window is one of the dialog's, so that it
// can be read and used over it, and the owner's again once it closes.
void clHelpWindow::KeepUsableOverModalDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == this || modal == modalOwner || !windowHandle() ||
        !modal->windowHandle()) {
        return;
    }
    if (modalOwner) modalOwner->removeEventFilter(this);
    modalOwner = modal;
    modal->installEventFilter(this);
    windowHandle()->setTransientParent(modal->windowHandle());
}

bool clHelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == modalOwner && event->type() == QEvent::Hide) {
        modalOwner->removeEventFilter(this);
        modalOwner = nullptr;
        const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        if (windowHandle())
            windowHandle()->setTransientParent(owner ? owner->windowHandle() : nullptr);
    }
    return QWidget::eventFilter(watched, event);
}

void clHelpWindow::ShowTitle() {
    const QString title = browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QString::fromLatin1(kCaption) : title);
}
