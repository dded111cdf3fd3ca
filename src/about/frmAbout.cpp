#include "about/frmAbout.h"

#include "app/Services.h"

namespace vorlix {

frmAbout::frmAbout(Forms& forms)
    : Form(nullptr, kFixedDialogFlags),
      forms_(forms)
{
    setWindowTitle(QStringLiteral("About Vorlix"));
    setFixedSize(323, 237);
    move(156, 129);
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + kProgramTitle);
}

} // namespace vorlix
