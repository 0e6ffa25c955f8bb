#pragma once
// The splash window: the program's first window. It checks for a running
// instance, shows itself for three seconds, then loads and shows the main
// window.

#include <memory>

#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"

namespace app {

class Form1;

class openerF : public forms::Form {
public:
    openerF();
    ~openerF() override;

    // Runs the whole start-up; returns the shown main window (the splash is
    // gone by then). waitMs is the splash's pause.
    std::unique_ptr<Form1> Form_Load(int waitMs = 3000);
    void Label20_Click();

    forms::Image Image3;
    forms::Label Label20;
};

}  // namespace app
