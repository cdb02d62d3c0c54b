#pragma once

#include <QDialog>

// A modal dialog of the game: OnInit fills the controls once it is placed
// over its parent; OK asks OnOK and Cancel (or Esc, or the close box) asks
// OnCancel whether it may close.
class clDialog : public QDialog {
public:
    explicit clDialog(QWidget* parent);

    // Centres the dialog over its parent and runs OnInit, once. DoModal does
    // it itself; tests call it to work the controls of a dialog not shown.
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
