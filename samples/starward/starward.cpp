// Starward: a slow flight through a field of stars past a faint nebula. Each
// star streams out from the centre, a short streak that grows brighter and
// wider as it comes near.
#include <math.h>

#include "saver.h"

const char kSampleName[] = "Starward";
const char kSampleAbout[] = "A slow flight through a field of stars, past a faint nebula.";
const UINT kSampleFrameMs = 30;

namespace {

constexpr int kStars = 900;
constexpr int kLevels = 16;        // brightness steps, one pen each
constexpr int kTints = 3;
constexpr int kWidths = 3;         // 1, 2 and 3 pixels as a star comes near
constexpr float kSpeed = 0.22f;    // depth units per second
constexpr float kNear = 0.03f;
constexpr float kStreak = 0.05f;   // seconds of travel one streak shows
constexpr int kClouds = 7;

struct Star {
    float x, y, z;
    int tint;
};

struct Field {
    Star stars[kStars];
    HPEN pens[kTints][kLevels][kWidths];
    HDC nebulaDc;  // the still background, drawn once per size
    HBITMAP nebula;
    HGDIOBJ nebulaOld;
    float aspect;
    float lastSeconds;
} field;

const COLORREF kTintColours[kTints] = {RGB(170, 196, 255), RGB(255, 255, 255), RGB(255, 214, 170)};
const float kCloudColours[3][3] = {{56, 20, 88}, {20, 36, 96}, {12, 64, 80}};

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
            for (int w = 0; w < kWidths; ++w) field.pens[t][l][w] = CreatePen(PS_SOLID, w + 1, scaled);
        }
    }
}

void FreeNebula() {
    if (!field.nebulaDc) return;
    SelectObject(field.nebulaDc, field.nebulaOld);
    DeleteObject(field.nebula);
    DeleteDC(field.nebulaDc);
    field.nebulaDc = nullptr;
}

// Soft coloured clouds: a few round glows, torn by two crossing ripples.
void MakeNebula(const Canvas& canvas) {
    FreeNebula();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = canvas.width;
    info.bmiHeader.biHeight = -canvas.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    field.nebula = CreateDIBSection(canvas.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!field.nebula) return;
    field.nebulaDc = CreateCompatibleDC(canvas.dc);
    field.nebulaOld = SelectObject(field.nebulaDc, field.nebula);

    float cloudX[kClouds], cloudY[kClouds], reach[kClouds], weight[kClouds];
    int colour[kClouds];
    float size = static_cast<float>(canvas.width > canvas.height ? canvas.width : canvas.height);
    for (int k = 0; k < kClouds; ++k) {
        cloudX[k] = SampleRandomUnit() * canvas.width;
        cloudY[k] = SampleRandomUnit() * canvas.height;
        reach[k] = size * (0.12f + 0.2f * SampleRandomUnit());
        weight[k] = 0.4f + 0.6f * SampleRandomUnit();
        colour[k] = static_cast<int>(SampleRandom() % 3);
    }
    float ripple = 6.2832f / size;
    uint32_t* pixel = static_cast<uint32_t*>(bits);
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            float torn = 0.55f + 0.25f * sinf(x * ripple * 3.1f + sinf(y * ripple * 2.3f) * 2.0f) +
                         0.2f * sinf(y * ripple * 5.3f + x * ripple * 1.7f);
            float rgb[3] = {2, 3, 10};
            for (int k = 0; k < kClouds; ++k) {
                float dx = (x - cloudX[k]) / reach[k], dy = (y - cloudY[k]) / reach[k];
                float d = dx * dx + dy * dy;
                if (d > 4) continue;
                float glow = weight[k] * torn / (1 + d * d * 3);  // soft, long-tailed falloff
                for (int c = 0; c < 3; ++c) rgb[c] += kCloudColours[colour[k]][c] * glow;
            }
            uint32_t r = rgb[0] > 255 ? 255 : static_cast<uint32_t>(rgb[0]);
            uint32_t g = rgb[1] > 255 ? 255 : static_cast<uint32_t>(rgb[1]);
            uint32_t b = rgb[2] > 255 ? 255 : static_cast<uint32_t>(rgb[2]);
            *pixel++ = r << 16 | g << 8 | b;
        }
    }
    GdiFlush();
}

}  // namespace

void SampleStart(const Canvas& canvas) {
    field.aspect = static_cast<float>(canvas.width) / static_cast<float>(canvas.height);
    for (Star& star : field.stars) Spawn(star, kNear + SampleRandomUnit() * (1 - kNear));
    if (!field.pens[0][0][0]) MakePens();
    MakeNebula(canvas);
}

void SampleFrame(const Canvas& canvas, float seconds) {
    float step = seconds - field.lastSeconds;
    if (step < 0 || step > 0.2f) step = 0.03f;  // a stall is not a jump
    field.lastSeconds = seconds;

    if (field.nebulaDc) {
        BitBlt(canvas.dc, 0, 0, canvas.width, canvas.height, field.nebulaDc, 0, 0, SRCCOPY);
    } else {
        SampleClear(canvas, RGB(2, 3, 10));
    }
    float cx = canvas.width * 0.5f, cy = canvas.height * 0.5f;
    float scale = canvas.height * 0.5f;

    HGDIOBJ oldPen = SelectObject(canvas.dc, field.pens[0][0][0]);
    for (Star& star : field.stars) {
        star.z -= kSpeed * step;
        float head = star.z;
        float tail = star.z + kSpeed * kStreak;
        int hx = static_cast<int>(cx + star.x / head * scale), hy = static_cast<int>(cy + star.y / head * scale);
        if (head < kNear || hx < -50 || hy < -50 || hx > canvas.width + 50 || hy > canvas.height + 50) {
            Spawn(star, 1.0f);
            continue;
        }
        int tx = static_cast<int>(cx + star.x / tail * scale), ty = static_cast<int>(cy + star.y / tail * scale);
        // Faint in the distance, full brightness for the last third.
        float closeness = 1.0f - head;
        int level = static_cast<int>((0.2f + 1.3f * closeness * closeness) * kLevels);
        if (level >= kLevels) level = kLevels - 1;
        int width = head < 0.2f ? 2 : head < 0.5f ? 1 : 0;
        SelectObject(canvas.dc, field.pens[star.tint][level][width]);
        MoveToEx(canvas.dc, tx, ty, nullptr);
        LineTo(canvas.dc, hx + 1, hy);
    }
    SelectObject(canvas.dc, oldPen);
}
