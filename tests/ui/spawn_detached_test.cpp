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

TEST_F(SpawnFixture, LeavesNoChildBehind)
{
    ASSERT_TRUE(SpawnDetached({script_, "http://a/"}));
    ASSERT_FALSE(Recorded().empty());
    // The go-between child was reaped; the opener itself was never our child.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(SpawnDetached, MissingProgramFailsQuietly)
{
    EXPECT_FALSE(SpawnDetached({"/nonexistent/korimbo-opener", "http://a/"}));
    EXPECT_FALSE(SpawnDetached({"korimbo-no-such-program-in-path", "http://a/"}));
    EXPECT_FALSE(SpawnDetached({}));
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
}

} // namespace
} // namespace korimbo
