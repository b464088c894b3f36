// The reader's statements: cutting the program read into statements, the
// look-ahead, the statement families, labels and the targets of CALLs.
#include "convert/HOXProgReader.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "chart/ObjectTypes.h"
#include "convert/ProgReaderSupport.h"
#include "params/HOXParam.h"

#include <QLatin1StringView>

#include <algorithm>
#include <initializer_list>

using progreader::TrimmedLeft;

namespace {

bool IsOneOf(const QString& name, std::initializer_list<QLatin1StringView> words)
{
    return std::any_of(words.begin(), words.end(), [&name](QLatin1StringView word) { return name == word; });
}

// A piece with nothing but its ";" is an empty statement.
bool IsEmptyStatement(const QString& piece) { return piece.isEmpty() || TrimmedLeft(piece) == u";"; }

} // namespace

CHOXProgReader::CHOXProgReader(CHOXDoc* doc) : m_pDoc(doc), m_checker(doc != nullptr ? &doc->GetParam() : nullptr)
{
    m_checker.SetFullRegisterRange(true);
    if (doc != nullptr) m_controllerType = doc->GetControllerType();
}

CHOXProgReader::~CHOXProgReader() = default;

// ---------------------------------------------------------------------------
// Statements

void CHOXProgReader::SetStatements(const QStringList& statements)
{
    m_statements = statements;
    m_statementIndex = 0;
    m_consumedCount = 0;
    m_consumedText.clear();
}

void CHOXProgReader::SplitStatements(const QString& text)
{
    SetStatements({});
    const QString upper = text.toUpper();
    for (qsizetype start = 0; start < upper.size();) {
        const qsizetype semicolon = upper.indexOf(u';', start);
        const qsizetype end = semicolon < 0 ? upper.size() : semicolon + 1;
        QString piece = TrimmedLeft(upper.mid(start, end - start));
        start = end;
        // The NOPs after the program's last ";" are NOPs too, not one
        // statement the checker would refuse.
        while (piece.startsWith(QLatin1StringView("NOP"))) {
            m_statements << QStringLiteral("NOP");
            piece = TrimmedLeft(piece.mid(3));
        }
        // A listing closes with a bare END after its last ";": the end of the
        // listing, not an END instruction that would open a chart of its own.
        if (semicolon < 0 && piece.trimmed() == u"END") break;
        if (!IsEmptyStatement(piece)) m_statements << piece;
    }
}

bool CHOXProgReader::NextStatement(QString& statement)
{
    statement.clear();
    if (m_statementIndex >= m_statements.size() - 1) return false;
    ++m_statementIndex;
    statement = m_statements.at(m_statementIndex);
    return true;
}

// ---------------------------------------------------------------------------
// Statement families

bool CHOXProgReader::IsNop(const QString& statement) { return statement == u"NOP"; }

bool CHOXProgReader::IsFlowInstruction(const QString& name)
{
    using L = QLatin1StringView;
    return IsOneOf(name, {L("CJ"), L("JMP"), L("END"), L("CALL"), L("RET"), L("CMP"), L("ZCP"), L("DCMP"), L("DZCP"),
                          L("CJN"), L("SEND")});
}

bool CHOXProgReader::IsSequenceInstruction(const QString& name)
{
    using L = QLatin1StringView;
    return IsOneOf(name, {L("LD"), L("OR"), L("FNC90"), L("AND"), L("LDI"), L("ORI"), L("ANI"), L("ORB"), L("ANB"),
                          L("OUT"), L("FNC05")});
}

bool CHOXProgReader::IsPositioningInstruction(const QString& alternate, const QString& name)
{
    using L = QLatin1StringView;
    if (alternate == u"SET" && name == u"cod92") return true;
    if (name == u"INC" && alternate != u"FNC24") return true;
    if (alternate == u"INC" && name != u"FNC24") return true;
    const std::initializer_list<QLatin1StringView> codes = {
        L("DRV"),  L("CW"),   L("CCW"), L("LIN"), L("SETR"), L("cod04"), L("TIME"), L("TIM"),  L("CHK"), L("DRVZ"),
        L("DRVR"), L("CANC"), L("ABS"), L("INT"), L("RADC"), L("SINT"),  L("DINT"), L("MOVC"), L("CNTC")};
    return IsOneOf(alternate, codes) || IsOneOf(name, codes);
}

