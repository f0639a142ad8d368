#include "ui/logic/url_scheme.h"

#include <gtest/gtest.h>

#include "gbk.h"

namespace korimbo {
namespace {

struct SchemeCase
{
    const char *name;
    std::string target;
    bool opens;
};

class OpenableTarget : public testing::TestWithParam<SchemeCase>
{
};

TEST_P(OpenableTarget, FollowsTheSchemeRule)
{
    EXPECT_EQ(IsOpenableTarget(GetParam().target), GetParam().opens);
}

const SchemeCase kSchemeCases[] = {
    {"Http", "http://a/b.rar", true},
    {"UpperCaseScheme", "HTTPS://A/", true},
    {"Thunder", "thunder://QUFodHRwOi8vYS9iLnJhclpa", true},
    {"FlashGetWithTail", "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926", true},
    {"Whirlwind", "qqdl://aHR0cDovL2EvYi5yYXI=", true},
    {"SchemeCharacters", "a1+b-c.d:x", true},
    {"Mailto", "mailto:x@example.com", true},
    {"File", "file:///etc/passwd", false},
    {"FileAnyCase", "FiLe://host/share", false},
    {"DrivePath", R"(C:\Windows\System32\cmd.exe)", false},
    {"DrivePathSlash", "c:/x.exe", false},
    {"UncPath", R"(\\host\share\x.exe)", false},
    {"AbsolutePath", "/usr/bin/xterm", false},
    {"ConversionFailed", test::Gbk("转换失败"), false},
    {"Empty", "", false},
    {"NoScheme", ":x", false},
    {"DigitFirst", "1http://a", false},
    {"SpaceInScheme", "ht tp://a", false},
    {"NoColon", "http", false},
    {"DashFirst", "-e:x", false},
    {"Underscore", "fi_le:x", false},
    {"LeadingSpace", " http://a", false},
    {"GbkInScheme", test::Gbk("中:x"), false},
};

INSTANTIATE_TEST_SUITE_P(Targets, OpenableTarget, testing::ValuesIn(kSchemeCases),
                         [](const testing::TestParamInfo<SchemeCase> &info) { return info.param.name; });

} // namespace
} // namespace korimbo
