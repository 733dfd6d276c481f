#include "DemoOptions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

DemoOptions ParseDemoOptions(int argc, char** argv)
{
    DemoOptions options;
    for (int i = 1; i < argc && options.error.empty(); ++i) {
        const char* argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            options.showHelp = true;
        } else if (std::strcmp(argument, "--headless") == 0) {
            options.headless = true;
        } else if (std::strcmp(argument, "--frames") == 0 && hasValue) {
            char* end = nullptr;
            const long frames = std::strtol(argv[++i], &end, 10);
            if (end == argv[i] || *end != '\0' || frames < 1 || frames > 1000000) {
                options.error = std::string("--frames wants a count from 1 to 1000000, not ") + argv[i];
            }
            options.frames = static_cast<int>(frames);
            options.headless = true;
        } else if (std::strcmp(argument, "--out") == 0 && hasValue) {
            options.outDirectory = argv[++i];
            options.headless = true;
        } else {
            options.error = std::string("unknown or incomplete option ") + argument;
        }
    }
    return options;
}

void PrintDemoUsage(const char* program)
{
    std::printf("usage: %s [--frames N] [--out DIR] [--headless]\n"
                "  With a display the demo opens a window and runs until it is closed.\n"
                "  --frames N   draw N frames headless at a fixed 1/60 s step (default %d)\n"
                "  --out DIR    folder for the headless frames (default out)\n"
                "  --headless   draw headless even when a display is available\n"
                "Keys: F2 change device, Alt+Enter fullscreen, Enter pause, Space single step, Esc exit.\n",
                program, DemoOptions::kDefaultFrames);
}
