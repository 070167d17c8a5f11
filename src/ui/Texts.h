#pragma once

// The main window's texts that are no control's caption (those are in Controls.h).

namespace quadrello::texts {

// The application's title: the caption of its message boxes.
inline constexpr char kAppTitle[] = "Parabolix";

// The options button's caption while the panel is open.
inline constexpr char kOptionOpen[] = "选项<<";

// The feedback mail's subject, "<title> 意见反馈".
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

}  // namespace quadrello::texts
