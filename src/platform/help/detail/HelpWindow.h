#pragma once
// The help window: a text browser over the pages of one compiled help file,
// with Back, Forward and Contents. Pages are addressed as "chm:/name.html";
// relative links and pictures resolve against the page that holds them.

#include <QTextBrowser>
#include <QWidget>
#include <memory>

#include "platform/help/ChmArchive.h"

class QToolButton;

namespace help {

// Reads every resource of a page from the help file, never from disk.
class HelpBrowser : public QTextBrowser {
public:
    explicit HelpBrowser(QWidget* parent);
    void setArchive(std::shared_ptr<const ChmArchive> archive) { archive_ = std::move(archive); }
    QVariant loadResource(int type, const QUrl& name) override;

private:
    std::shared_ptr<const ChmArchive> archive_;
};

class HelpWindow : public QWidget {
public:
    explicit HelpWindow(QWidget* owner);
    // Shows the file's default topic; a window already showing another file
    // moves to this one.
    void showTopic(std::unique_ptr<ChmArchive> archive, const QString& filePath);
    const QString& filePath() const { return filePath_; }
    HelpBrowser* browser() const { return browser_; }

    static QUrl pageUrl(const std::string& name);

private:
    void followLink(const QUrl& link);
    void pageShown();

    HelpBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
    QToolButton* contents_;
    QString filePath_;
    QUrl home_;
};

}  // namespace help
