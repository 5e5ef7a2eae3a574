#include "app/WrappingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace corvalen {

WrappingButton::WrappingButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // Let the style draw the bevel and focus frame, then draw the caption word-wrapped.
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect textRect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown()) {
        textRect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    painter.drawItemText(textRect, Qt::AlignCenter | Qt::TextWordWrap, option.palette, isEnabled(),
                         caption, QPalette::ButtonText);
}

}  // namespace corvalen
