// Starts a private Xvfb server for one test program and stops it at the end.
#pragma once

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testing_support {

class Xvfb {
  public:
    // Starts on the first free display number from 90 on; Running() tells whether it came up.
    explicit Xvfb(const std::string& screen = "1280x1024x24") {
        if (!std::filesystem::exists("/usr/bin/Xvfb"))
            return;
        for (int number = 90; number < 140 && pid_ == 0; ++number) {
            std::string socket = std::string("/tmp/.X11-unix/X").append(std::to_string(number));
            std::string lock =
                std::string("/tmp/.X").append(std::to_string(number)).append("-lock");
            if (std::filesystem::exists(socket) || std::filesystem::exists(lock))
                continue;
            name_ = std::string(":").append(std::to_string(number));
            std::string screenArg = screen;
            const char* argv[] = {"Xvfb",      name_.c_str(), "-screen", "0", screenArg.c_str(),
                                  "-nolisten", "tcp",         nullptr};
            pid_t pid = 0;
            if (posix_spawn(&pid, "/usr/bin/Xvfb", nullptr, nullptr, const_cast<char**>(argv),
                            environ) != 0)
                return;
            for (int i = 0; i < 200 && !std::filesystem::exists(socket); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(25));
            if (!std::filesystem::exists(socket)) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
                continue;
            }
            pid_ = pid;
        }
    }
    ~Xvfb() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    bool Running() const { return pid_ > 0; }
    const std::string& Display() const { return name_; }

  private:
    pid_t pid_ = 0;
    std::string name_;
};

} // namespace testing_support
