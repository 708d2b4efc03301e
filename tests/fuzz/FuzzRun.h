// What the fuzz targets share: a private folder that holds copies of the
// bundled panels, pictures and icons (so that an input can name them), each
// input written there as a file, and a run on the headless host that must
// give back every GDI object it made.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tests/support/TestFiles.h"

namespace fuzz {

// Writes the input to `name` in the private folder; returns its full path.
testfiles::WString WriteInput(const char* name, const uint8_t* data, size_t size);

// One run of the program's code on a fresh headless host: the panel class
// registered, the program's folder being the private folder, launches
// recorded instead of started. The destructor destroys every window and
// aborts when GDI objects made during the run are still alive.
class FuzzRun {
public:
    FuzzRun();
    ~FuzzRun();
    FuzzRun(const FuzzRun&) = delete;
    FuzzRun& operator=(const FuzzRun&) = delete;

    // Shows the listed panels, runs them for a while, taps the first one in
    // its middle and then double-taps it, as a person trying it would.
    void ShowAndTapPanels();

private:
    int gdiObjectsBefore_;
};

}  // namespace fuzz
