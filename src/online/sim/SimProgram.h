#pragma once
// The program text the simulated controller stores: Latin-1 lines ended by
// "\n", each line one statement. A statement's address is the sum of the
// step counts of all statements before it, from 0 at the start of the text,
// as the conversion counts program steps.
#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

// The steps of one statement, given the text before it; a negative count
// refuses the statement.
using SimStepCounter = std::function<int(QStringView statement, QStringView preceding)>;

// The counter a controller starts with: the steps the conversion counts, the
// instruction checker's, for a controller type the model (asked at each
// statement) runs. A blank statement counts nothing; one that no type
// accepts counts 1 step, since what the controller refuses is decided apart.
SimStepCounter DefaultSimStepCounter(std::function<int()> model);

class CSimProgram {
public:
    // Takes the text when the counter accepts every statement; otherwise
    // false and nothing changes.
    bool Load(const QByteArray& text, const SimStepCounter& counter);
    void Clear();

    const QByteArray& Text() const { return m_text; }
    int TotalSteps() const { return m_totalSteps; }
    int StatementCount() const { return static_cast<int>(m_statements.size()); }
    QByteArray Statement(int index) const;
    int Address(int index) const;

    // A program number line: "OX12;" (axis 'X'), "OY3;" ('Y'), "O5;" (axis
    // 0), "O100;" (the subtask, 'S'); case and blanks ignored.
    bool IsProgramLabel(int index, char& axis, int& number) const;
    // The first program line of an axis ('X', 'Y', 0 or 'S'), -1 when none.
    int FindProgram(char axis, int& number) const;
    // M02, M102, END or SEND.
    bool IsEnd(int index) const;
    // The number of an M code statement ("m02(END);" is 2), else -1.
    int MCode(int index) const;

    // The text as the controller lists it: upper case, its own spacing, two
    // NOP lines after each end statement, and its end mark "END" after the
    // last line.
    QByteArray ListingForm() const;

    // The instruction word of a statement: up to its first "(" or ";",
    // blanks removed, upper case.
    static QByteArray InstructionWord(const QByteArray& statement);

private:
    struct Line {
        qsizetype offset;
        qsizetype length; // without its "\n"
        int address;
    };

    QByteArray m_text;
    std::vector<Line> m_statements;
    int m_totalSteps = 0;
};
