#pragma once
// One level of undo and redo made of hidden whole-sheet copies: "<name>_Undo" holds the sheet
// before the last tool run, "<name>_Redo" the sheet before the last undo.
namespace shell {

// Drive the ribbon's Undo and Redo buttons; not derived from the sheets.
inline bool undoEnabled = false;
inline bool redoEnabled = false;

// Copies the active sheet into a hidden "<name>_Undo" sheet placed before it.
void takeUndoSnapshot();
// Sets the two flags and asks the ribbon to refresh its Undo and Redo buttons.
void setUndoRedoState(bool& undo, bool& redo);
void undoLastAction();
void redoLastAction();

}  // namespace shell
