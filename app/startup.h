#pragma once

// The program's start-up, from the process entry to the event loop.

// Runs the whole program; returns its exit code.
int Main(int argc, char** argv);

void EarlyStartup(int& argc, char** argv);
void InitFileTypes();
void NewAppInstance(int& argc, char** argv);
void ApplicationAddMenuHandlers();
void LateStartup();
void MakeDefaultView();
