#include <QApplication>

#include "app/Form1.h"
#include "app/openerF.h"
#include "platform/time/PromptWakeups.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Settled long before the first playback needs it.
    timing::PromptWakeups::prepare();
    auto splash = std::make_unique<app::openerF>();
    std::unique_ptr<app::Form1> mainWindow = splash->Form_Load();
    return application.exec();
}
