// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

class Form1;
class QApplication;

// Start-up and shutdown of the program, shared by main() and the benchmarks.
namespace Startup {

// Before the application object exists: a missing display becomes one clear line on standard
// error and exit status 1, instead of the toolkit's abort.
void prepareProcess();

// Names, version and look of the application.
void configureApplication(QApplication &app);

// Creates the main window and runs its load step. On an error the error is reported and
// nothing is returned; no window has been shown.
std::unique_ptr<Form1> createMainWindow();

// The whole program: create, load and show the main window, then dispatch events until it
// closes. Returns the process exit status.
int run(QApplication &app);

} // namespace Startup
