#include "ui/logic/convert_command.h"

#include "ui/logic/link_html.h"

namespace korimbo {
namespace {

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
