#pragma once

// Starts the desktop's calculator without waiting for it: calc.exe on Windows, Calculator on
// macOS, elsewhere the first installed of the usual calculators. It is asked to start minimised
// with the input focus where the platform lets a starting program be asked that, which only
// Windows does (see Calculator.cpp). False when none could start; nobody is told, the button
// simply does nothing then.
bool StartCalculator();
