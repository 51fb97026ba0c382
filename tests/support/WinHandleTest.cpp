#include "support/kelWinHandle.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

bool isOpen(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(kelWinHandle, ClosesItsHandleWhenTheLastHolderLetsGo)
{
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    auto first = std::make_shared<kelWinHandle>(event);
    auto second = first;
    EXPECT_TRUE(first->isValid());

    first.reset();
    EXPECT_TRUE(isOpen(event));
    EXPECT_EQ(second->get(), event);

    second.reset();
    EXPECT_FALSE(isOpen(event));
}

TEST(kelWinHandle, FailureValuesOfWin32CountAsNoHandle)
{
    for (const HANDLE failure : {HANDLE(nullptr), INVALID_HANDLE_VALUE}) {
        const kelWinHandle handle(failure);
        EXPECT_FALSE(handle.isValid());
    }
}

} // namespace
