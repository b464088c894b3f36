#include "convert/HOXExport.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/HOXJumpEndBase.h"
#include "chart/HOXPin.h"
#include "chart/HOXView.h"
#include "convert/HOXExportProgressDlg.h"
#include "platform/MDI.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/flow/HOXFlowJump.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowProgText.h"

#include <algorithm>
#include <climits>

namespace {

// A node's id is its pointer number; only these have a label flag.
constexpr DWORD kLastLabel = 255;

bool IsRootType(int type)
{
    return type == objtype::kFlowStart || type == objtype::kFlowSubRtn || type == objtype::kFlowPointer;
}

// Every symbol of every flow chart, the charts in the window map's order and
// the symbols in their object map's; `visit` answers false to stop.
template <class Visit>
void ForEachSymbol(CHOXDoc* doc, Visit visit)
{
    for (auto& [name, window] : doc->GetWindowMap()) {
        for (auto& [key, object] : window->GetObjectMap()) {
            auto* symbol = dynamic_cast<CHOXSymbol*>(object.get());
            if (symbol != nullptr && !visit(symbol, window.get())) return;
        }
    }
}

// Free program text keeps of each line only its first statement: what
// follows the ";" is a comment.
QString FirstStatements(const QString& code)
{
    QString out;
    for (const QString& line : code.split(u'\n')) {
        const qsizetype semicolon = line.indexOf(u';');
        out += (semicolon < 0 ? line : line.left(semicolon + 1)) + QStringLiteral("\n");
    }
    return out;
}

bool EndFollowsJump(CHOXSymbol* symbol)
{
    const auto* jump = dynamic_cast<const CHOXFlowJump*>(symbol);
    return jump != nullptr && jump->GetEndFollows() != 0;
}

} // namespace

CHOXExport::CHOXExport(CHOXDoc* doc) : m_pDoc(doc), m_checker(doc != nullptr ? &doc->GetParam() : nullptr) {}

CHOXExport::~CHOXExport() { CloseProgress(); }

// ---------------------------------------------------------------------------
// The checks

bool CHOXExport::CheckSymbolErrors(CHOXSymbol** symbol, QString& message)
{
    bool ok = true;
    ForEachSymbol(m_pDoc, [&](CHOXSymbol* s, CHOXFlowWnd*) {
        if (s->GetState() != CHOXSymbol::kError) return true;
        *symbol = s;
        message = LoadStr(13391);
        ok = false;
        return false;
    });
    return ok;
}

bool CHOXExport::IsPinConnected(const CHOXSymbol* symbol, int index, CHOXFlowWnd* window) const
{
    const CHOXPin* pin = symbol->GetPin(index);
    if (pin == nullptr) return true; // no pin at this index
    if (pin->IsFree()) return false;
    // The walk writes what the wire leads to: a wire that is gone, that ends
    // nowhere, or that carries a node without a label flag leads nowhere it
    // could write.
    const CHOXConnect* wire = chart::FindWire(window, pin->GetLinkId());
    if (wire == nullptr) return false;
    if (wire->GetNodeId() != CHOXConnect::kNone && wire->GetNodeId() > kLastLabel) return false;
    if (wire->GetTargetKind() == CHOXConnect::kTargetSymbol)
        return chart::FindSymbol(window, wire->GetTargetId()) != nullptr;
    if (chart::FindNode(window, wire->GetTargetId()) == nullptr) return false;
    // The conditional jump names its target itself; any other wire to a
    // node is written as its jump-end marker.
    const bool sideExit = index == 2 && symbol->GetObjectType() == objtype::kFlowCJump;
    return sideExit || wire->GetJumpEnd() != nullptr;
}

bool CHOXExport::CheckConnections(CHOXSymbol** symbol, QString& message)
{
    bool ok = true;
    ForEachSymbol(m_pDoc, [&](CHOXSymbol* s, CHOXFlowWnd* window) {
        for (int i = 0; i < s->GetPinCount(); ++i) {
            if (IsPinConnected(s, i, window)) continue;
            *symbol = s;
            message = LoadStr(13401);
            ok = false;
            return false;
        }
        return true;
    });
    return ok;
}

int CHOXExport::CheckSymbolData(CHOXSymbol** symbol, QString& message)
{
    int verdict = 0;
    ForEachSymbol(m_pDoc, [&](CHOXSymbol* s, CHOXFlowWnd*) {
        const int state = s->GetErrorState();
        if (state == 1) {
            const int type = s->GetObjectType();
            *symbol = s;
            message = LoadStr(type == objtype::kFlowJump ? 13402 : type == objtype::kFlowCall ? 13403 : 13400);
            verdict = 1;
            return false;
        }
        if (state == 2) {
            *symbol = s;
            message = LoadStr(13645);
            verdict = 2;
        }
        return true;
    });
    return verdict;
}

