#include "ui/open/open_target.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fake_opener.h"
#include "gbk.h"
#include "ui/open/spawn_detached.h"

namespace korimbo {
namespace {

using test::FakeOpener;
using test::opened;

std::vector<std::vector<std::string>> launched;
bool FakeLauncher(const std::vector<std::string> &argv)
{
    launched.push_back(argv);
    return true;
}

class OpenTargetFixture : public testing::Test
{
  protected:
    OpenTargetFixture()
    {
        opened.clear();
        launched.clear();
        previousOpener_ = SetDesktopOpener(&FakeOpener);
        previousLauncher_ = SetLauncher(&FakeLauncher);
    }
    ~OpenTargetFixture() override
    {
        SetDesktopOpener(previousOpener_);
        SetLauncher(previousLauncher_);
    }

  private:
    DesktopOpener previousOpener_;
    Launcher previousLauncher_;
};

TEST_F(OpenTargetFixture, HandsOnTheOpenableFormOnly)
{
    const std::string flashGet = "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926";
    EXPECT_TRUE(OpenTarget(flashGet));
    EXPECT_TRUE(OpenTarget(test::Gbk("http://a/中 b.rar")));
    EXPECT_FALSE(OpenTarget("http://a\" ><a href=\"x"));
    EXPECT_FALSE(OpenTarget("ms-msdt:/id x"));
    EXPECT_FALSE(OpenTarget("file:///etc/passwd"));
    EXPECT_FALSE(OpenTarget(test::Gbk("转换失败")));
    EXPECT_FALSE(OpenTarget(""));
    EXPECT_EQ(opened, (std::vector<std::string>{flashGet, test::Gbk("http://a/中%20b.rar")}));
}

#if defined(__linux__)
TEST_F(OpenTargetFixture, LinuxGivesXdgOpenOneUtf8Argument)
{
    OpenWithDesktop(test::Gbk("http://a/中文 b.rar"));
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0], (std::vector<std::string>{"xdg-open", "http://a/中文 b.rar"}));
}

TEST_F(OpenTargetFixture, LinuxSkipsTargetsThatAreNotGbk)
{
    OpenWithDesktop("http://a/\xFF\xFF");
    EXPECT_TRUE(launched.empty());
}
#endif

} // namespace
} // namespace korimbo
