// The kill trials' process and watch on Windows, which has no fork: the process is this program
// run again, told by an environment variable to load a vocabulary and save it, and the folder's
// changes tell when it opens the temporary file.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/vocabulary/saving_process.h"

namespace orvell::testing_support {

namespace {

// Names the file the saving process loads; it saves it to library.txt.
constexpr const wchar_t* kSourceVariable = L"ORVELL_KILL_TRIAL_SOURCE";
constexpr const wchar_t* kSavingTest = L"SavingProcess.LoadsTheSourceAndSavesIt";
// The exit code TerminateProcess gives, as a shell reports a SIGKILL.
constexpr UINT kKilled = 137;

HANDLE handleOf(std::intptr_t process) {
    return reinterpret_cast<HANDLE>(process);  // NOLINT(performance-no-int-to-ptr)
}

std::wstring sourceGiven() {
    std::wstring source(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(kSourceVariable, source.data(),
                                                     static_cast<DWORD>(source.size()));
        if (length < source.size()) {
            source.resize(length);
            return source;
        }
        source.resize(length);
    }
}

std::wstring thisProgram() {
    std::wstring program(32'768, L'\0');
    program.resize(
        GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    return program;
}

}  // namespace

// The saving process itself, which the program runs only as that; its exit code is 0 when the
// save went through. It leaves at once, as the fork does elsewhere.
TEST(SavingProcess, LoadsTheSourceAndSavesIt) {
    const std::wstring source = sourceGiven();
    if (source.empty()) GTEST_SKIP() << "runs only as the kill trials' saving process";
    Vocabulary vocabulary;
    vocabulary.LoadLib(source);
    int status = 0;
    vocabulary.saveInBackground([&](const FileError&) { status = 1; });
    vocabulary.waitForSaves();
    std::_Exit(status);
}

SavingProcess::SavingProcess(Vocabulary& /*vocabulary*/, const std::filesystem::path& source) {
    const std::wstring program = thisProgram();
    std::wstring commandLine = L"\"" + program + L"\" --gtest_filter=" + kSavingTest;
    // The process inherits the variable; the parent never runs the saving test itself.
    SetEnvironmentVariableW(kSourceVariable, std::filesystem::absolute(source).c_str());
    STARTUPINFOW startup{};
    startup.cb = static_cast<DWORD>(sizeof startup);
    PROCESS_INFORMATION started{};
    const BOOL ok = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                   0, nullptr, nullptr, &startup, &started);
    const DWORD error = GetLastError();
    SetEnvironmentVariableW(kSourceVariable, nullptr);
    if (!ok) {
        ADD_FAILURE() << "CreateProcessW failed with " << error;
        reaped_ = true;
        return;
    }
    CloseHandle(started.hThread);
    process_ = reinterpret_cast<std::intptr_t>(started.hProcess);
}

SavingProcess::~SavingProcess() {
    if (reaped_) return;
    kill();
    reap();
}

// Fails, harmlessly, once the process has ended.
void SavingProcess::kill() { TerminateProcess(handleOf(process_), kKilled); }

bool SavingProcess::reap() {
    if (reaped_) return false;
    reaped_ = true;
    const HANDLE process = handleOf(process_);
    EXPECT_EQ(WaitForSingleObject(process, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(process, &code));
    CloseHandle(process);
    if (code == kKilled) return true;
    EXPECT_EQ(code, 0U) << "the save failed";
    return false;
}

// Watches the folder with ReadDirectoryChangesW, which queues what happened to its files: a
// save creates the temporary file, or cuts short and rewrites what an earlier kill left. The
// system may pass on an event a little after the change, so the file's look (its time of writing
// and size) is compared as well, which tells an opening the events have not yet told.
struct TemporaryFileWatch::State {
    static constexpr DWORD kChanges =
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

    struct Look {
        bool exists = false;
        FILETIME written{};
        ULARGE_INTEGER size{};

        static Look now() {
            Look look;
            WIN32_FILE_ATTRIBUTE_DATA data{};
            look.exists = GetFileAttributesExW(std::filesystem::path(kTemporaryFile).c_str(),
                                               GetFileExInfoStandard, &data) != 0;
            if (look.exists) {
                look.written = data.ftLastWriteTime;
                look.size.HighPart = data.nFileSizeHigh;
                look.size.LowPart = data.nFileSizeLow;
            }
            return look;
        }

        // True when the file is there and differs from `before`.
        bool changedSince(const Look& before) const {
            return exists && (!before.exists || CompareFileTime(&written, &before.written) != 0 ||
                              size.QuadPart != before.size.QuadPart);
        }
    };

    HANDLE folder = CreateFileW(L".", FILE_LIST_DIRECTORY,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED,
                                nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    OVERLAPPED request{};
    alignas(DWORD) std::array<char, 64 * 1024> events{};
    Look look = Look::now();

    void ask() {
        ResetEvent(done);
        request = OVERLAPPED{};
        request.hEvent = done;
        EXPECT_TRUE(ReadDirectoryChangesW(folder, events.data(),
                                          static_cast<DWORD>(events.size()), FALSE, kChanges,
                                          nullptr, &request, nullptr))
            << GetLastError();
    }

    // True when the answers come so far name the temporary file, or overflowed.
    bool takeAnswers() {
        const std::wstring name = std::filesystem::path(kTemporaryFile).wstring();
        bool named = false;
        DWORD got = 0;
        while (GetOverlappedResult(folder, &request, &got, FALSE)) {
            named |= got == 0;  // more changes than the buffer held
            for (std::size_t at = 0; at < got;) {
                FILE_NOTIFY_INFORMATION event{};
                std::memcpy(&event, events.data() + at, sizeof event);
                std::wstring changed(event.FileNameLength / sizeof(wchar_t), L'\0');
                std::memcpy(changed.data(),
                            events.data() + at + offsetof(FILE_NOTIFY_INFORMATION, FileName),
                            event.FileNameLength);
                named |= changed == name;
                if (event.NextEntryOffset == 0) break;
                at += event.NextEntryOffset;
            }
            ask();
        }
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_IO_INCOMPLETE));
        return named;
    }
};

TemporaryFileWatch::TemporaryFileWatch() : state_(std::make_unique<State>()) {
    EXPECT_NE(state_->folder, INVALID_HANDLE_VALUE) << GetLastError();
    state_->ask();
}

TemporaryFileWatch::~TemporaryFileWatch() {
    CancelIoEx(state_->folder, &state_->request);
    DWORD got = 0;
    GetOverlappedResult(state_->folder, &state_->request, &got, TRUE);
    CloseHandle(state_->folder);
    CloseHandle(state_->done);
}

bool TemporaryFileWatch::takeEvents() {
    const bool named = state_->takeAnswers();
    const State::Look now = State::Look::now();
    const bool changed = now.changedSince(state_->look);
    state_->look = now;
    return named || changed;
}

bool TemporaryFileWatch::awaitOpening() {
    while (WaitForSingleObject(state_->done, 5'000) == WAIT_OBJECT_0) {
        if (takeEvents()) return true;
    }
    return false;
}

}  // namespace orvell::testing_support
