#pragma once

// The main window as laid out: every control with its object name, kind, initial caption,
// place in twips (from the top-left corner of the client area) and the properties it is made
// with; the frame lines; the tab order; the hidden tray menu. The window is built from these
// tables, and other parts find its controls by these names.

#include <cstdint>

#include "graph/Twips.h"
#include "solver/Solver.h"

namespace quadrello::ui {

// The client area as laid out; the load action narrows it to collapse the options panel.
inline constexpr int kClientWidth = 6060;
inline constexpr int kClientHeight = 6825;

// Outer widths relative to the divider's X1: collapsed and open options panel.
inline constexpr int kCollapsedExtra = 50;     // 4665 + 50 = 4715
inline constexpr int kOpenExtra = 1300;        // 4665 + 1300 = 5965
inline constexpr int kPictureWidening = 1350;  // picGraphic while the panel is open

enum class Kind { Label, TextBox, Button, WrappingButton, CheckBox, PictureBox };

// What sets a control apart from the default of its kind.
enum Property : unsigned {
    kAutoSize = 1,      // a label as wide as its caption
    kTransparent = 2,   // a label that paints no background of its own
    kChecked = 4,       // a check box checked at design time
    kHidden = 8,        // never shown
    kSong15 = 16,       // in 宋体 15 pt rather than the window's 宋体 9 pt
    kNewSong10_5 = 32,  // in 新宋体 10.5 pt
};
inline constexpr int kSong15Pixels = 20;
inline constexpr int kNewSong10_5Pixels = 14;

struct Control {
    const char* name;
    Kind kind;
    const char* caption;  // null: none
    graph::TwipsRect place;
    unsigned properties = 0;
};

inline constexpr unsigned kStatic = kAutoSize | kTransparent;

// The main area, in reading order.
inline constexpr Control kLabel1{
    "Label1", Kind::Label, "二次项系数：", {135, 270, 1080, 180}, kStatic};
inline constexpr Control kCoefficientA{
    "二次项系数文本框", Kind::TextBox, "0", {1245, 150, 3225, 420}, kSong15};
inline constexpr Control kLabel2{
    "Label2", Kind::Label, "一次项系数：", {135, 840, 1080, 180}, kStatic};
inline constexpr Control kCoefficientB{
    "一次项系数文本框", Kind::TextBox, "0", {1245, 720, 3225, 420}, kSong15};
inline constexpr Control kLabel3{
    "Label3", Kind::Label, "常数项系数：", {135, 1425, 1080, 180}, kStatic};
inline constexpr Control kCoefficientC{
    "常数项系数文本框", Kind::TextBox, "0", {1245, 1305, 3225, 420}, kSong15};
inline constexpr Control kLabel4{"Label4", Kind::Label, "计算结果", {315, 1920, 720, 180}, kStatic};
inline constexpr Control kResult1{
    "计算结果1标签", Kind::Label, kFirstRootPrefix, {225, 2175, 2520, 195}, kTransparent};
inline constexpr Control kResult2{
    "计算结果2标签", Kind::Label, kSecondRootPrefix, {225, 2400, 2520, 195}, kTransparent};
inline constexpr Control kDelta{"Delta标签", Kind::Label, kDeltaPrefix, {225, 2745, 2520, 195}};
inline constexpr Control kLabel6{
    "Label6", Kind::Label, "顶点坐标：", {225, 2970, 900, 180}, kStatic};
inline constexpr Control kLabel7{"Label7", Kind::Label, "X=", {1155, 2970, 180, 180}, kStatic};
inline constexpr Control kVertexX{"顶点坐标X标签", Kind::Label, "", {1350, 2970, 510, 225}};
inline constexpr Control kLabel8{"Label8", Kind::Label, "Y=", {1995, 2970, 180, 180}, kStatic};
inline constexpr Control kVertexY{"顶点坐标Y标签", Kind::Label, "", {2190, 2970, 510, 225}};
inline constexpr Control kPointer{"lab", Kind::Label, "", {2970, 3165, 90, 180}, kAutoSize};
inline constexpr Control kCompute{
    "计算按钮", Kind::Button, "计 算", {3090, 2445, 855, 345}, kNewSong10_5};
// Its caption is the panel's state: collapsed exactly while it reads this one.
inline constexpr Control kOption{
    "cmdOption", Kind::WrappingButton, "选项 >>", {4080, 2265, 330, 825}};
inline constexpr Control kPicture{"picGraphic", Kind::PictureBox, nullptr, {120, 3450, 4335, 3075}};

// The options panel.
inline constexpr Control kCalculator{
    "计算器按钮", Kind::Button, "计 算 器", {4770, 150, 1005, 315}};
inline constexpr Control kTopmost{
    "总在最前复选框", Kind::CheckBox, "总在最前", {4770, 615, 1035, 240}};
inline constexpr Control kTray{
    "托盘图标复选框", Kind::CheckBox, "托盘图标", {4770, 915, 1035, 285}};
inline constexpr Control kDrawGraphic{
    "chkDrawGraphic", Kind::CheckBox, "绘制图像", {4770, 1230, 1050, 225}, kChecked};
inline constexpr Control kMark{
    "chkMark", Kind::CheckBox, "分数模式", {4740, 1620, 1020, 210}, kHidden};
inline constexpr Control kRedrawGraphic{
    "chkRedrawGraphic", Kind::CheckBox, "重画图像", {4755, 1980, 1050, 225}, kHidden};
inline constexpr Control kContact{"联系作者按钮", Kind::Button, "联系作者", {4815, 2475, 900, 315}};
inline constexpr Control kAbout{"关于按钮", Kind::Button, "关于..", {4845, 2985, 855, 345}};

// In the order they are made.
inline constexpr const Control* kControls[] = {
    &kLabel1,  &kCoefficientA, &kLabel2,  &kCoefficientB,  &kLabel3,  &kCoefficientC, &kLabel4,
    &kResult1, &kResult2,      &kDelta,   &kLabel6,        &kLabel7,  &kVertexX,      &kLabel8,
    &kVertexY, &kPointer,      &kCompute, &kOption,        &kPicture, &kCalculator,   &kTopmost,
    &kTray,    &kDrawGraphic,  &kMark,    &kRedrawGraphic, &kContact, &kAbout};

// Labels take no focus, and hidden boxes are passed over, so only these form the chain.
inline constexpr const Control* kTabOrder[] = {
    &kCoefficientA, &kCoefficientB, &kCoefficientC, &kCompute,      &kAbout,
    &kContact,      &kTopmost,      &kCalculator,   &kTray,         &kMark,
    &kOption,       &kPicture,      &kDrawGraphic,  &kRedrawGraphic};

// Straight lines from (x1, y1) to (x2, y2), one pixel wide, in one colour.
struct Line {
    const char* name;
    int x1;
    int y1;
    int x2;
    int y2;
};

// RGB(84, 165, 213), written 0xRRGGBB like every window colour.
inline constexpr std::uint32_t kLineColour = 0x54A5D5;

inline constexpr Line kLines[] = {
    {"分界线", 4665, -15, 4665, 3375},  // the divider: its X1 sets the window's width
    {"Line1", 4710, 2325, 5865, 2325},  // in the options panel
    {"Line2", 135, 3270, 135, 1995},    // the results frame, with a gap for Label4
    {"Line3", 1125, 1995, 2820, 1995}, {"Line4", 135, 3270, 2835, 3270},
    {"Line5", 135, 1995, 285, 1995},   {"Line6", 2820, 3270, 2820, 1980},
    {"Line7", 195, 2640, 2715, 2640},  // inside the frame
};
inline constexpr const Line& kDivider = kLines[0];

// The tray pop-up menu mnuTray: hidden, never a menu bar.
struct MenuItem {
    const char* name;
    const char* caption;  // "-": a separator line
};

inline constexpr MenuItem kTrayMenu{"mnuTray", "托盘菜单"};
inline constexpr MenuItem kMenuCalculator{"系统计算器菜单", "系统计算器"};
inline constexpr MenuItem kMenuColours{"配置颜色菜单", "配置颜色"};
inline constexpr MenuItem kMenuHomePage{"作者主页菜单", "作者主页"};
inline constexpr MenuItem kMenuContact{"联系作者菜单", "联系作者"};
inline constexpr MenuItem kMenuMoreSoftware{"更多软件菜单", "更多软件"};
inline constexpr MenuItem kMenuAbout{"关于菜单", "关于.."};
inline constexpr MenuItem kMenuSeparator{"d", "-"};
inline constexpr MenuItem kMenuExit{"mnuExit", "退出"};

inline constexpr const MenuItem* kTrayMenuItems[] = {
    &kMenuCalculator,   &kMenuColours, &kMenuHomePage,  &kMenuContact,
    &kMenuMoreSoftware, &kMenuAbout,   &kMenuSeparator, &kMenuExit};

}  // namespace quadrello::ui
