#pragma once

// The link boxes as assistive technology sees them: a box is a group whose children are its links,
// each with the role Link, the link's text as its name, its target as value and description, and
// a press action that opens the target exactly as a click does (the same rule of what may be
// opened).
namespace korimbo {

// Makes Qt's accessibility ask this file for LinkBoxWidget's interface. Called by the widget;
// only the first call counts.
void InstallLinkBoxAccessibility();

} // namespace korimbo
