#include "ui/logic/link_html.h"

#include <array>
#include <string>

#include "ui/logic/html_entities.h"

// The build sets the maker's two addresses; these placeholders serve a build that does not.
#ifndef KORIMBO_SITE_ADDRESS
#define KORIMBO_SITE_ADDRESS "http://www.example.com/"
#endif
#ifndef KORIMBO_HOME_ADDRESS
#define KORIMBO_HOME_ADDRESS "http://home.example.com/"
#endif

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

ByteSet MakerLinksHtml()
{
    return FixedLinksHtml(KORIMBO_SITE_ADDRESS, KORIMBO_HOME_ADDRESS);
}

} // namespace korimbo
