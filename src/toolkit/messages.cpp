#include "toolkit/messages.h"

#include <cstdio>

void clHeadlessMessages::ShowMessage(const std::string& text) {
    texts.push_back(text);
    if (echo) std::fprintf(stderr, "%s\n", text.c_str());
}

bool clMessages::RunCancellable(const std::string& /*text*/,
                                const std::function<void(std::stop_token)>& work) {
    const clWaitCursor wait(*this);
    work(std::stop_token{});
    return true;
}
