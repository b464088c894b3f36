// The text import's reader: the file's lines, and the parameter sections as
// the export writes them, with what the reader tolerates beyond that.
#include "convert/HOXTextImporter.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "convert/HOXExportProgressDlg.h"
#include "params/HOXParam.h"
#include "platform/Strings.h"

#include <algorithm>
#include <climits>

namespace {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QString TrimLeft(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    return text.mid(at);
}

QString TrimRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return text.left(end);
}

// The digits as a 32-bit value, negated when asked; none when it does not
// fit.
std::optional<std::int32_t> DigitsValue(const QString& digits, bool negative)
{
    std::int64_t value = 0;
    for (const QChar c : digits) {
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::int64_t(INT_MAX) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// The section's parameter lines and whether it has a Y column.
struct SectionShape {
    int lines;
    bool twoAxes;
};
constexpr SectionShape kSections[] = {{4, false}, {16, false}, {30, true}, {38, true}};

} // namespace

CHOXTextImporter::CHOXTextImporter(CHOXDoc* doc, const QStringList& fileLines)
    : m_checker(doc != nullptr ? &doc->GetParam() : nullptr), m_pDoc(doc)
{
    m_checker.SetFullRegisterRange(true);
    std::int64_t bytes = 0;
    // Each line stood in the file with its CR LF.
    for (const QString& line : fileLines) bytes += line.size() + 2;
    m_pProgress = std::make_unique<CHOXExportProgressDlg>(0, static_cast<int>(std::min<std::int64_t>(bytes, INT_MAX)),
                                                          1, nullptr);
    ReadAllLines(fileLines);
}

CHOXTextImporter::~CHOXTextImporter() { CloseProgress(); }

// ---------------------------------------------------------------------------
// Lines

void CHOXTextImporter::ReadAllLines(const QStringList& fileLines)
{
    m_lines.clear();
    m_pProgress->Create();
    ShowProgressText(13574);
    std::int32_t number = 0;
    for (const QString& read : fileLines) {
        ++number;
        const QString line = TrimLeft(read);
        if (line.isEmpty()) continue;
        m_pProgress->SetStep(static_cast<int>(std::min<qsizetype>(line.size(), INT_MAX)));
        m_pProgress->Step(1);
        m_lines.push_back({line, number});
    }
    // The file may end in NOP lines that fill the controller's memory.
    while (!m_lines.empty() && TrimRight(m_lines.back().text).toUpper() == QStringLiteral("NOP")) m_lines.pop_back();
    m_nLineEnd = static_cast<std::int32_t>(m_lines.size());
}

bool CHOXTextImporter::GetNextLine(QString& line)
{
    line.clear();
    while (m_nLineIndex < m_nLineEnd) {
        const QString text = TrimLeft(m_lines[std::size_t(m_nLineIndex)].text);
        ++m_nLineIndex;
        if (text.isEmpty()) continue;
        line = text;
        StripLinePrefix(line);
        return true;
    }
    return false;
}

void CHOXTextImporter::StripLinePrefix(QString& line)
{
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0) return;
    line = TrimLeft(line.mid(colon + 1));
}

void CHOXTextImporter::UnreadLine()
{
    if (m_nLineIndex > 0) --m_nLineIndex;
}

std::optional<std::int32_t> CHOXTextImporter::LeadingNumber(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) negative = text[at++] == u'-';
    const qsizetype first = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    if (at == first) return std::nullopt;
    return DigitsValue(text.mid(first, at - first), negative);
}

// ---------------------------------------------------------------------------
// Words and values

bool CHOXTextImporter::IsSectionHeader(const QString& line, int kind)
{
    static const char* const kWords[][3] = {
        {"SYSTEM", "SETUP", "PARAMETER"}, {"SUBTASK", "PARAMETER", nullptr}, {"CONTROL", "SPEC.", "PARAMETER"},
        {"I/O", "CONTROL", "PARAMETER"},  {"PROGRAM", nullptr, nullptr},
    };
    if (kind < 0 || kind > kProgram) return false;
    QString rest = line.trimmed();
    if (rest.size() < 2 || !rest.startsWith(u'[') || !rest.endsWith(u']')) return false;
    rest = rest.mid(1, rest.size() - 2);
    for (const char* expected : kWords[kind]) {
        if (expected == nullptr) break;
        QString word;
        if (!SplitWord(rest, word) || word.toUpper() != QLatin1String(expected)) return false;
    }
    return true;
}

