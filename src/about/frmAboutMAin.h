#pragma once

#include "app/Form.h"

namespace vorlix {

class Forms;

// The about launcher, shown beside the player when its cap is pulled off.
class frmAboutMAin : public Form {
    Q_OBJECT
public:
    explicit frmAboutMAin(Forms& forms);

private:
    Forms& forms_;
};

} // namespace vorlix
