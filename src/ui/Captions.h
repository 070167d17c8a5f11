#pragma once

// The main window's fixed texts.

namespace quadrello::captions {

inline constexpr char kWindow[] = "Quadrello";
// The application's title: the caption of its message boxes.
inline constexpr char kAppTitle[] = "Parabolix";

inline constexpr char kLabel1[] = "二次项系数：";
inline constexpr char kLabel2[] = "一次项系数：";
inline constexpr char kLabel3[] = "常数项系数：";
inline constexpr char kLabel4[] = "计算结果";
inline constexpr char kResult1[] = "①=";
inline constexpr char kResult2[] = "②=";
inline constexpr char kDelta[] = "Δ(Delta)=";
inline constexpr char kLabel6[] = "顶点坐标：";
inline constexpr char kLabel7[] = "X=";
inline constexpr char kLabel8[] = "Y=";
inline constexpr char kCoefficient[] = "0";
inline constexpr char kCompute[] = "计 算";
// The options button's caption is the panel's state: collapsed exactly while it reads this.
inline constexpr char kOptionCollapsed[] = "选项 >>";
inline constexpr char kOptionOpen[] = "选项<<";

inline constexpr char kCalculator[] = "计 算 器";
inline constexpr char kTopmost[] = "总在最前";
inline constexpr char kTray[] = "托盘图标";
inline constexpr char kDrawGraphic[] = "绘制图像";
inline constexpr char kMark[] = "分数模式";
inline constexpr char kRedrawGraphic[] = "重画图像";
inline constexpr char kContact[] = "联系作者";
inline constexpr char kAbout[] = "关于..";

inline constexpr char kTrayMenu[] = "托盘菜单";
inline constexpr char kMenuCalculator[] = "系统计算器";
inline constexpr char kMenuColours[] = "配置颜色";
inline constexpr char kMenuHomePage[] = "作者主页";
inline constexpr char kMenuContact[] = "联系作者";
inline constexpr char kMenuMoreSoftware[] = "更多软件";
inline constexpr char kMenuAbout[] = "关于..";
inline constexpr char kMenuSeparator[] = "-";
inline constexpr char kMenuExit[] = "退出";

// The feedback mail: an address of ours and the subject "<title> 意见反馈".
inline constexpr char kFeedbackLink[] = "mailto:tarvenn@example.com?subject=Parabolix 意见反馈";
inline constexpr char kNoCalculator[] = "无法启动系统计算器。";

}  // namespace quadrello::captions
