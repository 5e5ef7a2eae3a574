#pragma once

#include <QPushButton>

namespace corvalen {

// A push button that breaks its caption over several lines when it does not fit on one, the way
// the button bar's narrow, fixed-size buttons need it. text() stays the caption as given.
class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    explicit WrappingButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace corvalen
