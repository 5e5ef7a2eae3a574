#include "app/ChannelRangeDialog.h"

#include "app/ColumnNames.h"
#include "app/StatusText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "channel/ChannelFields.h"
#include "convert/NumberText.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

std::string Text(const QLineEdit* field) {
    return field->text().toStdString();
}

// A typed number with the language's decimal separator ("118,1" in German) read as with the point.
std::string TypedNumber(const QLineEdit* field) {
    return field->text().replace(QLocale().decimalPoint(), QStringLiteral(".")).toStdString();
}

}  // namespace

ChannelRangeDialog::ChannelRangeDialog(const MemoryTable& table, QWidget* parent)
    : QDialog(parent), m_table(table) {
    setWindowTitle(tr("Add Channel Range"));
    auto* form = new QFormLayout;
    const auto field = [&](const char* name, const QString& label, const QString& placeholder) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setPlaceholderText(placeholder);
        form->addRow(label, edit);
        connect(edit, &QLineEdit::textChanged, this, &ChannelRangeDialog::update);
        return edit;
    };
    m_start = field("start", tr("&Start:"), tr("e.g. 118 or 118.000 MHz (MHz when no unit)"));
    m_stop = field("stop", tr("S&top:"), tr("e.g. 136.975 MHz, included when a step lands on it"));
    m_step = field("step", tr("Ste&p:"), tr("e.g. 25 kHz or 8330 Hz (kHz when no unit)"));
    m_firstNumber = field("firstNumber", tr("First &number:"),
                          tr("empty: after the highest, %1").arg(HighestChannelNumber(table)));
    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("mode"));
    m_mode->setEditable(true);
    m_mode->addItem(QString());
    m_mode->addItems(ColumnNames::ModeNames());
    form->addRow(tr("&Mode:"), m_mode);
    // The box's own text field is named as the box is, after its label.
    m_mode->lineEdit()->setAccessibleName(tr("&Mode:").remove(QLatin1Char('&')));
    connect(m_mode, &QComboBox::currentTextChanged, this, &ChannelRangeDialog::update);
    m_bandwidth = field("bandwidth", tr("&Bandwidth:"), QString());
    m_ifShift = field("ifShift", tr("&IF Shift:"), QString());
    m_groups = field("groups", tr("&Groups:"), tr("e.g. 1+3"));
    m_callsign = field("callsign", tr("&Callsign:"), QString());
    m_comments = field("comments", tr("Co&mments:"), QString());
    // Columns the table lacks (before the first import it has ten) cannot be filled.
    m_mode->setEnabled(Mode < table.ColCount());
    m_ifShift->setEnabled(IfShift < table.ColCount());
    m_groups->setEnabled(Groups < table.ColCount());
    m_callsign->setEnabled(Callsign < table.ColCount());
    m_comments->setEnabled(Comments < table.ColCount());

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("preview"));  // what the line under the fields says
    m_preview->setWordWrap(true);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Each field as wide as the longest hint in the empty fields, in every language.
    setMinimumWidth(fontMetrics().averageCharWidth() * 72);
    int widestHint = 0;
    // The dialog's own fields, not the Mode box's text field.
    const QList<QLineEdit*> fields = findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly);
    for (const QLineEdit* edit : fields) {
        widestHint =
            std::max(widestHint, edit->fontMetrics().horizontalAdvance(edit->placeholderText()));
    }
    for (QLineEdit* edit : fields) {
        // The text's margins and the frame on both sides.
        edit->setMinimumWidth(widestHint + 2 * edit->fontMetrics().averageCharWidth() +
                              4 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    }
    setMinimumWidth(std::max(minimumWidth(), TitleWidth(*this)));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_preview);
    layout->addWidget(m_buttons);
    update();
}

Result<RangeFill> ChannelRangeDialog::read() const {
    if (m_start->text().trimmed().isEmpty() || m_stop->text().trimmed().isEmpty() ||
        m_step->text().trimmed().isEmpty()) {
        return Error{MessageKind::RangeNeedsAll};
    }
    Result<ChannelRange> range =
        ReadChannelRange(TypedNumber(m_start), TypedNumber(m_stop), TypedNumber(m_step));
    if (!range) {
        return range.error();
    }
    RangeFill fill;
    fill.range = *range;
    if (!m_firstNumber->text().trimmed().isEmpty()) {
        const auto number = ParseWholeNumber(Text(m_firstNumber));
        if (!number || *number < 1 || *number > static_cast<std::uint64_t>(kMaxChannelRows)) {
            return Error{MessageKind::RangeFirstNumberBad,
                         {Text(m_firstNumber), std::to_string(kMaxChannelRows)}};
        }
        fill.firstNumber = static_cast<int>(*number);
    }
    fill.cells = {{Mode, m_mode->currentText().toStdString()},
                  {Bandwidth, Text(m_bandwidth)},
                  {IfShift, Text(m_ifShift)},
                  {Groups, Text(m_groups)},
                  {Callsign, Text(m_callsign)},
                  {Comments, Text(m_comments)}};
    const Result<int> first = RangeFirstNumber(m_table, fill);
    if (!first) {
        return first.error();
    }
    return fill;
}

std::optional<RangeFill> ChannelRangeDialog::fill() const {
    Result<RangeFill> fill = read();
    return fill ? std::optional<RangeFill>(std::move(*fill)) : std::nullopt;
}

void ChannelRangeDialog::update() {
    m_bandwidth->setPlaceholderText(
        tr("empty: %1 Hz, the default for the mode")
            .arg(FromUtf8(DefaultBandwidth(m_mode->currentText().toStdString()))));

    const Result<RangeFill> fill = read();
    if (!fill) {
        m_preview->setText(ErrorText(fill.error()));
    } else {
        const auto count = static_cast<qulonglong>(fill->range.Count());
        const int first = *RangeFirstNumber(m_table, *fill);
        const auto total = static_cast<qulonglong>(m_table.ChannelCount()) + count;
        const QLocale locale;
        m_preview->setText(count == 1
                               ? tr("Adds 1 channel, numbered %1; %2 in all.")
                                     .arg(first)
                                     .arg(Count(static_cast<qsizetype>(total), "row", "rows"))
                               : tr("Adds %1 channels, numbered %2 to %3; %4 in all.")
                                     .arg(locale.toString(count))
                                     .arg(first)
                                     .arg(static_cast<qulonglong>(first) + count - 1)
                                     .arg(Count(static_cast<qsizetype>(total), "row", "rows")));
        // The airband raster taken, a stop off the raster and where the last channel lies.
        for (const Error& notice : fill->range.notices) {
            m_preview->setText(m_preview->text() + QLatin1Char('\n') + ErrorText(notice));
        }
    }
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(fill.ok());
}

}  // namespace corvalen
