#include "platform/help/HelpViewer.h"

#include <QPointer>

#include "platform/forms/Form.h"
#include "platform/help/ChmArchive.h"
#include "platform/help/detail/HelpWindow.h"

namespace help {

bool showHelpFile(forms::Form& owner, const std::string& path) {
    std::unique_ptr<ChmArchive> archive = ChmArchive::open(path);
    if (!archive) return false;
    const std::string topic = archive->defaultTopic();
    if (topic.empty() || !archive->read(topic)) return false;

    // One help window per main window; it goes when its owner goes.
    static QPointer<HelpWindow> window;
    QWidget* ownerWindow = owner.nativeWindow();
    if (!window || window->parentWidget() != ownerWindow) window = new HelpWindow(ownerWindow);
    window->showTopic(std::move(archive), QString::fromStdString(path));
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

}  // namespace help
