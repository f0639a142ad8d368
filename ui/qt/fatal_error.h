#pragma once

#include <string_view>

#include "ui/logic/fatal_report.h"

// The Qt window's report of a fatal runtime error (see ReportFatalError), in a QMessageBox that
// tests can replace.
namespace korimbo {

// A box as ReportFatalError shows it; tests install their own.
using ErrorBoxHook = ErrorBoxShower;

// Installs the box; nullptr restores the Qt message box. Returns the one installed before.
ErrorBoxHook SetErrorBoxHook(ErrorBoxHook hook);

// The handler for SetFatalErrorHandler: ReportFatalError with the installed box.
void ReportFatalErrorInWindow(int code, std::string_view message);

} // namespace korimbo
