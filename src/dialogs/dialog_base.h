#pragma once

#include <QDialog>

// A modal dialog of the game: OnInit fills the controls, then the dialog
// takes its size and is placed over the main window; OK asks OnOK and Cancel
// (or Esc, or the close box) asks OnCancel whether it may close.
class clDialog : public QDialog {
public:
    explicit clDialog(QWidget* parent);

    // Runs OnInit, sizes the dialog and centres it over its main window,
    // once. DoModal does it itself; tests call it to work the controls of a
    // dialog not shown.
    void Prepare();
    // Shows the dialog modally: true when it ended with OK.
    bool DoModal();

    void accept() override;
    void reject() override;

protected:
    virtual void OnInit() {}
    virtual bool OnOK() { return true; }
    virtual bool OnCancel() { return true; }

private:
    bool prepared = false;
};

// The window a dialog opened from `widget` belongs over: the outermost window
// of its chain of parents (the game's main window), or null without one.
QWidget* MainWindowOf(QWidget* widget);

// Moves a window that is about to be shown so that its centre is the centre
// of `over`'s window (of the screen when `over` is null), kept inside that
// screen's free area. Until the window has been shown its frame is taken to
// be as wide as the frame of `over`.
void CentreOver(QWidget& window, const QWidget* over);

// Runs a dialog modally, centred over the main window of its parent: the
// dialog's result.
int ExecCentred(QDialog& dialog);
