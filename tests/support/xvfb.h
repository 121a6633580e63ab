// Starts a private Xvfb server for one test program and stops it at the end.
#pragma once

#include <csignal>
#include <filesystem>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testing_support {

class Xvfb {
  public:
    // Lets the server pick a free display number (-displayfd), so test programs that run at the
    // same time never share one. Running() tells whether it came up.
    explicit Xvfb(const std::string& screen = "1280x1024x24") {
        if (!std::filesystem::exists("/usr/bin/Xvfb"))
            return;
        int fds[2];
        if (pipe(fds) != 0)
            return;
        std::string writeEnd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb",      "-displayfd", writeEnd.c_str(),
                              "-screen",   "0",          screen.c_str(),
                              "-nolisten", "tcp",        nullptr};
        pid_t pid = 0;
        int spawned =
            posix_spawn(&pid, "/usr/bin/Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ);
        close(fds[1]);
        std::string number;
        char c;
        // The server writes its display number and a newline once it accepts connections.
        while (spawned == 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (spawned != 0)
            return;
        pid_ = pid;
        if (number.empty()) {
            Stop();
            return;
        }
        name_ = std::string(":").append(number);
    }
    ~Xvfb() { Stop(); }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    bool Running() const { return pid_ > 0 && !name_.empty(); }
    const std::string& Display() const { return name_; }

  private:
    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = 0;
        }
    }

    pid_t pid_ = 0;
    std::string name_;
};

} // namespace testing_support
