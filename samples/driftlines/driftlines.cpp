// Driftlines: a few smooth coloured curves drifting across the dark, each
// trailing a fading sheaf of its own earlier shapes like a ribbon of light.
// Every control point follows its own slow sine path, so the motion never
// repeats quickly and never leaves the screen.
#include <math.h>

#include "saver.h"

const char kSampleName[] = "Driftlines";
const char kSampleAbout[] = "Smooth coloured curves drift across the dark, each trailing a fading ribbon of light.";
const UINT kSampleFrameMs = 30;

namespace {

constexpr int kStrands = 3;
constexpr int kPoints = 4;         // one cubic Bezier per curve
constexpr int kTrail = 44;         // earlier shapes drawn behind each curve
constexpr float kTrailStep = 0.06f;  // seconds between two of them

struct Strand {
    float frequency[kPoints][2];
    float phase[kPoints][2];
    float hue;
};

Strand strands[kStrands];
float centreX, centreY, reachX, reachY;

void Shape(const Strand& strand, float t, POINT* points) {
    for (int i = 0; i < kPoints; ++i) {
        points[i].x = static_cast<LONG>(centreX + reachX * sinf(strand.frequency[i][0] * t + strand.phase[i][0]));
        points[i].y = static_cast<LONG>(centreY + reachY * sinf(strand.frequency[i][1] * t + strand.phase[i][1]));
    }
}

}  // namespace

void SampleStart(const Canvas& canvas) {
    centreX = canvas.width * 0.5f;
    centreY = canvas.height * 0.5f;
    reachX = canvas.width * 0.46f;
    reachY = canvas.height * 0.44f;
    for (int s = 0; s < kStrands; ++s) {
        Strand& strand = strands[s];
        for (int i = 0; i < kPoints; ++i) {
            for (int axis = 0; axis < 2; ++axis) {
                strand.frequency[i][axis] = 0.12f + SampleRandomUnit() * 0.28f;
                strand.phase[i][axis] = SampleRandomUnit() * 6.2832f;
            }
        }
        strand.hue = static_cast<float>(s) / kStrands + SampleRandomUnit() * 0.1f;
    }
}

void SampleFrame(const Canvas& canvas, float seconds) {
    SampleClear(canvas, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
    // Oldest first, so the bright heads lie on top of their trails.
    for (int k = kTrail - 1; k >= 0; --k) {
        float fade = 1.0f - static_cast<float>(k) / kTrail;
        for (const Strand& strand : strands) {
            POINT points[kPoints];
            Shape(strand, seconds - k * kTrailStep, points);
            float hue = strand.hue + seconds * 0.015f + k * 0.004f;
            HPEN pen = CreatePen(PS_SOLID, k == 0 ? 3 : 1, SampleHue(hue, fade * fade));
            SelectObject(canvas.dc, pen);
            PolyBezier(canvas.dc, points, kPoints);
            SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
            DeleteObject(pen);
        }
    }
    SelectObject(canvas.dc, oldPen);
}
