#pragma once

#include <functional>
#include <stop_token>
#include <string>
#include <vector>

// Message boxes and the wait cursor: how the core tells the player that
// something failed, and that a long operation is running. The window shows
// a message box and changes the cursor; headless play records the texts.
class clMessages {
public:
    virtual ~clMessages() = default;
    // An informational message box with an OK button; returns once the player
    // has closed it.
    virtual void ShowMessage(const std::string& text) = 0;
    // The wait cursor goes up; EndWait puts the previous cursor back.
    virtual void BeginWait() {}
    virtual void EndWait() {}
    // Slow work the player waits for (the online exchanges). The window runs
    // it on a worker thread and keeps painting and answering; after a moment
    // it shows `text` with a Cancel button, which stops the work's token at
    // once. Returns once the work has returned: false when the player
    // cancelled. Unless overridden, the work runs here under the wait cursor
    // and is never cancelled.
    virtual bool RunCancellable(const std::string& text,
                                const std::function<void(std::stop_token)>& work);
};

// Headless messages: every text is kept, in order, and optionally written to
// standard error for a person running a tool.
class clHeadlessMessages final : public clMessages {
public:
    explicit clHeadlessMessages(bool echo = false) : echo(echo) {}

    void ShowMessage(const std::string& text) override;
    void BeginWait() override { ++waits; }

    const std::vector<std::string>& Texts() const { return texts; }
    void Clear() { texts.clear(); }
    // How often the wait cursor went up.
    int Waits() const { return waits; }

private:
    bool echo;
    std::vector<std::string> texts;
    int waits = 0;
};

// Shows the wait cursor for the life of the object.
class clWaitCursor {
public:
    explicit clWaitCursor(clMessages& messages) : messages(messages) { messages.BeginWait(); }
    ~clWaitCursor() { messages.EndWait(); }
    clWaitCursor(const clWaitCursor&) = delete;
    clWaitCursor& operator=(const clWaitCursor&) = delete;

private:
    clMessages& messages;
};
