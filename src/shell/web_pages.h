#pragma once

#include <string>

class clSettings;

// The address of a page of the web site by its key ("index", "cardsets", ...),
// with an optional suffix after the key ("latest" + "160"), and the
// installation's source tag appended when it has one of fewer than 64
// characters.
std::string WebPageUrl(const clSettings& settings, const std::string& key,
                       const std::string& suffix = {});
