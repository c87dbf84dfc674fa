#pragma once
// The processing frame every tool runs in, and one level of undo and redo made of hidden
// whole-sheet copies: "<name>_Undo" holds the sheet before the last tool run, "<name>_Redo"
// the sheet before the last undo.
namespace shell {

// Drive the ribbon's Undo and Redo buttons; not derived from the sheets.
inline bool undoEnabled = false;
inline bool redoEnabled = false;

// Host settings off before a tool changes cells, and back on (fixed values) afterwards.
void beginProcessing();
void endProcessing();

// Copies the active sheet into a hidden "<name>_Undo" sheet placed before it.
void takeUndoSnapshot();
// Sets the two flags and asks the ribbon to refresh its Undo and Redo buttons.
void setUndoRedoState(bool& undo, bool& redo);
void undoLastAction();
void redoLastAction();

// Runs processing-start now and processing-end when it leaves scope, however it leaves.
class ProcessingFrame {
public:
    ProcessingFrame() { beginProcessing(); }
    ~ProcessingFrame() { endProcessing(); }
    ProcessingFrame(const ProcessingFrame&) = delete;
    ProcessingFrame& operator=(const ProcessingFrame&) = delete;
};

}  // namespace shell
