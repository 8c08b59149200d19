#pragma once

#include <QString>

#include <optional>

// The program's command line: `tavelo [ФАЙЛ]`, with --help and --version.
class CommandLine {
public:
    // Answers --help and --version, or a faulty command line, on the
    // terminal without a window or a display, and returns the exit status;
    // nothing when the window is to start. Call it before any application
    // object exists.
    static std::optional<int> answerWithoutWindow(int argc, char* argv[]);
    // The file named on the command line, to open after start-up; empty
    // where none is named.
    static QString fileToOpen();
};
