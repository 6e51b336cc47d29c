// Processing never allocates: this program's global operator new counts every allocation made
// while the counter is armed, and every kernel runs many blocks with every FAT and meter setting.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/effect/dsp/signal_path_fixture.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* allocate(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
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

using namespace testing_dsp;

TEST(Allocation, CounterSeesAnAllocation) {
    counting = true;
    allocations = 0;
    auto* probe = new std::vector<double>(16);
    counting = false;
    delete probe;
    EXPECT_GE(allocations.load(), 1);
}

TEST(Allocation, ProcessingNeverAllocates) {
    constexpr int kBlock = 512;
    const std::vector<double> left = noise(kBlock * 8, 0.8, 11), right = noise(kBlock * 8, 0.8, 12);
    const std::vector<float> leftFloat(left.begin(), left.end()), rightFloat(right.begin(), right.end());
    std::vector<double> outL(kBlock), outR(kBlock);
    std::vector<float> outLFloat(kBlock), outRFloat(kBlock);
    for (const KernelChoice& kernel : kKernels) {
        for (int fat : {0, 1}) {
            for (int metering : {0, 1}) {
                ProcessingValues values = defaultPreset();
                choose(values, kernel);
                values.oversample = fat;
                values.autoRelease = 1;
                values.meterType = metering ? 1.0f : 0.0f;
                auto path = makePath(values, 44100);
                path->meters.meterEnabled = metering;
                counting = true;
                allocations = 0;
                for (int block = 0; block < 64; ++block) {
                    const std::size_t at = static_cast<std::size_t>(block % 8) * kBlock;
                    path->process(left.data() + at, right.data() + at, outL.data(), outR.data(), kBlock, 44100);
                    path->process(leftFloat.data() + at, rightFloat.data() + at, outLFloat.data(),
                                  outRFloat.data(), kBlock - block, 44100);
                }
                counting = false;
                EXPECT_EQ(allocations.load(), 0) << kernel.name << " FAT " << fat << " meters " << metering;
            }
        }
    }
}

}  // namespace