bool CHOXExport::CheckJumpPointers(CHOXSymbol** symbol, QString& message)
{
    bool ok = true;
    ForEachSymbol(m_pDoc, [&](CHOXSymbol* s, CHOXFlowWnd*) {
        const int type = s->GetObjectType();
        if (type == objtype::kFlowProgText) {
            auto* text = dynamic_cast<CHOXFlowProgText*>(s);
            if (text == nullptr || text->CheckJumpTargets()) return true;
            *symbol = s;
            message = LoadStr(13398);
            ok = false;
            return false;
        }
        if (type != objtype::kFlowCall && type != objtype::kFlowJump) return true;
        const std::int32_t n = s->GetPointerNumber();
        if (n >= 0 && n <= 255 && m_pDoc->IsPointerNumberUsed(n)) return true;
        *symbol = s;
        message = LoadStr(type == objtype::kFlowCall ? 13394 : 13393);
        ok = false;
        return false;
    });
    return ok;
}

// ---------------------------------------------------------------------------
// The conversion

bool CHOXExport::GenerateProgram(QString& message, bool listing, int* severity, CHOXSymbol** symbol, bool ask)
{
    int ownSeverity = 0;
    CHOXSymbol* ownSymbol = nullptr;
    if (severity == nullptr) severity = &ownSeverity;
    if (symbol == nullptr) symbol = &ownSymbol;
    m_strProgram.clear();
    if (m_pDoc == nullptr) return false;

    CHOXSymbol* culprit = nullptr;
    QString text;
    const auto stop = [&](int level) {
        message = text;
        *severity = level;
        *symbol = culprit;
    };
    if (!CheckSymbolErrors(&culprit, text) || !CheckConnections(&culprit, text)) {
        stop(1);
        return false;
    }
    const int data = CheckSymbolData(&culprit, text);
    if (data == 1) {
        stop(1);
        return false;
    }
    if (data == 2) {
        stop(0);
        if (ask && !AskContinue(culprit, text)) return false;
    }
    culprit = nullptr;
    if (!CheckJumpPointers(&culprit, text)) {
        stop(0);
        if (ask && !AskContinue(culprit, text)) return false;
    }

    // Preparation.
    std::vector<DWORD> visited;
    LabelFlags labels{};
    m_bListing = listing;
    m_strProgram = listing ? LoadStr(13384) : QString();
    m_nStepAddress = 0;
    m_nLineNumber = 0;
    m_bMainProgramOpen = false;
    m_strCurrent.clear();
    if (listing) {
        const std::uint32_t total = m_pDoc->GetTotalSteps();
        const int upper = static_cast<int>(std::min<std::uint32_t>(total, INT_MAX));
        m_pProgress = std::make_unique<CHOXExportProgressDlg>(0, upper, 1, nullptr);
        m_pProgress->Create();
    } else {
        m_pDoc->ClearStepInfo();
    }
    // The progress window goes on every way out.
    struct Closer {
        CHOXExport* self;
        ~Closer() { self->CloseProgress(); }
    } closer{this};

    QString separator;
    bool found = false;
    bool asked = false;
    for (const QString& name : m_pDoc->GetWindowNameList()) {
        const auto* entry = m_pDoc->GetWindowMap().Lookup(name);
        if (entry == nullptr || *entry == nullptr) {
            message.clear();
            *severity = 0;
            *symbol = nullptr;
            return false;
        }
        CHOXFlowWnd* window = entry->get();
        visited.clear();
        m_walked.clear();
        if (m_pProgress) {
            m_pProgress->SetCaption(LoadStr(13573) + name);
            m_pProgress->UpdateData(false);
            m_pProgress->UpdateWindow();
        }
        for (auto& [key, object] : window->GetObjectMap()) {
            auto* root = dynamic_cast<CHOXSymbol*>(object.get());
            if (root == nullptr || !IsRootType(root->GetObjectType())) continue;
            const int type = root->GetObjectType();
            const bool missing = root->GetState() == CHOXSymbol::kMissing;
            if (type != objtype::kFlowPointer) {
                m_nLineNumber = 0;
                m_strCurrent.clear();
                if (listing && !missing) m_strProgram += separator;
            }
            if (type == objtype::kFlowStart && !missing) m_bMainProgramOpen = true;
            GenerateFlow(root, window, labels, visited);
            separator = QStringLiteral("\n");
            found = true;
        }
        if (!CheckUnreached(window, visited, message, severity, symbol, ask, asked)) return false;
    }
    CloseProgress();
    if (!found) {
        message = LoadStr(13396);
        *severity = 0;
        *symbol = nullptr;
        m_strProgram.clear();
    }
    return true;
}

