#pragma once

#include <string_view>

#include "convert/address.h"
#include "convert/bytes.h"

// The HTML that the link boxes show, in GBK bytes.
namespace korimbo {

// The link to an address of the given kind: <a href="ADDRESS">LABEL</a>, LABEL being 直接下载,
// 迅雷下载, 快车下载 or 旋风下载, with & " < > in the address written as character references, so
// the target read back is the address.
ByteSet LinkHtml(const AnsiText &address, OutputKind kind);

// The fixed content of the fifth link box: the two addresses (written unquoted; they hold no
// space) linked as "访问官网" and "空间", with a plain "|" between them.
ByteSet FixedLinksHtml(std::string_view siteAddress, std::string_view homeAddress);

// FixedLinksHtml with the two addresses this build was configured with.
ByteSet MakerLinksHtml();

} // namespace korimbo
