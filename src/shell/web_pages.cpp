#include "shell/web_pages.h"

#include "player/settings.h"

namespace {

// The site the Internet menu opens: the score server's own pages.
std::string SiteBase(const clSettings& settings) {
    std::string base = settings.ScorePagesUrl();
    const std::size_t scheme = base.find("://");
    const std::size_t path = base.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    if (path != std::string::npos) base.resize(path);
    return base.empty() ? "http://127.0.0.1:8080" : base;
}

}  // namespace

std::string WebPageUrl(const clSettings& settings, const std::string& key,
                       const std::string& suffix) {
    std::string url = SiteBase(settings) + "/app/" + key + suffix + ".html?";
    const std::string& source = settings.Source();
    if (!source.empty() && source.size() < 64) url += "&" + source;
    return url;
}
