#pragma once

#include "toolkit/messages.h"

// Message boxes titled "Qarvel", the wait cursor, and slow work on a worker
// thread while the window keeps answering. A run that nobody watches (a
// start that quits at once) writes the texts to standard error,
// "qarvel: TEXT", instead of waiting for a box to be closed.
class clQtMessages final : public clMessages {
public:
    // How long slow work runs under the wait cursor, with the player's input
    // held back, before the progress window shows.
    static constexpr int kProgressDelayMs = 300;

    bool toStandardError = false;

    void ShowMessage(const std::string& text) override;
    void BeginWait() override;
    void EndWait() override;
    // The work runs on a worker thread. For its first moment the window
    // paints but takes no input (a quick exchange shows nothing but the wait
    // cursor); then a small modal window "onlineProgress" shows the text, a
    // busy bar and "Cancel", which, like Escape or closing it, stops the work
    // at once and closes it.
    bool RunCancellable(const std::string& text,
                        const std::function<void(std::stop_token)>& work) override;
};
