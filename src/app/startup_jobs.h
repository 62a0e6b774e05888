#pragma once

class MainWindow;

// Starts the background jobs of MainWindow's creation, in order, without
// waiting for any of them: remembered login, notice texts, version check,
// main ticker texts, bookmark list.
void StartStartupJobs(MainWindow* window);
