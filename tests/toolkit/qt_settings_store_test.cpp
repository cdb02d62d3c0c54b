#include "toolkit/qt_settings_store.h"

#include <memory>

#include <gtest/gtest.h>

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

}  // namespace
