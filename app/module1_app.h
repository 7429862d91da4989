#pragma once

// The program's commands that stand in the shared module beside the engine.
namespace Module1 {

// Fills the intro window (the about box) and shows it.
void about();

}  // namespace Module1
