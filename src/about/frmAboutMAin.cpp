#include "about/frmAboutMAin.h"

namespace vorlix {

frmAboutMAin::frmAboutMAin(Forms& forms)
    : Form(nullptr, kFixedDialogFlags),
      forms_(forms)
{
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(137, 73);
}

} // namespace vorlix
