#include "ui/win32/gdi_text_measurer.h"

#include <cwchar>
#include <string>

#include "ui/win32/gbk_wide.h"

namespace korimbo {
namespace {

int CALLBACK NoteFontFound(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

bool FontInstalled(HDC dc, const wchar_t *family)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, family, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, &NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

HFONT MakeLinkBoxFont()
{
    HDC screen = GetDC(nullptr);
    // A negative height asks for the character height, which is what 9 points are.
    const int height = -LinkBoxFontPixels(GetDeviceCaps(screen, LOGPIXELSY));
    HFONT font = nullptr;
    for (const wchar_t *family : {L"宋体", L"SimSun"}) {
        if (FontInstalled(screen, family)) {
            font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, family);
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace

HFONT LinkBoxFont()
{
    static const HFONT font = MakeLinkBoxFont();
    return font;
}

GdiTextMeasurer::GdiTextMeasurer() : dc_(CreateCompatibleDC(nullptr)), previousFont_(SelectObject(dc_, LinkBoxFont()))
{
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    lineHeight_ = metrics.tmHeight;
    ascent_ = metrics.tmAscent;
}

GdiTextMeasurer::~GdiTextMeasurer()
{
    SelectObject(dc_, previousFont_);
    DeleteDC(dc_);
}

int GdiTextMeasurer::TextWidth(std::string_view gbk, TextStyle) const
{
    const std::wstring text = WideFromGbk(gbk);
    SIZE size{};
    if (text.empty() || !GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size))
        return 0;
    return size.cx;
}

} // namespace korimbo
