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
inline constexpr char kFeedbackAddress[] = "tarvenn@example.com";
inline constexpr char kFeedbackSubject[] = " 意见反馈";  // after the title
// Said when no mail program takes the link, followed by the address.
inline constexpr char kNoMailProgram[] = "无法打开邮件程序。请把意见发送到：";
inline constexpr char kNoCalculator[] = "无法启动系统计算器。";

// What a screen reader says for each result before its text.
inline constexpr char kSpokenDelta[] = "判别式";
inline constexpr char kSpokenRoot1[] = "第一个根";
inline constexpr char kSpokenRoot2[] = "第二个根";
inline constexpr char kSpokenVertexX[] = "顶点横坐标";
inline constexpr char kSpokenVertexY[] = "顶点纵坐标";
inline constexpr char kSpokenPointer[] = "指针处的坐标";
inline constexpr char kSpokenPicture[] = "抛物线图像";
// Said of the options button besides its name, for each state of the panel.
inline constexpr char kSpokenOptionCollapsed[] = "展开选项面板";
inline constexpr char kSpokenOptionOpen[] = "收起选项面板";

}  // namespace quadrello::captions
