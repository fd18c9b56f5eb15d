// The image builder reads the store from another thread while the user edits.
#include <atomic>
#include <thread>

#include "program_image.h"
#include "store_fixture.h"

namespace {

using StoreThreads = StoreTest;

// Every successor named in an image must be an occupied entry: an image taken
// half-way through an edit would name slots that were just freed.
bool SuccessorsAreConsistent(const NuvoProgramManager::Image& image) {
    for (int i = 1; i <= 250; ++i) {
        if (image[i].valid != 1) continue;
        const std::uint8_t next = image[i].code[7];
        if (next != kNoSlot && next != 0 && image[next].valid != 1) return false;
    }
    return true;
}

TEST_F(StoreThreads, ImagesBuiltDuringEditsAreNeverTorn) {
    std::atomic<bool> done{false};
    std::atomic<int> builds{0};
    std::atomic<bool> consistent{true};
    std::thread builder([&] {
        NuvoProgramManager manager;
        while (!done) {
            manager.BuildImage(store);
            if (!SuccessorsAreConsistent(manager.Entries())) consistent = false;
            ++builds;
        }
    });

    for (int round = 0; round < 200; ++round) {
        auto lock = store.Lock();  // one edit step, as the user interface makes it
        const int a = store.CreateSymbol(0, Kind::Led, 240, 120);
        const int b = store.CreateSymbol(0, Kind::End, 240, 360);
        Connect(a, Connector::Next, b);
        store.Select(a, true, 0, 0);
        store.Select(b, false, 0, 0);
        std::vector<int> deleted;
        std::vector<FreedSlot> freed;
        if (round % 2 == 0) store.DeleteSelection(deleted, freed);
    }
    while (builds < 5) std::this_thread::yield();
    done = true;
    builder.join();
    EXPECT_TRUE(consistent);
}

}  // namespace