bool CHOXTextImporter::SplitWord(QString& line, QString& word)
{
    line = TrimLeft(line);
    const qsizetype blank = line.indexOf(u' ');
    if (blank < 0) {
        word = line;
        line.clear();
    } else {
        word = line.left(blank);
        line = TrimLeft(line.mid(blank));
    }
    return !word.isEmpty();
}

bool CHOXTextImporter::SplitAtBracket(QString& line, QString& name)
{
    line = TrimLeft(line);
    const qsizetype bracket = line.indexOf(u'[');
    if (bracket < 0) {
        name = TrimRight(line);
        line.clear();
    } else {
        name = TrimRight(line.left(bracket));
        line = line.mid(bracket);
    }
    return !name.isEmpty();
}

bool CHOXTextImporter::IsXDeviceParameter(UINT number)
{
    for (UINT n : {105u, 107u, 111u, 31u, 38u, 42u, 51u, 54u})
        if (n == number) return true;
    return false;
}

bool CHOXTextImporter::IsYDeviceParameter(UINT number)
{
    for (UINT n : {103u, 109u, 32u, 35u, 37u, 52u})
        if (n == number) return true;
    return false;
}

bool CHOXTextImporter::ParseParamValue(QString& line, QString& digits, UINT number, bool* negative)
{
    digits.clear();
    *negative = false;
    line = line.trimmed();
    if (!line.startsWith(u'[')) return false;
    qsizetype at = 1;
    while (at < line.size() && IsBlank(line[at])) ++at;
    const auto takeLetter = [&](char16_t upper, char16_t lower) {
        if (at >= line.size() || (line[at] != upper && line[at] != lower)) return false;
        ++at;
        return true;
    };
    if (IsXDeviceParameter(number)) {
        if (!takeLetter(u'X', u'x')) return false;
    } else if (IsYDeviceParameter(number)) {
        if (!takeLetter(u'Y', u'y')) return false;
    } else if (at < line.size() && line[at] == u'-') {
        ++at;
        *negative = true;
    }
    for (; at < line.size() && line[at] != u']' && !IsBlank(line[at]); ++at) {
        if (!IsDigit(line[at])) return false;
        digits += line[at];
    }
    while (at < line.size() && IsBlank(line[at])) ++at;
    if (at >= line.size() || line[at] != u']') return false;
    line = line.mid(at + 1);
    return !digits.isEmpty();
}

// ---------------------------------------------------------------------------
// The parameter part

bool CHOXTextImporter::IsLaterHeader(const QString& line, int kind)
{
    for (int later = kind + 1; later <= kProgram; ++later)
        if (IsSectionHeader(line, later)) return true;
    return false;
}

bool CHOXTextImporter::IsPassedOver(int kind, std::int32_t number)
{
    switch (kind) {
    case kSubtask: return number >= 112 && number <= 119;
    case kControlSpec: return number >= 27 && number <= 29;
    case kIoControl: return (number >= 43 && number <= 49) || number == 55 || (number >= 57 && number <= 67);
    default: return false;
    }
}

bool CHOXTextImporter::PartRanOut()
{
    m_parameterDetails << LoadStr(14004);
    return false;
}

bool CHOXTextImporter::SetParameters()
{
    ShowProgressText(13575);
    m_pProgress->SetPos(0);
    m_pProgress->SetRange(100);
    m_pProgress->SetStep(1);
    m_bParamError = false;

    QString line;
    if (!GetNextLine(line)) return PartRanOut();
    // The file-name block may be missing; a name that does not end in "hox"
    // is taken for the first header.
    if (line == QStringLiteral("[HOX File Name]")) {
        if (!GetNextLine(line)) return PartRanOut();
        if (line.right(3).toUpper() == QStringLiteral("HOX") && !GetNextLine(line)) return PartRanOut();
    }

    for (int kind = kSystemSetup; kind <= kIoControl; ++kind) {
        bool endedAtHeader = false;
        if (!ReadSection(kind, line, &endedAtHeader)) return PartRanOut();
        if (kind == kIoControl) break;
        // The line after the last parameter line must be the next header.
        // A header already in hand (the section ended early, or its own
        // header was missing) is not passed over again.
        int passed = 0;
        int firstPassed = -1;
        if (!IsLaterHeader(line, kind)) {
            do {
                if (!GetNextLine(line)) return PartRanOut();
                if (++passed == 1) firstPassed = m_nLineIndex - 1;
            } while (!IsLaterHeader(line, kind));
        }
        if (passed != 1) {
            m_bParamError = true;
            // A missing header or a section cut short has been named.
            if (passed > 1) m_parameterDetails << LineDetail(firstPassed, QString());
        }
    }
    if (IsSectionHeader(line, kProgram)) UnreadLine();
    return true;
}

