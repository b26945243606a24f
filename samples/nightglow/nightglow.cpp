// Nightglow: curtains of aurora ripple slowly over a starry sky above a
// dark line of hills. Green at the lower edge of the curtain, fading through
// teal to violet as it rises, with fine vertical rays that drift along it.
// Drawn pixel by pixel into the back buffer; the costly curves are tables.
#include <math.h>

#include "saver.h"

const char kSampleName[] = "Nightglow";
const char kSampleAbout[] = "Curtains of aurora ripple slowly over a starry sky above a dark line of hills.";
const UINT kSampleFrameMs = 40;

namespace {

constexpr int kMaxWidth = 8192;
constexpr int kMaxHeight = 8192;
constexpr int kStars = 260;
constexpr int kRise = 1024;  // table steps over the height of a curtain
constexpr int kFall = 64;    // table steps over its sharp lower edge

struct Rgb {
    int r, g, b;  // 0..255 << 8
};

struct Sky {
    int ridge[kMaxWidth];  // first row of the hills in each column
    Rgb background[kMaxHeight];
    Rgb rise[kRise];       // colour times brightness above the lower edge
    Rgb fall[kFall];       // and just below it
    int starX[kStars], starY[kStars], starLevel[kStars];
    float starPhase[kStars];
    float phase[8];
} sky;

Rgb Mix(Rgb a, Rgb b, float f) {
    return {static_cast<int>(a.r + (b.r - a.r) * f), static_cast<int>(a.g + (b.g - a.g) * f),
            static_cast<int>(a.b + (b.b - a.b) * f)};
}

Rgb Scale(Rgb c, float f) {
    return {static_cast<int>(c.r * f), static_cast<int>(c.g * f), static_cast<int>(c.b * f)};
}

void MakeTables(int height) {
    const Rgb green = {60 << 8, 255 << 8, 140 << 8};
    const Rgb teal = {40 << 8, 170 << 8, 190 << 8};
    const Rgb violet = {150 << 8, 70 << 8, 210 << 8};
    for (int i = 0; i < kRise; ++i) {
        float f = static_cast<float>(i) / kRise;  // 0 at the lower edge, 1 at the top
        Rgb colour = f < 0.35f ? Mix(green, teal, f / 0.35f) : Mix(teal, violet, (f - 0.35f) / 0.65f);
        // Dims upwards, and to nothing at the very top so the curtain has no
        // hard upper edge.
        sky.rise[i] = Scale(colour, expf(-2.6f * f) * (1.0f - f * f) * (0.35f + 0.65f * fminf(1.0f, f * 40.0f)));
    }
    for (int i = 0; i < kFall; ++i) {
        float f = static_cast<float>(i) / kFall;
        sky.fall[i] = Scale(green, 0.35f * expf(-5.0f * f));
    }
    const Rgb top = {3 << 8, 5 << 8, 18 << 8};
    const Rgb horizon = {12 << 8, 28 << 8, 46 << 8};
    for (int y = 0; y < height; ++y) {
        float f = static_cast<float>(y) / static_cast<float>(height);
        sky.background[y] = Mix(top, horizon, f * f);
    }
}

int Clamp255(int v) { return v > 255 ? 255 : v; }

}  // namespace

void SampleStart(const Canvas& canvas) {
    int width = canvas.width < kMaxWidth ? canvas.width : kMaxWidth;
    int height = canvas.height < kMaxHeight ? canvas.height : kMaxHeight;
    for (float& p : sky.phase) p = SampleRandomUnit() * 6.2832f;
    MakeTables(height);
    float h = static_cast<float>(height);
    for (int x = 0; x < width; ++x) {
        float fx = static_cast<float>(x) / static_cast<float>(width);
        // 1 - |sin| peaks sharply: three sizes of it make a mountain line.
        float peaks = 0.10f * (1 - fabsf(sinf(fx * 3.1f + sky.phase[0]))) +
                      0.045f * (1 - fabsf(sinf(fx * 7.7f + sky.phase[1]))) +
                      0.015f * (1 - fabsf(sinf(fx * 26.0f + sky.phase[2])));
        sky.ridge[x] = static_cast<int>(h * (0.93f - peaks));
    }
    for (int i = 0; i < kStars; ++i) {
        sky.starX[i] = static_cast<int>(SampleRandom() % static_cast<uint32_t>(width));
        sky.starY[i] = static_cast<int>(SampleRandomUnit() * SampleRandomUnit() * h * 0.8f);
        sky.starLevel[i] = 60 + static_cast<int>(SampleRandom() % 160);
        sky.starPhase[i] = SampleRandomUnit() * 6.2832f;
    }
}

