#include "dialogs/dialog_fixture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <chrono>

#include "dialogs/identity_fields.h"
#include "score_server.h"
#include "score_store.h"

clLoopbackScoreServer::clLoopbackScoreServer(clChecks checks)
    : store(std::make_unique<clScoreStore>()) {
    std::string error;
    if (!store->Open((folder.Path() / "scores.db").string(), error)) {
        ADD_FAILURE() << error;
        return;
    }
    clScoreChecks serverChecks;
    if (checks == clChecks::TakeEverything) {
        serverChecks.judge = [](const clSubmittedScore&, const std::string&) {
            return clScoreVerdict{clScoreVerdict::clKind::Verified, {}};
        };
    }
    server = std::make_unique<clScoreServer>(*store, clHttpLimits{}, serverChecks);
    port = server->Bind("127.0.0.1", 0);
    if (port > 0) thread = std::thread([this] { server->Listen(); });
}

clLoopbackScoreServer::~clLoopbackScoreServer() {
    if (!thread.joinable()) return;
    // Stop acts only once the server runs.
    for (int i = 0; i < 5000 && !server->IsRunning(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    server->Stop();
    thread.join();
}

std::string clLoopbackScoreServer::Base() const {
    return "http://127.0.0.1:" + std::to_string(port) + "/";
}

void clLoopbackScoreServer::Add(std::string_view game, std::initializer_list<std::int32_t> scores) {
    std::vector<clScoreStore::clAdd> adds;
    for (std::int32_t score : scores)
        adds.push_back({{std::string(game), score, 1}, true});
    const clOnlineIdentity bob{"Bob", "Leeds", "bob@example.org"};
    ASSERT_TRUE(store->AddScores(bob, "Bob", adds, 1'500'000'000));
}

clScoreDialogTest::clScoreDialogTest()
    : services{settings,
               folders,
               clock,
               messages,
               format,
               [this](clSound sound) { sounds.push_back(sound); },
               [this](const std::string& url) { urls.push_back(url); },
               [this](const std::string& text, const std::string& caption) {
                   questions.push_back(caption + ": " + text);
                   return answer;
               },
               nullptr} {
    settings.WritePlayerDefaults("Ann");
    settings.SetPlayer("Ann");
    settings.LoadPlayer();
    settings.SetFlag(clFlag::Online, true);
}

void clScoreDialogTest::Log(std::string_view key, std::initializer_list<std::int32_t> scores) {
    clStatistics log(settings, folders, clock);
    std::int32_t round = 1;
    for (std::int32_t score : scores) {
        ASSERT_EQ(log.AppendResult(key, clStatistics::MakeCompleted(score, round++, clock)),
                  clAppendResult::Logged);
    }
}

void clScoreDialogTest::Load(std::string_view key, std::string_view gameName) {
    statistics.LoadLog(key, gameName, false);
}

void clScoreDialogTest::Type(clIdentityFields& fields, const clOnlineIdentity& identity) {
    for (auto [field, text] : {std::pair{fields.Name(), &identity.name},
                               std::pair{fields.Location(), &identity.location},
                               std::pair{fields.Email(), &identity.email}}) {
        field->clear();
        QTest::keyClicks(field, QString::fromStdString(*text));
    }
}

std::vector<std::string> ColumnTexts(const QTableWidget* list, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < list->rowCount(); ++row) {
        const QTableWidgetItem* item = list->item(row, column);
        texts.push_back(item ? item->text().toStdString() : std::string());
    }
    return texts;
}

std::vector<std::string> LineTexts(const QListWidget* list) {
    std::vector<std::string> texts;
    for (int row = 0; row < list->count(); ++row)
        texts.push_back(list->item(row)->text().toStdString());
    return texts;
}

void ClickHeader(QTableWidget* list, int column) {
    QHeaderView* header = list->horizontalHeader();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, middle);
}
