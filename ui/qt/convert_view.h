#pragma once

#include <QPointer>

#include "ui/logic/convert_command.h"
#include "ui/qt/main_window.h"

namespace korimbo {

// The Convert command's view of a MainWindow; it holds the window by a guarded pointer, so a
// window closed or deleted during the command reads as no longer open.
class QtConvertView : public ConvertWindow
{
  public:
    explicit QtConvertView(MainWindow *window) : window_(window) {}

    bool IsOpen() const override;
    AnsiText ReadEditBox(int number) const override;
    void WriteEditBox(int number, const AnsiText &text) override;
    void SetLinkBoxContent(int number, const ByteSet &html) override;

  private:
    QPointer<MainWindow> window_;
};

} // namespace korimbo
