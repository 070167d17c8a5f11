#pragma once

#include <QWidget>
#include <array>

#include "settings/Switches.h"

class QAction;
class QMenu;
class QPushButton;

namespace quadrello {

namespace platform {
class CheckBox;
class Label;
class PictureBox;
class WrappingButton;
}  // namespace platform

class CoefficientBox;

namespace ui {
struct Control;
}  // namespace ui

// The main window. Its controls carry their layout names as object names, so other parts and
// tests find them with findChild. Constructing it builds the layout and runs the load action
// (collapse the options panel, attach the skin, write the user record, restore the switches);
// show() then opens it centred with the focus in the box of coefficient a.
class frmMain : public QWidget {
    Q_OBJECT

  public:
    frmMain();

    // The tray pop-up menu mnuTray; it is never shown as a menu bar. Made when it is first
    // asked for: the first paint has no use for it, and it would be polished (and skinned) for
    // nothing at start.
    QMenu* TrayMenu();

  public slots:
    // The compute command of 计算按钮 and of Enter in a coefficient box.
    void SolveEquation();
    // cmdOption: opens or collapses the options panel, by the button's caption.
    void ToggleOptions();
    // 关于按钮 and 关于菜单: the About window, modal.
    void ShowAbout();
    // 联系作者按钮 and 联系作者菜单: a feedback mail in the desktop's mail program.
    void ContactAuthor();
    // 计算器按钮: the desktop's calculator; a message when there is none.
    void StartCalculator();

  signals:
    // The window has unloaded (closed or 退出): the program ends.
    void unloaded();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void CreateControls();
    // The control made from `control`.
    template <typename Widget>
    Widget* Child(const ui::Control& control) const;
    void CreateTrayMenu();
    void SetTabOrder();
    void NameForScreenReaders();
    void ConnectActions();

    void Load();
    void RestoreSwitches();
    // Stores a switch after its click action; says once per run when it could not be stored.
    void StoreSwitch(const Switch& entry, int state);
    platform::CheckBox* SwitchCheckBox(SwitchBox box) const;
    void SetOuterWidth(int twips);

    void OnTopmostClick();
    void OnTrayClick();
    void OnResize();
    // The icon's pictures are not needed for the first paint of the client area, so the window
    // takes its icon right after it; the tray asks for it earlier when it is switched on.
    void EnsureWindowIcon();

    CoefficientBox* coefficientA_ = nullptr;
    CoefficientBox* coefficientB_ = nullptr;
    CoefficientBox* coefficientC_ = nullptr;
    // Delta标签, 计算结果1标签, 计算结果2标签, 顶点坐标X标签, 顶点坐标Y标签: the solver's order.
    std::array<platform::Label*, 5> resultLabels_{};
    platform::Label* lab_ = nullptr;
    QPushButton* computeButton_ = nullptr;
    platform::WrappingButton* cmdOption_ = nullptr;
    platform::PictureBox* picGraphic_ = nullptr;

    QPushButton* calculatorButton_ = nullptr;
    platform::CheckBox* topmostBox_ = nullptr;
    platform::CheckBox* trayBox_ = nullptr;
    platform::CheckBox* chkDrawGraphic_ = nullptr;
    platform::CheckBox* chkMark_ = nullptr;
    platform::CheckBox* chkRedrawGraphic_ = nullptr;
    QPushButton* contactButton_ = nullptr;
    QPushButton* aboutButton_ = nullptr;

    bool iconSet_ = false;
    bool restoring_ = false;     // start-up is assigning the stored switches
    bool unsavedShown_ = false;  // the user has been told that a switch was not stored
    QMenu* mnuTray_ = nullptr;
    QAction* menuContact_ = nullptr;
    QAction* menuAbout_ = nullptr;
    QAction* menuExit_ = nullptr;
};

}  // namespace quadrello
