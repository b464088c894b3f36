// The page printers of a print run: what each flow-chart, monitoring and
// parameter page shows. The run calls them with the page's drawing rectangle
// in the print information and the margins in the job.
#include "print/HOXPrintJob.h"

void CHOXPrintJob::DrawFlowChartPage(CDC*, CPrintInfo*, CHOXWnd*) {}

void CHOXPrintJob::DrawMonitorPage(CDC*, CPrintInfo*) {}

void CHOXPrintJob::PrintParameterInfo(CDC*, CPrintInfo*) {}
