#pragma once

#include <QWidget>

namespace quadrello {

// The About window: borderless, topmost, colour-keyed, 310 × 310 pixels. It fades in when it
// opens and out after a click on its close picture; the modal call returns when it has faded
// out and unloaded. One object for the whole program, created at the first opening and kept.
class frmAbout : public QWidget {
    Q_OBJECT

  public:
    static frmAbout& Instance();

    // Loads and shows the window application-modal and returns 0 once it has faded out.
    int ShowModal();

  private:
    frmAbout();
};

}  // namespace quadrello
