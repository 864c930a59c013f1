// merulan-tool index -o killed at random moments while it writes a list of about 5 MB: afterwards the
// list is the old one or the new one, byte for byte, every time; a backup stands beside a new list;
// and what a killed write left is removed by the next one.
#include "support/temp_dir.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <signal.h>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace merulan {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRunsPerMode = 70;

// The tool's pid, its output thrown away.
pid_t startTool(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    std::string tool = MERULAN_TOOL;
    argv.push_back(tool.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

// The exit code, or -1 when it was killed.
int waitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A LISP library whose list is about 5 MB: long first comment lines, in Japanese, in Shift-JIS.
std::string bigSource() {
    std::string description;
    for (int i = 0; i < 160; ++i) {
        description += "\x8D\xEC\x90\x7D\x82\xCC\x90\xE0\x96\xBE "; // "作図の説明 "
    }
    std::string source;
    for (int i = 0; i < 3000; ++i) {
        source +=
            ";; " + description + std::to_string(i) + "\n(defun c:cmd" + std::to_string(i) + " (a / b) (princ))\n";
    }
    return source;
}

std::string oldList() {
    std::string list;
    for (int i = 0; list.size() < 5'000'000; ++i) {
        list += "OLD" + std::to_string(i) + "\tthe list as it was before the run, line " + std::to_string(i) + "\r\n";
    }
    return list;
}

// Every byte of a file, read at once into bytes, whose room is kept from run to run.
void readInto(const fs::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    bytes.resize(in ? static_cast<std::size_t>(in.tellg()) : 0);
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const fs::path& path) {
    std::string bytes;
    readInto(path, bytes);
    return bytes;
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The names beside the list other than the list and the sources: backups and temporary files.
std::vector<std::string> othersIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name != "MerulanList.txt" && !name.ends_with(".lsp")) {
            names.push_back(name);
        }
    }
    return names;
}

bool isTemporary(const std::string& name) {
    return name.starts_with("MerulanList.txt.") && name.ends_with(".tmp");
}

// Tells when the tool first changes anything in the list's folder, that is, when its write begins,
// however it writes.
class WriteStarts {
public:
    explicit WriteStarts(const fs::path& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_MODIFY | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE);
    }
    WriteStarts(const WriteStarts&) = delete;
    WriteStarts& operator=(const WriteStarts&) = delete;
    ~WriteStarts() { close(fd_); }

    // True once something changed after the last call; false when the deadline comes first, or the tool
    // ends first (it is not reaped here).
    bool waitUntil(Clock::time_point deadline, pid_t tool = 0) {
        for (;;) {
            alignas(inotify_event) char buffer[4096];
            if (read(fd_, buffer, sizeof buffer) > 0) {
                while (read(fd_, buffer, sizeof buffer) > 0) {
                }
                return true;
            }
            siginfo_t ended{};
            if (tool > 0 && waitid(P_PID, static_cast<id_t>(tool), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
                ended.si_pid == tool) {
                return false;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) {
                return false;
            }
            pollfd wait{fd_, POLLIN, 0};
            poll(&wait, 1, static_cast<int>(std::min<long long>(left, 20)));
        }
    }

private:
    int fd_;
};

long long microsecondsOf(Clock::duration duration) {
    return std::chrono::duration_cast<std::chrono::microseconds>(duration).count();
}

struct Counts {
    int runs = 0;
    int endedOld = 0;
    int endedNew = 0;
    int killedWhileWriting = 0; // a temporary file of the run was left
};

