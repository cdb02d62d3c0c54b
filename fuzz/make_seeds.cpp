// qarvel-fuzz-seeds FOLDER: writes the seed inputs that the program's own
// writers make into FOLDER/<target>/ (see fuzz/make-corpus, which adds the
// saved games and the picture files made by other tools). Small, valid
// inputs: the fuzzers grow the rest from them.
#include <fstream>
#include <iostream>

#include "engine/solitaire_rules.h"
#include "engine/table_script.h"
#include "graphics/bmp.h"
#include "graphics/card_set_writer.h"
#include "graphics/chunk.h"
#include "graphics/image.h"
#include "online/play_recorder.h"
#include "online/score_protocol.h"
#include "player/settings.h"
#include "player/statistics_log.h"
#include "toolkit/memory_settings_store.h"
#include "variants/registry.h"

namespace {

using namespace std::string_literals;

std::filesystem::path root;

void Write(const std::string& target, const std::string& name, std::string_view bytes) {
    const std::filesystem::path folder = root / target;
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << "cannot write " << (folder / name) << "\n";
        std::exit(1);
    }
}

void Write(const std::string& target, const std::string& name,
           const std::vector<std::uint8_t>& bytes) {
    Write(target, name,
          std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// A small picture of distinct colours, the top-left pixel magenta.
clImage Picture(int width, int height, int seed) {
    clImage picture;
    picture.CreateImage(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture.At(x, y);
            p[0] = static_cast<std::uint8_t>(40 * x + seed);
            p[1] = static_cast<std::uint8_t>(60 * y + 3 * seed);
            p[2] = static_cast<std::uint8_t>(90 + seed);
            p[3] = static_cast<std::uint8_t>(255 - 20 * x);
        }
    }
    std::uint8_t* corner = picture.At(0, 0);
    corner[0] = 255, corner[1] = 0, corner[2] = 255;
    return picture;
}

void Bitmaps() {
    Write("bmp", "rgb24-3x2.bmp", EncodeBitmap(Picture(3, 2, 1), 24));
    Write("bmp", "rgba32-2x2.bmp", EncodeBitmap(Picture(2, 2, 2), 32));
}

// Card sets of tiny pictures: 56 faces with the mask, backs and symbols.
void CardSets() {
    std::vector<clImage> faces, backs;
    for (int i = 0; i < 56; ++i)
        faces.push_back(Picture(2, 3, i));
    for (int i = 0; i < 2; ++i)
        backs.push_back(Picture(2, 3, 100 + i));
    const auto pointers = [](const std::vector<clImage>& pictures) {
        std::vector<const clImage*> out;
        for (const clImage& picture : pictures)
            out.push_back(&picture);
        return out;
    };
    for (const int bits : {32, 24}) {
        clCardSetWriter writer;
        writer.AddVersion(1, 0);
        writer.AddType(bits == 32 ? 1 : 0);
        writer.AddDescription("Fuzz \xC3\xA9 " + std::to_string(bits));
        writer.AddLevel(2);
        writer.AddPictureSet(clTag::kCards, pointers(faces), bits);
        writer.AddPictureSet(clTag::kBacks, pointers(backs), bits, 2);
        writer.AddPictureSet(clTag::kSymbols, pointers(backs), bits, 1);
        writer.AddPictureSet(clTag::kBacks, pointers(backs), bits, 1);
        Write("card_set", "tiny-" + std::to_string(bits) + ".cards", writer.Bytes());
    }
}

void StatisticsLogs() {
    std::string log = std::string(kLogHeader) + "\r\n";
    const clDateTime when{2017, 8, 1, 14, 21, 5, 33, 0};
    log += FormatLogLine({clResultKind::Completed, 4210, 3, 0, when}) + "\r\n";
    log += FormatLogLine({clResultKind::Interrupted, -50, 1, 0, when}) + "\r\n";
    log += FormatLogLine({clResultKind::Completed, 4210, 2, 0, when}) + "\r\n";
    Write("statistics_log", "three.log", log);
    // A damaged header and a cut-off last line.
    Write("statistics_log", "damaged.log",
          "#QARVEL V0\r\n" + FormatLogLine({clResultKind::Completed, 7, 1, 0, when}) +
              "\r\nC,12,1,2017-08-0");
}

// The store as the settings target reads it: one "key, name, kind, value"
// line a value, texts as they are, byte strings in hexadecimal.
void Dump(const clSettingsStore& store, const clKeyPath& key, const std::string& keyText,
          std::string& out) {
    for (const std::string& name : store.ValueNames(key)) {
        if (const auto text = store.ReadText(key, name)) {
            out += keyText + "\t" + name + "\tt\t" + *text + "\n";
        } else if (const auto bytes = store.ReadBinary(key, name)) {
            out += keyText + "\t" + name + "\tx\t";
            for (std::uint8_t byte : *bytes) {
                static constexpr char kHex[] = "0123456789abcdef";
                out += kHex[byte >> 4];
                out += kHex[byte & 15];
            }
            out += "\n";
        }
    }
    for (const std::string& sub : store.SubKeys(key))
        Dump(store, key / sub, keyText.empty() ? sub : keyText + "/" + sub, out);
}

void Settings() {
    clMemorySettingsStore store;
    clSettings settings(store);
    settings.WritePlayerDefaults("Ann");
    settings.SetPlayer("Ann");
    settings.LoadPlayer();
    settings.SetWindow({10, 20, 800, 600, false});
    settings.SaveOptions();
    settings.SetCurrentGame("Klondike", "klondike");
    settings.SetCurrentBackground(clBackgroundMode::Stretched, 0x008000, "qarvel.bmp");
    settings.SetButtonRect({100, 400, 244, 472});
    settings.SaveGameValues("Klondike", true);
    settings.SavePlayer();
    settings.SaveColumnWidths({210, 120, 60, 60, 60, 60, 150});
    settings.WriteOnlineInfo("Ann", {"Ann", "Leeds", "ann@example.org", 15});
    std::string out;
    Dump(store, clKeyPath(), "", out);
    Write("settings", "ann.txt", out);
}

void ScoreReplies() {
    std::string submit(1, '\3');
    submit += FormatSubmitReplyLine(clScoreRanks{3, 120, 1, 14});
    submit += FormatSubmitReplyLine(std::nullopt);
    submit += FormatSubmitReplyLine(clScoreRanks{1, 1, 1, 1});
    Write("submit_reply", "three.txt", submit);

    const std::int32_t scores[] = {9000, 4210, 4210, 0, -50};
    Write("list_reply", "overall.bin", std::string(1, '\0') + FormatListReply("17-ab12", scores));
    Write("list_reply", "recent-empty.bin", std::string(1, '\1') + FormatListReply("3-x", {}));
}

void ServerRequests() {
    std::string submit(1, '\0');
    submit += FormatSubmitHeader({"Ann", "Leeds, UK", "ann@example.org"}, "Ann\\B");
    submit += FormatSubmitLine("Klondike", 4210, 3);
    submit += FormatSubmitLine("Triple Towers", -50, 1);
    submit += FormatSubmitLine("No Such Game", 7, 1);
    Write("server_request", "submit.txt", submit);
    Write("server_request", "list.txt",
          std::string(1, '\1') + FormatListBody("Klondike", clScoreListKind::Overall, "", 100));
    Write("server_request", "list-recent.txt",
          std::string(1, '\1') + FormatListBody("Spider", clScoreListKind::Recent, "1-a", 10));
    Write("server_request", "page.txt", "\4/topscores/scores/qarvel/klondike.html");
}

void HttpReplies() {
    Write("http_reply", "ok.txt",
          "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 9\r\n"
          "Connection: keep-alive\r\n\r\n3,7,1,2\r\n");
    Write("http_reply", "no-content.txt", "HTTP/1.1 204 No Content\r\nServer: x\r\n\r\n");
    Write("http_reply", "closed.txt",
          "HTTP/1.0 200 OK\nTransfer-Encoding: identity\n\n17-ab12,0\0"s);
    Write("http_reply", "bad-request.txt",
          "HTTP/1.1 400 Bad Request\r\nContent-Length: 5\r\nConnection: close\r\n\r\nno.\r\n");
}

}  // namespace

