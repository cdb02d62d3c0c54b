#include "toolkit/memory_settings_store.h"

#include <memory>

#include <gtest/gtest.h>

#include "support/store_conformance.h"

namespace {

class clMemoryBacking final : public clStoreBacking {
public:
    clSettingsStore& Store() override { return store; }
    clSettingsStore& Reopen() override { return store; }  // lives for the run

private:
    clMemorySettingsStore store;
};

std::unique_ptr<clStoreBacking> MakeMemoryBacking() {
    return std::make_unique<clMemoryBacking>();
}

INSTANTIATE_TEST_SUITE_P(Memory, StoreConformanceTest,
                         ::testing::Values(clBackingFactory{"memory", &MakeMemoryBacking}));

}  // namespace
