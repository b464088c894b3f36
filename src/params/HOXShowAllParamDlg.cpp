#include "params/HOXShowAllParamDlg.h"

#include "platform/Help.h"

namespace {

// The numbers with a row of their own in the listing.
bool IsListed(UINT n)
{
    return n <= 26 || (n >= 30 && n <= 42) || (n >= 50 && n <= 54) || n == 56 || (n >= 100 && n <= 111);
}

// The grid's row of a number: numbers 0 to 67 follow the header, 100 to 119
// come after them.
int RowOf(UINT n) { return n <= 67 ? static_cast<int>(n) + 1 : static_cast<int>(n) - 31; }

QString Text(const char* field) { return QString::fromLatin1(field); }

constexpr int kTwipsPerPixel = 15;
constexpr int kAlignLeftTop = 0;

} // namespace

CHOXShowAllParamDlg::CHOXShowAllParamDlg(CHOXParam* param) : CDialog(kTemplate), m_pParam(param)
{
    OnClicked(kHelpButton, [this] { OpenHelp(HID_BASE_RESOURCE + kTemplate); });
}

bool CHOXShowAllParamDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pParam != nullptr)
        for (UINT n = 0; n < m_rows.size(); ++n)
            if (IsListed(n)) m_pParam->GetParamRow(n, &m_rows[n]);
    if (m_pParam != nullptr && !m_pParam->IsOneAxisModel()) Widen();
    LayOutGrid();
    FillGrid();
    return true;
}

void CHOXShowAllParamDlg::Widen()
{
    const QSize client = Site()->GetClientSize();
    const QSize grid = Site()->GetControlSize(kGrid);
    Site()->SetControlSize(kGrid, QSize(grid.width() + 100, grid.height()));
    Site()->SetClientSize(QSize(client.width() + 100, client.height() + 30));
    Site()->CenterOnScreen();
}

void CHOXShowAllParamDlg::LayOutGrid()
{
    const bool twoAxes = m_pParam == nullptr || !m_pParam->IsOneAxisModel();
    const int columns = twoAxes ? 4 : 3;
    Site()->SetGridCols(kGrid, columns);
    // The number column takes 0.8 of a unit, each text column 2.
    const int unit = Site()->GetControlSize(kGrid).width() * kTwipsPerPixel / (twoAxes ? 7 : 5);
    for (int col = 0; col < columns; ++col) {
        Site()->SetGridColWidth(kGrid, col, col == 0 ? unit * 8 / 10 : unit * 2);
        Site()->SetGridColAlignment(kGrid, col, kAlignLeftTop);
    }
}

void CHOXShowAllParamDlg::FillGrid()
{
    const bool twoAxes = m_pParam == nullptr || !m_pParam->IsOneAxisModel();
    Site()->SetGridText(kGrid, 0, 0, QStringLiteral("Number"));
    Site()->SetGridText(kGrid, 0, 1, QStringLiteral("Item"));
    Site()->SetGridText(kGrid, 0, 2, QStringLiteral("X-Axis Settings"));
    if (twoAxes) Site()->SetGridText(kGrid, 0, 3, QStringLiteral("Y-Axis Settings"));
    std::vector<UINT> numbers;
    for (UINT n = 0; n <= 67; ++n) numbers.push_back(n);
    for (UINT n = 100; n <= 119; ++n) numbers.push_back(n);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const UINT n = numbers[i];
        const int row = RowOf(n);
        // The grid starts with one data row and gains one before every
        // number but the last.
        if (i + 1 < numbers.size()) Site()->SetGridRows(kGrid, Site()->GetGridRows(kGrid) + 1);
        Site()->SetGridText(kGrid, row, 0, QString::number(n));
        if (!IsListed(n)) {
            Site()->SetGridText(kGrid, row, 1, QStringLiteral("Spare"));
            Site()->SetGridText(kGrid, row, 2, QStringLiteral(" "));
            if (twoAxes) Site()->SetGridText(kGrid, row, 3, QStringLiteral(" "));
            continue;
        }
        const PARAM_ROW& r = m_rows[n];
        Site()->SetGridText(kGrid, row, 1, Text(r.name));
        Site()->SetGridText(kGrid, row, 2, Text(r.xText));
        if (twoAxes) Site()->SetGridText(kGrid, row, 3, Text(r.yText));
    }
}
