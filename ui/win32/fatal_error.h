#pragma once

#include <string_view>

// The Windows report of a fatal runtime error (see ReportFatalError), in a MessageBox with no owner.
namespace korimbo {

// The handler for SetFatalErrorHandler: ReportFatalError with a MessageBox.
void ReportFatalErrorInMessageBox(int code, std::string_view message);

} // namespace korimbo