void SampleFrame(const Canvas& canvas, float seconds) {
    int width = canvas.width < kMaxWidth ? canvas.width : kMaxWidth;
    int height = canvas.height < kMaxHeight ? canvas.height : kMaxHeight;
    float h = static_cast<float>(height);
    float t = seconds;
    const float* p = sky.phase;

    // Sky, hills and the curtain, column by column.
    for (int x = 0; x < width; ++x) {
        float fx = static_cast<float>(x) / static_cast<float>(width);
        float edge = h * (0.50f + 0.08f * sinf(fx * 5.0f + t * 0.10f + p[3]) +
                          0.035f * sinf(fx * 12.0f - t * 0.16f + p[4]));
        float tall = h * (0.30f + 0.08f * sinf(fx * 3.5f - t * 0.07f + p[5]));
        float glow = 0.6f + 0.45f * sinf(fx * 8.0f + t * 0.21f + p[6]) + 0.25f * sinf(fx * 21.0f - t * 0.37f + p[7]);
        glow = glow < 0.05f ? 0.05f : glow;
        float rays = 0.65f + 0.2f * sinf(fx * 190.0f + t * 0.8f + 3.0f * sinf(fx * 17.0f + t * 0.25f)) +
                     0.15f * sinf(fx * 77.0f - t * 0.5f);
        int strength = static_cast<int>(glow * rays * 330.0f);
        int riseStep = static_cast<int>(kRise * 65536.0f / tall);  // table steps per row, 16.16
        int fallStep = static_cast<int>(kFall * 65536.0f / (h * 0.03f));
        int edgeRow = static_cast<int>(edge);

        uint32_t* pixel = canvas.pixels + x;
        int ridge = sky.ridge[x];
        for (int y = 0; y < height; ++y, pixel += canvas.width) {
            if (y >= ridge) {
                *pixel = 0x00020306;
                continue;
            }
            Rgb c = sky.background[y];
            int rows = edgeRow - y;
            const Rgb* light = nullptr;
            if (rows >= 0) {
                int i = static_cast<int>((static_cast<int64_t>(rows) * riseStep) >> 16);
                if (i < kRise) light = &sky.rise[i];
            } else {
                int i = static_cast<int>((static_cast<int64_t>(-rows) * fallStep) >> 16);
                if (i < kFall) light = &sky.fall[i];
            }
            if (light) {
                c.r += (light->r * strength) >> 8;
                c.g += (light->g * strength) >> 8;
                c.b += (light->b * strength) >> 8;
            }
            *pixel = static_cast<uint32_t>(Clamp255(c.r >> 8) << 16 | Clamp255(c.g >> 8) << 8 | Clamp255(c.b >> 8));
        }
    }

    // Stars, twinkling, behind the curtain's light but above the hills.
    for (int i = 0; i < kStars; ++i) {
        int x = sky.starX[i], y = sky.starY[i];
        if (x >= width || y >= sky.ridge[x]) continue;
        int level = static_cast<int>(sky.starLevel[i] * (0.75f + 0.25f * sinf(t * 2.0f + sky.starPhase[i])));
        uint32_t& pixel = canvas.pixels[y * canvas.width + x];
        int r = Clamp255(static_cast<int>(pixel >> 16 & 0xFF) + level);
        int g = Clamp255(static_cast<int>(pixel >> 8 & 0xFF) + level);
        int b = Clamp255(static_cast<int>(pixel & 0xFF) + level);
        pixel = static_cast<uint32_t>(r << 16 | g << 8 | b);
    }
}
