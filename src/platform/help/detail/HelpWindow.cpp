#include "platform/help/detail/HelpWindow.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace help {

namespace {

constexpr const char* PageScheme = "chm";
constexpr int DefaultWidth = 720;
constexpr int DefaultHeight = 600;

QToolButton* navigationButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& text,
                              const QString& objectName) {
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(text);
    button->setToolTip(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setObjectName("HelpBrowser");
    // Links are followed by the window, which keeps them inside the help file.
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

QVariant HelpBrowser::loadResource(int /*type*/, const QUrl& name) {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (!archive_ || url.scheme() != PageScheme) return {};
    const std::optional<std::string> data =
        archive_->read(url.path(QUrl::FullyDecoded).toStdString());
    if (!data) return {};
    return QByteArray(data->data(), static_cast<qsizetype>(data->size()));
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("HelpWindow");
    browser_ = new HelpBrowser(this);
    back_ = navigationButton(this, QStyle::SP_ArrowBack, tr("Back"), "HelpBack");
    forward_ = navigationButton(this, QStyle::SP_ArrowForward, tr("Forward"), "HelpForward");
    contents_ = navigationButton(this, QStyle::SP_DirHomeIcon, tr("Contents"), "HelpContents");
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 2);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    resize(DefaultWidth, DefaultHeight);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QToolButton::clicked, this, [this] { browser_->setSource(home_); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { followLink(link); });
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { pageShown(); });
}

QUrl HelpWindow::pageUrl(const std::string& name) {
    QUrl url;
    url.setScheme(PageScheme);
    url.setPath(QString::fromStdString(name), QUrl::DecodedMode);
    return url;
}

void HelpWindow::showTopic(std::unique_ptr<ChmArchive> archive, const QString& filePath) {
    home_ = pageUrl(archive->defaultTopic());
    browser_->setArchive(std::shared_ptr<const ChmArchive>(std::move(archive)));
    filePath_ = filePath;
    // The same address is not loaded again by itself, yet the file may have
    // changed since it was shown.
    if (browser_->source() == home_) {
        browser_->reload();
    } else {
        browser_->setSource(home_);
    }
    browser_->clearHistory();
    pageShown();
}

void HelpWindow::followLink(const QUrl& link) {
    // Only pages of the help file are shown; any other address goes nowhere.
    if (link.scheme() == PageScheme) browser_->setSource(link);
}

void HelpWindow::pageShown() {
    QString title = browser_->documentTitle().trimmed();
    if (title.isEmpty()) title = tr("Help");
    setWindowTitle(title);
}

}  // namespace help
