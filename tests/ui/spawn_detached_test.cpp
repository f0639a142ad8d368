#include "ui/open/spawn_detached.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace korimbo {
namespace {

// A scratch folder with a fake opener that writes its argument count and arguments to a file.
class SpawnFixture : public testing::Test
{
  protected:
    SpawnFixture()
    {
        char pattern[] = "/tmp/korimbo-spawn-XXXXXX";
        dir_ = ::mkdtemp(pattern);
        script_ = dir_ + "/fake-opener";
        std::ofstream(script_) << "#!/bin/sh\n"
                                  "{ echo \"$#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \""
                               << dir_
                               << "/args.tmp\"\n"
                                  "mv \""
                               << dir_ << "/args.tmp\" \"" << dir_ << "/args\"\n";
        ::chmod(script_.c_str(), 0755);
    }
    ~SpawnFixture() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

    // What the fake opener recorded, once it has run (empty after five seconds without).
    std::string Recorded() const
    {
        for (int i = 0; i < 500; ++i) {
            std::ifstream in(dir_ + "/args");
            if (in) {
                std::stringstream text;
                text << in.rdbuf();
                return text.str();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }

    std::string dir_;
    std::string script_;
};

TEST_F(SpawnFixture, PassesTheTargetAsOneArgumentWithoutAShell)
{
    const std::string target = "http://a/b c.rar?x=$(touch " + dir_ + "/pwned)&y=`id`;'\"|*";
    ASSERT_TRUE(SpawnDetached({script_, target}));
    EXPECT_EQ(Recorded(), "1\n" + target + "\n");
    EXPECT_NE(::access((dir_ + "/pwned").c_str(), F_OK), 0);
}

// True once this process has no child left, not even a zombie; looks without reaping any.
bool NoChildLeft()
{
    for (int i = 0; i < 500; ++i) {
        siginfo_t info{};
        errno = 0;
        if (::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) < 0 && errno == ECHILD)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST_F(SpawnFixture, LeavesNoChildBehind)
{
    ASSERT_TRUE(SpawnDetached({script_, "http://a/"}));
    ASSERT_FALSE(Recorded().empty());
    EXPECT_TRUE(NoChildLeft());
}

// A program name is looked up in the absolute entries of PATH only: an empty entry or "." would
// take it from the working directory, where anybody may have put one.
TEST_F(SpawnFixture, NeverTakesTheProgramFromTheWorkingDirectory)
{
    const std::string name = "fake-opener";
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    char savedDir[4096] = {};
    ASSERT_NE(::getcwd(savedDir, sizeof savedDir), nullptr);
    ASSERT_EQ(::chdir(dir_.c_str()), 0);
    for (const std::string path :
         {"", ":", ":/nonexistent", "/nonexistent:", "/nonexistent::/nonexistent", ".", "./", "/nonexistent:."}) {
        ::setenv("PATH", path.c_str(), 1);
        EXPECT_FALSE(SpawnDetached({name, "http://a/"})) << "PATH=" << path;
    }
    ::setenv("PATH", ("/nonexistent::" + dir_ + ":/usr/bin:/bin").c_str(), 1);
    const bool foundInAbsoluteEntry = SpawnDetached({name, "http://a/"});
    ::setenv("PATH", savedPath.c_str(), 1);
    ASSERT_EQ(::chdir(savedDir), 0);
    EXPECT_TRUE(foundInAbsoluteEntry);
    EXPECT_EQ(Recorded(), "1\nhttp://a/\n");
    EXPECT_TRUE(NoChildLeft());
}

TEST(SpawnDetached, MissingProgramFailsQuietly)
{
    EXPECT_FALSE(SpawnDetached({"/nonexistent/korimbo-opener", "http://a/"}));
    EXPECT_FALSE(SpawnDetached({"korimbo-no-such-program-in-path", "http://a/"}));
    EXPECT_FALSE(SpawnDetached({}));
    EXPECT_TRUE(NoChildLeft());
}

} // namespace
} // namespace korimbo
