// Positioning statements to positioning-code symbols: the eleven rows, the
// readers of their operand words, and the folding of addressing,
// compensation and end-check statements into the motion symbols that write
// them themselves.
#include "convert/HOXProgReader.h"

#include "convert/ProgReaderSupport.h"
#include "symbols/code/HOXCodeChk.h"
#include "symbols/code/HOXCodeCir.h"
#include "symbols/code/HOXCodeComp.h"
#include "symbols/code/HOXCodeDrv.h"
#include "symbols/code/HOXCodeDrvz.h"
#include "symbols/code/HOXCodeIncAbs.h"
#include "symbols/code/HOXCodeInt.h"
#include "symbols/code/HOXCodeLine.h"
#include "symbols/code/HOXCodeSetAddr.h"
#include "symbols/code/HOXCodeSetrDrvr.h"
#include "symbols/code/HOXCodeTime.h"

#include <algorithm>
#include <array>

namespace {

using progreader::IndexInWords;
using progreader::IsOneOfWords;

// M codes fit the symbols' byte; the checker allows none above 102.
BYTE Byte(std::int32_t number) { return static_cast<BYTE>(number); }

constexpr char kCompensations[] = "MOVC CNTC RADC CANC";

// An operand letter of a statement and the fields its word fills: the used
// flag and the value text.
template <class Operands>
struct LetterField {
    char letter;
    std::int32_t Operands::*used;
    QString Operands::*text;
};

// Fills the fields the table names for each word's letter; an "m" word is
// the statement's M code; other words are left out.
template <class Operands, std::size_t N, class Mcode>
void ReadByLetter(const QStringList& words, Operands& out, const LetterField<Operands> (&fields)[N], Mcode mcode)
{
    out = Operands();
    for (const QString& word : words) {
        const QChar letter = word.isEmpty() ? QChar() : word.front();
        if (letter == u'm') {
            mcode(word);
            continue;
        }
        for (const LetterField<Operands>& field : fields) {
            if (letter != QLatin1Char(field.letter)) continue;
            out.*field.used = 1;
            out.*field.text = word.mid(1);
            break;
        }
    }
}

} // namespace

// ---------------------------------------------------------------------------
// The rows

const CHOXProgReader::CodeRow* CHOXProgReader::FindCodeRow(const QString& codeName, const QString& mnemonic,
                                                           QString* rowMnemonic)
{
    static const std::array<CodeRow, 11> kRows = {{
        {"DRV", "COD00", &CHOXProgReader::BuildDriveRow},
        {"DRVZ", "COD28", &CHOXProgReader::BuildZeroReturnRow},
        {"SET", "COD92", &CHOXProgReader::BuildSetAddressRow},
        {"ABS INC", "COD90 COD91", &CHOXProgReader::BuildAddressingRow},
        {"DINT SINT", "COD72 COD71", &CHOXProgReader::BuildInterruptRow},
        {"LIN INT", "COD01 COD31", &CHOXProgReader::BuildLinearRow},
        {"CW CCW", "COD02 COD03", &CHOXProgReader::BuildCircularRow},
        {"CHK", "COD09", &CHOXProgReader::BuildEndCheckRow},
        {"TIM TIME", "COD04", &CHOXProgReader::BuildTimerRow},
        {kCompensations, "COD73 COD74 COD75 COD76", &CHOXProgReader::BuildCompensationRow},
        {"SETR DRVR", "COD29 COD30", &CHOXProgReader::BuildSetrDrvrRow},
    }};
    const QString code = codeName.toUpper();
    const QString word = mnemonic.toUpper();
    for (const CodeRow& row : kRows) {
        if (IsOneOfWords(word, row.mnemonics)) {
            if (rowMnemonic != nullptr) *rowMnemonic = word;
            return &row;
        }
        const int at = IndexInWords(code, row.codeNames);
        if (at >= 0) {
            // Named by its code alone: the setters want the mnemonic.
            if (rowMnemonic != nullptr) *rowMnemonic = progreader::WordAt(row.mnemonics, at);
            return &row;
        }
    }
    return nullptr;
}

