// What the command line asks of the demo.
#pragma once

#include <string>

struct DemoOptions {
    // Headless runs draw this many frames at a fixed step; a window runs until closed.
    static constexpr int kDefaultFrames = 300;

    bool headless = false;     // forced by --frames or --out, or when there is no display
    int frames = kDefaultFrames;
    std::string outDirectory = "out";
    bool showHelp = false;
    std::string error;         // set when the command line could not be understood
};

// Reads `--frames N`, `--out DIR`, `--headless` and `--help`.
DemoOptions ParseDemoOptions(int argc, char** argv);

void PrintDemoUsage(const char* program);
