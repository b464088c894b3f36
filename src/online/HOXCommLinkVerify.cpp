// Verify: the controller's program and parameter blocks against the
// document's, with the controller's listing habits (blanks, case, filler
// NOPs, line numbers on labels, a closing END) normalised away first.
#include "online/HOXCommLink.h"

#include "app/HOXDoc.h"
#include "app/HOXWaitCursor.h"
#include "chart/ControllerType.h"
#include "params/HOXParam.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace {
constexpr UINT kMsgNotResponding = IDS_CONTROLLER_NOT_RESPONDING;

// The number of a transfer block's first parameter.
int FirstParameterOf(UINT block)
{
    switch (block) {
    case CHOXParam::blockCommon: return 100;
    case CHOXParam::blockAxisB: return 30;
    default: return 0;
    }
}

bool IsDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The text before the first ";", all of it when there is none.
QString BeforeSemicolon(const QString& text)
{
    const qsizetype semicolon = text.indexOf(u';');
    return semicolon < 0 ? text : text.left(semicolon);
}

QString WithoutTrailingSpace(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace()) --end;
    return text.left(end);
}
} // namespace

int CHOXCommLink::Verify()
{
    CHOXWaitCursor wait;
    if (m_nOpened == 0) return 0;
    int type = 0;
    // Any model will do: the comparison tells.
    if (m_comm.mfi_GetKZQWType(type) != 0) return FailOnLink(kMsgNotResponding);

    QString text;
    QString message;
    int status = 0;
    // The conversion may ask the user.
    wait.Restore();
    if (!GenerateProgramText(text, message, status)) {
        if (status != 1) return 2;
        m_strError = message;
        return 0;
    }
    wait.Show();

    QString controller;
    if (m_comm.mfi_ReadProgram(controller) != 0) {
        m_strDetail = DescribePort(m_strPort);
        return 0;
    }
    NormaliseForCompare(text, controller);
    if (text != controller) {
        m_strDetail = FirstDifference(controller, text);
        return 0;
    }
    return VerifyParameterBlocks() ? 1 : 0;
}

bool CHOXCommLink::VerifyParameterBlocks()
{
    const CHOXParam& param = m_pDoc->GetParam();
    const std::pair<UINT, int> blocks[] = {
        {CHOXParam::blockAxisA, axis::kX}, {CHOXParam::blockAxisB, axis::kX}, {CHOXParam::blockCommon, axis::kX},
        {CHOXParam::blockAxisA, axis::kY}, {CHOXParam::blockAxisB, axis::kY},
    };
    for (const auto& [block, axis] : blocks) {
        if (axis == axis::kY && param.IsOneAxisModel()) break;
        const std::vector<std::int32_t> expected = param.GetTransferBlock(block, axis);
        std::vector<std::int32_t> read(expected.size());
        // A block that was not read has nothing to compare: the failure is
        // the answer, never "identical".
        if (m_comm.mfi_ReadParams(static_cast<int>(block), axis, read.data()) != 0) {
            FailWithCommError();
            return false;
        }
        // The last value of each block (26, 56, 111) is read but not
        // compared.
        if (expected.empty()) continue;
        const auto [mine, theirs] = std::mismatch(expected.begin(), expected.end() - 1, read.begin());
        if (mine != expected.end() - 1) {
            const auto index = static_cast<int>(mine - expected.begin());
            m_strDetail = QStringLiteral("Parameter %1%2 differs: controller %3, document %4.")
                              .arg(FirstParameterOf(block) + index)
                              .arg(block == CHOXParam::blockCommon ? QString()
                                                                   : (axis == axis::kX ? QStringLiteral(" of the X axis")
                                                                                : QStringLiteral(" of the Y axis")))
                              .arg(*theirs)
                              .arg(*mine);
            return false;
        }
    }
    return true;
}

