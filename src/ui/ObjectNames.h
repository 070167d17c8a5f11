#pragma once

// The main window's controls by their object names, for the window that names them and for
// the tests that look them up.

namespace quadrello::names {

inline constexpr char kCoefficientA[] = "二次项系数文本框";
inline constexpr char kCoefficientB[] = "一次项系数文本框";
inline constexpr char kCoefficientC[] = "常数项系数文本框";
inline constexpr char kResult1[] = "计算结果1标签";
inline constexpr char kResult2[] = "计算结果2标签";
inline constexpr char kDelta[] = "Delta标签";
inline constexpr char kVertexX[] = "顶点坐标X标签";
inline constexpr char kVertexY[] = "顶点坐标Y标签";
inline constexpr char kPointer[] = "lab";
inline constexpr char kCompute[] = "计算按钮";
inline constexpr char kOption[] = "cmdOption";
inline constexpr char kPicture[] = "picGraphic";
inline constexpr char kCalculator[] = "计算器按钮";
inline constexpr char kTopmost[] = "总在最前复选框";
inline constexpr char kTray[] = "托盘图标复选框";
inline constexpr char kDrawGraphic[] = "chkDrawGraphic";
inline constexpr char kMark[] = "chkMark";
inline constexpr char kRedrawGraphic[] = "chkRedrawGraphic";
inline constexpr char kContact[] = "联系作者按钮";
inline constexpr char kAbout[] = "关于按钮";
inline constexpr char kMenuCalculator[] = "系统计算器菜单";
inline constexpr char kMenuColours[] = "配置颜色菜单";
inline constexpr char kMenuHomePage[] = "作者主页菜单";
inline constexpr char kMenuContact[] = "联系作者菜单";
inline constexpr char kMenuMoreSoftware[] = "更多软件菜单";
inline constexpr char kMenuAbout[] = "关于菜单";
inline constexpr char kMenuSeparator[] = "d";
inline constexpr char kMenuExit[] = "mnuExit";

}  // namespace quadrello::names
