#pragma once

// The mouse pointer shapes of a window, by their numbers.
enum class MousePointer { Default = 0, Hourglass = 11 };
