#include "environment/LockerGuard.h"
#include "environment/XLockerEvent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace {

class CountingLocker : public ILockerMode {
public:
    int Lock() override { return ++locks; }
    int Unlock() override { return ++unlocks; }
    int locks = 0;
    int unlocks = 0;
};

TEST(LockerGuard, ReleasesWhenAnExceptionPasses)
{
    CountingLocker locker;
    try {
        LockerGuard guard(&locker);
        throw std::runtime_error("passing through");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(1, locker.locks);
    EXPECT_EQ(1, locker.unlocks);

    LockerGuard unserialised(nullptr);
}

TEST(XLockerEvent, AdmitsOneHolderAtATime)
{
    const std::wstring name = L"aat-locker-" + std::to_wstring(GetCurrentProcessId());
    XLockerEvent first(name.c_str());
    XLockerEvent second(name.c_str());  // the same event, opened again

    first.Lock();
    std::atomic<bool> entered(false);
    std::thread waiter([&] {
        second.Lock();
        entered = true;
        second.Unlock();
    });
    // The waiter cannot get in while the lock is held.
    Sleep(200);
    EXPECT_FALSE(entered);
    first.Unlock();
    waiter.join();
    EXPECT_TRUE(entered);
}

} // namespace