bool CHOXProgReader::IsPositioningRow(const QString& codeName, const QString& mnemonic)
{
    return FindCodeRow(codeName, mnemonic, nullptr) != nullptr;
}

CHOXSymbol* CHOXProgReader::BuildPositioningSymbol(CHOXWnd* wnd, QString codeName, QString mnemonic, QString operands,
                                                   QString)
{
    m_lastSymbol = nullptr;
    QString rowMnemonic;
    const CodeRow* row = FindCodeRow(codeName, mnemonic, &rowMnemonic);
    if (row == nullptr || wnd == nullptr || m_stopped) return nullptr;
    // Every statement brings its own M code or none.
    m_mcodeGiven = 0;
    m_mcodeNumber = 0;
    const int current = m_statementIndex;
    std::unique_ptr<CHOXSymbol> symbol = (this->*row->build)(CodeStatement{wnd, rowMnemonic, operands});
    m_statementIndex = current;
    if (!symbol) return nullptr;
    // Not every setter counts the steps again; the symbol's record and the
    // document's total need them now.
    symbol->CalcSteps();
    m_lastSymbol = PlaceSymbol(std::move(symbol), wnd);
    return m_lastSymbol;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildDriveRow(const CodeStatement& s)
{
    DriveOperands o;
    ReadDriveOperands(s.operands, o);
    auto drive = std::make_unique<CHOXCodeDrv>(m_position, s.wnd);
    ApplyPendingAddressing(*drive);
    ApplyPendingCompensation(*drive);
    m_mergePending = 0;
    drive->SetFromText(s.mnemonic, o.xUsed, o.yUsed, m_mcodeGiven, o.xSpeedUsed, o.ySpeedUsed, Byte(m_mcodeNumber), o.x,
                       o.y, o.xSpeed, o.ySpeed);
    return drive;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildZeroReturnRow(const CodeStatement& s)
{
    const QString first = FirstWord(s.operands);
    if (!first.isEmpty()) ReadMcode(first);
    // Between the relays of its axis the drive returns that axis alone.
    const std::int32_t option = m_zeroReturnSeq != 0 ? m_zeroReturnAxis : 2;
    auto drvz = std::make_unique<CHOXCodeDrvz>(m_position, s.wnd);
    drvz->SetFromText(Byte(m_mcodeNumber), option, m_mcodeGiven);
    return drvz;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildSetAddressRow(const CodeStatement& s)
{
    SetAddressOperands o;
    ReadSetAddressOperands(s.operands, o);
    auto set = std::make_unique<CHOXCodeSetAddr>(m_position, s.wnd);
    set->SetFromText(o.xUsed, o.yUsed, m_mcodeGiven, o.x, o.y, Byte(m_mcodeNumber));
    return set;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildAddressingRow(const CodeStatement& s)
{
    ReadMcode(FirstWord(s.operands));
    m_incremental = s.mnemonic != u"ABS";
    // The motion symbol writes its addressing line without an M code: one
    // that carries an M code stays a symbol of its own.
    if (m_mcodeGiven == 0) {
        m_compPending = false;
        bool withCompensation = false;
        if (AddressingFolds(withCompensation)) {
            m_addressingPending = true;
            m_mergePending = 1;
            m_compPending = withCompensation;
            MarkFoldedForward();
            return nullptr;
        }
    }
    auto addressing = std::make_unique<CHOXCodeIncAbs>(m_position, s.wnd);
    addressing->SetFromText(s.mnemonic, m_mcodeGiven, Byte(m_mcodeNumber));
    return addressing;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildInterruptRow(const CodeStatement& s)
{
    InterruptOperands o;
    ReadInterruptOperands(s.operands, o);
    auto interrupt = std::make_unique<CHOXCodeInt>(m_position, s.wnd);
    ApplyPendingCompensation(*interrupt);
    m_mergePending = 0;
    interrupt->SetFromText(s.mnemonic, o.isX, o.position, o.speed1, o.speed2, m_mcodeGiven, Byte(m_mcodeNumber));
    return interrupt;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildLinearRow(const CodeStatement& s)
{
    LinearOperands o;
    ReadLinearOperands(s.operands, o);
    auto line = std::make_unique<CHOXCodeLine>(m_position, s.wnd);
    ApplyPendingAddressing(*line);
    ApplyPendingCompensation(*line);
    m_mergePending = 0;
    if (NextIsEndCheck()) {
        line->SetEndCheck(1);
        m_endCheckTaken = true;
        m_compPending = false;
    }
    line->SetFromText(s.mnemonic, o.xUsed, o.yUsed, m_mcodeGiven, o.speedUsed, Byte(m_mcodeNumber), o.x, o.y, o.speed);
    return line;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildCircularRow(const CodeStatement& s)
{
    CircularOperands o;
    ReadCircularOperands(s.operands, o);
    auto circle = std::make_unique<CHOXCodeCir>(m_position, s.wnd);
    ApplyPendingAddressing(*circle);
    ApplyPendingCompensation(*circle);
    m_mergePending = 0;
    if (NextIsEndCheck()) {
        circle->SetEndCheck(1);
        m_endCheckTaken = true;
        m_compPending = false;
    }
    circle->SetFromText(s.mnemonic, o.xUsed, o.yUsed, m_mcodeGiven, o.iUsed, o.jUsed, o.rUsed, o.speedUsed,
                        Byte(m_mcodeNumber), o.x, o.y, o.speed, o.i, o.j, o.r);
    return circle;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildEndCheckRow(const CodeStatement& s)
{
    ReadMcode(FirstWord(s.operands));
    if (m_endCheckTaken) {
        // The motion before it writes it; its steps stay in that symbol's.
        m_endCheckTaken = false;
        m_mergePending = 0;
        return nullptr;
    }
    auto check = std::make_unique<CHOXCodeChk>(m_position, s.wnd);
    check->SetFromText(Byte(m_mcodeNumber), m_mcodeGiven);
    return check;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildTimerRow(const CodeStatement& s)
{
    QString rest = s.operands;
    QString time;
    m_checker.ExtractWord(rest, time);
    // The timer writes the K itself.
    if (time.startsWith(u'K', Qt::CaseInsensitive)) time.remove(0, 1);
    QString second;
    m_checker.ExtractWord(rest, second);
    ReadMcode(second);
    auto timer = std::make_unique<CHOXCodeTime>(m_position, s.wnd);
    timer->SetFromText(Byte(m_mcodeNumber), m_mcodeGiven, time);
    return timer;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildCompensationRow(const CodeStatement& s)
{
    CompensationOperands o;
    ReadCompensationOperands(s.operands, o);
    // An addressing statement before it folded across it by the same rule.
    const bool folds = CompensationFolds(s.mnemonic, s.operands, LookAhead(1));
    m_compPending = folds;
    m_mergePending = folds ? 1 : 0;
    if (folds) {
        // A new setting: nothing of an earlier compensation stays in it.
        m_pendingComp = CHOXCompSetting();
        m_pendingComp.SetKind(static_cast<BYTE>(std::max(0, IndexInWords(s.mnemonic, "MOVC RADC CNTC CANC"))));
        m_pendingComp.SetOperand1Used(o.used1);
        m_pendingComp.SetOperand2Used(o.used2);
        m_pendingComp.SetOperand1Text(o.text1);
        if (!o.text2.isEmpty() && o.letter != 'r') m_pendingComp.SetOperand2Text(o.text2);
    }
    if (m_mergePending != 0) {
        MarkFoldedForward();
        return nullptr;
    }
    auto comp = std::make_unique<CHOXCodeComp>(m_position, s.wnd);
    comp->SetFromText(s.mnemonic, o.letter, o.used1, o.used2, m_mcodeGiven, o.text1, o.text2, Byte(m_mcodeNumber));
    return comp;
}

std::unique_ptr<CHOXSymbol> CHOXProgReader::BuildSetrDrvrRow(const CodeStatement& s)
{
    ReadMcode(FirstWord(s.operands));
    auto symbol = std::make_unique<CHOXCodeSetrDrvr>(m_position, s.wnd);
    symbol->SetFromText(s.mnemonic, m_mcodeGiven, Byte(m_mcodeNumber));
    return symbol;
}

// ---------------------------------------------------------------------------
// Operand words

QStringList CHOXProgReader::OperandWords(const QString& operands)
{
    QStringList words;
    QString rest = operands;
    for (;;) {
        QString word;
        m_checker.ExtractWord(rest, word);
        if (word.isEmpty()) break;
        words << word;
    }
    return words;
}

void CHOXProgReader::SplitOperandWord(const QString& word, QString& rest, QChar& letter)
{
    letter = word.isEmpty() ? QChar() : word.front();
    rest = word.mid(1);
}

void CHOXProgReader::ReadLinearOperands(const QString& operands, LinearOperands& out)
{
    using O = LinearOperands;
    static constexpr LetterField<O> kFields[] = {
        {'x', &O::xUsed, &O::x},
        {'y', &O::yUsed, &O::y},
        {'f', &O::speedUsed, &O::speed},
    };
    ReadByLetter(OperandWords(operands), out, kFields, [this](const QString& word) { ReadMcode(word); });
}

void CHOXProgReader::ReadDriveOperands(const QString& operands, DriveOperands& out)
{
    out = DriveOperands();
    // A speed belongs to the axis word right before it; after both axes
    // that is Y, the axis the checker judges the one speed by. So the
    // drive's own text, a speed behind each axis, comes back the same.
    QChar axis;
    for (const QString& word : OperandWords(operands)) {
        QString value;
        QChar letter;
        SplitOperandWord(word, value, letter);
        if (letter == u'x') {
            out.xUsed = 1;
            out.x = value;
            axis = letter;
        } else if (letter == u'y') {
            out.yUsed = 1;
            out.y = value;
            axis = letter;
        } else if (letter == u'f' && axis == u'x') {
            out.xSpeedUsed = 1;
            out.xSpeed = value;
        } else if (letter == u'f' && axis == u'y') {
            out.ySpeedUsed = 1;
            out.ySpeed = value;
        } else if (letter == u'm') {
            ReadMcode(word);
        }
    }
}

void CHOXProgReader::ReadCircularOperands(const QString& operands, CircularOperands& out)
{
    using O = CircularOperands;
    static constexpr LetterField<O> kFields[] = {
        {'x', &O::xUsed, &O::x}, {'y', &O::yUsed, &O::y}, {'i', &O::iUsed, &O::i},
        {'j', &O::jUsed, &O::j}, {'r', &O::rUsed, &O::r}, {'f', &O::speedUsed, &O::speed},
    };
    ReadByLetter(OperandWords(operands), out, kFields, [this](const QString& word) { ReadMcode(word); });
}

void CHOXProgReader::ReadInterruptOperands(const QString& operands, InterruptOperands& out)
{
    out = InterruptOperands();
    m_mcodeGiven = 0;
    m_mcodeNumber = 0;
    bool firstSpeed = true;
    for (const QString& word : OperandWords(operands)) {
        QString value;
        QChar letter;
        SplitOperandWord(word, value, letter);
        if (letter == u'x' || letter == u'y') {
            out.position = value;
            out.isX = letter == u'x' ? 1 : 0;
        } else if (letter == u'f') {
            (firstSpeed ? out.speed1 : out.speed2) = value;
            firstSpeed = false;
        } else if (letter == u'm') {
            ReadMcode(word);
        }
    }
}

void CHOXProgReader::ReadSetAddressOperands(const QString& operands, SetAddressOperands& out)
{
    using O = SetAddressOperands;
    static constexpr LetterField<O> kFields[] = {{'x', &O::xUsed, &O::x}, {'y', &O::yUsed, &O::y}};
    m_mcodeGiven = 0;
    m_mcodeNumber = 0;
    ReadByLetter(OperandWords(operands), out, kFields, [this](const QString& word) { ReadMcode(word); });
}

void CHOXProgReader::ReadCompensationOperands(const QString& operands, CompensationOperands& out)
{
    out = CompensationOperands();
    int position = 0;
    for (const QString& word : OperandWords(operands)) {
        QString value;
        QChar letter;
        SplitOperandWord(word, value, letter);
        if (letter == u'm') {
            ReadMcode(word);
            continue;
        }
        const char c = letter.toLatin1();
        if (position == 0 && (c == 'x' || c == 'i' || c == 'r')) {
            out.letter = c;
            out.used1 = 1;
            out.text1 = value;
        } else if (position == 0 && (c == 'y' || c == 'j')) {
            out.letter = c;
            out.used2 = 1;
            out.text2 = value;
        } else if (position == 1 && out.used1 != 0 && (c == 'y' || (c == 'j' && out.letter != 'r'))) {
            out.used2 = 1;
            out.text2 = value;
        }
        ++position;
    }
}

// ---------------------------------------------------------------------------
// Folding

CHOXProgReader::Neighbour CHOXProgReader::LookAhead(int ahead)
{
    Neighbour next;
    const int current = m_statementIndex;
    QString statement;
    bool there = true;
    for (int k = 0; k < ahead && there; ++k) there = NextStatement(statement);
    m_statementIndex = current;
    statement = progreader::TrimmedLeft(statement);
    QString error;
    // Only a statement the walk will build can take what folds into it.
    if (!there || statement.isEmpty() || !m_checker.CheckInstruction(statement, error, QString())) return next;
    next.accepted = true;
    next.name = m_checker.GetPrimaryName().toUpper();
    next.mnemonic = m_checker.GetAlternateName().toUpper();
    next.operands = m_checker.GetOperandText();
    return next;
}

bool CHOXProgReader::NextIsEndCheck()
{
    const Neighbour next = LookAhead(1);
    // The motion writes its end check without an M code: a CHK with one
    // stays a symbol of its own.
    return next.accepted && next.mnemonic == u"CHK" && FirstWord(next.operands).isEmpty();
}

bool CHOXProgReader::AddressingFolds(bool& withCompensation)
{
    withCompensation = false;
    const Neighbour next = LookAhead(1);
    if (!next.accepted) return false;
    if (IsOneOfWords(next.mnemonic, "CW CCW DRV LIN INT")) return true;
    if (!IsOneOfWords(next.mnemonic, kCompensations)) return false;
    // Across a compensation only when that folds into the same motion.
    const Neighbour motion = LookAhead(2);
    if (!motion.accepted || !IsOneOfWords(motion.mnemonic, "CW CCW DRV LIN INT")) return false;
    withCompensation = CompensationFolds(next.mnemonic, next.operands, motion);
    return withCompensation;
}

bool CHOXProgReader::CompensationFolds(const QString& kind, const QString& operands, const Neighbour& motion)
{
    if (!motion.accepted) return false;
    bool centre = false;
    bool radius = false;
    for (const QString& word : OperandWords(operands))
        if (word.startsWith(u'm')) return false;
    for (const QString& word : OperandWords(motion.operands)) {
        centre = centre || word.startsWith(u'i') || word.startsWith(u'j');
        radius = radius || word.startsWith(u'r');
    }
    // Each motion writes only some kinds: the circle no MOVC, the others
    // neither RADC nor CNTC as the folding needs them.
    if (IsOneOfWords(motion.mnemonic, "CW CCW"))
        return kind == u"CANC" || (kind == u"CNTC" && centre) || (kind == u"RADC" && radius);
    if (IsOneOfWords(motion.mnemonic, "DRV LIN INT DINT SINT")) return kind == u"MOVC" || kind == u"CANC";
    return false;
}

template <class T>
void CHOXProgReader::ApplyPendingAddressing(T& symbol)
{
    if (!m_addressingPending) return;
    symbol.SetAddressing(1, m_incremental ? 1 : 0);
    m_addressingPending = false;
}

template <class T>
void CHOXProgReader::ApplyPendingCompensation(T& symbol)
{
    if (!m_compPending) return;
    symbol.SetCompensation(m_pendingComp);
    m_compPending = false;
}

void CHOXProgReader::MarkFoldedForward()
{
    if (m_foldStart < 0) m_foldStart = m_statementIndex;
}