bool CHOXProgReader::IsFunctionInstruction(const QString& name)
{
    using L = QLatin1StringView;
    return IsOneOf(name, {L("ADD"),  L("DEC"),  L("SUB"),  L("WAND"), L("MUL"),  L("WOR"),   L("DIV"),  L("WXOR"),
                          L("DADD"), L("DDEC"), L("DSUB"), L("DMUL"), L("DDIV"), L("DAND"),  L("DOR"),  L("DXOR"),
                          L("INC"),  L("DINC"), L("NEG"),  L("DNEG"), L("SET"),  L("XAB"),   L("RST"),  L("DBCD"),
                          L("YAB"),  L("CMP"),  L("ZCP"),  L("MOV"),  L("MMOV"), L("DMOV"),  L("RMOV"), L("BCD"),
                          L("DBIN"), L("BIN"),  L("EXT"),  L("SEGL"), L("DEXT"), L("DSEGL"), L("RPT"),  L("RPE")});
}

bool CHOXProgReader::IsCompareOrCondJump(const QString& name)
{
    using L = QLatin1StringView;
    return IsOneOf(name, {L("CMP"), L("ZCP"), L("DCMP"), L("DZCP"), L("CJ"), L("CJN")});
}

// ---------------------------------------------------------------------------
// Numbers, labels and call targets

bool CHOXProgReader::IsAllDigits(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool CHOXProgReader::ReadDecimal(const QString& digits, std::int32_t& value)
{
    if (digits.isEmpty() || !IsAllDigits(digits)) return false;
    std::int64_t n = 0;
    for (QChar c : digits) {
        n = n * 10 + (c.unicode() - u'0');
        if (n > INT32_MAX) return false;
    }
    value = static_cast<std::int32_t>(n);
    return true;
}

QString CHOXProgReader::FirstWord(const QString& operands)
{
    QString rest = operands;
    QString word;
    m_checker.ExtractWord(rest, word);
    return word;
}

bool CHOXProgReader::ReadPointerOperand(const QString& operands, std::int32_t& number)
{
    const QString word = FirstWord(operands);
    return !word.isEmpty() && ReadDecimal(word.mid(1), number);
}

void CHOXProgReader::ScanCallTargets()
{
    m_callTargets.fill(0);
    QString error;
    for (const QString& statement : m_statements) {
        if (!m_checker.CheckInstruction(TrimmedLeft(statement), error, QString())) continue;
        if (m_checker.GetPrimaryName() != u"CALL") continue;
        std::int32_t n = -1;
        if (ReadPointerOperand(m_checker.GetOperandText(), n) && n >= 0 && n <= 255)
            m_callTargets[static_cast<std::size_t>(n)] = 1;
    }
}

bool CHOXProgReader::IsCallTarget(int number) const
{
    return number >= 0 && number <= 255 && m_callTargets[static_cast<std::size_t>(number)] != 0;
}

bool CHOXProgReader::ParseLabelStatement(QString label, int& number, int& type, int& axis, int& subtask)
{
    label = label.toUpper();
    subtask = 0;
    const qsizetype semicolon = label.indexOf(u';');
    if (semicolon >= 0) label.truncate(semicolon);
    // "O10 N5": the N part and the character before it go.
    const qsizetype n = label.indexOf(u'N');
    if (n >= 0) label.truncate(std::max<qsizetype>(n - 1, 0));
    if (label.size() < 2) return false;

    std::int32_t value = 0;
    if (label.front() == u'O') {
        QString rest = label.mid(1);
        if (rest.startsWith(u'X')) {
            axis = axis::kX;
            rest.remove(0, 1);
        } else if (rest.startsWith(u'Y')) {
            axis = axis::kY;
            rest.remove(0, 1);
        } else if (rest != QString::number(kSubtaskProgramNumber)) {
            axis = axis::kBoth;
        }
        if (!ReadDecimal(rest, value)) return false;
        number = value;
        if (value == kSubtaskProgramNumber) subtask = 1;
        type = objtype::kFlowStart;
        return true;
    }
    if (label.front() == u'P') {
        if (!ReadDecimal(label.mid(1), value)) return false;
        number = value;
        const int limit = m_pDoc != nullptr ? ctype::HighestPointerNumber(m_pDoc->GetControllerType()) : 255;
        type = value <= limit && IsCallTarget(value) ? objtype::kFlowSubRtn : objtype::kFlowPointer;
        return true;
    }
    return false;
}

void CHOXProgReader::PreScanLabels()
{
    if (m_controllerType != ctype::kTwoAxes) return;
    for (const QString& statement : m_statements) {
        const QString label = TrimmedLeft(statement);
        if (label.isEmpty()) continue;
        int number = 0;
        int type = 0;
        // Only an "O" label says its axis; anything else leaves this.
        int axis = -1;
        int subtask = 0;
        if (!ParseLabelStatement(label, number, type, axis, subtask) || axis != axis::kBoth) continue;
        m_controllerType = ctype::kInterpolated;
        return;
    }
}
