#include "ui/logic/fatal_report.h"

#include <string>

#include "convert/runtime.h"

namespace korimbo {
namespace {

bool clicksStopped = false;

} // namespace

void ReportFatalError(int code, std::string_view message, ErrorBoxShower showBox)
{
    StopClicks();
    const std::string text = FatalErrorText(code, message);
    showBox("错误", text);
}

void StopClicks()
{
    clicksStopped = true;
}

bool ClicksStopped()
{
    return clicksStopped;
}

} // namespace korimbo
