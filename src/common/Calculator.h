#pragma once

// Starts the desktop's calculator without waiting for it: calc.exe on Windows, Calculator on
// macOS, elsewhere the first installed of the usual calculators. False when none could start;
// nobody is told, the button simply does nothing then.
bool StartCalculator();
