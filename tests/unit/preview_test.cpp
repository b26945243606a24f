#include <gtest/gtest.h>

#include "fake/fake_input.h"
#include "fake/fake_modules.h"
#include "fake/fake_window.h"
#include "fixture.h"
#include "preview/preview.h"

namespace {

using fake::Texts;
using fake::Call;
using plat::Hwnd;
using plat::WParam;

const plat::Hmodule kInstance = fake::Token(1);
const Hwnd kParent = fake::Token(2);
const plat::Hmodule kImm = fake::Token(3);
const plat::Himc kDefaultContext = fake::Token(4);

class Preview : public FakeFixture {
protected:

    Hwnd Window() const { return fake::window.created; }

    // The calls made while the one queued message was dispatched.
    static Texts CallsDuringDispatch() {
        Texts out;
        bool inside = false;
        for (const auto& call : fake::calls) {
            const bool dispatch = call.rfind("DispatchMessageA(", 0) == 0;
            const bool get = call.rfind("GetMessageA(", 0) == 0;
            if (inside && !dispatch && !get) out.push_back(call);
            if (dispatch || get) inside = dispatch;
        }
        return out;
    }

    // Every call but the settings load's registry traffic.
    static Texts CallsWithoutRegistry() {
        Texts out;
        for (const auto& call : fake::calls)
            if (call.rfind("Reg", 0) != 0 || call.rfind("RegisterClassA(", 0) == 0)
                out.push_back(call);
        return out;
    }
};

// ------------------------------------------------------------ RunPreview

TEST_F(Preview, WithParentMakesABlackChildWindowWithTheArrowCursor) {
    EXPECT_EQ(RunPreview(kParent, kInstance), 0);

    ASSERT_FALSE(fake::calls.empty());
    EXPECT_EQ(fake::calls.front().rfind("RegCreateKeyExA(", 0), 0u) << "settings load first";
    const Hwnd w = Window();
    EXPECT_EQ(CallsWithoutRegistry(),
              (Texts{
                  Call("LoadIconA", kInstance, 1u),
                  Call("LoadCursorA", nullptr, 32512u),
                  Call("GetStockObject", 4),
                  Call("RegisterClassA", 0u, reinterpret_cast<void*>(PreviewWindowProc), 0, 0,
                       kInstance, fake::window.icon, fake::input.arrow, fake::window.blackBrush,
                       nullptr, "WindowsScreenSaverClass"),
                  Call("CreateWindowExA", 0u, "WindowsScreenSaverClass", "Slumbermix",
                       0x56000000u, 0, 0, 0, 0, kParent, nullptr, kInstance, nullptr),
                  Call("GetModuleHandleA", "IMM32.DLL"),
                  Call("ShowWindow", w, 3u),
                  Call("GetClientRect", w),
                  Call("UpdateWindow", w),
                  Call("GetMessageA", nullptr, 0u, 0u),
              }));
}

TEST_F(Preview, StandAloneMakesAPopupWithNoCursor) {
    RunPreview(nullptr, kInstance);

    Texts setup = CallsWithoutRegistry();
    setup.resize(4);
    EXPECT_EQ(setup, (Texts{
                         Call("LoadIconA", kInstance, 1u),
                         Call("GetStockObject", 4),
                         Call("RegisterClassA", 0u, reinterpret_cast<void*>(PreviewWindowProc), 0,
                              0, kInstance, fake::window.icon, nullptr, fake::window.blackBrush,
                              nullptr, "WindowsScreenSaverClass"),
                         Call("CreateWindowExA", 0u, "WindowsScreenSaverClass", "Slumbermix",
                              0x96000000u, 0, 0, 0, 0, nullptr, nullptr, kInstance, nullptr),
                     }));
    EXPECT_EQ(fake::CallsNamed({"ShowWindow"}), Texts{Call("ShowWindow", Window(), 3u)});
}

TEST_F(Preview, FailedRegistrationOrCreationReturnsZeroAtOnce) {
    fake::window.classAtom = 0;
    fake::QueueMessage(plat::kWmQuit, 9);
    EXPECT_EQ(RunPreview(kParent, kInstance), 0);
    EXPECT_TRUE(fake::CallsNamed({"CreateWindowExA", "GetMessageA"}).empty());

    NextRow();
    fake::window.created = nullptr;  // e.g. the parent handle names no window
    fake::QueueMessage(plat::kWmQuit, 9);
    EXPECT_EQ(RunPreview(kParent, kInstance), 0);
    EXPECT_EQ(fake::CallsNamed({"CreateWindowExA"}).size(), 1u);
    EXPECT_TRUE(fake::CallsNamed({"ShowWindow", "GetClientRect", "GetMessageA"}).empty());
}

TEST_F(Preview, ReturnsTheWParamOfWmQuit) {
    fake::QueueMessage(plat::kWmPaint);
    fake::QueueMessage(plat::kWmQuit, 7);
    EXPECT_EQ(RunPreview(kParent, kInstance), 7);
    EXPECT_EQ(fake::CallsNamed({"GetMessageA"}).size(), 2u);
    EXPECT_EQ(fake::CallsNamed({"TranslateMessage"}),
              Texts{Call("TranslateMessage", Window(), plat::kWmPaint)});
}

TEST_F(Preview, CloseDestroysTheWindowAndEndsTheLoopWithZero) {
    fake::QueueMessage(plat::kWmClose);
    fake::QueueMessage(plat::kWmPaint);  // dropped with the window
    EXPECT_EQ(RunPreview(nullptr, kInstance), 0);
    EXPECT_EQ(CallsDuringDispatch(),
              (Texts{Call("DefWindowProcA", Window(), plat::kWmClose, 0u, 0),
                                        Call("PostQuitMessage", 0)}));
    EXPECT_TRUE(fake::CallsNamed({"BeginPaint"}).empty());
}

// ------------------------------------------------------------ painting

struct PaintCase {
    std::int32_t width, height;
    std::int32_t iconX, iconY, textX, textY;
};

TEST_F(Preview, PaintsTheIconAndTheNameAroundTheMiddle) {
    const PaintCase cases[] = {
        {152, 112, 60, 24, 26, 72},     // the display settings' preview
        {153, 113, 60, 24, 26, 72},     // odd sizes round down
        {1024, 768, 496, 352, 462, 400},
        // Smaller than the picture: halving shifts, rounding towards minus
        // infinity (a division would give 0, -16 and 0, 15).
        {31, 31, -1, -17, -35, 31},
        {99, 1, 33, -32, -1, 16},
        {0, 0, -16, -32, -50, 16},
    };
    for (const PaintCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        NextRow();
        fake::window.client = {0, 0, c.width, c.height};
        fake::QueueMessage(plat::kWmPaint);
        RunPreview(kParent, kInstance);

        const plat::Hdc dc = fake::window.paintDc;
        EXPECT_EQ(CallsDuringDispatch(),
                  (Texts{
                      Call("BeginPaint", Window()),
                      Call("DrawIcon", dc, c.iconX, c.iconY, fake::window.icon),
                      Call("SetTextColor", dc, 0xC0C0C0u),
                      Call("SetBkColor", dc, 0u),
                      Call("TextOutA", dc, c.textX, c.textY, "Slumbermix", 10),
                      Call("EndPaint", Window(), dc),
                  }));
        EXPECT_EQ(fake::window.dispatched, std::vector<plat::LResult>{0});
    }
}

TEST_F(Preview, PaintUsesTheClientSizeTakenWhenShown) {
    fake::QueueMessage(plat::kWmPaint);
    fake::QueueMessage(plat::kWmPaint);
    fake::window.client = {0, 0, 152, 112};
    RunPreview(kParent, kInstance);
    EXPECT_EQ(fake::CallsNamed({"GetClientRect"}).size(), 1u);
    EXPECT_EQ(fake::CallsNamed({"DrawIcon"}),
              Texts(2, Call("DrawIcon", fake::window.paintDc, 60, 24, fake::window.icon)));
}

// ------------------------------------------------------------ messages

struct MessageCase {
    const char* name;
    std::uint32_t message;
    WParam wParam;
    plat::LParam lParam;
    bool withParent;
    enum { Nothing, CloseSelf, HideCursor, ForwardToParent, Default } effect;
    plat::LResult result;
};

TEST_F(Preview, MessageTable) {
    constexpr plat::LResult kDefault = 0x5A5A;
    constexpr plat::LParam kPoint = 0x00200010;
    const MessageCase cases[] = {
        {"key, stand-alone", plat::kWmKeyDown, 'A', 0, false, MessageCase::CloseSelf, 0},
        {"key, preview", plat::kWmKeyDown, 'A', 0, true, MessageCase::Nothing, 0},
        {"alt key, stand-alone", plat::kWmSysKeyDown, 'X', 0, false, MessageCase::CloseSelf, 0},
        {"alt key, preview", plat::kWmSysKeyDown, 'X', 0, true, MessageCase::Nothing, 0},
        {"left click, stand-alone", plat::kWmLButtonDown, 1, kPoint, false, MessageCase::CloseSelf, 0},
        {"left click, preview", plat::kWmLButtonDown, 1, kPoint, true, MessageCase::Nothing, 0},
        {"right click, stand-alone", plat::kWmRButtonDown, 2, kPoint, false, MessageCase::CloseSelf, 0},
        {"right click, preview", plat::kWmRButtonDown, 2, kPoint, true, MessageCase::Nothing, 0},
        {"middle click, stand-alone", plat::kWmMButtonDown, 16, kPoint, false, MessageCase::CloseSelf, 0},
        {"middle click, preview", plat::kWmMButtonDown, 16, kPoint, true, MessageCase::Nothing, 0},
        {"deactivated, stand-alone", plat::kWmActivateApp, 0, 0, false, MessageCase::CloseSelf, 0},
        {"activated, stand-alone", plat::kWmActivateApp, 1, 0, false, MessageCase::Nothing, 0},
        {"deactivated, preview", plat::kWmActivateApp, 0, 0, true, MessageCase::Nothing, 0},
        {"cursor, stand-alone", plat::kWmSetCursor, 0, 1, false, MessageCase::HideCursor, 0},
        {"cursor, preview", plat::kWmSetCursor, 0, 1, true, MessageCase::Nothing, 0},
        {"help, preview", plat::kWmHelp, 0, 0x1234, true, MessageCase::ForwardToParent, 1},
        {"help, stand-alone", plat::kWmHelp, 0, 0x1234, false, MessageCase::Nothing, 0},
        {"context menu, preview", plat::kWmContextMenu, 0, kPoint, true, MessageCase::ForwardToParent, 1},
        {"context menu, stand-alone", plat::kWmContextMenu, 0, kPoint, false, MessageCase::Nothing, 0},
        {"screen save, preview", plat::kWmSysCommand, 0xF140, 0, true, MessageCase::Nothing, 0},
        {"screen save, stand-alone", plat::kWmSysCommand, 0xF140, 0, false, MessageCase::Nothing, 0},
        {"close command, stand-alone", plat::kWmSysCommand, 0xF060, 0, false, MessageCase::Nothing, 0},
        {"mouse move, stand-alone", plat::kWmMouseMove, 0, kPoint, false, MessageCase::Default, kDefault},
        {"mouse move, preview", plat::kWmMouseMove, 0, kPoint, true, MessageCase::Default, kDefault},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.name);
        NextRow();
        fake::window.defResult = kDefault;
        fake::QueueMessage(c.message, c.wParam, c.lParam);
        RunPreview(c.withParent ? kParent : nullptr, kInstance);

        const Hwnd w = Window();
        Texts expected;
        switch (c.effect) {
            case MessageCase::Nothing: break;
            case MessageCase::CloseSelf:
                expected = {Call("PostMessageA", w, plat::kWmClose, 0u, 0)};
                break;
            case MessageCase::HideCursor: expected = {Call("SetCursor", nullptr)}; break;
            case MessageCase::ForwardToParent:
                expected = {Call("PostMessageA", kParent, c.message,
                                 reinterpret_cast<WParam>(kParent), c.lParam)};
                break;
            case MessageCase::Default:
                expected = {Call("DefWindowProcA", w, c.message, c.wParam, c.lParam)};
                break;
        }
        EXPECT_EQ(CallsDuringDispatch(), expected);
        EXPECT_EQ(fake::window.dispatched, std::vector<plat::LResult>{c.result});
    }
}