QString CHOXCommLink::FirstDifference(const QString& controller, const QString& document)
{
    const QStringList theirs = controller.split(u'\n');
    const QStringList mine = document.split(u'\n');
    const qsizetype lines = std::max(theirs.size(), mine.size());
    for (qsizetype i = 0; i < lines; ++i) {
        const QString a = i < theirs.size() ? theirs[i] : QString();
        const QString b = i < mine.size() ? mine[i] : QString();
        if (i < theirs.size() && i < mine.size() && a == b) continue;
        const auto shown = [](const QStringList& all, qsizetype at) {
            return at < all.size() ? all[at] : QStringLiteral("(no such line)");
        };
        return QStringLiteral("The programs differ first in line %1 (blanks, letter case and filler lines aside):\n"
                              "controller, line %1: %2\ndocument, line %1: %3")
            .arg(i + 1)
            .arg(shown(theirs, i), shown(mine, i));
    }
    return {};
}

// ---------------------------------------------------------------------------
// Normalising the two programs

void CHOXCommLink::NormaliseForCompare(QString& document, QString& controller)
{
    document = WithoutTrailingSpace(RemoveBlanks(document)).toUpper();
    controller = NormaliseControllerText(RemoveBlanks(controller));
    controller = RemoveBlanks(WithoutTrailingSpace(controller).toUpper());
    controller = CutAfterLastEnd(controller);
}

QString CHOXCommLink::RemoveBlanks(const QString& text)
{
    QString result = text;
    result.remove(u' ');
    return result;
}

QString CHOXCommLink::NormaliseControllerText(const QString& text)
{
    const QString lines = text + u'\n';
    QString output;
    QString pendingNops;
    QString label;
    bool afterEnd = true;
    for (qsizetype start = 0, end = 0; (end = lines.indexOf(u'\n', start)) >= 0; start = end + 1) {
        const QString line = lines.mid(start, end - start);
        const QString word = GetInstructionWord(line).toUpper();
        if (word == QLatin1String("NOP")) {
            pendingNops += QStringLiteral("NOP\n");
            continue;
        }
        if (IsLabelStatement(word)) {
            // Filler after an end statement goes with the label it
            // precedes.
            if (!afterEnd) output += pendingNops;
            pendingNops.clear();
            const qsizetype lineNumber = word.indexOf(u'N');
            label = lineNumber < 0 ? word : word.left(std::max<qsizetype>(0, lineNumber - 1)) + u';';
            afterEnd = false;
        } else {
            afterEnd = IsEndStatement(word);
        }
        output += pendingNops;
        pendingNops.clear();
        output += label.isEmpty() ? line : label;
        label.clear();
        output += u'\n';
    }
    return output;
}

QString CHOXCommLink::GetInstructionWord(const QString& line)
{
    const qsizetype bracket = line.indexOf(u'(');
    return bracket < 0 ? line : line.left(bracket);
}

bool CHOXCommLink::IsLabelStatement(const QString& word)
{
    QString text = BeforeSemicolon(word);
    if (text.size() < 2) return false;
    if (text.at(0) == u'P') return IsDigits(QStringView(text).mid(1));
    if (text.at(0) != u'O') return false;
    // A line number ("N...") and the separator before it are no part of
    // the program number.
    const qsizetype lineNumber = text.indexOf(u'N');
    if (lineNumber >= 0) text = text.left(std::max<qsizetype>(0, lineNumber - 1));
    if (text.isEmpty() || text.at(0) != u'O') return false;
    qsizetype digits = 1;
    if (digits < text.size() && (text.at(digits) == u'X' || text.at(digits) == u'Y')) ++digits;
    return IsDigits(QStringView(text).mid(digits));
}

bool CHOXCommLink::IsEndStatement(const QString& word)
{
    static const QString kEnds[] = {QStringLiteral("M02"), QStringLiteral("M102"), QStringLiteral("JMP"),
                                    QStringLiteral("RET"), QStringLiteral("END"),  QStringLiteral("SEND")};
    const QString text = BeforeSemicolon(word);
    return std::find(std::begin(kEnds), std::end(kEnds), text) != std::end(kEnds);
}

QString CHOXCommLink::CutAfterLastEnd(const QString& text)
{
    const qsizetype last = text.lastIndexOf(u';');
    if (last < 0) return text;
    // lastIndexOf with -1 would search from the end again.
    const qsizetype previous = last > 0 ? text.lastIndexOf(u';', last - 1) : -1;
    const QString statement = text.mid(previous + 1, last - previous);
    for (const char* end : {"END", "M02", "M102"})
        if (statement.contains(QLatin1String(end))) return text.left(last + 1);
    return text;
}
