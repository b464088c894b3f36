#pragma once
// Printing is built above the charts: it registers here what the views hand
// to it, so that the views need know nothing of the print job.
#include "platform/Geometry.h"
#include "platform/Types.h"

#include <functional>

class CDC;
class CHOXFlowView;
class CHOXView;
class CPrintInfo;

// The page of a printer's device context in its present mapping, and the
// margins kept free on it: 13.5 mm left and right, 9 mm at the top and the
// bottom, both measured with the horizontal scale.
struct PrintMargins {
    CRect page;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    CRect Printable() const
    {
        return CRect(page.left + left, page.top + top, page.right - right, page.bottom - bottom);
    }
};
PrintMargins ComputePrintMargins(CDC* pDC);

struct PrintHooks {
    // File Print (ID_FILE_PRINT) and the direct print of the shell
    // (ID_FILE_PRINT_DIRECT) of a flow view: one whole print run.
    std::function<void(CHOXFlowView& view, UINT command)> filePrint;
    // The print preparation of a view: printer and options of the run the
    // print information carries (a preview's among them); false refuses it.
    std::function<bool(CHOXView& view, CPrintInfo* pInfo)> preparePrinting;
    // One page of a print preview, the print information's current page,
    // drawn through the flow view.
    std::function<void(CHOXFlowView& view, CDC* pDC, CPrintInfo* pInfo)> previewPage;
};

// The program's one set of hooks; empty ones do nothing.
PrintHooks& ChartPrintHooks();
