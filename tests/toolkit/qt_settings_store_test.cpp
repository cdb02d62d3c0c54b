#include "toolkit/qt_settings_store.h"

#include <memory>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/hang_guard.h"
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
enum class clSpecial { Fifo, LinkToZero, Folder, Huge };

struct clRefusedSettings {
    const char* name;
    const char* file;  // "Qarvel.conf" or its lock file
    clSpecial kind;
};

class RefusedSettingsTest : public ::testing::TestWithParam<clRefusedSettings> {};

TEST_P(RefusedSettingsTest, TheStoreKeepsItsValuesInMemoryAndSaysWhy) {
    namespace fs = std::filesystem;
    const clRefusedSettings& c = GetParam();
    clTempFolder folder;
    const fs::path conf = folder.Path() / "Qarvel.conf";
    const fs::path special = folder.Path() / c.file;
    switch (c.kind) {
        case clSpecial::Fifo:
            ASSERT_EQ(mkfifo(special.c_str(), 0600), 0);
            break;
        case clSpecial::LinkToZero:
            fs::create_symlink("/dev/zero", special);
            break;
        case clSpecial::Folder:
            fs::create_directory(special);
            break;
        case clSpecial::Huge:
            WriteFileBytes(special, "[1.0]\nx=1\n");
            fs::resize_file(special, clQtSettingsStore::kMaxFile + 1);
            break;
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
    if (c.kind == clSpecial::Huge) {
        EXPECT_EQ(fs::file_size(special), clQtSettingsStore::kMaxFile + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedSettingsTest,
    ::testing::Values(clRefusedSettings{"FifoFile", "Qarvel.conf", clSpecial::Fifo},
                      clRefusedSettings{"FileLinkedToZero", "Qarvel.conf", clSpecial::LinkToZero},
                      clRefusedSettings{"FolderFile", "Qarvel.conf", clSpecial::Folder},
                      clRefusedSettings{"HugeFile", "Qarvel.conf", clSpecial::Huge},
                      clRefusedSettings{"FifoLock", "Qarvel.conf.lock", clSpecial::Fifo},
                      clRefusedSettings{"LockLinkedToZero", "Qarvel.conf.lock",
                                        clSpecial::LinkToZero},
                      clRefusedSettings{"FolderLock", "Qarvel.conf.lock", clSpecial::Folder}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
