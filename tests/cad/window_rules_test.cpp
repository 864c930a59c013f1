// The title and class tests of the CAD searches, on windows of the test process itself.
#include "cadCtrl2023/cadCtrl2023.h"
#include "platform/win/wide.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <vector>

namespace merulan {
namespace {

namespace cad = cadCtrl2023;

// A hidden top-level window of a class registered here on first use.
class TestWindow {
public:
    TestWindow(const std::u16string& className, const std::u16string& title) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = wide(className);
        RegisterClassExW(&windowClass); // fails harmlessly when registered before
        window_ = CreateWindowExW(0, wide(className), wide(title), WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_ = nullptr;
};

struct RuleCase {
    std::u16string title;
    std::u16string className;
    bool matches;
};

void expectRule(BOOL(CALLBACK* procedure)(HWND, LPARAM), HWND& stored, const std::vector<RuleCase>& cases) {
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(toUtf8(c.title) + " / " + toUtf8(c.className));
        TestWindow window(c.className, c.title);
        ASSERT_TRUE(window.get());
        stored = nullptr;
        EXPECT_EQ(procedure(window.get(), 0), c.matches ? FALSE : TRUE);
        EXPECT_EQ(stored, c.matches ? window.get() : nullptr);
    }
}

TEST(CadWindowRules, AutoCadTitleAndClass) {
    // Only the first 254 units of a class name are read: ":8:" at units 253 to 255 is cut off.
    const std::u16string longCut = u"Afx:" + std::u16string(248, u'0') + u":8:";
    const std::u16string longKept = u"Afx:" + std::u16string(247, u'0') + u":8:";
    expectRule(cad::enumAutoCadProc, cad::hAutoCad,
               {
                   {u"AutoCAD 2023 - [Drawing1.dwg]", u"AfxMDIFrame140u", true},
                   {u"AutoCAD2023", u"AfxMDIFrame140u", false},
                   {u"autocad 2023", u"AfxMDIFrame140u", false},
                   {u"Drawing1.dwg - AutoCAD 2023", u"AfxMDIFrame140u", false},
                   {u"Autodesk Civil 3D", u"AfxMDIFrame", true},
                   {u"Autodesk Civil 3D", u"Afx:00400000:8:00010003", true},
                   {u"Autodesk Civil 3D", u"Afx:00400000:0:00010003", false},
                   {u"Autodesk Civil 3D", u"MDIFrame:8:", false},
                   {u"DWG TrueView 2023", u"Afx:1:8:2", true},
                   {u"DWG TrueView2023", u"Afx:1:8:2", false},
                   {u"AutoCAD 2023", u"BricscadMainWindow", false},
                   {u"", u"AfxMDIFrame140u", false},
                   {u"AutoCAD 2023", longKept, true},
                   {u"AutoCAD 2023", longCut, false},
               });
}

TEST(CadWindowRules, IJCadMainWindowAndCommandLine) {
    expectRule(cad::enumIJCadProc, cad::hIJCad,
               {
                   {u"IJCAD 2023 - [Drawing1.dwg]", u"Afx:00400000:8:00010003", true},
                   {u"IJCAD 2023 Intelli", u"Afx:", true},
                   {u"IJCAD 2023", u"AfxMDIFrame140u", false},
                   {u"IJCAD 19", u"Afx:00400000:8:00010003", false},
                   {u"ijcad 2023", u"Afx:00400000:8:00010003", false},
                   {u"", u"Afx:00400000:8:00010003", false},
               });
    expectRule(cad::enumIJCadCmdLineProc, cad::hIJCadCmdLine,
               {
                   {u"コマンド ライン", u"Afx:00400000:0:00010003", true},
                   {u"コマンド ライン - 履歴", u"Afx:", true},
                   {u"コマンド\u3000ライン", u"Afx:00400000:0:00010003", false},
                   {u"コマンドライン", u"Afx:00400000:0:00010003", false},
                   {u"コマンド ライン", u"AfxControlBar140u", false},
               });
}

TEST(CadWindowRules, BricsCadIsFoundOnlyByItsClass) {
    TestWindow other(u"BricsCADFrame", u"BricsCAD V23 - [Drawing1.dwg]");
    EXPECT_EQ(cad::findBricsCadWindow(), nullptr);
    TestWindow bricscad(u"BricscadMainWindow", u"");
    EXPECT_EQ(cad::findBricsCadWindow(), bricscad.get());
    EXPECT_EQ(cad::hBricsCad, bricscad.get());
}

TEST(CadWindowRules, FirstMatchInEnumerationOrderIsTaken) {
    TestWindow first(u"Afx:ij", u"IJCAD 2023 - [A.dwg]");
    TestWindow second(u"Afx:ij", u"IJCAD 2023 - [B.dwg]");
    std::vector<HWND> order;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&order));
    HWND expected = nullptr;
    for (const HWND window : order) {
        if (window == first.get() || window == second.get()) {
            expected = window;
            break;
        }
    }
    ASSERT_TRUE(expected);
    EXPECT_EQ(cad::findIJCadWindow(), expected);
}

} // namespace
} // namespace merulan
