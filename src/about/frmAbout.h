#pragma once

#include "app/Form.h"

namespace vorlix {

class Forms;

// The about dialog, opened from the about launcher.
class frmAbout : public Form {
    Q_OBJECT
public:
    explicit frmAbout(Forms& forms);

    void Form_Load() override;

private:
    Forms& forms_;
};

} // namespace vorlix