bool CHOXExport::CheckUnreached(CHOXFlowWnd* window, std::vector<DWORD>& visited, QString& message, int* severity,
                                CHOXSymbol** symbol, bool ask, bool& asked)
{
    std::sort(visited.begin(), visited.end());
    for (auto& [key, object] : window->GetObjectMap()) {
        if (std::binary_search(visited.begin(), visited.end(), object->GetId())) continue;
        auto* unreached = dynamic_cast<CHOXSymbol*>(object.get());
        message = LoadStr(13399);
        *severity = 0;
        *symbol = unreached;
        // Asked once a conversion; later ones only keep the message current.
        if (asked) continue;
        asked = true;
        if (ask && !AskContinue(unreached, message)) return false;
    }
    return true;
}

void CHOXExport::GenerateFlow(CHOXSymbol* start, CHOXFlowWnd* window, LabelFlags& labels, std::vector<DWORD>& visited)
{
    if (start == nullptr) return;
    // Depth first as a recursion goes, each symbol's pins in index order,
    // but on a stack of its own: one program may run through thousands of
    // symbols.
    struct Frame {
        CHOXSymbol* symbol;
        int nextPin;
    };
    std::vector<Frame> stack;
    WriteSymbol(start, window, visited);
    stack.push_back({start, 0});
    while (!stack.empty()) {
        CHOXSymbol* current = stack.back().symbol;
        const int index = stack.back().nextPin++;
        if (index >= current->GetPinCount()) {
            stack.pop_back();
            continue;
        }
        CHOXSymbol* next = FollowPin(current, index, window, labels, visited);
        if (next == nullptr) continue;
        WriteSymbol(next, window, visited);
        stack.push_back({next, 0});
    }
}

void CHOXExport::WriteSymbol(CHOXSymbol* symbol, CHOXFlowWnd* window, std::vector<DWORD>& visited)
{
    visited.push_back(symbol->GetId());
    m_walked.insert(symbol);
    if (m_bListing)
        StepProgress(symbol->GetSteps());
    else
        AddStepRecord(symbol, window);
    const int type = symbol->GetObjectType();
    QString code = symbol->GetCode();
    if (type == objtype::kFlowProgText) code = FirstStatements(code);
    code = code.trimmed();
    if (!code.isEmpty()) AppendCode(code);
    if (type == objtype::kFlowEnd || type == objtype::kFlowRet ||
        (type == objtype::kFlowJump && EndFollowsJump(symbol)))
        m_bMainProgramOpen = false;
}

CHOXSymbol* CHOXExport::FollowPin(CHOXSymbol* symbol, int index, CHOXFlowWnd* window, LabelFlags& labels,
                                  std::vector<DWORD>& visited)
{
    const CHOXPin* pin = symbol->GetPin(index);
    if (pin == nullptr || pin->IsInputSide() || pin->IsFree()) return nullptr;
    // The checks have made sure the wire leads somewhere; the walk still
    // takes nothing for granted.
    CHOXConnect* wire = chart::FindWire(window, pin->GetLinkId());
    if (wire == nullptr) return nullptr;

    if (wire->GetTargetKind() != CHOXConnect::kTargetSymbol) {
        // A wire to a node jumps there, except the conditional jump's side
        // exit, whose own text names the target.
        if (index == 2) return nullptr;
        WriteNodeLabel(wire, window, labels);
        const CHOXJumpEndBase* marker = wire->GetJumpEnd();
        if (marker == nullptr) return nullptr;
        AppendCode(marker->GetCode());
        if (!m_bListing) m_nStepAddress += marker->GetSteps();
        return nullptr;
    }

    CHOXSymbol* target = chart::FindSymbol(window, wire->GetFinalTarget());
    if (target == nullptr || IsTargetLabelWritten(target, window, labels)) return nullptr;
    if (index == 2 && target->GetObjectType() == objtype::kFlowJump) {
        // The conditional jump's text already jumps where the JUMP would.
        visited.push_back(target->GetId());
        return nullptr;
    }
    // A symbol has one input, so a sound chart reaches it once; a damaged
    // one (two wires claiming an input, a ring) must not be walked again.
    if (m_walked.count(target) != 0) return nullptr;
    const CHOXPin* input = target->GetPin(0);
    if (input != nullptr && !input->IsFree())
        WriteNodeLabel(chart::FindWire(window, input->GetLinkId()), window, labels);
    StepProgress(2);
    return target;
}

