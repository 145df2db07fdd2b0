#pragma once

#include <QPushButton>
#include <QRect>
#include <QString>

class QPaintEvent;

namespace bearing::ui {

// A push button whose caption wraps onto as many lines as its fixed width needs.
// QPushButton draws its text on one line; this one draws the usual bevel and focus
// frame and then the caption word-wrapped and centred, so it clicks, takes focus and
// is announced by screen readers like any other button.
class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    explicit WrappingButton(const QString& caption, QWidget* parent = nullptr);

    // Where the caption is drawn: the style's contents area of the button.
    [[nodiscard]] QRect captionRect() const;
    [[nodiscard]] static constexpr int captionFlags() { return Qt::AlignCenter | Qt::TextWordWrap; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace bearing::ui
