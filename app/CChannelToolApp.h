#pragma once

// The application object: runs the main window modally and ends when it closes.
class CChannelToolApp final {
public:
    // Always false: the program ends after the main window's modal run.
    bool InitInstance();
    // The process's exit status: 1 when the program could not start.
    int ExitInstance() const { return m_nExitCode; }

private:
    int m_nExitCode = 0;
};
