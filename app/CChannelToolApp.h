#pragma once

// The application object: runs the main window modally and ends when it closes.
class CChannelToolApp final {
public:
    // Always false: the program ends after the main window's modal run.
    bool InitInstance();
};
