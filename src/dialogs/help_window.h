#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>

class QAction;
class QTextBrowser;

// The help pages read inside the game: a window of its owner with Back,
// Forward and Contents, the page's title as its own. Links between the pages
// are followed in it; any other address (a web page, a mail address) is
// handed to the desktop.
class clHelpWindow final : public QWidget {
public:
    // Opens an address that is not a help page, over a window of the game.
    using clOpener = std::function<void(QWidget* over, const QUrl& address)>;
    // Tells the player something, over a window of the game.
    using clNotice = std::function<void(QWidget* over, const QString& text)>;

    // `folder` holds the pages: index.html (the contents) and one page per
    // help topic number.
    clHelpWindow(QWidget* owner, const QString& folder, clOpener openElsewhere, clNotice tell);

    // Shows a page of the folder ("1060.html") at its top and brings the
    // window to the front, placed over its owner the first time. A missing
    // page is reported and leaves the window as it was: false.
    bool ShowPage(const QString& page);

    QTextBrowser* Browser() const { return browser; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A link of the shown page (relative to it), or a page of the folder:
    // shown here when it is a page, handed on when it is not a file.
    void Follow(const QUrl& link);
    void PlaceOverOwner();
    void KeepUsableOverModalDialog();
    void ShowTitle();

    QString folder;
    clOpener openElsewhere;
    clNotice tell;
    QTextBrowser* browser;
    QAction* back;
    QAction* forward;
    bool placed = false;
    // The modal dialog the window belongs to while that dialog is open.
    QPointer<QWidget> modalOwner;
};
