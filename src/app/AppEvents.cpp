#include "app/Form1.h"

namespace app {

void Form1::wireAppEvents() {
    Unload = [this](int& cancel) { Form_Unload(cancel); };
    mnuExit.Click = [this] { mnuExit_Click(); };
    Command3.Click = [this] { Command3_Click(); };
}

}  // namespace app
