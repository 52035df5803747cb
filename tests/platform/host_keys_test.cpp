#include "platform/win32/host_keys.h"

#include "host/host_api.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace qx::platform::win32 {
namespace {

TEST(HostKeys, FunctionKeysAndShiftedFunctionKeysBecomeVirtualKeys) {
    for (int n = 1; n <= 10; ++n) {
        const auto plain = VirtualKeyForHostKey(host::KeyF(n));
        ASSERT_TRUE(plain) << "F" << n;
        EXPECT_EQ(plain->virtualKey, VK_F1 + n - 1);
        EXPECT_EQ(plain->shift, ShiftState::Up);

        const auto shifted = VirtualKeyForHostKey(host::KeyS(n % 10));
        ASSERT_TRUE(shifted) << "S" << n % 10;
        EXPECT_EQ(shifted->virtualKey, VK_F1 + n - 1);
        EXPECT_EQ(shifted->shift, ShiftState::Down);
    }
    // The confirm window's keys, spelled out.
    EXPECT_EQ(VirtualKeyForHostKey(315)->virtualKey, VK_F1);
    EXPECT_EQ(VirtualKeyForHostKey(319)->virtualKey, VK_F5);
    EXPECT_EQ(VirtualKeyForHostKey(349)->virtualKey, VK_F10);
    EXPECT_EQ(VirtualKeyForHostKey(349)->shift, ShiftState::Down);
}

TEST(HostKeys, CodesNextToTheFunctionKeysAndOtherKeysHaveNoStroke) {
    for (const std::int32_t code : {0, -1, 27, 65, 314, 325, 339, 350, 0x7fffffff})
        EXPECT_FALSE(VirtualKeyForHostKey(code)) << code;
}

TEST(HostKeys, EveryFunctionKeyHasAScanCode) {
    // keybd_event carries the scan code the keyboard layout gives; a key without one would
    // reach programs that read scan codes as no key at all.
    for (int n = 1; n <= 10; ++n)
        EXPECT_NE(MapVirtualKeyW(VirtualKeyForHostKey(host::KeyF(n))->virtualKey, MAPVK_VK_TO_VSC),
                  0u)
            << "F" << n;
}

} // namespace
} // namespace qx::platform::win32
