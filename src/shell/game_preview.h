#pragma once

#include <QImage>
#include <QSize>
#include <QThreadPool>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <stop_token>
#include <string>
#include <vector>

class QObject;

// A game's first deal drawn small by the game's own drawing code, on a
// display of its own with the card set's smallest cards, headless: any
// thread may call it. A null picture when the game or its cards cannot be
// made.
QImage DrawGamePreview(const std::string& displayName, const std::filesystem::path& dataFolder,
                       const std::string& cardSet, QSize size);

// The one line that sums a game up: the first paragraph of its help page
// after the category line, as plain text; empty when the page lacks one.
std::string GameSummary(const std::filesystem::path& helpFolder, int topic);

// The chooser's pictures of the games, drawn off the window's thread, once
// a session for each card set: the cache outlives each chooser.
class clGamePreviews {
public:
    static constexpr QSize kSize{300, 225};
    using clReady = std::function<void(const std::string& displayName, const QImage& picture)>;

    // `ready` runs on the thread of `context` as each picture is made.
    clGamePreviews(QObject* context, clReady ready);
    // Stops drawing and waits for the picture being drawn.
    ~clGamePreviews();
    clGamePreviews(const clGamePreviews&) = delete;
    clGamePreviews& operator=(const clGamePreviews&) = delete;

    // Draws, in the order given, the games not drawn yet for that card set.
    void Request(const std::vector<std::string>& names, const std::filesystem::path& dataFolder,
                 const std::string& cardSet);
    // The picture of a game for the card set last requested, or null.
    const QImage* Find(const std::string& displayName) const;
    // Pictures are still being drawn.
    bool IsBusy() const { return pending > 0; }

private:
    QObject* context;
    clReady ready;
    QThreadPool pool;
    std::stop_source stop;
    std::string cardSet;
    int pending = 0;
};
