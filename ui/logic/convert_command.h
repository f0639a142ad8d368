#pragma once

#include "convert/address.h"
#include "convert/bytes.h"

// The Convert command that the "转换" button runs, over a small view of the window so that any
// toolkit can host it.
namespace korimbo {

// The part of the window the Convert command touches. Edit boxes are numbered 1 (the input) to 5,
// link boxes 1 to 4, as their names say. Texts cross this boundary as GBK.
class ConvertWindow
{
  public:
    virtual ~ConvertWindow() = default;
    // Whether the window and its controls are still there (not closed or closing).
    virtual bool IsOpen() const = 0;
    // The whole current text of edit box `number`, asked afresh each time.
    virtual AnsiText ReadEditBox(int number) const = 0;
    // Replaces the whole text of edit box `number`; focus and selection do not move.
    virtual void WriteEditBox(int number, const AnsiText &text) = 0;
    // Replaces the whole HtmlContent of link box `number`.
    virtual void SetLinkBoxContent(int number, const ByteSet &html) = 0;
};

// Fills edit boxes 2 to 5 with the four forms of the input (reading the input afresh for each
// form), then gives link boxes 1 to 4 a link to what the output boxes hold when read back. Events
// dispatched during a long decode may run the command again, nested. If the window closes
// meanwhile, the command stops at its next step without touching any control.
void RunConvertCommand(ConvertWindow &window);

} // namespace korimbo
