#pragma once

// Runs the reader: options, the built-in sample site for --demo, the desktop
// seam, MainWindow and the window message loop. Returns the exit code.
int RunReader(int argc, char** argv);
