#pragma once

// What assistive technologies (screen readers over AT-SPI) are told about the program's own
// kinds of control, where Qt's defaults do not fit: the windows are windows, whatever Qt
// class they are built on, and a PositionBar is a slider whose value is a position's name.
namespace Accessibility
{

// Makes it so for every window built after it; calling it again does nothing.
void install();

} // namespace Accessibility
