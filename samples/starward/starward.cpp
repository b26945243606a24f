// Starward: a slow flight through a field of stars. Each star streams out
// from the centre, a short streak that grows brighter and wider as it comes
// near, while the whole field turns gently about the line of flight.
#include <math.h>

#include "saver.h"

const char kSampleName[] = "Starward";
const char kSampleAbout[] =
    "Starward\n\n"
    "A slow flight through a field of stars that turns gently as it passes.\n\n"
    "A sample screen saver that comes with Slumbermix. It has no settings.";
const UINT kSampleFrameMs = 30;

namespace {

constexpr int kStars = 900;
constexpr int kLevels = 16;      // brightness steps, one pen each
constexpr int kTints = 3;
constexpr float kSpeed = 0.22f;  // depth units per second
constexpr float kNear = 0.03f;
constexpr float kStreak = 0.05f; // seconds of travel one streak shows

struct Star {
    float x, y, z;
    int tint;
};

struct Field {
    Star stars[kStars];
    HPEN pens[kTints][kLevels][2];  // [tint][brightness][narrow, wide]
    float aspect;
    float lastSeconds;
} field;

const COLORREF kTintColours[kTints] = {RGB(170, 196, 255), RGB(255, 255, 255), RGB(255, 214, 170)};

void Spawn(Star& star, float z) {
    star.x = (SampleRandomUnit() * 2 - 1) * field.aspect;
    star.y = SampleRandomUnit() * 2 - 1;
    star.z = z;
    uint32_t kind = SampleRandom() % 10;  // mostly cool white, a few warm
    star.tint = kind < 5 ? 0 : kind < 8 ? 1 : 2;
}

void MakePens() {
    for (int t = 0; t < kTints; ++t) {
        for (int l = 0; l < kLevels; ++l) {
            float v = static_cast<float>(l + 1) / kLevels;
            COLORREF c = kTintColours[t];
            COLORREF scaled = RGB(static_cast<int>(GetRValue(c) * v), static_cast<int>(GetGValue(c) * v),
                                  static_cast<int>(GetBValue(c) * v));
            for (int wide = 0; wide < 2; ++wide) {
                if (field.pens[t][l][wide]) DeleteObject(field.pens[t][l][wide]);
                field.pens[t][l][wide] = CreatePen(PS_SOLID, wide ? 2 : 1, scaled);
            }
        }
    }
}

}  // namespace

void SampleStart(const Canvas& canvas) {
    field.aspect = static_cast<float>(canvas.width) / static_cast<float>(canvas.height);
    for (Star& star : field.stars) Spawn(star, kNear + SampleRandomUnit() * (1 - kNear));
    if (!field.pens[0][0][0]) MakePens();
}

void SampleFrame(const Canvas& canvas, float seconds) {
    float step = seconds - field.lastSeconds;
    if (step < 0 || step > 0.2f) step = 0.03f;  // a stall is not a jump
    field.lastSeconds = seconds;

    SampleClear(canvas, RGB(2, 3, 10));
    float cx = canvas.width * 0.5f, cy = canvas.height * 0.5f;
    float scale = canvas.height * 0.5f;
    float turn = seconds * 0.04f;
    float cosT = cosf(turn), sinT = sinf(turn);

    HGDIOBJ oldPen = SelectObject(canvas.dc, field.pens[0][0][0]);
    for (Star& star : field.stars) {
        star.z -= kSpeed * step;
        float x = star.x * cosT - star.y * sinT;
        float y = star.x * sinT + star.y * cosT;
        float head = star.z;
        float tail = star.z + kSpeed * kStreak;
        int hx = static_cast<int>(cx + x / head * scale), hy = static_cast<int>(cy + y / head * scale);
        if (head < kNear || hx < -50 || hy < -50 || hx > canvas.width + 50 || hy > canvas.height + 50) {
            Spawn(star, 1.0f);
            continue;
        }
        int tx = static_cast<int>(cx + x / tail * scale), ty = static_cast<int>(cy + y / tail * scale);
        // Faint in the distance, full brightness for the last third.
        float closeness = 1.0f - head;
        int level = static_cast<int>((0.15f + 1.3f * closeness * closeness) * kLevels);
        if (level >= kLevels) level = kLevels - 1;
        SelectObject(canvas.dc, field.pens[star.tint][level][head < 0.25f ? 1 : 0]);
        MoveToEx(canvas.dc, tx, ty, nullptr);
        LineTo(canvas.dc, hx + 1, hy);
    }
    SelectObject(canvas.dc, oldPen);
}
