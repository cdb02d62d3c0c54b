// qarvel-help: writes the help pages and the pages of the web site.
//
//   qarvel-help --source DIR --out DIR
//
// Reads DIR/games.txt (the rules of every game), DIR/contents.html (the body
// of the contents page), DIR/qarvel.css and DIR/web/*.html (the bodies of the
// web site's pages) and writes OUT/help/ (index.html, one page per help topic
// number, qarvel.css) and OUT/web/app/ (one page per web page key, qarvel.css).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "assets/help_pages.h"
#include "assets/help_source.h"

namespace {

namespace fs = std::filesystem;

bool ReadText(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), {});
    return true;
}

bool WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

int Fail(const std::string& text) {
    std::fprintf(stderr, "qarvel-help: %s\n", text.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 || std::string(argv[1]) != "--source" || std::string(argv[3]) != "--out") {
        std::fprintf(stderr, "usage: qarvel-help --source DIR --out DIR\n");
        return 2;
    }
    const fs::path source = argv[2];
    const fs::path out = argv[4];

    std::string games, contents, style;
    if (!ReadText(source / "games.txt", games)) return Fail("cannot read games.txt");
    if (!ReadText(source / "contents.html", contents)) return Fail("cannot read contents.html");
    if (!ReadText(source / "qarvel.css", style)) return Fail("cannot read qarvel.css");
    clHelpSource help;
    if (!help.Parse(games)) return Fail("games.txt: " + help.Error());

    std::vector<clHelpPage> helpPages;
    std::string error;
    if (!BuildHelpPages(help, contents, helpPages, error)) return Fail(error);

    std::map<std::string, std::string> bodies;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(source / "web", ec)) {
        if (entry.path().extension() != ".html") continue;
        std::string body;
        if (!ReadText(entry.path(), body)) return Fail("cannot read " + entry.path().string());
        bodies[entry.path().stem().string()] = body;
    }
    if (ec || bodies.empty()) return Fail("no web pages in " + (source / "web").string());

    const struct {
        fs::path folder;
        std::vector<clHelpPage> pages;
    } outputs[] = {{out / "help", helpPages}, {out / "web" / "app", BuildWebPages(bodies)}};
    for (const auto& output : outputs) {
        fs::create_directories(output.folder, ec);
        if (ec) return Fail("cannot make " + output.folder.string());
        for (const clHelpPage& page : output.pages) {
            if (!WriteText(output.folder / page.fileName, page.html)) {
                return Fail("cannot write " + (output.folder / page.fileName).string());
            }
        }
        if (!WriteText(output.folder / "qarvel.css", style)) return Fail("cannot write qarvel.css");
    }
    return 0;
}
