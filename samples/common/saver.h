// The frame the sample screen savers share: command line, the full-screen
// and preview windows, ending on input, the back buffer, the timer and the
// optional demo log. A sample supplies its name, its description and two
// drawing functions; everything else lives in saver.cpp.
#pragma once

#include <windows.h>

#include <stdint.h>

// The surface one frame is drawn on: a 32-bit top-down DIB section selected
// into a memory DC. A sample draws with GDI through `dc`, or writes pixels
// (0x00RRGGBB, `width` per row); GDI has been flushed before each frame, so
// a sample that mixes the two calls GdiFlush() between GDI and pixels.
struct Canvas {
    HDC dc;
    uint32_t* pixels;
    int width;
    int height;
};

// Supplied by each sample.
extern const char kSampleName[];   // shown in the log and the message box
extern const char kSampleAbout[];  // one sentence for the /c message box
extern const UINT kSampleFrameMs;  // timer interval
void SampleStart(const Canvas& canvas);                  // a new canvas size
void SampleFrame(const Canvas& canvas, float seconds);   // seconds since start

// Helpers for the samples.
uint32_t SampleRandom();
float SampleRandomUnit();                    // in [0, 1)
COLORREF SampleHue(float hue, float value);  // hue in turns, value 0..1
void SampleClear(const Canvas& canvas, COLORREF colour);
