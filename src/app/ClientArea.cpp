#include "app/ClientArea.h"

#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/GridView.h"

namespace corvalen {
namespace {

// The client area at design time and the places of the controls in it, in twips.
constexpr int kClientWidth = 16500;  // wide enough for the 19 columns of an import
constexpr int kClientHeight = 9780;
constexpr int kFrameLeft = 250;
constexpr int kFrameTop = 100;
constexpr int kFrameRightMargin = 130;
constexpr int kFrameGap = 50;  // between the grid frame and the button bar
constexpr int kBarHeight = 975;
constexpr int kBarBottomMargin = 170;
constexpr int kGridLeft = 400;  // inside the grid frame
constexpr int kGridTop = 250;
constexpr int kGridRightMargin = 100;
constexpr int kGridBottomMargin = 50;
constexpr int kButtonLeft = 120;  // inside the button bar
constexpr int kButtonTop = 240;
constexpr int kButtonPitch = 1440;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 495;
constexpr int kEndButtonRightMargin = 100;
constexpr int kMinimumGridHeight = 1500;  // header and a few rows stay visible
constexpr int kMinimumButtonGap = 100;    // between the last left button and the end one

// The memory table grid: a fixed-pitch font, pale green alternate rows, whole rows selected.
void SetUpGrid(QTableView& grid) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(QLatin1Char('i')) !=
        metrics.horizontalAdvance(QLatin1Char('W'))) {
        // No Courier New and no fixed-pitch stand-in for it: take the system's fixed font.
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    font.setPointSizeF(8.25);
    grid.setFont(font);
    QPalette palette = grid.palette();
    palette.setColor(QPalette::AlternateBase, QColor(192, 255, 192));
    grid.setPalette(palette);
    grid.setAlternatingRowColors(true);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid.setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                         QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    grid.setTabKeyNavigation(true);
    grid.setWordWrap(false);
    grid.horizontalHeader()->setStretchLastSection(true);
    grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Rows are never measured for their content: 65,535 rows scroll without work per row.
    grid.verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid.verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    // Fitting the columns measures the rows in view and, by default, up to a thousand more per
    // column; a couple of hundred around them give the same widths for real files.
    grid.horizontalHeader()->setResizeContentsPrecision(200);
    // A file filling an empty grid paints it once: the row numbers' header is as wide as the
    // highest channel number needs from the start, and the vertical scroll bar always there.
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QHeaderView* rowNumbers = grid.verticalHeader();
    QStyleOptionHeader widest;
    widest.initFrom(rowNumbers);
    widest.orientation = Qt::Vertical;
    widest.text = QStringLiteral("65535");
    widest.fontMetrics = QFontMetrics(rowNumbers->font());
    rowNumbers->setMinimumWidth(
        rowNumbers->style()
            ->sizeFromContents(QStyle::CT_HeaderSection, &widest, QSize(), rowNumbers)
            .width());
    grid.setMinimumHeight(ClientArea::Twips(kMinimumGridHeight));
}

// Wraps its caption over lines, as the bar's narrow, fixed-size buttons need.
class WrappingButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        // The style draws the bevel and focus frame, then the caption goes in word-wrapped.
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        QRect textRect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        if (isDown()) {
            textRect.translate(
                style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
        }
        painter.drawItemText(textRect, Qt::AlignCenter | Qt::TextWordWrap, option.palette,
                             isEnabled(), caption, QPalette::ButtonText);
    }
};

QFrame* MakeFrame(const QString& objectName, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(objectName);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    return frame;
}

}  // namespace

ClientArea::ClientArea(QWidget* parent)
    : QWidget(parent),
      m_gridFrame(MakeFrame(QStringLiteral("gridFrame"), this)),
      m_buttonBar(MakeFrame(QStringLiteral("buttonBar"), this)),
      m_splitter(new QSplitter(Qt::Vertical, this)),
      m_grid(new GridView(m_gridFrame)),
      m_buttons(new QHBoxLayout(m_buttonBar)) {
    setObjectName(QStringLiteral("clientArea"));
    m_grid->setObjectName(QStringLiteral("grid"));
    SetUpGrid(*m_grid);

    auto* client = new QVBoxLayout(this);
    client->setContentsMargins(Twips(kFrameLeft), Twips(kFrameTop), Twips(kFrameRightMargin),
                               Twips(kBarBottomMargin));
    client->setSpacing(Twips(kFrameGap));
    m_splitter->setObjectName(QStringLiteral("gridSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_gridFrame);
    m_splitter->setStretchFactor(0, 1);
    client->addWidget(m_splitter, 1);
    client->addWidget(m_buttonBar);
    m_buttonBar->setFixedHeight(Twips(kBarHeight));

    // The design measures from the frames' outer edges, a layout inside their borders.
    const int border = m_gridFrame->frameWidth();
    auto* gridLayout = new QVBoxLayout(m_gridFrame);
    gridLayout->setContentsMargins(Twips(kGridLeft) - border, Twips(kGridTop) - border,
                                   Twips(kGridRightMargin) - border,
                                   Twips(kGridBottomMargin) - border);
    gridLayout->addWidget(m_grid);

    m_buttons->setContentsMargins(Twips(kButtonLeft) - border, Twips(kButtonTop) - border,
                                  Twips(kEndButtonRightMargin) - border, 0);
    m_buttons->setSpacing(0);
    m_buttons->setAlignment(Qt::AlignTop);
}

QSize ClientArea::designSize() {
    return {Twips(kClientWidth), Twips(kClientHeight)};
}

void ClientArea::addPanel(QWidget* panel) {
    m_splitter->addWidget(panel);
    m_splitter->setStretchFactor(m_splitter->indexOf(panel), 0);
}

void ClientArea::showPanel(QWidget* panel, int height) {
    const int index = m_splitter->indexOf(panel);
    if (index < 0) {
        return;
    }
    QList<int> sizes = m_splitter->sizes();
    const int total = sizes.value(0) + sizes.value(index);
    const int share = std::clamp(height, 0, std::max(total - m_grid->minimumHeight(), 0));
    sizes[0] = total - share;
    sizes[index] = share;
    m_splitter->setSizes(sizes);
}

QPushButton* ClientArea::makeButton(const QString& objectName, const QString& caption) {
    auto* button = new WrappingButton(caption, m_buttonBar);
    button->setObjectName(objectName);
    QFont font = this->font();
    font.setPointSizeF(std::min(font.pointSizeF(), 8.0));
    button->setFont(font);
    button->setAutoDefault(false);
    button->setFixedSize(Twips(kButtonWidth), Twips(kButtonHeight));
    m_buttons->addWidget(button, 0, Qt::AlignTop);
    return button;
}

QPushButton* ClientArea::addButton(const QString& objectName, const QString& caption) {
    if (m_buttons->count() > 0) {
        m_buttons->addSpacing(Twips(kButtonPitch) - Twips(kButtonWidth));
    }
    return makeButton(objectName, caption);
}

QPushButton* ClientArea::addEndButton(const QString& objectName, const QString& caption) {
    m_buttons->addSpacing(Twips(kMinimumButtonGap));
    m_buttons->addStretch(1);
    return makeButton(objectName, caption);
}

}  // namespace corvalen