// ------------------------------------------------------------ input method

TEST_F(Preview, TakesTheInputContextAwayAndGivesItBack) {
    fake::modules.loaded["IMM32.DLL"] = kImm;
    fake::modules.exports[{kImm, "ImmAssociateContext"}] = fake::FakeExport();
    fake::modules.immResult = kDefaultContext;
    fake::QueueMessage(plat::kWmClose);
    RunPreview(kParent, kInstance);

    void* const fn = reinterpret_cast<void*>(fake::FakeExport());
    const Hwnd w = Window();
    EXPECT_EQ(fake::CallsNamed({"GetModuleHandleA", "LoadLibraryA", "GetProcAddress",
                                "ImmAssociateContext", "PostQuitMessage"}),
              (Texts{
                  Call("GetModuleHandleA", "IMM32.DLL"),
                  Call("GetProcAddress", kImm, "ImmAssociateContext"),
                  Call("ImmAssociateContext", fn, w, nullptr),
                  Call("ImmAssociateContext", fn, w, kDefaultContext),
                  Call("PostQuitMessage", 0),
              }));
}

TEST_F(Preview, InputMethodStepsAreSkippedWhenTheyCannotApply) {
    struct Case {
        const char* name;
        bool loaded;
        bool exported;
        plat::Himc context;
        std::size_t associateCalls;
    };
    const Case cases[] = {
        {"IMM32 not loaded (and never loaded for this)", false, true, kDefaultContext, 0},
        {"function missing", true, false, kDefaultContext, 0},
        {"no context to give back", true, true, nullptr, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NextRow();
        fake::modules.loadable["IMM32.DLL"] = kImm;
        if (c.loaded) fake::modules.loaded["IMM32.DLL"] = kImm;
        if (c.exported) fake::modules.exports[{kImm, "ImmAssociateContext"}] = fake::FakeExport();
        fake::modules.immResult = c.context;
        fake::QueueMessage(plat::kWmClose);
        RunPreview(nullptr, kInstance);

        EXPECT_TRUE(fake::CallsNamed({"LoadLibraryA"}).empty());
        EXPECT_EQ(fake::CallsNamed({"GetProcAddress"}).size(), c.loaded ? 1u : 0u);
        EXPECT_EQ(fake::CallsNamed({"ImmAssociateContext"}).size(), c.associateCalls);
        EXPECT_EQ(fake::CallsNamed({"PostQuitMessage"}).size(), 1u);
    }
}

}  // namespace
