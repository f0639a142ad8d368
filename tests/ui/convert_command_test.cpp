#include "ui/logic/convert_command.h"

#include <array>
#include <functional>

#include <gtest/gtest.h>

#include "convert/runtime.h"
#include "gbk.h"
#include "ui/logic/html_reader.h"
#include "ui/logic/link_html.h"

namespace korimbo {
namespace {

using test::Gbk;

// A window of plain values; the test can step in when a control is read.
class FakeWindow : public ConvertWindow
{
  public:
    bool IsOpen() const override { return open; }
    AnsiText ReadEditBox(int number) const override
    {
        if (onRead)
            onRead(number);
        return boxes.at(static_cast<std::size_t>(number));
    }
    void WriteEditBox(int number, const AnsiText &text) override
    {
        boxes.at(static_cast<std::size_t>(number)) = text;
        ++writes;
    }
    void SetLinkBoxContent(int number, const ByteSet &html) override
    {
        links.at(static_cast<std::size_t>(number)) = std::string(html.bytes());
        ++writes;
    }

    bool open = true;
    std::array<AnsiText, 6> boxes;    // edit boxes 1 to 5
    std::array<std::string, 5> links; // link boxes 1 to 4
    int writes = 0;
    std::function<void(int)> onRead;
};

struct CommandCase
{
    const char *name;
    std::string input;               // UTF-8
    std::array<std::string, 4> out;  // edit boxes 2 to 5, UTF-8
    std::array<std::string, 4> html; // link boxes 1 to 4, UTF-8
};

class ConvertCommandRows : public testing::TestWithParam<CommandCase>
{
};

TEST_P(ConvertCommandRows, FillsBoxesAndLinks)
{
    const CommandCase &c = GetParam();
    FakeWindow window;
    window.boxes[1] = AnsiText(Gbk(c.input));
    RunConvertCommand(window);
    EXPECT_EQ(window.boxes[1], AnsiText(Gbk(c.input))); // the input is never written
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(test::Utf8(window.boxes[static_cast<std::size_t>(i + 2)].bytes()), c.out[static_cast<std::size_t>(i)])
            << "edit box " << i + 2;
        EXPECT_EQ(test::Utf8(window.links[static_cast<std::size_t>(i + 1)]), c.html[static_cast<std::size_t>(i)])
            << "link box " << i + 1;
    }
}

const char kThunder[] = "thunder://QUFodHRwOi8vYS9iLnJhclpa";
const char kFlashGet[] = "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&1926";
const char kWhirlwind[] = "qqdl://aHR0cDovL2EvYi5yYXI=";

const std::array<std::string, 4> kWorkedHtml{
    R"(<a href="http://a/b.rar">直接下载</a>)",
    R"(<a href="thunder://QUFodHRwOi8vYS9iLnJhclpa">迅雷下载</a>)",
    R"(<a href="Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL2IucmFyW0ZMQVNIR0VUXQ==&amp;1926">快车下载</a>)",
    R"(<a href="qqdl://aHR0cDovL2EvYi5yYXI=">旋风下载</a>)",
};

const CommandCase kCommandCases[] = {
    {"RealAddress", "http://a/b.rar", {"http://a/b.rar", kThunder, kFlashGet, kWhirlwind}, kWorkedHtml},
    {"ThunderLink", kThunder, {"http://a/b.rar", kThunder, kFlashGet, kWhirlwind}, kWorkedHtml},
    {"FlashGetLink", kFlashGet, {"http://a/b.rar", kThunder, kFlashGet, kWhirlwind}, kWorkedHtml},
    {"WhirlwindLink", kWhirlwind, {"http://a/b.rar", kThunder, kFlashGet, kWhirlwind}, kWorkedHtml},
    {"Empty",
     "",
     {"转换失败", "转换失败", "转换失败", "转换失败"},
     {R"(<a href="转换失败">直接下载</a>)", R"(<a href="转换失败">迅雷下载</a>)", R"(<a href="转换失败">快车下载</a>)",
      R"(<a href="转换失败">旋风下载</a>)"}},
    {"Injection",
     R"(http://a" ><a href="x)",
     {R"(http://a" ><a href="x)", "thunder://QUFodHRwOi8vYSIgPjxhIGhyZWY9InhaWg==",
      "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hIiA+PGEgaHJlZj0ieFtGTEFTSEdFVF0=&1926",
      "qqdl://aHR0cDovL2EiID48YSBocmVmPSJ4"},
     {R"(<a href="http://a&quot; &gt;&lt;a href=&quot;x">直接下载</a>)",
      R"(<a href="thunder://QUFodHRwOi8vYSIgPjxhIGhyZWY9InhaWg==">迅雷下载</a>)",
      R"(<a href="Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hIiA+PGEgaHJlZj0ieFtGTEFTSEdFVF0=&amp;1926">快车下载</a>)",
      R"(<a href="qqdl://aHR0cDovL2EiID48YSBocmVmPSJ4">旋风下载</a>)"}},
    {"ChineseAddress",
     "http://a/中文.rar",
     {"http://a/中文.rar", "thunder://QUFodHRwOi8vYS/W0M7ELnJhclpa",
      "Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL9bQzsQucmFyW0ZMQVNIR0VUXQ==&1926", "qqdl://aHR0cDovL2Ev1tDOxC5yYXI="},
     {R"(<a href="http://a/中文.rar">直接下载</a>)", R"(<a href="thunder://QUFodHRwOi8vYS/W0M7ELnJhclpa">迅雷下载</a>)",
      R"(<a href="Flashget://W0ZMQVNIR0VUXWh0dHA6Ly9hL9bQzsQucmFyW0ZMQVNIR0VUXQ==&amp;1926">快车下载</a>)",
      R"(<a href="qqdl://aHR0cDovL2Ev1tDOxC5yYXI=">旋风下载</a>)"}},
};

INSTANTIATE_TEST_SUITE_P(WorkedExamples, ConvertCommandRows, testing::ValuesIn(kCommandCases),
                         [](const testing::TestParamInfo<CommandCase> &info) { return info.param.name; });

// Every link box target reads back as exactly the text of its output box.
TEST(ConvertCommand, TargetsAreTheOutputBoxTexts)
{
    for (const char *input : {R"(http://a" ><a href="x)", "http://a/b&amp;c<d>", "http://a/x==&1926"}) {
        FakeWindow window;
        window.boxes[1] = input;
        RunConvertCommand(window);
        for (int kind = 0; kind < 4; ++kind) {
            const HtmlDocument document = ReadLinkHtml(window.links[static_cast<std::size_t>(kind + 1)]);
            ASSERT_EQ(document.targets.size(), 1u) << input << " kind " << kind;
            EXPECT_EQ(document.targets[0], window.boxes[static_cast<std::size_t>(kind + 2)].bytes());
        }
    }
}

TEST(ConvertCommand, ReadsTheInputAfreshForEachForm)
{
    FakeWindow window;
    const std::array<const char *, 4> inputs{"http://a/1", "http://a/2", "http://a/3", "http://a/4"};
    int inputReads = 0;
    window.onRead = [&](int number) {
        if (number == 1)
            window.boxes[1] = inputs.at(static_cast<std::size_t>(inputReads++));
    };
    RunConvertCommand(window);
    EXPECT_EQ(inputReads, 4);
    for (int kind = 0; kind < 4; ++kind)
        EXPECT_EQ(window.boxes[static_cast<std::size_t>(kind + 2)],
                  ConvertAddress(inputs[static_cast<std::size_t>(kind)], kind));
}

TEST(ConvertCommand, LinksComeFromTheOutputBoxesAsReadBack)
{
    FakeWindow window;
    window.boxes[1] = "http://a/b.rar";
    window.onRead = [&](int number) {
        if (number == 2) // the first read-back: someone typed into box 4 meanwhile
            window.boxes[4] = "typed";
    };
    RunConvertCommand(window);
    EXPECT_EQ(window.links[3], Gbk(R"(<a href="typed">快车下载</a>)"));
}

// A thunder link long enough that its decode calls the events hook many times.
AnsiText LongThunderLink()
{
    return EncodeThunder(AnsiText("http://a/" + std::string(200'000, 'x')));
}

std::function<void()> hookAction;
void RunHookAction()
{
    if (hookAction) {
        auto action = std::move(hookAction);
        hookAction = nullptr;
        action();
    }
}

class ConvertDuringDecode : public testing::Test
{
  protected:
    ConvertDuringDecode() { previous_ = SetPendingEventsHook(&RunHookAction); }
    ~ConvertDuringDecode() override
    {
        SetPendingEventsHook(previous_);
        hookAction = nullptr;
    }

  private:
    PendingEventsHook previous_;
};

TEST_F(ConvertDuringDecode, ClosingStopsTheCommandWithoutTouchingControls)
{
    FakeWindow window;
    window.boxes[1] = LongThunderLink();
    hookAction = [&] { window.open = false; };
    RunConvertCommand(window);
    EXPECT_EQ(window.writes, 0);
}

TEST_F(ConvertDuringDecode, NestedRunWinsForTheFormsBeforeTheInterruptedOne)
{
    FakeWindow window;
    const AnsiText longLink = LongThunderLink();
    window.boxes[1] = longLink;
    hookAction = [&] {
        window.boxes[1] = "http://x/y"; // typed, then "转换" clicked again
        RunConvertCommand(window);
    };
    RunConvertCommand(window);
    // The outer run finished its decode (kind 0) after the nested run, then read the new input.
    EXPECT_EQ(window.boxes[2], ConvertAddress(longLink, RealAddress));
    for (int kind = ThunderLink; kind <= WhirlwindLink; ++kind)
        EXPECT_EQ(window.boxes[static_cast<std::size_t>(kind + 2)], ConvertAddress("http://x/y", kind));
    EXPECT_EQ(window.links[1], std::string(LinkHtml(window.boxes[2], RealAddress).bytes()));
    EXPECT_EQ(window.links[2], std::string(LinkHtml(ConvertAddress("http://x/y", 1), ThunderLink).bytes()));
}

} // namespace
} // namespace korimbo
