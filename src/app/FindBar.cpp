#include "app/FindBar.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>
#include <optional>

#include "app/ChannelViewModel.h"
#include "app/StatusText.h"

namespace corvalen {

namespace {

// From this many rows on, filtering shows the busy cursor.
constexpr int kBusyRows = 10000;

}  // namespace

FindBar::FindBar(ChannelViewModel& view, QWidget* parent)
    : QToolBar(tr("Find"), parent),
      m_view(view),
      m_box(new QLineEdit(this)),
      m_count(new QLabel(this)),
      m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("findBar"));
    setMovable(false);
    setFloatable(false);
    toggleViewAction()->setVisible(false);

    m_box->setObjectName(QStringLiteral("findBox"));
    m_box->setPlaceholderText(tr("Find in every column"));
    m_box->setAccessibleName(tr("Find"));
    m_box->setClearButtonEnabled(true);
    m_box->setMaximumWidth(300);
    addWidget(m_box);
    m_count->setObjectName(QStringLiteral("findCount"));
    m_count->setContentsMargins(8, 0, 8, 0);
    addWidget(m_count);
    addAction(tr("Close"), this, &FindBar::close);
    setVisible(false);

    auto* escape = new QAction(m_box);
    escape->setShortcut(Qt::Key_Escape);
    escape->setShortcutContext(Qt::WidgetShortcut);
    m_box->addAction(escape);
    connect(escape, &QAction::triggered, this, &FindBar::close);

    // Filtering 65,535 rows on every key would make fast typing stutter: wait for a pause.
    m_timer->setSingleShot(true);
    m_timer->setInterval(150);
    connect(m_box, &QLineEdit::textChanged, m_timer, qOverload<>(&QTimer::start));
    connect(m_timer, &QTimer::timeout, this, [this] { findRows(m_box->text()); });

    connect(&view, &QAbstractItemModel::rowsInserted, this, &FindBar::countFound);
    connect(&view, &QAbstractItemModel::rowsRemoved, this, &FindBar::countFound);
    connect(&view, &QAbstractItemModel::modelReset, this, &FindBar::countFound);
    connect(&view, &QAbstractItemModel::layoutChanged, this, &FindBar::countFound);
}

void FindBar::open() {
    setVisible(true);
    m_box->setFocus(Qt::ShortcutFocusReason);
    m_box->selectAll();
}

void FindBar::findRows(const QString& text) {
    m_timer->stop();
    if (m_box->text() != text) {
        const QSignalBlocker quiet(m_box);
        m_box->setText(text);
    }
    if (!text.isEmpty()) {
        setVisible(true);
    }
    {
        std::optional<BusyCursor> busy;
        if (m_view.sourceModel()->rowCount() >= kBusyRows) {
            busy.emplace();
        }
        m_view.setFindText(text);
    }
    emit rowsFound();
}

void FindBar::close() {
    findRows(QString());
    setVisible(false);
    emit closed();
}

void FindBar::countFound() {
    m_count->setText(m_view.findText().isEmpty()
                         ? QString()
                         : tr("%1 of %2 rows")
                               .arg(QLocale().toString(m_view.rowCount()),
                                    QLocale().toString(m_view.sourceModel()->rowCount())));
}

}  // namespace corvalen
