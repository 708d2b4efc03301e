#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/host/testing.h"
#include "tests/support/TestFiles.h"

namespace {

std::u16string WindowsPath(const std::string& path)
{
    std::u16string windows = testfiles::Utf16(path);
    std::replace(windows.begin(), windows.end(), u'/', u'\\');
    return windows;
}

HANDLE OpenForReading(const std::u16string& path)
{
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
}

std::string ReadAll(HANDLE file, DWORD chunk)
{
    std::string bytes;
    std::string buffer(chunk, '\0');
    DWORD read = 0;
    while (ReadFile(file, buffer.data(), chunk, &read, nullptr) && read > 0)
        bytes.append(buffer, 0, read);
    return bytes;
}

TEST(File, ReadsInPiecesOfAnySizeUntilTheEnd)
{
    const std::string content = "0123456789abcdefg";  // 17 bytes: no piece size divides it
    const std::string path = testfiles::WriteBytes("pieces.bin", content);
    for (DWORD chunk : {1u, 2u, 3u, 16u, 17u, 4096u}) {
        HANDLE file = OpenForReading(testfiles::Utf16(path));
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        EXPECT_EQ(content, ReadAll(file, chunk)) << chunk;
        // At the end a read succeeds with nothing.
        char byte;
        DWORD read = 99;
        EXPECT_TRUE(ReadFile(file, &byte, 1, &read, nullptr));
        EXPECT_EQ(0u, read);
        EXPECT_TRUE(CloseHandle(file));
    }
}

TEST(File, BackslashesSeparateFolders)
{
    const std::string path = testfiles::WriteBytes("deep/er/file.txt", "xyz");
    HANDLE file = OpenForReading(WindowsPath(path));
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(3u, GetFileSize(file, nullptr));
    CloseHandle(file);
}

TEST(File, SeeksFromEachOrigin)
{
    const std::string path = testfiles::WriteBytes("seek.bin", "ABCDEFGHIJ");
    HANDLE file = OpenForReading(testfiles::Utf16(path));
    struct Step {
        LONG distance;
        DWORD method;
        DWORD position;
        char next;  // the byte read there; 0: at the end
    };
    const Step steps[] = {
        {3, FILE_BEGIN, 3, 'D'},
        {2, FILE_CURRENT, 6, 'G'},    // after the byte read: 4 + 2
        {-1, FILE_END, 9, 'J'},
        {-10, FILE_CURRENT, 0, 'A'},  // back to the very start
        {20, FILE_BEGIN, 20, 0},      // past the end is allowed; reading finds nothing
    };
    for (const Step& step : steps) {
        EXPECT_EQ(step.position, SetFilePointer(file, step.distance, nullptr, step.method));
        char byte = 0;
        DWORD read = 0;
        EXPECT_TRUE(ReadFile(file, &byte, 1, &read, nullptr));
        EXPECT_EQ(step.next ? 1u : 0u, read);
        if (step.next) {
            EXPECT_EQ(step.next, byte);
        }
    }
    // Before the start: refused, and the position stays.
    SetFilePointer(file, 2, nullptr, FILE_BEGIN);
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(file, -5, nullptr, FILE_CURRENT));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NEGATIVE_SEEK), GetLastError());
    EXPECT_EQ(2u, SetFilePointer(file, 0, nullptr, FILE_CURRENT));
    LONG high = 0;
    EXPECT_EQ(7u, SetFilePointer(file, 7, &high, FILE_BEGIN));
    EXPECT_EQ(0, high);
    CloseHandle(file);
}

TEST(File, MissingFilesAndFoldersFailAsOnWindows)
{
    struct Case {
        std::string path;
        DWORD error;
    };
    const Case cases[] = {
        {testfiles::TempFolder() + "missing.ini", ERROR_FILE_NOT_FOUND},
        {testfiles::TempFolder() + "no-folder/missing.ini", ERROR_PATH_NOT_FOUND},
        {testfiles::TempFolder(), ERROR_ACCESS_DENIED},  // a folder is not a file
    };
    for (const Case& c : cases) {
        EXPECT_EQ(INVALID_HANDLE_VALUE, OpenForReading(testfiles::Utf16(c.path))) << c.path;
        EXPECT_EQ(c.error, GetLastError()) << c.path;
    }
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileW(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

// Reading a pipe without a writer or a device would wait or never end:
// such names fail at once, as Windows opens no such thing as a file.
TEST(File, PipesAndDevicesFailAtOnceAsNoFile)
{
    const std::string pipe = testfiles::TempFolder() + "pipe";
    ASSERT_EQ(0, mkfifo(pipe.c_str(), 0600));
    for (const std::string& path : {pipe, std::string("/dev/zero"), std::string("/dev/null")}) {
        EXPECT_EQ(INVALID_HANDLE_VALUE, OpenForReading(testfiles::Utf16(path))) << path;
        EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError()) << path;
    }
}

TEST(File, WritesCreateAndReplaceAsAsked)
{
    const std::u16string path = testfiles::Utf16(testfiles::TempFolder() + "written.txt");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "hello", 5, &written, nullptr));
    EXPECT_EQ(5u, written);
    CloseHandle(file);

    EXPECT_EQ(INVALID_HANDLE_VALUE,
              CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), GetLastError());

    file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    EXPECT_TRUE(WriteFile(file, "hi", 2, &written, nullptr));
    // A handle opened for writing only cannot read.
    char byte;
    DWORD read = 0;
    EXPECT_FALSE(ReadFile(file, &byte, 1, &read, nullptr));
    CloseHandle(file);

    file = OpenForReading(path);
    EXPECT_EQ("hi", ReadAll(file, 8));
    CloseHandle(file);
    EXPECT_TRUE(DeleteFileW(path.c_str()));
    EXPECT_FALSE(DeleteFileW(path.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST(File, ClosedAndForeignHandlesAreRefused)
{
    const std::string path = testfiles::WriteBytes("closed.bin", "abc");
    HANDLE file = OpenForReading(testfiles::Utf16(path));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    char byte;
    DWORD read = 7;
    EXPECT_FALSE(ReadFile(file, &byte, 1, &read, nullptr));
    EXPECT_EQ(0u, read);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
    EXPECT_EQ(INVALID_FILE_SIZE, GetFileSize(file, nullptr));
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(INVALID_HANDLE_VALUE, 0, nullptr, FILE_BEGIN));
    EXPECT_FALSE(ReadFile(nullptr, &byte, 1, &read, nullptr));
}

TEST(File, ResetHostClosesForgottenHandles)
{
    const std::string path = testfiles::WriteBytes("forgotten.bin", "abc");
    HANDLE file = OpenForReading(testfiles::Utf16(path));
    host::testing::ResetHost();
    EXPECT_FALSE(CloseHandle(file));
}

}  // namespace

namespace {

// The program's reads of a small file come from memory; a child given the
// handle as its input still reads on from where the program stands.
TEST(File, AChildReadsOnWhereTheProgramStands)
{
    const std::string in = testfiles::WriteBytes("child-in.txt", "abcdef");
    HANDLE input = OpenForReading(WindowsPath(in));
    char two[2];
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(input, two, 2, &read, nullptr));
    const std::string out = testfiles::TempFolder() + "child-out.txt";
    HANDLE output = CreateFileW(testfiles::Utf16(out).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    std::u16string command = u"/bin/cat";
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process));
    EXPECT_EQ(WAIT_OBJECT_0, MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 5000, 0));
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(input);
    CloseHandle(output);
    EXPECT_EQ("cdef", testfiles::ReadFileAt(out));
}

}  // namespace
