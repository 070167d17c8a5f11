#include "ui/frmAbout.h"

namespace quadrello {

frmAbout::frmAbout() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName("frmAbout");
}

frmAbout& frmAbout::Instance() {
    static frmAbout* instance = new frmAbout;
    return *instance;
}

int frmAbout::ShowModal() {
    return 0;
}

}  // namespace quadrello
