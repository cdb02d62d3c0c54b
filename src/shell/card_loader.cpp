#include "shell/card_loader.h"

#include <QObject>
#include <memory>
#include <utility>

#include "toolkit/messages.h"

clCardLoader::clCardLoader(QObject* context, clDone done)
    : context(context), done(std::move(done)) {
    pool.setMaxThreadCount(1);
}

clCardLoader::~clCardLoader() {
    Cancel();
    pool.waitForDone();
}

void clCardLoader::Load(const clCardLoadPlan& plan) {
    if (running && *running == plan) return;
    Cancel();
    running = plan;
    const std::uint64_t job = generation;
    pool.start([this, plan, job, token = stop.get_token()] {
        auto pictures = std::make_shared<clCardPictures>();
        clHeadlessMessages messages;
        const bool ok = LoadCardPictures(plan, *pictures, messages, token);
        if (token.stop_requested()) return;
        // Queued to the window's thread; a newer request makes it stale.
        QMetaObject::invokeMethod(
            context,
            [this, plan, job, ok, pictures, texts = messages.Texts()] {
                if (job != generation) return;
                running.reset();
                done(plan, std::move(*pictures), ok, texts);
            },
            Qt::QueuedConnection);
    });
}

void clCardLoader::Cancel() {
    stop.request_stop();
    stop = std::stop_source();
    ++generation;
    running.reset();
}
