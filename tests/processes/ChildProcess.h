// A child process of the tests, its output read line by line through a pipe.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& args) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        out_ = ::fdopen(fds[0], "r");
    }
    ~ChildProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            Wait();
        }
        if (out_) std::fclose(out_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0 && out_ != nullptr; }

    // The next line of output without its end, false at the end of the output.
    bool ReadLine(std::string& line) {
        line.clear();
        if (!out_) return false;
        for (int c; (c = std::fgetc(out_)) != EOF;) {
            if (c == '\n') return true;
            line += static_cast<char>(c);
        }
        return !line.empty();
    }

    void Kill() {
        if (pid_ > 0) ::kill(pid_, SIGKILL);
    }

    // Once the child says "ready", lets it run for `micros` microseconds and kills it; false
    // when it never got ready.
    bool KillWhenRunning(int micros) {
        std::string line;
        if (!ReadLine(line) || line != "ready") return false;
        std::this_thread::sleep_for(std::chrono::microseconds(micros));
        Kill();
        return true;
    }

    // The exit status (-1 when it did not exit by itself).
    int Wait() {
        if (pid_ <= 0) return -1;
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    std::FILE* out_ = nullptr;
};

// A count of rounds, from the environment when set there (longer runs by hand).
inline int Rounds(const char* variable, int fallback) {
    const char* text = std::getenv(variable);
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : fallback;
}
