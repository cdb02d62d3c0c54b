#include "toolkit/qt_settings_store.h"

#include <memory>
#include <optional>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "player/settings.h"
#include "support/hang_guard.h"
#include "support/special_files.h"
#include "support/store_conformance.h"
#include "support/temp_folder.h"

namespace {

class clFileBacking final : public clStoreBacking {
public:
    clSettingsStore& Store() override { return *store; }
    clSettingsStore& Reopen() override {
        store.reset();
        store = std::make_unique<clQtSettingsStore>(File());
        return *store;
    }
    std::filesystem::path File() const { return folder.Path() / "Ternwick" / "Qarvel.conf"; }

private:
    clTempFolder folder;
    std::unique_ptr<clQtSettingsStore> store = std::make_unique<clQtSettingsStore>(File());
};

std::unique_ptr<clStoreBacking> MakeFileBacking() {
    return std::make_unique<clFileBacking>();
}

INSTANTIATE_TEST_SUITE_P(IniFile, StoreConformanceTest,
                         ::testing::Values(clBackingFactory{"ini_file", &MakeFileBacking}));

// QSettings opens the settings file, and at every write its lock file, as
// they come. Anything but a regular file in either place (or a settings file
// past the bound) is refused before QSettings sees it: the store keeps the
// run's values in memory, says why, and leaves the files as they were.
struct clRefusedSettings {
    const char* name;
    const char* file;                   // "Qarvel.conf" or its lock file
    std::optional<clSpecialFile> kind;  // none: a regular file past the bound
};

class RefusedSettingsTest : public ::testing::TestWithParam<clRefusedSettings> {};

TEST_P(RefusedSettingsTest, TheStoreKeepsItsValuesInMemoryAndSaysWhy) {
    namespace fs = std::filesystem;
    const clRefusedSettings& c = GetParam();
    clTempFolder folder;
    const fs::path conf = folder.Path() / "Qarvel.conf";
    const fs::path special = folder.Path() / c.file;
    if (c.kind) {
        ASSERT_TRUE(MakeSpecialFile(*c.kind, special));
    } else {
        WriteFileBytes(special, "[1.0]\nx=1\n");
        fs::resize_file(special, clQtSettingsStore::kMaxFile + 1);
    }
    const fs::file_type before = fs::symlink_status(special).type();
    {
        const clHangGuard guard(std::string("the settings store with a ") + c.name);
        clQtSettingsStore store(conf);
        EXPECT_NE(store.Refusal().find(conf.string()), std::string::npos) << store.Refusal();
        const clKeyPath key{"Players", "Ann"};
        EXPECT_TRUE(store.WriteText(key, "Card", "qarvel.cards"));
        EXPECT_EQ(store.ReadText(key, "Card"), "qarvel.cards");
        EXPECT_EQ(store.SubKeys(clKeyPath{"Players"}), std::vector<std::string>{"Ann"});
        EXPECT_FALSE(store.Flush());  // nothing reached the file
    }
    EXPECT_EQ(fs::symlink_status(special).type(), before);
    if (!c.kind) {
        EXPECT_EQ(fs::file_size(special), clQtSettingsStore::kMaxFile + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedSettingsTest,
    ::testing::Values(
        clRefusedSettings{"FifoFile", "Qarvel.conf", clSpecialFile::Fifo},
        clRefusedSettings{"FileLinkedToZero", "Qarvel.conf", clSpecialFile::LinkToZero},
        clRefusedSettings{"FolderFile", "Qarvel.conf", clSpecialFile::Folder},
        clRefusedSettings{"HugeFile", "Qarvel.conf", std::nullopt},
        clRefusedSettings{"FifoLock", "Qarvel.conf.lock", clSpecialFile::Fifo},
        clRefusedSettings{"LockLinkedToZero", "Qarvel.conf.lock", clSpecialFile::LinkToZero},
        clRefusedSettings{"FolderLock", "Qarvel.conf.lock", clSpecialFile::Folder}),
    [](const auto& info) { return std::string(info.param.name); });

// Every start stores the program's folder. The same folder again leaves the
// file alone (each write replaces it and waits for the disk); a new one is
// written.
TEST(SettingsFileTest, TheSameProgramFolderDoesNotRewriteTheFile) {
    clTempFolder folder;
    const std::filesystem::path file = folder.Path() / "Qarvel.conf";
    clQtSettingsStore store(file);
    clSettings settings(store);
    const auto identity = [&file] {
        struct stat about {};
        EXPECT_EQ(stat(file.c_str(), &about), 0);
        return std::pair(about.st_ino, about.st_mtim.tv_nsec);
    };
    ASSERT_TRUE(settings.WriteProgramFolder("/opt/qarvel/share"));
    const auto written = identity();
    ASSERT_TRUE(settings.WriteProgramFolder("/opt/qarvel/share"));
    EXPECT_EQ(identity(), written);
    ASSERT_TRUE(settings.WriteProgramFolder("/usr/share/qarvel"));
    EXPECT_NE(identity(), written);
    clQtSettingsStore reopened(file);
    EXPECT_EQ(clSettings(reopened).ReadProgramFolder(), "/usr/share/qarvel");
}

}  // namespace