// Records of the start of scripted games (tests/games, read from the
// current folder): a won round, moves with their counts and an undo.
void PlayRecords() {
    struct clScripted {
        const char* name;
        const char* file;
        std::int32_t deal;
    };
    for (const clScripted& scripted :
         {clScripted{"Klondike", "klondike-1", 1}, clScripted{"Triple Towers", "tripletowers-2", 2},
          clScripted{"Spider One Suit", "spideronesuit-1", 1}}) {
        clPlayRecorder recorder{scripted.name};
        const std::unique_ptr<clSolitaireType> screen =
            CreateVariant(scripted.name, nullptr, nullptr, &recorder);
        auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
        std::ifstream moves(std::string("tests/games/") + scripted.file + ".moves");
        if (game == nullptr || !moves) continue;
        game->NewGame();
        game->TakeScore();
        game->StartRound(scripted.deal);
        game->StartTimer();
        std::string line;
        for (int n = 0; n < 30 && std::getline(moves, line) && !game->RoundEnded(); ++n) {
            for (int tick = 0; tick < 7; ++tick)
                game->TimerTick();
            clScriptCommand command;
            std::string error;
            if (ParseScriptLine(line, command, error)) ApplyScriptCommand(*game, command);
            if (n == 20 && game->Score() > 0) game->Undo();
        }
        game->TakeScore();
        const auto record = recorder.Record();
        const auto bytes = record ? clPlayRecordCodec::Encode(*record) : std::nullopt;
        if (bytes) Write("play_record", scripted.file, *bytes);
    }
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: qarvel-fuzz-seeds FOLDER\n";
        return 2;
    }
    root = argv[1];
    Bitmaps();
    CardSets();
    StatisticsLogs();
    Settings();
    ScoreReplies();
    ServerRequests();
    HttpReplies();
    PlayRecords();
    return 0;
}
