#include "shell/game_preview.h"

#include <QObject>
#include <memory>
#include <optional>
#include <regex>

#include "cards/random.h"
#include "dialogs/qt_picture.h"
#include "engine/solitaire_type.h"
#include "graphics/card_set_info.h"
#include "graphics/card_size.h"
#include "graphics/display.h"
#include "graphics/display_options.h"
#include "graphics/display_target.h"
#include "toolkit/file.h"
#include "toolkit/messages.h"
#include "variants/registry.h"

namespace {

// Every preview deal is the same one, so the pictures do not change.
constexpr std::int32_t kPreviewDeal = 1;

// Pictures made, by card set and game; only the window's thread touches it.
std::map<std::string, std::map<std::string, QImage>>& Cache() {
    static std::map<std::string, std::map<std::string, QImage>> cache;
    return cache;
}

std::string PlainText(std::string html) {
    html = std::regex_replace(html, std::regex("<[^>]*>"), "");
    const std::pair<const char*, const char*> entities[] = {
        {"&amp;", "&"}, {"&lt;", "<"},          {"&gt;", ">"},   {"&quot;", "\""},
        {"&#39;", "'"}, {"&middot;", "\u00b7"}, {"&nbsp;", " "}, {"&emsp;", " "},
    };
    for (const auto& [entity, text] : entities) {
        for (std::size_t at = html.find(entity); at != std::string::npos;
             at = html.find(entity, at)) {
            html.replace(at, std::char_traits<char>::length(entity), text);
            at += std::char_traits<char>::length(text);
        }
    }
    return html;
}

}  // namespace

QImage DrawGamePreview(const std::string& displayName, const std::filesystem::path& dataFolder,
                       const std::string& cardSet, QSize size) {
    const std::unique_ptr<clSolitaireType> game = CreateVariant(displayName);
    if (game == nullptr) return {};
    clRandom generator;
    game->SetGenerator(generator);
    game->SetOptions({.practice = true, .promptBeforeResign = false, .autoSave = false});

    clDisplayOptions options;
    options.cardSet = cardSet;
    options.backs = cardSet;
    options.minSize = options.maxSize = kSmallestSizeIndex;
    // A set of the player's own is known by its full path, in its folder.
    clCardSetList catalogue;
    catalogue.Build(dataFolder, {std::filesystem::path(cardSet).parent_path()});
    clHeadlessMessages messages;
    clDisplay display(options, catalogue, messages);
    display.SetLayout(game->TableWidth(), game->TableHeight());
    if (!display.Create(1, 1)) return {};
    clDisplayTarget target(display);
    game->Graphics().Attach(&target);
    game->StartRound(kPreviewDeal);
    game->DrawTable();
    const QImage screen =
        ImageView(display.Screen()).copy(0, 0, display.VirtualWidth(), display.VirtualHeight());
    game->Graphics().Attach(nullptr);
    return screen.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

std::string GameSummary(const std::filesystem::path& helpFolder, int topic) {
    // The summary lies near the top: the page is read no further than this.
    constexpr std::size_t kSummaryBytes = std::size_t{1} << 16;
    const std::optional<std::string> page =
        ReadFileStart(helpFolder / (std::to_string(topic) + ".html"), kSummaryBytes);
    if (!page) return {};
    const std::string& html = *page;
    // The paragraph after the category line.
    const std::size_t category = html.find("<p class=\"category\">");
    if (category == std::string::npos) return {};
    const std::size_t start = html.find("<p>", category);
    const std::size_t end = start == std::string::npos ? start : html.find("</p>", start);
    if (end == std::string::npos) return {};
    return PlainText(html.substr(start + 3, end - start - 3));
}

clGamePreviews::clGamePreviews(QObject* context, clReady ready)
    : context(context), ready(std::move(ready)) {
    pool.setMaxThreadCount(1);
}

clGamePreviews::~clGamePreviews() {
    stop.request_stop();
    pool.clear();
    pool.waitForDone();
}

void clGamePreviews::Request(const std::vector<std::string>& names,
                             const std::filesystem::path& dataFolder,
                             const std::string& newCardSet) {
    if (newCardSet != cardSet) {
        stop.request_stop();
        pool.clear();
        stop = std::stop_source();
        pending = 0;
        cardSet = newCardSet;
    }
    const std::map<std::string, QImage>& made = Cache()[cardSet];
    for (const std::string& name : names) {
        if (made.contains(name)) continue;
        ++pending;
        pool.start([this, name, dataFolder, set = cardSet, token = stop.get_token()] {
            if (token.stop_requested()) return;
            const QImage picture = DrawGamePreview(name, dataFolder, set, kSize);
            if (token.stop_requested()) return;
            QMetaObject::invokeMethod(
                context,
                [this, name, set, picture, token] {
                    if (token.stop_requested()) return;
                    --pending;
                    Cache()[set][name] = picture;
                    if (!picture.isNull()) this->ready(name, picture);
                },
                Qt::QueuedConnection);
        });
    }
}

const QImage* clGamePreviews::Find(const std::string& displayName) const {
    const auto set = Cache().find(cardSet);
    if (set == Cache().end()) return nullptr;
    const auto it = set->second.find(displayName);
    return it == set->second.end() || it->second.isNull() ? nullptr : &it->second;
}
