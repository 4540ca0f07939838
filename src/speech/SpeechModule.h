#pragma once

#include "speech/SpeechControl.h"

#include <memory>

// The speech part of the program (Flite and its voices, Qt Multimedia and all they pull in) is a
// module of its own, loaded when the first window that speaks is opened, so that starting the
// program does not pay for it. These are the functions the module exports, found by name.
namespace SpeechModule
{

// Changes with every change of what crosses between the program and the module, so that a
// module of another build is refused instead of called.
inline constexpr int InterfaceVersion = 1;

// extern "C" int slovnik_speech_interface(): the module's InterfaceVersion.
inline constexpr char InterfaceSymbol[] = "slovnik_speech_interface";
using InterfaceFunction = int (*)();

// extern "C" void slovnik_make_speech_control(std::unique_ptr<SpeechControl>&): a new
// speech control for a window being loaded.
inline constexpr char MakeControlSymbol[] = "slovnik_make_speech_control";
using MakeControlFunction = void (*)(std::unique_ptr<SpeechControl>& control);

} // namespace SpeechModule