bool CHOXTextImporter::ReadSection(int kind, QString& line, bool* endedAtHeader)
{
    if (!IsSectionHeader(line, kind)) {
        m_bParamError = true;
        NoteParameterLine();
        return true;
    }
    if (kind == kControlSpec || kind == kIoControl) {
        // The column caption line is optional.
        if (!GetNextLine(line)) return false;
        QString rest = line;
        QString word;
        SplitWord(rest, word);
        word = word.toLower();
        if (word != QStringLiteral("x-axis") && word != QStringLiteral("y-axis")) UnreadLine();
    }
    for (int i = 0; i < kSections[kind].lines; ++i) {
        if (!GetNextLine(line)) return false;
        m_pProgress->Step(1);
        if (IsLaterHeader(line, kind)) {
            m_bParamError = true;
            NoteParameterLine();
            *endedAtHeader = true;
            return true;
        }
        SetParameterLine(line, kind);
    }
    return true;
}

void CHOXTextImporter::SetParameterLine(const QString& line, int kind)
{
    QString rest = line;
    QString word;
    const std::optional<std::int32_t> number = SplitWord(rest, word) ? LeadingNumber(word) : std::nullopt;
    if (!number || *number < 0) {
        m_bParamError = true;
        NoteParameterLine();
        return;
    }
    if (IsPassedOver(kind, *number)) return;
    QString name;
    if (!SplitAtBracket(rest, name)) {
        m_bParamError = true;
        NoteParameterLine();
        return;
    }
    const UINT n = static_cast<UINT>(*number);
    const bool parsedX = SetOneValue(rest, n, 0, kind);
    if (!parsedX || !kSections[kind].twoAxes || m_pDoc == nullptr || ctype::IsOneAxis(m_pDoc->GetControllerType()))
        return;
    SetOneValue(rest, n, 1, kind);
}

bool CHOXTextImporter::SetOneValue(QString& rest, UINT number, int axis, int kind)
{
    QString digits;
    bool negative = false;
    if (!ParseParamValue(rest, digits, number, &negative)) {
        m_bParamError = true;
        NoteParameterLine();
        return false;
    }
    const std::optional<std::int32_t> value = DigitsValue(digits, negative);
    CHOXParam* param = m_pDoc != nullptr ? &m_pDoc->GetParam() : nullptr;
    if (!value || param == nullptr || !param->SetParam(&*value, number, axis)) {
        m_bParamError = true;
        NoteParameterLine();
        return true;
    }
    if (kind == kControlSpec && number == 0 && param->HasMechanicalPositions(axis)) param->SetLengthUnit(axis, 0);
    return true;
}

// ---------------------------------------------------------------------------
// Progress and details

void CHOXTextImporter::ShowProgressText(UINT stringId)
{
    m_pProgress->SetCaption(LoadStr(stringId));
    m_pProgress->UpdateData(false);
    m_pProgress->UpdateWindow();
}

void CHOXTextImporter::StepProgress() { m_pProgress->Step(1); }

void CHOXTextImporter::CloseProgress()
{
    if (!m_pProgress) return;
    m_pProgress->SetPos(m_pProgress->GetUpper());
    m_pProgress->DestroyWindow();
    m_pActivations.reset();
}

QString CHOXTextImporter::LineDetail(int index, const QString& reason) const
{
    if (index < 0 || index >= static_cast<int>(m_lines.size())) return reason;
    const Line& line = m_lines[std::size_t(index)];
    QString detail = FormatStr(14001, {QString::number(line.number), line.text});
    QString why = reason;
    why.remove(u'\r');
    if (!why.isEmpty()) detail += QStringLiteral("\n    ") + why.replace(u'\n', QStringLiteral("\n    "));
    return detail;
}

void CHOXTextImporter::NoteParameterLine(const QString& reason)
{
    m_parameterDetails << LineDetail(m_nLineIndex - 1, reason);
}

void CHOXTextImporter::NoteStatementLine(const QString& reason)
{
    m_statementDetails << LineDetail(m_nLineIndex - 1, reason);
}

QString CHOXTextImporter::GetDetails() const { return (m_parameterDetails + m_statementDetails).join(u'\n'); }
