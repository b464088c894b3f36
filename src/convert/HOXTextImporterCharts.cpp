// The text import's chart level: where the program starts, the labels that
// divide it into charts, the windows, the first and the closing symbols and
// the closing message.
#include "convert/HOXTextImporter.h"

#include "chart/ControllerType.h"
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXFlowWnd.h"
#include "convert/ChartBuilding.h"
#include "convert/HOXExportProgressDlg.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <algorithm>
#include <vector>

namespace {
const QString kFileRegister = QStringLiteral("[File Register]");
} // namespace

// ---------------------------------------------------------------------------
// Finding the program

void CHOXTextImporter::FindProgramEnd()
{
    // The program part ends at "[File Register]", as the import without a
    // document reads it; the export never writes one.
    m_nLineEnd = static_cast<std::int32_t>(m_lines.size());
    bool inProgram = false;
    for (std::int32_t i = m_nLineIndex; i < static_cast<std::int32_t>(m_lines.size()); ++i) {
        QString text = m_lines[std::size_t(i)].text;
        StripLinePrefix(text);
        text = text.trimmed();
        if (!inProgram) {
            inProgram = IsSectionHeader(text, kProgram);
        } else if (text == kFileRegister) {
            m_nLineEnd = i;
            return;
        }
    }
}

void CHOXTextImporter::ScanCallTargets()
{
    m_calledPointers.fill(0);
    m_nProgramStart = m_nLineIndex;
    QString line;
    while (GetNextLine(line)) {
        if (!CheckLine(line) || m_checker.GetPrimaryName() != QStringLiteral("CALL")) continue;
        const std::optional<std::int32_t> n = LeadingNumber(m_checker.GetOperandText().mid(1));
        if (n && *n >= 0 && *n < 256) m_calledPointers[std::size_t(*n)] = 1;
    }
}

bool CHOXTextImporter::CheckLine(const QString& line, QString* error)
{
    QString message;
    const bool ok = m_checker.CheckInstruction(line, message, m_strLog);
    // The statement log grows line by line.
    m_checker.ReleasePrecedingText();
    if (error != nullptr) *error = ok ? QString() : message;
    return ok;
}

void CHOXTextImporter::GenerateFlowCharts()
{
    CHOXApp* app = CHOXApp::Get();
    m_pActivations = std::make_unique<CMDIFrameWnd::ActivationBatch>(app != nullptr ? app->MainFrame() : nullptr);
    FindProgramEnd();
    ScanCallTargets();
    m_nLineIndex = m_nProgramStart;
    ShowProgressText(13576);
    m_pProgress->SetPos(0);
    m_pProgress->SetRange(std::max(0, m_nLineEnd - m_nProgramStart));
    m_pProgress->SetStep(1);

    QString line;
    bool found = false;
    bool before = false;
    while (GetNextLine(line)) {
        StepProgress();
        if (IsSectionHeader(line, kProgram)) {
            found = true;
            break;
        }
        // The first line out of place is named; the others follow it.
        if (!before) NoteParameterLine();
        before = true;
    }
    if (before) m_bParamError = true;
    if (!found) {
        CloseProgress();
        AfxMessageBox((m_bParamError ? LoadStr(13564) : QString()) + LoadStr(13487), MB_OK | MB_ICONEXCLAMATION,
                      GetDetails());
        return;
    }
    ReadCharts();
}

bool CHOXTextImporter::HasMoreStatements()
{
    const std::int32_t at = m_nLineIndex;
    QString line;
    bool more = false;
    while (!more && GetNextLine(line)) more = line.trimmed().toUpper() != QStringLiteral("NOP");
    m_nLineIndex = at;
    return more;
}

// ---------------------------------------------------------------------------
// The chart loop

void CHOXTextImporter::ReadCharts()
{
    while (!m_bStopped) {
        m_strConsumed.clear();
        m_strPending.clear();
        QString passed;
        // A program that ends with the 500th window is complete: the limit
        // is met only by a chart that is still to come.
        if (m_pDoc->GetWindowMap().GetCount() >= kMaxWindows && HasMoreStatements()) {
            CloseProgress();
            AfxMessageBox(IDS_TOO_MANY_FLOW_CHARTS, MB_OK);
            m_bStopped = true;
            return;
        }
        QString line;
        bool ok = false;
        while (true) {
            if (!GetNextLine(line)) {
                CloseProgress();
                ShowResult();
                return;
            }
            ok = CheckLine(line);
            if (!ok || m_checker.GetPrimaryName().toUpper() != QStringLiteral("NOP")) break;
            // NOP lines between charts make nothing.
            passed += QStringLiteral("NOP\n");
            m_strLog += QStringLiteral("NOP\n");
            StepProgress();
        }

        int type = objtype::kFlowStart;
        int axis = axis::kBoth;
        std::int32_t number = 0;
        bool subtask = false;
        const bool labelled = ok && ParseLabel(m_checker.GetPrimaryName(), &type, &axis, &number, &subtask) &&
                              !(subtask && HasSubtaskWindow());
        const QString refusal = ok ? LoadStr(14003) : m_checker.GetErrorText();
        CHOXFlowWnd* wnd = CreateChartWindow(labelled && subtask);
        if (wnd == nullptr) {
            CloseProgress();
            m_bStopped = true;
            return;
        }
        m_cursor = CPoint(kColumnX, wnd->GetBaseRect()->GetRect().top + kColumnTop);
        CHOXSymbol* first = nullptr;
        if (labelled) {
            first = CreateStartSymbol(wnd, type, number, axis);
            StepProgress();
        } else if (!ParseLabel(line, &type, &axis, &number, &subtask)) {
            // The line is the chart's first statement.
            UnreadLine();
            first = CreateUnlabelledStart(wnd, objtype::kFlowStart, -1);
            if (first != nullptr) {
                first->SetState(CHOXSymbol::kMissing);
                first->UpdateText();
                first->CalcSteps();
            }
            m_strPending = passed;
        } else {
            // A label the checker refused, or a second subtask program.
            StepProgress();
            first = CreateUnlabelledStart(wnd, type, number);
            m_bErrorSymbols = true;
            NoteStatementLine(refusal);
        }
        if (first == nullptr || !ReadChart(wnd, first)) {
            CloseProgress();
            return;
        }
        FitBaseToSymbols(wnd);
    }
    CloseProgress();
}

