#pragma once

#include <QListWidget>
#include <QTableWidget>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/score_services.h"
#include "online/score_protocol.h"
#include "player/player_folders.h"
#include "player/settings.h"
#include "player/statistics.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"
#include "toolkit/date_format.h"
#include "toolkit/memory_settings_store.h"
#include "toolkit/messages.h"
#include "toolkit/user_account.h"

class clIdentityFields;
class clScoreServer;
class clScoreStore;

// The score server on 127.0.0.1 at a port the system picks, with its
// database in a temporary folder, for the length of a test.
// The score server on 127.0.0.1. The dialogs' tests of ranks take every
// score as verified; with `replay` it checks records as it does for players.
class clLoopbackScoreServer {
public:
    enum class clChecks { TakeEverything, Replay };
    explicit clLoopbackScoreServer(clChecks checks = clChecks::TakeEverything);
    ~clLoopbackScoreServer();
    clLoopbackScoreServer(const clLoopbackScoreServer&) = delete;
    clLoopbackScoreServer& operator=(const clLoopbackScoreServer&) = delete;

    bool IsListening() const { return port > 0; }
    // "http://127.0.0.1:<port>/"
    std::string Base() const;
    // Stores scores of another player straight away.
    void Add(std::string_view game, std::initializer_list<std::int32_t> scores);

private:
    clTempFolder folder;
    std::unique_ptr<clScoreStore> store;
    std::unique_ptr<clScoreServer> server;
    std::thread thread;
    int port = -1;
};

// The score dialogs on their own: player "Ann", online, with her settings in
// memory and her folder in a temporary folder; messages, sounds, web pages and Yes/No
// questions are written down, and the questions answered with `answer`.
class clScoreDialogTest : public ::testing::Test {
protected:
    clScoreDialogTest();

    // Finished games of a variant, appended to its log in this order; the
    // round of each is its place in the list, from 1.
    void Log(std::string_view key, std::initializer_list<std::int32_t> scores);
    // The statistics of a variant as the dialogs get them: read from its log.
    void Load(std::string_view key, std::string_view gameName);
    // Types the identity into the fields as the player would.
    static void Type(clIdentityFields& fields, const clOnlineIdentity& identity);

    clTempFolder temp;
    clMemorySettingsStore store;
    clSettings settings{store};
    clFixedUserAccount account{temp.Path(), "ann"};
    clPlayerFolders folders{account};
    clFixedClock clock;
    clHeadlessMessages messages;
    clPlainDateFormat format;
    std::vector<clSound> sounds;
    std::vector<std::string> urls;
    std::vector<std::string> questions;
    bool answer = true;
    clScoreServices services;
    clStatistics statistics{settings, folders, clock};

    static inline const clOnlineIdentity kAnn{"Ann B", "Paris, France", "ann@example.org"};
};

// A list's texts: one column of a table, or every line.
std::vector<std::string> ColumnTexts(const QTableWidget* list, int column);
std::vector<std::string> LineTexts(const QListWidget* list);
// A real click on a column's header.
void ClickHeader(QTableWidget* list, int column);