void CHOXExport::WriteNodeLabel(CHOXConnect* wire, CHOXFlowWnd* window, LabelFlags& labels)
{
    if (wire == nullptr) return;
    const DWORD node = wire->GetNodeId();
    if (node > kLastLabel || labels[node]) return;
    labels[node] = true;
    // A POINTER's own text is the label of the node on its wire.
    const CHOXSymbol* source = chart::FindSymbol(window, wire->GetSourceId());
    if (source != nullptr && source->GetObjectType() == objtype::kFlowPointer) return;
    AppendCode(QStringLiteral("P") + QString::number(node) + LoadStr(IDS_STATEMENT_END));
    if (!m_bListing) m_nStepAddress += 2;
}

bool CHOXExport::IsTargetLabelWritten(CHOXSymbol* target, CHOXFlowWnd* window, const LabelFlags& labels) const
{
    const CHOXPin* pin = target != nullptr ? target->GetPin(0) : nullptr;
    if (pin == nullptr || pin->IsFree()) return false;
    const CHOXConnect* wire = chart::FindWire(window, pin->GetLinkId());
    if (wire == nullptr) return false;
    const DWORD node = wire->GetNodeId();
    return node <= kLastLabel && labels[node];
}

void CHOXExport::AppendCode(const QString& code)
{
    m_strCurrent += code + QStringLiteral("\n");
    m_strProgram += (m_bListing ? FormatListing(code) : code) + QStringLiteral("\n");
}

QString CHOXExport::FormatListing(const QString& code)
{
    QString out;
    QString error;
    for (qsizetype start = 0; start < code.size();) {
        const qsizetype newline = code.indexOf(u'\n', start);
        const qsizetype end = newline < 0 ? code.size() : newline + 1;
        const QString line = code.mid(start, end - start);
        start = end;

        out += (QStringLiteral("    ") + QString::number(m_nStepAddress)).right(4);
        out += QStringLiteral(" ");
        out += m_bMainProgramOpen ? (QStringLiteral("0000") + QString::number(m_nLineNumber)).right(4)
                                  : QStringLiteral("----");
        out += QStringLiteral(": ") + line;

        // The checker counts the line's steps; a program number ("Ox0;")
        // takes no line number of its own.
        m_checker.CheckInstruction(newline < 0 ? line : line.left(line.size() - 1), error, m_strCurrent);
        // The current program text grows line by line.
        m_checker.ReleasePrecedingText();
        m_nStepAddress += m_checker.GetSteps();
        QString primary = m_checker.GetPrimaryName();
        if (!m_checker.CheckProgramNumber(primary, error)) ++m_nLineNumber;
    }
    return out;
}

void CHOXExport::AddStepRecord(CHOXSymbol* symbol, const CHOXFlowWnd* window)
{
    m_pDoc->AddStepInfo(
        std::make_unique<CHOXFlowMonInfo>(m_nStepAddress, static_cast<int>(symbol->GetId()), window->GetName()));
    m_nStepAddress += symbol->GetSteps();
}

void CHOXExport::StepProgress(int steps)
{
    if (m_pProgress) m_pProgress->Step(static_cast<UINT>(steps));
}

void CHOXExport::CloseProgress()
{
    if (!m_pProgress) return;
    m_pProgress->DestroyWindow();
    m_pProgress.reset();
}

// ---------------------------------------------------------------------------
// Questions and showing a symbol

bool CHOXExport::AskContinue(CHOXSymbol* symbol, const QString& text)
{
    if (AfxMessageBox(text + LoadStr(IDS_CONTINUE_QUESTION), MB_YESNO | MB_ICONEXCLAMATION) == IDYES) return true;
    ShowSymbol(symbol);
    return false;
}

void CHOXExport::ShowSymbol(CHOXSymbol* symbol)
{
    if (symbol == nullptr || symbol->GetWnd() == nullptr) return;
    CHOXView* view = symbol->GetWnd()->GetView();
    if (view == nullptr) return;
    view->Select(nullptr);
    view->Select(symbol, true);
    if (m_pDoc != nullptr) m_pDoc->UpdateAllViews(nullptr);
    const CHOXApp* app = CHOXApp::Get();
    if (CMDIChildWnd* frame = app != nullptr ? app->FrameOfView(view) : nullptr) {
        frame->ShowWindow(SW_SHOW);
        if (frame->IsIconic()) frame->ShowWindow(SW_RESTORE);
        frame->MDIActivate();
    }
    // The symbol's corner comes to the middle when the view can scroll.
    const CSize total = view->GetTotalSize();
    const CRect client = view->GetClientRect();
    if (total.cx <= client.Width() && total.cy <= client.Height()) return;
    const CPoint corner = view->DocToClient(symbol->GetRect().TopLeft());
    const CPoint logical = view->ClientToDoc(CPoint(corner.x - client.Width() / 2, corner.y - client.Height() / 2));
    const CPoint device = view->DocToClient(logical);
    const CPoint scroll = view->GetScrollPosition();
    view->ScrollToPosition(CPoint(device.x + scroll.x, device.y + scroll.y));
}