// ---------------------------------------------------------------------------
// Labels

bool CHOXTextImporter::IsAllDigits(const QString& text)
{
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

bool CHOXTextImporter::ParseLabel(QString text, int* symbolType, int* axisKind, std::int32_t* number,
                                  bool* subtask) const
{
    text = text.toUpper();
    const qsizetype semicolon = text.indexOf(u';');
    if (semicolon >= 0) text.truncate(semicolon);
    if (text.size() < 2) return false;
    QString digits;
    if (text[0] == u'O') {
        int axis = axis::kBoth;
        digits = text.mid(1);
        if (text[1] == u'X' || text[1] == u'Y') {
            axis = text[1] == u'X' ? axis::kX : axis::kY;
            digits = text.mid(2);
        }
        // A number too long for 32 bits is no label.
        const std::optional<std::int32_t> n = IsAllDigits(digits) ? LeadingNumber(digits) : std::nullopt;
        if (!n) return false;
        *symbolType = objtype::kFlowStart;
        *axisKind = axis;
        *number = *n;
        *subtask = axis == axis::kBoth && *n == kSubtaskProgramNumber;
        return true;
    }
    if (text[0] != u'P') return false;
    digits = text.mid(1);
    const std::optional<std::int32_t> n = IsAllDigits(digits) ? LeadingNumber(digits) : std::nullopt;
    if (!n) return false;
    const int limit = m_pDoc != nullptr && ctype::IsOneAxis(m_pDoc->GetControllerType()) ? 128 : 256;
    *symbolType = *n < limit && IsCallTarget(*n) ? objtype::kFlowSubRtn : objtype::kFlowPointer;
    *axisKind = axis::kBoth;
    *number = *n;
    *subtask = false;
    return true;
}

// ---------------------------------------------------------------------------
// Windows and the first symbols

bool CHOXTextImporter::HasSubtaskWindow() const
{
    return m_pDoc != nullptr && m_pDoc->FindWindowByName(LoadStr(IDS_SUBTASK_NAME)) != nullptr;
}

CHOXFlowWnd* CHOXTextImporter::CreateChartWindow(bool subtask)
{
    CHOXApp* app = CHOXApp::Get();
    CMainFrame* main = app != nullptr ? app->MainFrame() : nullptr;
    if (main == nullptr || m_pDoc == nullptr) return nullptr;
    QString name = LoadStr(IDS_SUBTASK_NAME);
    if (!subtask) {
        for (qsizetype n = m_pDoc->GetWindowMap().GetCount() + 1;; ++n) {
            name = LoadStr(IDS_FLOW_CHART_NAME) + QString::number(n);
            if (m_pDoc->FindWindowByName(name) == nullptr) break;
        }
    }
    // A chart of that name (in any case) is the user's: it is never emptied.
    if (m_pDoc->FindWindowByName(name) != nullptr) return nullptr;
    main->CreateFlowChartWindow(name, QString(), 0);
    CHOXFlowWnd* wnd = m_pDoc->FindWindowByName(name);
    if (wnd == nullptr || wnd->GetBaseRect() == nullptr) return nullptr;
    // The chart is built on an empty sheet: the new window's first symbols
    // go with their numbers.
    std::vector<WORD> ids;
    for (const auto& [id, object] : wnd->GetObjectMap()) ids.push_back(id);
    for (WORD id : ids)
        if (std::unique_ptr<CHOXDrawObj> object = wnd->RemoveObject(id)) object->Remove();
    return wnd;
}

bool CHOXTextImporter::PlaceSymbol(CHOXFlowWnd* wnd, std::unique_ptr<CHOXSymbol> symbol)
{
    const std::int32_t id = m_pDoc->NewSymbolId();
    if (id == -1) {
        // The allocator has said so; the symbol goes with what it took.
        symbol->Remove();
        StopAtIdLimit();
        return false;
    }
    symbol->SetId(static_cast<DWORD>(id));
    wnd->AddObject(std::move(symbol));
    return true;
}

CHOXSymbol* CHOXTextImporter::CreateStartSymbol(CHOXFlowWnd* wnd, int symbolType, std::int32_t number, int axisKind)
{
    if (symbolType == objtype::kFlowStart) {
        const bool used = m_pDoc->IsProgramNumberUsed(axisKind, number);
        auto owned = std::make_unique<CHOXFlowStart>(m_cursor, wnd);
        CHOXFlowStart* start = owned.get();
        // The number the constructor took goes back, and the symbol holds
        // none: it takes its own only in the table of the label's axis.
        start->SetProgramNumber(-1);
        if (!PlaceSymbol(wnd, std::move(owned))) return nullptr;
        m_cursor.y += kRow;
        if (used) {
            start->SetState(CHOXSymbol::kError);
            m_bErrorSymbols = true;
            NoteStatementLine(LoadStr(14003));
        }
        start->SetAxis(axisKind);
        start->SetProgramNumber(number);
        start->UpdateText();
        start->CalcSteps();
        return start;
    }
    const bool used = m_pDoc->IsPointerNumberUsed(number);
    std::unique_ptr<CHOXSymbol> owned;
    if (symbolType == objtype::kFlowSubRtn)
        owned = std::make_unique<CHOXFlowSubRtn>(m_cursor, wnd);
    else
        owned = std::make_unique<CHOXFlowPointer>(m_cursor, wnd);
    CHOXSymbol* label = owned.get();
    if (!PlaceSymbol(wnd, std::move(owned))) return nullptr;
    if (used) {
        label->SetState(CHOXSymbol::kError);
        m_bErrorSymbols = true;
        NoteStatementLine(LoadStr(14003));
    }
    label->SetPointerNumber(number);
    label->UpdateText();
    label->CalcSteps();
    m_cursor.y += kRow;
    return label;
}

CHOXSymbol* CHOXTextImporter::CreateUnlabelledStart(CHOXFlowWnd* wnd, int symbolType, std::int32_t number)
{
    if (symbolType == objtype::kFlowStart) {
        auto owned = std::make_unique<CHOXFlowStart>(m_cursor, wnd);
        CHOXFlowStart* start = owned.get();
        if (!PlaceSymbol(wnd, std::move(owned))) return nullptr;
        m_cursor.y += kRow;
        // In the error state the symbol reserves no number: the one its
        // constructor took goes back from the table it came from.
        start->SetState(CHOXSymbol::kError);
        start->SetProgramNumber(number);
        start->SetAxis(ctype::IsInterpolated(m_pDoc->GetControllerType()) ? axis::kBoth : axis::kX);
        start->UpdateText();
        start->CalcSteps();
        return start;
    }
    std::unique_ptr<CHOXSymbol> owned;
    if (symbolType == objtype::kFlowSubRtn)
        owned = std::make_unique<CHOXFlowSubRtn>(m_cursor, wnd);
    else
        owned = std::make_unique<CHOXFlowPointer>(m_cursor, wnd);
    CHOXSymbol* label = owned.get();
    if (!PlaceSymbol(wnd, std::move(owned))) return nullptr;
    label->SetState(CHOXSymbol::kError);
    label->SetPointerNumber(number);
    label->UpdateText();
    label->CalcSteps();
    m_cursor.y += kRow;
    return label;
}

CHOXSymbol* CHOXTextImporter::AddChartEnd(CHOXFlowWnd* wnd, int firstType)
{
    if (firstType == objtype::kFlowSubRtn)
        return CreateFlowSymbol(wnd, QStringLiteral("RET"), QStringLiteral("FNC03"), QString());
    const bool subtask = wnd->IsSubtaskWindow();
    CHOXSymbol* end = CreateFlowSymbol(wnd, subtask ? QStringLiteral("m102") : QStringLiteral("m02"),
                                       subtask ? QStringLiteral("SEND") : QStringLiteral("END"), QString());
    if (end == nullptr) return nullptr;
    // It stands in the chart but writes nothing: the text had no end.
    end->SetState(CHOXSymbol::kMissing);
    static_cast<CHOXFlowEnd*>(end)->SetEndKind(-1);
    end->CalcSteps();
    return end;
}

void CHOXTextImporter::FitBaseToSymbols(CHOXFlowWnd* wnd) { chartbuild::GrowSheetTo(wnd, m_cursor.y); }

// ---------------------------------------------------------------------------
// The closing message

void CHOXTextImporter::ShowResult()
{
    QString message = LoadStr(13529);
    bool appended = false;
    if (m_bParamError) {
        message += LoadStr(13564);
        appended = true;
    }
    if (m_bErrorSymbols) {
        message += LoadStr(13528);
        appended = true;
    }
    // A JUMP was put in front of a pointer label the program ran into.
    if (!appended && m_nJumpsBuilt > m_nJumpsRead) AfxMessageBox(13623, MB_OK);
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION, GetDetails());
}
