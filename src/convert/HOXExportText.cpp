// The text file of an export: the document's file name, the parameter set in
// four sections of fixed columns, and the program of listing mode.
#include "convert/HOXExport.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "convert/HOXExportDlg.h"
#include "convert/HOXSaveSelectDlg.h"
#include "params/HOXParam.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "res/StringIds.h"

namespace {

// The names are strings 13409 to 13467 in number order, "Spare" (13421)
// standing among them.
struct NamedParameter {
    UINT number;
    UINT stringId;
    int kind;
};
constexpr int kPlain = -1;
constexpr int kXDevice = 0;
constexpr int kYDevice = 1;

constexpr NamedParameter kNamed[] = {
    {0, 13409, kPlain},    {1, 13410, kPlain},     {2, 13411, kPlain},    {3, 13412, kPlain},
    {4, 13413, kPlain},    {5, 13414, kPlain},     {6, 13415, kPlain},    {7, 13416, kPlain},
    {8, 13417, kPlain},    {9, 13418, kPlain},     {10, 13419, kPlain},   {11, 13420, kPlain},
    {12, 13422, kPlain},   {13, 13423, kPlain},    {14, 13424, kPlain},   {15, 13425, kPlain},
    {16, 13426, kPlain},   {17, 13427, kPlain},    {18, 13428, kPlain},   {19, 13429, kPlain},
    {20, 13430, kPlain},   {21, 13431, kPlain},    {22, 13432, kPlain},   {23, 13433, kPlain},
    {24, 13434, kPlain},   {25, 13435, kPlain},    {26, 13436, kPlain},   {30, 13437, kPlain},
    {31, 13438, kXDevice}, {32, 13439, kYDevice},  {33, 13440, kPlain},   {34, 13441, kPlain},
    {35, 13442, kYDevice}, {36, 13443, kPlain},    {37, 13444, kYDevice}, {38, 13445, kXDevice},
    {39, 13446, kPlain},   {40, 13447, kPlain},    {41, 13448, kPlain},   {42, 13449, kXDevice},
    {50, 13450, kPlain},   {51, 13451, kXDevice},  {52, 13452, kYDevice}, {53, 13453, kPlain},
    {54, 13454, kXDevice}, {56, 13455, kPlain},    {100, 13456, kPlain},  {101, 13457, kPlain},
    {102, 13458, kPlain},  {103, 13459, kYDevice}, {104, 13460, kPlain},  {105, 13461, kXDevice},
    {106, 13462, kPlain},  {107, 13463, kXDevice}, {108, 13464, kPlain},  {109, 13465, kYDevice},
    {110, 13466, kPlain},  {111, 13467, kXDevice},
};
constexpr UINT kSpare = 13421;

// Numbers the file lists although the controller has no such parameter:
// written as "Spare" with the value 0.
bool IsSpare(UINT n)
{
    return (n >= 27 && n <= 29) || (n >= 43 && n <= 49) || n == 55 || (n >= 57 && n <= 67) || (n >= 112 && n <= 119);
}

// An I/O number is shown with its device letter and its last three digits.
QString ValueText(std::int32_t value, int kind)
{
    if (kind == kPlain) return QStringLiteral("[") + QString::number(value) + QStringLiteral("]");
    const QString digits = (QStringLiteral("000") + QString::number(value)).right(3);
    return (kind == kXDevice ? QStringLiteral("[X") : QStringLiteral("[Y")) + digits + QStringLiteral("]");
}

// The value text right-aligned in `room` columns; a longer one loses its
// leading characters, and no room leaves it out.
QString RightAligned(const QString& text, qsizetype room)
{
    if (room <= 0) return {};
    if (text.size() >= room) return text.right(room);
    return QString(room - text.size(), u' ') + text;
}

} // namespace

QString CHOXExport::GetParamName(UINT number, int* kind)
{
    if (kind != nullptr) *kind = kPlain;
    if (IsSpare(number)) return LoadStr(kSpare);
    for (const NamedParameter& p : kNamed) {
        if (p.number != number) continue;
        if (kind != nullptr) *kind = p.kind;
        return LoadStr(p.stringId);
    }
    return {};
}

void CHOXExport::FormatParameters()
{
    m_strParameters.clear();
    if (m_pDoc == nullptr) return;
    const CHOXParam& param = m_pDoc->GetParam();
    const auto value = [&](UINT number, int axis) {
        std::int32_t v = 0;
        if (IsSpare(number) || !param.GetParam(&v, number, axis)) return std::int32_t{0};
        return v;
    };
    const auto commonLine = [&](UINT number) {
        int kind = kPlain;
        const QString name = QString::number(number) + QStringLiteral("  ") + GetParamName(number, &kind);
        return name + RightAligned(ValueText(value(number, 0), kind), 30 - name.size()) + QStringLiteral("\n");
    };
    const bool twoColumns = !ctype::IsOneAxis(m_pDoc->GetControllerType());
    const auto axisLine = [&](UINT number) {
        int kind = kPlain;
        const QString name = (QStringLiteral("  ") + QString::number(number)).right(2) + QStringLiteral("  ") +
                             GetParamName(number, &kind);
        QString line = name + RightAligned(ValueText(value(number, 0), kind), 40 - name.size());
        if (twoColumns) line += RightAligned(ValueText(value(number, 1), kind), 15);
        return line + QStringLiteral("\n");
    };
    const QString header = LoadStr(twoColumns ? 13389 : 13390) + QStringLiteral("\n");

    m_strParameters += LoadStr(13385);
    for (UINT n = 100; n <= 103; ++n) m_strParameters += commonLine(n);
    m_strParameters += LoadStr(13386);
    for (UINT n = 104; n <= 119; ++n) m_strParameters += commonLine(n);
    m_strParameters += LoadStr(13387) + header;
    for (UINT n = 0; n <= 29; ++n) m_strParameters += axisLine(n);
    m_strParameters += LoadStr(13388) + header;
    for (UINT n = 30; n <= 67; ++n) m_strParameters += axisLine(n);
}

QString CHOXExport::GetFileText() const
{
    const QString path = m_pDoc != nullptr ? m_pDoc->GetPathName() : QString();
    return QStringLiteral("[HOX File Name]\n") + FileNameOfPath(path) + QStringLiteral("\n\n") + m_strParameters +
           m_strProgram;
}

bool CHOXExport::ExportToTextFile()
{
    if (m_pDoc == nullptr) return false;
    if (m_pDoc->IsModified()) {
        CHOXSaveSelectDlg saveSelect(m_pDoc, nullptr);
        if (saveSelect.DoModal() == IDCANCEL) return false;
    }
    FormatParameters();
    CHOXExportDlg dialog;
    if (dialog.DoModal() != IDOK) return false;
    const QString path = dialog.GetPathName();
    // Written beside the file and put in its place only when whole: a
    // failure keeps whatever file was there.
    QString why;
    if (!textfile::CanWrite(path, &why)) {
        AfxMessageBox(IDS_UNABLE_TO_OPEN_FILE, MB_OK | MB_ICONHAND, why);
        return false;
    }
    if (!textfile::Write(path, GetFileText(), &why)) {
        AfxMessageBox(FormatStr(IDS_WRITE_FAILED, {path}), MB_OK | MB_ICONEXCLAMATION, why);
        return false;
    }
    return true;
}
