#pragma once

#include <string>

// Checks of korimbo.exe as a file: its icon and its version resource.
namespace korimbo::e2e {

// The program's icon (resource 1, in the title bar's sizes) and the version resource naming the
// project's version `version` ("MAJOR.MINOR.PATCH").
void CheckResources(const std::wstring &exe, const std::wstring &version);

} // namespace korimbo::e2e
