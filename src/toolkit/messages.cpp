#include "toolkit/messages.h"

#include <cstdio>

void clHeadlessMessages::ShowMessage(const std::string& text) {
    texts.push_back(text);
    if (echo) std::fprintf(stderr, "%s\n", text.c_str());
}
