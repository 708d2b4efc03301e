// The program's main on Linux: hands the command line to the program entry.
#include <string>

#include "platform/win32.h"

int main(int argc, char** argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (!line.empty())
            line += ' ';
        line += argv[i];
    }
    std::u16string commandLine(line.begin(), line.end());
    return wWinMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), SW_SHOW);
}
