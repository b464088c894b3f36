#include "online/sim/SimProgram.h"

#include "chart/ControllerType.h"
#include "convert/HOXInstrParser.h"

#include <QList>

#include <span>

namespace {

bool AllDigits(const QByteArray& text)
{
    if (text.isEmpty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

} // namespace

SimStepCounter DefaultSimStepCounter(std::function<int()> model)
{
    return [model = std::move(model)](QStringView statement, QStringView) {
        bool blank = true;
        for (QChar c : statement)
            if (c != u' ' && c != u'\t' && c != u'\r') blank = false;
        if (blank) return 0;
        // The one-axis model runs programs of type 0; the two-axis model
        // those of both two-axis types, the interpolated one first.
        const std::int32_t oneAxis[] = {ctype::kOneAxis};
        const std::int32_t twoAxes[] = {ctype::kInterpolated, ctype::kTwoAxes};
        const std::span<const std::int32_t> types =
            model && model() == 0 ? std::span<const std::int32_t>(oneAxis) : std::span<const std::int32_t>(twoAxes);
        // The checker's table is shared and immutable; its per-statement
        // fields are this thread's own.
        thread_local CHOXInstrParser checker(nullptr);
        const QString line = statement.toString();
        QString error;
        for (std::int32_t type : types) {
            checker.SetControllerType(type);
            if (checker.CheckInstruction(line, error)) return static_cast<int>(checker.GetSteps());
        }
        return 1;
    };
}

bool CSimProgram::Load(const QByteArray& text, const SimStepCounter& counter)
{
    const SimStepCounter count = counter ? counter : DefaultSimStepCounter(nullptr);
    const QString wide = QString::fromLatin1(text);
    std::vector<Line> lines;
    int address = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) end = text.size();
        const qsizetype length = end - start;
        const int steps = count(QStringView(wide).mid(start, length), QStringView(wide).left(start));
        if (steps < 0) return false;
        lines.push_back({start, length, address});
        address += steps;
        start = end + 1;
    }
    m_text = text;
    m_statements = std::move(lines);
    m_totalSteps = address;
    return true;
}

void CSimProgram::Clear()
{
    m_text.clear();
    m_statements.clear();
    m_totalSteps = 0;
}

QByteArray CSimProgram::Statement(int index) const
{
    if (index < 0 || index >= StatementCount()) return {};
    const Line& line = m_statements[static_cast<std::size_t>(index)];
    return m_text.mid(line.offset, line.length);
}

int CSimProgram::Address(int index) const
{
    if (index < 0 || index >= StatementCount()) return -1;
    return m_statements[static_cast<std::size_t>(index)].address;
}

QByteArray CSimProgram::InstructionWord(const QByteArray& statement)
{
    QByteArray word;
    for (char c : statement) {
        if (c == '(' || c == ';') break;
        if (c != ' ' && c != '\t' && c != '\r') word.append(c);
    }
    return word.toUpper();
}

bool CSimProgram::IsProgramLabel(int index, char& axis, int& number) const
{
    const QByteArray word = InstructionWord(Statement(index));
    if (!word.startsWith('O')) return false;
    QByteArray digits = word.mid(1);
    char letter = 0;
    if (digits.startsWith('X') || digits.startsWith('Y')) {
        letter = digits[0];
        digits = digits.mid(1);
    }
    if (!AllDigits(digits) || digits.size() > 6) return false;
    number = digits.toInt();
    axis = letter == 0 && number == kSubtaskProgramNumber ? 'S' : letter;
    return true;
}

int CSimProgram::FindProgram(char axis, int& number) const
{
    for (int i = 0; i < StatementCount(); ++i) {
        char found = 0;
        int n = 0;
        if (IsProgramLabel(i, found, n) && found == axis) {
            number = n;
            return i;
        }
    }
    return -1;
}

bool CSimProgram::IsEnd(int index) const
{
    const QByteArray word = InstructionWord(Statement(index));
    return word == "M02" || word == "M102" || word == "END" || word == "SEND";
}

int CSimProgram::MCode(int index) const
{
    const QByteArray word = InstructionWord(Statement(index));
    if (word.size() < 2 || word[0] != 'M' || !AllDigits(word.mid(1)) || word.size() > 6) return -1;
    return word.mid(1).toInt();
}

QByteArray CSimProgram::ListingForm() const
{
    if (m_statements.empty()) return {};
    QByteArray listing;
    for (int i = 0; i < StatementCount(); ++i) {
        const QList<QByteArray> words = Statement(i).toUpper().simplified().split(' ');
        listing += ' ' + words.join("  ") + '\n';
        if (IsEnd(i)) listing += "NOP\nNOP\n";
    }
    return listing + "END";
}
