#pragma once

#include <QObject>
#include <functional>
#include <string>

class QLocalServer;

// Start requests between copies of the game: a second start with a game or a
// saved game hands it to the copy already running (which opens it) instead
// of opening a second window.
class clStartRequests : public QObject {
public:
    using clHandler = std::function<void(const std::string& game, const std::string& file)>;

    // The channel's name for this user.
    static QString ChannelName();

    // Listens for requests; false when another copy listens already.
    bool Listen(const QString& name, clHandler handler);
    // Hands a request to the running copy; false when none answers.
    static bool Send(const QString& name, const std::string& game, const std::string& file);

private:
    void Receive();

    QLocalServer* server = nullptr;
    clHandler onRequest;
};
