#pragma once
// The processing frame every tool runs in: host settings off before a tool changes cells, and
// back on (fixed values) afterwards, however the tool leaves.
namespace shell {

void beginProcessing();
void endProcessing();

// Runs processing-start now and processing-end when it leaves scope, however it leaves.
class ProcessingFrame {
public:
    ProcessingFrame() { beginProcessing(); }
    ~ProcessingFrame() { endProcessing(); }
    ProcessingFrame(const ProcessingFrame&) = delete;
    ProcessingFrame& operator=(const ProcessingFrame&) = delete;
};

}  // namespace shell
