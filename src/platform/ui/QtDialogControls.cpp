#include "platform/ui/QtDialogControls.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>
#include <climits>

namespace dialogctl {

UpDown::UpDown(QWidget* parent, std::function<int(int, int)> adjust, std::function<void()> changed)
    : QWidget(parent), m_adjust(std::move(adjust)), m_changed(std::move(changed))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* up = new QToolButton(this);
    auto* down = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    up->setAutoRepeat(true);
    down->setAutoRepeat(true);
    up->setFocusPolicy(Qt::NoFocus);
    down->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { StepUp(); });
    connect(down, &QToolButton::clicked, this, [this] { StepDown(); });
}

void UpDown::SetBuddy(QLineEdit* buddy)
{
    m_buddy = buddy;
    if (buddy != nullptr) buddy->installEventFilter(this);
}

bool UpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up) {
            StepUp();
            return true;
        }
        if (key == Qt::Key_Down) {
            StepDown();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::Step(int delta)
{
    if (m_buddy != nullptr) {
        bool ok = false;
        const int shown = ReadBuddy(m_buddy->text(), ok);
        if (ok) SetPos(shown);
    }
    const int from = m_pos;
    const int step = m_adjust(from, delta);
    // A refused step leaves the position and the buddy's text alone.
    if (step == 0) return;
    // The range as the dialog left it: it may set one for this step.
    const int lowest = std::min(m_low, m_high);
    const int highest = std::max(m_low, m_high);
    // In 64 bits: a step the dialog chose may be anything.
    long long next = static_cast<long long>(from) + step;
    if (m_wrap && next > highest) next = lowest;
    if (m_wrap && next < lowest) next = highest;
    SetPos(static_cast<int>(std::clamp<long long>(next, lowest, highest)));
    if (m_buddy != nullptr) m_buddy->setText(ShowPos());
    m_changed();
}

int UpDown::ReadBuddy(QString text, bool& ok) const
{
    text = text.trimmed();
    if (m_base == 16) {
        if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) text = text.mid(2);
        const uint value = text.toUInt(&ok, 16);
        ok = ok && value <= static_cast<uint>(INT_MAX);
        return ok ? static_cast<int>(value) : 0;
    }
    return text.toInt(&ok);
}

QString UpDown::ShowPos() const
{
    if (m_base == 16) return QStringLiteral("0x") + QString::number(m_pos, 16).toUpper();
    return QString::number(m_pos);
}

Grid::Grid(int rows, int cols, QWidget* parent) : QTableWidget(std::max(0, rows), std::max(0, cols), parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setWordWrap(false);
}

QTableWidgetItem* Grid::Cell(int row, int col)
{
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return nullptr;
    QTableWidgetItem* cell = item(row, col);
    if (cell == nullptr) {
        cell = new QTableWidgetItem;
        // The header row looks fixed, as it stays in place for the reader.
        if (row == 0) cell->setBackground(palette().button());
        setItem(row, col, cell);
    }
    return cell;
}

Grid* GridOf(QWidget* w) { return dynamic_cast<Grid*>(w); }

QValidator::State EditLimit::validate(QString& input, int&) const
{
    if (m_upperCase) input = input.toUpper();
    if (m_maxChars > 0 && input.size() > m_maxChars) return Invalid;
    if (m_digitsOnly)
        for (QChar c : input)
            if (!c.isDigit()) return Invalid;
    return Acceptable;
}

EditLimit* LimitOf(const QLineEdit* edit)
{
    return edit ? dynamic_cast<EditLimit*>(const_cast<QValidator*>(edit->validator())) : nullptr;
}

} // namespace dialogctl