// kRunsPerMode runs of the tool with arguments, writing folder/MerulanList.txt over old, each killed.
void killRuns(const fs::path& folder, const std::vector<std::string>& arguments, bool keepsBackup,
              const std::string& old, Counts& counts) {
    const fs::path list = folder / "MerulanList.txt";
    WriteStarts writeStarts(folder);
    std::mt19937 random(std::random_device{}());
    std::string after;
    std::string backupBytes;
    // The old list, and no backup: the next run's own would otherwise be refused.
    bool listIsOld = false;
    auto reset = [&] {
        if (!listIsOld) {
            writeBytes(list, old);
            listIsOld = true;
        }
        for (const std::string& name : othersIn(folder)) {
            if (!isTemporary(name)) {
                fs::remove(folder / name);
            }
        }
        writeStarts.waitUntil(Clock::now());
    };

    // One whole run gives the new list, how long a run takes and how long its write.
    reset();
    const auto started = Clock::now();
    const pid_t whole = startTool(arguments);
    ASSERT_GT(whole, 0);
    writeStarts.waitUntil(started + std::chrono::minutes(2), whole);
    const auto writing = Clock::now();
    ASSERT_EQ(waitFor(whole), 0);
    const auto ended = Clock::now();
    const std::string fresh = readBytes(list);
    listIsOld = false;
    ASSERT_NE(fresh, old);
    ASSERT_GT(fresh.size(), 4'000'000u);

    // Every other kill comes at any moment of a run, the others while the list is written.
    std::uniform_int_distribution<long long> anyMoment(0, microsecondsOf(ended - started) * 11 / 10);
    std::uniform_int_distribution<long long> whileWriting(0, microsecondsOf(ended - writing) * 12 / 10);
    for (int run = 0; run < kRunsPerMode; ++run) {
        reset();
        const std::vector<std::string> before = othersIn(folder);
        const auto start = Clock::now();
        const pid_t pid = startTool(arguments);
        ASSERT_GT(pid, 0);
        if (run % 2) {
            // A generous deadline: a machine busy with other work slows the run.
            writeStarts.waitUntil(start + (ended - started) * 5 + std::chrono::seconds(10), pid);
            std::this_thread::sleep_for(std::chrono::microseconds(whileWriting(random)));
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(anyMoment(random)));
        }
        kill(pid, SIGKILL);
        const int exitCode = waitFor(pid);
        ++counts.runs;
        readInto(list, after);
        listIsOld = after == old;
        const std::vector<std::string> others = othersIn(folder);
        counts.killedWhileWriting += std::any_of(others.begin(), others.end(), [&](const std::string& name) {
            return isTemporary(name) && std::find(before.begin(), before.end(), name) == before.end();
        });
        if (after == fresh) {
            ++counts.endedNew;
            if (keepsBackup) { // kept before the new list took its place
                const auto backup = std::find_if_not(others.begin(), others.end(), isTemporary);
                ASSERT_NE(backup, others.end()) << "run " << run;
                readInto(folder / *backup, backupBytes);
                EXPECT_TRUE(backupBytes == old) << "run " << run << ": the backup is not the old list";
            }
        } else {
            ASSERT_TRUE(listIsOld) << "run " << run << ": a list of " << after.size()
                                   << " bytes, neither the old one nor the new one";
            ASSERT_NE(exitCode, 0) << "run " << run << ": it ended well without writing";
            ++counts.endedOld;
        }
    }
    // A whole run after the kills leaves nothing of theirs.
    reset();
    ASSERT_EQ(waitFor(startTool(arguments)), 0);
    const std::vector<std::string> others = othersIn(folder);
    EXPECT_EQ(std::count_if(others.begin(), others.end(), isTemporary), 0);
}

TEST(IndexKill, TheListIsTheOldOrTheNewOneWheneverTheToolIsKilled) {
    const testing::TempDir dir;
    const fs::path big = dir / u"big.lsp";
    const fs::path small = dir / u"small.lsp";
    writeBytes(big, bigSource());
    writeBytes(small, ";; one\n(defun c:one () 1)\n;; two\n(defun c:two () 2)\n");
    const std::string old = oldList();
    const struct {
        const char* what;
        std::vector<std::string> options;
        fs::path source;
        bool keepsBackup;
    } modes[] = {
        {"-o", {}, big, true},
        {"-o --no-backup", {"--no-backup"}, big, false},
        {"-o --append", {"--append"}, small, true},
    };
    // The modes run side by side, each in its own folder: most of the time each waits for its tool.
    Counts counts[std::size(modes)];
    std::vector<std::thread> threads;
    for (std::size_t m = 0; m < std::size(modes); ++m) {
        const fs::path folder = dir.path() / ("mode" + std::to_string(m));
        fs::create_directory(folder);
        std::vector<std::string> arguments = {"index", "--codepage", "932", "--exe-folder", folder.string()};
        arguments.insert(arguments.end(), modes[m].options.begin(), modes[m].options.end());
        for (const std::string& last :
             {std::string("-o"), (folder / "MerulanList.txt").string(), modes[m].source.string()}) {
            arguments.push_back(last);
        }
        threads.emplace_back([&, m, folder, arguments] {
            SCOPED_TRACE(modes[m].what);
            killRuns(folder, arguments, modes[m].keepsBackup, old, counts[m]);
        });
    }
    Counts all;
    for (std::size_t m = 0; m < std::size(modes); ++m) {
        threads[m].join();
        all.runs += counts[m].runs;
        all.endedOld += counts[m].endedOld;
        all.endedNew += counts[m].endedNew;
        all.killedWhileWriting += counts[m].killedWhileWriting;
    }
    std::cout << "kill runs: " << all.runs << ", ended with the old list: " << all.endedOld
              << ", with the new one: " << all.endedNew
              << ", killed while writing (a temporary file left): " << all.killedWhileWriting << "\n";
    RecordProperty("runs", all.runs);
    RecordProperty("ended_old", all.endedOld);
    RecordProperty("ended_new", all.endedNew);
    RecordProperty("killed_while_writing", all.killedWhileWriting);
    EXPECT_GE(all.runs, 200);
}

} // namespace
} // namespace merulan
