#pragma once

// The program's commands that stand in the shared module beside the engine.
namespace Module1 {

// Fills the intro window (the about box) and shows it.
void about();

// Prints the plot on one page, after the page-setup and print dialogs.
void printer();

// Saves the plot as a PNG picture twice the plot window's size, after the save dialog.
void saveplot();

}  // namespace Module1
