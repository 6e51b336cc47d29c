// Processing through the built plug-in never allocates: every kernel, FAT on and off, both
// sample widths, odd block lengths and parameter changes between blocks.
// The replacement allocator pairs malloc with free by design.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "tests/plugin/plugin_fixture.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

// The plug-in resolves operator new through the process, so this sees its allocations too.
void* operator new(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

struct KernelSetting {
    const char* what;
    float process, mode, monoStereo, link, leftRight;
};

TEST(Realtime, ProcessingNeverAllocates) {
    TempSettings settings;
    auto plugin = loadPlugin();
    ASSERT_NE(plugin, nullptr);
    plugin->setRecording(false);
    plugin->dispatch(effOpen);
    plugin->resume();

    const KernelSetting kernels[] = {
        {"through", 0, 0, 1, 1, 0},         {"single linked", 1, 0, 1, 1, 0},
        {"single unlinked", 1, 0, 1, 0, 0}, {"multi linked", 1, 1, 1, 1, 0},
        {"multi unlinked", 1, 1, 1, 0, 0},  {"single mono left", 1, 0, 0, 1, 0.5f},
        {"multi mono right", 1, 1, 0, 1, 1},
    };
    std::vector<float> in(1000, 0.5f), outLeft(1000), outRight(1000);
    std::vector<double> inDouble(1000, 0.5), outDoubleLeft(1000), outDoubleRight(1000);
    for (std::size_t i = 0; i < in.size(); ++i) in[i] = inDouble[i] = (i % 50 < 25) ? 0.9 : -0.9;

    for (const KernelSetting& kernel : kernels)
        for (float fat : {0.0f, 1.0f}) {
            plugin->setParameter(0, kernel.process);
            plugin->setParameter(1, kernel.mode);
            plugin->setParameter(2, kernel.monoStereo);
            plugin->setParameter(3, kernel.link);
            plugin->setParameter(30, kernel.leftRight);
            plugin->setParameter(26, fat);
            allocations = 0;
            counting = true;
            for (int block : {512, 1, 63, 64, 65, 1000, 0}) {
                float* inputs[2] = {in.data(), in.data()};
                float* outputs[2] = {outLeft.data(), outRight.data()};
                plugin->process(inputs, outputs, block);
                double* inputsDouble[2] = {inDouble.data(), inDouble.data()};
                double* outputsDouble[2] = {outDoubleLeft.data(), outDoubleRight.data()};
                plugin->processDouble(inputsDouble, outputsDouble, block);
            }
            counting = false;
            EXPECT_EQ(allocations.load(), 0) << kernel.what << " FAT " << fat;
        }
}

TEST(Realtime, CountingSeesThePluginsAllocations) {
    // The counter must see allocations made inside the plug-in, or the test above proves nothing.
    TempSettings settings;
    allocations = 0;
    counting = true;
    auto plugin = loadPlugin();
    counting = false;
    ASSERT_NE(plugin, nullptr);
    EXPECT_GT(allocations.load(), 0);
}

}  // namespace
