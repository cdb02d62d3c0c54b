#pragma once

#include <QThreadPool>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "graphics/display.h"

class QObject;

// Loads card pictures on a thread of its own, so that the window keeps
// painting and answering while a card set is resampled. One load at a time:
// a new request stops the one running (it notices between pictures), and
// only the newest load's result is delivered, on the thread of `context`.
class clCardLoader {
public:
    // The plan, its pictures, whether the load succeeded, and the messages
    // it would have shown.
    using clDone = std::function<void(const clCardLoadPlan&, clCardPictures&&, bool,
                                      const std::vector<std::string>&)>;

    clCardLoader(QObject* context, clDone done);
    // Stops the running load and waits for its thread.
    ~clCardLoader();
    clCardLoader(const clCardLoader&) = delete;
    clCardLoader& operator=(const clCardLoader&) = delete;

    // Starts loading `plan`, unless that very load is running.
    void Load(const clCardLoadPlan& plan);
    // Stops the running load; its result is never delivered.
    void Cancel();
    // A load is running, or its result is on its way.
    bool IsBusy() const { return running.has_value(); }

private:
    QObject* context;
    clDone done;
    QThreadPool pool;
    std::optional<clCardLoadPlan> running;
    std::stop_source stop;
    std::uint64_t generation = 0;
};
