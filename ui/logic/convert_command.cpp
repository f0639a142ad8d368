#include "ui/logic/convert_command.h"

#include <array>
#include <string>

#include "ui/logic/html_entities.h"

namespace korimbo {
namespace {

// The link labels in GBK: 直接下载, 迅雷下载, 快车下载, 旋风下载.
constexpr std::array<std::string_view, 4> kLinkLabels{
    "\xD6\xB1\xBD\xD3\xCF\xC2\xD4\xD8",
    "\xD1\xB8\xC0\xD7\xCF\xC2\xD4\xD8",
    "\xBF\xEC\xB3\xB5\xCF\xC2\xD4\xD8",
    "\xD0\xFD\xB7\xE7\xCF\xC2\xD4\xD8",
};
constexpr std::string_view kSiteLabel = "\xB7\xC3\xCE\xCA\xB9\xD9\xCD\xF8"; // 访问官网
constexpr std::string_view kHomeLabel = "\xBF\xD5\xBC\xE4";                 // 空间

constexpr int kInputBox = 1;
int OutputBox(int kind)
{
    return kind + 2;
}
int LinkBoxOf(int kind)
{
    return kind + 1;
}

} // namespace

ByteSet LinkHtml(const AnsiText &address, OutputKind kind)
{
    std::string html = "<a href=\"";
    html += EscapeHtml(address.bytes());
    html += "\">";
    html += kLinkLabels.at(static_cast<std::size_t>(kind));
    html += "</a>";
    return ByteSet(std::move(html));
}

ByteSet FixedLinksHtml(std::string_view siteAddress, std::string_view homeAddress)
{
    std::string html = "<a href=";
    html += EscapeHtml(siteAddress);
    html += ">";
    html += kSiteLabel;
    html += "</a>|<a href=";
    html += EscapeHtml(homeAddress);
    html += ">";
    html += kHomeLabel;
    html += "</a>";
    return ByteSet(std::move(html));
}

void RunConvertCommand(ConvertWindow &window)
{
    for (int kind = RealAddress; kind <= WhirlwindLink; ++kind) {
        if (!window.IsOpen())
            return;
        const AnsiText result = ConvertAddress(window.ReadEditBox(kInputBox), kind);
        // The decode may have dispatched a close of the window: then stop without a trace.
        if (!window.IsOpen())
            return;
        window.WriteEditBox(OutputBox(kind), result);
    }
    for (int kind = RealAddress; kind <= WhirlwindLink; ++kind) {
        if (!window.IsOpen())
            return;
        window.SetLinkBoxContent(LinkBoxOf(kind), LinkHtml(window.ReadEditBox(OutputBox(kind)), OutputKind(kind)));
    }
}

} // namespace korimbo
