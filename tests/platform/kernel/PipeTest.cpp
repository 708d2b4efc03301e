// Named pipes, events and their waits as Windows defines them.
#include <gtest/gtest.h>

#include <vector>

#include "platform/host/testing.h"
#include "platform/win32.h"

namespace {

constexpr const WCHAR* kName = u"\\\\.\\pipe\\ostrevia-test";

class PipeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::testing::ResetHost();
        pipe_ = CreateNamedPipeW(kName, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                 PIPE_TYPE_BYTE, 1, 0, 4096, 0, nullptr);
        event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        overlapped_.hEvent = event_;
    }
    void TearDown() override { host::testing::ResetHost(); }

    // Whether a wait for the event alone ends at once.
    bool EventSignalled() { return MsgWaitForMultipleObjects(1, &event_, FALSE, 0, 0) == WAIT_OBJECT_0; }

    HANDLE pipe_;
    HANDLE event_;
    OVERLAPPED overlapped_ = {};
    BYTE buffer_[16];
};

TEST_F(PipeTest, OneInstanceAndOneWriter)
{
    ASSERT_NE(INVALID_HANDLE_VALUE, pipe_);
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateNamedPipeW(u"//./PIPE/Ostrevia-Test", PIPE_ACCESS_INBOUND, 0, 1, 0, 0, 0,
                                                     nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    HANDLE writer = CreateFileW(kName, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, writer);
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileW(kName, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PIPE_BUSY), GetLastError());
    // Pipes are inbound: nobody reads through the write end's name.
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileW(kName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

TEST_F(PipeTest, PendingReadIsIncompleteUntilTheLastWriterCloses)
{
    HANDLE writer = CreateFileW(kName, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetEvent(event_);  // a read resets it
    EXPECT_FALSE(ReadFile(pipe_, buffer_, sizeof(buffer_), nullptr, &overlapped_));
    EXPECT_EQ(static_cast<DWORD>(ERROR_IO_PENDING), GetLastError());
    EXPECT_FALSE(EventSignalled());
    DWORD count = 99;
    EXPECT_FALSE(GetOverlappedResult(pipe_, &overlapped_, &count, FALSE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_IO_INCOMPLETE), GetLastError());
    // Only overlapped reads on a pipe made for them.
    EXPECT_FALSE(ReadFile(pipe_, buffer_, sizeof(buffer_), &count, nullptr));

    CloseHandle(writer);
    EXPECT_TRUE(EventSignalled());
    EXPECT_FALSE(GetOverlappedResult(pipe_, &overlapped_, &count, FALSE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_BROKEN_PIPE), GetLastError());
    EXPECT_EQ(0u, count);
    // A manual-reset event stays signalled for every wait.
    EXPECT_TRUE(EventSignalled());
    EXPECT_TRUE(EventSignalled());
}

TEST_F(PipeTest, CancelledReadCompletesAsAborted)
{
    HANDLE writer = CreateFileW(kName, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_FALSE(ReadFile(pipe_, buffer_, sizeof(buffer_), nullptr, &overlapped_));
    EXPECT_TRUE(CancelIoEx(pipe_, &overlapped_));
    DWORD count = 99;
    EXPECT_FALSE(GetOverlappedResult(pipe_, &overlapped_, &count, TRUE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_OPERATION_ABORTED), GetLastError());
    EXPECT_FALSE(CancelIoEx(pipe_, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_FOUND), GetLastError());
    CloseHandle(writer);
}

TEST(EventTest, AutoResetEventIsTakenByOneWait)
{
    host::testing::ResetHost();
    HANDLE event = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WAIT_OBJECT_0, MsgWaitForMultipleObjects(1, &event, FALSE, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), MsgWaitForMultipleObjects(1, &event, FALSE, 0, 0));
    EXPECT_EQ(nullptr, CreateEventW(nullptr, TRUE, FALSE, u"named"));
    // Windows keeps one of its 64 slots for the message queue.
    std::vector<HANDLE> many(64, event);
    EXPECT_EQ(static_cast<DWORD>(WAIT_FAILED), MsgWaitForMultipleObjects(64, many.data(), FALSE, 0, 0));
    host::testing::ResetHost();
}

}  // namespace
