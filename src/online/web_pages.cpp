#include "online/web_pages.h"

#include "player/settings.h"

std::string QueryEnding(std::string_view source) {
    std::string ending = "?";
    if (source.empty() || source.size() >= 64) return ending;
    constexpr char kHex[] = "0123456789ABCDEF";
    ending += '&';
    for (char c : source) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '~' ||
                           c == '=';
        if (plain) {
            ending += c;
        } else {
            ending += '%';
            ending += kHex[byte >> 4];
            ending += kHex[byte & 15];
        }
    }
    return ending;
}

std::string ScorePageUrl(const clSettings& settings, std::string_view shortKey) {
    std::string url = settings.ScorePagesUrl() + "/";
    url += shortKey;
    return url + ".html" + QueryEnding(settings.Source());
}

std::string DailyPageUrl(const clSettings& settings, std::string_view shortKey) {
    std::string url = settings.ScoreServerBase() + "topscores/daily/";
    url += shortKey;
    return url + ".html" + QueryEnding(settings.Source());
}

std::string StartPageUrl(const clSettings& settings) {
    return settings.StartPageUrl() + QueryEnding(settings.Source());
}

std::string WebPageUrl(const clSettings& settings, std::string_view key, std::string_view suffix) {
    std::string url = settings.SiteUrl() + "app/";
    url += key;
    url += suffix;
    return url + ".html" + QueryEnding(settings.Source());
}
