#pragma once
// A label painted by hand, so that its lines can stand at a fixed pixel pitch.

#include <QString>
#include <QStringList>
#include <QWidget>

namespace forms::detail {

class LabelView : public QWidget {
public:
    explicit LabelView(QWidget* parent);

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);
    // 0 left, 1 right, 2 centre.
    void setAlignment(int alignment);
    bool transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    void setWordWrap(bool wrap);
    // 0 uses the font's own line spacing.
    void setLineSpacing(int pixels);

    // The lines as painted: the caption's lines, broken at word boundaries to
    // the label's width when word wrap is on.
    QStringList paintedLines() const;
    int linePitch() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    int alignment_ = 0;
    bool transparent_ = false;
    bool wordWrap_ = false;
    int lineSpacing_ = 0;
};

}  // namespace forms::detail
