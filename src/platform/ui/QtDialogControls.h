#pragma once
// The controls of rendered dialogs that Qt has no widget for as they stand:
// up-down arrows beside a buddy edit, a read-only grid of text cells, and the
// limit of an edit.
#include <QLineEdit>
#include <QTableWidget>
#include <QValidator>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <vector>

namespace dialogctl {

// Up-down arrows that step a value within a range and write it into their
// buddy edit; the dialog may change each step, and a wrapping spin goes from
// one end of its range to the other. The arrow keys in the buddy step too.
class UpDown : public QWidget {
public:
    // `adjust` turns the position and the step asked for into the step
    // taken (0: none); `changed` follows every step taken.
    UpDown(QWidget* parent, std::function<int(int, int)> adjust, std::function<void()> changed);
    void SetRange(int low, int high)
    {
        m_low = low;
        m_high = high;
        SetPos(m_pos);
    }
    void SetPos(int pos) { m_pos = std::clamp(pos, std::min(m_low, m_high), std::max(m_low, m_high)); }
    int Pos() const { return m_pos; }
    // 10 or 16: how the buddy shows and is read ("0x" and capitals in 16).
    void SetBase(int base) { m_base = base == 16 ? 16 : 10; }
    int Base() const { return m_base; }
    void SetBuddy(QLineEdit* buddy);
    bool m_wrap = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StepUp() { Step(m_low <= m_high ? 1 : -1); }
    void StepDown() { Step(m_low <= m_high ? -1 : 1); }
    void Step(int delta);
    int ReadBuddy(QString text, bool& ok) const;
    QString ShowPos() const;

    std::function<int(int, int)> m_adjust;
    std::function<void()> m_changed;
    QLineEdit* m_buddy = nullptr;
    int m_low = 0;
    int m_high = 100;
    int m_pos = 0;
    int m_base = 10;
};

// A grid of text cells the user reads but cannot edit; row 0 is the header.
class Grid : public QTableWidget {
public:
    Grid(int rows, int cols, QWidget* parent);
    // The cell, made when first asked for; null outside the grid.
    QTableWidgetItem* Cell(int row, int col);
    std::vector<int> m_alignments;
};

// The grid the widget is, or null.
Grid* GridOf(QWidget* w);

// The limit of an edit: what the user types stops at the most characters
// (and, for number edits, takes digits only); text the program puts in is
// kept whole, as a field may hold a longer value from elsewhere. An
// upper-case edit turns what is typed into capitals as it comes.
class EditLimit : public QValidator {
public:
    EditLimit(int maxChars, bool digitsOnly, bool upperCase, QObject* parent)
        : QValidator(parent), m_maxChars(maxChars), m_digitsOnly(digitsOnly), m_upperCase(upperCase)
    {
    }
    State validate(QString& input, int&) const override;
    int m_maxChars;
    bool m_digitsOnly;
    bool m_upperCase;
};

// The limit the edit has, or null.
EditLimit* LimitOf(const QLineEdit* edit);

} // namespace dialogctl
